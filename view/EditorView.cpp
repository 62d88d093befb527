// The editor view: following changes, scrolling, hit testing, reporting and painting.
#include "view/EditorView.h"

#include <algorithm>

#include "format/ColorInfo.h"
#include "format/FontInfo.h"
#include "format/FormatInfo.h"
#include "links/LinkManager.h"
#include "model/Delimiters.h"
#include "model/Doc.h"
#include "model/Paragraph.h"
#include "model/RedrawSwitch.h"
#include "model/WordString.h"
#include "objects/CompressStoreObj.h"
#include "objects/ExternalObj.h"
#include "platform/graphics/Morla.h"
#include "view/CaretNavigator.h"
#include "view/DetailStore.h"
#include "view/ViewHost.h"

const char* const CEditorView::kName = "__view";

namespace {
constexpr COLORREF kSelectionFill = 0xB40713;
constexpr COLORREF kSelectionText = 0xFFFFFF;
// Text inside a link: underlined, in blue.
constexpr COLORREF kLinkText = 0xFF0000;
// Auto-scroll keeps the last changed line this far above the view port's bottom.
constexpr int kAutoScrollMargin = 12;
}  // namespace

// Document changes: relayout after them (priority 4).
class CEditorView::CDocFollower final : public IDocListener {
public:
    explicit CDocFollower(CEditorView& view) : m_view(view) {}
    DocListener_Priority GetDocPriority() override { return DLP_VIEW; }
    void N_Inserting(int, int) override {}
    void N_Inserted(int pos, int count) override {
        if (m_view.m_store.OnInserted(pos, count))
            m_view.AfterRelayout();
    }
    void N_Deleting(int, int) override {}
    void N_Deleted(int pos, int count) override {
        if (m_view.m_store.OnDeleted(pos, count))
            m_view.AfterRelayout();
    }

private:
    CEditorView& m_view;
};

// Font and colour changes, announced as insertions over the range (priority 1).
class CEditorView::CFormatFollower final : public IDocListener {
public:
    explicit CFormatFollower(CEditorView& view) : m_view(view) {}
    DocListener_Priority GetDocPriority() override { return DLP_FORMAT; }
    void N_Inserting(int, int) override {}
    void N_Inserted(int pos, int count) override {
        if (m_view.m_store.OnFormatChanged(pos, count))
            m_view.AfterRelayout();
    }
    void N_Deleting(int, int) override {}
    void N_Deleted(int, int) override {}

private:
    CEditorView& m_view;
};

class CEditorView::CParaFollower final : public IParaListener {
public:
    explicit CParaFollower(CEditorView& view) : m_view(view) {}
    void N_ParaChanged(const CRange& range) override {
        if (m_view.m_store.OnParaChanged(range))
            m_view.AfterRelayout();
    }
    int GetParaPriority() override { return PLP_VIEW; }

private:
    CEditorView& m_view;
};

// Layout holds of the redraw switch: changes are noted while held and laid out, scrolled to
// and reported once when the hold ends.
class CEditorView::CHoldFollower final : public IRedrawListener {
public:
    explicit CHoldFollower(CEditorView& view) : m_view(view) {}
    void N_RedrawChanged(BOOL) override {}
    void N_LayoutHeld(BOOL held) override {
        if (held) {
            m_view.m_store.HoldLayout();
            return;
        }
        if (m_view.m_store.ReleaseLayout())
            m_view.AfterRelayout();
        if (!m_view.m_heldChange.IsEmpty()) {
            m_view.AddToBatch(m_view.GetBandOfRange(m_view.m_heldChange));
            m_view.m_heldChange = CRange();
        }
        m_view.FlushBatch();
    }

private:
    CEditorView& m_view;
};

// Reports the accumulated band once, after the view's own handlers: it listens to the
// document (7), the format store (1034) and the paragraph store (1026).
class CEditorView::CBatcher {
public:
    explicit CBatcher(CEditorView& view)
        : m_doc(view, DLP_VIEW_BATCHER), m_format(view, DLP_FORMAT_BATCHER), m_para(view) {}

    class CDocPart : public IDocListener {
    public:
        CDocPart(CEditorView& view, DocListener_Priority priority)
            : m_view(view), m_priority(priority) {}
        DocListener_Priority GetDocPriority() override { return m_priority; }
        void N_Inserting(int, int) override {}
        void N_Inserted(int, int) override { m_view.FlushBatch(); }
        void N_Deleting(int, int) override {}
        void N_Deleted(int, int) override { m_view.FlushBatch(); }

