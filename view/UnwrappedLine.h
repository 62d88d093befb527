// CUnwrappedLine: the single line of single-line mode, which takes every unit it is given.
#pragma once

#include "view/DraftLine.h"

// Shares the draft line's rectangle, range and line space but has no width limit and never
// ends: line-break units are placed like any other unit.
class CUnwrappedLine : public CDraftLine {
public:
    CUnwrappedLine() = default;

    int Feed(const CLinePiece& piece, int first) override;
    void SetEnded() override {}
    // Moves the rectangle right by the paragraph's left indent.
    void OffsetX(int indent);
};
