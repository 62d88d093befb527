// CEditorCore: the editor root, the undo history and the command executor.
#pragma once

#include <memory>

#include "editor/Editor.h"
#include "engine/CommandExecutor.h"

class CUndoQueue;

class CEditorCore : public ICommandExecutor {
public:
    // Creates the root, then the undo queue.
    CEditorCore();
    // Destroys the undo queue (with every record) before the root.
    virtual ~CEditorCore();
    CEditorCore(const CEditorCore&) = delete;
    CEditorCore& operator=(const CEditorCore&) = delete;

    CEditor* GetRoot() const { return m_root.get(); }
    CUndoQueue* GetUndoQueue() const { return m_undo.get(); }

    BOOL Execute(ICommand* cmd) override;
    // Reverts the newest done record; 0 when there is none.
    BOOL Undo() override;
    // Does the oldest undone record again; 0 when there is none.
    BOOL Redo() override;
    BOOL CanUndo() const;
    BOOL CanRedo() const;

private:
    std::unique_ptr<CEditor> m_root;
    std::unique_ptr<CUndoQueue> m_undo;
    // Set while a command runs: a listener that edits in reaction gets 0.
    bool m_executing = false;
};
