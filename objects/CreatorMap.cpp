// Registration and lookup of creators by class id.
#include "objects/CreatorMap.h"

#include "objects/VCOCreator.h"
#include "platform/base/Check.h"

void CCreatorMap::RegisterCreator(IVCOCreator* creator) {
    if (creator == nullptr)
        return;
    CZarniArray<ZarniUUID> clsids;
    creator->GetCLSIDs(clsids);
    for (uint32_t i = 0; i < clsids.GetSize(); ++i) {
        if (!clsids[i].IsNull())
            m_creators[clsids[i]] = creator;
    }
}

void CCreatorMap::UnRegisterCreator(IVCOCreator* creator) {
    if (creator == nullptr)
        return;
    CZarniArray<ZarniUUID> clsids;
    creator->GetCLSIDs(clsids);
    for (uint32_t i = 0; i < clsids.GetSize(); ++i)
        m_creators.erase(clsids[i]);
}

ICompressStoreObj* CCreatorMap::CreateObj(const ZarniUUID& clsid) const {
    IVCOCreator* creator = FindCreator(clsid);
    return creator ? creator->CreateObj(clsid) : nullptr;
}

IVCOCreator* CCreatorMap::FindCreator(const ZarniUUID& clsid) const {
    const auto found = m_creators.find(clsid);
    return found == m_creators.end() ? nullptr : found->second;
}

void CCreatorMap::AssertValid(const char* owner) const {
    for (const auto& entry : m_creators) {
        ZARNI_CHECK(!entry.first.IsNull() && entry.second != nullptr,
                    "%s: a null id or null creator", owner);
    }
}
