// CBackgroundLayer: the built-in bottom layer, a colour with an optional placed picture.
#pragma once

#include <memory>
#include <string>

#include "platform/graphics/Morla.h"
#include "view/Layer.h"
#include "view/LayerListeners.h"

// How the background picture is placed on the layer.
enum IMAGE_PLACEMENT : int {
    IP_STRETCH = 0,  // scaled over the whole layer
    IP_CENTER = 1,   // centred at natural size
    IP_TOPLEFT = 2,
    IP_TOPRIGHT = 3,
    IP_BOTTOMLEFT = 4,
    IP_BOTTOMRIGHT = 5,
    IP_TILE = 6,  // tiled from the top left
};

// Opaque; covers every rectangle. The picture is rendered once per layer size into a
// cached surface, from which each drawn rectangle is copied.
class CBackgroundLayer : public ILayer {
public:
    static const char* const kName;  // "__background"

    CBackgroundLayer() = default;
    CBackgroundLayer(const CBackgroundLayer&) = delete;
    CBackgroundLayer& operator=(const CBackgroundLayer&) = delete;
    virtual ~CBackgroundLayer() = default;

    void SetBackColor(COLORREF color);
    COLORREF GetBackColor() const { return m_color; }
    // The picture as the encoded bytes of a picture file; empty bytes remove the picture.
    // FALSE, with nothing reported, when the bytes do not decode (the old picture is gone).
    BOOL SetBackImage(const std::string& picture, IMAGE_PLACEMENT placement);
    IMAGE_PLACEMENT GetPlacement() const { return m_placement; }
    bool HasPicture() const { return static_cast<bool>(m_picture); }

    CString GetName() override { return CString(kName); }
    void SetSize(const CSize& size) override { m_size = size; }
    void Draw(IXCanvas* canvas, const CRect& rect) override;
    BOOL IsTransparent() override { return FALSE; }
    BOOL Covers(const CRect&) override { return TRUE; }
    void AddListener(ILayerListener* listener) override { m_listeners.AddListener(listener); }
    void DeleteListener(ILayerListener* listener) override { m_listeners.DeleteListener(listener); }
    void OnContextMenu(const CPoint& point) override { m_listeners.OnContextMenu(point); }
    void OnNotify(uintptr_t) override {}
    BOOL HitTest(const CPoint& point) override;

private:
    using CanvasPtr = std::unique_ptr<IXCanvas, XReleaser>;
    void ReportWhole();
    // The picture drawn by placement over the background colour, at the layer size.
    CanvasPtr Render();

    CanvasPtr m_picture;    // the decoded picture at its natural size
    CanvasPtr m_rendering;  // cached rendering for m_renderedSize
    CSize m_renderedSize;
    COLORREF m_color = 0xFFFFFF;
    zarni::CLayerListeners m_listeners;
    CSize m_size;
    IMAGE_PLACEMENT m_placement = IP_STRETCH;
};
