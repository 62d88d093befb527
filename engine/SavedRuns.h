// CSavedRuns: format runs a command replaced, each a range with an owned record clone.
#pragma once

#include <cstdint>
#include <vector>

#include "core/Owned.h"
#include "core/Range.h"
#include "objects/CompressStoreObj.h"

class CSavedRuns {
public:
    CSavedRuns() = default;
    CSavedRuns(const CSavedRuns&) = delete;
    CSavedRuns& operator=(const CSavedRuns&) = delete;

    // Takes ownership of record.
    void Add(const CRange& range, ICompressStoreObj* record) {
        m_runs.push_back(SRun{range, TOwned<ICompressStoreObj>(record)});
    }
    // Replaces the runs with clones of other's.
    void CopyFrom(const CSavedRuns& other) {
        Clear();
        for (const SRun& run : other.m_runs)
            Add(run.range, static_cast<ICompressStoreObj*>(run.record->Clone()));
    }
    void Clear() { m_runs.clear(); }
    uint32_t GetSize() const { return static_cast<uint32_t>(m_runs.size()); }
    const CRange& Range(uint32_t i) const { return m_runs[i].range; }
    ICompressStoreObj* Info(uint32_t i) const { return m_runs[i].record.get(); }

private:
    struct SRun {
        CRange range;
        TOwned<ICompressStoreObj> record;
    };
    std::vector<SRun> m_runs;
};
