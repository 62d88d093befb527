// The built-in background: colour fill, or a picture rendered by placement.
#include "view/BackgroundLayer.h"

#include "platform/ui/WinUser.h"

const char* const CBackgroundLayer::kName = "__background";

namespace {

// A surface compatible with the desktop's context; null when there is none.
IXCanvas* CreateDesktopCanvas(int cx, int cy) {
    HWND desktop = GetDesktopWindow();
    HDC dc = desktop ? GetDC(desktop) : nullptr;
    if (dc == nullptr)
        return nullptr;
    IXCanvas* canvas = XCreateCanvas();
    if (canvas && !canvas->Create(dc, cx, cy)) {
        canvas->Release();
        canvas = nullptr;
    }
    ReleaseDC(desktop, dc);
    return canvas;
}

}  // namespace

void CBackgroundLayer::ReportWhole() {
    m_listeners.N_Changed(this, CRect(0, 0, m_size.cx, m_size.cy));
}

void CBackgroundLayer::SetBackColor(COLORREF color) {
    m_color = color;
    m_rendering.reset();
    ReportWhole();
}

BOOL CBackgroundLayer::SetBackImage(const std::string& picture, IMAGE_PLACEMENT placement) {
    m_picture.reset();
    m_rendering.reset();
    if (!picture.empty()) {
        std::unique_ptr<IXImage, XReleaser> image(XCreateImage());
        if (!image || !image->Load(picture.data(), static_cast<DWORD>(picture.size()), 0)) {
            return FALSE;
        }
        const int w = image->GetWidth(), h = image->GetHeight();
        CanvasPtr surface(CreateDesktopCanvas(w, h));
        if (!surface)
            return FALSE;
        const RECT whole = {0, 0, w, h};
        surface->DrawImage(image.get(), &whole);
        m_picture = std::move(surface);
    }
    m_placement = placement;
    ReportWhole();
    return TRUE;
}

BOOL CBackgroundLayer::HitTest(const CPoint& point) {
    return CRect(0, 0, m_size.cx, m_size.cy).PtInRect(point) ? TRUE : FALSE;
}

CBackgroundLayer::CanvasPtr CBackgroundLayer::Render() {
    CanvasPtr out(CreateDesktopCanvas(m_size.cx, m_size.cy));
    if (!out)
        return out;
    out->Clear(m_color);
    const int cx = m_size.cx, cy = m_size.cy;
    const int w = m_picture->GetWidth(), h = m_picture->GetHeight();
    if (w <= 0 || h <= 0)
        return out;
    auto place = [&](int x, int y, int width, int height) {
        m_picture->StretchTo(out.get(), x, y, width, height, 0, 0, w, h);
    };
    switch (m_placement) {
        case IP_STRETCH:
            place(0, 0, cx, cy);
            break;
        case IP_CENTER: {
            const int dx = (cx - w) / 2, dy = (cy - h) / 2;
            place(dx, dy, cx - 2 * dx, cy - 2 * dy);
            break;
        }
        case IP_TOPLEFT:
            place(0, 0, w, h);
            break;
        case IP_TOPRIGHT:
            place(cx - w, 0, w, h);
            break;
        case IP_BOTTOMLEFT:
            place(0, cy - h, w, h);
            break;
        case IP_BOTTOMRIGHT:
            place(cx - w, cy - h, w, h);
            break;
        case IP_TILE:
            for (int x = 0; x < cx; x += w) {
                for (int y = 0; y < cy; y += h)
                    place(x, y, w, h);
            }
            break;
        default:
            place(0, 0, cx, cy);
            break;
    }
    return out;
}

void CBackgroundLayer::Draw(IXCanvas* canvas, const CRect& rect) {
    if (canvas == nullptr || rect.IsRectEmpty() || m_size.cx <= 0 || m_size.cy <= 0)
        return;
    if (!m_picture) {
        m_rendering.reset();
        std::unique_ptr<IXBrush, XReleaser> brush(XCreateBrush());
        if (!brush)
            return;
        brush->SetColor(m_color);
        const RECT r = rect;
        canvas->FillRect(brush.get(), &r);
        return;
    }
    if (!m_rendering || m_renderedSize != m_size) {
        m_rendering = Render();
        m_renderedSize = m_size;
    }
    if (m_rendering) {
        m_rendering->CopyTo(canvas, rect.left, rect.top, rect.Width(), rect.Height(), rect.left,
                            rect.top);
    }
}
