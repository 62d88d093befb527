// The process-wide Pango context that every font measures and draws with.
#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>

#include "platform/base/WinTypes.h"
#include "platform/graphics/cairo/Handles.h"

// Fixed text settings, independent of any display: 96 dpi, hinted metrics (whole-pixel
// advances), grey antialiasing, slight hinting, and the language of the active code page
// (which steers the choice of fallback fonts for ideographs). Used only on the UI thread.
class CTextEngine {
public:
    static constexpr double kDpi = 96.0;

    static CTextEngine& Instance();

    // The shared context, its language brought up to date with the active code page.
    PangoContext* Context();
    // The code page the context and the unit texts currently follow; fonts drop their
    // cached measurements when it changes.
    UINT CodePage() const { return m_codePage; }

    // UTF-8 of one unit (one or two bytes of the active code page). Control characters
    // other than tab give "": they take no room and draw nothing.
    const std::string& UnitText(const char* bytes, int length);

    CTextEngine(const CTextEngine&) = delete;
    CTextEngine& operator=(const CTextEngine&) = delete;

private:
    CTextEngine();
    void FollowCodePage();

    CGObjectPtr<PangoFontMap> m_fontMap;
    CGObjectPtr<PangoContext> m_context;
    UINT m_codePage = 0;
    // Unit (first byte | second byte << 8, plus 1 << 16 for two-byte units) to its UTF-8,
    // for m_codePage.
    std::unordered_map<uint32_t, std::string> m_unitText;
};
