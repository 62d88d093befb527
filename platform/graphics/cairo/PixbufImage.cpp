// CPixbufImage: decoding with gdk-pixbuf, animation frames composed when drawn and kept in a
// small cache shared by duplicates, encoding and Cairo surfaces.
#include "platform/graphics/cairo/PixbufImage.h"

#include "platform/base/Check.h"

#include <cairo.h>
#include <gdk-pixbuf/gdk-pixbuf.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>
#include <utility>

namespace {
// The GIF loader moves the unread rest of its input to the front after every frame, so a
// long animation handed over in one piece decodes in quadratic time; pieces of this size
// keep that copying small.
constexpr DWORD kLoaderPiece = 64 * 1024;
constexpr int64_t kMsPerSecond = 1000;
constexpr int64_t kUsPerMs = 1000;
constexpr int kMsPerHundredth = 10;

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

G_GNUC_BEGIN_IGNORE_DEPRECATIONS
GTimeVal TimeAt(int64_t ms) {
    GTimeVal time;
    time.tv_sec = static_cast<glong>(ms / kMsPerSecond);
    time.tv_usec = static_cast<glong>(ms % kMsPerSecond * kUsPerMs);
    return time;
}
G_GNUC_END_IGNORE_DEPRECATIONS

// Finds every frame of an animation with its delay and the time it starts, by stepping a
// time-driven iterator exactly one frame's delay at a time from time zero. The iterator
// reports the last frame of a fully loaded animation as its "currently loading" frame.
// False for more frames than the limits allow.
bool WalkAnimation(GdkPixbufAnimation* animation, int64_t framePixels, std::vector<int>& delays,
                   std::vector<int64_t>& starts) {
    G_GNUC_BEGIN_IGNORE_DEPRECATIONS
    GTimeVal time = TimeAt(0);
    CGObjectPtr<GdkPixbufAnimationIter> iter(gdk_pixbuf_animation_get_iter(animation, &time));
    if (!iter)
        return false;
    int64_t start = 0;  // ms
    for (int i = 0;
         i < CPixbufImage::kMaxFrames && (i + 1) * framePixels <= CPixbufImage::kMaxAnimationPixels;
         ++i) {
        const int ms = gdk_pixbuf_animation_iter_get_delay_time(iter.get());
        starts.push_back(start);
        delays.push_back(ms > 0 ? (ms + kMsPerHundredth / 2) / kMsPerHundredth : 0);
        if (ms < 0 || gdk_pixbuf_animation_iter_on_currently_loading_frame(iter.get()))
            return true;
        start += ms;
        if (start > INT32_MAX)  // gdk-pixbuf counts an animation's time in int milliseconds
            return false;
        time = TimeAt(start);
        gdk_pixbuf_animation_iter_advance(iter.get(), &time);
    }
    return false;
    G_GNUC_END_IGNORE_DEPRECATIONS
}

enum class EAlpha { Blend, Opaque, Keyed };

// One row of the pixbuf as ARGB32 pixels in the mode; a copy of the loop for each mode and
// pixel size, since converting whole frames is most of the cost of playing a large one.
template <EAlpha kMode, int kChannels>
void WriteArgbRow(const guchar* s, uint32_t* d, int width, BYTE keyR, BYTE keyG, BYTE keyB) {
    for (int x = 0; x < width; ++x, s += kChannels) {
        uint32_t r = s[0], g = s[1], b = s[2];
        uint32_t a = kChannels == 4 && kMode != EAlpha::Opaque ? s[3] : 255;
        if (kMode == EAlpha::Keyed && r == keyR && g == keyG && b == keyB)
            a = 0;
        // Animation frames hold only fully opaque and fully clear pixels.
        if (a == 0) {
            r = g = b = 0;
        } else if (a != 255) {
            r = (r * a + 127) / 255;
            g = (g * a + 127) / 255;
            b = (b * a + 127) / 255;
        }
        d[x] = (a << 24) | (r << 16) | (g << 8) | b;
    }
}

// Writes the pixbuf as ARGB32 pixels (rows stride bytes apart) in the mode; see
// CPixbufImage's surface accessors for the modes.
void WriteArgb(const GdkPixbuf* pixbuf, EAlpha mode, COLORREF key, unsigned char* dst,
               int dstStride) {
    using FRow = void (*)(const guchar*, uint32_t*, int, BYTE, BYTE, BYTE);
    const bool alpha = gdk_pixbuf_get_n_channels(pixbuf) == 4;
    FRow row = nullptr;
    switch (mode) {
        case EAlpha::Blend:
            row = alpha ? WriteArgbRow<EAlpha::Blend, 4> : WriteArgbRow<EAlpha::Blend, 3>;
            break;
        case EAlpha::Opaque:
            row = alpha ? WriteArgbRow<EAlpha::Opaque, 4> : WriteArgbRow<EAlpha::Opaque, 3>;
            break;
        case EAlpha::Keyed:
            row = alpha ? WriteArgbRow<EAlpha::Keyed, 4> : WriteArgbRow<EAlpha::Keyed, 3>;
            break;
    }
    const int width = gdk_pixbuf_get_width(pixbuf);
    const int height = gdk_pixbuf_get_height(pixbuf);
    const int srcStride = gdk_pixbuf_get_rowstride(pixbuf);
    const guchar* src = gdk_pixbuf_read_pixels(pixbuf);
    for (int y = 0; y < height; ++y)
        row(src + static_cast<ptrdiff_t>(y) * srcStride,
            reinterpret_cast<uint32_t*>(dst + static_cast<ptrdiff_t>(y) * dstStride), width,
            GetRValue(key), GetGValue(key), GetBValue(key));
}

// A new ARGB32 surface of the pixbuf in the mode, or null.
CSurfacePtr MakeSurface(const GdkPixbuf* pixbuf, EAlpha mode, COLORREF key) {
    CSurfacePtr surface(cairo_image_surface_create(
        CAIRO_FORMAT_ARGB32, gdk_pixbuf_get_width(pixbuf), gdk_pixbuf_get_height(pixbuf)));
    if (cairo_surface_status(surface.get()) != CAIRO_STATUS_SUCCESS)
        return nullptr;
    cairo_surface_flush(surface.get());
    WriteArgb(pixbuf, mode, key, cairo_image_surface_get_data(surface.get()),
              cairo_image_surface_get_stride(surface.get()));
    cairo_surface_mark_dirty(surface.get());
    return surface;
}
}  // namespace

