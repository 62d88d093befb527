// CColorInfo: colour records, their content ids and their pack form.
#include "format/ColorInfo.h"

#include <cctype>
#include <cstdint>
#include <string>

#include "persist/Pack.h"

namespace {

constexpr uint32_t kIdBytes = 16;
constexpr uint32_t kFieldBytes = 8;

}  // namespace

const ZarniUUID& CColorInfo::ClassId() {
    static const ZarniUUID id = UuidFromText(kClassIdText);
    return id;
}

ZarniUUID CColorInfo::IdOf(COLORREF color) {
    const uint8_t bytes[4] = {static_cast<uint8_t>(color), static_cast<uint8_t>(color >> 8),
                              static_cast<uint8_t>(color >> 16), static_cast<uint8_t>(color >> 24)};
    return UuidFromBytes(bytes, sizeof(bytes));
}

void CColorInfo::SetColor(COLORREF color) {
    m_color = color;
    m_id = IdOf(color);
}

void CColorInfo::streamout(CPack& pack) const {
    pack << m_id << static_cast<unsigned long>(m_color);
}

bool CColorInfo::Read(CPack& pack) {
    // Look before consuming: both fields must be there.
    std::string head;
    if (pack.PeekBytes(head, kIdBytes + kFieldBytes) == 0)
        return false;
    ZarniUUID id;
    unsigned long color = 0;
    pack >> id >> color;
    // The pack leaves the target alone for a field that does not begin with a hex digit.
    if (!std::isxdigit(static_cast<unsigned char>(head[kIdBytes])))
        return false;
    m_color = static_cast<uint32_t>(color);
    m_id = id;
    return true;
}
