// IMultilayerViewListener: the host window's side of the composed view.
#pragma once

#include "objects/ZarniUUID.h"
#include "platform/base/Geometry.h"

class IXCanvas;

class IMultilayerViewListener {
public:
    // The rectangle of the composition surface that changed and must reach the screen.
    virtual void N_Changed(IXCanvas* surface, const CRect& changed) = 0;
    virtual void N_ReservePaintRgn(const ZarniUUID& id, const CRect& rect) = 0;
    virtual void OnContextMenu(const CPoint& point) = 0;
    virtual void N_EditorViewSizeChanged(const CSize& contentSize) = 0;
    virtual void N_EditorViewPortChanged(const CPoint& origin) = 0;

protected:
    ~IMultilayerViewListener() = default;
};