    private:
        CEditorView& m_view;
        DocListener_Priority m_priority;
    };
    class CParaPart : public IParaListener {
    public:
        explicit CParaPart(CEditorView& view) : m_view(view) {}
        void N_ParaChanged(const CRange&) override { m_view.FlushBatch(); }
        int GetParaPriority() override { return PLP_VIEW_BATCHER; }

    private:
        CEditorView& m_view;
    };

    CDocPart m_doc;
    CDocPart m_format;
    CParaPart m_para;
};

CEditorView::CEditorView(IViewHost* host)
    : m_host(host),
      m_store(host),
      m_caret(std::make_unique<CCaret>(this)),
      m_navigator(std::make_unique<CCaretNavigator>(this)),
      m_docFollower(std::make_unique<CDocFollower>(*this)),
      m_formatFollower(std::make_unique<CFormatFollower>(*this)),
      m_paraFollower(std::make_unique<CParaFollower>(*this)),
      m_batcher(std::make_unique<CBatcher>(*this)),
      m_holdFollower(std::make_unique<CHoldFollower>(*this)) {
    if (!m_host)
        return;
    if (CRedrawSwitch* redraw = m_host->GetRedrawSwitch()) {
        redraw->AddListener(m_holdFollower.get());
        if (redraw->IsLayoutHeld())
            m_store.HoldLayout();
    }
    if (CEditorListeners* listeners = m_host->GetEditorListeners())
        listeners->Add(this);
    if (CParagraph* paragraph = m_host->GetParagraph()) {
        paragraph->AddParaListener(m_paraFollower.get());
        paragraph->AddParaListener(&m_batcher->m_para);
    }
    if (IDoc* doc = m_host->GetDocument()) {
        doc->AddListener(m_docFollower.get());
        doc->AddListener(&m_batcher->m_doc);
    }
    if (CFormatInfo* formats = m_host->GetFormatInfo()) {
        formats->AddFormatListener(m_formatFollower.get());
        formats->AddFormatListener(&m_batcher->m_format);
    }
}

CEditorView::~CEditorView() {
    if (m_host) {
        if (CFormatInfo* formats = m_host->GetFormatInfo()) {
            formats->DeleteFormatListener(&m_batcher->m_format);
            formats->DeleteFormatListener(m_formatFollower.get());
        }
        if (IDoc* doc = m_host->GetDocument()) {
            doc->DeleteListener(&m_batcher->m_doc);
            doc->DeleteListener(m_docFollower.get());
        }
        if (CParagraph* paragraph = m_host->GetParagraph()) {
            paragraph->DeleteParaListener(&m_batcher->m_para);
            paragraph->DeleteParaListener(m_paraFollower.get());
        }
        if (CEditorListeners* listeners = m_host->GetEditorListeners())
            listeners->Remove(this);
        if (CRedrawSwitch* redraw = m_host->GetRedrawSwitch())
            redraw->RemoveListener(m_holdFollower.get());
    }
    m_navigator.reset();
    m_caret.reset();
}

void CEditorView::AddSizeListener(IViewSizeListener* listener) {
    if (listener)
        m_sizeListeners.Add(listener);
}

void CEditorView::DeleteSizeListener(IViewSizeListener* listener) {
    for (uint32_t i = m_sizeListeners.GetSize(); i > 0; --i) {
        if (m_sizeListeners[i - 1] == listener)
            m_sizeListeners.RemoveAt(i - 1, 1);
    }
}

void CEditorView::ReportSize() {
    const CSize content = GetContentSize();
    for (uint32_t i = 0; i < m_sizeListeners.GetSize(); ++i) {
        m_sizeListeners[i]->N_ViewSizeChanged(content);
    }
}

void CEditorView::SetViewPort(const CPoint& origin) {
    m_store.SetViewPort(origin);
    for (uint32_t i = 0; i < m_sizeListeners.GetSize(); ++i) {
        m_sizeListeners[i]->N_ViewPortChanged(origin);
    }
    const CRect& port = GetViewPort();
    m_layerListeners.N_Changed(this, CRect(0, 0, port.Width(), port.Height()));
}

void CEditorView::BringLineIntoView(int line) {
    const CRect r = GetLineRect(line);
    const CRect& port = GetViewPort();
    if (r.IsRectEmpty() || port.Height() <= 0)
        return;
    int top = port.top;
    if (r.bottom > port.bottom)
        top = r.bottom - port.Height();
    if (r.top < top)
        top = r.top;
    if (top != port.top)
        SetViewPort(CPoint(port.left, std::max(0, top)));
}

