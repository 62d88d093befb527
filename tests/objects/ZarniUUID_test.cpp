// ZarniUUID values, order, byte form and the text and content constructors.
#include <gtest/gtest.h>

#include <cstring>
#include <initializer_list>

#include "objects/ZarniUUID.h"

TEST(ZarniUUID, HalvesAndNull) {
    const ZarniUUID id(int64_t{-10012002}, int64_t{0xab342238});
    EXPECT_EQ(id, ZarniUUID(0xff673a9eu, 0xFFFFFFFFu, 0xab342238u, 0u));
    EXPECT_EQ(id.First(), -10012002);
    EXPECT_EQ(id.Second(), 0xab342238);
    EXPECT_FALSE(id.IsNull());
    EXPECT_TRUE(ZarniUUID().IsNull());
    EXPECT_FALSE(ZarniUUID(0xFFFFFFFFu, 0xFFFFFFFFu, 0xFFFFFFFFu, 0xFFFFFFFEu).IsNull());
}

// Ordered by the signed first half (word 1 high, word 0 low), then the signed second half.
TEST(ZarniUUID, OrderBySignedHalves) {
    const ZarniUUID ascending[] = {
        ZarniUUID(0u, 0xFFFFFFFFu, 0u, 0u),  // first half negative
        ZarniUUID(),                         // null is -1, -1
        ZarniUUID(0u, 0u, 0u, 0u),
        ZarniUUID(5u, 0u, 0u, 0x80000000u),  // second half negative
        ZarniUUID(5u, 0u, 0u, 0u),
        ZarniUUID(5u, 0u, 1u, 0u),
        ZarniUUID(5u, 0u, 2u, 0u),
        ZarniUUID(0u, 1u, 0u, 0u),
    };
    for (size_t i = 0; i < std::size(ascending); ++i) {
        for (size_t j = 0; j < std::size(ascending); ++j) {
            EXPECT_EQ(ascending[i] < ascending[j], i < j) << i << " < " << j;
            EXPECT_EQ(ascending[i] == ascending[j], i == j) << i << " == " << j;
        }
    }
}

TEST(ZarniUUID, FromTextIgnoresDashesAndNeeds32Digits) {
    const ZarniUUID id(0x1b77fa04u, 0x2791419cu, 0x8eac2075u, 0x8aa3e948u);
    for (const char* text :
         {"1b77fa04-2791-419c-8eac-20758aa3e948", "1b77fa042791419c8eac20758aa3e948",
          "-1b-77fa0427914-19c8eac20758aa3e9--48-", "1B77FA042791419C8EAC20758AA3E948"})
        EXPECT_EQ(UuidFromText(text), id) << text;
    for (const char* text : std::initializer_list<const char*>{
             "1b77fa042791419c8eac20758aa3e94", "1b77fa042791419c8eac20758aa3e9480",
             "1b77fa04-2791-419c-8eac-20758aa3e9480", "", "--------", nullptr})
        EXPECT_TRUE(UuidFromText(text).IsNull()) << (text ? text : "null");

    // A group not starting with a hex digit is 0; otherwise it stops at the first non-digit.
    EXPECT_EQ(UuidFromText("zzzzzzzz12zz5678 1234567abcdefgh"),
              ZarniUUID(0u, 0x12u, 0u, 0xabcdefu));
    EXPECT_EQ(UuidFromText("0x123456ffffffff00000000g0000000"), ZarniUUID(0u, 0xffffffffu, 0u, 0u));
}
