// CRange: emptiness, intersection, union and cutting.
#include <gtest/gtest.h>

#include "core/Range.h"

TEST(Range, EmptinessLengthAndEquality) {
    EXPECT_TRUE(CRange(5, 5).IsEmpty());
    EXPECT_EQ(CRange(5, 5).Length(), 0);
    EXPECT_TRUE(CRange(7, 3).IsEmpty());  // inverted
    EXPECT_EQ(CRange(7, 3).Length(), 0);
    EXPECT_FALSE(CRange(3, 7).IsEmpty());
    EXPECT_EQ(CRange(3, 7).Length(), 4);
    EXPECT_EQ(CRange(7, 3), CRange(7, 3));
    EXPECT_NE(CRange(7, 3), CRange(3, 7));
    EXPECT_NE(CRange(3, 7), CRange(3, 8));
}

TEST(Range, IntersectAndUnionNeedARealOverlap) {
    const CRange untouched(-9, -9);
    CRange out = untouched;
    EXPECT_TRUE(CRange::Intersect(CRange(10, 30), CRange(20, 40), out));
    EXPECT_EQ(out, CRange(20, 30));
    EXPECT_TRUE(CRange::Intersect(CRange(20, 40), CRange(10, 30), out));  // either order
    EXPECT_EQ(out, CRange(20, 30));
    EXPECT_TRUE(CRange::Intersect(CRange(0, 100), CRange(40, 50), out));  // containment
    EXPECT_EQ(out, CRange(40, 50));

    out = untouched;
    EXPECT_FALSE(CRange::Intersect(CRange(0, 10), CRange(10, 20), out));  // touching
    EXPECT_FALSE(CRange::Intersect(CRange(10, 20), CRange(0, 10), out));
    EXPECT_FALSE(CRange::Intersect(CRange(15, 15), CRange(10, 20), out));  // empty operand
    EXPECT_FALSE(CRange::Intersect(CRange(10, 20), CRange(18, 12), out));  // inverted operand
    EXPECT_EQ(out, untouched);

    EXPECT_TRUE(CRange::Union(CRange(10, 30), CRange(20, 40), out));
    EXPECT_EQ(out, CRange(10, 40));
    EXPECT_TRUE(CRange::Union(CRange(40, 50), CRange(0, 100), out));
    EXPECT_EQ(out, CRange(0, 100));
    out = untouched;
    EXPECT_FALSE(CRange::Union(CRange(0, 10), CRange(10, 20), out));
    EXPECT_FALSE(CRange::Union(CRange(0, 10), CRange(5, 5), out));
    EXPECT_EQ(out, untouched);
}

TEST(Range, CutSplitsAroundTheCutter) {
    const CRange r(100, 200);
    CRange a, b;
    r.Cut(CRange(140, 160), a, b);
    EXPECT_EQ(a, CRange(100, 140));
    EXPECT_EQ(b, CRange(160, 200));
    r.Cut(CRange(140, 200), a, b);
    EXPECT_EQ(a, CRange(100, 140));
    EXPECT_TRUE(b.IsEmpty());
    r.Cut(CRange(100, 200), a, b);
    EXPECT_TRUE(a.IsEmpty());
    EXPECT_TRUE(b.IsEmpty());
    r.Cut(CRange(100, 160), a, b);
    EXPECT_TRUE(a.IsEmpty());
    EXPECT_EQ(b, CRange(160, 200));
    r.Cut(CRange(40, 260), a, b);
    EXPECT_EQ(a, CRange(100, 40));
    EXPECT_EQ(b, CRange(260, 200));

    // A disjoint cutter leaves the whole range on one side and nothing on the other.
    r.Cut(CRange(300, 400), a, b);
    EXPECT_EQ(a, r);
    EXPECT_TRUE(b.IsEmpty());
    r.Cut(CRange(0, 50), a, b);
    EXPECT_TRUE(a.IsEmpty());
    EXPECT_EQ(b, r);
}
