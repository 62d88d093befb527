// FIOS_Sects: collects the font and colour sections a format store sends.
#include "format/FIOS_Sects.h"

#include "format/ColorInfo.h"
#include "format/FontInfo.h"

namespace {

void DestroyAll(CZarniArray<CSAttrSectInfo>& list) {
    for (uint32_t i = 0; i < list.GetSize(); ++i)
        list[i].Info()->Destroy();
    list.RemoveAll();
}

}  // namespace

FIOS_Sects::~FIOS_Sects() {
    Clear();
}

int FIOS_Sects::PutFont(CFontInfo* font, const CRange& range) {
    if (font == nullptr)
        return 0;
    m_fonts.Add(CSAttrSectInfo(range, font->Clone()));
    return 1;
}

int FIOS_Sects::PutColor(CColorInfo* color, const CRange& range) {
    if (color == nullptr)
        return 0;
    m_colors.Add(CSAttrSectInfo(range, color->Clone()));
    return 1;
}

CFontInfo* FIOS_Sects::GetFontAt(uint32_t i) const {
    return i < m_fonts.GetSize() ? static_cast<CFontInfo*>(m_fonts[i].Info()) : nullptr;
}

CColorInfo* FIOS_Sects::GetColorAt(uint32_t i) const {
    return i < m_colors.GetSize() ? static_cast<CColorInfo*>(m_colors[i].Info()) : nullptr;
}

void FIOS_Sects::Clear() {
    DestroyAll(m_fonts);
    DestroyAll(m_colors);
}
