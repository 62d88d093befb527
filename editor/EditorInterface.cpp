// The editor interface: queries, settings and the commands behind every edit.
#include "editor/EditorInterface.h"

#include <cstring>
#include <memory>

#include "editor/SelHighlight.h"
#include "engine/ColorCommand.h"
#include "engine/CompositeCommand.h"
#include "engine/DeleteRangeCommand.h"
#include "engine/EOS_IgnoreCO.h"
#include "engine/EOS_Length.h"
#include "engine/EOS_Text.h"
#include "engine/ETFStream.h"
#include "engine/EditorOutput.h"
#include "engine/FontCommand.h"
#include "engine/InsertETFCommand.h"
#include "engine/InsertLinkCommand.h"
#include "engine/InsertObjectCommand.h"
#include "engine/InsertTextCommand.h"
#include "engine/Selector.h"
#include "engine/TextCleaning.h"
#include "engine/UndoQueue.h"
#include "format/FormatInfo.h"
#include "links/LinkInfo.h"
#include "model/CompressStore.h"
#include "model/Paragraph.h"
#include "model/RedrawSwitch.h"
#include "model/StoreRef.h"
#include "objects/Animate.h"
#include "objects/ExternalObj.h"
#include "platform/base/CodePage.h"
#include "platform/ui/Clipboard.h"
#include "platform/ui/GlobalMemory.h"
#include "view/Caret.h"
#include "view/CaretNavigator.h"
#include "view/EditorView.h"
#include "view/MultilayerView.h"

namespace {

using CommandPtr = TOwned<CCompositeCommand>;

// Removes line feeds, object placeholders and what the document could not store (zero
// bytes, a lead byte that lost its trail byte at the end), walking by characters so that
// a trail byte is never taken for any of them.
CString WithoutLineFeedsAndPlaceholders(const CString& text) {
    std::string out;
    out.reserve(text.GetLength());
    for (int i = 0; i < text.GetLength(); ++i) {
        const char c = text.GetAt(i);
        if (CCodePage::IsLeadByte(static_cast<BYTE>(c))) {
            if (i + 1 < text.GetLength()) {
                out += c;
                out += text.GetAt(++i);
            }
        } else if (c != '\n' && c != '\x02' && c != '\0') {
            out += c;
        }
    }
    return CString(out);
}

// A shared global block holding size bytes copied from bytes, zero-filled beyond them.
HGLOBAL MakeSharedBlock(const char* bytes, size_t size, size_t blockSize) {
    HGLOBAL block = GlobalAlloc(GMEM_DDESHARE | GMEM_ZEROINIT, blockSize);
    void* dest = block ? GlobalLock(block) : nullptr;
    if (dest == nullptr) {
        if (block)
            GlobalFree(block);
        return nullptr;
    }
    std::memcpy(dest, bytes, size);
    GlobalUnlock(block);
    return block;
}

// The formats Paste can take, whatever the provider says of them.
bool IsPasteableFormat(UINT format) {
    return format == CF_TEXT || format == CF_OEMTEXT || format == CF_UNICODETEXT ||
           format == CF_BITMAP || format == CF_DIB;
}

}  // namespace

CEditorInterface::CEditorInterface() {
    m_clipFormat = RegisterClipboardFormatA(kZarniClipFormatName);
}

void CEditorInterface::SetRedraw(BOOL on) {
    if (CRedrawSwitch* redraw = Root()->GetRedrawSwitch())
        redraw->SetRedraw(on);
}

void CEditorInterface::SetParagraph(const zarni::CZarniParaInfo& info) {
    CParagraph* paragraph = Root()->GetParagraph();
    if (paragraph && Root()->GetSelector())
        paragraph->SetParaInfo(info, GetSel());
}

void CEditorInterface::SetDefaultPara(const zarni::CZarniParaInfo& info) {
    if (CParagraph* paragraph = Root()->GetParagraph())
        paragraph->SetDefaultPara(info);
}

CCaret* CEditorInterface::GetCaret() {
    return Root()->GetCaret();
}

long CEditorInterface::GetLength() {
    IDoc* doc = Root()->GetDocument();
    return doc ? doc->GetLength() : 0;
}

