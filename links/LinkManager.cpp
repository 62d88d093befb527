// CLinkManager: the link stick, host links, and detection again around every edit.
#include "links/LinkManager.h"

#include <algorithm>

#include "links/DocTextReader.h"
#include "links/UrlDetector.h"
#include "model/Doc.h"

CLinkManager::CLinkManager(ILinkManagerHost* host) : m_host(host) {
    if (IDoc* doc = Document()) {
        doc->AddListener(this);
        CoverNewText(doc);
    }
}

CLinkManager::~CLinkManager() {
    if (IDoc* doc = Document())
        doc->DeleteListener(this);
}

void CLinkManager::SetLink(const CRange& range, ILinkInfo* link) {
    IDoc* doc = Document();
    if (link == nullptr || doc == nullptr)
        return;
    const CRange clipped(std::max(range.home, 0), std::min(range.end, doc->GetLength()));
    if (clipped.IsEmpty())
        return;
    CLinkSlot slot(zarni::CopyLink(link));
    m_stick.AssignColor(clipped, slot.IsEmpty() ? CLinkSlot() : slot);
    ZARNI_ASSERT_VALID(*this);
    m_changed = clipped;
    Report(TRUE);
}

int CLinkManager::RemoveLink(const ZarniUUID& outId) {
    std::vector<CRange> removed;
    for (int i = 0; i < m_stick.GetSize(); ++i) {
        const CLinkSlot& slot = m_stick.GetColor(i);
        if (!slot.IsEmpty() && slot.Get()->GetOutID() == outId)
            removed.push_back(m_stick.GetRange(i));
    }
    if (removed.empty())
        return 0;
    for (const CRange& range : removed)
        m_stick.AssignColor(range, CLinkSlot());
    ZARNI_ASSERT_VALID(*this);
    m_changed = CRange(removed.front().home, removed.back().end);
    Report(TRUE);
    return static_cast<int>(removed.size());
}

SLinkRun CLinkManager::GetLinkAt(int pos) {
    const int section = m_stick.FindSectIndex(pos);
    if (section < 0 || section >= m_stick.GetSize())
        return SLinkRun{CRange(pos, pos), &m_empty};
    return RunOf(section);
}

void CLinkManager::GetLinks(const CRange& range, std::vector<SLinkRun>& out) {
    out.clear();
    const CRange covered = m_stick.GetCovered();
    CRange clipped;
    if (!CRange::Intersect(range, covered, clipped))
        return;
    for (int i = m_stick.FindSectIndex(clipped.home);
         i >= 0 && i < m_stick.GetSize() && m_stick.GetRange(i).home < clipped.end; ++i) {
        SLinkRun run = RunOf(i);
        run.range =
            CRange(std::max(run.range.home, clipped.home), std::min(run.range.end, clipped.end));
        out.push_back(run);
    }
}

void CLinkManager::N_Inserting(int pos, int count) {
    IDoc* doc = Document();
    m_scanPending = m_stretchPending = false;
    if (doc == nullptr || count <= 0)
        return;
    const int section = m_stick.FindSectIndex(pos);
    if (section >= 0 && section < m_stick.GetSize() && m_stick.GetColor(section).IsHost() &&
        m_stick.GetRange(section).home < pos) {
        // Typing inside a host link makes it longer; detection never looks inside one.
        const CRange link = m_stick.GetRange(section);
        m_stretched = CRange(link.home, link.end + count);
        m_stretchPending = true;
    } else {
        m_pending = ScanRange(doc, pos, count);
        m_scanPending = true;
    }
    m_stick.Extend(pos, count);
}

void CLinkManager::N_Inserted(int, int) {
    IDoc* doc = Document();
    if (doc == nullptr)
        return;
    CoverNewText(doc);
    if (m_stretchPending) {
        m_stretchPending = false;
        // The new text is read now, once the units are in: it is the link's text as shown.
        const int section = m_stick.FindSectIndex(m_stretched.home);
        ILinkInfo* link = section >= 0 ? m_stick.GetColor(section).Get() : nullptr;
        const CDocTextReader reader(doc, m_stretched);
        if (link != nullptr)
            link->SetLinkInfo(reader.GetPlainText(), link->GetValue(), link->GetType(),
                              ZarniUUID());
    }
    if (m_scanPending) {
        m_scanPending = false;
        Detect(doc, m_pending);
    }
    ZARNI_ASSERT_VALID(*this);
}

void CLinkManager::N_Deleting(int, int) {}

void CLinkManager::N_Deleted(int pos, int count) {
    IDoc* doc = Document();
    if (doc == nullptr)
        return;
    m_stick.Cut(pos, count);
    if (doc->GetLength() > 0)
        Detect(doc, ScanRange(doc, pos, 0));
    ZARNI_ASSERT_VALID(*this);
}

void CLinkManager::AssertValid() const {
    m_stick.AssertValid();
    IDoc* doc = Document();
    const int length = doc ? doc->GetLength() : 0;
    const CRange covered = m_stick.GetCovered();
    ZARNI_CHECK(m_stick.IsEmpty() ? length == 0 : covered == CRange(0, length),
                "CLinkManager: links cover (%d, %d) of a document of %d units", covered.home,
                covered.end, length);
    for (int i = 1; i < m_stick.GetSize(); ++i) {
        ZARNI_CHECK(!(m_stick.GetColor(i - 1).IsEmpty() && m_stick.GetColor(i).IsEmpty()),
                    "CLinkManager: stretches %d and %d without a link are not merged", i - 1, i);
    }
}

SLinkRun CLinkManager::RunOf(int section) {
    const CLinkSlot& slot = m_stick.GetColor(section);
    return SLinkRun{m_stick.GetRange(section), slot.IsEmpty() ? &m_empty : slot.Get()};
}

CRange CLinkManager::ScanRange(IDoc* doc, int pos, int shift) const {
    int home = doc->FindWordBreak(pos - 1, DFF_BACKWARD) + 1;
    int end = doc->FindWordBreak(pos, DFF_FORWARD);
    if (end < pos)
        end = pos;
    end += shift;
    // The stick still has the positions before the insertion: a link at or after pos
    // moves by shift.
    for (int i = std::max(m_stick.FindSectIndex(home), 0);
         i < m_stick.GetSize() && m_stick.GetRange(i).home < end - shift; ++i) {
        if (!m_stick.GetColor(i).IsHost())
            continue;
        const CRange link = m_stick.GetRange(i);
        if (link.end <= pos) {
            home = std::max(home, link.end);
        } else if (link.home >= pos) {
            end = std::min(end, link.home + shift);
            break;
        } else {
            return CRange(pos, pos);  // pos lies inside a host link: nothing to scan
        }
    }
    return CRange(home, end);
}

void CLinkManager::Detect(IDoc* doc, const CRange& range) {
    if (range.IsEmpty())
        return;
    for (SUrlRun& run : CUrlDetector::Instance().Detect(doc, range))
        m_stick.AssignColor(run.range, CLinkSlot(run.link.release()));
    m_changed = range;
    Report(FALSE);
}

void CLinkManager::CoverNewText(IDoc* doc) {
    if (m_stick.IsEmpty() && doc->GetLength() > 0)
        m_stick.AssignColor(CRange(0, doc->GetLength()), CLinkSlot());
}

void CLinkManager::Report(BOOL now) {
    if (m_host != nullptr && !m_changed.IsEmpty())
        m_host->RepaintLinks(m_changed, now);
}
