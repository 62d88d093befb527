// zarni::CLinkInfo: fields, id, copying with the owned address value, cloning.
#include "links/LinkInfo.h"

#include <cstdint>
#include <vector>

#include "core/Owned.h"

namespace zarni {

namespace {

// Link ids hash the low 4 bytes of the value and of the type.
constexpr int kIdFieldBytes = 4;

void AppendLittleEndian(std::vector<uint8_t>& bytes, uint64_t field) {
    for (int i = 0; i < kIdFieldBytes; ++i)
        bytes.push_back(static_cast<uint8_t>(field >> (8 * i)));
}

CString* AddressOf(unsigned long value) {
    return reinterpret_cast<CString*>(value);
}

}  // namespace

CLinkInfo::CLinkInfo(const CString& text, unsigned long value, unsigned int type, ZarniUUID outId) {
    SetLinkInfo(text, value, type, outId);
}

CLinkInfo& CLinkInfo::operator=(const CLinkInfo& other) {
    if (&other == this)
        return *this;
    unsigned long value = other.m_value;
    int owned = 0;
    if (other.m_type == LINK_TYPE_URL && other.m_value != 0) {
        auto address = std::make_unique<CString>(*AddressOf(other.m_value));
        value = reinterpret_cast<unsigned long>(address.release());
        owned = 1;
    } else if (m_autoDelete && value == m_value) {
        owned = 1;  // the value this link owns is given again: it stays owned
    }
    if (value != m_value)
        ReleaseValue();
    m_value = value;
    m_autoDelete = owned;
    m_id = other.m_id;
    m_text = other.m_text;
    m_type = other.m_type;
    m_outId = other.m_outId;
    return *this;
}

IClone* CLinkInfo::Clone() {
    auto copy = MakeOwned<CLinkInfo>();
    *copy = *this;
    return copy.release();
}

ICompressStoreObj* CLinkInfo::ShallowClone(ICompressStoreObj*) {
    return static_cast<CLinkInfo*>(Clone());
}

void CLinkInfo::SetLinkInfo(CString text, unsigned long value, unsigned int type, ZarniUUID outId) {
    const bool keepOwned = m_autoDelete && value == m_value;
    if (!keepOwned)
        ReleaseValue();
    m_text = text;
    m_value = value;
    m_type = type;
    m_outId = outId;
    m_autoDelete = keepOwned ? 1 : 0;
    m_id = MakeLinkUid();
}

ZarniUUID CLinkInfo::MakeLinkUid() const {
    if (m_type == LINK_TYPE_NONE)
        return ZarniUUID();
    const char* text = m_text.GetString();
    std::vector<uint8_t> bytes(text, text + m_text.GetLength());
    AppendLittleEndian(bytes, m_value);
    AppendLittleEndian(bytes, m_type);
    return UuidFromBytes(bytes.data(), bytes.size());
}

void CLinkInfo::ReleaseValue() {
    if (m_autoDelete && m_value != 0)
        delete AddressOf(m_value);
    m_value = 0;
    m_autoDelete = 0;
}

ILinkInfo* CopyLink(ILinkInfo* link) {
    if (link == nullptr)
        return nullptr;
    if (auto* own = dynamic_cast<CLinkInfo*>(link))
        return static_cast<CLinkInfo*>(own->Clone());
    // Another implementation: its fields, with a type-1 address copied through a
    // temporary that borrows it.
    CLinkInfo borrowed(link->GetText(), link->GetValue(), link->GetType(), link->GetOutID());
    auto copy = MakeOwned<CLinkInfo>(borrowed);
    return copy.release();
}

}  // namespace zarni
