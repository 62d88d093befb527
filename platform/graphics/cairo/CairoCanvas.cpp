// CCairoCanvas: copies, fills, pictures and text on a Cairo image surface.
#include "platform/graphics/cairo/CairoCanvas.h"

#include <cairo.h>

#include <algorithm>
#include <cmath>

#include "platform/base/Check.h"
#include "platform/graphics/DeviceContext.h"
#include "platform/graphics/cairo/PangoFont.h"
#include "platform/graphics/cairo/PixbufImage.h"
#include "platform/graphics/cairo/SolidBrush.h"

namespace {
// A half-open integer box; 64-bit so that sums of int arguments cannot overflow.
struct SBox {
    int64_t left, top, right, bottom;

    bool Empty() const { return right <= left || bottom <= top; }
    SBox Intersect(const SBox& o) const {
        return {std::max(left, o.left), std::max(top, o.top), std::min(right, o.right),
                std::min(bottom, o.bottom)};
    }
    SBox Offset(int64_t dx, int64_t dy) const {
        return {left + dx, top + dy, right + dx, bottom + dy};
    }
    int64_t Width() const { return right - left; }
    int64_t Height() const { return bottom - top; }
};

SBox BoxOf(const RECT& r) {
    return {r.left, r.top, r.right, r.bottom};
}
SBox SizeBox(int64_t x, int64_t y, int64_t cx, int64_t cy) {
    return {x, y, x + cx, y + cy};
}

// Everything a cairo_t may draw on: its clip extents in whole pixels.
SBox ClipBox(cairo_t* cr) {
    double x1, y1, x2, y2;
    cairo_clip_extents(cr, &x1, &y1, &x2, &y2);
    auto clamp = [](double v) { return static_cast<int64_t>(std::clamp(v, -1e9, 1e9)); };
    return {clamp(std::floor(x1)), clamp(std::floor(y1)), clamp(std::ceil(x2)),
            clamp(std::ceil(y2))};
}

void SetColor(cairo_t* cr, COLORREF color) {
    cairo_set_source_rgb(cr, GetRValue(color) / 255.0, GetGValue(color) / 255.0,
                         GetBValue(color) / 255.0);
}

// A copy of part of a surface, for copies whose source and target are the same.
CSurfacePtr Snapshot(cairo_surface_t* src, const SBox& part) {
    CSurfacePtr copy(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, static_cast<int>(part.Width()),
                                                static_cast<int>(part.Height())));
    CCairoPtr cr(cairo_create(copy.get()));
    cairo_set_source_surface(cr.get(), src, -static_cast<double>(part.left),
                             -static_cast<double>(part.top));
    cairo_set_operator(cr.get(), CAIRO_OPERATOR_SOURCE);
    cairo_paint(cr.get());
    return copy;
}

// Composites the part (srcX, srcY, cx, cy) of src (srcW x srcH) over cr at (x, y),
// limited to the box limit of the target.
void Blit(cairo_t* cr, cairo_surface_t* src, int srcW, int srcH, const SBox& limit, int x, int y,
          int cx, int cy, int srcX, int srcY, bool sameSurface) {
    if (cx <= 0 || cy <= 0)
        return;
    const int64_t dx = int64_t(x) - srcX, dy = int64_t(y) - srcY;  // source origin on target
    SBox part = SizeBox(srcX, srcY, cx, cy).Intersect({0, 0, srcW, srcH});
    part = part.Offset(dx, dy).Intersect(limit).Offset(-dx, -dy);
    if (part.Empty())
        return;
    CSurfacePtr snapshot;
    double originX = static_cast<double>(dx), originY = static_cast<double>(dy);
    if (sameSurface) {
        snapshot = Snapshot(src, part);
        src = snapshot.get();
        originX += static_cast<double>(part.left);
        originY += static_cast<double>(part.top);
    }
    cairo_save(cr);
    cairo_rectangle(cr, static_cast<double>(part.left + dx), static_cast<double>(part.top + dy),
                    static_cast<double>(part.Width()), static_cast<double>(part.Height()));
    cairo_clip(cr);
    cairo_set_operator(cr, CAIRO_OPERATOR_OVER);
    cairo_set_source_surface(cr, src, originX, originY);
    cairo_paint(cr);
    cairo_restore(cr);
}

