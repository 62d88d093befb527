// TColorStick: an attribute that varies along positions, kept as sorted critical points.
#pragma once

#include <cstdint>

#include "core/Range.h"
#include "core/ZarniArray.h"
#include "platform/base/Check.h"

template <class T>
struct CriticalPoint {
    int32_t pos = 0;
    T color = T();
};

// Points with strictly increasing pos; section i is [point[i].pos, point[i+1].pos) with
// attribute point[i].color, and the last point only marks the end (its color means
// nothing). A stick has no points or at least two: an edit that leaves one empties it.
// Searches are bisections and edits block moves of the point array.
template <class T>
class TColorStick {
public:
    using Point = CriticalPoint<T>;

    // Number of sections.
    int GetSize() const {
        return m_points.GetSize() < 2 ? 0 : static_cast<int>(m_points.GetSize()) - 1;
    }
    bool IsEmpty() const { return GetSize() == 0; }
    // The range of section i, or (0, 0) for an index outside the sections.
    CRange GetRange(int i) const {
        if (i < 0 || i >= GetSize())
            return CRange(0, 0);
        return CRange(m_points[i].pos, m_points[i + 1].pos);
    }
    // The attribute of point i (section i); requires 0 <= i < point count.
    const T& GetColor(int i) const { return m_points[static_cast<uint32_t>(i)].color; }
    uint32_t GetPointCount() const { return m_points.GetSize(); }
    const Point& GetPoint(uint32_t i) const { return m_points[i]; }
    // Start of the first section and end of the last; (0, 0) when empty.
    CRange GetCovered() const {
        if (IsEmpty())
            return CRange(0, 0);
        return CRange(m_points[0].pos, m_points[m_points.GetSize() - 1].pos);
    }

    // The section containing pos; at the end position GetSize() (one past the last
    // section); -1 outside the covered stretch or when empty.
    int FindSectIndex(int pos) const {
        const int n = static_cast<int>(m_points.GetSize());
        if (n < 2)
            return -1;
        if (pos == m_points[n - 1].pos)
            return n - 1;
        const int f = Floor(pos);
        return f < GetSize() ? f : -1;
    }

    // Index of the point at pos, or of the first point beyond it, or the point count.
    int LowerBound(int pos) const {
        // Loading and typing work at the end of a stick: its last points are tried first.
        const uint32_t n = m_points.GetSize();
        for (uint32_t j = n; j > 0 && j + kTailPoints > n; --j) {
            if (m_points[j - 1].pos < pos)
                return static_cast<int>(j);
        }
        return static_cast<int>(EBU_LowerBound(pos, m_points, PointPos()));
    }
    // -1 when pos lies outside [first point, last point]; else the point at pos or the last
    // point before it.
    int Floor(int pos) const {
        const int n = static_cast<int>(m_points.GetSize());
        if (n == 0 || pos < m_points[0].pos || pos > m_points[n - 1].pos)
            return -1;
        const int lb = LowerBound(pos);
        return (lb < n && m_points[lb].pos == pos) ? lb : lb - 1;
    }
    // The section an insertion at pos lengthens: inside a section that section, at a
    // boundary the section to its left, at the first point section 0, at the end the last
    // section; -1 outside the covered stretch.
    int FindExtendedSection(int pos) const {
        const int f = Floor(pos);
        if (f < 0)
            return -1;
        const int n = static_cast<int>(m_points.GetSize());
        if (f == n - 1)
            return n - 2;
        if (pos > m_points[f].pos)
            return f;
        return f > 0 ? f - 1 : 0;
    }

