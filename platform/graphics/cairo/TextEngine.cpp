// The shared Pango context and the cache of unit texts converted to UTF-8.
#include "platform/graphics/cairo/TextEngine.h"

#include <pango/pangocairo.h>

#include <utility>

#include "platform/base/CodePage.h"

namespace {
// The Pango language that picks fallback fonts suited to a code page's script.
const char* LanguageOf(UINT codePage) {
    switch (codePage) {
        case 936:
            return "zh-cn";
        case 950:
            return "zh-tw";
        case 932:
            return "ja";
        case 949:
            return "ko";
        default:
            return "en";
    }
}
}  // namespace

CTextEngine& CTextEngine::Instance() {
    static CTextEngine engine;
    return engine;
}

CTextEngine::CTextEngine() {
    m_fontMap.reset(pango_cairo_font_map_new());
    pango_cairo_font_map_set_resolution(PANGO_CAIRO_FONT_MAP(m_fontMap.get()), kDpi);
    m_context.reset(pango_font_map_create_context(m_fontMap.get()));

    cairo_font_options_t* options = cairo_font_options_create();
    cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_ON);
    cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_SLIGHT);
    cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
    pango_cairo_context_set_font_options(m_context.get(), options);  // copies the options
    cairo_font_options_destroy(options);
    pango_cairo_context_set_resolution(m_context.get(), kDpi);
    pango_context_set_round_glyph_positions(m_context.get(), TRUE);
    FollowCodePage();
}

void CTextEngine::FollowCodePage() {
    const UINT codePage = CCodePage::Get();
    if (codePage == m_codePage)
        return;
    m_codePage = codePage;
    m_unitText.clear();
    pango_context_set_language(m_context.get(), pango_language_from_string(LanguageOf(codePage)));
}

PangoContext* CTextEngine::Context() {
    FollowCodePage();
    return m_context.get();
}

const std::string& CTextEngine::UnitText(const char* bytes, int length) {
    FollowCodePage();
    static const std::string kNothing;
    if (!bytes || length < 1 || length > 2)
        return kNothing;
    uint32_t key = static_cast<BYTE>(bytes[0]);
    if (length == 2)
        key |= (static_cast<uint32_t>(static_cast<BYTE>(bytes[1])) << 8) | (1u << 16);
    auto it = m_unitText.find(key);
    if (it == m_unitText.end()) {
        // A lead byte paired with a control byte converts to '?' plus that control byte;
        // the control byte is dropped so that one unit always stays on one line.
        std::string text = CCodePage::ToUtf8(bytes, static_cast<size_t>(length));
        std::string clean;
        for (char c : text) {
            const auto u = static_cast<BYTE>(c);
            if ((u >= 0x20 && u != 0x7F) || u == '\t')
                clean += c;
        }
        it = m_unitText.emplace(key, std::move(clean)).first;
    }
    return it->second;
}