// Scales the whole of src (srcW x srcH) into the box (x, y, w, h) of cr, limited to limit;
// edge pixels are repeated so the border does not fade.
void Stretch(cairo_t* cr, cairo_surface_t* src, int srcW, int srcH, const SBox& limit, double x,
             double y, double w, double h) {
    const SBox visible =
        SBox{static_cast<int64_t>(std::floor(x)), static_cast<int64_t>(std::floor(y)),
             static_cast<int64_t>(std::ceil(x + w)), static_cast<int64_t>(std::ceil(y + h))}
            .Intersect(limit);
    if (visible.Empty() || srcW <= 0 || srcH <= 0)
        return;
    // The clip is the destination box cut to the visible pixels, so that no coordinate
    // handed to Cairo's fixed-point geometry is far outside the target.
    const double left = std::max(x, static_cast<double>(visible.left));
    const double top = std::max(y, static_cast<double>(visible.top));
    const double right = std::min(x + w, static_cast<double>(visible.right));
    const double bottom = std::min(y + h, static_cast<double>(visible.bottom));
    cairo_save(cr);
    cairo_rectangle(cr, left, top, right - left, bottom - top);
    cairo_clip(cr);
    cairo_translate(cr, x, y);
    cairo_scale(cr, w / srcW, h / srcH);
    cairo_set_source_surface(cr, src, 0, 0);
    cairo_pattern_t* pattern = cairo_get_source(cr);
    cairo_pattern_set_extend(pattern, CAIRO_EXTEND_PAD);
    cairo_pattern_set_filter(pattern, CAIRO_FILTER_GOOD);
    cairo_set_operator(cr, CAIRO_OPERATOR_OVER);
    cairo_paint(cr);
    cairo_restore(cr);
}

int SurfaceWidth(cairo_surface_t* s) {
    return cairo_image_surface_get_width(s);
}
int SurfaceHeight(cairo_surface_t* s) {
    return cairo_image_surface_get_height(s);
}
}  // namespace

CCairoCanvas::CCairoCanvas() = default;
CCairoCanvas::~CCairoCanvas() = default;

void CCairoCanvas::Release() {
    delete this;
}

BOOL CCairoCanvas::Create(HDC /*dc*/, int cx, int cy) {
    if (cx <= 0 || cy <= 0 || cx > kMaxSide || cy > kMaxSide || int64_t(cx) * cy > kMaxPixels)
        return FALSE;
    CSurfacePtr surface(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, cx, cy));
    if (cairo_surface_status(surface.get()) != CAIRO_STATUS_SUCCESS)
        return FALSE;
    CCairoPtr cr(cairo_create(surface.get()));
    if (cairo_status(cr.get()) != CAIRO_STATUS_SUCCESS)
        return FALSE;
    m_cr = std::move(cr);  // the old context goes before its surface
    m_surface = std::move(surface);
    m_width = cx;
    m_height = cy;
    return TRUE;
}

cairo_t* CCairoCanvas::Cr() {
    // A Cairo context that met an error ignores every later call; start a fresh one so
    // that one bad request cannot disable the surface.
    if (m_cr && cairo_status(m_cr.get()) != CAIRO_STATUS_SUCCESS)
        m_cr.reset(cairo_create(m_surface.get()));
    return m_cr.get();
}

BOOL CCairoCanvas::Clear(COLORREF color) {
    if (!m_cr)
        return FALSE;
    cairo_t* cr = Cr();
    cairo_save(cr);
    cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
    SetColor(cr, color);
    cairo_paint(cr);
    cairo_restore(cr);
    return TRUE;
}

BOOL CCairoCanvas::SetClip(const RECT* rect) {
    if (!m_cr)
        return FALSE;
    cairo_t* cr = Cr();
    cairo_reset_clip(cr);
    if (rect != nullptr) {
        cairo_rectangle(cr, rect->left, rect->top, static_cast<double>(rect->right) - rect->left,
                        static_cast<double>(rect->bottom) - rect->top);
        cairo_clip(cr);
    }
    return TRUE;
}

BOOL CCairoCanvas::FillRect(IXBrush* brush, const RECT* rect) {
    auto* solid = dynamic_cast<CSolidBrush*>(brush);
    if (!solid || !rect || !m_cr)
        return FALSE;
    const SBox box = BoxOf(*rect).Intersect({0, 0, m_width, m_height});
    if (box.Empty())
        return TRUE;
    cairo_t* cr = Cr();
    cairo_save(cr);
    cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
    SetColor(cr, solid->GetColor());
    cairo_rectangle(cr, static_cast<double>(box.left), static_cast<double>(box.top),
                    static_cast<double>(box.Width()), static_cast<double>(box.Height()));
    cairo_fill(cr);
    cairo_restore(cr);
    return TRUE;
}

