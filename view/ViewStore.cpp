// CViewStore: building, relayout and geometry of the view's lines.
#include "view/ViewStore.h"

#include <algorithm>
#include <cstdint>

#include "model/Doc.h"
#include "model/Paragraph.h"
#include "model/ZarniParaInfo.h"
#include "platform/base/Check.h"
#include "view/DraftLine.h"
#include "view/LineBuilder.h"
#include "view/LinePiece.h"
#include "view/UnwrappedLine.h"
#include "view/ViewHost.h"

CViewStore::CViewStore(IViewHost* host) : m_host(host), m_detail(host) {
    CreateLine(0, 0, CPoint(0, 0));
}

CViewStore::~CViewStore() {
    DeleteLines(0, GetLineObjectCount());
}

int CViewStore::DocLength() const {
    IDoc* doc = m_host ? m_host->GetDocument() : nullptr;
    return doc ? doc->GetLength() : 0;
}

int CViewStore::LaidOutLength() const {
    return m_lines.GetSize() ? m_lines[m_lines.GetSize() - 1]->GetDocRange().end : 0;
}

ILine* CViewStore::GetLine(int i) const {
    return i >= 0 && i < GetLineObjectCount() ? m_lines[static_cast<uint32_t>(i)].get() : nullptr;
}

// ---- Building ----

ILine* CViewStore::CreateLine(int width, int start, const CPoint& origin) {
    zarni::CZarniParaInfo info;
    if (CParagraph* paragraph = m_host ? m_host->GetParagraph() : nullptr)
        info = paragraph->GetParaInfo(start);
    std::unique_ptr<ILine> line;
    if (m_mode == FT_SINGLELINE) {
        auto unwrapped = std::make_unique<CUnwrappedLine>();
        unwrapped->SetLineSpace(info.GetLineSapce());
        unwrapped->OffsetX(info.GetLeftIndent());
        line = std::move(unwrapped);
    } else {
        auto draft =
            std::make_unique<CDraftLine>(width - info.GetLeftIndent() - info.GetRightIndent());
        draft->SetLineSpace(info.GetLineSapce());
        draft->SetStart(start);
        draft->MoveTo(CPoint(origin.x + info.GetLeftIndent(), origin.y));
        line = std::move(draft);
    }
    ILine* created = line.get();
    m_lines.InsertAt(static_cast<uint32_t>(m_current + 1), std::move(line));
    ++m_current;
    return created;
}

int CViewStore::Feed(const CLinePiece& piece) {
    const int n = piece.GetUnitCount();
    if (n == 0)
        return 0;
    if (m_current < 0 || m_current >= GetLineObjectCount()) {
        m_current = GetLineObjectCount() - 1;
        CreateLine(m_size.cx, LaidOutLength(), CPoint(0, 0));
    }
    int placed = 0;
    for (;;) {
        ILine* line = m_lines[static_cast<uint32_t>(m_current)].get();
        const int took = line->Feed(piece, placed);
        placed += took;
        if (placed >= n)
            return 1;
        // A new line always takes its first unit; guard against looping on one that does not.
        if (took == 0 && line->GetDocRange().IsEmpty())
            return 0;
        CreateLine(m_size.cx, line->GetDocRange().end, CPoint(0, line->GetRect().bottom));
    }
}

void CViewStore::EndBuild() {
    ApplyPendingDeltas();
}

void CViewStore::ApplyPendingDeltas() {
    if (!m_shiftPending)
        return;
    m_shiftPending = false;
    const int dy = m_lines[static_cast<uint32_t>(m_current)]->GetRect().bottom - m_oldBottom;
    for (int i = m_current + 1; i < GetLineObjectCount(); ++i) {
        m_lines[static_cast<uint32_t>(i)]->OffsetY(dy);
        m_lines[static_cast<uint32_t>(i)]->OffsetPos(m_posDelta);
    }
    m_posDelta = 0;
}

