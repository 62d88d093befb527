// CCreatorRegistry: the process-wide map from class id to the creator that makes the class.
#include "objects/CreatorRegistry.h"

#include <cstdio>
#include <cstdlib>

#include "objects/VCOCreator.h"

CCreatorRegistry& CCreatorRegistry::Instance() {
    static CCreatorRegistry instance;
    return instance;
}

void CCreatorRegistry::RegisterCreator(IVCOCreator* creator) {
    if (creator == nullptr)
        return;
    CZarniArray<ZarniUUID> clsids;
    creator->GetCLSIDs(clsids);
    for (uint32_t i = 0; i < clsids.GetSize(); ++i) {
        const ZarniUUID clsid = clsids[i];
        if (!clsid.IsNull())
            m_creators[clsid] = creator;
    }
}

void CCreatorRegistry::UnRegisterCreator(IVCOCreator* creator) {
    if (creator == nullptr)
        return;
    CZarniArray<ZarniUUID> clsids;
    creator->GetCLSIDs(clsids);
    for (uint32_t i = 0; i < clsids.GetSize(); ++i)
        m_creators.erase(clsids[i]);
}

ICompressStoreObj* CCreatorRegistry::CreateObj(const ZarniUUID& clsid) const {
    IVCOCreator* creator = FindCreator(clsid);
    return creator ? creator->CreateObj(clsid) : nullptr;
}

IVCOCreator* CCreatorRegistry::FindCreator(const ZarniUUID& clsid) const {
    const auto found = m_creators.find(clsid);
    return found == m_creators.end() ? nullptr : found->second;
}

void CCreatorRegistry::AssertValid() const {
    for (const auto& entry : m_creators) {
        if (entry.first.IsNull() || entry.second == nullptr) {
            std::fprintf(stderr, "CCreatorRegistry broken: null id or null creator\n");
            std::abort();
        }
    }
}
