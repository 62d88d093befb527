// Layer stack, composition and reporting to the host window.
#include "view/MultilayerView.h"

#include "core/UiTexts.h"
#include "platform/ui/WinUser.h"
#include "view/ViewHost.h"

CMultilayerView::CMultilayerView(IViewHost* host)
    : m_host(host), m_editorView(std::make_unique<CEditorView>(host)) {
    m_builtin = std::make_unique<CBackgroundLayer>();
    m_background = m_builtin.get();
    m_editorView->AddSizeListener(this);
    if (CRedrawSwitch* redraw = host ? host->GetRedrawSwitch() : nullptr) {
        redraw->AddListener(this);
    }
    AddLayer(m_background);
    AddLayer(m_editorView.get());
}

CMultilayerView::~CMultilayerView() {
    if (CRedrawSwitch* redraw = m_host ? m_host->GetRedrawSwitch() : nullptr) {
        redraw->RemoveListener(this);
    }
    for (int i = static_cast<int>(m_layers.GetSize()) - 1; i >= 0; --i) {
        m_layers[i]->DeleteListener(this);
    }
    m_layers.RemoveAll();
    m_editorView->DeleteSizeListener(this);
    m_editorView.reset();
    m_builtin.reset();
    m_background = nullptr;
}

int CMultilayerView::IndexOf(ILayer* layer) const {
    for (uint32_t i = 0; i < m_layers.GetSize(); ++i) {
        if (m_layers[i] == layer)
            return static_cast<int>(i);
    }
    return -1;
}

int CMultilayerView::OrderOf(ILayer* layer) {
    return m_order->GetLayerOrder(layer->GetName());
}

void CMultilayerView::SetLayerOrderProvider(ILayerOrderProvider* provider) {
    m_order = provider ? provider : &m_builtinOrder;
}

void CMultilayerView::AddLayer(ILayer* layer) {
    if (layer == nullptr)
        return;
    if (m_size.cx != 0 || m_size.cy != 0)
        layer->SetSize(m_size);
    const int order = OrderOf(layer);
    uint32_t at = m_layers.GetSize();
    for (uint32_t i = 0; i < m_layers.GetSize(); ++i) {
        if (OrderOf(m_layers[i]) > order) {
            at = i;
            break;
        }
    }
    m_layers.InsertAt(at, layer);
    layer->AddListener(this);
}

void CMultilayerView::RemoveAt(int index) {
    m_layers[static_cast<uint32_t>(index)]->DeleteListener(this);
    m_layers.RemoveAt(static_cast<uint32_t>(index), 1);
}

void CMultilayerView::DeleteLayer(ILayer* layer) {
    const int index = IndexOf(layer);
    if (index < 0)
        return;
    RemoveAt(index);
    if (m_redraw && m_layers.GetSize() > 0) {
        const CRect whole(0, 0, m_size.cx, m_size.cy);
        Compose(whole, 0);
        ReportChanged(whole);
    }
}

void CMultilayerView::SetBGLayer(ILayer* layer) {
    if (layer == m_background || (layer == nullptr && m_builtin))
        return;
    const int index = IndexOf(m_background);
    m_background->DeleteListener(this);
    m_builtin.reset();
    if (layer) {
        m_background = layer;
    } else {
        m_builtin = std::make_unique<CBackgroundLayer>();
        m_background = m_builtin.get();
    }
    if (index >= 0) {
        m_layers[static_cast<uint32_t>(index)] = m_background;
    } else {
        m_layers.InsertAt(0, m_background);
    }
    m_background->AddListener(this);
    m_background->SetSize(m_size);
    N_Changed(m_background, CRect(0, 0, m_size.cx, m_size.cy));
}

BOOL CMultilayerView::SetBackColor(COLORREF color) {
    if (!m_builtin) {
        MessageBoxA(nullptr, UiText(EUiText::BackColorUnsupported), "", MB_OK);
        return FALSE;
    }
    m_builtin->SetBackColor(color);
    return TRUE;
}

BOOL CMultilayerView::SetBackImage(const std::string& picture, IMAGE_PLACEMENT placement) {
    if (!m_builtin) {
        MessageBoxA(nullptr, UiText(EUiText::BackImageUnsupported), "", MB_OK);
        return FALSE;
    }
    m_builtin->SetBackImage(picture, placement);
    return TRUE;
}

ILayer* CMultilayerView::GetLayerFromPoint(const CPoint& point) {
    for (uint32_t i = m_layers.GetSize(); i > 0; --i) {
        if (m_layers[i - 1]->HitTest(point))
            return m_layers[i - 1];
    }
    return nullptr;
}

