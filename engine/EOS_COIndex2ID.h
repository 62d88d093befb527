// CEOS_COIndex2ID: a document output stream that records where objects stand in a range.
#pragma once

#include <cstdint>

#include "core/ZarniArray.h"
#include "model/DocOutputStream.h"
#include "objects/ZarniUUID.h"

// One object of the streamed range: its unit position and its id.
struct COIndexEntry {
    int32_t index = 0;
    ZarniUUID id;
};

// Positions are counted in units from the start of the streamed range: a text run adds its
// unit count, an object one unit. Adding the range's home turns them into document positions.
class CEOS_COIndex2ID : public IDocOutputStream {
public:
    // 0 for a null object. Otherwise records {current count, object id}, counts the object
    // as one unit and answers 1.
    int OutputObject(ICompressStoreObj* obj, const CRange& range) override;
    // Adds the units of the run; always 1.
    int OutputText(const CString& text, const CRange& range) override;
    // Frees the table and sets the count to 0.
    void Reset() override;

    // Replaces out's content by the table with base added to every index and answers the
    // number of entries. Ignored (0, out untouched) for a negative base or when an index
    // would pass the 32-bit range.
    uint32_t CopyTo(CZarniArray<COIndexEntry>& out, int32_t base) const;

    int32_t GetCount() const { return m_count; }
    const CZarniArray<COIndexEntry>& GetTable() const { return m_table; }

    // Aborts unless the indices ascend strictly, lie in 0 .. count - 1, and the table holds.
    void AssertValid() const;

private:
    int32_t m_count = 0;                // units streamed so far, 0 .. INT32_MAX
    CZarniArray<COIndexEntry> m_table;  // in stream order, so ascending by index
};