    // Sets c over range (nothing for an empty range, or one that ends before the first
    // point: no section there to split).
    void AssignColor(const CRange& range, const T& c) {
        if (range.IsEmpty())
            return;
        const uint32_t n = m_points.GetSize();
        const uint32_t i1 = static_cast<uint32_t>(LowerBound(range.home));
        const uint32_t i2 = static_cast<uint32_t>(LowerBound(range.end));
        const bool split = i2 < n && m_points[i2].pos != range.end;
        if (split && i2 == 0)
            return;
        T tail = split ? m_points[i2 - 1].color : T();
        if (i2 > i1)
            m_points.RemoveAt(i1, i2 - i1);
        m_points.InsertAt(i1, Point{range.home, c});
        if (split) {
            m_points.InsertAt(i1 + 1, Point{range.end, tail});
        } else if (i1 + 1 == m_points.GetSize()) {
            m_points.Add(Point{range.end, c});
        }
        CombineCompatible(static_cast<int>(i1));
        ZARNI_ASSERT_VALID(*this);
    }

    // Lengthens the section an insertion at pos falls into by len and moves every later
    // point by len. Nothing outside the covered stretch.
    void Extend(int pos, int len) {
        if (len <= 0)
            return;
        const int k = FindExtendedSection(pos);
        if (k < 0 || k >= GetSize())
            return;
        ShiftPoints(static_cast<uint32_t>(k + 1), len);
        ZARNI_ASSERT_VALID(*this);
    }

    // Opens a gap of len at pos and gives it c.
    void Embed(int pos, int len, const T& c) {
        if (len <= 0)
            return;
        ShiftPoints(static_cast<uint32_t>(LowerBound(pos)), len);
        AssignColor(CRange(pos, pos + len), c);
    }

    // Removes the positions pos .. pos + len - 1; nothing when the cut ends beyond the last
    // point or at or before the first one.
    void Cut(int pos, int len) {
        if (len <= 0)
            return;
        const int e = pos + len;
        uint32_t i = static_cast<uint32_t>(LowerBound(e));
        if (i == m_points.GetSize() || i == 0)
            return;
        if (m_points[i].pos != e)
            m_points.InsertAt(i, Point{e, m_points[i - 1].color});
        // Points inside the cut fall onto its start and are removed.
        const int q = m_points[i].pos - len;
        uint32_t k = 0;
        while (k < i && m_points[i - k - 1].pos >= q)
            ++k;
        if (k)
            m_points.RemoveAt(i - k, k);
        ShiftPoints(i - k, -len);
        if (m_points.GetSize() < 2) {
            m_points.RemoveAll();
            return;
        }
        const int s = FindSectIndex(pos);
        if (s >= 0)
            CombineCompatible(s);
        ZARNI_ASSERT_VALID(*this);
    }

    // Merges section i with neighbours of equal attribute.
    void CombineCompatible(int i) {
        const int n = static_cast<int>(m_points.GetSize());
        if (n < 2 || i < 0 || i >= n - 1)
            return;
        if (i + 1 < n - 1 && m_points[i].color == m_points[i + 1].color) {
            m_points.RemoveAt(static_cast<uint32_t>(i + 1), 1);
        }
        if (i > 0 && m_points[i].color == m_points[i - 1].color) {
            m_points.RemoveAt(static_cast<uint32_t>(i), 1);
        }
    }

    void Clear() { m_points.RemoveAll(); }

    // Aborts unless the stick has 0 or >= 2 points with strictly increasing positions.
    void AssertValid() const {
        m_points.AssertValid();
        const uint32_t n = m_points.GetSize();
        ZARNI_CHECK(n != 1, "TColorStick: a single point");
        for (uint32_t i = 1; i < n; ++i)
            ZARNI_CHECK(m_points[i - 1].pos < m_points[i].pos,
                        "TColorStick: point %u of %u out of order", i, n);
    }

private:
    static constexpr uint32_t kTailPoints = 3;
    struct PointPos {
        int32_t operator()(const Point& p) const { return p.pos; }
    };

    void ShiftPoints(uint32_t from, int delta) {
        for (uint32_t i = from; i < m_points.GetSize(); ++i)
            m_points[i].pos += delta;
    }

    CZarniArray<Point> m_points;
};
