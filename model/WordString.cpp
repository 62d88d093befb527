// Conversion, slicing, search and splitting of the unit string.
#include "model/WordString.h"

#include <cstring>
#include <string>
#include <vector>

#include "platform/base/CodePage.h"

void CWordString::Assign(const CString& text) {
    m_units.RemoveAll();
    const uint32_t length = static_cast<uint32_t>(text.GetLength());
    std::vector<uint16_t> units(length);
    uint32_t n = 0;
    Decode(text.GetString(), length, [&](uint16_t unit, uint32_t) {
        units[n++] = unit;
        return true;
    });
    m_units.InsertValues(0, units.data(), n);
}

CString CWordString::c_str() const {
    return ToText(m_units.GetData(), GetSize());
}

CString CWordString::ToText(const uint16_t* units, uint32_t size) {
    std::string buffer(2 * static_cast<size_t>(size) + 1, '\0');
    size_t out = 0;
    for (uint32_t i = 0; i < size; ++i) {
        const uint16_t unit = units[i];
        const uint8_t low = static_cast<uint8_t>(unit & 0xFF);
        buffer[out++] = static_cast<char>(low);
        if (CCodePage::IsLeadByte(low))
            buffer[out++] = static_cast<char>(unit >> 8);
    }
    return CString(buffer.c_str());
}

CWordString CWordString::left(uint32_t n) const {
    return n > GetSize() ? CWordString() : substr(0, n);
}

CWordString CWordString::right(uint32_t n) const {
    return n > GetSize() ? CWordString() : substr(GetSize() - n, n);
}

CWordString CWordString::substr(uint32_t pos, uint32_t n) const {
    CWordString piece;
    if (pos < GetSize() && n <= GetSize() - pos)
        piece.InsertRange(0, *this, pos, n);
    return piece;
}

int32_t CWordString::find(uint16_t unit, uint32_t from) const {
    for (uint32_t i = from; i < GetSize(); ++i) {
        if (m_units[i] == unit)
            return static_cast<int32_t>(i);
    }
    return -1;
}

bool CWordString::operator==(const CWordString& other) const {
    return GetSize() == other.GetSize() &&
           (GetSize() == 0 ||
            std::memcmp(GetData(), other.GetData(), GetSize() * sizeof(uint16_t)) == 0);
}

void CWordString::Divide(uint16_t separator, CZarniArray<CWordString>& out) const {
    uint32_t from = 0;
    for (int32_t k = find(separator, from); k >= 0; k = find(separator, from)) {
        const uint32_t hit = static_cast<uint32_t>(k);
        if (hit > from)
            out.Add(substr(from, hit - from));
        from = hit + 1;
    }
    if (from < GetSize())
        out.Add(substr(from, GetSize() - from));
}
