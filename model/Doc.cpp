// The document: insertions, deletions, searches and output over the unit text.
#include "model/Doc.h"

#include <algorithm>
#include <climits>
#include <memory>

#include "model/CompressStore.h"
#include "model/Delimiters.h"
#include "model/DocOutputStream.h"
#include "objects/ExternalObj.h"
#include "platform/base/Check.h"
#include "platform/base/CodePage.h"

namespace {

bool IsAsciiAlnum(uint16_t u) {
    return (u >= '0' && u <= '9') || (u >= 'A' && u <= 'Z') || (u >= 'a' && u <= 'z');
}

// A unit that the text may hold: not 0, not the object unit, not a lead byte whose trail
// byte was lost at the end of its text.
bool IsStorableTextUnit(uint16_t u) {
    if (u == 0 || u == CO_UNIT)
        return false;
    return !(u < 256 && CCodePage::IsLeadByte(static_cast<BYTE>(u)));
}

// Shared walk of the break searches: forward returns the first position at or after pos
// where isBreak holds (else the length); backward the first at or before (else -1).
template <class IsBreak>
int FindBreak(const CWordString& text, int pos, DOC_FIND_FLAG dir, IsBreak isBreak) {
    const int length = static_cast<int>(text.GetSize());
    if (pos < 0 || pos > length)
        return -1;
    if (dir == DFF_FORWARD) {
        for (int i = pos; i < length; ++i) {
            if (isBreak(text[i]))
                return i;
        }
        return length;
    }
    if (dir == DFF_BACKWARD) {
        for (int i = pos < length ? pos : length - 1; i >= 0; --i) {
            if (isBreak(text[i]))
                return i;
        }
        return -1;
    }
    return -1;
}

}  // namespace

CDoc::~CDoc() {
    CCompressStore& store = CCompressStore::Instance();
    for (uint32_t i = 0; i < m_objects.GetSize(); ++i)
        store.Release(m_objects.GetAt(i).id);
}

void CDoc::InsertUnits(int pos, const CWordString& units) {
    InsertUnits(pos, units.GetData(), units.GetSize());
}

void CDoc::InsertUnits(int pos, const uint16_t* units, uint32_t count) {
    const int n = static_cast<int>(count);
    m_listeners.N_Inserting(pos, n);
    // The text grows geometrically, so a document made run by run (loading) costs linear
    // time; the array's own step stops growing at a few thousand units.
    const uint64_t needed = uint64_t{m_text.GetSize()} + count;
    if (needed > m_text.GetCapacity())
        m_text.Reserve(static_cast<uint32_t>(
            std::min<uint64_t>(std::max(needed, uint64_t{2} * m_text.GetSize()), UINT32_MAX)));
    m_text.InsertAt(static_cast<uint32_t>(pos), units, count);
    m_objects.Shift(static_cast<uint32_t>(pos), n);
    ZARNI_ASSERT_VALID(*this);
    m_listeners.N_Inserted(pos, n);
}

int CDoc::InsertCO(int pos, const ZarniUUID& id) {
    if (id.IsNull() || !IsInsertPos(pos) || IsFull())
        return 0;
    CCompressStore& store = CCompressStore::Instance();
    if (store.Find(id) == nullptr)
        return 0;
    m_listeners.N_Inserting(pos, 1);
    m_text.InsertAt(static_cast<uint32_t>(pos), CO_UNIT);
    store.AddRef(id);
    m_objects.Shift(static_cast<uint32_t>(pos), 1);
    m_objects.Insert(static_cast<uint32_t>(pos), id);
    ZARNI_ASSERT_VALID(*this);
    m_listeners.N_Inserted(pos, 1);
    return 1;
}

void CDoc::Reserve(int units) {
    int64_t wanted = int64_t{m_text.GetSize()} + std::max(units, 0);
    if (m_limit >= 0)
        wanted = std::min<int64_t>(wanted, m_limit);
    m_text.Reserve(static_cast<uint32_t>(std::min<int64_t>(wanted, INT32_MAX)));
}

int CDoc::Inserts(int pos, const CString& text) {
    if (text.IsEmpty() || !IsInsertPos(pos))
        return 0;
    // Converted and cleaned in one pass: units the document cannot hold are dropped, and
    // the bytes taken are counted (two for a double-byte unit).
    const uint32_t length = static_cast<uint32_t>(text.GetLength());
    uint32_t room = length;
    if (m_limit >= 0) {
        const int64_t free = static_cast<int64_t>(m_limit) - m_text.GetSize();
        if (free <= 0)
            return 0;
        room = static_cast<uint32_t>(std::min<int64_t>(free, length));
    }
    std::unique_ptr<uint16_t[]> units(new uint16_t[length]);
    uint32_t n = 0;
    int taken = 0;
    CWordString::Decode(text.GetString(), length, [&](uint16_t unit, uint32_t bytes) {
        if (n >= room)
            return false;
        if (IsStorableTextUnit(unit)) {
            units[n++] = unit;
            taken += static_cast<int>(bytes);
        }
        return true;
    });
    if (n == 0)
        return 0;
    InsertUnits(pos, units.get(), n);
    return taken;
}

