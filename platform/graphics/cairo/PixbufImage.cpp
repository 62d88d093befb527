// CPixbufImage: decoding with gdk-pixbuf, animation frames, encoding and Cairo surfaces.
#include "platform/graphics/cairo/PixbufImage.h"

#include "platform/base/Check.h"

#include <cairo.h>
#include <gdk-pixbuf/gdk-pixbuf.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <utility>

namespace {
// The gdk-pixbuf loader for the signature at the start of the bytes, or null.
const char* LoaderType(const BYTE* p, DWORD n) {
    static const BYTE kPng[] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
    if (n >= sizeof(kPng) && std::memcmp(p, kPng, sizeof(kPng)) == 0)
        return "png";
    if (n >= 3 && p[0] == 0xFF && p[1] == 0xD8 && p[2] == 0xFF)
        return "jpeg";
    if (n >= 6 && (std::memcmp(p, "GIF87a", 6) == 0 || std::memcmp(p, "GIF89a", 6) == 0))
        return "gif";
    if (n >= 14 && p[0] == 'B' && p[1] == 'M')
        return "bmp";
    return nullptr;
}

bool SizeAllowed(int64_t width, int64_t height) {
    return width > 0 && height > 0 && width <= CPixbufImage::kMaxSide &&
           height <= CPixbufImage::kMaxSide && width * height <= CPixbufImage::kMaxPixels;
}

// The size in the header of a PNG (IHDR) or GIF (logical screen), checked before decoding
// since those loaders allocate before they can be stopped; true for other types.
bool HeaderSizeAllowed(const char* type, const BYTE* p, DWORD n) {
    if (std::strcmp(type, "png") == 0 && n >= 24) {
        auto be32 = [p](int at) {
            return (int64_t(p[at]) << 24) | (p[at + 1] << 16) | (p[at + 2] << 8) | p[at + 3];
        };
        return SizeAllowed(be32(16), be32(20));
    }
    if (std::strcmp(type, "gif") == 0 && n >= 10) {
        // A zero screen size is allowed: the loader then takes the frames' size.
        const int width = p[6] | (p[7] << 8), height = p[8] | (p[9] << 8);
        return width == 0 || height == 0 || SizeAllowed(width, height);
    }
    return true;
}

// What the loader's signals reported while decoding.
struct SLoadWatch {
    bool tooBig = false;
    std::vector<bool> rows;  // per row of the picture: decoded at least once

