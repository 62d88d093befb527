// CFormatCreator: the creator of font and colour records.
#include "format/FormatCreator.h"

#include <cstdio>
#include <cstdlib>

#include "format/ColorInfo.h"
#include "format/FontInfo.h"
#include "objects/BuiltinCreator.h"

namespace {

template <class T>
ICompressStoreObj* MakeEmptyRecord() {
    return new T();
}

// The record classes, ended by a null class id.
const SPrototypeEntry kFormatClasses[] = {
    {CFontInfo::kClassIdText, &MakeEmptyRecord<CFontInfo>},
    {CColorInfo::kClassIdText, &MakeEmptyRecord<CColorInfo>},
    {nullptr, nullptr},
};

}  // namespace

CFormatCreator::CFormatCreator() {
    for (const SPrototypeEntry* entry = kFormatClasses;; ++entry) {
        const ZarniUUID clsid = UuidFromText(entry->clsidText);
        if (clsid.IsNull())
            break;
        m_table.emplace_back(clsid, entry->makePrototype());
    }
}

CFormatCreator::~CFormatCreator() {
    for (auto& entry : m_table)
        entry.second->Destroy();
}

ICompressStoreObj* CFormatCreator::CreateObj(const ZarniUUID& clsid) {
    for (auto& entry : m_table) {
        if (entry.first == clsid)
            return dynamic_cast<ICompressStoreObj*>(entry.second->Clone());
    }
    return nullptr;
}

void CFormatCreator::GetCLSIDs(CZarniArray<ZarniUUID>& list) {
    list.RemoveAll();
    for (const auto& entry : m_table)
        list.Add(entry.first);
}

void CFormatCreator::AssertValid() const {
    for (const auto& entry : m_table) {
        if (entry.first.IsNull() || entry.second == nullptr) {
            std::fprintf(stderr, "CFormatCreator broken: null class id or null prototype\n");
            std::abort();
        }
    }
}
