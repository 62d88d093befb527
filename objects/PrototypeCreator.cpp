// Prototype tables of creators.
#include "objects/PrototypeCreator.h"

#include "objects/CompressStoreObj.h"
#include "platform/base/Check.h"

CPrototypeCreator::CPrototypeCreator(const SPrototypeEntry* list, const char* owner)
    : m_owner(owner) {
    if (list == nullptr)
        return;
    for (const SPrototypeEntry* entry = list;; ++entry) {
        const ZarniUUID clsid = UuidFromText(entry->clsidText);
        if (clsid.IsNull())
            break;
        TOwned<ICompressStoreObj> prototype(entry->makePrototype ? entry->makePrototype()
                                                                 : nullptr);
        if (prototype != nullptr)
            m_table.emplace_back(clsid, std::move(prototype));
    }
}

ICompressStoreObj* CPrototypeCreator::CreateObj(const ZarniUUID& clsid) {
    for (auto& entry : m_table) {
        if (entry.first != clsid)
            continue;
        // A clone that is not a store object cannot be handed out.
        return CloneAs<ICompressStoreObj>(entry.second.get()).release();
    }
    return nullptr;
}

void CPrototypeCreator::GetCLSIDs(CZarniArray<ZarniUUID>& list) {
    list.RemoveAll();
    for (const auto& entry : m_table)
        list.Add(entry.first);
}

void CPrototypeCreator::AssertValid() const {
    for (const auto& entry : m_table) {
        ZARNI_CHECK(!entry.first.IsNull() && entry.second != nullptr,
                    "%s: a null class id or null prototype", m_owner);
    }
}
