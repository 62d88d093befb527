// CFontFace: one LOGFONTA's Pango font with its line metrics and measured units, shared
// by every font object that selects the same LOGFONTA.
#pragma once

#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/base/String.h"
#include "platform/base/WinTypes.h"
#include "platform/graphics/cairo/Handles.h"

// Text is handled one unit (a single byte or a double-byte character of the active code
// page) at a time: a unit's advance is the width of its own logical extent, a text's width
// is the sum of its units' advances, and drawing puts every unit at that summed position.
// So the width of a text never differs from what measuring its units one by one gives,
// and nothing (kerning, ligatures, shaping) joins neighbouring units.
//
// Vertically every unit shares the face's baseline, taken from a probe text holding a
// Latin letter with a descender and an ideograph, so that fallback fonts line up; the
// line height is that probe's logical height.
class CFontFace {
public:
    static constexpr int kDefaultPixels = 12;
    static constexpr int kMaxPixels = 2048;

    // The face of a LOGFONTA, made on first request and kept in a small process-wide
    // cache, so that re-selecting a font keeps its measured and shaped units.
    static std::shared_ptr<CFontFace> Get(const LOGFONTA& lf);

    explicit CFontFace(const LOGFONTA& lf);

    // Character (em) height in pixels chosen for the LOGFONTA.
    int GetPixelSize() const { return m_pixels; }
    int GetAscent();
    int GetLineHeight();

    // Width: the sum of the units' advances. Height: the line height, or the tallest unit
    // when one is taller. An empty text is 0 wide and one line high.
    SIZE MeasureText(const CString& text);
    // Draws the text with the top of its line at (x, y) in the cairo context's current
    // source; no clipping.
    void DrawText(cairo_t* cr, const CString& text, int x, int y);

    void AssertValid() const;

    CFontFace(const CFontFace&) = delete;
    CFontFace& operator=(const CFontFace&) = delete;

private:
    // One glyph of a shaped unit: its font (held by the unit's fonts) and its origin
    // relative to the unit's layout.
    struct SGlyph {
        PangoFont* font;
        unsigned int index;
        double x;
        double y;
    };
    // A unit's measure and, once the unit has been drawn (shaped), its glyphs, kept so that
    // drawing it again does not shape it again; nothing is shaped for a unit that draws
    // nothing. Units with a glyph the font lacks, and every unit of an underlined or struck
    // out face, keep their layout instead and are drawn through it (the layout shows the
    // missing-glyph box and the lines).
    struct SUnitMetrics {
        int width = 0;
        int height = 0;
        int baseline = 0;
        // Horizontal ink extent relative to the unit's left, rounded outwards to pixels; set
        // when shaped, empty for a unit without ink.
        int inkLeft = 0;
        int inkRight = 0;
        CGObjectPtr<PangoLayout> layout;
        std::vector<SGlyph> glyphs;
        std::vector<CGObjectPtr<PangoFont>> fonts;
        bool drawsGlyphs = false;
        bool shaped = false;
    };
    // Bound of the unit cache; it is emptied when full.
    static constexpr size_t kMaxCachedUnits = 8192;

    // Calls f(unit bytes, byte count) for each unit of text.
    template <class F>
    static void ForEachUnit(const CString& text, F&& f);
    // The unit's entry, measured on first request; drawing also shapes it.
    const SUnitMetrics& UnitMetrics(const std::string& utf8, bool drawing);
    CGObjectPtr<PangoLayout> MakeLayout(const std::string& utf8) const;
    // Takes the glyphs of the entry's layout, when every one of them can be drawn directly.
    static void TakeGlyphs(SUnitMetrics& entry);
    // Makes the entry drawable from layout: its glyphs, or the layout itself.
    void Shape(SUnitMetrics& entry, CGObjectPtr<PangoLayout> layout) const;
    // Measures the line, after dropping what was measured under another code page.
    void Refresh();

    int m_pixels = kDefaultPixels;
    CFontDescriptionPtr m_desc;
    CAttrListPtr m_attrs;      // underline and strike-out
    bool m_decorated = false;  // underlined or struck out: drawn through layouts
    // Line metrics; -1 until measured.
    int m_ascent = -1;
    int m_lineHeight = -1;
    // The code page the caches were filled under: its language steers font fallback.
    UINT m_codePage = 0;
    // UTF-8 of a unit to its measure.
    std::unordered_map<std::string, SUnitMetrics> m_units;
};
