// CRange: emptiness, intersection, union and cutting.
#include <gtest/gtest.h>

#include "core/Range.h"

TEST(Range, EmptinessAndLength) {
    EXPECT_TRUE(CRange(5, 5).IsEmpty());
    EXPECT_TRUE(CRange(7, 3).IsEmpty());  // inverted
    EXPECT_EQ(CRange(7, 3).Length(), 0);
    EXPECT_FALSE(CRange(3, 7).IsEmpty());
    EXPECT_EQ(CRange(3, 7).Length(), 4);
    EXPECT_NE(CRange(7, 3), CRange(3, 7));
    EXPECT_NE(CRange(3, 7), CRange(3, 8));
}

TEST(Range, IntersectAndUnionNeedARealOverlap) {
    // {a, b, their common part, their span}
    const CRange overlapping[][4] = {{{10, 30}, {20, 40}, {20, 30}, {10, 40}},
                                     {{20, 40}, {10, 30}, {20, 30}, {10, 40}},
                                     {{40, 50}, {0, 100}, {40, 50}, {0, 100}}};
    for (const auto& c : overlapping) {
        CRange common, span;
        EXPECT_TRUE(CRange::Intersect(c[0], c[1], common));
        EXPECT_TRUE(CRange::Union(c[0], c[1], span));
        EXPECT_EQ(common, c[2]);
        EXPECT_EQ(span, c[3]);
    }
    // Touching, empty or inverted operands: false, and the output is left alone.
    const CRange apart[][2] = {
        {{0, 10}, {10, 20}}, {{10, 20}, {0, 10}}, {{15, 15}, {10, 20}}, {{10, 20}, {18, 12}}};
    for (const auto& c : apart) {
        CRange out(-9, -9);
        EXPECT_FALSE(CRange::Intersect(c[0], c[1], out));
        EXPECT_FALSE(CRange::Union(c[0], c[1], out));
        EXPECT_EQ(out, CRange(-9, -9));
    }
}

TEST(Range, CutSplitsAroundTheCutter) {
    const CRange r(100, 200), none;
    // {cutter, part before, part after}, empty parts as none; a disjoint cutter leaves the
    // whole range on one side.
    const CRange cases[][3] = {
        {{140, 160}, {100, 140}, {160, 200}},
        {{140, 200}, {100, 140}, none},
        {{100, 160}, none, {160, 200}},
        {{40, 260}, none, none},
        {{300, 400}, r, none},
        {{0, 50}, none, r},
    };
    auto shown = [](const CRange& part) { return part.IsEmpty() ? CRange() : part; };
    for (const auto& c : cases) {
        CRange a, b;
        r.Cut(c[0], a, b);
        EXPECT_EQ(shown(a), c[1]) << c[0].home << "-" << c[0].end;
        EXPECT_EQ(shown(b), c[2]) << c[0].home << "-" << c[0].end;
    }
}
