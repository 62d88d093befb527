// CFontInfo: font records, their content ids and their pack form.
#include "format/FontInfo.h"

#include <cctype>
#include <cstdint>
#include <cstring>
#include <string>

#include "persist/Pack.h"

namespace {

constexpr uint32_t kIdBytes = 16;
constexpr uint32_t kFieldBytes = 8;
constexpr uint32_t kLogFontBytes = sizeof(LOGFONTA);

}  // namespace

const ZarniUUID& CFontInfo::ClassId() {
    static const ZarniUUID id = UuidFromText(kClassIdText);
    return id;
}

CFontInfo::CFontInfo() {
    std::memset(&m_lf, 0, sizeof(m_lf));
}

CFontInfo::CFontInfo(const LOGFONTA& lf) : CFontInfo() {
    SetLogFont(lf);
}

void CFontInfo::SetLogFont(const LOGFONTA& lf) {
    std::memcpy(&m_lf, &lf, sizeof(m_lf));
    m_id = UuidFromBytes(&m_lf, kLogFontBytes);
}

void CFontInfo::streamout(CPack& pack) const {
    pack << m_id << std::string(reinterpret_cast<const char*>(&m_lf), kLogFontBytes);
}

bool CFontInfo::Read(CPack& pack) {
    // Both fields must be complete before either is consumed, so look at the id and the
    // string's length field first; strings are never read while a block is open.
    if (pack.IsBlockOpen())
        return false;
    std::string head;
    if (pack.PeekBytes(head, kIdBytes + kFieldBytes) == 0)
        return false;
    if (!std::isxdigit(static_cast<unsigned char>(head[kIdBytes])))
        return false;
    // The length field parsed by the pack's own integer reader.
    CPack lengthField(head.data() + kIdBytes, kFieldBytes);
    unsigned int length = 0;
    lengthField >> length;
    if (static_cast<uint64_t>(pack.Remaining()) < uint64_t{kIdBytes} + kFieldBytes + length)
        return false;
    ZarniUUID id;
    std::string bytes;
    pack >> id >> bytes;
    if (bytes.size() != kLogFontBytes)
        return false;
    std::memcpy(&m_lf, bytes.data(), kLogFontBytes);
    m_id = id;
    return true;
}
