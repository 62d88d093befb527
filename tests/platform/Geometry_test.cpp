// Geometry value classes.
#include <gtest/gtest.h>

#include "platform/base/Geometry.h"

TEST(Geometry, RectIntersectionAndUnion) {
    CRect a(0, 0, 10, 10), b(5, 5, 20, 20);
    CRect r;
    EXPECT_TRUE(r.IntersectRect(a, b));
    EXPECT_EQ(r, CRect(5, 5, 10, 10));
    EXPECT_FALSE(r.IntersectRect(a, CRect(10, 0, 20, 10)));  // touching edges do not overlap
    EXPECT_TRUE(r.IsRectNull());
    EXPECT_EQ(a | b, CRect(0, 0, 20, 20));
    EXPECT_EQ(a | CRect(), a);  // an empty operand is ignored
}
