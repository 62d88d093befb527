// CCreatorRegistry: the process-wide map from class id to the creator that makes the class.
#include "objects/CreatorRegistry.h"

CCreatorRegistry& CCreatorRegistry::Instance() {
    static CCreatorRegistry instance;
    return instance;
}

ICompressStoreObj* CCreatorRegistry::CreateObj(const ZarniUUID& clsid) const {
    return m_map.CreateObj(clsid);
}

void CCreatorRegistry::RegisterCreator(IVCOCreator* creator) {
    m_map.RegisterCreator(creator);
}

void CCreatorRegistry::UnRegisterCreator(IVCOCreator* creator) {
    m_map.UnRegisterCreator(creator);
}

IVCOCreator* CCreatorRegistry::FindCreator(const ZarniUUID& clsid) const {
    return m_map.FindCreator(clsid);
}

void CCreatorRegistry::AssertValid() const {
    m_map.AssertValid("CCreatorRegistry");
}
