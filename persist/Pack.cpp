// CPack: fixed-width hexadecimal integers, length-prefixed strings and raw ids over one
// byte buffer with a consuming read position.
#include "persist/Pack.h"

#include <cassert>
#include <cstring>

#include "objects/HexDigits.h"

namespace {

constexpr uint32_t kUuidLength = 16;

void FormatField(uint32_t value, char out[CPack::kFieldLength]) {
    static const char kDigits[] = "0123456789abcdef";
    for (int i = CPack::kFieldLength - 1; i >= 0; --i) {
        out[i] = kDigits[value & 0xF];
        value >>= 4;
    }
}

}  // namespace

CPack::CPack(const void* bytes, size_t length) {
    Attach(bytes, length);
}

void CPack::Attach(const void* bytes, size_t length) {
    Compact();
    if (bytes != nullptr && length != 0)
        Append(static_cast<const char*>(bytes), length);
    m_pos = 0;
    m_blockMark = kNoBlock;
}

void CPack::Attach(std::string&& bytes) {
    if (GetLength() != 0 || bytes.size() > kMaxLength) {
        Attach(bytes.data(), bytes.size());
        return;
    }
    m_buf = std::move(bytes);
    m_gap = 0;
    m_pos = 0;
    m_blockMark = kNoBlock;
}

void CPack::Reset() {
    // The gap sits at the read position; close it before the position moves back.
    Compact();
    m_pos = 0;
    m_blockMark = kNoBlock;
}

const std::string& CPack::GetBuffer() const {
    Compact();
    return m_buf;
}

// ---- Writing ----

CPack& CPack::operator<<(int value) {
    AppendField(static_cast<uint32_t>(value));
    return *this;
}

CPack& CPack::operator<<(unsigned int value) {
    AppendField(value);
    return *this;
}

CPack& CPack::operator<<(long value) {
    AppendField(static_cast<uint32_t>(static_cast<unsigned long>(value)));
    return *this;
}

CPack& CPack::operator<<(unsigned long value) {
    AppendField(static_cast<uint32_t>(value));
    return *this;
}

CPack& CPack::operator<<(const std::string& value) {
    // A string that would not fit is not written at all, rather than leaving a bare length.
    if (static_cast<uint64_t>(GetLength()) + kFieldLength + value.size() > kMaxLength)
        return *this;
    AppendField(static_cast<uint32_t>(value.size()));
    Append(value.data(), value.size());
    return *this;
}

CPack& CPack::operator<<(const CString& value) {
    return *this << value.str();
}

CPack& CPack::operator<<(const ZarniUUID& value) {
    uint8_t bytes[kUuidLength];
    value.ToBytes(bytes);
    Append(reinterpret_cast<const char*>(bytes), kUuidLength);
    return *this;
}

void CPack::BeginBlock() {
    if (IsBlockOpen())
        return;
    const uint32_t mark = GetLength();
    if (mark > kMaxLength - kFieldLength)
        return;
    AppendField(mark);
    m_blockMark = mark;
}

void CPack::EndBlock() {
    if (!IsBlockOpen())
        return;
    // The field may lie on either side of the gap, or across it after a Skip.
    Compact();
    char field[kFieldLength];
    FormatField(GetLength() - m_blockMark, field);
    std::memcpy(&m_buf[m_blockMark], field, kFieldLength);
    m_blockMark = kNoBlock;
}

void CPack::AppendField(uint32_t value) {
    char field[kFieldLength];
    FormatField(value, field);
    Append(field, kFieldLength);
}

void CPack::Append(const char* bytes, size_t length) {
    if (length > kMaxLength || GetLength() > kMaxLength - length)
        return;
    // The physical end is always the logical end too (the gap sits at the read position),
    // so appending needs no compaction, except to keep the storage within 32-bit offsets.
    if (m_buf.size() + length > kMaxLength)
        Compact();
    m_buf.append(bytes, length);
}

// ---- Reading ----

bool CPack::ParseField(const char* field, uint32_t& value) {
    if (HexDigitValue(field[0]) < 0)
        return false;
    uint32_t result = 0;
    for (uint32_t i = 0; i < kFieldLength; ++i) {
        const int digit = HexDigitValue(field[i]);
        if (digit < 0)
            break;
        result = (result << 4) | static_cast<uint32_t>(digit);
    }
    value = result;
    return true;
}

bool CPack::ParseIntAt(uint32_t offsetFromRead, uint32_t& value) const {
    return ParseField(ReadPointer() + offsetFromRead, value);
}

bool CPack::ReadField(uint32_t& value) {
    if (Remaining() < kFieldLength)
        return false;
    const bool parsed = ParseIntAt(0, value);
    Remove(kFieldLength);
    return parsed;
}

CPack& CPack::operator>>(int& value) {
    uint32_t field;
    if (ReadField(field))
        value = static_cast<int32_t>(field);
    return *this;
}

