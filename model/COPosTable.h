// CCOPosTable: the positions and ids of the embedded objects in the document text.
#pragma once

#include <cstdint>

#include "core/ZarniArray.h"
#include "objects/ZarniUUID.h"

struct COPosEntry {
    uint32_t pos;
    ZarniUUID id;
};

// Entries sorted by ascending position; in a consistent document one per CO_UNIT.
class CCOPosTable {
public:
    // Inserted after any entry with the same position.
    void Insert(uint32_t pos, const ZarniUUID& id);
    // The id of the entry at pos, or the null id.
    ZarniUUID IdAt(uint32_t pos) const;
    // Removes the entry at pos; false when there is none.
    bool RemoveAt(uint32_t pos);
    // Adds delta to the position of every entry at or after from.
    void Shift(uint32_t from, int32_t delta);
    // Position of the lowest entry with id among the positions [from, to], or -1.
    int32_t Find(const ZarniUUID& id, uint32_t from, uint32_t to) const;
    void RemoveAll() { m_entries.RemoveAll(); }

    // Index of the first entry at or after pos (GetSize() when none).
    uint32_t FirstAtOrAfter(uint32_t pos) const;
    uint32_t GetSize() const { return m_entries.GetSize(); }
    const COPosEntry& GetAt(uint32_t i) const { return m_entries[i]; }

    // Aborts unless positions strictly ascend and no id is null.
    void AssertValid() const;

private:
    int32_t IndexOf(uint32_t pos) const;

    CZarniArray<COPosEntry> m_entries;
};
