// CMeasure: the process-wide measurer of single units of text, with a cache per font.
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <unordered_map>

#include "objects/ZarniUUID.h"
#include "platform/base/CodePage.h"
#include "platform/base/Geometry.h"
#include "platform/graphics/Morla.h"

class CFontInfo;

// Measures on a 1 x 1 drawing surface and remembers every answer under (font id, unit), so
// each distinct pair is measured once. Ideographs (units whose low byte is a lead byte of
// 0xB0 or above) all share the entry of one reference ideograph of their font.
class CMeasure {
public:
    // Lead bytes from here on start ideographs.
    static constexpr BYTE kFirstIdeographLead = 0xB0;

    // The one measurer, created on first use with the drawing factory installed then.
    static CMeasure& Instance();
    // Destroys the measurer with its cache and its drawing objects; the next Instance()
    // starts afresh with the factory installed at that time. Whoever replaces the drawing
    // factory (SetMorlaFactory) calls this right after, so no size measured with the old
    // factory is answered and no object of the old factory outlives it.
    static void Reset();

    // Width and height in pixels of unit drawn in font. A failed measurement answers and
    // caches 0 x 0. A null font answers 0 x 0 and caches nothing.
    CSize Measure(const CFontInfo* font, uint16_t unit);
    CSize Measure(const CFontInfo& font, uint16_t unit) { return Measure(&font, unit); }

    // The cells of font's units below 0x80 measured so far (for unit u: cells[u], valid when
    // known[u]); they stay at these addresses until Reset. Measure fills them in.
    struct SAsciiCells {
        static constexpr uint16_t kUnits = 0x80;
        CSize cells[kUnits];
        bool known[kUnits] = {};
        // Known and not a line break: the cell can be taken as it is.
        bool plain[kUnits] = {};
    };
    const SAsciiCells& AsciiCells(const CFontInfo& font);
    // Whether unit is an ideograph: its low byte a lead byte of 0xB0 or above.
    static bool IsIdeograph(uint16_t unit) {
        const auto low = static_cast<BYTE>(unit & 0xFF);
        return low >= kFirstIdeographLead && CCodePage::IsLeadByte(low);
    }
    // The unit every ideograph is measured as.
    uint16_t GetReferenceUnit() const { return m_reference; }
    // Number of (font, unit) entries cached.
    size_t GetCacheSize() const;
    // Aborts unless the shortcut points into the cache under its own id.
    void AssertValid() const;

    // Instance() holds the one the editor uses; others serve only checks.
    CMeasure();
    CMeasure(const CMeasure&) = delete;
    CMeasure& operator=(const CMeasure&) = delete;

private:
    // The sizes of one font: single-byte units below 0x80 in a table (most text is made of
    // them), the others in a map.
    struct SFontSizes {
        SAsciiCells ascii;
        std::unordered_map<uint16_t, CSize> others;

        const CSize* Find(uint16_t unit) const;
        void Put(uint16_t unit, const CSize& size);
        size_t GetSize() const;
    };

    std::unique_ptr<IXCanvas, XReleaser> m_canvas;  // 1 x 1, null when the factory made none
    std::unique_ptr<IXFont, XReleaser> m_font;      // re-selected before each measurement
    UINT m_format = XTEXT_CALC_FORMAT;
    uint16_t m_reference = 0;
    CSize m_result;  // the last answer
    std::map<ZarniUUID, SFontSizes> m_cache;
    // The entry of font, made empty when missing, and made the shortcut.
    SFontSizes& Entry(const CFontInfo& font);
    // The font id of the last lookup and its map (null until a lookup found one).
    ZarniUUID m_lastId;
    SFontSizes* m_lastMap = nullptr;
};