long CEditorInterface::GetTextLength() {
    IDoc* doc = Root()->GetDocument();
    if (!doc)
        return 0;
    CEOS_Length out;
    doc->Output(&out, CRange(0, doc->GetLength()));
    return out.GetLength();
}

BOOL CEditorInterface::GetSel(IDocOutputStream* out) {
    if (out == nullptr)
        return FALSE;
    return CEditorOutput(Root()).Get(out) ? TRUE : FALSE;
}

CRange CEditorInterface::GetSel() {
    ISelector* sel = Root()->GetSelector();
    return sel ? sel->GetSel() : CRange(0, 0);
}

void CEditorInterface::SetSel(const CRange& range) {
    IDoc* doc = Root()->GetDocument();
    ISelector* sel = Root()->GetSelector();
    if (!doc || !sel)
        return;
    const int length = doc->GetLength();
    if (length == 0)
        return;
    // The anchor: the home, or the last unit when the home lies outside the text.
    const int p =
        static_cast<uint32_t>(range.home) < static_cast<uint32_t>(length) ? range.home : length - 1;
    CRange r = range;
    switch (range.end) {
        case SEL_ALL:
            r = CRange(0, length);
            break;
        case SEL_WORD: {
            int e = doc->FindAlnumEnd(p, DFF_FORWARD);
            if (e == p)
                e = p + 1;
            const int b = doc->FindAlnumEnd(p, DFF_BACKWARD);
            r = CRange(b == p ? b : b + 1, e);
            break;
        }
        case SEL_PARAGRAPH: {
            int e = doc->FindLineBreak(p, DFF_FORWARD);
            if (e < length)
                ++e;
            int b = doc->FindLineBreak(p, DFF_BACKWARD);
            if (b == p)
                b = doc->FindLineBreak(p - 1, DFF_BACKWARD);
            r = CRange(b + 1, e);
            break;
        }
        case SEL_DOC_END:
            r = CRange(length, length);
            break;
        default:
            break;
    }
    sel->SetSel(r);
}

CString CEditorInterface::GetSelText() {
    CEOS_IgnoreCO out;
    CEditorOutput(Root()).Get(&out);
    CString text = out.GetText();
    text.Replace("\r", "\r\n");
    return text;
}

BOOL CEditorInterface::ReplaceSelByObject(ICompressStoreObj* obj, EInsertedObject kind) {
    const CRange sel = GetSel();
    CommandPtr composite = MakeOwned<CCompositeCommand>();
    if (sel.home < sel.end)
        composite->Add(MakeOwned<CDeleteRangeCommand>(sel));
    if (obj != nullptr) {
        // The command takes its own reference; the one Add made goes with this ref.
        if (ICompressStoreObj* stored = CCompressStore::Instance().Add(obj)) {
            const CStoreRef added = CStoreRef::Adopt(stored->GetID());
            composite->Add(MakeOwned<CInsertObjectCommand>(sel.home, added.GetID(), kind));
        }
    }
    if (composite->GetCount() == 0)
        return FALSE;
    return m_core.Execute(composite.get());
}

BOOL CEditorInterface::ReplaceSel(IVisibleComplexObj* obj) {
    return ReplaceSelByObject(obj, EInsertedObject::Plain);
}

BOOL CEditorInterface::ReplaceSel(IExternalObj* obj) {
    return ReplaceSelByObject(obj, EInsertedObject::External);
}

BOOL CEditorInterface::ReplaceSel(IAnimate* animation) {
    return ReplaceSelByObject(animation, EInsertedObject::Animation);
}

BOOL CEditorInterface::ReplaceSel(zarni::CLinkInfo* link) {
    const CRange sel = GetSel();
    CommandPtr composite = MakeOwned<CCompositeCommand>();
    if (sel.home < sel.end)
        composite->Add(MakeOwned<CDeleteRangeCommand>(sel));
    if (link != nullptr)
        composite->Add(MakeOwned<CInsertLinkCommand>(sel.home, link));
    if (composite->GetCount() == 0)
        return FALSE;
    return m_core.Execute(composite.get());
}

BOOL CEditorInterface::RemoveLink(const ZarniUUID& outId) {
    CLinkManager* links = Root()->GetLinks();
    return links && links->RemoveLink(outId) > 0 ? TRUE : FALSE;
}

