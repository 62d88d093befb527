// CBuiltinCreator: the creator of the library's own object classes (pictures, animations).
#include "objects/BuiltinCreator.h"

#include <cstdio>
#include <cstdlib>

#include "objects/ClassIds.h"
#include "objects/CompressStoreObj.h"

namespace {

// The empty object a built-in class is cloned from, made with the argument 255 (a picture's
// drawing mode, an animation's transparent colour).
template <class T>
ICompressStoreObj* MakePrototype() {
    return new T(255);
}

// The library's own classes, one line each, e.g.
//     {ZARNI_CLSID_IMAGE_TEXT, &MakePrototype<zarni::CImage>},
const SPrototypeEntry kBuiltinClasses[] = {
    {nullptr, nullptr},  // end of list
};

}  // namespace

CBuiltinCreator& CBuiltinCreator::Instance() {
    static CBuiltinCreator instance(kBuiltinClasses);
    return instance;
}

CBuiltinCreator::CBuiltinCreator(const SPrototypeEntry* list) {
    if (list == nullptr)
        return;
    for (const SPrototypeEntry* entry = list;; ++entry) {
        const ZarniUUID clsid = UuidFromText(entry->clsidText);
        if (clsid.IsNull())
            break;
        ICompressStoreObj* prototype = entry->makePrototype ? entry->makePrototype() : nullptr;
        if (prototype != nullptr)
            m_table.emplace_back(clsid, prototype);
    }
}

CBuiltinCreator::~CBuiltinCreator() {
    for (auto& entry : m_table)
        entry.second->Destroy();
}

ICompressStoreObj* CBuiltinCreator::CreateObj(const ZarniUUID& clsid) {
    for (auto& entry : m_table) {
        if (entry.first != clsid)
            continue;
        IClone* copy = entry.second->Clone();
        // A clone that is not a store object cannot be handed out; give it back.
        auto* obj = dynamic_cast<ICompressStoreObj*>(copy);
        if (obj == nullptr && copy != nullptr)
            copy->Destroy();
        return obj;
    }
    return nullptr;
}

void CBuiltinCreator::GetCLSIDs(CZarniArray<ZarniUUID>& list) {
    list.RemoveAll();
    for (const auto& entry : m_table)
        list.Add(entry.first);
}

void CBuiltinCreator::AssertValid() const {
    for (const auto& entry : m_table) {
        if (entry.first.IsNull() || entry.second == nullptr) {
            std::fprintf(stderr, "CBuiltinCreator broken: null class id or null prototype\n");
            std::abort();
        }
    }
}
