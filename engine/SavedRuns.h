// CSavedRuns: format runs a command replaced, each a range with an owned record clone.
#pragma once

#include <cstdint>

#include "format/SAttrStick.h"
#include "core/ZarniArray.h"
#include "objects/CompressStoreObj.h"

class CSavedRuns {
public:
    CSavedRuns() = default;
    ~CSavedRuns() { Clear(); }
    CSavedRuns(const CSavedRuns&) = delete;
    CSavedRuns& operator=(const CSavedRuns&) = delete;

    // Takes ownership of record.
    void Add(const CRange& range, ICompressStoreObj* record) {
        m_runs.Add(CSAttrSectInfo(range, record));
    }
    // Replaces the runs with clones of other's.
    void CopyFrom(const CSavedRuns& other) {
        Clear();
        for (uint32_t i = 0; i < other.GetSize(); ++i) {
            Add(other.Range(i), static_cast<ICompressStoreObj*>(other.Info(i)->Clone()));
        }
    }
    void Clear() {
        for (uint32_t i = 0; i < m_runs.GetSize(); ++i)
            m_runs[i].Info()->Destroy();
        m_runs.RemoveAll();
    }
    uint32_t GetSize() const { return m_runs.GetSize(); }
    const CRange& Range(uint32_t i) const { return m_runs[i].Range(); }
    ICompressStoreObj* Info(uint32_t i) const { return m_runs[i].Info(); }

private:
    CZarniArray<CSAttrSectInfo> m_runs;
};
