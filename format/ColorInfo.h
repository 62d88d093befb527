// CColorInfo: a colour record, a COLORREF identified by the MD5 digest of its 4 bytes.
#pragma once

#include <memory>

#include "objects/CompressStoreObj.h"
#include "objects/Serialize.h"
#include "objects/ZarniUUID.h"
#include "platform/base/WinTypes.h"

class CPack;

// The id is the digest of the colour's bytes low byte first, whatever the host's byte
// order, so equal colours are one record. A new record holds black with the null id.
class CColorInfo : public ICompressStoreObj, public ISerialize {
public:
    static constexpr const char* kClassIdText = "52f921ed-5345-4c73-8ad6-9e4de4953a66";
    static const ZarniUUID& ClassId();
    // The content id of a colour.
    static ZarniUUID IdOf(COLORREF color);

    CColorInfo() = default;
    explicit CColorInfo(COLORREF color) { SetColor(color); }
    CColorInfo(const CColorInfo& other) = default;
    CColorInfo& operator=(const CColorInfo& other) = default;
    ~CColorInfo() override = default;

    // Sets the colour and its id.
    void SetColor(COLORREF color);
    COLORREF GetColor() const { return m_color; }
    const ZarniUUID& ID() const { return m_id; }

    CColorInfo* Clone() override { return std::make_unique<CColorInfo>(*this).release(); }
    void Destroy() override { delete this; }
    ZarniUUID GetID() override { return m_id; }
    ICompressStoreObj* GetSubCSO() const override { return nullptr; }
    ICompressStoreObj* ShallowClone(ICompressStoreObj*) override { return Clone(); }
    void ShallowDestroy() override { Destroy(); }

    ZarniUUID GetCLSID() override { return ClassId(); }
    // The id, then the colour as an unsigned 32-bit integer.
    void streamout(CPack& pack) const override;
    void streamin(CPack& pack) override { Read(pack); }
    // True when a complete id and colour were read; the record then takes both. Incomplete
    // data consumes nothing; a colour field that is not a number is consumed with its id
    // but leaves the record unchanged.
    bool Read(CPack& pack);

private:
    uint32_t m_color = 0;
    ZarniUUID m_id;  // null in a new record
};
