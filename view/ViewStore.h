// CViewStore: the view's stack of laid-out lines, their relayout and their geometry.
#pragma once

#include <cstdint>
#include <memory>

#include "core/Range.h"
#include "core/ZarniArray.h"
#include "platform/base/Geometry.h"
#include "platform/base/WinTypes.h"
#include "view/DetailStore.h"
#include "view/FormatType.h"
#include "view/Line.h"
#include "view/LineConsumer.h"

class IViewHost;

// Owns the lines (in document order, contiguous in positions and stacked without gaps from
// y = 0) and the detail store of the visible lines. The editor view owns the store and
// forwards to it, after each change, the matching On* call: the document's N_Inserted and
// N_Deleted, the format store's change notice (its N_Inserted) and the paragraph store's
// N_ParaChanged. The store registers with nobody itself.
//
// Each On* call rebuilds only the lines of the affected paragraphs, shifts the lines after
// them, then moves the detail store's window to the visible lines. It answers whether
// anything was laid out; the hooks of the editor view (first changed line, the last changed
// position for auto-scroll, the rectangle to repaint) are read afterwards through accessors.
// A view width of 0 stops layout: changes are not laid out until a non-zero width arrives,
// which rebuilds everything.
class CViewStore : public ILineConsumer {
public:
    static constexpr int kLastLineWidth = 6;    // width of the empty line after a final break
    static constexpr int kLastLineHeight = 12;  // its height, and the content's bottom margin

    // Starts with one empty line at position 0, origin (0, 0), wrap mode, auto-scroll on,
    // view size 0 x 0 (layout stopped until SetSize gives a width).
    explicit CViewStore(IViewHost* host);
    ~CViewStore() override;
    CViewStore(const CViewStore&) = delete;
    CViewStore& operator=(const CViewStore&) = delete;

    // Building: the current line takes the piece; full lines are followed by new ones.
    // 1, or 0 for a piece without units.
    int Feed(const CLinePiece& piece) override;
    // Shifts the lines after the rebuilt stretch by the pending deltas and clears them.
    void EndBuild() override;
    // A new line after the current one, made current: width less the paragraph indents at
    // start is its maximum width, origin.x moves right by the left indent.
    ILine* CreateLine(int width, int start, const CPoint& origin);

    // Relayout after a change (see the class comment); TRUE when lines were laid out.
    BOOL OnInserted(int pos, int count);
    BOOL OnDeleted(int pos, int count);
    BOOL OnFormatChanged(int pos, int count);
    BOOL OnParaChanged(const CRange& range);
    // While held, the On* calls lay nothing out: they merge their change into one pending
    // stretch (where it starts, where it ended in the lines, where it ends in the document)
    // and answer FALSE. Release lays that stretch out in one pass, as one change would be,
    // and answers TRUE when it did; the detail store is built again for the visible lines.
    void HoldLayout();
    BOOL ReleaseLayout();
    bool IsHeld() const { return m_held; }
    // The first line rebuilt by the last relayout (0 after a full rebuild), -1 before any.
    int GetFirstChangedLine() const { return m_firstChanged; }
    // The position whose line auto-scroll brings into view after the last relayout: the last
    // changed unit, or after a deletion the unit before the deleted range (-1 for none).
    int GetLastChangedPos() const { return m_lastChangedPos; }
    // In content coordinates: from the top of the first changed line to the bottom of the
    // view port, across the view port; the whole view port when no line is marked. Empty
    // when the change lies below the view port.
    CRect GetChangedRect() const;

    // The view size. A new non-zero width rebuilds every line, then keeps the view port on
    // the content: with B the bottom of the last line, B <= view port top moves the top to
    // B - height, and B <= height moves it to 0. Width 0 stops layout and empties the detail
    // store; a height change alone keeps the lines. Then the detail store follows.
    void SetSize(const CSize& size);
    const CSize& GetSize() const { return m_size; }
    // Moves the view port's top-left corner (its size is the view size); TRUE when it moved,
    // and then the detail store follows the new visible lines.
    BOOL SetViewPort(const CPoint& origin);
    const CRect& GetViewPort() const { return m_viewPort; }
    const CRect& GetPrevViewPort() const { return m_prevViewPort; }
    // 1 wrap, 0 single line; other values are ignored. A change rebuilds every line.
    void SetMode(int mode);
    int GetMode() const { return m_mode; }
    void SetAutoScroll(BOOL on) { m_autoScroll = on ? TRUE : FALSE; }
    BOOL GetAutoScroll() const { return m_autoScroll; }

