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

// The record of the section covering the whole of piece, or null.
ICompressStoreObj* RecordOver(const CSAttrStick& stick, const CRange& piece) {
    const CSAttrSectInfo sect = stick.GetSectAt(piece.home);
    if (sect.Info() == nullptr || sect.Range().home > piece.home || sect.Range().end < piece.end)
        return nullptr;
    return sect.Info();
}

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
    int sent = 0;
    for (size_t i = 1; i < cuts.size(); ++i) {
        const CRange piece(cuts[i - 1], cuts[i]);
        auto* font = dynamic_cast<CFontInfo*>(RecordOver(m_fonts, piece));
        auto* color = dynamic_cast<CColorInfo*>(RecordOver(m_colors, piece));
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
