// CFormatCreatorRegistry: the process-wide map from record class id to its creator.
#include "format/FormatCreatorRegistry.h"

#include <cstdio>
#include <cstdlib>

#include "objects/VCOCreator.h"

CFormatCreatorRegistry& CFormatCreatorRegistry::Instance() {
    static CFormatCreatorRegistry instance;
    return instance;
}

ICompressStoreObj* CFormatCreatorRegistry::CreateObj(const ZarniUUID& clsid) {
    IVCOCreator* creator = FindCreator(clsid);
    return creator ? creator->CreateObj(clsid) : nullptr;
}

void CFormatCreatorRegistry::RegisterCreator(IVCOCreator* creator) {
    if (creator == nullptr)
        return;
    CZarniArray<ZarniUUID> clsids;
    creator->GetCLSIDs(clsids);
    for (uint32_t i = 0; i < clsids.GetSize(); ++i) {
        if (!clsids[i].IsNull())
            m_creators[clsids[i]] = creator;
    }
}

void CFormatCreatorRegistry::UnRegisterCreator(IVCOCreator* creator) {
    if (creator == nullptr)
        return;
    CZarniArray<ZarniUUID> clsids;
    creator->GetCLSIDs(clsids);
    for (uint32_t i = 0; i < clsids.GetSize(); ++i)
        m_creators.erase(clsids[i]);
}

IVCOCreator* CFormatCreatorRegistry::FindCreator(const ZarniUUID& clsid) const {
    const auto found = m_creators.find(clsid);
    return found == m_creators.end() ? nullptr : found->second;
}

void CFormatCreatorRegistry::AssertValid() const {
    for (const auto& entry : m_creators) {
        if (entry.first.IsNull() || entry.second == nullptr) {
            std::fprintf(stderr, "CFormatCreatorRegistry broken: null id or null creator\n");
            std::abort();
        }
    }
}