// What a picture and its duplicates share: the decoded content, which never changes, and
// the pixels of recently drawn frames.
class CPixbufImage::CContent {
public:
    // A still picture; original may be empty.
    CContent(CGObjectPtr<GdkPixbuf> still, std::vector<BYTE> original)
        : m_still(std::move(still)),
          m_width(gdk_pixbuf_get_width(m_still.get())),
          m_height(gdk_pixbuf_get_height(m_still.get())),
          m_delays{0},
          m_starts{0},
          m_original(std::move(original)) {}
    // An animation of width x height whose frames start at starts (ms from its start) and
    // last delays (hundredths of a second).
    CContent(CGObjectPtr<GdkPixbufAnimation> animation, int width, int height,
             std::vector<int> delays, std::vector<int64_t> starts, std::vector<BYTE> original)
        : m_animation(std::move(animation)),
          m_width(width),
          m_height(height),
          m_delays(std::move(delays)),
          m_starts(std::move(starts)),
          m_original(std::move(original)) {
        G_GNUC_BEGIN_IGNORE_DEPRECATIONS
        const GTimeVal zero = TimeAt(0);
        m_iter.reset(gdk_pixbuf_animation_get_iter(m_animation.get(), &zero));
        G_GNUC_END_IGNORE_DEPRECATIONS
    }
    ~CContent() { DropHanded(); }
    CContent(const CContent&) = delete;
    CContent& operator=(const CContent&) = delete;

    int Width() const { return m_width; }
    int Height() const { return m_height; }
    int FrameCount() const { return static_cast<int>(m_delays.size()); }
    const std::vector<int>& Delays() const { return m_delays; }
    const std::vector<BYTE>& Original() const { return m_original; }
    // Null for an animation.
    GdkPixbuf* Still() const { return m_still.get(); }
    // False when the first frame cannot be composed.
    bool ComposesFirstFrame() { return Pixels(0) != nullptr; }