BOOL CCairoCanvas::CopyTo(IXCanvas* dst, int x, int y, int cx, int cy, int srcX, int srcY) {
    auto* target = dynamic_cast<CCairoCanvas*>(dst);
    if (!target || !m_surface || !target->m_cr)
        return FALSE;
    Blit(target->Cr(), m_surface.get(), m_width, m_height,
         {0, 0, target->m_width, target->m_height}, x, y, cx, cy, srcX, srcY, target == this);
    return TRUE;
}

BOOL CCairoCanvas::CopyToDC(HDC dc, int x, int y, int cx, int cy, int srcX, int srcY) {
    if (!dc || !dc->cairo || !m_surface)
        return FALSE;
    auto* cr = static_cast<cairo_t*>(dc->cairo);
    if (cairo_status(cr) != CAIRO_STATUS_SUCCESS)
        return FALSE;
    Blit(cr, m_surface.get(), m_width, m_height, ClipBox(cr), x, y, cx, cy, srcX, srcY,
         cairo_get_target(cr) == m_surface.get());
    return TRUE;
}

BOOL CCairoCanvas::StretchTo(IXCanvas* dst, int x, int y, int cx, int cy, int srcX, int srcY,
                             int srcCx, int srcCy) {
    auto* target = dynamic_cast<CCairoCanvas*>(dst);
    if (!target || !m_surface || !target->m_cr)
        return FALSE;
    if (cx <= 0 || cy <= 0 || srcCx <= 0 || srcCy <= 0)
        return TRUE;
    const SBox asked = SizeBox(srcX, srcY, srcCx, srcCy);
    const SBox part = asked.Intersect({0, 0, m_width, m_height});
    if (part.Empty())
        return TRUE;
    // Shrink the destination in proportion to what was cut off the source.
    const double sx = double(cx) / srcCx, sy = double(cy) / srcCy;
    const double destX = x + (part.left - asked.left) * sx;
    const double destY = y + (part.top - asked.top) * sy;
    const CSurfacePtr source = Snapshot(m_surface.get(), part);
    Stretch(target->Cr(), source.get(), static_cast<int>(part.Width()),
            static_cast<int>(part.Height()), {0, 0, target->m_width, target->m_height}, destX,
            destY, part.Width() * sx, part.Height() * sy);
    return TRUE;
}

BOOL CCairoCanvas::DrawImage(IXImage* image, const RECT* dest) {
    auto* picture = dynamic_cast<CPixbufImage*>(image);
    if (!picture || !dest || !m_cr || picture->IsEmpty())
        return FALSE;
    cairo_surface_t* source = picture->BlendSurface();
    if (!source)
        return FALSE;
    const SBox box = BoxOf(*dest);
    if (box.Empty())
        return TRUE;
    Stretch(Cr(), source, SurfaceWidth(source), SurfaceHeight(source), {0, 0, m_width, m_height},
            static_cast<double>(box.left), static_cast<double>(box.top),
            static_cast<double>(box.Width()), static_cast<double>(box.Height()));
    return TRUE;
}

void CCairoCanvas::DrawPicturePart(cairo_surface_t* source, const RECT* dest, int srcX, int srcY,
                                   int cx, int cy) {
    // The whole picture lies at dest; its part (srcX, srcY, cx, cy) lands at the same offset.
    const SBox limit = BoxOf(*dest).Intersect({0, 0, m_width, m_height});
    Blit(Cr(), source, SurfaceWidth(source), SurfaceHeight(source), limit,
         static_cast<int>(std::clamp<int64_t>(int64_t(dest->left) + srcX, INT32_MIN, INT32_MAX)),
         static_cast<int>(std::clamp<int64_t>(int64_t(dest->top) + srcY, INT32_MIN, INT32_MAX)), cx,
         cy, srcX, srcY, false);
}

BOOL CCairoCanvas::DrawImagePart(IXImage* image, const RECT* dest, int srcX, int srcY, int cx,
                                 int cy) {
    auto* picture = dynamic_cast<CPixbufImage*>(image);
    if (!picture || !dest || !m_cr || picture->IsEmpty())
        return FALSE;
    cairo_surface_t* source = picture->OpaqueSurface();
    if (!source)
        return FALSE;
    DrawPicturePart(source, dest, srcX, srcY, cx, cy);
    return TRUE;
}

