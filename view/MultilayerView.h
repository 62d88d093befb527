// CMultilayerView: the stack of layers composed into one surface for the window.
#pragma once

#include <memory>
#include <set>
#include <string>

#include "core/ZarniArray.h"
#include "model/RedrawSwitch.h"
#include "objects/ObjectPaintHost.h"
#include "platform/graphics/Morla.h"
#include "view/BackgroundLayer.h"
#include "view/EditorView.h"
#include "view/Layer.h"
#include "view/LayerOrder.h"
#include "view/MultilayerViewListener.h"

class IViewHost;

// Owns the built-in background ("__background") and the editor view ("__view"); host
// layers are never destroyed here. A layer's change is composed from the lowest layer
// that paints the changed rectangle fully and opaquely, up to the top, and the host is
// told which rectangle of the surface changed. While redraw is off nothing is composed
// and nothing reaches the host.
class CMultilayerView : public ILayerListener,
                        public IRedrawListener,
                        public IViewSizeListener,
                        public IObjectPaintHost {
public:
    explicit CMultilayerView(IViewHost* host);
    virtual ~CMultilayerView();
    CMultilayerView(const CMultilayerView&) = delete;
    CMultilayerView& operator=(const CMultilayerView&) = delete;

    CEditorView* GetEditorView() const { return m_editorView.get(); }
    CCaret* GetCaret() const { return m_editorView ? m_editorView->GetCaret() : nullptr; }

    // Inserted by order number (after equal ones), sized and listened to; null ignored.
    void AddLayer(ILayer* layer);
    // Removed (not destroyed) and the view repainted; absent layers are ignored.
    void DeleteLayer(ILayer* layer);
    // Replaces the background layer; null restores the built-in one.
    void SetBGLayer(ILayer* layer);
    // Work only on the built-in background: with a host background they show a message
    // and answer FALSE.
    BOOL SetBackColor(COLORREF color);
    BOOL SetBackImage(const std::string& picture, IMAGE_PLACEMENT placement);
    // The topmost layer accepting the point, or null.
    ILayer* GetLayerFromPoint(const CPoint& point);
    // New size for the surface and every layer; everything is composed and reported.
    void SetSize(const CSize& size);
    const CSize& GetSize() const { return m_size; }
    // Passes the origin to the editor view (a negative y means (0, 0)) and tells the host.
    void SetViewPort(const CPoint& origin);
    // Recomposes (compose TRUE) and reports, or only reports, the rectangle.
    void ReDrawWnd(const CRect& rect, BOOL compose);
    BOOL IsRedrawOn() const { return m_redraw; }
    // Installs a layer-order provider for later insertions; null restores the built-in one.
    void SetLayerOrderProvider(ILayerOrderProvider* provider);
    void AddListener(IMultilayerViewListener* listener);
    void DeleteListener(IMultilayerViewListener* listener);

    // IObjectPaintHost: objects whose repaint requests pass through to the editor view.
    void ReservePaintRgn(const ZarniUUID& id, const CRect& rect) override;
    void AddRepaintObject(ICompressStoreObj* obj) override { m_objects.insert(obj); }
    void RemoveRepaintObject(ICompressStoreObj* obj) override { m_objects.erase(obj); }
    void RepaintObject(ICompressStoreObj* obj) override;
    bool IsRepaintObject(ICompressStoreObj* obj) const { return m_objects.count(obj) != 0; }

    IXCanvas* GetSurface() const { return m_surface.get(); }
    uint32_t GetLayerCount() const { return m_layers.GetSize(); }
    ILayer* GetLayer(uint32_t index) const { return m_layers[index]; }
    ILayer* GetBGLayer() const { return m_background; }

    // ILayerListener: a layer changed.
    void N_Changed(ILayer* layer, const CRect& changed) override;
    void OnContextMenu(const CPoint& point) override;
    // IRedrawListener: switching on composes and reports everything.
    void N_RedrawChanged(BOOL on) override;
    // IViewSizeListener: passed on to the host while redraw is on.
    void N_ViewSizeChanged(const CSize& contentSize) override;
    void N_ViewPortChanged(const CPoint& origin) override;

private:
    int IndexOf(ILayer* layer) const;
    void Compose(const CRect& rect, int from);
    void ComposeAndReport(const CRect& rect, int from);
    void ReportChanged(const CRect& rect);
    void RemoveAt(int index);
    int OrderOf(ILayer* layer);

    IViewHost* m_host;  // not owned
    std::unique_ptr<CEditorView> m_editorView;
    ILayer* m_background = nullptr;               // m_builtin, or the host's layer
    std::unique_ptr<CBackgroundLayer> m_builtin;  // null while a host layer is the background
    CZarniArray<ILayer*> m_layers;                // bottom first
    CBuiltinLayerOrder m_builtinOrder;
    ILayerOrderProvider* m_order = &m_builtinOrder;
    CZarniArray<IMultilayerViewListener*> m_listeners;  // not owned
    std::unique_ptr<IXCanvas, XReleaser> m_surface;     // null while the size is 0
    CSize m_size;
    BOOL m_redraw = TRUE;
    std::set<ICompressStoreObj*> m_objects;  // not owned
};
