// ZarniUUID values, order, byte form and the text and content constructors.
#include <gtest/gtest.h>

#include <cstring>
#include <map>

#include "objects/ZarniUUID.h"

TEST(ZarniUUID, HalvesAndNull) {
    const ZarniUUID id(int64_t{-10012002}, int64_t{0xab342238});
    EXPECT_EQ(id.words[0], 0xff673a9eu);
    EXPECT_EQ(id.words[1], 0xFFFFFFFFu);
    EXPECT_EQ(id.words[2], 0xab342238u);
    EXPECT_EQ(id.words[3], 0u);
    EXPECT_EQ(id.First(), -10012002);
    EXPECT_EQ(id.Second(), 0xab342238);
    EXPECT_FALSE(id.IsNull());

    const ZarniUUID null;
    EXPECT_TRUE(null.IsNull());
    EXPECT_EQ(null, ZarniUUID(-1, -1));
    EXPECT_FALSE(ZarniUUID(0xFFFFFFFFu, 0xFFFFFFFFu, 0xFFFFFFFFu, 0xFFFFFFFEu).IsNull());
}

TEST(ZarniUUID, OrderBySignedHalves) {
    const ZarniUUID zero(0u, 0u, 0u, 0u);
    const ZarniUUID negativeFirst(0u, 0xFFFFFFFFu, 0u, 0u);  // first half negative
    EXPECT_LT(negativeFirst, zero);
    EXPECT_FALSE(zero < negativeFirst);
    // Word 0 is the low half of the first half: it matters only when word 1 ties.
    EXPECT_LT(ZarniUUID(1u, 0u, 0u, 0u), ZarniUUID(0u, 1u, 0u, 0u));
    // Equal first halves fall to the signed second half.
    EXPECT_LT(ZarniUUID(5u, 0u, 0u, 0x80000000u), ZarniUUID(5u, 0u, 0u, 0u));
    EXPECT_LT(ZarniUUID(5u, 0u, 1u, 0u), ZarniUUID(5u, 0u, 2u, 0u));
    EXPECT_FALSE(zero < zero);
    EXPECT_NE(zero, negativeFirst);

    std::map<ZarniUUID, int> byId;
    byId[zero] = 1;
    byId[negativeFirst] = 2;
    byId[ZarniUUID()] = 3;  // null is -1, -1: between negativeFirst and zero
    byId[ZarniUUID(0u, 0u, 0u, 0u)] = 4;
    ASSERT_EQ(byId.size(), 3u);
    auto it = byId.begin();
    EXPECT_EQ(it->second, 2);
    EXPECT_EQ((++it)->second, 3);
    EXPECT_EQ((++it)->second, 4);
}

TEST(ZarniUUID, ByteFormIsLittleEndianWords) {
    const ZarniUUID id(0x04030201u, 0x08070605u, 0x0c0b0a09u, 0x100f0e0du);
    uint8_t bytes[16];
    id.ToBytes(bytes);
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(bytes[i], i + 1) << "byte " << i;
    EXPECT_EQ(ZarniUUID::FromBytes(bytes), id);
    // The in-memory form is the same 16 bytes on this little-endian target.
    EXPECT_EQ(memcmp(&id, bytes, 16), 0);
}

TEST(ZarniUUID, FromTextIgnoresDashes) {
    const ZarniUUID id = UuidFromText("1b77fa04-2791-419c-8eac-20758aa3e948");
    EXPECT_EQ(id, ZarniUUID(0x1b77fa04u, 0x2791419cu, 0x8eac2075u, 0x8aa3e948u));
    EXPECT_EQ(UuidFromText("1b77fa042791419c8eac20758aa3e948"), id);
    EXPECT_EQ(UuidFromText("-1b-77fa0427914-19c8eac20758aa3e9--48-"), id);
    EXPECT_EQ(UuidFromText("1B77FA042791419C8EAC20758AA3E948"), id);

    EXPECT_TRUE(UuidFromText("1b77fa042791419c8eac20758aa3e94").IsNull());    // 31
    EXPECT_TRUE(UuidFromText("1b77fa042791419c8eac20758aa3e9480").IsNull());  // 33
    EXPECT_TRUE(UuidFromText("1b77fa04-2791-419c-8eac-20758aa3e9480").IsNull());
    EXPECT_TRUE(UuidFromText("").IsNull());
    EXPECT_TRUE(UuidFromText("--------").IsNull());
    EXPECT_TRUE(UuidFromText(nullptr).IsNull());
}

TEST(ZarniUUID, FromTextReadsHexPrefixOfEachGroup) {
    // A group not starting with a hex digit is 0; otherwise it stops at the first non-digit.
    EXPECT_EQ(UuidFromText("zzzzzzzz12zz5678 1234567abcdefgh"),
              ZarniUUID(0u, 0x12u, 0u, 0xabcdefu));
    EXPECT_EQ(UuidFromText("0x123456ffffffff00000000g0000000"), ZarniUUID(0u, 0xffffffffu, 0u, 0u));
}

TEST(ZarniUUID, FromBytesIsMd5Digest) {
    // md5("") = d41d8cd9 8f00b204 e9800998 ecf8427e, each word read little-endian.
    const ZarniUUID empty(0xd98c1dd4u, 0x04b2008fu, 0x980980e9u, 0x7e42f8ecu);
    EXPECT_EQ(UuidFromBytes("", 0), empty);
    EXPECT_EQ(UuidFromBytes(nullptr, 0), empty);
    EXPECT_EQ(UuidFromBytes(nullptr, 7), empty);
    // md5("abc") = 90015098 3cd24fb0 d6963f7d 28e17f72.
    EXPECT_EQ(UuidFromBytes("abc", 3),
              ZarniUUID(0x98500190u, 0xb04fd23cu, 0x7d3f96d6u, 0x727fe128u));
    EXPECT_NE(UuidFromBytes("abc", 3), UuidFromBytes("abd", 3));
}
