// CUnwrappedLine: placing whole pieces on the single line.
#include "view/UnwrappedLine.h"

#include <algorithm>

#include "view/LinePiece.h"

int CUnwrappedLine::Feed(const CLinePiece& piece, int first) {
    const int n = piece.GetUnitCount();
    if (first < 0 || first >= n)
        return 0;
    int cy = 0;
    for (int i = first; i < n; ++i) {
        const CSize& cell = piece.GetCell(i);
        m_right += cell.cx;
        cy = std::max<int>(cy, cell.cy);
    }
    Grow(n - first, cy);
    return n - first;
}

void CUnwrappedLine::OffsetX(int indent) {
    m_left += indent;
    m_right += indent;
}
