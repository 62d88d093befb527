// Reading hexadecimal digits, as the id text form and the pack's integer fields use them.
#pragma once

#include <array>
#include <cstdint>

// The value of a hexadecimal digit (either case), or -1 for any other character. A table:
// the pack parses eight digits per integer field, several fields per record.
inline int HexDigitValue(char c) {
    static constexpr std::array<int8_t, 256> kValues = [] {
        std::array<int8_t, 256> values{};
        for (int8_t& v : values)
            v = -1;
        for (int i = 0; i < 10; ++i)
            values['0' + i] = static_cast<int8_t>(i);
        for (int i = 0; i < 6; ++i) {
            values['a' + i] = static_cast<int8_t>(10 + i);
            values['A' + i] = static_cast<int8_t>(10 + i);
        }
        return values;
    }();
    return kValues[static_cast<uint8_t>(c)];
}