void CViewStore::DeleteLines(int first, int count) {
    m_lines.RemoveAt(static_cast<uint32_t>(first), static_cast<uint32_t>(count));
}

void CViewStore::RebuildAll() {
    m_pendingHome = -1;
    DeleteLines(0, GetLineObjectCount());
    m_current = -1;
    m_shiftPending = false;
    m_posDelta = 0;
    m_detail.Clear();
    CreateLine(m_size.cx, 0, CPoint(0, 0));
    CLineBuilder::Instance().Build(m_host, CRange(0, DocLength()), this);
    m_firstChanged = 0;
}

void CViewStore::Relayout(int first, int last, int posDelta) {
    m_firstChanged = first;
    const int home = m_lines[static_cast<uint32_t>(first)]->GetDocRange().home;
    const int end = m_lines[static_cast<uint32_t>(last)]->GetDocRange().end + posDelta;
    m_oldBottom = m_lines[static_cast<uint32_t>(last)]->GetRect().bottom;
    DeleteLines(first, last - first + 1);
    // The line before the stretch becomes current: it is ended, full, or takes the first
    // units of the stretch when they now fit.
    m_current = first - 1;
    if (m_current < 0)
        CreateLine(m_size.cx, 0, CPoint(0, 0));
    m_posDelta = posDelta;
    m_shiftPending = true;
    CLineBuilder::Instance().Build(m_host, CRange(home, end), this);
    // An empty stretch builds nothing and so never reaches EndBuild.
    ApplyPendingDeltas();
}

// ---- Relayout after changes ----

int CViewStore::ParagraphEndLine(int from) const {
    for (int i = std::max(from, 0); i < GetLineObjectCount(); ++i) {
        if (m_lines[static_cast<uint32_t>(i)]->IsEnded())
            return i;
    }
    return GetLineObjectCount() - 1;
}

int CViewStore::FirstAffectedLine(int pos) const {
    int line = GetLineOfPos(pos);
    if (line > 0 && pos > 0 && pos == m_lines[static_cast<uint32_t>(line)]->GetDocRange().home &&
        !m_lines[static_cast<uint32_t>(line - 1)]->IsEnded())
        --line;
    return line;
}

void CViewStore::HoldLayout() {
    m_held = true;
    // Its units would go stale while the document changes unseen.
    m_detail.Clear();
}

void CViewStore::NotePending(int pos, int removed, int added) {
    const int64_t end = int64_t{pos} + removed;
    if (m_pendingHome < 0) {
        m_pendingHome = pos;
        m_pendingOldEnd = m_pendingNewEnd = static_cast<int>(end);
    } else {
        // Past the stretch, current positions are old ones shifted by what it gained.
        const int gained = m_pendingNewEnd - m_pendingOldEnd;
        m_pendingHome = std::min(m_pendingHome, pos);
        m_pendingNewEnd = static_cast<int>(std::max<int64_t>(m_pendingNewEnd, end));
        m_pendingOldEnd = m_pendingNewEnd - gained;
    }
    m_pendingNewEnd += added - removed;
}

BOOL CViewStore::ReleaseLayout() {
    if (!m_held)
        return FALSE;
    m_held = false;
    if (m_pendingHome < 0 || LayoutStopped()) {
        m_pendingHome = -1;
        FollowWithDetail();
        return FALSE;
    }
    const int home = m_pendingHome, oldEnd = m_pendingOldEnd, newEnd = m_pendingNewEnd;
    m_pendingHome = -1;
    const int delta = newEnd - oldEnd;
    m_lastChangedPos = newEnd > 0 ? newEnd - 1 : -1;
    if (home < 0 || oldEnd > LaidOutLength() || int64_t{LaidOutLength()} + delta != DocLength()) {
        RebuildAll();
    } else {
        // From the line that may take the stretch's first units to the end of the paragraph
        // holding the stretch's old end.
        Relayout(FirstAffectedLine(home), ParagraphEndLine(GetLineOfPos(oldEnd)), delta);
    }
    m_detail.Clear();
    FollowWithDetail();
    return TRUE;
}

