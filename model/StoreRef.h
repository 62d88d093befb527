// CStoreRef: one reference on an object of the shared store, held for the ref's lifetime.
#pragma once

#include <utility>

#include "model/CompressStore.h"
#include "objects/ZarniUUID.h"

// The store counts references by id; a CStoreRef is the owning handle of one of them, the
// way an intrusive pointer owns one count of its object: copying takes another reference,
// destruction gives its own back. A ref on an id the store does not hold holds nothing.
class CStoreRef {
public:
    CStoreRef() = default;
    // Takes a new reference on id (none when the store does not hold it).
    explicit CStoreRef(const ZarniUUID& id) {
        if (!id.IsNull() && CCompressStore::Instance().AddRef(id))
            m_id = id;
    }
    // Takes over a reference the caller already holds, such as the one CCompressStore::Add
    // returns with its object.
    static CStoreRef Adopt(const ZarniUUID& id) {
        CStoreRef ref;
        ref.m_id = id;
        return ref;
    }
    CStoreRef(const CStoreRef& other) : CStoreRef(other.m_id) {}
    CStoreRef(CStoreRef&& other) noexcept : m_id(std::exchange(other.m_id, ZarniUUID())) {}
    CStoreRef& operator=(CStoreRef other) noexcept {
        std::swap(m_id, other.m_id);
        return *this;
    }
    ~CStoreRef() {
        if (!m_id.IsNull())
            CCompressStore::Instance().Release(m_id);
    }

    bool IsHeld() const { return !m_id.IsNull(); }
    // The id held, or the null id.
    const ZarniUUID& GetID() const { return m_id; }

private:
    ZarniUUID m_id;  // null when nothing is held
};