    bool AllRowsDecoded(int height) const {
        return static_cast<int>(rows.size()) == height &&
               std::find(rows.begin(), rows.end(), false) == rows.end();
    }
};

// Refuses oversized pictures before their pixels are allocated: the loader is told to
// scale to one pixel and the flag makes Load fail.
void OnSizePrepared(GdkPixbufLoader* loader, int width, int height, gpointer watch) {
    auto* w = static_cast<SLoadWatch*>(watch);
    if (!SizeAllowed(width, height)) {
        w->tooBig = true;
        gdk_pixbuf_loader_set_size(loader, 1, 1);
        height = 1;
    }
    w->rows.assign(static_cast<size_t>(height), false);
}

void OnAreaUpdated(GdkPixbufLoader*, int /*x*/, int y, int /*width*/, int height, gpointer watch) {
    auto* w = static_cast<SLoadWatch*>(watch);
    const int top = std::max(0, y);
    const int bottom = std::min(static_cast<int>(w->rows.size()), y + height);
    for (int row = top; row < bottom; ++row)
        w->rows[row] = true;
}

// The only pixel layout gdk-pixbuf decodes into: 8-bit RGB or RGBA.
bool UsablePixbuf(const GdkPixbuf* pixbuf) {
    return pixbuf && gdk_pixbuf_get_colorspace(pixbuf) == GDK_COLORSPACE_RGB &&
           gdk_pixbuf_get_bits_per_sample(pixbuf) == 8 &&
           (gdk_pixbuf_get_n_channels(pixbuf) == 3 || gdk_pixbuf_get_n_channels(pixbuf) == 4) &&
           SizeAllowed(gdk_pixbuf_get_width(pixbuf), gdk_pixbuf_get_height(pixbuf));
}

// Collects every frame of an animation with its delay, by stepping a time-driven
// iterator exactly one frame's delay at a time from time zero. The iterator reports the
// last frame of a fully loaded animation as its "currently loading" frame.
bool WalkAnimation(GdkPixbufAnimation* animation, std::vector<CGObjectPtr<GdkPixbuf>>& pixbufs,
                   std::vector<int>& delays) {
    G_GNUC_BEGIN_IGNORE_DEPRECATIONS
    GTimeVal time = {0, 0};
    CGObjectPtr<GdkPixbufAnimationIter> iter(gdk_pixbuf_animation_get_iter(animation, &time));
    int64_t pixels = 0;
    for (int i = 0; i < CPixbufImage::kMaxFrames; ++i) {
        GdkPixbuf* frame = gdk_pixbuf_animation_iter_get_pixbuf(iter.get());
        if (!UsablePixbuf(frame))
            return false;
        pixels += int64_t(gdk_pixbuf_get_width(frame)) * gdk_pixbuf_get_height(frame);
        if (pixels > CPixbufImage::kMaxPixels)
            return false;
        CGObjectPtr<GdkPixbuf> copy(gdk_pixbuf_copy(frame));  // the iterator reuses its pixbuf
        if (!copy)
            return false;
        const int ms = gdk_pixbuf_animation_iter_get_delay_time(iter.get());
        pixbufs.push_back(std::move(copy));
        delays.push_back(ms > 0 ? (ms + 5) / 10 : 0);
        if (ms < 0 || gdk_pixbuf_animation_iter_on_currently_loading_frame(iter.get()))
            return true;
        time.tv_usec += static_cast<glong>(ms) * 1000;
        time.tv_sec += time.tv_usec / 1000000;
        time.tv_usec %= 1000000;
        gdk_pixbuf_animation_iter_advance(iter.get(), &time);
    }
    return false;
    G_GNUC_END_IGNORE_DEPRECATIONS
}

enum class EAlpha { Blend, Opaque, Keyed };

// An ARGB32 surface of the pixbuf; see CPixbufImage's surface accessors for the modes.
CSurfacePtr MakeSurface(const GdkPixbuf* pixbuf, EAlpha mode, COLORREF key) {
    const int width = gdk_pixbuf_get_width(pixbuf);
    const int height = gdk_pixbuf_get_height(pixbuf);
    const int channels = gdk_pixbuf_get_n_channels(pixbuf);
    const int srcStride = gdk_pixbuf_get_rowstride(pixbuf);
    const guchar* src = gdk_pixbuf_read_pixels(pixbuf);
    CSurfacePtr surface(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height));
    if (cairo_surface_status(surface.get()) != CAIRO_STATUS_SUCCESS)
        return nullptr;
    cairo_surface_flush(surface.get());
    unsigned char* dst = cairo_image_surface_get_data(surface.get());
    const int dstStride = cairo_image_surface_get_stride(surface.get());
    const BYTE keyR = GetRValue(key), keyG = GetGValue(key), keyB = GetBValue(key);
    for (int y = 0; y < height; ++y) {
        const guchar* s = src + static_cast<ptrdiff_t>(y) * srcStride;
        auto* d = reinterpret_cast<uint32_t*>(dst + static_cast<ptrdiff_t>(y) * dstStride);
        for (int x = 0; x < width; ++x, s += channels) {
            uint32_t r = s[0], g = s[1], b = s[2];
            uint32_t a = channels == 4 ? s[3] : 255;
            if (mode == EAlpha::Opaque) {
                a = 255;
            } else {
                if (mode == EAlpha::Keyed && r == keyR && g == keyG && b == keyB)
                    a = 0;
                r = (r * a + 127) / 255;
                g = (g * a + 127) / 255;
                b = (b * a + 127) / 255;
            }
            d[x] = (a << 24) | (r << 16) | (g << 8) | b;
        }
    }
    cairo_surface_mark_dirty(surface.get());
    return surface;
}
}  // namespace