    // A surface of the frame in the mode (Blend or Opaque) over pixels kept in the cache;
    // it stays valid until the next call. Null when the frame cannot be had.
    cairo_surface_t* Surface(int frame, EAlpha mode) {
        ++m_useClock;
        const auto cached = std::find_if(m_cache.begin(), m_cache.end(), [&](const SCached& c) {
            return c.frame == frame && c.mode == mode;
        });
        if (cached != m_cache.end()) {
            cached->lastUse = m_useClock;
            return Hand(*cached);
        }
        // The handed surface may lie over the pixels about to be reused.
        DropHanded();
        const GdkPixbuf* pixels = Pixels(frame);
        if (!pixels)
            return nullptr;
        std::vector<uint32_t> block = TakeBlock();
        WriteArgb(pixels, mode, 0, reinterpret_cast<unsigned char*>(block.data()), Stride());
        m_cacheBytes += FrameBytes();
        m_cache.push_back({frame, mode, std::move(block), m_useClock});
        return Hand(m_cache.back());
    }

    CSurfacePtr KeyedSurface(int frame, COLORREF key) {
        const GdkPixbuf* pixels = Pixels(frame);
        return pixels ? MakeSurface(pixels, EAlpha::Keyed, key) : nullptr;
    }

    void AssertValid() const {
        bool ok = !m_still != !m_animation && !m_animation == !m_iter &&
                  SizeAllowed(m_width, m_height) && !m_delays.empty() &&
                  m_delays.size() == m_starts.size() && m_starts[0] == 0 &&
                  (!m_still || (m_delays.size() == 1 && m_delays[0] == 0 &&
                                gdk_pixbuf_get_width(m_still.get()) == m_width &&
                                gdk_pixbuf_get_height(m_still.get()) == m_height));
        for (size_t i = 0; i < m_delays.size(); ++i)
            ok = ok && m_delays[i] >= 0 && (i == 0 || m_starts[i] > m_starts[i - 1]);
        bool handedFound = !m_handed;
        for (size_t i = 0; i < m_cache.size(); ++i) {
            const SCached& cached = m_cache[i];
            ok = ok && cached.mode != EAlpha::Keyed && cached.frame >= 0 &&
                 cached.frame < FrameCount() && cached.lastUse <= m_useClock &&
                 cached.pixels.size() * sizeof(uint32_t) == FrameBytes();
            for (size_t j = 0; j < i; ++j)
                ok = ok && (m_cache[j].frame != cached.frame || m_cache[j].mode != cached.mode);
            handedFound =
                handedFound || (cached.frame == m_handedFrame && cached.mode == m_handedMode &&
                                cairo_image_surface_get_data(m_handed.get()) ==
                                    reinterpret_cast<const unsigned char*>(cached.pixels.data()));
        }
        ok = ok && handedFound && m_cacheBytes == m_cache.size() * FrameBytes() &&
             (m_cacheBytes <= kFrameCacheBytes || m_cache.size() <= kMinCachedFrames);
        ZARNI_CHECK(ok, "CPixbufImage content: %d x %d, %zu frames, %zu cached of %zu bytes",
                    m_width, m_height, m_delays.size(), m_cache.size(), m_cacheBytes);
    }

private:
    struct SCached {
        int frame;
        EAlpha mode;
        std::vector<uint32_t> pixels;  // ARGB32 rows, Stride() bytes apart
        uint64_t lastUse;              // m_useClock when last asked for
    };

    int Stride() const { return cairo_format_stride_for_width(CAIRO_FORMAT_ARGB32, m_width); }
    size_t FrameBytes() const {
        return static_cast<size_t>(Stride()) * static_cast<size_t>(m_height);
    }

