// CEOS_COIndex2ID: records the unit position and id of each object of a streamed range.
#include "engine/EOS_COIndex2ID.h"

#include "engine/UnitCount.h"
#include "objects/CompressStoreObj.h"
#include "platform/base/Check.h"

int CEOS_COIndex2ID::OutputObject(ICompressStoreObj* obj, const CRange&) {
    if (obj == nullptr)
        return 0;
    // A full count cannot give the object a position of its own; keep the table unchanged.
    if (m_count == INT32_MAX)
        return 0;
    COIndexEntry entry;
    entry.index = m_count;
    entry.id = obj->GetID();
    m_table.Add(entry);
    ++m_count;
    return 1;
}

int CEOS_COIndex2ID::OutputText(const CString& text, const CRange&) {
    m_count = AddUnitsSaturated(m_count, CountUnits(text));
    return 1;
}

void CEOS_COIndex2ID::Reset() {
    m_table.RemoveAll();
    m_count = 0;
}

uint32_t CEOS_COIndex2ID::CopyTo(CZarniArray<COIndexEntry>& out, int32_t base) const {
    const uint32_t size = m_table.GetSize();
    if (base < 0)
        return 0;
    // The last entry has the highest index.
    if (size > 0 && m_table[size - 1].index > INT32_MAX - base)
        return 0;
    out.RemoveAll();
    for (uint32_t i = 0; i < size; ++i) {
        COIndexEntry entry = m_table[i];
        entry.index += base;
        out.Add(entry);
    }
    return size;
}

void CEOS_COIndex2ID::AssertValid() const {
    m_table.AssertValid();
    int32_t previous = -1;
    for (uint32_t i = 0; i < m_table.GetSize(); ++i) {
        const int32_t index = m_table[i].index;
        ZARNI_CHECK(index > previous && index < m_count,
                    "CEOS_COIndex2ID: entry %u index %d count %d", i, index, m_count);
        previous = index;
    }
    ZARNI_CHECK(m_count >= 0, "CEOS_COIndex2ID: count %d", m_count);
}
