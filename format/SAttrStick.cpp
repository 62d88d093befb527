// Shared-record sticks: assignment, section queries and record ownership.
#include "format/SAttrStick.h"

#include "objects/CompressStoreObj.h"
#include "platform/base/Check.h"

bool CSAttrStick::Record(ICompressStoreObj* obj) {
    const ZarniUUID id = obj->GetID();
    auto it = m_infos.find(id);
    if (it != m_infos.end()) {
        ++it->second.refs;
        return true;
    }
    TOwned<ICompressStoreObj> copy = CloneAs<ICompressStoreObj>(obj);
    if (copy == nullptr)
        return false;
    m_infos.emplace(id, Entry{1, std::move(copy)});
    return true;
}

int CSAttrStick::AssignAttr(ICompressStoreObj* obj, const CRange& range) {
    if (obj == nullptr)
        return 0;
    if (!range.IsEmpty())
        m_stick.AssignColor(range, obj->GetID());
    const bool recorded = Record(obj);
    ZARNI_ASSERT_VALID(*this);
    return recorded ? 1 : 0;
}

int CSAttrStick::Embed(int pos, int len, ICompressStoreObj* obj) {
    if (obj == nullptr)
        return 0;
    m_stick.Embed(pos, len, obj->GetID());
    const bool recorded = Record(obj);
    ZARNI_ASSERT_VALID(*this);
    return recorded ? 1 : 0;
}

void CSAttrStick::GetInfos(const CRange& range, CZarniArray<CSAttrSectInfo>& out) const {
    out.RemoveAll();
    const uint32_t n = m_stick.GetPointCount();
    if (n < 2)
        return;
    const int last = m_stick.GetPoint(n - 1).pos;
    const int size = m_stick.GetSize();
    const int f = range.home == last ? static_cast<int>(n) - 1 : m_stick.Floor(range.home);
    if (f >= size)
        return;
    const int l = range.end - 1 == last ? static_cast<int>(n) - 1 : m_stick.Floor(range.end - 1);
    if (l >= size || l < 0 || f > l)
        return;
    // A range starting before the first point starts with section 0.
    for (int s = f < 0 ? 0 : f; s <= l; ++s) {
        ICompressStoreObj* info = FindInfo(m_stick.GetColor(s));
        if (info == nullptr)
            continue;
        CRange r = m_stick.GetRange(s);
        if (s == f)
            r.home = range.home;
        if (s == l)
            r.end = range.end;
        out.Add(CSAttrSectInfo(r, info));
    }
}

void CSAttrStick::GetAllInfos(CZarniArray<CSAttrSectInfo>& out) const {
    GetInfos(m_stick.GetCovered(), out);
}

CSAttrSectInfo CSAttrStick::GetSect(int i) const {
    if (i < 0 || i >= GetSize())
        return CSAttrSectInfo();
    return CSAttrSectInfo(m_stick.GetRange(i), FindInfo(m_stick.GetColor(i)));
}

CSAttrSectInfo CSAttrStick::GetSectAt(int pos) const {
    int i = m_stick.FindSectIndex(pos);
    if (i == GetSize())
        i = GetSize() - 1;
    return GetSect(i);
}

ICompressStoreObj* CSAttrStick::FindInfo(const ZarniUUID& id) const {
    auto it = m_infos.find(id);
    return it == m_infos.end() ? nullptr : it->second.obj.get();
}

int32_t CSAttrStick::GetRefCount(const ZarniUUID& id) const {
    auto it = m_infos.find(id);
    return it == m_infos.end() ? 0 : it->second.refs;
}

void CSAttrStick::Clear() {
    m_infos.clear();
    m_stick.Clear();
}

void CSAttrStick::AssertValid() const {
    m_stick.AssertValid();
    for (int i = 0; i < m_stick.GetSize(); ++i) {
        ZARNI_CHECK(FindInfo(m_stick.GetColor(i)) != nullptr,
                    "CSAttrStick: section %d has no record", i);
    }
}
