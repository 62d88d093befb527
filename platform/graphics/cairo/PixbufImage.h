// CPixbufImage: a picture decoded by gdk-pixbuf, with every frame of an animated GIF.
#pragma once

#include <vector>

#include "platform/graphics/Morla.h"
#include "platform/graphics/cairo/Handles.h"

// Holds the frames of the picture (one for a still picture), each a fully composed
// picture of the same size with its delay, the bytes the picture was decoded from, and
// the frame that drawing uses. Pixels never change after loading, so duplicates share the
// decoded frames; Cairo surfaces for drawing are made on first use.
class CPixbufImage final : public IXImage {
public:
    // Pictures larger than this (per side or in pixels over all frames) are refused.
    static constexpr int kMaxSide = 16384;
    static constexpr int64_t kMaxPixels = int64_t(1) << 26;
    static constexpr int kMaxFrames = 4096;

    CPixbufImage();
    ~CPixbufImage();

    void Release() override;
    // Accepts PNG, JPEG, GIF and BMP bytes (recognised by their signature); flags are
    // ignored. On failure the picture keeps what it held before.
    BOOL Load(const void* data, DWORD length, DWORD flags) override;
    int GetWidth() override;
    int GetHeight() override;
    // Code 6: exactly the loaded bytes, or PNG for a picture made by LoadPixels. Other
    // codes and an empty picture: FALSE. The buffer is given back with FreeBuffer.
    BOOL Encode(int code, BYTE** buffer, DWORD* length) override;
    void FreeBuffer(BYTE* buffer) override;
    // Null for an empty picture.
    IXImage* Duplicate() override;
    // 0 for an empty picture, 1 for a still one.
    int GetFrameCount() override;
    // FALSE, and no change, for an index outside the frames.
    BOOL SelectFrame(int index) override;
    // Hundredths of a second per frame; 0 for a still picture.
    std::vector<int> GetFrameDelays() override;

    // Makes a still picture from rows of non-premultiplied RGBA bytes (width * 4 per
    // row); it has no original bytes.
    BOOL LoadPixels(int width, int height, const BYTE* rgba);
    int GetSelectedFrame() const { return m_selected; }
    bool IsEmpty() const { return m_frames.empty(); }

    // Cairo surfaces (ARGB32) of the selected frame, owned by the picture: premultiplied
    // for blending, or with every pixel's alpha forced to 255 for opaque drawing. Null for
    // an empty picture.
    cairo_surface_t* BlendSurface();
    cairo_surface_t* OpaqueSurface();
    // The selected frame with pixels whose colour equals key made fully transparent, the
    // rest blended by their own alpha.
    CSurfacePtr KeyedSurface(COLORREF key);

    void AssertValid() const;

private:
    struct SFrame {
        CGObjectPtr<GdkPixbuf> pixbuf;
        int delay = 0;  // hundredths of a second
        CSurfacePtr blend;
        CSurfacePtr opaque;
    };

    // Replaces the content; original may be empty.
    void Adopt(std::vector<SFrame> frames, std::vector<BYTE> original);

    std::vector<SFrame> m_frames;
    std::vector<BYTE> m_original;
    int m_selected = 0;  // index into m_frames, 0 when empty
};
