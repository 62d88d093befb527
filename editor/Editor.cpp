// Construction, wiring and destruction of one editor's components.
#include "editor/Editor.h"

#include <algorithm>
#include <vector>

#include "editor/SelHighlight.h"
#include "engine/Selector.h"
#include "format/FormatCreator.h"
#include "format/FormatCreatorRegistry.h"
#include "format/FormatInfo.h"
#include "media/Animate.h"
#include "media/BuiltinCreator.h"
#include "model/CompressStore.h"
#include "model/Doc.h"
#include "model/EditorListeners.h"
#include "model/Paragraph.h"
#include "model/RedrawSwitch.h"
#include "objects/CreatorRegistry.h"
#include "objects/ExternalObj.h"
#include "view/Caret.h"
#include "view/CaretNavigator.h"
#include "view/EditorView.h"
#include "view/MultilayerView.h"

namespace {

// The editors alive, oldest first (all on the UI thread). The creator registries are
// process-wide while each editor registers on construction, so one editor going must not
// take the creators from those that stay.
std::vector<CEditor*>& LiveEditors() {
    static std::vector<CEditor*> editors;
    return editors;
}

}  // namespace

CEditor::CEditor() {
    m_listeners = std::make_unique<CEditorListeners>();
    m_redrawSwitch = std::make_unique<CRedrawSwitch>();
    m_document = std::make_unique<CDoc>();
    m_selector = std::make_unique<CSelector>();
    m_formatInfo = std::make_unique<CFormatInfo>(m_document.get());
    m_paragraph = std::make_unique<CParagraph>(m_document.get());
    m_view = std::make_unique<CMultilayerView>(this);
    m_links = std::make_unique<CLinkManager>(this);
    // The caret navigator hears of selection changes before the highlighter does.
    m_selector->AddListener(this);
    m_selHighlight = std::make_unique<CSelHighlight>(this);
    m_objectCreator = &CBuiltinCreator::Instance();
    m_formatCreator = std::make_unique<CFormatCreator>();
    CCreatorRegistry::Instance().RegisterCreator(m_objectCreator);
    CFormatCreatorRegistry::Instance().RegisterCreator(m_formatCreator.get());
    LiveEditors().push_back(this);
}

CEditor::~CEditor() {
    m_selector->RemoveListener(this);
    m_view.reset();
    m_links.reset();
    m_paragraph.reset();
    m_selHighlight.reset();
    m_formatInfo.reset();
    m_document.reset();
    m_redrawSwitch.reset();
    std::vector<CEditor*>& live = LiveEditors();
    live.erase(std::remove(live.begin(), live.end(), this), live.end());
    CFormatCreatorRegistry::Instance().UnRegisterCreator(m_formatCreator.get());
    m_formatCreator.reset();
    if (live.empty()) {
        CCreatorRegistry::Instance().UnRegisterCreator(m_objectCreator);
    } else {
        // The newest remaining editor's format creator takes over the record classes.
        CFormatCreatorRegistry::Instance().RegisterCreator(live.back()->m_formatCreator.get());
    }
    m_objectCreator = nullptr;
    m_selector.reset();
    // Animations still alive elsewhere (in another editor, in the store) must not tell this
    // editor of their frames any more.
    zarni::CAnimate::ForgetPainter(m_listeners.get());
    m_listeners.reset();
}

ISelector* CEditor::GetSelector() {
    return m_selector.get();
}

IDoc* CEditor::GetDocument() {
    return m_document.get();
}

CCaret* CEditor::GetCaret() {
    return m_view ? m_view->GetCaret() : nullptr;
}

DWORD CEditor::ExcuteEOCmd(ZarniUUID id, UINT cmd, DWORD param) {
    IExternalObj* obj = ExternalOf(CCompressStore::Instance().Find(id));
    return obj ? static_cast<DWORD>(obj->ExecuteCmd(cmd, param)) : 0;
}

void CEditor::RegisterCreator(IVCOCreator* creator) {
    CCreatorRegistry::Instance().RegisterCreator(creator);
}

void CEditor::UnRegisterCreator(IVCOCreator* creator) {
    CCreatorRegistry::Instance().UnRegisterCreator(creator);
}

int CEditor::AddDocListener(IDocListener* listener) {
    return m_document ? m_document->AddListener(listener) : 0;
}

int CEditor::DeleteDocListener(IDocListener* listener) {
    return m_document ? m_document->DeleteListener(listener) : 0;
}

void CEditor::SetViewListener(IMultilayerViewListener* listener) {
    if (m_view)
        m_view->AddListener(listener);
}

CCaretNavigator* CEditor::GetNavigator() {
    CEditorView* view = m_view ? m_view->GetEditorView() : nullptr;
    return view ? view->GetNavigator() : nullptr;
}

ICaretPlacer* CEditor::GetCaretPlacer() {
    return GetCaret() ? this : nullptr;
}

IObjectPaintHost* CEditor::GetObjectPaintHost() {
    return m_view.get();
}

void CEditor::RepaintLinks(const CRange& range, BOOL now) {
    CEditorView* editorView = m_view ? m_view->GetEditorView() : nullptr;
    if (editorView == nullptr || editorView->NoteHeldChange(range))
        return;
    const CRect band = editorView->GetBandOfRange(range);
    if (band.IsRectEmpty())
        return;
    if (now)
        m_view->ReDrawWnd(band, TRUE);
    else
        editorView->MarkChanged(band);
}

void CEditor::PlaceCaret(int pos, BOOL after) {
    if (CCaret* caret = GetCaret())
        caret->SetCaretByPos(pos, after);
}

CRange CEditor::GetSelection() {
    return m_selector ? m_selector->GetSel() : CRange();
}

void CEditor::SetSelection(const CRange& range) {
    if (m_selector)
        m_selector->SetSel(range);
}

CRange CEditor::GetHighlightedSelection() {
    return m_selHighlight && m_selHighlight->IsShown() ? GetSelection() : CRange();
}

void CEditor::N_SelChanging(const CRange&, const CRange&) {}

void CEditor::N_SelChanged(const CRange& oldSel, const CRange& newSel) {
    if (CCaretNavigator* navigator = GetNavigator())
        navigator->N_SelChanged(oldSel, newSel);
}
