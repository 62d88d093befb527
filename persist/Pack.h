// CPack: the byte stream every persistent object writes itself into and reads itself from.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "objects/ZarniUUID.h"
#include "platform/base/String.h"

// A growable byte string with a read position and at most one open length block.
//
// Integers travel as 8 lower-case hexadecimal characters (their 32-bit two's complement),
// strings as an 8-character length followed by their raw bytes, ids as their 16 stored
// bytes. Writes append at the end. Reads start at the read position and remove what they
// read, so a reader that never skips keeps reading at position 0. A read that finds too
// few bytes changes nothing: neither its target nor the pack.
//
// Removed bytes are not moved out at once: they form a gap starting at the read position
// that is closed only when something needs the buffer contiguous (GetBuffer, Attach,
// Reset, EndBlock) or moved along by Skip, so reading a whole pack costs time linear in
// its size. Every observable result is as if the bytes had been removed immediately.
class CPack {
public:
    // Offset value of the block mark when no block is open.
    static constexpr uint32_t kNoBlock = 0xFFFFFFFFu;
    // The longest buffer a pack holds; offsets are 32-bit and kNoBlock is reserved.
    static constexpr uint32_t kMaxLength = 0xFFFFFFFEu;
    // Characters of an integer field (and of a string's or block's length).
    static constexpr uint32_t kFieldLength = 8;

    CPack() = default;
    // Appends the bytes when they are non-null and the length is non-zero.
    CPack(const void* bytes, size_t length);

    // Appends the bytes (when non-null and non-empty), then returns the read position to 0
    // and closes any open block. Bytes that would make the buffer longer than kMaxLength
    // are not appended at all.
    void Attach(const void* bytes, size_t length);
    // The same for a string the pack may take over: an empty pack adopts its storage
    // instead of copying it, which halves the memory a large load needs.
    void Attach(std::string&& bytes);
    // Read position 0, no open block; the buffer keeps its bytes (skipped ones included).
    void Reset();

    // The whole buffer, skipped bytes included, removed bytes excluded. The reference
    // holds the current bytes only until the pack is next changed.
    const std::string& GetBuffer() const;
    // Buffer length in bytes.
    uint32_t GetLength() const { return static_cast<uint32_t>(m_buf.size() - m_gap); }
    // Bytes from the read position to the end.
    uint32_t Remaining() const { return GetLength() - m_pos; }
    uint32_t GetReadPosition() const { return m_pos; }
    bool IsBlockOpen() const { return m_blockMark != kNoBlock; }

    // Integers: 8 characters of the low 32 bits, "%08x".
    CPack& operator<<(int value);
    CPack& operator<<(unsigned int value);
    CPack& operator<<(long value);
    CPack& operator<<(unsigned long value);
    // Strings: 8-character length, then the bytes unchanged (no terminator).
    CPack& operator<<(const std::string& value);
    CPack& operator<<(const CString& value);
    // Ids: the 16 stored bytes.
    CPack& operator<<(const ZarniUUID& value);

    // Opens a block by appending an 8-character placeholder for its length; does nothing
    // while a block is open (blocks do not nest).
    void BeginBlock();
    // Closes the open block: its length, counted from the start of the placeholder to the
    // end of the buffer, replaces the placeholder. Does nothing when no block is open.
    void EndBlock();

    // Integers: with at least 8 bytes remaining, the 8 characters are removed and their
    // leading hexadecimal digits parsed; a field that does not begin with a hexadecimal
    // digit is still removed but leaves the target unchanged. `long` takes the field as a
    // signed 32-bit value, `unsigned long` as an unsigned one.
    CPack& operator>>(int& value);
    CPack& operator>>(unsigned int& value);
    CPack& operator>>(long& value);
    CPack& operator>>(unsigned long& value);
    // Strings: read only while no block is open, and only when the whole field is there
    // (a length field that does not begin with a hexadecimal digit is never complete).
    CPack& operator>>(std::string& value);
    CPack& operator>>(CString& value);
    // Ids: with at least 16 bytes remaining.
    CPack& operator>>(ZarniUUID& value);

    // Peeks copy without removing. Each returns the number of bytes the matching read
    // would remove (8, 8 + length, 16, n), or 0 when the data is incomplete, in which case
    // the target is unchanged. PeekInt returns 8 even when the field is not a number.
    uint32_t PeekInt(int& value) const;
    uint32_t PeekString(std::string& value) const;
    uint32_t PeekUUID(ZarniUUID& value) const;
    uint32_t PeekBytes(std::string& value, uint32_t count) const;
    // The next count bytes in place, or nullptr when fewer remain. The bytes stay valid
    // only until the pack is next changed.
    const char* PeekRaw(uint32_t count) const;

    // With at least count bytes remaining: the target becomes them, they are removed and
    // count is returned. Otherwise nothing happens and the remaining count is returned.
    uint32_t ReadBytes(std::string& value, uint32_t count);
    // The same, appending them to the target.
    uint32_t AppendBytes(std::string& value, uint32_t count);
    // Removes count bytes (examined with a peek); returns count, or 0 (and does nothing)
    // when fewer remain.
    uint32_t Drop(uint32_t count);
    // Drop of a class id's 16 bytes.
    uint32_t DropUUID();
    // Advances the read position by count without removing anything; returns count, or 0
    // (and does nothing) when fewer bytes remain.
    uint32_t Skip(uint32_t count);

    // True when the invariants below hold; debug builds also assert them.
    bool AssertValid() const;

    // Parses the 8 characters of an integer field; false (value unchanged) when the first
    // is not a hexadecimal digit, otherwise the leading digits make the value.
    static bool ParseField(const char* field, uint32_t& value);

private:
    // Physical address of the byte at the read position.
    const char* ReadPointer() const { return m_buf.data() + m_pos + m_gap; }
    // Parses an 8-character field at the read position; false when it does not begin with
    // a hexadecimal digit. Requires Remaining() >= 8.
    bool ParseIntAt(uint32_t offsetFromRead, uint32_t& value) const;
    // The complete length of a string field at the read position (8 + its length), or 0.
    uint32_t StringFieldLength() const;
    bool ReadField(uint32_t& value);
    void AppendField(uint32_t value);
    void Append(const char* bytes, size_t length);
    // Removes count bytes at the read position (count <= Remaining()).
    void Remove(uint32_t count);
    // Cuts off a gap that reaches the end of the storage.
    void DropTrailingGap();
    // Closes the gap so the physical buffer equals the logical one.
    void Compact() const;

    // Physical storage: the logical buffer is m_buf without the m_gap bytes that start at
    // m_pos. The gap only ever sits at the read position.
    mutable std::string m_buf;
    mutable uint32_t m_gap = 0;
    // Read position: m_pos <= GetLength().
    uint32_t m_pos = 0;
    // Offset of the open block's length field, or kNoBlock; when open, the whole field
    // lies inside the buffer (m_blockMark + 8 <= GetLength()).
    uint32_t m_blockMark = kNoBlock;
};