SLinkRun CEditorInterface::GetLinkAt(int pos) {
    CLinkManager* links = Root()->GetLinks();
    return links ? links->GetLinkAt(pos) : SLinkRun();
}

void CEditorInterface::SetLink(const CRange& range, ILinkInfo* link) {
    if (CLinkManager* links = Root()->GetLinks())
        links->SetLink(range, link);
}

BOOL CEditorInterface::ReplaceSel(const CString& text) {
    const CRange sel = GetSel();
    CommandPtr composite = MakeOwned<CCompositeCommand>();
    if (sel.home < sel.end)
        composite->Add(MakeOwned<CDeleteRangeCommand>(sel));
    const CString clean = WithoutLineFeedsAndPlaceholders(text);
    if (!clean.IsEmpty())
        composite->Add(MakeOwned<CInsertTextCommand>(sel.home, clean));
    if (composite->GetCount() == 0)
        return FALSE;
    return m_core.Execute(composite.get());
}

BOOL CEditorInterface::ReplaceSelToETF(const std::string& content) {
    // Content that cannot be read must not cost the selection.
    if (!content.empty() && !CETFStream::HasHeader(content))
        return FALSE;
    const CRange sel = GetSel();
    CommandPtr composite = MakeOwned<CCompositeCommand>();
    if (sel.home < sel.end)
        composite->Add(MakeOwned<CDeleteRangeCommand>(sel));
    if (!content.empty())
        composite->Add(MakeOwned<CInsertETFCommand>(sel.home, content));
    if (composite->GetCount() == 0)
        return FALSE;
    return m_core.Execute(composite.get());
}

BOOL CEditorInterface::Save(const char* path) {
    IDoc* doc = Root()->GetDocument();
    if (path == nullptr || doc == nullptr)
        return FALSE;
    CETFStream stream;
    // An empty document saves as the header and stamp alone.
    if (doc->GetLength() > 0 && !stream.WriteRange(Root(), CRange(0, doc->GetLength())))
        return FALSE;
    return stream.SaveFile(path);
}

BOOL CEditorInterface::Load(const char* path) {
    if (path == nullptr)
        return FALSE;
    CETFStream stream;
    if (!stream.LoadFile(path))
        return FALSE;
    Clear();
    IDoc* doc = Root()->GetDocument();
    if (doc == nullptr || doc->GetLength() != 0)
        return FALSE;
    return stream.ReadInto(Root(), 0);
}

BOOL CEditorInterface::SaveTo(std::string& out, const CRange& range) {
    CETFStream stream;
    if (!stream.WriteRange(Root(), range))
        return FALSE;
    return stream.GetResult(out);
}

BOOL CEditorInterface::LoadFrom(const std::string& data, UINT pos) {
    IDoc* doc = Root()->GetDocument();
    if (doc == nullptr || pos > static_cast<UINT>(doc->GetLength()))
        return FALSE;
    CETFStream stream;
    if (!stream.Open(data))
        return FALSE;
    const int before = doc->GetLength();
    const int result = stream.ReadInto(Root(), static_cast<int>(pos));
    if (doc->GetLength() != before)
        EmptyUndoQueue();
    return result;
}

void CEditorInterface::SetClipBoardFormatProvider(IClipBoardFormatProvider* provider) {
    m_clipProvider = provider ? provider : &m_defaultProvider;
}

HGLOBAL CEditorInterface::RenderClipBoardData(UINT format) {
    const CRange sel = GetSel();
    if (sel.IsEmpty())
        return nullptr;
    if (format == CF_TEXT) {
        const CString text = GetSelText();
        if (text.IsEmpty())
            return nullptr;
        const size_t size = static_cast<size_t>(text.GetLength());
        return MakeSharedBlock(text.GetString(), size, size + 1);
    }
    if (format != 0 && format == m_clipFormat) {
        std::string content;
        if (!SaveTo(content, sel))
            return nullptr;
        return MakeSharedBlock(content.data(), content.size(), content.size());
    }
    return nullptr;
}

