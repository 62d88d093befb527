// FIOS_Mixture: a format output stream that combines fonts and colours into runs.
#pragma once

#include "format/FormatOutputStream.h"
#include "format/SAttrStick.h"

// Fonts and colours are assigned onto two sticks as they arrive; Output then cuts the
// covered stretch at every boundary of either stick and sends one run per piece.
class FIOS_Mixture : public IFormatOutputStream {
public:
    FIOS_Mixture() = default;
    ~FIOS_Mixture() override = default;
    FIOS_Mixture(const FIOS_Mixture&) = delete;
    FIOS_Mixture& operator=(const FIOS_Mixture&) = delete;

    // Assign the record over range on the font or colour stick; 0 for a null record.
    int PutFont(CFontInfo* font, const CRange& range) override;
    int PutColor(CColorInfo* color, const CRange& range) override;

    // Sends {font, colour, range} for each piece between neighbouring boundaries of the two
    // sticks, in position order. A piece that only one stick covers is skipped (the sticks
    // are meant to cover the same stretch). Returns the number of runs sent, 0 for a null
    // out.
    int Output(IMixtureOutputStream* out) const;

    const CSAttrStick& GetFontStick() const { return m_fonts; }
    const CSAttrStick& GetColorStick() const { return m_colors; }
    // Empties both sticks and destroys their records.
    void Clear();

private:
    CSAttrStick m_fonts;
    CSAttrStick m_colors;
};