BOOL CViewStore::OnInserted(int pos, int count) {
    if (count <= 0 || LayoutStopped())
        return FALSE;
    if (m_held) {
        NotePending(pos, 0, count);
        return FALSE;
    }
    const int oldLength = LaidOutLength();
    if (pos < 0 || pos > oldLength || int64_t{oldLength} + count != DocLength()) {
        // The notice does not match the lines: lay everything out again.
        m_lastChangedPos = -1;
        RebuildAll();
    } else {
        m_lastChangedPos = pos + count - 1;
        // The lines still describe the old text, where the inserted units do not exist yet:
        // the stretch ends with the old paragraph holding pos.
        Relayout(FirstAffectedLine(pos), ParagraphEndLine(GetLineOfPos(pos)), count);
        m_detail.OnInserted(pos, count);
    }
    FollowWithDetail();
    return TRUE;
}

BOOL CViewStore::OnDeleted(int pos, int count) {
    if (count <= 0 || LayoutStopped())
        return FALSE;
    if (m_held) {
        NotePending(pos, count, 0);
        return FALSE;
    }
    const int oldLength = LaidOutLength();
    if (pos < 0 || int64_t{pos} + count > oldLength || oldLength - count != DocLength()) {
        m_lastChangedPos = -1;
        RebuildAll();
    } else {
        m_lastChangedPos = pos - 1;
        // From the unit before the deleted ones (the line above may take what follows) to the
        // end of the paragraph holding the first unit after them, which a deleted break joins.
        Relayout(GetLineOfPos(pos - 1), ParagraphEndLine(GetLineOfPos(pos + count)), -count);
        m_detail.OnDeleted(pos, count);
    }
    FollowWithDetail();
    return TRUE;
}

BOOL CViewStore::OnFormatChanged(int pos, int count) {
    if (LayoutStopped())
        return FALSE;
    const int length = DocLength();
    const CRange changed(std::max(pos, 0),
                         static_cast<int>(std::min<int64_t>(int64_t{pos} + count, length)));
    if (changed.IsEmpty())
        return FALSE;
    if (m_held) {
        NotePending(changed.home, changed.Length(), changed.Length());
        return FALSE;
    }
    m_lastChangedPos = changed.end - 1;
    if (LaidOutLength() != length) {
        RebuildAll();
    } else {
        Relayout(FirstAffectedLine(changed.home), ParagraphEndLine(GetLineOfPos(changed.end)), 0);
        m_detail.OnFormatChanged(changed.home, changed.Length());
    }
    FollowWithDetail();
    return TRUE;
}

BOOL CViewStore::OnParaChanged(const CRange& range) {
    if (LayoutStopped())
        return FALSE;
    const int length = DocLength();
    if (m_held) {
        const CRange changed(std::clamp(range.home, 0, length), std::clamp(range.end, 0, length));
        NotePending(changed.home, changed.Length(), changed.Length());
        return FALSE;
    }
    if (length == 0) {
        // The empty document's one line takes the current paragraph info.
        m_lastChangedPos = -1;
        RebuildAll();
        FollowWithDetail();
        return TRUE;
    }
    const CRange changed(std::max(range.home, 0), std::min(range.end, length));
    if (changed.IsEmpty())
        return FALSE;
    m_lastChangedPos = changed.end - 1;
    if (LaidOutLength() != length) {
        RebuildAll();
    } else {
        // The build covers the affected lines, which hold the whole paragraphs of the range.
        Relayout(FirstAffectedLine(changed.home), ParagraphEndLine(GetLineOfPos(changed.end - 1)),
                 0);
    }
    FollowWithDetail();
    return TRUE;
}