BOOL CEditorInterface::FreeClipBoardData(HGLOBAL data) {
    return data == nullptr || GlobalFree(data) == nullptr ? TRUE : FALSE;
}

void CEditorInterface::Copy() {
    if (GetSel().IsEmpty())
        return;
    HGLOBAL text = m_clipProvider->QuerySupportClipBoardFormat(CF_TEXT)
                       ? RenderClipBoardData(CF_TEXT)
                       : nullptr;
    HGLOBAL own = m_clipFormat != 0 && m_clipProvider->QuerySupportClipBoardFormat(m_clipFormat)
                      ? RenderClipBoardData(m_clipFormat)
                      : nullptr;
    if (text == nullptr && own == nullptr)
        return;
    if (!OpenClipboard(nullptr)) {
        FreeClipBoardData(text);
        FreeClipBoardData(own);
        return;
    }
    EmptyClipboard();
    // The clipboard owns what it accepts; what it refuses stays ours to free.
    if (text && SetClipboardData(CF_TEXT, text) == nullptr)
        FreeClipBoardData(text);
    if (own && SetClipboardData(m_clipFormat, own) == nullptr)
        FreeClipBoardData(own);
    CloseClipboard();
}

void CEditorInterface::Cut() {
    if (GetSel().IsEmpty())
        return;
    Copy();
    ReplaceSel(CString(""));
}

void CEditorInterface::Paste() {
    if (!OpenClipboard(nullptr))
        return;
    // The clipboard's block, when it offers format and holds at least one byte.
    const auto take = [this](UINT format) -> HGLOBAL {
        if (format == 0 || !m_clipProvider->QuerySupportClipBoardFormat(format) ||
            !IsClipboardFormatAvailable(format))
            return nullptr;
        HGLOBAL data = GetClipboardData(format);
        return data && GlobalSize(data) > 0 ? data : nullptr;
    };
    bool own = true;
    HGLOBAL data = take(m_clipFormat);
    if (data == nullptr) {
        own = false;
        data = take(CF_TEXT);
    }
    const char* bytes = data ? static_cast<const char*>(GlobalLock(data)) : nullptr;
    if (bytes == nullptr) {
        CloseClipboard();
        return;
    }
    // Copied out before the clipboard is closed: once closed, another party may replace
    // the block.
    const size_t size = GlobalSize(data);
    std::string content;
    if (own)
        content.assign(bytes, size);
    else
        content.assign(bytes, strnlen(bytes, size));
    GlobalUnlock(data);
    CloseClipboard();
    if (own)
        ReplaceSelToETF(content);
    else
        ReplaceSel(CleanInputText(CString(content)));
}

BOOL CEditorInterface::CanPaste(UINT format) {
    return IsPasteableFormat(format) && m_clipProvider->QuerySupportClipBoardFormat(format) ? TRUE
                                                                                            : FALSE;
}

BOOL CEditorInterface::DeleteChar(int forward) {
    const CRange sel = GetSel();
    if (sel.IsEmpty()) {
        if (!forward) {
            if (sel.home < 1)
                return FALSE;
            SetSel(CRange(sel.home - 1, sel.home));
        } else {
            if (GetLength() <= sel.end)
                return FALSE;
            SetSel(CRange(sel.home, sel.home + 1));
        }
    }
    const CRange target = GetSel();
    if (target.IsEmpty())
        return FALSE;
    CommandPtr composite = MakeOwned<CCompositeCommand>();
    composite->Add(MakeOwned<CDeleteRangeCommand>(target));
    return m_core.Execute(composite.get());
}

BOOL CEditorInterface::SetFont(const LOGFONT& lf, DWORD mask) {
    CommandPtr composite = MakeOwned<CCompositeCommand>();
    composite->Add(MakeOwned<CFontCommand>(CFontInfo(lf), GetSel(), mask));
    return m_core.Execute(composite.get());
}

BOOL CEditorInterface::GetFont(LOGFONT& lf) {
    CFormatInfo* formats = Root()->GetFormatInfo();
    if (formats)
        lf = formats->GetFont(GetSel().home)->GetLogFont();
    return TRUE;
}