int CDoc::Insertc(int pos, char ch) {
    const BYTE b = static_cast<BYTE>(ch);
    if (b == LINE_FEED_UNIT || b == 0 || b == CO_UNIT || CCodePage::IsLeadByte(b))
        return 0;
    if (!IsInsertPos(pos) || IsFull())
        return 0;
    CWordString unit;
    unit.InsertAt(0, static_cast<uint16_t>(static_cast<int16_t>(static_cast<signed char>(ch))));
    InsertUnits(pos, unit);
    return 1;
}

int CDoc::Delete(int pos, int count) {
    const int length = GetLength();
    if (pos < 0 || pos >= length || count <= 0)
        return 1;
    if (count > length - pos)
        count = length - pos;
    m_listeners.N_Deleting(pos, count);
    CCompressStore& store = CCompressStore::Instance();
    for (int i = pos; i < pos + count; ++i) {
        if (m_text[i] != CO_UNIT)
            continue;
        const ZarniUUID id = m_objects.IdAt(static_cast<uint32_t>(i));
        if (IVisible* visible = VisibleOf(store.Find(id)))
            visible->UnVisible();
        store.Release(id);
        m_objects.RemoveAt(static_cast<uint32_t>(i));
    }
    m_objects.Shift(static_cast<uint32_t>(pos), -count);
    m_text.RemoveAt(static_cast<uint32_t>(pos), static_cast<uint32_t>(count));
    ZARNI_ASSERT_VALID(*this);
    m_listeners.N_Deleted(pos, count);
    return 1;
}

int CDoc::FindLineBreak(int pos, DOC_FIND_FLAG dir) {
    const CDelimiters& delimiters = CDelimiters::Instance();
    return FindBreak(m_text, pos, dir, [&](uint16_t u) { return delimiters.IsLineBreak(u); });
}

int CDoc::FindWordBreak(int pos, DOC_FIND_FLAG dir) {
    const CDelimiters& delimiters = CDelimiters::Instance();
    return FindBreak(m_text, pos, dir, [&](uint16_t u) { return delimiters.IsWordBreak(u); });
}

int CDoc::FindAlnumEnd(int pos, DOC_FIND_FLAG dir) {
    if (pos < 0 || pos >= GetLength())
        return -1;
    return FindBreak(m_text, pos, dir, [](uint16_t u) { return !IsAsciiAlnum(u); });
}

int CDoc::FindCO(const ZarniUUID& id, int pos, DOC_FIND_FLAG dir) {
    const int length = GetLength();
    if (id.IsNull() || pos < 0 || pos >= length)
        return -1;
    if (dir == DFF_FORWARD) {
        return m_objects.Find(id, static_cast<uint32_t>(pos), static_cast<uint32_t>(length - 1));
    }
    if (dir == DFF_BACKWARD)
        return m_objects.Find(id, 0, static_cast<uint32_t>(pos));
    return -1;
}

int CDoc::Output(IDocOutputStream* out, const CRange& range) {
    const int length = GetLength();
    if (out == nullptr || range.home >= length)
        return 1;
    const int home = range.home < 0 ? 0 : range.home;
    const int end = range.end < length ? range.end : length;
    CCompressStore& store = CCompressStore::Instance();
    // Text goes out in stretches between the objects, found through the position table
    // rather than by looking at every unit.
    int start = home;
    for (uint32_t k = m_objects.FirstAtOrAfter(static_cast<uint32_t>(home));
         k < m_objects.GetSize(); ++k) {
        const COPosEntry& entry = m_objects.GetAt(k);
        const int i = static_cast<int>(entry.pos);
        if (i >= end)
            break;
        if (m_text[i] != CO_UNIT)
            continue;
        if (start < i) {
            out->OutputUnits(m_text.GetData() + start, static_cast<uint32_t>(i - start),
                             CRange(start, i));
        }
        if (ICompressStoreObj* obj = store.Find(entry.id))
            out->OutputObject(obj, CRange(i, i + 1));
        start = i + 1;
    }
    if (start < end)
        out->OutputUnits(m_text.GetData() + start, static_cast<uint32_t>(end - start),
                         CRange(start, end));
    return 1;
}

int CDoc::SetLimit(long limit) {
    if (limit > INT32_MAX)
        limit = INT32_MAX;
    if (limit < INT32_MIN)
        limit = INT32_MIN;
    m_limit = static_cast<int32_t>(limit);
    return 1;
}

int CDoc::AddListener(IDocListener* listener) {
    m_listeners.Add(listener);
    return 1;
}

int CDoc::DeleteListener(IDocListener* listener) {
    m_listeners.Delete(listener);
    return 1;
}

void CDoc::AssertValid() const {
    m_text.AssertValid();
    m_objects.AssertValid();
    uint32_t entry = 0;
    const CCompressStore& store = CCompressStore::Instance();
    for (uint32_t i = 0; i < m_text.GetSize(); ++i) {
        if (m_text[i] != CO_UNIT)
            continue;
        ZARNI_CHECK(entry < m_objects.GetSize() && m_objects.GetAt(entry).pos == i &&
                        store.Find(m_objects.GetAt(entry).id) != nullptr,
                    "CDoc: the object unit at %u has no matching entry", i);
        ++entry;
    }
    ZARNI_CHECK(entry == m_objects.GetSize(), "CDoc: %u table entries for %u object units",
                m_objects.GetSize(), entry);
}
