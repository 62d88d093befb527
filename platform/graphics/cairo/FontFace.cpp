// CFontFace: LOGFONTA to Pango font description, unit-by-unit measuring and drawing.
#include "platform/graphics/cairo/FontFace.h"

#include <pango/pangocairo.h>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstring>
#include <map>
#include <utility>

#include "platform/base/Check.h"
#include "platform/base/CodePage.h"
#include "platform/graphics/cairo/TextEngine.h"

namespace {
// A Latin capital, a descender and an ideograph (U+4E2D): the line every unit sits on.
const char kProbe[] = "Ag\xE4\xB8\xAD";

struct SLine {
    int ascent;
    int height;
};

SLine ProbeLine(const PangoFontDescription* desc) {
    CGObjectPtr<PangoLayout> layout(pango_layout_new(CTextEngine::Instance().Context()));
    pango_layout_set_font_description(layout.get(), desc);
    pango_layout_set_text(layout.get(), kProbe, -1);
    PangoRectangle logical;
    pango_layout_get_pixel_extents(layout.get(), nullptr, &logical);
    return {PANGO_PIXELS(pango_layout_get_baseline(layout.get())), logical.height};
}

CFontDescriptionPtr MakeDescription(const LOGFONTA& lf, int pixels) {
    CFontDescriptionPtr desc(pango_font_description_new());
    const std::string face =
        CCodePage::ToUtf8(lf.lfFaceName, strnlen(lf.lfFaceName, sizeof(lf.lfFaceName)));
    pango_font_description_set_family(desc.get(), face.empty() ? "Sans" : face.c_str());
    pango_font_description_set_absolute_size(desc.get(), static_cast<double>(pixels) * PANGO_SCALE);
    const LONG weight = lf.lfWeight == 0 ? FW_NORMAL : std::clamp<LONG>(lf.lfWeight, 100, 1000);
    pango_font_description_set_weight(desc.get(), static_cast<PangoWeight>(weight));
    pango_font_description_set_style(desc.get(),
                                     lf.lfItalic ? PANGO_STYLE_ITALIC : PANGO_STYLE_NORMAL);
    return desc;
}

// The largest character height whose line is at most cell pixels high (at least 1).
int PixelsForCellHeight(const LOGFONTA& lf, int cell) {
    constexpr int kReference = 100;
    const SLine reference = ProbeLine(MakeDescription(lf, kReference).get());
    int pixels = reference.height > 0 ? cell * kReference / reference.height : cell;
    pixels = std::clamp(pixels, 1, CFontFace::kMaxPixels);
    // Hinting rounds each size's metrics on its own; settle on the exact size nearby.
    auto heightAt = [&lf](int px) { return ProbeLine(MakeDescription(lf, px).get()).height; };
    for (int step = 0; step < 8 && pixels > 1 && heightAt(pixels) > cell; ++step)
        --pixels;
    for (int step = 0; step < 8 && pixels < CFontFace::kMaxPixels && heightAt(pixels + 1) <= cell;
         ++step)
        ++pixels;
    return pixels;
}

// Whole LOGFONTA bytes (after the face name's terminator, zeros) to their face.
std::string FaceKey(const LOGFONTA& lf) {
    LOGFONTA clean = lf;
    const size_t used = strnlen(lf.lfFaceName, sizeof(lf.lfFaceName));
    std::memset(clean.lfFaceName + used, 0, sizeof(clean.lfFaceName) - used);
    return std::string(reinterpret_cast<const char*>(&clean), sizeof(clean));
}
}  // namespace

std::shared_ptr<CFontFace> CFontFace::Get(const LOGFONTA& lf) {
    // Faces no font object holds any more are dropped when the cache is full.
    constexpr size_t kMaxFaces = 64;
    static std::map<std::string, std::shared_ptr<CFontFace>> faces;
    const std::string key = FaceKey(lf);
    auto it = faces.find(key);
    if (it != faces.end())
        return it->second;
    if (faces.size() >= kMaxFaces) {
        for (auto i = faces.begin(); i != faces.end();)
            i = i->second.use_count() == 1 ? faces.erase(i) : std::next(i);
    }
    auto face = std::make_shared<CFontFace>(lf);
    if (faces.size() < kMaxFaces)
        faces.emplace(key, face);
    return face;
}

