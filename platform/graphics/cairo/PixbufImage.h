// CPixbufImage: a picture decoded by gdk-pixbuf, with the frames of an animated GIF.
#pragma once

#include <cstddef>
#include <memory>
#include <vector>

#include "platform/graphics/Morla.h"
#include "platform/graphics/cairo/Handles.h"

// A picture is a shared, never-changing content (the bytes it was decoded from, the decoded
// still picture or the animation, each frame's delay) and the frame this picture draws.
// Duplicates share the content. An animation keeps its frames compressed as gdk-pixbuf
// holds them and composes a frame when it is drawn; the content keeps the drawable pixels
// of recently drawn frames, a few hundred kilobytes' worth, so that a small animation stays
// wholly composed however many duplicates play it, and a large one holds a frame or two.
class CPixbufImage final : public IXImage {
public:
    // A still picture or one frame larger than this (per side or in pixels) is refused.
    static constexpr int kMaxSide = 16384;
    static constexpr int64_t kMaxPixels = int64_t(1) << 26;
    static constexpr int kMaxFrames = 4096;
    // An animation's frames times its pixels: bounds the work of composing every frame
    // once, which a step back to an uncached frame may take.
    static constexpr int64_t kMaxAnimationPixels = int64_t(1) << 30;
    // Bytes of composed frames a content keeps; the kMinCachedFrames most recently drawn
    // ones (a frame in each drawing mode counts apart) are kept whatever their size.
    static constexpr size_t kFrameCacheBytes = 256 * 1024;
    static constexpr size_t kMinCachedFrames = 2;

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
    // Null for an empty picture. The copy shares the content and starts at the same frame.
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
    bool IsEmpty() const { return !m_content; }

    // Cairo surfaces (ARGB32) of the selected frame: premultiplied for blending, or with
    // every pixel's alpha forced to 255 for opaque drawing. They belong to the content and
    // stay valid until the next surface is asked of this picture or one sharing its
    // content. Null for an empty picture, or when the frame cannot be composed.
    cairo_surface_t* BlendSurface();
    cairo_surface_t* OpaqueSurface();
    // The selected frame with pixels whose colour equals key made fully transparent, the
    // rest blended by their own alpha.
    CSurfacePtr KeyedSurface(COLORREF key);

    void AssertValid() const;

private:
    class CContent;

    std::shared_ptr<CContent> m_content;  // null when empty
    int m_selected = 0;                   // a frame of m_content, 0 when empty
};
