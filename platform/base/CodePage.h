// The active multibyte code page: its lead-byte table and conversion to and from UTF-8.
#pragma once

#include <string>

#include "platform/base/WinTypes.h"

// The process-wide code page in force for all 8-bit text of the control. CP936 (GBK)
// until the host chooses another with Set. Double-byte pages 932, 936, 949 and 950 have
// lead bytes; single-byte pages (437, 850, 866, 874, 1250-1258, 28591-28605) have none.
class CCodePage {
public:
    static constexpr UINT kDefault = 936;

    // Chooses the active code page. Returns FALSE and keeps the current one when the
    // page is not supported (UTF-8, unknown numbers, pages iconv cannot convert).
    static BOOL Set(UINT codePage);
    static UINT Get() { return s_codePage; }
    // True when codePage is one Set accepts.
    static bool IsSupported(UINT codePage);

    // Whether byte b starts a double-byte character in the active code page.
    static bool IsLeadByte(BYTE b) { return s_leadBytes[b]; }

    // Conversions between the active code page and UTF-8. A character the target cannot
    // hold, and any invalid input sequence, becomes '?'; a lead byte at the very end of
    // the input becomes '?' too. Input is read only within [bytes, bytes + length).
    static std::string ToUtf8(const char* bytes, size_t length);
    static std::string FromUtf8(const char* utf8, size_t length);
    static std::string ToUtf8(const std::string& s) { return ToUtf8(s.data(), s.size()); }
    static std::string FromUtf8(const std::string& s) { return FromUtf8(s.data(), s.size()); }

    // The iconv name of a supported code page ("GBK", "CP1252", ...), or "" when
    // unsupported.
    static std::string IconvName(UINT codePage);

private:
    static UINT s_codePage;
    static bool s_leadBytes[256];
};

// Windows-style spelling of the lead-byte query.
inline BOOL IsDBCSLeadByte(BYTE b) {
    return CCodePage::IsLeadByte(b) ? TRUE : FALSE;
}
inline UINT GetACP() {
    return CCodePage::Get();
}