void CMultilayerView::SetSize(const CSize& size) {
    if (size == m_size)
        return;
    m_size = size;
    m_surface.reset();
    if (size.cx > 0 && size.cy > 0) {
        HWND desktop = GetDesktopWindow();
        HDC dc = desktop ? GetDC(desktop) : nullptr;
        if (dc == nullptr)
            return;
        std::unique_ptr<IXCanvas, XReleaser> surface(XCreateCanvas());
        const bool made = surface && surface->Create(dc, size.cx, size.cy);
        ReleaseDC(desktop, dc);
        if (!made)
            return;
        m_surface = std::move(surface);
    }
    for (uint32_t i = 0; i < m_layers.GetSize(); ++i)
        m_layers[i]->SetSize(size);
    N_Changed(m_background, CRect(0, 0, size.cx, size.cy));
}

void CMultilayerView::SetViewPort(const CPoint& origin) {
    const CPoint at = origin.y < 0 ? CPoint(0, 0) : origin;
    if (m_editorView)
        m_editorView->SetViewPort(at);
}

void CMultilayerView::ReDrawWnd(const CRect& rect, BOOL compose) {
    if (compose) {
        N_Changed(m_editorView.get(), rect);
    } else {
        ReportChanged(rect);
    }
}

void CMultilayerView::AddListener(IMultilayerViewListener* listener) {
    if (listener)
        m_listeners.Add(listener);
}

void CMultilayerView::DeleteListener(IMultilayerViewListener* listener) {
    for (uint32_t i = m_listeners.GetSize(); i > 0; --i) {
        if (m_listeners[i - 1] == listener)
            m_listeners.RemoveAt(i - 1, 1);
    }
}

void CMultilayerView::ReservePaintRgn(const ZarniUUID& id, const CRect& rect) {
    for (uint32_t i = 0; i < m_listeners.GetSize(); ++i)
        m_listeners[i]->N_ReservePaintRgn(id, rect);
}

void CMultilayerView::RepaintObject(ICompressStoreObj* obj) {
    if (obj && m_editorView && IsRepaintObject(obj))
        m_editorView->RepaintObject(obj);
}

void CMultilayerView::Compose(const CRect& rect, int from) {
    if (!m_editorView || !m_surface || rect.IsRectEmpty())
        return;
    // Start at the lowest layer at or below `from` that paints the rectangle opaquely.
    int start = from;
    for (int i = from; i >= 0; --i) {
        ILayer* layer = m_layers[static_cast<uint32_t>(i)];
        if (layer->Covers(rect) && !layer->IsTransparent())
            start = i;
    }
    for (uint32_t i = static_cast<uint32_t>(start); i < m_layers.GetSize(); ++i) {
        m_layers[i]->Draw(m_surface.get(), rect);
    }
}

void CMultilayerView::ReportChanged(const CRect& rect) {
    if (rect.IsRectEmpty())
        return;
    for (uint32_t i = 0; i < m_listeners.GetSize(); ++i) {
        m_listeners[i]->N_Changed(m_surface.get(), rect);
    }
}

void CMultilayerView::ComposeAndReport(const CRect& rect, int from) {
    Compose(rect, from);
    ReportChanged(rect);
}

void CMultilayerView::N_Changed(ILayer* layer, const CRect& changed) {
    if (!m_redraw)
        return;
    const int index = IndexOf(layer);
    if (index < 0)
        return;
    ComposeAndReport(changed, index);
}

void CMultilayerView::OnContextMenu(const CPoint& point) {
    for (uint32_t i = 0; i < m_listeners.GetSize(); ++i)
        m_listeners[i]->OnContextMenu(point);
}

void CMultilayerView::N_RedrawChanged(BOOL on) {
    m_redraw = on ? TRUE : FALSE;
    if (!on)
        return;
    ComposeAndReport(CRect(0, 0, m_size.cx, m_size.cy), 0);
    if (!m_editorView)
        return;
    for (uint32_t i = 0; i < m_listeners.GetSize(); ++i) {
        m_listeners[i]->N_EditorViewSizeChanged(m_editorView->GetContentSize());
        m_listeners[i]->N_EditorViewPortChanged(m_editorView->GetViewPort().TopLeft());
    }
}

void CMultilayerView::N_ViewSizeChanged(const CSize& contentSize) {
    if (!m_redraw)
        return;
    for (uint32_t i = 0; i < m_listeners.GetSize(); ++i) {
        m_listeners[i]->N_EditorViewSizeChanged(contentSize);
    }
}

void CMultilayerView::N_ViewPortChanged(const CPoint& origin) {
    if (!m_redraw)
        return;
    for (uint32_t i = 0; i < m_listeners.GetSize(); ++i) {
        m_listeners[i]->N_EditorViewPortChanged(origin);
    }
}
