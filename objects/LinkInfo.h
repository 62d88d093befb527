// ILinkInfo: a link laid over a range of text (a detected web address or a host's link).
#pragma once

#include "objects/CompressStoreObj.h"
#include "platform/base/String.h"

// Link types: 0 is no link, 1 a detected web address whose value points to a heap CString
// holding it; types above kLastReservedLinkType are host links that detection never touches.
enum : unsigned int {
    LINK_TYPE_NONE = 0,
    LINK_TYPE_URL = 1,
};
constexpr unsigned int kLastReservedLinkType = 1023;

class ILinkInfo : public ICompressStoreObj {
public:
    virtual CString GetText() = 0;
    virtual unsigned long GetValue() = 0;
    virtual unsigned int GetType() = 0;
    // The host's own identifier of the link.
    virtual const ZarniUUID& GetOutID() = 0;
    // Stores the four fields, makes the id anew and clears auto-delete.
    virtual void SetLinkInfo(CString text, unsigned long value, unsigned int type,
                             ZarniUUID outId) = 0;
    // When set, the link deletes its value as a CString* when destroyed.
    virtual void SetAutoDeleteValue(int on) = 0;

protected:
    ~ILinkInfo() override = default;
};

// Whether a link of this type is a host link that detection neither overwrites nor rescans.
inline bool IsHostLinkType(unsigned int type) {
    return type > kLastReservedLinkType;
}
