// FIOS_Sects: collects the font and colour sections a format store sends.
#include "format/FIOS_Sects.h"

#include "format/ColorInfo.h"
#include "format/FontInfo.h"

void FIOS_Sects::Put(CZarniArray<CSAttrSectInfo>& list, const CRange& range,
                     ICompressStoreObj* clone) {
    m_owned.emplace_back(clone);
    list.Add(CSAttrSectInfo(range, clone));
}

int FIOS_Sects::PutFont(CFontInfo* font, const CRange& range) {
    if (font == nullptr)
        return 0;
    Put(m_fonts, range, font->Clone());
    return 1;
}

int FIOS_Sects::PutColor(CColorInfo* color, const CRange& range) {
    if (color == nullptr)
        return 0;
    Put(m_colors, range, color->Clone());
    return 1;
}

CFontInfo* FIOS_Sects::GetFontAt(uint32_t i) const {
    return i < m_fonts.GetSize() ? static_cast<CFontInfo*>(m_fonts[i].Info()) : nullptr;
}

CColorInfo* FIOS_Sects::GetColorAt(uint32_t i) const {
    return i < m_colors.GetSize() ? static_cast<CColorInfo*>(m_colors[i].Info()) : nullptr;
}

void FIOS_Sects::Clear() {
    m_fonts.RemoveAll();
    m_colors.RemoveAll();
    m_owned.clear();
}
