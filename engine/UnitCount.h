// CountUnits: the number of document units a multibyte string stands for.
#pragma once

#include <cstdint>

#include "platform/base/CodePage.h"
#include "platform/base/String.h"

// A lead byte with the byte after it is one unit (one double-byte character), every other
// byte one unit. A lead byte at the very end has no trail byte and counts alone, so the
// walk never reads past the string.
inline int32_t CountUnits(const CString& text) {
    const std::string& bytes = text.str();
    const size_t length = bytes.size();
    int32_t units = 0;
    for (size_t i = 0; i < length; ++units) {
        const bool pair = CCodePage::IsLeadByte(static_cast<BYTE>(bytes[i])) && i + 1 < length;
        i += pair ? 2 : 1;
    }
    return units;
}

// count + more, held at INT32_MAX instead of overflowing (more is never negative).
inline int32_t AddUnitsSaturated(int32_t count, int32_t more) {
    return count > INT32_MAX - more ? INT32_MAX : count + more;
}
