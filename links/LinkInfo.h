// zarni::CLinkInfo: the library's link object, a value laid over ranges by the link manager.
#pragma once

#include "objects/LinkInfo.h"

namespace zarni {

// A link owns its value exactly while auto-delete is set: the value is then a heap CString
// that the link deletes. A copy of a type-1 link (a detected address) always owns a fresh
// copy of that CString; a copy of any other link borrows the value and owns nothing, so no
// value is ever deleted twice and none is left behind.
class CLinkInfo : public ILinkInfo {
public:
    CLinkInfo() = default;
    CLinkInfo(const CString& text, unsigned long value, unsigned int type, ZarniUUID outId);
    CLinkInfo(const CLinkInfo& other) { *this = other; }
    // Copies id, text, type and out id; the value as described above.
    CLinkInfo& operator=(const CLinkInfo& other);
    ~CLinkInfo() override { ReleaseValue(); }

    // Equal only when both have type 0: every link differs from every other, itself
    // included, so neighbouring stretches without a link merge and links never do.
    int operator==(const CLinkInfo& other) const {
        return m_type == LINK_TYPE_NONE && other.m_type == LINK_TYPE_NONE;
    }

    IClone* Clone() override;
    void Destroy() override { delete this; }
    ZarniUUID GetID() override { return m_id; }
    ICompressStoreObj* GetSubCSO() const override { return nullptr; }
    ICompressStoreObj* ShallowClone(ICompressStoreObj*) override;
    void ShallowDestroy() override { Destroy(); }
    CString GetText() override { return m_text; }
    unsigned long GetValue() override { return m_value; }
    unsigned int GetType() override { return m_type; }
    const ZarniUUID& GetOutID() override { return m_outId; }
    // A value this link owns is deleted first unless it is given again, in which case it
    // stays owned (clearing the flag would leak it).
    void SetLinkInfo(CString text, unsigned long value, unsigned int type,
                     ZarniUUID outId) override;
    void SetAutoDeleteValue(int on) override { m_autoDelete = on; }
    int GetAutoDeleteValue() const { return m_autoDelete; }

private:
    // Type 0: the null id; else the digest of the text bytes, then the value and the type,
    // each as 4 little-endian bytes.
    ZarniUUID MakeLinkUid() const;
    // Deletes the value when this link owns it.
    void ReleaseValue();

    CString m_text;
    unsigned long m_value = 0;  // for type 1, a CString* holding the address
    unsigned int m_type = LINK_TYPE_NONE;
    ZarniUUID m_id;
    ZarniUUID m_outId;
    int m_autoDelete = 0;  // set: m_value is a heap CString this link deletes
};

// A copy of any link kept by the library: a CLinkInfo's own Clone, or for another
// implementation of ILinkInfo a CLinkInfo with its fields (a type-1 address copied and
// owned). Null for a null link.
ILinkInfo* CopyLink(ILinkInfo* link);

}  // namespace zarni
