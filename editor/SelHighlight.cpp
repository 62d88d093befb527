// Selection highlight state.
#include "editor/SelHighlight.h"

#include <algorithm>

#include "editor/Editor.h"
#include "engine/Selector.h"
#include "view/EditorView.h"
#include "view/MultilayerView.h"

CSelHighlight::CSelHighlight(IEditor* editor) : m_editor(editor) {
    if (ISelector* sel = m_editor ? m_editor->GetSelector() : nullptr)
        sel->AddListener(this);
}

CSelHighlight::~CSelHighlight() {
    if (ISelector* sel = m_editor ? m_editor->GetSelector() : nullptr)
        sel->RemoveListener(this);
}

BOOL CSelHighlight::IsShown() {
    return (m_shown && !m_hidden) ? TRUE : FALSE;
}

void CSelHighlight::SetShown(BOOL shown) {
    if (!m_shown && !shown)
        return;
    if (m_recorded.IsEmpty())
        return;
    m_shown = shown ? TRUE : FALSE;
    RepaintBand();
}

void CSelHighlight::RepaintBand() {
    CMultilayerView* view = m_editor ? m_editor->GetView() : nullptr;
    CEditorView* editorView = view ? view->GetEditorView() : nullptr;
    if (editorView == nullptr)
        return;
    const CRect band = editorView->GetBandOfRange(m_recorded);
    if (!band.IsRectEmpty())
        view->ReDrawWnd(band, TRUE);
}

void CSelHighlight::RecordCurrentSelection() {
    if (ISelector* sel = m_editor ? m_editor->GetSelector() : nullptr)
        m_recorded = sel->GetSel();
}

void CSelHighlight::HideSelection(BOOL hide) {
    m_hidden = hide;
    if (hide == TRUE) {
        if (++m_hideCounter == 1 && m_shown) {
            RecordCurrentSelection();
            SetShown(FALSE);
        }
        return;
    }
    // An unbalanced show request (counter already 0) changes nothing.
    if (m_hideCounter > 0 && --m_hideCounter == 0) {
        RecordCurrentSelection();
        SetShown(TRUE);
    }
}

void CSelHighlight::N_SelChanging(const CRange& oldSel, const CRange& newSel) {
    CRange common;
    if (!CRange::Intersect(oldSel, newSel, common) && !m_hidden) {
        m_recorded = oldSel;
        SetShown(FALSE);
    }
}

void CSelHighlight::N_SelChanged(const CRange& oldSel, const CRange& newSel) {
    if (m_hidden)
        return;
    CRange both;
    m_recorded = CRange::Union(oldSel, newSel, both) ? both : newSel;
    SetShown(TRUE);
}