    // Line geometry. Valid line indices run from 0 to GetLineObjectCount(); the index equal
    // to that count stands for the empty line after the last one.
    int GetLineObjectCount() const { return static_cast<int>(m_lines.GetSize()); }
    // Line objects, plus 1 when the last one is ended by a line-break unit.
    int GetLineCount() const;
    // The line object i, or null.
    ILine* GetLine(int i) const;
    // The line's rectangle, line space included; for the line-count index the 6 x 12 box at
    // the left of the last line, under it; empty for other indices.
    CRect GetLineRect(int line) const;
    // The unit's cell standing on the bottom of its line rectangle, x from the detail store;
    // empty when the line is outside the detail store's window.
    CRect GetUnitRect(int line, int unit) const;
    // The line's range, its line-break unit included; (L, L) for the line-count index, L
    // the document length; empty for other indices.
    CRange GetLineDocRange(int line) const;
    // Line holding pos (home <= pos < end): 0 for a negative pos, the last line object for a
    // pos beyond every line.
    int GetLineOfPos(int pos) const;
    // Line and unit index of pos: a pos at the document end after a final line break is
    // (line-count index, 0); a pos not before its line's end has unit -1.
    void GetLineUnitOfPos(int pos, int& line, int& unit) const;
    // The unit rectangle of pos; the empty last line's box at the end after a final break;
    // (-1, -1, -1, -1) when there is no cell to show.
    CRect GetPosRect(int pos) const;
    // Line whose rectangle holds y (top <= y < bottom); 0 above the first line, else the last
    // line when none holds it.
    int GetLineAtY(int y) const;
    // (view width, bottom of the last line + 12).
    CSize GetContentSize() const;
    // Lines meeting the view port: first = line at its top, last = line at its bottom + 1
    // (at most the line-object count); (0, 0) for an empty view port.
    void GetVisibleLines(int& first, int& last) const;
    // Document range of the visible lines.
    CRange GetVisibleRange() const;

    CDetailStore& GetDetailStore() { return m_detail; }
    const CDetailStore& GetDetailStore() const { return m_detail; }

    // Aborts unless the lines are contiguous in positions, stacked without gaps from y = 0,
    // well formed, the current index is valid, single-line mode has one line, and (while
    // layout runs) the lines cover the document exactly.
    void AssertValid() const;

private:
    bool LayoutStopped() const { return m_size.cx == 0; }
    int DocLength() const;
    // Bisection over the lines for a condition that holds for a prefix of them: the last
    // line where it holds, or -1.
    template <class Pred>
    int LastLineWhere(Pred holds) const {
        int lo = 0, hi = GetLineObjectCount() - 1, found = -1;
        while (lo <= hi) {
            const int mid = lo + (hi - lo) / 2;
            if (holds(m_lines[static_cast<uint32_t>(mid)].get())) {
                found = mid;
                lo = mid + 1;
            } else {
                hi = mid - 1;
            }
        }
        return found;
    }
    // End of the last line: the document length the lines were laid out for.
    int LaidOutLength() const;
    // First line at or after from that is ended, else the last line.
    int ParagraphEndLine(int from) const;
    // The line holding pos, stepping back to the previous line when pos starts a line that
    // continues a wrapped one: a narrower unit now at pos may fit the line above, which the
    // rebuild then extends, so that line is the first one changed.
    int FirstAffectedLine(int pos) const;
    void RebuildAll();
    // While held: the document's units [pos, pos + removed) of the current text became
    // [pos, pos + added).
    void NotePending(int pos, int removed, int added);
    // Rebuilds lines first..last, whose end moves by posDelta; then the detail store follows.
    void Relayout(int first, int last, int posDelta);
    void DeleteLines(int first, int count);
    void ApplyPendingDeltas();
    void FollowWithDetail();

    IViewHost* m_host;  // not owned
    CZarniArray<std::unique_ptr<ILine>> m_lines;
    int m_current = -1;           // the line being filled
    CRect m_viewPort;             // the view port in content coordinates
    CRect m_prevViewPort;         // where it was before it last moved
    CSize m_size;                 // the view size
    int m_posDelta = 0;           // pending shift of positions after the rebuilt lines
    bool m_shiftPending = false;  // a rebuilt stretch waits for its following lines to move
    int m_oldBottom = 0;          // bottom of the stretch before it was rebuilt
    CDetailStore m_detail;
    int m_firstChanged = -1;
    int m_lastChangedPos = -1;
    int m_mode = FT_WRAP;
    BOOL m_autoScroll = TRUE;
    bool m_held = false;
    // The pending stretch while held: [m_pendingHome, m_pendingOldEnd) of the laid-out lines
    // is [m_pendingHome, m_pendingNewEnd) of the document; nothing pending while home < 0.
    int m_pendingHome = -1;
    int m_pendingOldEnd = 0;
    int m_pendingNewEnd = 0;
};
