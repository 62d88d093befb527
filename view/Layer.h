// ILayer and ILayerListener: one layer of what the window shows, and who hears its changes.
#pragma once

#include <cstdint>

#include "platform/base/Geometry.h"
#include "platform/base/String.h"
#include "platform/base/WinTypes.h"

class IXCanvas;
class ILayer;

class ILayerListener {
public:
    // The rectangle of the layer that changed, in layer coordinates.
    virtual void N_Changed(ILayer* layer, const CRect& changed) = 0;
    virtual void OnContextMenu(const CPoint& point) = 0;

protected:
    ~ILayerListener() = default;
};

// A layer covers (0, 0, cx, cy) of the view. The view orders layers by their names.
class ILayer {
public:
    virtual CString GetName() = 0;
    virtual void SetSize(const CSize& size) = 0;
    // Paints the part of the layer inside rect onto the surface.
    virtual void Draw(IXCanvas* canvas, const CRect& rect) = 0;
    // TRUE when layers below show through.
    virtual BOOL IsTransparent() = 0;
    // TRUE when the layer paints every pixel of rect.
    virtual BOOL Covers(const CRect& rect) = 0;
    virtual void AddListener(ILayerListener* listener) = 0;
    virtual void DeleteListener(ILayerListener* listener) = 0;
    virtual void OnContextMenu(const CPoint& point) = 0;
    // A host-defined notice; the built-in layers ignore it.
    virtual void OnNotify(uintptr_t value) = 0;
    // TRUE when the point lies in (0, 0, cx, cy).
    virtual BOOL HitTest(const CPoint& point) = 0;

protected:
    ~ILayer() = default;
};