    // The frame's pixels: the still picture, or the animation composed at the frame's start
    // time (gdk-pixbuf composes forward from the frame it composed last, or from the first
    // frame when asked for an earlier one). They stay valid until the next call; null when
    // they cannot be had.
    const GdkPixbuf* Pixels(int frame) {
        if (m_still)
            return m_still.get();
        if (!m_iter)
            return nullptr;
        G_GNUC_BEGIN_IGNORE_DEPRECATIONS
        const GTimeVal time = TimeAt(m_starts[frame]);
        gdk_pixbuf_animation_iter_advance(m_iter.get(), &time);
        const GdkPixbuf* pixels = gdk_pixbuf_animation_iter_get_pixbuf(m_iter.get());
        G_GNUC_END_IGNORE_DEPRECATIONS
        if (!UsablePixbuf(pixels) || gdk_pixbuf_get_width(pixels) != m_width ||
            gdk_pixbuf_get_height(pixels) != m_height)
            return nullptr;
        return pixels;
    }

    // Room for one more frame: the pixels of the least recently used one when the cache is
    // full (all frames are the same size), else new pixels.
    std::vector<uint32_t> TakeBlock() {
        std::vector<uint32_t> block;
        while (!m_cache.empty() && m_cacheBytes + FrameBytes() > kFrameCacheBytes &&
               m_cache.size() >= kMinCachedFrames) {
            const auto oldest = std::min_element(
                m_cache.begin(), m_cache.end(),
                [](const SCached& a, const SCached& b) { return a.lastUse < b.lastUse; });
            block = std::move(oldest->pixels);
            m_cache.erase(oldest);
            m_cacheBytes -= FrameBytes();
        }
        block.resize(FrameBytes() / sizeof(uint32_t));
        return block;
    }

    // The handed surface, made over the cached pixels unless it already lies over them.
    cairo_surface_t* Hand(SCached& cached) {
        if (m_handed && m_handedFrame == cached.frame && m_handedMode == cached.mode)
            return m_handed.get();
        DropHanded();
        CSurfacePtr surface(cairo_image_surface_create_for_data(
            reinterpret_cast<unsigned char*>(cached.pixels.data()), CAIRO_FORMAT_ARGB32, m_width,
            m_height, Stride()));
        if (cairo_surface_status(surface.get()) != CAIRO_STATUS_SUCCESS)
            return nullptr;
        m_handed = std::move(surface);
        m_handedFrame = cached.frame;
        m_handedMode = cached.mode;
        return m_handed.get();
    }

    // Finished first, so that no reference someone may still hold can reach the pixels.
    void DropHanded() {
        if (m_handed)
            cairo_surface_finish(m_handed.get());
        m_handed.reset();
    }

    // Exactly one of m_still and m_animation is set; m_iter with m_animation.
    CGObjectPtr<GdkPixbuf> m_still;
    CGObjectPtr<GdkPixbufAnimation> m_animation;
    CGObjectPtr<GdkPixbufAnimationIter> m_iter;
    int m_width, m_height;
    std::vector<int> m_delays;      // hundredths of a second, one per frame
    std::vector<int64_t> m_starts;  // ms from the animation's start, strictly increasing
    std::vector<BYTE> m_original;
    // At most one entry per (frame, mode); over kFrameCacheBytes in all only while it holds
    // no more than kMinCachedFrames.
    std::vector<SCached> m_cache;
    size_t m_cacheBytes = 0;  // m_cache.size() * FrameBytes()
    uint64_t m_useClock = 0;
    // The surface last handed out, over the pixels of the cache entry (m_handedFrame,
    // m_handedMode); null when none.
    CSurfacePtr m_handed;
    int m_handedFrame = 0;
    EAlpha m_handedMode = EAlpha::Blend;
};

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
    gboolean written = TRUE;
    for (DWORD at = 0; written && at < length; at += kLoaderPiece)
        written = gdk_pixbuf_loader_write(loader.get(), bytes + at,
                                          std::min(kLoaderPiece, length - at), nullptr);
    // The loader must be closed before it is freed, whatever happened.
    const gboolean closed = gdk_pixbuf_loader_close(loader.get(), nullptr);
    if (!written || !closed || watch.tooBig)
        return FALSE;

    std::shared_ptr<CContent> content;
    GdkPixbufAnimation* animation = gdk_pixbuf_loader_get_animation(loader.get());
    if (animation && !gdk_pixbuf_animation_is_static_image(animation)) {
        const int width = gdk_pixbuf_animation_get_width(animation);
        const int height = gdk_pixbuf_animation_get_height(animation);
        std::vector<int> delays;
        std::vector<int64_t> starts;
        if (!SizeAllowed(width, height) ||
            !WalkAnimation(animation, int64_t(width) * height, delays, starts))
            return FALSE;
        content = std::make_shared<CContent>(
            CGObjectPtr<GdkPixbufAnimation>(GDK_PIXBUF_ANIMATION(g_object_ref(animation))), width,
            height, std::move(delays), std::move(starts), std::vector<BYTE>(bytes, bytes + length));
        if (!content->ComposesFirstFrame())
            return FALSE;
    } else {
        // Some loaders close a cut-short file without complaint, leaving rows undecoded;
        // a still picture counts only when every row was decoded. (GIF frames may
        // cover part of the picture only, and the GIF loader reports truncation itself.)
        GdkPixbuf* still = gdk_pixbuf_loader_get_pixbuf(loader.get());
        if (!UsablePixbuf(still) ||
            (std::strcmp(type, "gif") != 0 && !watch.AllRowsDecoded(gdk_pixbuf_get_height(still))))
            return FALSE;
        content =
            std::make_shared<CContent>(CGObjectPtr<GdkPixbuf>(GDK_PIXBUF(g_object_ref(still))),
                                       std::vector<BYTE>(bytes, bytes + length));
    }
    m_content = std::move(content);
    m_selected = 0;
    ZARNI_ASSERT_VALID(*this);
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
    m_content = std::make_shared<CContent>(std::move(pixbuf), std::vector<BYTE>());
    m_selected = 0;
    ZARNI_ASSERT_VALID(*this);
    return TRUE;
}

