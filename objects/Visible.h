// IVisible: an object that has a size and draws itself onto a drawing surface.
#pragma once

#include "platform/base/Geometry.h"

class IXCanvas;

class IVisible {
public:
    // Size in pixels; (0, 0) when there is nothing to show.
    virtual CSize GetSize() = 0;
    // Draws with the top-left corner at place's top-left. A clip whose four coordinates are
    // all -1 clips nothing; otherwise only the intersection of place and clip is drawn (an empty
    // intersection draws nothing and answers 1). Answers 0 for a null canvas or nothing to draw,
    // else 1.
    virtual int Draw(IXCanvas* canvas, const CRect& place, const CRect& clip) = 0;
    // Visibility notices from the view.
    virtual void UnVisible() = 0;
    virtual void OutOfView() = 0;
    virtual void InView(const CRect& visible) = 0;

protected:
    virtual ~IVisible() = default;
};
