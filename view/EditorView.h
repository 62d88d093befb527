// CEditorView: the layer that shows the document's lines and owns the caret.
#pragma once

#include <memory>

#include "view/Caret.h"

class IEditor;

class CEditorView {
public:
    explicit CEditorView(IEditor* editor) : m_editor(editor), m_caret(new CCaret(this)) {}
    CEditorView(const CEditorView&) = delete;
    CEditorView& operator=(const CEditorView&) = delete;

    IEditor* GetEditor() const { return m_editor; }
    CCaret* GetCaret() const { return m_caret.get(); }

private:
    IEditor* m_editor;  // not owned
    std::unique_ptr<CCaret> m_caret;
};
