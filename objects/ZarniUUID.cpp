// Text and content-digest constructors of ZarniUUID.
#include "objects/ZarniUUID.h"

#include <string>

#include "objects/HexDigits.h"
#include "objects/Md5.h"

namespace {

// A group of 8 characters read as "%x" would: leading hexadecimal digits only, 0 when
// the group does not begin with one.
uint32_t ReadHexGroup(const char* group) {
    uint32_t value = 0;
    for (int i = 0; i < 8; ++i) {
        const int v = HexDigitValue(group[i]);
        if (v < 0)
            break;
        value = (value << 4) | static_cast<uint32_t>(v);
    }
    return value;
}

}  // namespace

ZarniUUID UuidFromText(const char* text) {
    if (text == nullptr)
        return ZarniUUID();
    std::string digits;
    for (const char* p = text; *p; ++p) {
        if (*p != '-')
            digits += *p;
        if (digits.size() > 32)
            return ZarniUUID();
    }
    if (digits.size() != 32)
        return ZarniUUID();
    ZarniUUID id;
    for (int i = 0; i < 4; ++i)
        id.words[i] = ReadHexGroup(digits.data() + 8 * i);
    return id;
}

ZarniUUID UuidFromBytes(const void* bytes, size_t length) {
    const CMd5::Digest digest = CMd5::Of(bytes, bytes ? length : 0);
    return ZarniUUID::FromBytes(digest.data());
}
