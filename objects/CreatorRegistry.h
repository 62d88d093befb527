// CCreatorRegistry: the process-wide map from class id to the creator that makes the class.
#pragma once

#include "objects/CreatorMap.h"
#include "objects/ZarniUUID.h"

class ICompressStoreObj;
class IVCOCreator;

// One per process, created on first use and destroyed at unload; a creator registered
// through one editor serves every editor. Creators are not owned: whoever registers one
// unregisters it before destroying it.
class CCreatorRegistry {
public:
    static CCreatorRegistry& Instance();

    // Maps each class id the creator lists to it, replacing an earlier creator of the same
    // id. A null creator and the null class id are ignored.
    void RegisterCreator(IVCOCreator* creator);
    // Removes every entry for the class ids the creator lists, whichever creator it names.
    // A null creator is ignored.
    void UnRegisterCreator(IVCOCreator* creator);
    // A new empty object of the class from its mapped creator, or null when none is mapped.
    ICompressStoreObj* CreateObj(const ZarniUUID& clsid) const;

    // The creator mapped to the class id, or null.
    IVCOCreator* FindCreator(const ZarniUUID& clsid) const;
    int GetCount() const { return m_map.GetCount(); }

    // Aborts unless every entry has a non-null id and a creator.
    void AssertValid() const;

    CCreatorRegistry(const CCreatorRegistry&) = delete;
    CCreatorRegistry& operator=(const CCreatorRegistry&) = delete;

private:
    CCreatorRegistry() = default;

    CCreatorMap m_map;
};
