// CDetailStore: per-unit sizes and format runs for the document range of the visible lines.
#pragma once

#include <cstdint>
#include <utility>
#include <vector>

#include "core/Range.h"
#include "core/ZarniArray.h"
#include "format/ColorInfo.h"
#include "format/FontInfo.h"
#include "objects/ZarniUUID.h"
#include "platform/base/Geometry.h"
#include "view/LineConsumer.h"

class IViewHost;
class ICompressStoreObj;

// One cached unit: the unit, its cell size and its object (null for text).
struct CDetailUnit {
    uint16_t unit;
    int32_t cx;
    int32_t cy;
    ICompressStoreObj* object;  // not owned
};

// One format run of the window: from start (an offset from the window's home) to the next
// run's start, or the window's end.
struct CDetailRun {
    int32_t start;
    CFontInfo font;
    CColorInfo color;
};

// Keeps the cached window [home, home + unit count) equal to what a fresh build of that
// range would give. The window is moved with MoveWindow (drop what falls outside, build
// what is missing), follows document and format changes with the On* calls, and is checked
// by Refresh, which expects a window already moved to the range it is asked to keep.
class CDetailStore : public ILineConsumer {
public:
    static constexpr const char* kRefreshMessage = "cdetatilstore::refresh";

    explicit CDetailStore(IViewHost* host);
    ~CDetailStore() override = default;
    CDetailStore(const CDetailStore&) = delete;
    CDetailStore& operator=(const CDetailStore&) = delete;

    // Appends one entry per unit of the piece to the part being built; 0 outside a build
    // or for a piece without units.
    int Feed(const CLinePiece& piece) override;
    void EndBuild() override {}

    // Drops every entry and run.
    void Clear();
    // Brings the window to exactly visible (clipped to the document): entries outside are
    // dropped, missing parts are built. An empty range clears.
    void MoveWindow(const CRange& visible);
    // The checked refresh: when the cache is not empty and visible starts elsewhere than the
    // cache, or ends beyond the cache's end, shows the message box "cdetatilstore::refresh"
    // (no owner, OK button); in every case then moves the window to visible.
    void Refresh(const CRange& visible);

    // Following the document, called after the change: units inserted at pos are built into
    // the window when pos lies inside it; deleted units are dropped; later entries shift.
    void OnInserted(int pos, int count);
    void OnDeleted(int pos, int count);
    // Font or colour of (pos, count) changed: those entries are measured again.
    void OnFormatChanged(int pos, int count);

    // The cached window.
    CRange GetWindow() const {
        return CRange(m_home, m_home + static_cast<int32_t>(m_units.GetSize()));
    }
    bool IsEmpty() const { return m_units.GetSize() == 0; }
    // The entry of position pos, or null outside the window.
    const CDetailUnit* GetUnit(int pos) const;
    // x offset and cell size of unit index unit of the line covering line: x is the sum of
    // the widths of the line's units before it. False (x and cell untouched) when the unit
    // is not one of the line's or the line is not wholly in the window.
    bool GetUnitOffset(const CRange& line, int unit, int& x, CSize& cell) const;
    // Position of the first object with this id in the window, or -1. Looked up in an index
    // built on the first search after a change, so repeated searches (one per animation
    // frame change) do not scan the window.
    int FindObject(const ZarniUUID& id) const;
    const std::vector<CDetailRun>& GetRuns() const { return m_runs; }

    // Aborts unless the window lies in the document and the runs start inside it, in order,
    // the first at offset 0.
    void AssertValid() const;

private:
    // Builds r into out (appended); false when the build did not give one entry per unit.
    bool BuildInto(const CRange& r, CZarniArray<CDetailUnit>& out);
    // Replaces the entries of r (inside the window) by a fresh build of r.
    void Remeasure(const CRange& r);
    void RebuildRuns();
    int DocLength() const;

    IViewHost* m_host;  // not owned
    int32_t m_home = 0;
    CZarniArray<CDetailUnit> m_units;  // one per position of the window
    std::vector<CDetailRun> m_runs;
    CZarniArray<CDetailUnit>* m_sink = nullptr;  // where Feed appends during a build
    // Object ids of the window with their offsets from home, sorted by id then offset;
    // rebuilt on demand after any change (every change ends in Clear or RebuildRuns).
    mutable std::vector<std::pair<ZarniUUID, int32_t>> m_objectIndex;
    mutable bool m_objectIndexStale = true;
};
