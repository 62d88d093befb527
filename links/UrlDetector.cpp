// CUrlDetector: unit classes, the prefix tree, the machine and detection over a range.
#include "links/UrlDetector.h"

#include <algorithm>
#include <memory>

#include "links/DocTextReader.h"
#include "model/Doc.h"

namespace {

// Siblings of the prefix tree keep this order.
constexpr const char* kPrefixes[] = {
    "file:", "ftp.",  "ftp:",  "ftps:",     "gopher:", "http:",   "https:", "mailto:", "mms:",
    "mmst:", "news:", "nntp:", "prospero:", "rtsp:",   "telnet:", "wais:",  "www.",
};
// The longest prefix above, "prospero:".
constexpr uint32_t kLongestPrefix = 9;
constexpr const char kPrefixStarts[] = "FGHMNPRTWfghmnprtw";
constexpr const char kSeparatorMarks[] = "!\"'()*<>[\\]^`{|}";
constexpr uint16_t kLastControl = 0x20;
constexpr uint16_t kDelete = 0x7F;
constexpr uint16_t kFirstHighByte = 0x80;

uint16_t LowerAscii(uint16_t unit) {
    return (unit >= 'A' && unit <= 'Z') ? static_cast<uint16_t>(unit - 'A' + 'a') : unit;
}

}  // namespace

CUrlDetector& CUrlDetector::Instance() {
    static CUrlDetector detector;
    return detector;
}

CUrlDetector::CUrlDetector() {
    for (uint16_t u = 0; u <= kLastControl; ++u)
        m_separator[u] = true;
    for (const char* p = kSeparatorMarks; *p; ++p)
        m_separator[static_cast<unsigned char>(*p)] = true;
    m_separator[kDelete] = true;
    for (int u = kFirstHighByte; u < kTableSize; ++u)
        m_separator[static_cast<size_t>(u)] = true;
    for (const char* p = kPrefixStarts; *p; ++p)
        m_prefixStart[static_cast<unsigned char>(*p)] = true;

    m_nodes.emplace_back();  // the root
    for (const char* prefix : kPrefixes) {
        int node = kRoot;
        for (const char* p = prefix; *p; ++p) {
            const uint16_t unit = static_cast<unsigned char>(*p);
            int next = -1;
            for (int child : m_nodes[static_cast<size_t>(node)].children) {
                if (m_nodes[static_cast<size_t>(child)].unit == unit)
                    next = child;
            }
            if (next < 0) {
                next = static_cast<int>(m_nodes.size());
                m_nodes.push_back(SNode{unit, {}});
                m_nodes[static_cast<size_t>(node)].children.push_back(next);
            }
            node = next;
        }
    }
}

std::vector<CUrlDetector::SFound> CUrlDetector::Scan(const CWordString& units, int base) {
    Reset(base);
    const uint16_t* u = units.GetData();
    const uint32_t n = units.GetSize();
    uint32_t i = 0;
    while (i < n) {
        if (m_state != EState::Start && m_state != EState::Boundary && m_state != EState::Word) {
            Feed(u[i++]);
            continue;
        }
        // Outside an address the state follows from the last unit alone, and an address
        // begins with a whole prefix, which ends with ':' or '.'. So the machine only has to
        // run over the units that could begin a prefix ending at the next of those.
        uint32_t q = i;
        while (q < n && u[q] != ':' && u[q] != '.')
            ++q;
        const uint32_t k = q == n ? n : std::max(i, q + 1 - std::min(q + 1, kLongestPrefix));
        if (k > i) {
            m_fed += static_cast<int>(k - i);
            m_state = IsWide(u[k - 1]) || IsSeparator(u[k - 1]) ? EState::Boundary : EState::Word;
            i = k;
        }
        for (; i < n && i <= q; ++i)
            Feed(u[i]);
    }
    Flush();
    return std::move(m_found);
}

