// MD5 digests against the RFC 1321 test suite, the padding boundaries and incremental feeding.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "objects/Md5.h"

namespace {

std::string Hex(const CMd5::Digest& digest) {
    std::string text;
    char pair[3];
    for (uint8_t b : digest) {
        snprintf(pair, sizeof(pair), "%02x", b);
        text += pair;
    }
    return text;
}

}  // namespace

TEST(Md5, KnownDigests) {
    const std::string digits = "1234567890";
    // From the RFC 1321 suite, then lengths around the 56-byte padding limit and the 64-byte
    // block (values from md5sum).
    const std::pair<std::string, const char*> known[] = {
        {"", "d41d8cd98f00b204e9800998ecf8427e"},
        {"abc", "900150983cd24fb0d6963f7d28e17f72"},
        {"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789",
         "d174ab98d277d9f5a5611c2c9f419d9f"},
        {digits + digits + digits + digits + digits + digits + digits + digits,
         "57edf4a22be3c955ac49da2e2107b67a"},
        {std::string(55, 'a'), "ef1772b6dff9a122358552954ad0df65"},
        {std::string(56, 'a'), "3b0c8ac703f828b04c6c197006d17218"},
        {std::string(64, 'a'), "014842d480b571495a4a0363793f7367"},
    };
    for (const auto& [text, digest] : known)
        EXPECT_EQ(Hex(CMd5::Of(text.data(), text.size())), digest) << text.size() << " bytes";
}
