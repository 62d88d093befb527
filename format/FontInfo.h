// CFontInfo: a font record, a LOGFONTA identified by the MD5 digest of its 60 bytes.
#pragma once

#include <memory>

#include "objects/CompressStoreObj.h"
#include "objects/Serialize.h"
#include "objects/ZarniUUID.h"
#include "platform/base/WinTypes.h"

class CPack;

// Equal LOGFONTs give equal ids, so a stick keeps one record per distinct font and merges
// neighbouring sections of equal fonts. A new record has an all-zero LOGFONT and the null
// id; SetLogFont is the only way to give it content (besides reading it from a pack).
// Records are heap objects when held by sticks and creators (given back with Destroy), and
// plain values where the format store keeps its default.
class CFontInfo : public ICompressStoreObj, public ISerialize {
public:
    static constexpr const char* kClassIdText = "10ee87a7-4a3a-4de1-9e77-356aa2b4b01c";
    static const ZarniUUID& ClassId();

    CFontInfo();
    explicit CFontInfo(const LOGFONTA& lf);
    CFontInfo(const CFontInfo& other) = default;
    CFontInfo& operator=(const CFontInfo& other) = default;
    ~CFontInfo() override = default;

    // Sets the LOGFONT and recomputes the id from its bytes.
    void SetLogFont(const LOGFONTA& lf);
    const LOGFONTA& GetLogFont() const { return m_lf; }
    const ZarniUUID& ID() const { return m_id; }

    CFontInfo* Clone() override { return std::make_unique<CFontInfo>(*this).release(); }
    void Destroy() override { delete this; }
    ZarniUUID GetID() override { return m_id; }
    ICompressStoreObj* GetSubCSO() const override { return nullptr; }
    ICompressStoreObj* ShallowClone(ICompressStoreObj*) override { return Clone(); }
    void ShallowDestroy() override { Destroy(); }

    ZarniUUID GetCLSID() override { return ClassId(); }
    // The id, then the LOGFONT as one 60-byte string.
    void streamout(CPack& pack) const override;
    // Reads what streamout wrote; see Read.
    void streamin(CPack& pack) override { Read(pack); }
    // True when a complete id and a 60-byte LOGFONT were read; the record then takes both.
    // Incomplete data (or a pack with an open block) consumes nothing; a complete string of
    // another length is consumed with its id but leaves the record unchanged. A new record
    // that fails to read therefore keeps the null id.
    bool Read(CPack& pack);

private:
    LOGFONTA m_lf;   // all zero in a new record
    ZarniUUID m_id;  // null in a new record, else the digest of the 60 bytes of m_lf
};
