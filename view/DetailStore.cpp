// CDetailStore: keeping the per-unit cache of the visible lines in step with the document.
#include "view/DetailStore.h"

#include <algorithm>
#include <cstdint>

#include "format/FIOS_Mixture.h"
#include "format/FormatInfo.h"
#include "model/Doc.h"
#include "objects/CompressStoreObj.h"
#include "platform/base/Check.h"
#include "platform/ui/WinUser.h"
#include "view/LineBuilder.h"
#include "view/LinePiece.h"
#include "view/ViewHost.h"

namespace {

// Collects mixture runs as detail runs relative to the window's home.
class CRunCollector : public IMixtureOutputStream {
public:
    CRunCollector(const CRange& window, std::vector<CDetailRun>& out)
        : m_window(window), m_out(out) {}
    int PutMixture(const CMixtureInfo& info) override {
        CRange part;
        if (info.font == nullptr || info.color == nullptr ||
            !CRange::Intersect(info.range, m_window, part))
            return 1;
        m_out.push_back(CDetailRun{part.home - m_window.home, *info.font, *info.color});
        return 1;
    }

private:
    CRange m_window;
    std::vector<CDetailRun>& m_out;
};

// pos + count without passing the largest position.
int32_t ClampedEnd(int pos, int count) {
    return static_cast<int32_t>(std::min<int64_t>(int64_t{pos} + count, INT32_MAX));
}

}  // namespace

CDetailStore::CDetailStore(IViewHost* host) : m_host(host) {}

int CDetailStore::Feed(const CLinePiece& piece) {
    const int n = piece.GetUnitCount();
    if (m_sink == nullptr || n == 0)
        return 0;
    for (int i = 0; i < n; ++i) {
        const CSize& cell = piece.GetCell(i);
        m_sink->Add(CDetailUnit{piece.GetUnit(i), cell.cx, cell.cy, piece.GetObject()});
    }
    return 1;
}

void CDetailStore::Clear() {
    m_objectIndexStale = true;
    m_units.RemoveAll();
    m_runs.clear();
    m_home = 0;
}

int CDetailStore::DocLength() const {
    IDoc* doc = m_host ? m_host->GetDocument() : nullptr;
    return doc ? doc->GetLength() : 0;
}

bool CDetailStore::BuildInto(const CRange& r, CZarniArray<CDetailUnit>& out) {
    const uint32_t before = out.GetSize();
    CZarniArray<CDetailUnit>* outer = m_sink;
    m_sink = &out;
    CLineBuilder::Instance().Build(m_host, r, this);
    m_sink = outer;
    return out.GetSize() - before == static_cast<uint32_t>(r.Length());
}

void CDetailStore::MoveWindow(const CRange& requested) {
    const CRange visible(std::max(requested.home, 0), std::min(requested.end, DocLength()));
    if (visible.IsEmpty()) {
        Clear();
        return;
    }
    const CRange window = GetWindow();
    CRange common;
    if (!CRange::Intersect(window, visible, common)) {
        Clear();
        m_home = visible.home;
        if (!BuildInto(visible, m_units))
            Clear();
        RebuildRuns();
        return;
    }
    // Drop what lies outside, then build the missing head and tail.
    if (window.end > visible.end)
        m_units.RemoveAt(static_cast<uint32_t>(visible.end - m_home),
                         static_cast<uint32_t>(window.end - visible.end));
    if (window.home < visible.home) {
        m_units.RemoveAt(0, static_cast<uint32_t>(visible.home - m_home));
        m_home = visible.home;
    }
    bool ok = true;
    if (visible.home < m_home) {
        CZarniArray<CDetailUnit> head;
        ok = BuildInto(CRange(visible.home, m_home), head);
        m_units.InsertAt(0, head);
        m_home = visible.home;
    }
    if (ok && visible.end > GetWindow().end)
        ok = BuildInto(CRange(GetWindow().end, visible.end), m_units);
    if (!ok)
        Clear();
    RebuildRuns();
}

void CDetailStore::Refresh(const CRange& visible) {
    const CRange window = GetWindow();
    if (!IsEmpty() && (visible.home != window.home || visible.end > window.end))
        MessageBoxA(nullptr, kRefreshMessage, kRefreshMessage, MB_OK);
    MoveWindow(visible);
}