CFontFace::CFontFace(const LOGFONTA& lf) {
    const int64_t height = lf.lfHeight;
    if (height < 0)
        m_pixels = static_cast<int>(std::min<int64_t>(-height, kMaxPixels));
    else if (height > 0)
        m_pixels = PixelsForCellHeight(lf, static_cast<int>(std::min<int64_t>(height, kMaxPixels)));
    m_desc = MakeDescription(lf, m_pixels);
    m_attrs.reset(pango_attr_list_new());
    if (lf.lfUnderline)
        pango_attr_list_insert(m_attrs.get(), pango_attr_underline_new(PANGO_UNDERLINE_SINGLE));
    if (lf.lfStrikeOut)
        pango_attr_list_insert(m_attrs.get(), pango_attr_strikethrough_new(TRUE));
    m_decorated = lf.lfUnderline || lf.lfStrikeOut;
}

void CFontFace::Refresh() {
    CTextEngine& engine = CTextEngine::Instance();
    engine.Context();  // follows the active code page
    if (engine.CodePage() != m_codePage) {
        // The context's language changed: fallback fonts, and so sizes, may differ.
        m_units.clear();
        m_codePage = engine.CodePage();
        const SLine line = ProbeLine(m_desc.get());
        m_ascent = std::max(0, line.ascent);
        m_lineHeight = std::max(0, line.height);
    }
}

int CFontFace::GetAscent() {
    Refresh();
    return m_ascent;
}

int CFontFace::GetLineHeight() {
    Refresh();
    return m_lineHeight;
}

template <class F>
void CFontFace::ForEachUnit(const CString& text, F&& f) {
    const char* bytes = text.GetString();
    const int length = text.GetLength();
    for (int i = 0; i < length;) {
        const int n =
            (CCodePage::IsLeadByte(static_cast<BYTE>(bytes[i])) && i + 1 < length) ? 2 : 1;
        f(bytes + i, n);
        i += n;
    }
}

CGObjectPtr<PangoLayout> CFontFace::MakeLayout(const std::string& utf8) const {
    CGObjectPtr<PangoLayout> layout(pango_layout_new(CTextEngine::Instance().Context()));
    pango_layout_set_font_description(layout.get(), m_desc.get());
    pango_layout_set_attributes(layout.get(), m_attrs.get());
    pango_layout_set_single_paragraph_mode(layout.get(), TRUE);
    pango_layout_set_text(layout.get(), utf8.data(), static_cast<int>(utf8.size()));
    return layout;
}

void CFontFace::TakeGlyphs(SUnitMetrics& entry) {
    PangoLayoutIter* iter = pango_layout_get_iter(entry.layout.get());
    bool usable = true;
    do {
        PangoLayoutRun* run = pango_layout_iter_get_run_readonly(iter);
        if (run == nullptr)
            continue;
        PangoRectangle logical;
        pango_layout_iter_get_run_extents(iter, nullptr, &logical);
        const int baseline = pango_layout_iter_get_baseline(iter);
        PangoFont* font = run->item->analysis.font;
        if (font == nullptr) {
            usable = false;  // nothing to draw glyphs with: the layout draws the run
            continue;
        }
        entry.fonts.emplace_back(PANGO_FONT(g_object_ref(font)));
        int x = logical.x;
        for (int i = 0; i < run->glyphs->num_glyphs; ++i) {
            const PangoGlyphInfo& glyph = run->glyphs->glyphs[i];
            if (glyph.glyph & PANGO_GLYPH_UNKNOWN_FLAG)
                usable = false;
            else if (glyph.glyph != PANGO_GLYPH_EMPTY)
                entry.glyphs.push_back(
                    SGlyph{font, glyph.glyph,
                           static_cast<double>(x + glyph.geometry.x_offset) / PANGO_SCALE,
                           static_cast<double>(baseline + glyph.geometry.y_offset) / PANGO_SCALE});
            x += glyph.geometry.width;
        }
    } while (usable && pango_layout_iter_next_run(iter));
    pango_layout_iter_free(iter);
    entry.drawsGlyphs = usable;
    if (!usable) {
        entry.glyphs.clear();
        entry.fonts.clear();
    }
}

void CFontFace::Shape(SUnitMetrics& entry, CGObjectPtr<PangoLayout> layout) const {
    entry.layout = std::move(layout);
    PangoRectangle ink;
    pango_layout_get_pixel_extents(entry.layout.get(), &ink, nullptr);
    if (ink.width > 0 && ink.height > 0) {
        entry.inkLeft = ink.x;
        entry.inkRight = ink.x + ink.width;
    }
    if (!m_decorated)
        TakeGlyphs(entry);
    // A unit drawn from its glyphs needs its layout no more.
    if (entry.drawsGlyphs)
        entry.layout.reset();
    entry.shaped = true;
}