CPack& CPack::operator>>(unsigned int& value) {
    uint32_t field;
    if (ReadField(field))
        value = field;
    return *this;
}

CPack& CPack::operator>>(long& value) {
    uint32_t field;
    if (ReadField(field))
        value = static_cast<int32_t>(field);
    return *this;
}

CPack& CPack::operator>>(unsigned long& value) {
    uint32_t field;
    if (ReadField(field))
        value = field;
    return *this;
}

uint32_t CPack::StringFieldLength() const {
    // Strings are never read while a block is being written.
    if (IsBlockOpen())
        return 0;
    const uint32_t remaining = Remaining();
    uint32_t length = 0;
    if (remaining < kFieldLength || !ParseIntAt(0, length))
        return 0;
    // Compared without adding, so a huge length cannot wrap around.
    if (length > remaining - kFieldLength)
        return 0;
    return kFieldLength + length;
}

CPack& CPack::operator>>(std::string& value) {
    const uint32_t total = StringFieldLength();
    if (total == 0)
        return *this;
    value.assign(ReadPointer() + kFieldLength, total - kFieldLength);
    Remove(total);
    return *this;
}

CPack& CPack::operator>>(CString& value) {
    const uint32_t total = StringFieldLength();
    if (total == 0)
        return *this;
    value = CString(std::string(ReadPointer() + kFieldLength, total - kFieldLength));
    Remove(total);
    return *this;
}

CPack& CPack::operator>>(ZarniUUID& value) {
    if (PeekUUID(value) != 0)
        Remove(kUuidLength);
    return *this;
}

uint32_t CPack::PeekInt(int& value) const {
    if (Remaining() < kFieldLength)
        return 0;
    uint32_t field;
    if (ParseIntAt(0, field))
        value = static_cast<int32_t>(field);
    return kFieldLength;
}

uint32_t CPack::PeekString(std::string& value) const {
    const uint32_t total = StringFieldLength();
    if (total != 0)
        value.assign(ReadPointer() + kFieldLength, total - kFieldLength);
    return total;
}

uint32_t CPack::PeekUUID(ZarniUUID& value) const {
    if (Remaining() < kUuidLength)
        return 0;
    value = ZarniUUID::FromBytes(reinterpret_cast<const uint8_t*>(ReadPointer()));
    return kUuidLength;
}

uint32_t CPack::PeekBytes(std::string& value, uint32_t count) const {
    if (Remaining() < count)
        return 0;
    value.assign(ReadPointer(), count);
    return count;
}

const char* CPack::PeekRaw(uint32_t count) const {
    return Remaining() < count ? nullptr : ReadPointer();
}

uint32_t CPack::ReadBytes(std::string& value, uint32_t count) {
    if (Remaining() < count)
        return Remaining();
    value.clear();
    return AppendBytes(value, count);
}

uint32_t CPack::AppendBytes(std::string& value, uint32_t count) {
    const uint32_t remaining = Remaining();
    if (remaining < count)
        return remaining;
    value.append(ReadPointer(), count);
    Remove(count);
    return count;
}

uint32_t CPack::Drop(uint32_t count) {
    if (Remaining() < count)
        return 0;
    Remove(count);
    return count;
}

uint32_t CPack::DropUUID() {
    return Drop(kUuidLength);
}

uint32_t CPack::Skip(uint32_t count) {
    if (Remaining() < count)
        return 0;
    // Move the gap along: the count bytes behind it come forward in front of it.
    if (m_gap != 0 && count != 0)
        std::memmove(&m_buf[m_pos], &m_buf[m_pos + m_gap], count);
    m_pos += count;
    DropTrailingGap();
    return count;
}

void CPack::Remove(uint32_t count) {
    if (count == 0)
        return;
    if (IsBlockOpen()) {
        // Keep the open block's field in the buffer and the mark pointing at it; a read
        // that eats into the field abandons the block.
        if (m_pos + count <= m_blockMark) {
            m_blockMark -= count;
        } else if (m_pos < m_blockMark + kFieldLength) {
            m_blockMark = kNoBlock;
        }
    }
    m_gap += count;
    DropTrailingGap();
}

void CPack::DropTrailingGap() {
    // A gap that reaches the end is simply cut off, so it never sits behind the last byte.
    if (m_gap != 0 && static_cast<size_t>(m_pos) + m_gap == m_buf.size()) {
        m_buf.resize(m_pos);
        m_gap = 0;
    }
}

void CPack::Compact() const {
    if (m_gap == 0)
        return;
    m_buf.erase(m_pos, m_gap);
    m_gap = 0;
}

bool CPack::AssertValid() const {
    const bool ok =
        static_cast<size_t>(m_pos) + m_gap <= m_buf.size() && m_buf.size() <= kMaxLength &&
        (m_gap == 0 || static_cast<size_t>(m_pos) + m_gap < m_buf.size()) &&
        (m_blockMark == kNoBlock || static_cast<size_t>(m_blockMark) + kFieldLength <= GetLength());
    assert(ok);
    return ok;
}