CPixbufImage::CPixbufImage() = default;
CPixbufImage::~CPixbufImage() = default;

void CPixbufImage::Release() {
    delete this;
}

BOOL CPixbufImage::Load(const void* data, DWORD length, DWORD /*flags*/) {
    if (!data || length == 0)
        return FALSE;
    const auto* bytes = static_cast<const BYTE*>(data);
    const char* type = LoaderType(bytes, length);
    if (!type || !HeaderSizeAllowed(type, bytes, length))
        return FALSE;
    CGObjectPtr<GdkPixbufLoader> loader(gdk_pixbuf_loader_new_with_type(type, nullptr));
    if (!loader)
        return FALSE;
    SLoadWatch watch;
    g_signal_connect(loader.get(), "size-prepared", G_CALLBACK(OnSizePrepared), &watch);
    g_signal_connect(loader.get(), "area-updated", G_CALLBACK(OnAreaUpdated), &watch);
    const gboolean written = gdk_pixbuf_loader_write(loader.get(), bytes, length, nullptr);
    // The loader must be closed before it is freed, whatever happened.
    const gboolean closed = gdk_pixbuf_loader_close(loader.get(), nullptr);
    if (!written || !closed || watch.tooBig)
        return FALSE;

    GdkPixbufAnimation* animation = gdk_pixbuf_loader_get_animation(loader.get());
    std::vector<CGObjectPtr<GdkPixbuf>> pixbufs;
    std::vector<int> delays;
    if (animation && !gdk_pixbuf_animation_is_static_image(animation)) {
        if (!WalkAnimation(animation, pixbufs, delays))
            return FALSE;
    } else {
        // Some loaders close a cut-short file without complaint, leaving rows undecoded;
        // a still picture counts only when every row was decoded. (GIF frames may
        // cover part of the picture only, and the GIF loader reports truncation itself.)
        GdkPixbuf* still = gdk_pixbuf_loader_get_pixbuf(loader.get());
        if (!UsablePixbuf(still) ||
            (std::strcmp(type, "gif") != 0 && !watch.AllRowsDecoded(gdk_pixbuf_get_height(still))))
            return FALSE;
        pixbufs.emplace_back(GDK_PIXBUF(g_object_ref(still)));
        delays.push_back(0);
    }
    std::vector<SFrame> frames(pixbufs.size());
    for (size_t i = 0; i < frames.size(); ++i) {
        frames[i].pixbuf = std::move(pixbufs[i]);
        frames[i].delay = delays[i];
    }
    Adopt(std::move(frames), std::vector<BYTE>(bytes, bytes + length));
    return TRUE;
}

BOOL CPixbufImage::LoadPixels(int width, int height, const BYTE* rgba) {
    if (!rgba || !SizeAllowed(width, height))
        return FALSE;
    CGObjectPtr<GdkPixbuf> pixbuf(gdk_pixbuf_new(GDK_COLORSPACE_RGB, TRUE, 8, width, height));
    if (!pixbuf)
        return FALSE;
    const int stride = gdk_pixbuf_get_rowstride(pixbuf.get());
    guchar* dst = gdk_pixbuf_get_pixels(pixbuf.get());
    for (int y = 0; y < height; ++y)
        std::memcpy(dst + static_cast<ptrdiff_t>(y) * stride,
                    rgba + static_cast<ptrdiff_t>(y) * width * 4, static_cast<size_t>(width) * 4);
    std::vector<SFrame> frames(1);
    frames[0].pixbuf = std::move(pixbuf);
    Adopt(std::move(frames), {});
    return TRUE;
}

void CPixbufImage::Adopt(std::vector<SFrame> frames, std::vector<BYTE> original) {
    m_frames = std::move(frames);
    m_original = std::move(original);
    m_selected = 0;
}

int CPixbufImage::GetWidth() {
    return m_frames.empty() ? 0 : gdk_pixbuf_get_width(m_frames[0].pixbuf.get());
}

