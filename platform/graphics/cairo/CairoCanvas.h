// CCairoCanvas: a drawing surface on a Cairo ARGB32 image surface.
#pragma once

#include <cstdint>

#include "platform/graphics/Morla.h"
#include "platform/graphics/cairo/Handles.h"

// Pixels are premultiplied ARGB; a new surface is fully transparent until cleared or
// painted. Copies (CopyTo, StretchTo, CopyToDC) composite the source over the target, so
// an opaque source is copied exactly and a transparent one lets the target show through.
// Every operation answers FALSE for null arguments, objects of another factory, or a
// surface that was never created (CalcText alone works without a surface), and TRUE
// without drawing for an empty or inverted rectangle or size. Everything is clipped to
// the target.
class CCairoCanvas final : public IXCanvas {
public:
    static constexpr int kMaxSide = 32767;
    static constexpr int64_t kMaxPixels = int64_t(1) << 26;

    CCairoCanvas();
    ~CCairoCanvas();

    void Release() override;
    int GetWidth() override { return m_width; }
    int GetHeight() override { return m_height; }
    // Paints onto the cairo_t of the context; FALSE for a null context or one without
    // a cairo_t.
    BOOL CopyToDC(HDC dc, int x, int y, int cx, int cy, int srcX, int srcY) override;
    BOOL CopyTo(IXCanvas* dst, int x, int y, int cx, int cy, int srcX, int srcY) override;
    // Bilinear scaling; the source rectangle is limited to this surface, and its edge
    // pixels are repeated rather than mixed with what lies outside it.
    BOOL StretchTo(IXCanvas* dst, int x, int y, int cx, int cy, int srcX, int srcY, int srcCx,
                   int srcCy) override;
    BOOL FillRect(IXBrush* brush, const RECT* rect) override;
    // FALSE for cx or cy outside 1..kMaxSide or more than kMaxPixels pixels; the context
    // (may be null) is not looked at, every surface is an image surface. A failed Create
    // keeps the earlier surface.
    BOOL Create(HDC dc, int cx, int cy) override;
    // Key 255 (and 0) blends by the picture's own alpha. Any other key is a COLORREF:
    // pixels of exactly that colour become transparent, the rest blend by their alpha.
    BOOL DrawImageBlend(IXImage* image, const RECT* dest, int srcX, int srcY, int cx, int cy,
                        int key) override;
    // Scales the selected frame into dest, blending by its alpha.
    BOOL DrawImage(IXImage* image, const RECT* dest) override;
    // The part (srcX, srcY, cx, cy) of the picture, placed as if the whole picture's top
    // left were at dest's, clipped to dest; the picture's alpha is ignored.
    BOOL DrawImagePart(IXImage* image, const RECT* dest, int srcX, int srcY, int cx,
                       int cy) override;
    // Draws unit by unit, each at the sum of the advances before it, the line's top at
    // rect->top; not clipped to rect. The format word is not interpreted.
    BOOL DrawText(const CString& text, IXFont* font, RECT* rect, UINT format,
                  IXBrush* color) override;
    // result = {0, 0, width, height} (see CFontFace::MeasureText); bounds and format are
    // not interpreted. On failure result is left as it was.
    BOOL CalcText(const CString& text, IXFont* font, UINT format, const RECT* bounds,
                  RECT* result) override;
    BOOL Clear(COLORREF color) override;
    BOOL SetClip(const RECT* rect) override;

    // The colour at (x, y) with premultiplication undone, or CLR_INVALID outside the
    // surface; its alpha (0-255), or -1 outside.
    COLORREF GetPixel(int x, int y) const;
    int GetPixelAlpha(int x, int y) const;
    cairo_surface_t* Surface() const { return m_surface.get(); }
    // Writes the surface to a PNG file (for looking at what was drawn); FALSE on failure.
    BOOL WritePng(const char* path);
    // The context that draws on the surface (null before Create); a window backend or a
    // test may wrap it in an HDC to paint onto this surface.
    cairo_t* Context() { return Cr(); }

    void AssertValid() const;

private:
    // Draws part (srcX, srcY, cx, cy) of a picture surface whose whole lies at dest.
    void DrawPicturePart(cairo_surface_t* source, const RECT* dest, int srcX, int srcY, int cx,
                         int cy);
    // The context drawing on m_surface, renewed when it is in an error state; null
    // without a surface.
    cairo_t* Cr();
    // Raw premultiplied pixel, or false outside the surface.
    bool ReadPixel(int x, int y, uint32_t* argb) const;

    CSurfacePtr m_surface;
    CCairoPtr m_cr;  // draws on m_surface
    int m_width = 0;
    int m_height = 0;
};
