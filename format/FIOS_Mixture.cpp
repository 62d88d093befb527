// FIOS_Mixture: runs of constant font and colour from two sticks.
#include "format/FIOS_Mixture.h"

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <vector>

#include "format/ColorInfo.h"
#include "format/FontInfo.h"

namespace {

// Every point of the stick: the start of each section and the end of the last.
std::vector<int32_t> Boundaries(const CSAttrStick& stick) {
    const TColorStick<ZarniUUID>& points = stick.GetStick();
    std::vector<int32_t> out;
    if (points.IsEmpty())
        return out;
    out.reserve(points.GetPointCount());
    for (uint32_t i = 0; i < points.GetPointCount(); ++i)
        out.push_back(points.GetPoint(i).pos);
    return out;
}

// Finds, for pieces that come in position order, the record of the section covering the
// whole of each piece: it moves along the stick instead of searching it per piece, and
// looks up and casts a section's record only when the record differs from the last one.
template <class Record>
class CSectionCursor {
public:
    explicit CSectionCursor(const CSAttrStick& stick) : m_stick(stick) {}

    // The record covering piece, or null (no section, or a piece reaching past it).
    Record* Over(const CRange& piece) {
        const TColorStick<ZarniUUID>& points = m_stick.GetStick();
        const uint32_t n = points.GetPointCount();
        while (m_section + 1 < n && points.GetPoint(m_section + 1).pos <= piece.home)
            ++m_section;
        if (m_section + 1 >= n || points.GetPoint(m_section).pos > piece.home ||
            points.GetPoint(m_section + 1).pos < piece.end)
            return nullptr;
        const ZarniUUID& id = points.GetPoint(m_section).color;
        if (!m_known || id != m_id) {
            m_record = dynamic_cast<Record*>(m_stick.FindInfo(id));
            m_id = id;
            m_known = true;
        }
        return m_record;
    }

private:
    const CSAttrStick& m_stick;
    uint32_t m_section = 0;
    bool m_known = false;
    ZarniUUID m_id;
    Record* m_record = nullptr;
};

}  // namespace

int FIOS_Mixture::PutFont(CFontInfo* font, const CRange& range) {
    return m_fonts.AssignAttr(font, range);
}

int FIOS_Mixture::PutColor(CColorInfo* color, const CRange& range) {
    return m_colors.AssignAttr(color, range);
}

int FIOS_Mixture::Output(IMixtureOutputStream* out) const {
    if (out == nullptr)
        return 0;
    const std::vector<int32_t> a = Boundaries(m_fonts);
    const std::vector<int32_t> b = Boundaries(m_colors);
    std::vector<int32_t> cuts;
    cuts.reserve(a.size() + b.size());
    std::set_union(a.begin(), a.end(), b.begin(), b.end(), std::back_inserter(cuts));
    CSectionCursor<CFontInfo> fonts(m_fonts);
    CSectionCursor<CColorInfo> colors(m_colors);
    int sent = 0;
    for (size_t i = 1; i < cuts.size(); ++i) {
        const CRange piece(cuts[i - 1], cuts[i]);
        CFontInfo* font = fonts.Over(piece);
        CColorInfo* color = colors.Over(piece);
        if (font == nullptr || color == nullptr)
            continue;
        CMixtureInfo info;
        info.font = font;
        info.color = color;
        info.range = piece;
        out->PutMixture(info);
        ++sent;
    }
    return sent;
}

void FIOS_Mixture::Clear() {
    m_fonts.Clear();
    m_colors.Clear();
}