CRect CViewStore::GetChangedRect() const {
    if (m_viewPort.IsRectEmpty())
        return CRect();
    int top = m_viewPort.top;
    if (m_firstChanged >= 0 && m_firstChanged <= GetLineObjectCount())
        top = std::max(top, static_cast<int>(GetLineRect(m_firstChanged).top));
    if (top >= m_viewPort.bottom)
        return CRect();
    return CRect(m_viewPort.left, top, m_viewPort.right, m_viewPort.bottom);
}

// ---- Size, view port and mode ----

void CViewStore::SetSize(const CSize& requested) {
    const CSize size(std::max<int>(requested.cx, 0), std::max<int>(requested.cy, 0));
    const CSize old = m_size;
    m_size = size;
    m_viewPort = CRect(m_viewPort.TopLeft(), size);
    if (size.cx != old.cx) {
        if (size.cx == 0) {
            m_detail.Clear();
        } else {
            RebuildAll();
            const int bottom = GetLineRect(GetLineObjectCount() - 1).bottom;
            CPoint origin = m_viewPort.TopLeft();
            if (bottom <= origin.y)
                origin.y = bottom - size.cy;
            if (bottom <= size.cy)
                origin.y = 0;
            if (origin != m_viewPort.TopLeft()) {
                m_prevViewPort = m_viewPort;
                m_viewPort = CRect(origin, size);
            }
        }
    }
    FollowWithDetail();
}

BOOL CViewStore::SetViewPort(const CPoint& origin) {
    if (origin == m_viewPort.TopLeft())
        return FALSE;
    m_prevViewPort = m_viewPort;
    m_viewPort = CRect(origin, m_size);
    FollowWithDetail();
    return TRUE;
}

void CViewStore::SetMode(int mode) {
    if ((mode != FT_SINGLELINE && mode != FT_WRAP) || mode == m_mode)
        return;
    m_mode = mode;
    if (LayoutStopped())
        return;
    RebuildAll();
    FollowWithDetail();
}

void CViewStore::FollowWithDetail() {
    if (LayoutStopped() || m_held || m_viewPort.IsRectEmpty()) {
        m_detail.Clear();
        return;
    }
    const CRange visible = GetVisibleRange();
    m_detail.MoveWindow(visible);
    m_detail.Refresh(visible);
}

// ---- Geometry ----

int CViewStore::GetLineCount() const {
    const int n = GetLineObjectCount();
    return n > 0 && m_lines[static_cast<uint32_t>(n - 1)]->IsEnded() ? n + 1 : n;
}

CRect CViewStore::GetLineRect(int line) const {
    const int n = GetLineObjectCount();
    if (line >= 0 && line < n)
        return m_lines[static_cast<uint32_t>(line)]->GetRect();
    if (line == n && n > 0) {
        const CRect last = m_lines[static_cast<uint32_t>(n - 1)]->GetRect();
        return CRect(last.left, last.bottom, last.left + kLastLineWidth,
                     last.bottom + kLastLineHeight);
    }
    return CRect();
}

CRect CViewStore::GetUnitRect(int line, int unit) const {
    const int n = GetLineObjectCount();
    if (line == n)
        return GetLineRect(n);
    if (line < 0 || line > n)
        return CRect();
    const ILine* l = m_lines[static_cast<uint32_t>(line)].get();
    int x = 0;
    CSize cell;
    if (!m_detail.GetUnitOffset(l->GetDocRange(), unit, x, cell))
        return CRect();
    const CRect rect = l->GetRect();
    return CRect(rect.left + x, rect.bottom - cell.cy, rect.left + x + cell.cx, rect.bottom);
}

CRange CViewStore::GetLineDocRange(int line) const {
    const int n = GetLineObjectCount();
    if (line >= 0 && line < n)
        return m_lines[static_cast<uint32_t>(line)]->GetDocRange();
    if (line == n) {
        const int length = DocLength();
        return CRange(length, length);
    }
    return CRange();
}

