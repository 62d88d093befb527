// The command executor: runs commands, records them, and walks the undo history.
#include "editor/EditorCore.h"

#include "engine/Command.h"
#include "engine/UndoQueue.h"

CEditorCore::CEditorCore()
    : m_root(std::make_unique<CEditor>()), m_undo(std::make_unique<CUndoQueue>()) {}

CEditorCore::~CEditorCore() {
    // Records may hold store references and point at the root: they go first.
    m_undo.reset();
    m_root.reset();
}

BOOL CEditorCore::Execute(ICommand* cmd) {
    if (m_executing || cmd == nullptr)
        return FALSE;
    m_executing = true;
    cmd->SetTarget(m_root.get());
    const BOOL done = cmd->Do();
    if (done) {
        m_undo->Push(cmd);
    } else {
        // What the command did before it failed stays done, so no record can undo it.
        m_undo->Clear();
    }
    m_executing = false;
    return done ? TRUE : FALSE;
}

BOOL CEditorCore::Undo() {
    if (m_undo->IsUndoEmpty())
        return FALSE;
    m_undo->UndoStep(m_undo->GetPos() - 1);
    if (ICommand* record = m_undo->Current()) {
        record->SetTarget(m_root.get());
        record->Undo();
    }
    return TRUE;
}

BOOL CEditorCore::Redo() {
    if (m_undo->IsRedoEmpty())
        return FALSE;
    if (ICommand* record = m_undo->Current()) {
        record->SetTarget(m_root.get());
        record->Do();
    }
    m_undo->RedoStep(m_undo->GetPos() + 1);
    return TRUE;
}

BOOL CEditorCore::CanUndo() const {
    return m_undo->IsUndoEmpty() ? FALSE : TRUE;
}

BOOL CEditorCore::CanRedo() const {
    return m_undo->IsRedoEmpty() ? FALSE : TRUE;
}
