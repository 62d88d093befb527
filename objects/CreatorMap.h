// CCreatorMap: a map from class id to the creator that makes the class, the table behind
// both creator registries.
#pragma once

#include <map>

#include "objects/ZarniUUID.h"

class ICompressStoreObj;
class IVCOCreator;

// Creators are not owned: whoever registers one unregisters it before destroying it.
class CCreatorMap {
public:
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
    int GetCount() const { return static_cast<int>(m_creators.size()); }
    // Aborts, naming owner, unless every entry has a non-null id and a creator.
    void AssertValid(const char* owner) const;

private:
    std::map<ZarniUUID, IVCOCreator*> m_creators;
};
