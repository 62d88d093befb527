// Sorted table of embedded-object positions.
#include "model/COPosTable.h"

#include "platform/base/Check.h"

namespace {
struct EntryPos {
    uint32_t operator()(const COPosEntry& e) const { return e.pos; }
};
}  // namespace

int32_t CCOPosTable::IndexOf(uint32_t pos) const {
    return EBU_Lookup(pos, m_entries, EntryPos());
}

void CCOPosTable::Insert(uint32_t pos, const ZarniUUID& id) {
    uint32_t at = FirstAtOrAfter(pos);
    while (at < m_entries.GetSize() && m_entries[at].pos <= pos)
        ++at;
    m_entries.InsertAt(at, COPosEntry{pos, id});
}

uint32_t CCOPosTable::FirstAtOrAfter(uint32_t pos) const {
    return EBU_LowerBound(pos, m_entries, EntryPos());
}

ZarniUUID CCOPosTable::IdAt(uint32_t pos) const {
    const int32_t i = IndexOf(pos);
    return i < 0 ? ZarniUUID() : m_entries[static_cast<uint32_t>(i)].id;
}

bool CCOPosTable::RemoveAt(uint32_t pos) {
    const int32_t i = IndexOf(pos);
    if (i < 0)
        return false;
    m_entries.RemoveAt(static_cast<uint32_t>(i), 1);
    return true;
}

void CCOPosTable::Shift(uint32_t from, int32_t delta) {
    for (uint32_t i = m_entries.GetSize(); i > 0; --i) {
        COPosEntry& e = m_entries[i - 1];
        if (e.pos < from)
            break;
        e.pos = static_cast<uint32_t>(static_cast<int64_t>(e.pos) + delta);
    }
}

int32_t CCOPosTable::Find(const ZarniUUID& id, uint32_t from, uint32_t to) const {
    for (uint32_t i = EBU_LowerBound(from, m_entries, EntryPos()); i < m_entries.GetSize(); ++i) {
        const COPosEntry& e = m_entries[i];
        if (e.pos > to)
            break;
        if (e.id == id)
            return static_cast<int32_t>(e.pos);
    }
    return -1;
}

void CCOPosTable::AssertValid() const {
    m_entries.AssertValid();
    for (uint32_t i = 0; i < m_entries.GetSize(); ++i) {
        ZARNI_CHECK(
            (i == 0 || m_entries[i - 1].pos < m_entries[i].pos) && !m_entries[i].id.IsNull(),
            "CCOPosTable: entry %u (pos %u) out of order or without id", i, m_entries[i].pos);
    }
}