const CFontFace::SUnitMetrics& CFontFace::UnitMetrics(const std::string& utf8, bool drawing) {
    auto it = m_units.find(utf8);
    if (it != m_units.end()) {
        if (drawing && !it->second.shaped && !utf8.empty())
            Shape(it->second, MakeLayout(utf8));
        return it->second;
    }
    if (m_units.size() >= kMaxCachedUnits)
        m_units.clear();
    SUnitMetrics metrics;
    if (!utf8.empty()) {
        // Measuring keeps only the numbers; the layout is kept for a unit drawn.
        CGObjectPtr<PangoLayout> layout = MakeLayout(utf8);
        PangoRectangle logical;
        pango_layout_get_pixel_extents(layout.get(), nullptr, &logical);
        metrics.width = std::max(0, logical.width);
        metrics.height = std::max(0, logical.height);
        metrics.baseline = PANGO_PIXELS(pango_layout_get_baseline(layout.get()));
        if (drawing)
            Shape(metrics, std::move(layout));
    }
    return m_units.emplace(utf8, std::move(metrics)).first->second;
}

SIZE CFontFace::MeasureText(const CString& text) {
    Refresh();
    CTextEngine& engine = CTextEngine::Instance();
    int64_t width = 0;
    int height = m_lineHeight;
    ForEachUnit(text, [&](const char* unit, int n) {
        const SUnitMetrics& m = UnitMetrics(engine.UnitText(unit, n), false);
        width += m.width;
        height = std::max(height, m.height);
    });
    return {static_cast<LONG>(std::min<int64_t>(width, INT_MAX)), height};
}

void CFontFace::DrawText(cairo_t* cr, const CString& text, int x, int y) {
    if (!cr)
        return;
    Refresh();
    CTextEngine& engine = CTextEngine::Instance();
    // Glyphs of neighbouring units go to cairo together while their ink does not overlap:
    // cairo then composites them one by one, as separate calls would, so a text drawn whole
    // has the pixels of its units drawn one by one. Units whose ink overlaps go in separate
    // calls (glyphs sent together would share one coverage mask where they overlap).
    std::vector<cairo_glyph_t> batch;
    PangoFont* batchFont = nullptr;
    PangoFont* selected = nullptr;  // the font last set on cr
    int64_t batchInkRight = INT64_MIN;
    auto flush = [&] {
        batchInkRight = INT64_MIN;
        if (batch.empty())
            return;
        if (batchFont != selected) {
            cairo_set_scaled_font(cr,
                                  pango_cairo_font_get_scaled_font(PANGO_CAIRO_FONT(batchFont)));
            selected = batchFont;
        }
        cairo_show_glyphs(cr, batch.data(), static_cast<int>(batch.size()));
        batch.clear();
    };
    int64_t penX = x;
    ForEachUnit(text, [&](const char* unit, int n) {
        const SUnitMetrics& m = UnitMetrics(engine.UnitText(unit, n), true);
        if (m.shaped && penX < INT_MAX) {
            const double left = static_cast<double>(penX);
            const double top = static_cast<double>(y) + (m_ascent - m.baseline);
            if (m.drawsGlyphs) {
                const bool inked = m.inkRight > m.inkLeft;
                if (inked && penX + m.inkLeft < batchInkRight)
                    flush();
                for (const SGlyph& glyph : m.glyphs) {
                    if (glyph.font != batchFont) {
                        flush();
                        batchFont = glyph.font;
                    }
                    batch.push_back(cairo_glyph_t{glyph.index, left + glyph.x, top + glyph.y});
                }
                if (inked)
                    batchInkRight = std::max(batchInkRight, penX + m.inkRight);
            } else {
                flush();
                cairo_move_to(cr, left, top);
                pango_cairo_show_layout(cr, m.layout.get());
                selected = nullptr;  // the layout set fonts of its own
            }
        }
        penX += m.width;
    });
    flush();
}

void CFontFace::AssertValid() const {
    bool ok = m_desc && m_attrs && m_pixels >= 1 && m_pixels <= kMaxPixels &&
              (m_ascent < 0) == (m_lineHeight < 0);
    for (const auto& entry : m_units)
        ok = ok && entry.second.width >= 0 && entry.second.height >= 0 &&
             entry.second.inkLeft <= entry.second.inkRight &&
             !(entry.first.empty() && entry.second.shaped) &&
             (!entry.second.shaped || (entry.second.layout != nullptr) != entry.second.drawsGlyphs);
    ZARNI_CHECK(ok, "CFontFace: %d pixels", m_pixels);
}
