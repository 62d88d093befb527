// CBuiltinCreator: the creator of the library's own object classes (pictures, animations).
#pragma once

#include <utility>
#include <vector>

#include "objects/VCOCreator.h"

// One entry of a prototype list: a class id text and a function making the class's empty
// prototype. A list ends with an entry whose class id is null (a null text).
struct SPrototypeEntry {
    const char* clsidText;
    ICompressStoreObj* (*makePrototype)();
};

// Holds one prototype per class and answers CreateObj with a clone of it. The process-wide
// instance is built from the library's own list; other instances (for tests) from any list.
class CBuiltinCreator : public IVCOCreator {
public:
    static CBuiltinCreator& Instance();

    // Fills the table in list order; an entry whose prototype cannot be made is skipped.
    explicit CBuiltinCreator(const SPrototypeEntry* list);
    // Destroys the prototypes.
    virtual ~CBuiltinCreator();

    // A clone of the first prototype whose class id equals clsid, or null.
    ICompressStoreObj* CreateObj(const ZarniUUID& clsid) override;
    // The class ids in table order.
    void GetCLSIDs(CZarniArray<ZarniUUID>& list) override;

    int GetCount() const { return static_cast<int>(m_table.size()); }
    // Aborts unless every entry has a non-null class id and a prototype.
    void AssertValid() const;

    CBuiltinCreator(const CBuiltinCreator&) = delete;
    CBuiltinCreator& operator=(const CBuiltinCreator&) = delete;

private:
    std::vector<std::pair<ZarniUUID, ICompressStoreObj*>> m_table;  // owns the prototypes
};
