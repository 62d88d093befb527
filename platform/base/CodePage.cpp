// Lead-byte tables of the supported code pages and iconv-backed conversion.
#include "platform/base/CodePage.h"

#include <errno.h>
#include <iconv.h>

#include <cstdio>
#include <memory>

namespace {

struct LeadRange {
    BYTE first;
    BYTE last;
};

// Lead-byte ranges of the double-byte code pages; other pages have none.
int LeadRangesOf(UINT codePage, const LeadRange** ranges) {
    static const LeadRange kShiftJis[] = {{0x81, 0x9F}, {0xE0, 0xFC}};
    static const LeadRange kWide[] = {{0x81, 0xFE}};
    switch (codePage) {
        case 932:
            *ranges = kShiftJis;
            return 2;
        case 936:
        case 949:
        case 950:
            *ranges = kWide;
            return 1;
        default:
            *ranges = nullptr;
            return 0;
    }
}

struct IconvCloser {
    void operator()(void* cd) const { iconv_close(static_cast<iconv_t>(cd)); }
};
using IconvHandle = std::unique_ptr<void, IconvCloser>;

IconvHandle OpenIconv(const std::string& to, const std::string& from) {
    iconv_t cd = iconv_open(to.c_str(), from.c_str());
    if (cd == reinterpret_cast<iconv_t>(-1))
        return IconvHandle();
    return IconvHandle(cd);
}

// Length of the UTF-8 sequence starting at p (1 when it is invalid), never past end.
size_t Utf8SequenceLength(const unsigned char* p, const unsigned char* end) {
    const unsigned char c = *p;
    size_t n = c < 0x80             ? 1
               : (c & 0xE0) == 0xC0 ? 2
               : (c & 0xF0) == 0xE0 ? 3
               : (c & 0xF8) == 0xF0 ? 4
                                    : 1;
    if (static_cast<size_t>(end - p) < n)
        return 1;
    for (size_t i = 1; i < n; ++i) {
        if ((p[i] & 0xC0) != 0x80)
            return 1;
    }
    return n;
}

// Runs iconv over the whole input, replacing what cannot be converted by the
// replacement text and stepping over it with skip(p) bytes.
template <typename SkipFn>
std::string Convert(const std::string& to, const std::string& from, const char* input,
                    size_t length, const std::string& replacement, SkipFn skip) {
    std::string out;
    if (input == nullptr || length == 0)
        return out;
    IconvHandle cd = OpenIconv(to, from);
    if (!cd)
        return out;
    out.reserve(length * 2);
    char* in = const_cast<char*>(input);  // iconv's signature; the input is not modified
    size_t inLeft = length;
    char buffer[4096];
    while (inLeft > 0) {
        char* o = buffer;
        size_t oLeft = sizeof(buffer);
        const size_t r = iconv(static_cast<iconv_t>(cd.get()), &in, &inLeft, &o, &oLeft);
        out.append(buffer, sizeof(buffer) - oLeft);
        if (r != static_cast<size_t>(-1))
            break;
        if (errno == E2BIG)
            continue;
        // EILSEQ (invalid or unconvertible) or EINVAL (incomplete at the end).
        out += replacement;
        const size_t step = errno == EINVAL ? inLeft : skip(in, inLeft);
        in += step;
        inLeft -= step;
        iconv(static_cast<iconv_t>(cd.get()), nullptr, nullptr, nullptr, nullptr);
    }
    return out;
}

}  // namespace

UINT CCodePage::s_codePage = CCodePage::kDefault;

bool CCodePage::s_leadBytes[256] = {
#define Z16 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0
    Z16, Z16, Z16, Z16, Z16, Z16, Z16, Z16,  // 0x00-0x7F
    0,   1,   1,   1,   1,   1,   1,   1,   1, 1, 1, 1, 1, 1, 1, 1,
#define O16 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1
    O16, O16, O16, O16, O16, O16,  // 0x90-0xEF
    1,   1,   1,   1,   1,   1,   1,   1,   1, 1, 1, 1, 1, 1, 1, 0,
#undef Z16
#undef O16
};

std::string CCodePage::IconvName(UINT codePage) {
    switch (codePage) {
        case 936:
            return "GBK";
        case 932:
        case 949:
        case 950:
        case 437:
        case 850:
        case 866:
        case 874:
            return "CP" + std::to_string(codePage);
        default:
            break;
    }
    if (codePage >= 1250 && codePage <= 1258)
        return "CP" + std::to_string(codePage);
    if (codePage >= 28591 && codePage <= 28605 && codePage != 28600 && codePage != 28601 &&
        codePage != 28602 && codePage != 28604) {
        return "ISO-8859-" + std::to_string(codePage - 28590);
    }
    return std::string();
}

bool CCodePage::IsSupported(UINT codePage) {
    const std::string name = IconvName(codePage);
    if (name.empty())
        return false;
    return static_cast<bool>(OpenIconv("UTF-8", name));
}

BOOL CCodePage::Set(UINT codePage) {
    if (!IsSupported(codePage))
        return FALSE;
    const LeadRange* ranges = nullptr;
    const int count = LeadRangesOf(codePage, &ranges);
    for (int b = 0; b < 256; ++b)
        s_leadBytes[b] = false;
    for (int i = 0; i < count; ++i) {
        for (int b = ranges[i].first; b <= ranges[i].last; ++b)
            s_leadBytes[b] = true;
    }
    s_codePage = codePage;
    return TRUE;
}

std::string CCodePage::ToUtf8(const char* bytes, size_t length) {
    // An undecodable lead byte takes its trail byte with it when the pair is complete,
    // so one bad character gives one '?'.
    auto skip = [](const char* p, size_t left) -> size_t {
        const BYTE b = static_cast<BYTE>(*p);
        if (IsLeadByte(b) && left >= 2 && static_cast<BYTE>(p[1]) >= 0x40)
            return 2;
        return 1;
    };
    return Convert("UTF-8", IconvName(s_codePage), bytes, length, "?", skip);
}

std::string CCodePage::FromUtf8(const char* utf8, size_t length) {
    auto skip = [](const char* p, size_t left) -> size_t {
        const auto* u = reinterpret_cast<const unsigned char*>(p);
        return Utf8SequenceLength(u, u + left);
    };
    return Convert(IconvName(s_codePage), "UTF-8", utf8, length, "?", skip);
}
