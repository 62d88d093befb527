// CFormatCreator: makes empty font and colour records by class id.
#pragma once

#include <utility>
#include <vector>

#include "objects/VCOCreator.h"

// Holds one prototype per record class, in this order: the font record (all-zero LOGFONT,
// null id) and the colour record (black, null id). CreateObj answers with a clone.
class CFormatCreator : public IVCOCreator {
public:
    CFormatCreator();
    // Destroys the prototypes.
    virtual ~CFormatCreator();

    // A clone of the first prototype whose class id equals clsid, or null.
    ICompressStoreObj* CreateObj(const ZarniUUID& clsid) override;
    // The class ids in table order.
    void GetCLSIDs(CZarniArray<ZarniUUID>& list) override;

    int GetCount() const { return static_cast<int>(m_table.size()); }
    // Aborts unless every entry has a non-null class id and a prototype.
    void AssertValid() const;

    CFormatCreator(const CFormatCreator&) = delete;
    CFormatCreator& operator=(const CFormatCreator&) = delete;

private:
    std::vector<std::pair<ZarniUUID, ICompressStoreObj*>> m_table;  // owns the prototypes
};