void CEditorView::SetMode(int mode) {
    m_store.SetMode(mode);
    ReportSize();
    const CRect& port = GetViewPort();
    m_layerListeners.N_Changed(this, CRect(0, 0, port.Width(), port.Height()));
}

void CEditorView::AutoScroll() {
    if (m_store.GetMode() != FT_WRAP || !m_store.GetAutoScroll())
        return;
    const int pos = m_store.GetLastChangedPos();
    if (pos < 0)
        return;
    const CRect line = GetLineRect(GetLineOfPos(pos));
    const CRect& port = GetViewPort();
    const int height = port.Height();
    int top = port.top;
    if (line.bottom > port.top + height - kAutoScrollMargin) {
        top = line.bottom - height + kAutoScrollMargin;
    } else if (line.top < port.top) {
        top = line.top;
    }
    if (top == port.top)
        return;
    const CPoint origin(port.left, std::max(0, top));
    m_store.SetViewPort(origin);
    for (uint32_t i = 0; i < m_sizeListeners.GetSize(); ++i) {
        m_sizeListeners[i]->N_ViewPortChanged(origin);
    }
    AddToBatch(CRect(0, 0, port.Width(), port.Height()));
}

void CEditorView::AfterRelayout() {
    AutoScroll();
    ReportSize();
    const CRect& port = GetViewPort();
    CRect changed = m_store.GetChangedRect();
    if (m_store.GetFirstChangedLine() < 0)
        changed = port;
    changed.OffsetRect(-port.left, -port.top);
    AddToBatch(changed);
    // Lines may have moved under the caret: place it again at its position.
    if (m_caret)
        m_caret->SetCaretByPos(m_caret->GetPos(), m_caret->IsAfter());
}

void CEditorView::AddToBatch(const CRect& layerRect) {
    const CRect& port = GetViewPort();
    CRect r = layerRect & CRect(0, 0, port.Width(), port.Height());
    if (r.IsRectEmpty())
        return;
    m_batch = m_batch.IsRectEmpty() ? r : (m_batch | r);
}

void CEditorView::FlushBatch() {
    if (m_batch.IsRectEmpty())
        return;
    const CRect r = m_batch;
    m_batch.SetRectEmpty();
    m_layerListeners.N_Changed(this, r);
}

void CEditorView::SetSize(const CSize& size) {
    const CPoint before = GetViewPort().TopLeft();
    m_store.SetSize(size);
    ReportSize();
    const CPoint after = GetViewPort().TopLeft();
    if (after != before) {
        for (uint32_t i = 0; i < m_sizeListeners.GetSize(); ++i) {
            m_sizeListeners[i]->N_ViewPortChanged(after);
        }
    }
    if (m_caret)
        m_caret->SetCaretByPos(m_caret->GetPos(), m_caret->IsAfter());
}

BOOL CEditorView::Covers(const CRect& rect) {
    const CRect& port = GetViewPort();
    return (rect.left >= 0 && rect.top >= 0 && rect.right <= port.Width() &&
            rect.bottom <= port.Height())
               ? TRUE
               : FALSE;
}

BOOL CEditorView::HitTest(const CPoint& point) {
    const CRect& port = GetViewPort();
    return CRect(0, 0, port.Width(), port.Height()).PtInRect(point) ? TRUE : FALSE;
}

