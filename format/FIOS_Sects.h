// FIOS_Sects: a format output stream that collects font and colour sections separately.
#pragma once

#include <cstdint>
#include <vector>

#include "core/Owned.h"
#include "core/ZarniArray.h"
#include "format/FormatOutputStream.h"
#include "format/SAttrStick.h"

class CFontInfo;
class CColorInfo;

// Each call appends {range, clone of the record} to the font or the colour list, in call
// order; the clones are owned by the stream and given back by Clear and the destructor.
class FIOS_Sects : public IFormatOutputStream {
public:
    FIOS_Sects() = default;
    FIOS_Sects(const FIOS_Sects&) = delete;
    FIOS_Sects& operator=(const FIOS_Sects&) = delete;

    // 0 for a null record (ignored), else 1.
    int PutFont(CFontInfo* font, const CRange& range) override;
    int PutColor(CColorInfo* color, const CRange& range) override;

    // The font sections ("fontsects") and colour sections in arrival order; Info() is a
    // CFontInfo or CColorInfo owned by the stream.
    const CZarniArray<CSAttrSectInfo>& GetFontSects() const { return m_fonts; }
    const CZarniArray<CSAttrSectInfo>& GetColorSects() const { return m_colors; }
    uint32_t GetFontCount() const { return m_fonts.GetSize(); }
    uint32_t GetColorCount() const { return m_colors.GetSize(); }
    // Section i's record, or null for an index outside the list.
    CFontInfo* GetFontAt(uint32_t i) const;
    CColorInfo* GetColorAt(uint32_t i) const;

    // Destroys the collected records and empties both lists.
    void Clear();

private:
    // Keeps the clone and lists it as a section of list.
    void Put(CZarniArray<CSAttrSectInfo>& list, const CRange& range, ICompressStoreObj* clone);

    CZarniArray<CSAttrSectInfo> m_fonts;   // records in m_owned
    CZarniArray<CSAttrSectInfo> m_colors;  // records in m_owned
    std::vector<TOwned<ICompressStoreObj>> m_owned;
};
