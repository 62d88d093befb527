// CMultilayerView: the editor's view, holding the editor view layer.
#pragma once

#include <memory>

#include "view/EditorView.h"

class IEditor;

class CMultilayerView {
public:
    explicit CMultilayerView(IEditor* editor) : m_editorView(new CEditorView(editor)) {}
    CMultilayerView(const CMultilayerView&) = delete;
    CMultilayerView& operator=(const CMultilayerView&) = delete;

    CEditorView* GetEditorView() const { return m_editorView.get(); }
    CCaret* GetCaret() const { return m_editorView ? m_editorView->GetCaret() : nullptr; }

private:
    std::unique_ptr<CEditorView> m_editorView;
};