BOOL CEditorInterface::SetColor(const COLORREF& color) {
    CommandPtr composite = MakeOwned<CCompositeCommand>();
    composite->Add(MakeOwned<CColorCommand>(CColorInfo(color), GetSel()));
    return m_core.Execute(composite.get());
}

COLORREF CEditorInterface::GetColor() {
    CFormatInfo* formats = Root()->GetFormatInfo();
    return formats ? formats->GetColor(GetSel().home)->GetColor() : 0;
}

void CEditorInterface::SetDefaultColor(const COLORREF& color) {
    if (CFormatInfo* formats = Root()->GetFormatInfo())
        formats->SetDefaultColor(CColorInfo(color));
}

COLORREF CEditorInterface::GetDefaultColor() {
    CFormatInfo* formats = Root()->GetFormatInfo();
    return formats ? formats->GetDefaultColor().GetColor() : 0;
}

void CEditorInterface::SetDefaultFont(const LOGFONT& lf) {
    if (CFormatInfo* formats = Root()->GetFormatInfo())
        formats->SetDefaultFont(CFontInfo(lf));
}

BOOL CEditorInterface::GetDefaultFont(LOGFONT& lf) {
    if (CFormatInfo* formats = Root()->GetFormatInfo()) {
        lf = formats->GetDefaultFont().GetLogFont();
    }
    return TRUE;
}

void CEditorInterface::HideSelection(BOOL hide) {
    if (CSelHighlight* highlight = Root()->GetSelHighlight())
        highlight->HideSelection(hide);
}

void CEditorInterface::Clear() {
    SetSel(CRange(0, SEL_ALL));
    ReplaceSel(CString(""));
    EmptyUndoQueue();
}

void CEditorInterface::UndoLimited(int limit) {
    m_core.GetUndoQueue()->SetLimit(limit);
}

BOOL CEditorInterface::CanUndo() {
    return m_core.CanUndo();
}

BOOL CEditorInterface::Undo() {
    return m_core.CanUndo() ? m_core.Undo() : FALSE;
}

BOOL CEditorInterface::CanRedo() {
    return m_core.CanRedo();
}

BOOL CEditorInterface::Redo() {
    return m_core.CanRedo() ? m_core.Redo() : FALSE;
}

void CEditorInterface::EmptyUndoQueue() {
    m_core.GetUndoQueue()->Clear();
}

int CEditorInterface::FindExternObj(const ZarniUUID& id, int from, DOC_FIND_FLAG dir) {
    IDoc* doc = Root()->GetDocument();
    return doc ? doc->FindCO(id, from, dir) : -1;
}

void CEditorInterface::SetLimit(long limit) {
    if (IDoc* doc = Root()->GetDocument())
        doc->SetLimit(limit);
}

long CEditorInterface::GetLimit() {
    IDoc* doc = Root()->GetDocument();
    return doc ? doc->GetLimit() : -1;
}

void CEditorInterface::RegisterCreator(IVCOCreator* creator) {
    Root()->RegisterCreator(creator);
}

void CEditorInterface::UnRegisterCreator(IVCOCreator* creator) {
    Root()->UnRegisterCreator(creator);
}

void CEditorInterface::AddDocListener(IDocListener* listener) {
    Root()->AddDocListener(listener);
}

void CEditorInterface::DeleteDocListener(IDocListener* listener) {
    Root()->DeleteDocListener(listener);
}

DWORD CEditorInterface::ExcuteEOCmd(ZarniUUID id, UINT cmd, DWORD param) {
    return Root()->ExcuteEOCmd(id, cmd, param);
}

CEditorView* CEditorInterface::View() {
    CMultilayerView* view = Root()->GetView();
    return view ? view->GetEditorView() : nullptr;
}

CCaretNavigator* CEditorInterface::Navigator() {
    CEditorView* view = View();
    return view ? view->GetNavigator() : nullptr;
}

void CEditorInterface::SetAutoScroll(BOOL on) {
    if (CEditorView* view = View())
        view->SetAutoScroll(on);
}

int CEditorInterface::GetLineCount() {
    CEditorView* view = View();
    return view ? view->GetLineCount() : 0;
}

