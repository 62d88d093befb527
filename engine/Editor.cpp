// Construction, wiring and destruction of one editor's components.
#include "engine/Editor.h"

#include "engine/EditorListeners.h"
#include "engine/RedrawSwitch.h"
#include "engine/SelHighlight.h"
#include "engine/Selector.h"
#include "format/FormatCreator.h"
#include "format/FormatCreatorRegistry.h"
#include "format/FormatInfo.h"
#include "model/CompressStore.h"
#include "model/Doc.h"
#include "model/Paragraph.h"
#include "objects/BuiltinCreator.h"
#include "objects/CreatorRegistry.h"
#include "objects/ExternalObj.h"
#include "view/MultilayerView.h"

CEditor::CEditor() {
    m_listeners = new CEditorListeners();
    m_redrawSwitch = new CRedrawSwitch();
    m_document = new CDoc();
    m_selector = new CSelector();
    m_formatInfo = new CFormatInfo(m_document);
    m_paragraph = new CParagraph(m_document);
    m_view = new CMultilayerView(this);
    m_selHighlight = new CSelHighlight(this);
    m_objectCreator = &CBuiltinCreator::Instance();
    m_formatCreator = new CFormatCreator();
    CCreatorRegistry::Instance().RegisterCreator(m_objectCreator);
    CFormatCreatorRegistry::Instance().RegisterCreator(m_formatCreator);
}

template <class T>
static void DestroyAndClear(T*& p) {
    delete p;
    p = nullptr;
}

CEditor::~CEditor() {
    DestroyAndClear(m_view);
    DestroyAndClear(m_paragraph);
    DestroyAndClear(m_selHighlight);
    DestroyAndClear(m_formatInfo);
    DestroyAndClear(m_document);
    DestroyAndClear(m_redrawSwitch);
    CFormatCreatorRegistry::Instance().UnRegisterCreator(m_formatCreator);
    DestroyAndClear(m_formatCreator);
    CCreatorRegistry::Instance().UnRegisterCreator(m_objectCreator);
    m_objectCreator = nullptr;
    DestroyAndClear(m_selector);
    DestroyAndClear(m_listeners);
}

ISelector* CEditor::GetSelector() {
    return m_selector;
}

IDoc* CEditor::GetDocument() {
    return m_document;
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
