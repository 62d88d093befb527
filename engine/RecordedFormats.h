// CRecordedFormats: the fonts and colours an insertion's units got the first time, so that
// redo gives them the same ones.
#pragma once

#include "core/Range.h"
#include "format/FIOS_Sects.h"

class CFormatInfo;

// Typing attributes are not part of the undo history, so a redone insertion could take
// other formats than the first run did; following the store records them on the first run
// and re-applies them on every later one.
class CRecordedFormats {
public:
    CRecordedFormats() = default;
    CRecordedFormats(const CRecordedFormats&) = delete;
    CRecordedFormats& operator=(const CRecordedFormats&) = delete;

    void Follow(CFormatInfo* format, const CRange& inserted);
    // Replaces this record by a copy of other's.
    void CopyFrom(const CRecordedFormats& other);

private:
    bool m_recorded = false;  // m_runs holds the runs of the first run
    FIOS_Sects m_runs;
};
