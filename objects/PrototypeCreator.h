// CPrototypeCreator: a creator that answers with clones of one prototype per class.
#pragma once

#include <utility>
#include <vector>

#include "core/Owned.h"
#include "objects/VCOCreator.h"

// One entry of a prototype list: a class id text and a function making the class's empty
// prototype. A list ends with an entry whose class id is null (a null text).
struct SPrototypeEntry {
    const char* clsidText;
    ICompressStoreObj* (*makePrototype)();
};

class CPrototypeCreator : public IVCOCreator {
public:
    // Fills the table in list order; an entry whose prototype cannot be made is skipped.
    // owner names the creator in AssertValid's message.
    CPrototypeCreator(const SPrototypeEntry* list, const char* owner);
    virtual ~CPrototypeCreator() = default;

    // A clone of the first prototype whose class id equals clsid, or null.
    ICompressStoreObj* CreateObj(const ZarniUUID& clsid) override;
    // The class ids in table order.
    void GetCLSIDs(CZarniArray<ZarniUUID>& list) override;

    int GetCount() const { return static_cast<int>(m_table.size()); }
    // Aborts unless every entry has a non-null class id and a prototype.
    void AssertValid() const;

    CPrototypeCreator(const CPrototypeCreator&) = delete;
    CPrototypeCreator& operator=(const CPrototypeCreator&) = delete;

private:
    std::vector<std::pair<ZarniUUID, TOwned<ICompressStoreObj>>> m_table;
    const char* m_owner;
};
