// CRange: a half-open span of unit positions, with intersection, union and cutting.
#pragma once

#include <algorithm>
#include <cstdint>

// Covers the units home .. end - 1. Nothing is enforced on construction: a range with
// end <= home is empty everywhere, and an inverted range equals only an identical one.
struct CRange {
    int32_t home = 0;
    int32_t end = 0;

    CRange() = default;
    CRange(int32_t h, int32_t e) : home(h), end(e) {}

    bool IsEmpty() const { return end <= home; }
    int32_t Length() const { return end >= home ? end - home : 0; }

    bool operator==(const CRange& other) const { return home == other.home && end == other.end; }
    bool operator!=(const CRange& other) const { return !(*this == other); }

    // The common part of a and b. False, with out untouched, when either range is empty or
    // they do not overlap; ranges that merely touch do not overlap.
    static bool Intersect(const CRange& a, const CRange& b, CRange& out) {
        if (a.end <= a.home || b.end <= b.home)
            return false;
        if (a.home > b.home) {
            if (b.end <= a.home)
                return false;
            out = CRange(a.home, std::min(a.end, b.end));
        } else {
            if (a.end <= b.home)
                return false;
            out = CRange(b.home, std::min(a.end, b.end));
        }
        return true;
    }

    // The span of a and b when they overlap (as Intersect decides); otherwise false with out
    // untouched.
    static bool Union(const CRange& a, const CRange& b, CRange& out) {
        CRange common;
        if (!Intersect(a, b, common))
            return false;
        out = CRange(std::min(a.home, b.home), std::max(a.end, b.end));
        return true;
    }

    // Splits this range around by: out1 = (home, by.home), out2 = (by.end, end); either part
    // may come out empty or inverted. The cut points are clamped to this range, which changes
    // nothing while by overlaps it and keeps a disjoint by from stretching a part beyond the
    // range: a by lying after the range yields the whole range and an empty out2, a by lying
    // before it an empty out1 and the whole range.
    void Cut(const CRange& by, CRange& out1, CRange& out2) const {
        out1 = CRange(home, std::min(by.home, end));
        out2 = CRange(std::max(by.end, home), end);
    }
};