HitInfo CEditorView::HitTest(const CPoint& point, BOOL exact) {
    HitInfo hit;
    const int objects = m_store.GetLineObjectCount();
    if (objects == 0) {
        hit.line = 0;
        hit.unit = 0;
        hit.type = HIT_OUTSIDE;
        return hit;
    }
    const int count = GetLineCount();
    int line = -1;
    for (int candidate : {m_store.GetLineAtY(point.y), count - 1}) {
        const CRect r = GetLineRect(candidate);
        if (point.y >= r.top && point.y < r.bottom) {
            line = candidate;
            break;
        }
    }
    if (line < 0) {
        hit.type = HIT_BESIDE;
        hit.line = count - 1;
        if (exact) {
            hit.unit = -1;
            return hit;
        }
        line = hit.line;
    }
    hit.line = line;
    if (line == objects) {  // the empty line after a final break
        hit.unit = 0;
        hit.type = HIT_UNIT;
        return hit;
    }
    const CRange range = GetLineDocRange(line);
    const CDetailStore& detail = m_store.GetDetailStore();
    const CRange window = detail.GetWindow();
    if (range.home < window.home || range.end > window.end) {
        hit.type = HIT_OUTSIDE;
        return hit;
    }
    int x = point.x - GetLineRect(line).left;
    const int n = range.end - range.home;
    if (!exact) {
        for (int i = 0; i < n; ++i) {
            const CDetailUnit* u = detail.GetUnit(range.home + i);
            if (x < u->cx / 2) {
                hit.unit = i;
                hit.type = HIT_UNIT;
                return hit;
            }
            x -= u->cx;
        }
        const bool ended =
            n > 0 && CDelimiters::Instance().IsLineBreak(detail.GetUnit(range.end - 1)->unit);
        hit.unit = ended ? n - 1 : n;
        hit.type = HIT_UNIT;
        return hit;
    }
    if (x < 0) {
        hit.type = HIT_BESIDE;
        hit.unit = -1;
        return hit;
    }
    for (int i = 0; i < n; ++i) {
        const CDetailUnit* u = detail.GetUnit(range.home + i);
        if (x < u->cx) {
            hit.unit = i;
            hit.type = u->object ? HIT_OBJECT : HIT_UNIT;
            hit.object = u->object;
            return hit;
        }
        x -= u->cx;
    }
    hit.type = HIT_OUTSIDE;
    hit.unit = -1;
    return hit;
}

BOOL CEditorView::NoteHeldChange(const CRange& range) {
    if (!m_store.IsHeld())
        return FALSE;
    if (!range.IsEmpty())
        m_heldChange = m_heldChange.IsEmpty() ? range
                                              : CRange(std::min(m_heldChange.home, range.home),
                                                       std::max(m_heldChange.end, range.end));
    return TRUE;
}

CRect CEditorView::GetBandOfRange(const CRange& range) const {
    if (range.end <= range.home)
        return CRect();
    const CRect& port = GetViewPort();
    const CRect first = GetLineRect(GetLineOfPos(range.home));
    const CRect last = GetLineRect(GetLineOfPos(range.end - 1));
    const int top = std::max(0, first.top - port.top);
    const int bottom = std::min(last.bottom - port.top, top + port.Height());
    return CRect(0, top, port.Width(), bottom);
}

void CEditorView::N_EditorNotify(uintptr_t value) {
    RepaintObject(reinterpret_cast<ICompressStoreObj*>(value));
}

void CEditorView::RepaintObject(ICompressStoreObj* obj) {
    if (obj == nullptr)
        return;
    const int pos = m_store.GetDetailStore().FindObject(obj->GetID());
    if (pos < 0)
        return;
    CRect r = GetPosRect(pos);
    if (r.IsRectEmpty() || r.left < 0)
        return;
    const CRect& port = GetViewPort();
    r.OffsetRect(-port.left, -port.top);
    m_soleObject = m_store.GetDetailStore().GetUnit(pos)->object;
    m_solePlace = r;
    m_layerListeners.N_Changed(this, r);
    m_soleObject = nullptr;
}

namespace {

// Draws the runs of one line: text grouped by format run, link and selection state,
// objects by their own drawing, the line's final break not at all. Text inside a link is
// drawn underlined in the link colour unless it is selected.
class CLinePainter {
public:
    CLinePainter(IXCanvas* canvas, const CRect& clip, IXFont* font, IXBrush* brush,
                 CLinkManager* links)
        : m_canvas(canvas), m_clip(clip), m_font(font), m_brush(brush), m_links(links) {}

