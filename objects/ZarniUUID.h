// ZarniUUID: the 128-bit identity of objects and classes.
#pragma once

#include <cstddef>
#include <cstdint>

// Four 32-bit words; also read as two signed 64-bit halves (word 0 low / word 1 high,
// then word 2 low / word 3 high). All bits set is the null id, the default value.
struct ZarniUUID {
    uint32_t words[4];

    ZarniUUID() : words{0xFFFFFFFFu, 0xFFFFFFFFu, 0xFFFFFFFFu, 0xFFFFFFFFu} {}
    ZarniUUID(uint32_t w0, uint32_t w1, uint32_t w2, uint32_t w3) : words{w0, w1, w2, w3} {}
    ZarniUUID(int64_t first, int64_t second)
        : words{static_cast<uint32_t>(static_cast<uint64_t>(first)),
                static_cast<uint32_t>(static_cast<uint64_t>(first) >> 32),
                static_cast<uint32_t>(static_cast<uint64_t>(second)),
                static_cast<uint32_t>(static_cast<uint64_t>(second) >> 32)} {}

    int64_t First() const {
        return static_cast<int64_t>(static_cast<uint64_t>(words[0]) |
                                    (static_cast<uint64_t>(words[1]) << 32));
    }
    int64_t Second() const {
        return static_cast<int64_t>(static_cast<uint64_t>(words[2]) |
                                    (static_cast<uint64_t>(words[3]) << 32));
    }
    bool IsNull() const {
        return words[0] == 0xFFFFFFFFu && words[1] == 0xFFFFFFFFu && words[2] == 0xFFFFFFFFu &&
               words[3] == 0xFFFFFFFFu;
    }

    // The stored form: the four words in order, each little-endian.
    void ToBytes(uint8_t out[16]) const {
        for (int i = 0; i < 4; ++i) {
            for (int j = 0; j < 4; ++j)
                out[4 * i + j] = static_cast<uint8_t>(words[i] >> (8 * j));
        }
    }
    static ZarniUUID FromBytes(const uint8_t in[16]) {
        ZarniUUID id;
        for (int i = 0; i < 4; ++i) {
            id.words[i] = static_cast<uint32_t>(in[4 * i]) |
                          (static_cast<uint32_t>(in[4 * i + 1]) << 8) |
                          (static_cast<uint32_t>(in[4 * i + 2]) << 16) |
                          (static_cast<uint32_t>(in[4 * i + 3]) << 24);
        }
        return id;
    }

    friend bool operator==(const ZarniUUID& a, const ZarniUUID& b) {
        return a.words[0] == b.words[0] && a.words[1] == b.words[1] && a.words[2] == b.words[2] &&
               a.words[3] == b.words[3];
    }
    friend bool operator!=(const ZarniUUID& a, const ZarniUUID& b) { return !(a == b); }
    // Ordered by the signed first half, then the signed second half.
    friend bool operator<(const ZarniUUID& a, const ZarniUUID& b) {
        if (a.First() != b.First())
            return a.First() < b.First();
        return a.Second() < b.Second();
    }
    friend bool operator>(const ZarniUUID& a, const ZarniUUID& b) { return b < a; }
    friend bool operator<=(const ZarniUUID& a, const ZarniUUID& b) { return !(b < a); }
    friend bool operator>=(const ZarniUUID& a, const ZarniUUID& b) { return !(a < b); }
};
static_assert(sizeof(ZarniUUID) == 16, "ZarniUUID is 16 bytes");

// Id from its text form: dashes removed, exactly 32 hexadecimal characters read as four
// groups of 8 into words 0 to 3; anything else gives the null id. Null text gives null.
ZarniUUID UuidFromText(const char* text);
// Id from content: the MD5 digest of the bytes, word i = digest bytes 4i..4i+3
// little-endian. Null data is treated as empty.
ZarniUUID UuidFromBytes(const void* bytes, size_t length);