CString CEditorInterface::GetLine(int line) {
    CEditorView* view = View();
    IDoc* doc = Root()->GetDocument();
    if (!view || !doc || line < 0 || line > view->GetLineCount())
        return CString();
    CEOS_Text out;
    doc->Output(&out, view->GetLineDocRange(line));
    return out.GetText();
}

int CEditorInterface::LineIndex(int line) {
    CEditorView* view = View();
    return view ? view->GetLineDocRange(line).home : 0;
}

int CEditorInterface::LineLength(int line) {
    CEditorView* view = View();
    return view ? view->GetLineDocRange(line).Length() : 0;
}

void CEditorInterface::SetViewSize(const CSize& size) {
    if (CMultilayerView* view = Root()->GetView())
        view->SetSize(size);
}

CSize CEditorInterface::GetContentSize() {
    CEditorView* view = View();
    return view ? view->GetContentSize() : CSize();
}

void CEditorInterface::SetViewPort(const CPoint& origin) {
    if (CMultilayerView* view = Root()->GetView())
        view->SetViewPort(origin);
}

void CEditorInterface::ReDrawWnd(const CRect& rect, BOOL compose) {
    if (CMultilayerView* view = Root()->GetView())
        view->ReDrawWnd(rect, compose);
}

HitInfo CEditorInterface::HitTest(const CPoint& point, BOOL exact) {
    CEditorView* view = View();
    if (!view)
        return HitInfo();
    return view->HitTest(point + view->GetViewPort().TopLeft(), exact);
}

void CEditorInterface::SetCaretByHit(HitInfo hit) {
    if (CCaret* caret = GetCaret())
        caret->SetCaret(hit.line, hit.unit);
}

void CEditorInterface::SetViewListener(IMultilayerViewListener* listener) {
    Root()->SetViewListener(listener);
}

void CEditorInterface::SetCaretListener(ICaretListener* listener) {
    if (CCaret* caret = GetCaret())
        caret->AddListener(listener);
}

BOOL CEditorInterface::SetBackColor(COLORREF color) {
    CMultilayerView* view = Root()->GetView();
    return view ? view->SetBackColor(color) : FALSE;
}

BOOL CEditorInterface::SetBackImage(const std::string& picture, IMAGE_PLACEMENT placement) {
    CMultilayerView* view = Root()->GetView();
    return view ? view->SetBackImage(picture, placement) : FALSE;
}

void CEditorInterface::AddLayer(ILayer* layer) {
    if (CMultilayerView* view = Root()->GetView())
        view->AddLayer(layer);
}

void CEditorInterface::DeleteLayer(ILayer* layer) {
    if (CMultilayerView* view = Root()->GetView())
        view->DeleteLayer(layer);
}

void CEditorInterface::SetBGLayer(ILayer* layer) {
    if (CMultilayerView* view = Root()->GetView())
        view->SetBGLayer(layer);
}

ILayer* CEditorInterface::GetLayerFromPoint(const CPoint& point) {
    CMultilayerView* view = Root()->GetView();
    return view ? view->GetLayerFromPoint(point) : nullptr;
}

#define ZARNI_FORWARD_MOVE(name)                      \
    void CEditorInterface::name(BOOL extend) {        \
        if (CCaretNavigator* navigator = Navigator()) \
            navigator->name(extend);                  \
    }
ZARNI_FORWARD_MOVE(MoveHome)
ZARNI_FORWARD_MOVE(MoveEnd)
ZARNI_FORWARD_MOVE(MoveDocHome)
ZARNI_FORWARD_MOVE(MoveDocEnd)
ZARNI_FORWARD_MOVE(MovePageDown)
ZARNI_FORWARD_MOVE(MovePageUp)
ZARNI_FORWARD_MOVE(MoveDown)
ZARNI_FORWARD_MOVE(MoveUp)
ZARNI_FORWARD_MOVE(MoveLeft)
ZARNI_FORWARD_MOVE(MoveRight)
#undef ZARNI_FORWARD_MOVE

void CEditorInterface::MoveTo(int line, int unit, BOOL extend) {
    if (CCaretNavigator* navigator = Navigator())
        navigator->MoveTo(line, unit, extend);
}

void CEditorInterface::SetEditorMode(FORMAT_TYPE mode) {
    if (CEditorView* view = View())
        view->SetMode(mode);
}
