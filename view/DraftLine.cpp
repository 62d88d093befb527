// CDraftLine: unit-by-unit filling of a wrap-mode line.
#include "view/DraftLine.h"

#include <algorithm>

#include "model/Delimiters.h"
#include "platform/base/Check.h"
#include "view/LinePiece.h"

int CDraftLine::Feed(const CLinePiece& piece, int first) {
    const int n = piece.GetUnitCount();
    if (first < 0 || first >= n || m_ended)
        return 0;
    if (piece.IsObject()) {
        const CSize& cell = piece.GetCell(first);
        if (m_end > m_home && m_right - m_left + cell.cx > m_maxWidth)
            return 0;
        m_right += cell.cx;
        Grow(1, cell.cy);
        return 1;
    }
    const CDelimiters& delimiters = CDelimiters::Instance();
    // Room left on the line; the first unit of an empty line is placed whatever its width.
    int64_t room = static_cast<int64_t>(m_maxWidth) - (m_right - m_left);
    const bool empty = m_end == m_home;
    const int checkFrom = piece.GetFirstBreak();
    int i = first;
    int cy = 0;
    int32_t right = m_right;
    for (; i < n; ++i) {
        const CSize& cell = piece.GetCell(i);
        if (i >= checkFrom && delimiters.IsLineBreak(piece.GetUnit(i))) {
            right += cell.cx;
            m_ended = TRUE;
            cy = std::max<int>(cy, cell.cy);
            ++i;
            break;
        }
        if (cell.cx > room && !(empty && i == first))
            break;
        room -= cell.cx;
        right += cell.cx;
        cy = std::max<int>(cy, cell.cy);
    }
    const int count = i - first;
    if (count == 0)
        return 0;
    m_right = right;
    Grow(count, cy);
    return count;
}

void CDraftLine::Grow(int count, int cy) {
    if (m_bottom - m_top < cy)
        m_bottom = m_top + cy;
    m_end += count;
}

void CDraftLine::MoveTo(const CPoint& pt) {
    m_right = pt.x + (m_right - m_left);
    m_bottom = pt.y + (m_bottom - m_top);
    m_left = pt.x;
    m_top = pt.y;
}

void CDraftLine::OffsetPos(int delta) {
    m_home += delta;
    m_end += delta;
}

void CDraftLine::OffsetY(int delta) {
    m_top += delta;
    m_bottom += delta;
}

void CDraftLine::Reset() {
    m_left = m_top = m_right = m_bottom = 0;
    m_home = m_end = 0;
    m_ended = FALSE;
    m_maxWidth = 0;
    m_lineSpace = 0;
}

void CDraftLine::AssertValid() const {
    ZARNI_CHECK(m_right >= m_left && m_bottom >= m_top && m_end >= m_home && m_home >= 0 &&
                    !(m_ended && m_end == m_home),
                "CDraftLine: rect (%d,%d,%d,%d) range (%d,%d) ended %d", m_left, m_top, m_right,
                m_bottom, m_home, m_end, m_ended);
}