int CPixbufImage::GetWidth() {
    return m_content ? m_content->Width() : 0;
}

int CPixbufImage::GetHeight() {
    return m_content ? m_content->Height() : 0;
}

BOOL CPixbufImage::Encode(int code, BYTE** buffer, DWORD* length) {
    if (!buffer || !length || code != XIMAGE_ENCODE_ORIGINAL || !m_content)
        return FALSE;
    const std::vector<BYTE>& original = m_content->Original();
    if (!original.empty()) {
        *buffer = std::make_unique<BYTE[]>(original.size()).release();
        std::memcpy(*buffer, original.data(), original.size());
        *length = static_cast<DWORD>(original.size());
        return TRUE;
    }
    gchar* png = nullptr;
    gsize size = 0;
    if (!m_content->Still() ||
        !gdk_pixbuf_save_to_buffer(m_content->Still(), &png, &size, "png", nullptr, nullptr) ||
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
    if (!m_content)
        return nullptr;
    auto copy = std::make_unique<CPixbufImage>();
    copy->m_content = m_content;
    copy->m_selected = m_selected;
    return copy.release();
}

int CPixbufImage::GetFrameCount() {
    return m_content ? m_content->FrameCount() : 0;
}

BOOL CPixbufImage::SelectFrame(int index) {
    if (index < 0 || index >= GetFrameCount())
        return FALSE;
    m_selected = index;
    return TRUE;
}

std::vector<int> CPixbufImage::GetFrameDelays() {
    return m_content ? m_content->Delays() : std::vector<int>();
}

cairo_surface_t* CPixbufImage::BlendSurface() {
    return m_content ? m_content->Surface(m_selected, EAlpha::Blend) : nullptr;
}

cairo_surface_t* CPixbufImage::OpaqueSurface() {
    return m_content ? m_content->Surface(m_selected, EAlpha::Opaque) : nullptr;
}

CSurfacePtr CPixbufImage::KeyedSurface(COLORREF key) {
    return m_content ? m_content->KeyedSurface(m_selected, key) : nullptr;
}

void CPixbufImage::AssertValid() const {
    ZARNI_CHECK(
        m_content ? m_selected >= 0 && m_selected < m_content->FrameCount() : m_selected == 0,
        "CPixbufImage: frame %d selected of %d", m_selected,
        m_content ? m_content->FrameCount() : 0);
    if (m_content)
        m_content->AssertValid();
}
