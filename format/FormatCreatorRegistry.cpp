// CFormatCreatorRegistry: the process-wide map from record class id to its creator.
#include "format/FormatCreatorRegistry.h"

CFormatCreatorRegistry& CFormatCreatorRegistry::Instance() {
    static CFormatCreatorRegistry instance;
    return instance;
}

ICompressStoreObj* CFormatCreatorRegistry::CreateObj(const ZarniUUID& clsid) {
    return m_map.CreateObj(clsid);
}

void CFormatCreatorRegistry::RegisterCreator(IVCOCreator* creator) {
    m_map.RegisterCreator(creator);
}

void CFormatCreatorRegistry::UnRegisterCreator(IVCOCreator* creator) {
    m_map.UnRegisterCreator(creator);
}

IVCOCreator* CFormatCreatorRegistry::FindCreator(const ZarniUUID& clsid) const {
    return m_map.FindCreator(clsid);
}

void CFormatCreatorRegistry::AssertValid() const {
    m_map.AssertValid("CFormatCreatorRegistry");
}
