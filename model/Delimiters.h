// CDelimiters: the process-wide sets of word-break and line-break units.
#pragma once

#include <cstdint>

#include "model/WordString.h"

class CDelimiters {
public:
    static CDelimiters& Instance();

    // 13, 10 and 2573 (13 and 10 packed as one unit).
    bool IsLineBreak(uint16_t unit) const {
        return unit == LINE_FEED_UNIT || unit == PARA_END_UNIT || unit == kPackedBreak;
    }
    // Units above 255, below 33, or in the word-break set (empty as built).
    bool IsWordBreak(uint16_t unit) const {
        return unit > 255 || unit < 33 || m_wordBreaks.find(unit) >= 0;
    }
    const CWordString& LineBreaks() const { return m_lineBreaks; }
    const CWordString& WordBreaks() const { return m_wordBreaks; }

private:
    static constexpr uint16_t kPackedBreak = PARA_END_UNIT + 256 * LINE_FEED_UNIT;

    CDelimiters();

    CWordString m_wordBreaks;
    CWordString m_lineBreaks;
};