BOOL CCairoCanvas::DrawImageBlend(IXImage* image, const RECT* dest, int srcX, int srcY, int cx,
                                  int cy, int key) {
    auto* picture = dynamic_cast<CPixbufImage*>(image);
    if (!picture || !dest || !m_cr || picture->IsEmpty())
        return FALSE;
    CSurfacePtr keyed;
    cairo_surface_t* source = nullptr;
    if (key == 0 || key == 255) {
        source = picture->BlendSurface();
    } else {
        keyed = picture->KeyedSurface(static_cast<COLORREF>(key));
        source = keyed.get();
    }
    if (!source)
        return FALSE;
    DrawPicturePart(source, dest, srcX, srcY, cx, cy);
    return TRUE;
}

BOOL CCairoCanvas::DrawText(const CString& text, IXFont* font, RECT* rect, UINT /*format*/,
                            IXBrush* color) {
    auto* pango = dynamic_cast<CPangoFont*>(font);
    auto* brush = dynamic_cast<CSolidBrush*>(color);
    if (!pango || !brush || !rect || !m_cr)
        return FALSE;
    cairo_t* cr = Cr();
    cairo_save(cr);
    cairo_set_operator(cr, CAIRO_OPERATOR_OVER);
    SetColor(cr, brush->GetColor());
    pango->Face().DrawText(cr, text, rect->left, rect->top);
    cairo_restore(cr);
    return TRUE;
}

BOOL CCairoCanvas::CalcText(const CString& text, IXFont* font, UINT /*format*/,
                            const RECT* /*bounds*/, RECT* result) {
    auto* pango = dynamic_cast<CPangoFont*>(font);
    if (!pango || !result)
        return FALSE;
    const SIZE size = pango->Face().MeasureText(text);
    *result = {0, 0, size.cx, size.cy};
    return TRUE;
}

bool CCairoCanvas::ReadPixel(int x, int y, uint32_t* argb) const {
    if (!m_surface || x < 0 || y < 0 || x >= m_width || y >= m_height)
        return false;
    cairo_surface_flush(m_surface.get());
    const unsigned char* data = cairo_image_surface_get_data(m_surface.get());
    const int stride = cairo_image_surface_get_stride(m_surface.get());
    *argb = reinterpret_cast<const uint32_t*>(data + static_cast<ptrdiff_t>(y) * stride)[x];
    return true;
}

COLORREF CCairoCanvas::GetPixel(int x, int y) const {
    uint32_t argb = 0;
    if (!ReadPixel(x, y, &argb))
        return CLR_INVALID;
    const uint32_t a = argb >> 24;
    if (a == 0)
        return 0;
    auto channel = [a](uint32_t v) {
        return static_cast<BYTE>(std::min<uint32_t>(255, (v * 255 + a / 2) / a));
    };
    return RGB(channel((argb >> 16) & 0xFF), channel((argb >> 8) & 0xFF), channel(argb & 0xFF));
}

int CCairoCanvas::GetPixelAlpha(int x, int y) const {
    uint32_t argb = 0;
    return ReadPixel(x, y, &argb) ? static_cast<int>(argb >> 24) : -1;
}

void CCairoCanvas::AssertValid() const {
    bool ok;
    if (!m_surface) {
        ok = !m_cr && m_width == 0 && m_height == 0;
    } else {
        ok = m_cr && cairo_get_target(m_cr.get()) == m_surface.get() &&
             cairo_image_surface_get_width(m_surface.get()) == m_width &&
             cairo_image_surface_get_height(m_surface.get()) == m_height &&
             cairo_image_surface_get_format(m_surface.get()) == CAIRO_FORMAT_ARGB32 &&
             cairo_status(m_cr.get()) == CAIRO_STATUS_SUCCESS;
    }
    ZARNI_CHECK(ok, "CCairoCanvas: %d x %d", m_width, m_height);
}

BOOL CCairoCanvas::WritePng(const char* path) {
    if (!m_surface || path == nullptr)
        return FALSE;
    cairo_surface_flush(m_surface.get());
    return cairo_surface_write_to_png(m_surface.get(), path) == CAIRO_STATUS_SUCCESS ? TRUE : FALSE;
}
