// CFormatCreatorRegistry: the process-wide map from record class id to its creator.
#pragma once

#include "objects/CreatorMap.h"
#include "objects/ZarniUUID.h"

class ICompressStoreObj;
class IVCOCreator;

// One per process, created on first use and destroyed at unload. It is kept apart from the
// object creator registry, so format records and embedded objects never share a creator.
// Creators are not owned: whoever registers one unregisters it before destroying it.
class CFormatCreatorRegistry {
public:
    static CFormatCreatorRegistry& Instance();

    // A new empty record of the class from its mapped creator, or null when none is mapped.
    virtual ICompressStoreObj* CreateObj(const ZarniUUID& clsid);
    // Maps each class id the creator lists to it, replacing an earlier creator of the same
    // id. A null creator and the null class id are ignored.
    virtual void RegisterCreator(IVCOCreator* creator);
    // Removes every entry for the class ids the creator lists, whichever creator it names.
    // A null creator is ignored.
    virtual void UnRegisterCreator(IVCOCreator* creator);
    virtual ~CFormatCreatorRegistry() = default;

    // The creator mapped to the class id, or null.
    IVCOCreator* FindCreator(const ZarniUUID& clsid) const;
    int GetCount() const { return m_map.GetCount(); }
    // Aborts unless every entry has a non-null id and a creator.
    void AssertValid() const;

    CFormatCreatorRegistry(const CFormatCreatorRegistry&) = delete;
    CFormatCreatorRegistry& operator=(const CFormatCreatorRegistry&) = delete;

private:
    CFormatCreatorRegistry() = default;

    CCreatorMap m_map;
};
