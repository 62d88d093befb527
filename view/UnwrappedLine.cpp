// CUnwrappedLine: placing whole pieces on the single line.
#include "view/UnwrappedLine.h"

#include "view/LinePiece.h"

int CUnwrappedLine::Feed(const CLinePiece& piece, int first) {
    const int n = piece.GetUnitCount();
    if (first < 0 || first >= n)
        return 0;
    const int count = n - first;
    m_right += count * piece.GetCellSize().cx;
    Grow(count, piece.GetCellSize().cy);
    return count;
}

void CUnwrappedLine::OffsetX(int indent) {
    m_left += indent;
    m_right += indent;
}