int CPixbufImage::GetHeight() {
    return m_frames.empty() ? 0 : gdk_pixbuf_get_height(m_frames[0].pixbuf.get());
}

BOOL CPixbufImage::Encode(int code, BYTE** buffer, DWORD* length) {
    if (!buffer || !length || code != XIMAGE_ENCODE_ORIGINAL || m_frames.empty())
        return FALSE;
    if (!m_original.empty()) {
        *buffer = std::make_unique<BYTE[]>(m_original.size()).release();
        std::memcpy(*buffer, m_original.data(), m_original.size());
        *length = static_cast<DWORD>(m_original.size());
        return TRUE;
    }
    gchar* png = nullptr;
    gsize size = 0;
    if (!gdk_pixbuf_save_to_buffer(m_frames[0].pixbuf.get(), &png, &size, "png", nullptr,
                                   nullptr) ||
        !png || size == 0 || size > 0xFFFFFFFFu) {
        g_free(png);
        return FALSE;
    }
    *buffer = std::make_unique<BYTE[]>(size).release();
    std::memcpy(*buffer, png, size);
    *length = static_cast<DWORD>(size);
    g_free(png);
    return TRUE;
}

void CPixbufImage::FreeBuffer(BYTE* buffer) {
    delete[] buffer;
}

IXImage* CPixbufImage::Duplicate() {
    if (m_frames.empty())
        return nullptr;
    std::vector<SFrame> frames(m_frames.size());
    for (size_t i = 0; i < frames.size(); ++i) {
        frames[i].pixbuf.reset(GDK_PIXBUF(g_object_ref(m_frames[i].pixbuf.get())));
        frames[i].delay = m_frames[i].delay;
    }
    auto copy = std::make_unique<CPixbufImage>();
    copy->Adopt(std::move(frames), m_original);
    copy->m_selected = m_selected;
    return copy.release();
}

int CPixbufImage::GetFrameCount() {
    return static_cast<int>(m_frames.size());
}

BOOL CPixbufImage::SelectFrame(int index) {
    if (index < 0 || index >= static_cast<int>(m_frames.size()))
        return FALSE;
    m_selected = index;
    return TRUE;
}

std::vector<int> CPixbufImage::GetFrameDelays() {
    std::vector<int> delays;
    delays.reserve(m_frames.size());
    for (const SFrame& frame : m_frames)
        delays.push_back(frame.delay);
    return delays;
}

cairo_surface_t* CPixbufImage::BlendSurface() {
    if (m_frames.empty())
        return nullptr;
    SFrame& frame = m_frames[m_selected];
    if (!frame.blend)
        frame.blend = MakeSurface(frame.pixbuf.get(), EAlpha::Blend, 0);
    return frame.blend.get();
}

cairo_surface_t* CPixbufImage::OpaqueSurface() {
    if (m_frames.empty())
        return nullptr;
    SFrame& frame = m_frames[m_selected];
    if (!frame.opaque)
        frame.opaque = MakeSurface(frame.pixbuf.get(), EAlpha::Opaque, 0);
    return frame.opaque.get();
}

CSurfacePtr CPixbufImage::KeyedSurface(COLORREF key) {
    if (m_frames.empty())
        return nullptr;
    return MakeSurface(m_frames[m_selected].pixbuf.get(), EAlpha::Keyed, key);
}

void CPixbufImage::AssertValid() const {
    bool ok = m_frames.empty() ? m_selected == 0 && m_original.empty()
                               : m_selected >= 0 && m_selected < static_cast<int>(m_frames.size());
    for (const SFrame& frame : m_frames) {
        ok = ok && frame.pixbuf && frame.delay >= 0 &&
             gdk_pixbuf_get_width(frame.pixbuf.get()) ==
                 gdk_pixbuf_get_width(m_frames[0].pixbuf.get()) &&
             gdk_pixbuf_get_height(frame.pixbuf.get()) ==
                 gdk_pixbuf_get_height(m_frames[0].pixbuf.get());
    }
    ZARNI_CHECK(ok, "CPixbufImage: %zu frames, frame %d selected", m_frames.size(), m_selected);
}
