// ILine: one laid-out line of the view, holding its document range and its rectangle.
#pragma once

#include "core/Range.h"
#include "platform/base/Geometry.h"
#include "platform/base/WinTypes.h"

class CLinePiece;

// Rectangles are in content coordinates. GetRect adds the paragraph's line space below the
// content height, so the lines of a store stack without gaps.
class ILine {
public:
    // Places units of piece from index first on; answers how many were placed.
    virtual int Feed(const CLinePiece& piece, int first) = 0;
    // Marks the line as ended by a line-break unit (a no-op where lines never end).
    virtual void SetEnded() = 0;
    virtual BOOL IsEnded() const = 0;
    virtual CRange GetDocRange() const = 0;
    // right - left: the summed width of the placed units.
    virtual int GetContentWidth() const = 0;
    // (left, top, right, bottom + line space).
    virtual CRect GetRect() const = 0;
    // Moves the top-left corner to pt, keeping width and height.
    virtual void MoveTo(const CPoint& pt) = 0;
    // An empty range at pos.
    virtual void SetStart(int pos) = 0;
    virtual void OffsetPos(int delta) = 0;
    virtual void OffsetY(int delta) = 0;
    // Everything back to zero.
    virtual void Reset() = 0;
    virtual void SetLineSpace(int space) = 0;
    virtual int GetLineSpace() const = 0;
    // Aborts unless the rectangle and the range are well formed.
    virtual void AssertValid() const = 0;
    virtual ~ILine() = default;
};
