// MD5 message digest (RFC 1321), used to derive object ids from content.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

class CMd5 {
public:
    using Digest = std::array<uint8_t, 16>;

    CMd5() { Reset(); }
    void Reset();
    void Update(const void* data, size_t length);
    // Finishes the digest; the object must be Reset before it is used again.
    Digest Final();

    static Digest Of(const void* data, size_t length) {
        CMd5 md5;
        md5.Update(data, length);
        return md5.Final();
    }

private:
    void Transform(const uint8_t block[64]);

    uint32_t m_state[4];
    uint64_t m_bitCount;
    uint8_t m_buffer[64];
};
