// CleanInputText: drops tabs and a dangling final lead byte from incoming text.
#include "engine/TextCleaning.h"

#include <string>

#include "platform/base/CodePage.h"

CString CleanInputText(const CString& text) {
    // No supported code page uses 9 as a trail byte, so removing every tab byte never
    // splits a double-byte character.
    std::string bytes;
    bytes.reserve(text.str().size());
    for (char ch : text.str()) {
        if (ch != '\t')
            bytes += ch;
    }
    // Walk from the start: only the character structure tells a lead byte from a trail
    // byte that happens to have a lead byte's value.
    const size_t length = bytes.size();
    size_t i = 0;
    while (i < length) {
        if (CCodePage::IsLeadByte(static_cast<BYTE>(bytes[i]))) {
            if (i + 1 >= length) {
                bytes.resize(i);
                break;
            }
            i += 2;
        } else {
            ++i;
        }
    }
    return CString(std::move(bytes));
}
