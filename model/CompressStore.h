// CCompressStore: the process-wide, reference-counted store of embedded objects.
#pragma once

#include <cstdint>
#include <map>
#include <memory>

#include "objects/ZarniUUID.h"

class ICompressStoreObj;

// One stored copy per object id and one per sub-object id, each with a count of holders.
// A stored object is a shallow clone that shares the stored sub-object. Callers keep
// ownership of what they pass to Add; the store never keeps their pointer.
class CCompressStore {
public:
    static CCompressStore& Instance();

    // The stored copy for obj's id (existing or new) with one more reference, its
    // sub-object's count raised too; null for a null obj.
    ICompressStoreObj* Add(ICompressStoreObj* obj);
    // One more reference (sub-objects included) when id is stored.
    bool AddRef(const ZarniUUID& id);
    // Drops one reference; at zero the stored copy is destroyed. Unknown ids are ignored.
    void Release(const ZarniUUID& id);
    // The stored object, or null.
    ICompressStoreObj* Find(const ZarniUUID& id) const;

    // Reference counts (0 when not stored), for checks.
    int32_t GetRefCount(const ZarniUUID& id) const;
    int32_t GetSubRefCount(const ZarniUUID& id) const;
    size_t GetObjectCount() const { return m_objects.size(); }
    size_t GetSubObjectCount() const { return m_subObjects.size(); }

    // Destroys everything stored (objects first, then sub-objects).
    void Shutdown();
    // Aborts unless every count is positive and every stored id matches its key.
    void AssertValid() const;

    CCompressStore(const CCompressStore&) = delete;
    CCompressStore& operator=(const CCompressStore&) = delete;

private:
    // Stored copies share their sub-objects, so they are given back shallowly.
    struct CShallowDestroyer {
        void operator()(ICompressStoreObj* obj) const;
    };
    struct Entry {
        int32_t refs;
        std::unique_ptr<ICompressStoreObj, CShallowDestroyer> obj;
    };
    using Map = std::map<ZarniUUID, Entry>;

    CCompressStore() = default;
    ~CCompressStore();

    static ICompressStoreObj* AddTo(Map& map, Map& subMap, ICompressStoreObj* obj);
    static void ReleaseIn(Map& map, Map& subMap, const ZarniUUID& id);

    Map m_objects;
    Map m_subObjects;
};