std::vector<CUrlDetector::SFound> CUrlDetector::ScanEachUnit(const CWordString& units, int base) {
    Reset(base);
    for (uint32_t i = 0; i < units.GetSize(); ++i)
        Feed(units[i]);
    Flush();
    return std::move(m_found);
}

std::vector<SUrlRun> CUrlDetector::Detect(IDoc* doc, const CRange& range) {
    std::vector<SUrlRun> runs;
    if (doc == nullptr)
        return runs;
    const CRange clipped(std::max(range.home, 0), std::min(range.end, doc->GetLength()));
    if (clipped.IsEmpty())
        return runs;
    const CDocTextReader reader(doc, clipped);
    int cursor = clipped.home;
    for (SFound& found : Scan(reader.GetUnits(), clipped.home)) {
        if (found.range.home > cursor)
            runs.push_back(SUrlRun{CRange(cursor, found.range.home), nullptr});
        const CString text = found.text.c_str();
        auto address = std::make_unique<CString>(text);
        auto link = MakeOwned<zarni::CLinkInfo>(
            text, reinterpret_cast<unsigned long>(address.release()), LINK_TYPE_URL, ZarniUUID());
        link->SetAutoDeleteValue(1);
        runs.push_back(SUrlRun{found.range, std::move(link)});
        cursor = found.range.end;
    }
    if (cursor < clipped.end)
        runs.push_back(SUrlRun{CRange(cursor, clipped.end), nullptr});
    return runs;
}

void CUrlDetector::Reset(int base) {
    m_state = EState::Start;
    m_node = kRoot;
    m_fed = 0;
    m_start = 0;
    m_base = base;
    m_candidate.RemoveAll();
    m_found.clear();
}

void CUrlDetector::Feed(uint16_t unit) {
    ++m_fed;
    const bool ends = IsWide(unit) || IsSeparator(unit);
    switch (m_state) {
        case EState::Start:
        case EState::Boundary:
            if (IsPrefixStart(unit))
                BeginCandidate(unit);
            else
                m_state = ends ? EState::Boundary : EState::Word;
            break;
        case EState::Word:
            m_state = ends ? EState::Boundary : EState::Word;
            break;
        case EState::Prefix:
            MatchPrefix(unit);
            break;
        case EState::Complete:
            if (ends) {
                m_state = EState::Boundary;  // a prefix alone is no address
            } else {
                m_candidate.InsertAt(m_candidate.GetSize(), unit);
                m_state = EState::Body;
            }
            break;
        case EState::Body:
            if (ends) {
                Report();
                m_state = EState::Boundary;
            } else {
                m_candidate.InsertAt(m_candidate.GetSize(), unit);
            }
            break;
    }
}

void CUrlDetector::Flush() {
    if (m_state == EState::Body)
        Report();
    m_state = EState::Boundary;
}

void CUrlDetector::Report() {
    const int home = m_base + m_start;
    m_found.push_back(
        SFound{CRange(home, home + static_cast<int>(m_candidate.GetSize())), m_candidate});
}

void CUrlDetector::BeginCandidate(uint16_t unit) {
    m_candidate.RemoveAll();
    m_node = kRoot;
    m_state = EState::Prefix;
    MatchPrefix(unit);
}

void CUrlDetector::MatchPrefix(uint16_t unit) {
    const uint16_t lower = LowerAscii(unit);
    for (int child : m_nodes[static_cast<size_t>(m_node)].children) {
        const SNode& node = m_nodes[static_cast<size_t>(child)];
        if (node.unit != lower)
            continue;
        if (m_candidate.GetSize() == 0)
            m_start = m_fed - 1;
        m_candidate.InsertAt(m_candidate.GetSize(), unit);
        m_node = child;
        if (node.children.empty())
            m_state = EState::Complete;
        return;
    }
    // A failed prefix ending at a separator or a double-byte unit leaves the machine at a
    // word boundary, as typing unit by unit would: "news www.y" pasted whole still finds
    // "www.y" although "news" began to match "news:".
    m_state = (IsSeparator(unit) || IsWide(unit)) ? EState::Boundary : EState::Word;
}
