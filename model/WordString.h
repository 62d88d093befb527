// CWordString: the editor's text store, a string of 16-bit units converted from and to
// multibyte text of the active code page.
#pragma once

#include <cstdint>

#include "core/ZarniArray.h"
#include "platform/base/CodePage.h"
#include "platform/base/String.h"

// The unit that stands for an embedded complex object in the document.
const uint16_t CO_UNIT = 2;
// The unit that ends a paragraph (carriage return).
const uint16_t PARA_END_UNIT = 13;
// A line feed: text never holds one (carriage returns end paragraphs).
const uint16_t LINE_FEED_UNIT = 10;

// One unit per character: a double-byte character is lead + 256 * trail, any other byte is
// its value sign-extended to 16 bits (0xFF80..0xFFFF for upper-half single bytes). A unit
// keeps the character's byte order in memory, so unit arrays compare byte by byte.
// Positions, counts and find results are in units, never bytes.
class CWordString {
public:
    CWordString() = default;
    explicit CWordString(const CString& text) { Assign(text); }
    CWordString(const CWordString&) = default;
    CWordString& operator=(const CWordString&) = default;
    CWordString& operator=(const CString& text) {
        Assign(text);
        return *this;
    }
    virtual ~CWordString() = default;

    // The multibyte text: each unit's low byte, and its high byte when the low one is a lead
    // byte. Ends at the first unit whose low byte is 0.
    CString c_str() const;

    // The multibyte text of count units, as c_str gives it.
    static CString ToText(const uint16_t* units, uint32_t count);
    // Reads multibyte text unit by unit as the string stores it (a lead byte with the byte
    // after it, 0 past the end), calling take(unit, bytes read) until it answers false.
    template <class Take>
    static void Decode(const char* text, uint32_t length, Take&& take);

    // Empty when n is 0 or greater than the length.
    CWordString left(uint32_t n) const;
    CWordString right(uint32_t n) const;
    // Empty when n is 0, pos is at or past the end, or pos + n passes the end.
    CWordString substr(uint32_t pos, uint32_t n) const;

    // Index of the first unit equal to unit (at or after from), or -1.
    int32_t find(uint16_t unit) const { return find(unit, 0); }
    int32_t find(uint16_t unit, uint32_t from) const;

    bool operator==(const CWordString& other) const;
    bool operator!=(const CWordString& other) const { return !(*this == other); }

    // Edits follow CZarniArray: out-of-range positions are ignored.
    void InsertAt(uint32_t pos, uint16_t unit) { m_units.InsertAt(pos, unit); }
    void InsertAt(uint32_t pos, const CWordString& other) { m_units.InsertAt(pos, other.m_units); }
    void InsertRange(uint32_t pos, const CWordString& other, uint32_t from, uint32_t count) {
        m_units.InsertRange(pos, other.m_units, from, count);
    }
    // Count units that do not lie in this string, at pos or at the end.
    void InsertAt(uint32_t pos, const uint16_t* units, uint32_t count) {
        m_units.InsertValues(pos, units, count);
    }
    void Append(const uint16_t* units, uint32_t count) { InsertAt(GetSize(), units, count); }
    void RemoveAt(uint32_t pos, uint32_t count = 1) { m_units.RemoveAt(pos, count); }
    void RemoveAll() { m_units.RemoveAll(); }

    uint32_t GetSize() const { return m_units.GetSize(); }
    uint32_t GetCapacity() const { return m_units.GetCapacity(); }
    void Reserve(uint32_t capacity) { m_units.Reserve(capacity); }
    // Access requires pos < GetSize().
    uint16_t GetAt(uint32_t pos) const { return m_units[pos]; }
    uint16_t operator[](uint32_t pos) const { return m_units[pos]; }
    const uint16_t* GetData() const { return m_units.GetData(); }
    const CZarniArray<uint16_t>& GetUnits() const { return m_units; }

    // Appends to out the pieces between separators, in order; empty pieces are dropped, so
    // no piece is empty or holds the separator.
    void Divide(uint16_t separator, CZarniArray<CWordString>& out) const;

    void AssertValid() const { m_units.AssertValid(); }

private:
    // Empties the store and converts text; a lead byte at the very end pairs with the
    // terminating zero.
    void Assign(const CString& text);

    CZarniArray<uint16_t> m_units;
};

template <class Take>
void CWordString::Decode(const char* text, uint32_t length, Take&& take) {
    const auto* bytes = reinterpret_cast<const uint8_t*>(text);
    for (uint32_t i = 0; i < length;) {
        const uint8_t b = bytes[i];
        if (CCodePage::IsLeadByte(b)) {
            const uint8_t trail = i + 1 < length ? bytes[i + 1] : 0;
            if (!take(static_cast<uint16_t>(b | (trail << 8)), 2u))
                return;
            i += 2;
        } else {
            if (!take(static_cast<uint16_t>(static_cast<int16_t>(static_cast<int8_t>(b))), 1u))
                return;
            i += 1;
        }
    }
}