int CViewStore::GetLineOfPos(int pos) const {
    if (pos < 0)
        return 0;
    // The last line starting at or before pos: lines are contiguous, so pos lies in it unless
    // it is beyond every line, and then that is the last line.
    const int found = LastLineWhere([pos](const ILine* l) { return l->GetDocRange().home <= pos; });
    return found < 0 ? 0 : found;
}

void CViewStore::GetLineUnitOfPos(int pos, int& line, int& unit) const {
    const int n = GetLineObjectCount();
    if (n > 0 && pos >= LaidOutLength() && m_lines[static_cast<uint32_t>(n - 1)]->IsEnded()) {
        line = n;
        unit = 0;
        return;
    }
    line = GetLineOfPos(pos);
    const CRange range = GetLineDocRange(line);
    unit = pos >= range.home && pos < range.end ? pos - range.home : -1;
}

CRect CViewStore::GetPosRect(int pos) const {
    int line = 0, unit = -1;
    GetLineUnitOfPos(pos, line, unit);
    if (line == GetLineObjectCount())
        return GetLineRect(line);
    const CRect rect = unit >= 0 ? GetUnitRect(line, unit) : CRect();
    return rect.IsRectEmpty() ? CRect(-1, -1, -1, -1) : rect;
}

int CViewStore::GetLineAtY(int y) const {
    const int n = GetLineObjectCount();
    const int found = LastLineWhere([y](const ILine* l) { return l->GetRect().top <= y; });
    if (found < 0 && n > 0)
        return 0;  // above every line
    if (found >= 0 && y < m_lines[static_cast<uint32_t>(found)]->GetRect().bottom)
        return found;
    return n - 1;
}

CSize CViewStore::GetContentSize() const {
    return CSize(m_size.cx, GetLineRect(GetLineObjectCount() - 1).bottom + kLastLineHeight);
}

void CViewStore::GetVisibleLines(int& first, int& last) const {
    if (m_viewPort.IsRectEmpty()) {
        first = last = 0;
        return;
    }
    first = GetLineAtY(m_viewPort.top);
    last = std::min(GetLineAtY(m_viewPort.bottom) + 1, GetLineObjectCount());
    if (last < first + 1)
        last = first + 1;
}

CRange CViewStore::GetVisibleRange() const {
    int first = 0, last = 0;
    GetVisibleLines(first, last);
    if (last <= first)
        return CRange();
    return CRange(GetLineDocRange(first).home, GetLineDocRange(last - 1).end);
}

void CViewStore::AssertValid() const {
    const int n = GetLineObjectCount();
    m_lines.AssertValid();
    ZARNI_CHECK(n >= 1 && m_current >= 0 && m_current < n && !m_shiftPending,
                "CViewStore: current line %d of %d", m_current, n);
    for (int i = 0; i < n; ++i) {
        const ILine* line = m_lines[static_cast<uint32_t>(i)].get();
        line->AssertValid();
        const CRange range = line->GetDocRange();
        const CRect rect = line->GetRect();
        if (i == 0) {
            ZARNI_CHECK(range.home == 0 && rect.top == 0,
                        "CViewStore: the first line starts at position %d, y %d", range.home,
                        rect.top);
            continue;
        }
        const ILine* prev = m_lines[static_cast<uint32_t>(i - 1)].get();
        ZARNI_CHECK(range.home == prev->GetDocRange().end && rect.top == prev->GetRect().bottom &&
                        !range.IsEmpty(),
                    "CViewStore: line %d is empty, or not contiguous with the one before", i);
    }
    if (!LayoutStopped() && !m_held) {
        ZARNI_CHECK(m_mode != FT_SINGLELINE || n == 1, "CViewStore: single-line mode with %d lines",
                    n);
        ZARNI_CHECK(LaidOutLength() == DocLength(), "CViewStore: lines cover %d of %d units",
                    LaidOutLength(), DocLength());
    }
    if (!LayoutStopped() && !m_held)
        m_detail.AssertValid();
}
