// Reference counting of shared objects and their sub-objects.
#include "model/CompressStore.h"

#include "objects/CompressStoreObj.h"
#include "platform/base/Check.h"

CCompressStore& CCompressStore::Instance() {
    static CCompressStore instance;
    return instance;
}

CCompressStore::~CCompressStore() {
    Shutdown();
}

// Sub-objects go into the sub-object map (whose own sub-objects go into the same map).
ICompressStoreObj* CCompressStore::AddTo(Map& map, Map& subMap, ICompressStoreObj* obj) {
    if (obj == nullptr)
        return nullptr;
    // A sub-object without an id (data that did not decode) cannot be shared or released
    // by id: the stored copy goes without it.
    ICompressStoreObj* storedSub = nullptr;
    ICompressStoreObj* sub = obj->GetSubCSO();
    if (sub && !sub->GetID().IsNull())
        storedSub = AddTo(subMap, subMap, sub);
    const ZarniUUID id = obj->GetID();
    auto it = map.find(id);
    if (it != map.end()) {
        // The stored copy keeps its own sub-object: the reference goes to that one.
        ICompressStoreObj* kept = it->second.obj->GetSubCSO();
        if (kept != storedSub) {
            if (storedSub)
                ReleaseIn(subMap, subMap, storedSub->GetID());
            if (kept && !kept->GetID().IsNull())
                AddTo(subMap, subMap, kept);
        }
        ++it->second.refs;
        return it->second.obj.get();
    }
    ICompressStoreObj* copy = obj->ShallowClone(storedSub);
    if (copy == nullptr) {
        if (storedSub)
            ReleaseIn(subMap, subMap, storedSub->GetID());
        return nullptr;
    }
    map.emplace(id, Entry{1, std::unique_ptr<ICompressStoreObj, CShallowDestroyer>(copy)});
    return copy;
}

void CCompressStore::ReleaseIn(Map& map, Map& subMap, const ZarniUUID& id) {
    if (id.IsNull())
        return;
    auto it = map.find(id);
    if (it == map.end())
        return;
    ICompressStoreObj* sub = it->second.obj->GetSubCSO();
    const ZarniUUID subId = sub ? sub->GetID() : ZarniUUID();
    if (--it->second.refs <= 0)
        map.erase(it);
    if (!subId.IsNull())
        ReleaseIn(subMap, subMap, subId);
}

ICompressStoreObj* CCompressStore::Add(ICompressStoreObj* obj) {
    ICompressStoreObj* stored = AddTo(m_objects, m_subObjects, obj);
    ZARNI_ASSERT_VALID(*this);
    return stored;
}

bool CCompressStore::AddRef(const ZarniUUID& id) {
    auto it = m_objects.find(id);
    if (it == m_objects.end())
        return false;
    AddTo(m_objects, m_subObjects, it->second.obj.get());
    ZARNI_ASSERT_VALID(*this);
    return true;
}

void CCompressStore::Release(const ZarniUUID& id) {
    ReleaseIn(m_objects, m_subObjects, id);
    ZARNI_ASSERT_VALID(*this);
}

ICompressStoreObj* CCompressStore::Find(const ZarniUUID& id) const {
    auto it = m_objects.find(id);
    return it == m_objects.end() ? nullptr : it->second.obj.get();
}

int32_t CCompressStore::GetRefCount(const ZarniUUID& id) const {
    auto it = m_objects.find(id);
    return it == m_objects.end() ? 0 : it->second.refs;
}

int32_t CCompressStore::GetSubRefCount(const ZarniUUID& id) const {
    auto it = m_subObjects.find(id);
    return it == m_subObjects.end() ? 0 : it->second.refs;
}

void CCompressStore::Shutdown() {
    m_objects.clear();
    m_subObjects.clear();
}

void CCompressStore::CShallowDestroyer::operator()(ICompressStoreObj* obj) const {
    if (obj)
        obj->ShallowDestroy();
}

void CCompressStore::AssertValid() const {
    for (const Map* map : {&m_objects, &m_subObjects}) {
        for (const auto& [id, entry] : *map) {
            ZARNI_CHECK(entry.refs > 0 && entry.obj != nullptr && entry.obj->GetID() == id,
                        "CCompressStore: an entry with %d references", entry.refs);
        }
    }
}
