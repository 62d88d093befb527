// CUrlDetector: finds web addresses in document text with a small character machine.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "core/Owned.h"
#include "core/Range.h"
#include "links/LinkInfo.h"
#include "model/WordString.h"

class IDoc;

// One run of a detection: a found address (its link owned by the run) or, with a null
// link, a stretch without one.
struct SUrlRun {
    CRange range;
    TOwned<zarni::CLinkInfo> link;
};

// A URL is a known prefix ("http:", "www.", ... matched without regard to case) at a word
// boundary, followed by at least one non-separator unit below 256, running to the first
// separator or unit of 256 and above. Process-wide, created on first use; not re-entrant.
class CUrlDetector {
public:
    static CUrlDetector& Instance();
    CUrlDetector(const CUrlDetector&) = delete;
    CUrlDetector& operator=(const CUrlDetector&) = delete;

    // Runs the machine over the document's units in range (clipped to the document) and
    // returns runs that partition the clipped range: type-1 links over the addresses (text
    // and value = the address as typed, value owned) and null-link runs between them.
    std::vector<SUrlRun> Detect(IDoc* doc, const CRange& range);

    // The machine alone, for a text that starts at position base: the addresses found as
    // (range, text) pairs.
    struct SFound {
        CRange range;
        CWordString text;
    };
    // Runs the machine over the units that can matter: near each ':' and '.'.
    std::vector<SFound> Scan(const CWordString& units, int base);
    // Runs it over every unit; finds what Scan finds, only slower.
    std::vector<SFound> ScanEachUnit(const CWordString& units, int base);

private:
    enum class EState : uint8_t {
        Start,     // nothing fed yet
        Boundary,  // after a separator or a double-byte unit
        Word,      // inside a plain word
        Prefix,    // matching a prefix
        Complete,  // a whole prefix matched, waiting for the body
        Body,      // inside the body of an address
    };
    // A node of the prefix tree: a lower-case unit and its children, siblings in the order
    // of the prefix list.
    struct SNode {
        uint16_t unit = 0;
        std::vector<int> children;  // indices into m_nodes
    };
    static constexpr int kTableSize = 256;
    static constexpr int kRoot = 0;

    CUrlDetector();
    void Reset(int base);
    void Feed(uint16_t unit);
    void Flush();
    void Report();
    // Starts a candidate at the tree's top and matches unit in the prefix state.
    void BeginCandidate(uint16_t unit);
    void MatchPrefix(uint16_t unit);
    bool IsSeparator(uint16_t unit) const { return unit < kTableSize && m_separator[unit]; }
    bool IsPrefixStart(uint16_t unit) const { return unit < kTableSize && m_prefixStart[unit]; }
    static bool IsWide(uint16_t unit) { return unit >= kTableSize; }

    std::array<bool, kTableSize> m_separator{};
    std::array<bool, kTableSize> m_prefixStart{};
    std::vector<SNode> m_nodes;  // node 0 is the root, holding no unit

    EState m_state = EState::Start;
    int m_node = kRoot;       // the tree node matched so far
    int m_fed = 0;            // units fed since the reset
    int m_start = 0;          // index of the candidate's first unit
    int m_base = 0;           // document position of the first fed unit
    CWordString m_candidate;  // the candidate as typed
    std::vector<SFound> m_found;
};