void CDetailStore::OnInserted(int pos, int count) {
    if (IsEmpty() || count <= 0 || pos < 0)
        return;
    if (int64_t{GetWindow().end} + count > DocLength()) {
        Clear();  // more units than the document gained: the window cannot be kept
        return;
    }
    const CRange window = GetWindow();
    if (pos <= window.home) {
        m_home += count;
    } else if (pos < window.end) {
        CZarniArray<CDetailUnit> part;
        if (!BuildInto(CRange(pos, pos + count), part)) {
            Clear();
            return;
        }
        m_units.InsertAt(static_cast<uint32_t>(pos - m_home), part);
    }
    RebuildRuns();
}

void CDetailStore::OnDeleted(int pos, int count) {
    if (IsEmpty() || count <= 0 || pos < 0)
        return;
    const CRange window = GetWindow();
    const CRange deleted(pos, ClampedEnd(pos, count));
    CRange common;
    if (CRange::Intersect(deleted, window, common))
        m_units.RemoveAt(static_cast<uint32_t>(common.home - m_home),
                         static_cast<uint32_t>(common.Length()));
    if (pos < window.home)
        m_home -= std::min(window.home, deleted.end) - pos;
    if (IsEmpty())
        Clear();
    RebuildRuns();
}

void CDetailStore::OnFormatChanged(int pos, int count) {
    CRange common;
    if (IsEmpty() || count <= 0 ||
        !CRange::Intersect(CRange(pos, ClampedEnd(pos, count)), GetWindow(), common))
        return;
    Remeasure(common);
    RebuildRuns();
}

void CDetailStore::Remeasure(const CRange& r) {
    CZarniArray<CDetailUnit> part;
    if (!BuildInto(r, part)) {
        Clear();
        return;
    }
    const uint32_t at = static_cast<uint32_t>(r.home - m_home);
    for (uint32_t i = 0; i < part.GetSize(); ++i)
        m_units[at + i] = part[i];
}

void CDetailStore::RebuildRuns() {
    m_objectIndexStale = true;
    m_runs.clear();
    CFormatInfo* formats = m_host ? m_host->GetFormatInfo() : nullptr;
    if (IsEmpty() || formats == nullptr)
        return;
    FIOS_Mixture mixture;
    formats->Output(&mixture, GetWindow());
    CRunCollector collector(GetWindow(), m_runs);
    mixture.Output(&collector);
}

const CDetailUnit* CDetailStore::GetUnit(int pos) const {
    if (pos < m_home || pos >= GetWindow().end)
        return nullptr;
    return &m_units[static_cast<uint32_t>(pos - m_home)];
}

bool CDetailStore::GetUnitOffset(const CRange& line, int unit, int& x, CSize& cell) const {
    const CRange window = GetWindow();
    if (unit < 0 || unit >= line.Length() || line.home < window.home || line.end > window.end)
        return false;
    int offset = 0;
    const uint32_t first = static_cast<uint32_t>(line.home - m_home);
    for (uint32_t i = 0; i < static_cast<uint32_t>(unit); ++i)
        offset += m_units[first + i].cx;
    const CDetailUnit& entry = m_units[first + static_cast<uint32_t>(unit)];
    x = offset;
    cell = CSize(entry.cx, entry.cy);
    return true;
}

int CDetailStore::FindObject(const ZarniUUID& id) const {
    if (m_objectIndexStale) {
        m_objectIndex.clear();
        for (uint32_t i = 0; i < m_units.GetSize(); ++i) {
            if (ICompressStoreObj* obj = m_units[i].object)
                m_objectIndex.emplace_back(obj->GetID(), static_cast<int32_t>(i));
        }
        std::sort(m_objectIndex.begin(), m_objectIndex.end());
        m_objectIndexStale = false;
    }
    const auto it = std::lower_bound(m_objectIndex.begin(), m_objectIndex.end(),
                                     std::make_pair(id, int32_t{0}));
    if (it == m_objectIndex.end() || it->first != id)
        return -1;
    return m_home + it->second;
}

void CDetailStore::AssertValid() const {
    m_units.AssertValid();
    const CRange window = GetWindow();
    bool ok = m_home >= 0 && window.end <= DocLength();
    if (IsEmpty()) {
        ok = ok && m_runs.empty();
    } else {
        ok = ok && !m_runs.empty() && m_runs.front().start == 0;
        for (size_t i = 0; ok && i < m_runs.size(); ++i) {
            ok = m_runs[i].start >= 0 && m_runs[i].start < window.Length() &&
                 (i == 0 || m_runs[i].start > m_runs[i - 1].start);
        }
    }
    ZARNI_CHECK(ok, "CDetailStore: window (%d,%d) of %d units, %zu runs", window.home, window.end,
                DocLength(), m_runs.size());
}