    void PaintLine(const CDetailStore& detail, const CRange& range, const CRect& lineRect,
                   const CRange& selection) {
        const auto& runs = detail.GetRuns();
        const int home = detail.GetWindow().home;
        size_t run = 0;
        if (m_links)
            m_links->GetLinks(range, m_linkRuns);
        size_t link = 0;
        int x = lineRect.left;
        int groupStart = -1, groupX = 0, groupHeight = 0;
        bool groupSelected = false;
        size_t groupRun = 0, groupLink = 0;
        CWordString groupUnits;
        auto flush = [&](int endX) {
            if (groupStart >= 0 && groupUnits.GetSize() > 0) {
                const CRect r(groupX, lineRect.bottom - groupHeight, endX, lineRect.bottom);
                DrawGroup(groupUnits, r, runs[groupRun], groupSelected, InLink(groupLink));
            }
            groupStart = -1;
            groupUnits.RemoveAll();
            groupHeight = 0;
        };
        for (int pos = range.home; pos < range.end; ++pos) {
            const CDetailUnit* u = detail.GetUnit(pos);
            if (u == nullptr)
                break;
            while (run + 1 < runs.size() && home + runs[run + 1].start <= pos)
                ++run;
            while (link + 1 < m_linkRuns.size() && m_linkRuns[link + 1].range.home <= pos)
                ++link;
            const bool selected = pos >= selection.home && pos < selection.end;
            if (u->object || CDelimiters::Instance().IsLineBreak(u->unit)) {
                flush(x);
                if (u->object) {
                    const CRect place(x, lineRect.bottom - u->cy, x + u->cx, lineRect.bottom);
                    if (IVisible* visible = VisibleOf(u->object)) {
                        visible->Draw(m_canvas, place, m_clip);
                    }
                }
            } else {
                if (groupStart >= 0 &&
                    (run != groupRun || link != groupLink || selected != groupSelected))
                    flush(x);
                if (groupStart < 0) {
                    groupStart = pos;
                    groupX = x;
                    groupRun = run;
                    groupLink = link;
                    groupSelected = selected;
                }
                groupUnits.InsertAt(groupUnits.GetSize(), u->unit);
                groupHeight = std::max(groupHeight, static_cast<int>(u->cy));
            }
            x += u->cx;
        }
        flush(x);
    }

private:
    // Whether link run i carries a link (not the empty one).
    bool InLink(size_t i) const {
        return i < m_linkRuns.size() && m_linkRuns[i].link &&
               m_linkRuns[i].link->GetType() != LINK_TYPE_NONE;
    }

    void DrawGroup(const CWordString& units, const CRect& r, const CDetailRun& run, bool selected,
                   bool linked) {
        if (!(r & m_clip).IsRectEmpty() || m_clip.IsRectEmpty()) {
            if (selected) {
                m_brush->SetColor(kSelectionFill);
                const RECT fill = r;
                m_canvas->FillRect(m_brush, &fill);
            }
            const bool linkLook = linked && !selected;
            LOGFONTA lf = run.font.GetLogFont();
            if (linkLook)
                lf.lfUnderline = 1;
            CFontInfo font = linkLook ? CFontInfo(lf) : run.font;
            if (!(font.GetID() == m_fontId)) {
                m_font->SetLogFont(0, &lf);
                m_fontId = font.GetID();
            }
            COLORREF color = linkLook ? kLinkText : run.color.GetColor();
            if (selected)
                color = kSelectionText;
            m_brush->SetColor(color);
            RECT textRect = r;
            m_canvas->DrawText(units.c_str(), m_font, &textRect, XTEXT_DRAW_FORMAT, m_brush);
        }
    }

    IXCanvas* m_canvas;
    CRect m_clip;
    IXFont* m_font;
    IXBrush* m_brush;
    CLinkManager* m_links;             // may be null
    std::vector<SLinkRun> m_linkRuns;  // the links of the line being painted
    ZarniUUID m_fontId;
};

}  // namespace

void CEditorView::Draw(IXCanvas* canvas, const CRect& rect) {
    if (canvas == nullptr || rect.IsRectEmpty())
        return;
    const CRect& port = GetViewPort();
    if (m_soleObject) {
        if (IVisible* visible = VisibleOf(m_soleObject))
            visible->Draw(canvas, m_solePlace, CRect(-1, -1, -1, -1));
        return;
    }
    std::unique_ptr<IXFont, XReleaser> font(XCreateFont());
    std::unique_ptr<IXBrush, XReleaser> brush(XCreateBrush());
    if (!font || !brush)
        return;
    const CRange selection = m_host ? m_host->GetHighlightedSelection() : CRange();
    const RECT clip = rect;
    canvas->SetClip(&clip);
    CLinePainter painter(canvas, rect, font.get(), brush.get(),
                         m_host ? m_host->GetLinks() : nullptr);
    int first = 0, last = 0;
    GetVisibleLines(first, last);
    const CRect content = rect + port.TopLeft();
    const CDetailStore& detail = m_store.GetDetailStore();
    for (int line = first; line < last; ++line) {
        CRect lineRect = GetLineRect(line);
        if ((lineRect & content).IsRectEmpty() && lineRect.Height() > 0) {
            if (lineRect.top >= content.bottom)
                break;
            continue;
        }
        lineRect.OffsetRect(-port.left, -port.top);
        painter.PaintLine(detail, GetLineDocRange(line), lineRect, selection);
    }
    canvas->SetClip(nullptr);
}
