// CPack: encodings, consuming reads, short data, blocks, skips and random use.
#include "persist/Pack.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <random>
#include <string>
#include <type_traits>
#include <vector>

#include "support/RandomRuns.h"

namespace {

std::string IdBytes(const ZarniUUID& id) {
    uint8_t bytes[16];
    id.ToBytes(bytes);
    return std::string(reinterpret_cast<const char*>(bytes), 16);
}

CPack PackOf(const std::string& bytes) {
    return CPack(bytes.data(), bytes.size());
}

std::string Field(uint32_t value) {
    char text[9];
    snprintf(text, sizeof text, "%08x", value);
    return text;
}

// Reads into a target that starts as the given sentinel and returns it as text.
template <typename T>
std::string ReadAsText(CPack& pack, T target) {
    pack >> target;
    if constexpr (std::is_same_v<T, ZarniUUID>)
        return IdBytes(target);
    else if constexpr (std::is_same_v<T, CString>)
        return target.str();
    else if constexpr (std::is_same_v<T, std::string>)
        return target;
    else
        return std::to_string(target);
}

const ZarniUUID kId(int64_t(-10012002), int64_t(0xab342238));

}  // namespace

// Round trips of every type are in the truncation test below; this one pins the bytes.
TEST(Pack, EncodingsAndPeeks) {
    // Integers are 8 hex digits of their low 32 bits; bytes of strings travel unchanged.
    const std::string binary("\0a\xff\0\x81\x40", 6);
    CPack pack;
    pack << std::string("test") << kId << long(0x100000005) << INT32_MIN << 0xABCDu
         << CString(binary);
    EXPECT_EQ(pack.GetBuffer(),
              "00000004test" + IdBytes(kId) + "00000005800000000000abcd00000006" + binary);
    std::string peeked;
    EXPECT_EQ(pack.PeekBytes(peeked, 8), 8u);
    EXPECT_EQ(peeked, "00000004");
    EXPECT_EQ(ReadAsText(pack, std::string()), "test");
    ZarniUUID id;
    EXPECT_EQ(pack.PeekUUID(id), 16u);
    EXPECT_EQ(id, kId);
    EXPECT_EQ(pack.DropUUID(), 16u);
    int peekedInt = 0;
    EXPECT_EQ(pack.PeekInt(peekedInt), 8u);
    EXPECT_EQ(peekedInt, 5);
    EXPECT_EQ(ReadAsText(pack, 0l), "5");
    EXPECT_EQ(ReadAsText(pack, 0), std::to_string(INT32_MIN));
    EXPECT_EQ(ReadAsText(pack, 0u), std::to_string(0xABCD));
    EXPECT_EQ(ReadAsText(pack, CString()), binary);
    EXPECT_EQ(pack.GetLength(), 0u);
}

TEST(Pack, IntegerFieldsParseTheirLeadingHexDigits) {
    CPack wide = PackOf("ffffffffffffffff");
    EXPECT_EQ(ReadAsText(wide, 0l), "-1");           // long takes the field as signed
    EXPECT_EQ(ReadAsText(wide, 0ul), "4294967295");  // unsigned long does not sign-extend
    // Upper-case digits parse; parsing stops at the first non-hexadecimal character, but
    // the whole field is consumed. A field not beginning with a digit is removed too but
    // leaves the target alone.
    CPack parsed = PackOf("0000ABCD12zz0000" + std::string("7\0\0\0\0\0\0\0", 8) + " 0000012");
    int kept = 99;
    EXPECT_EQ(ReadAsText(parsed, 0), std::to_string(0xabcd));
    EXPECT_EQ(ReadAsText(parsed, 0), std::to_string(0x12));
    EXPECT_EQ(ReadAsText(parsed, 0), "7");
    EXPECT_EQ(parsed.PeekInt(kept), 8u);
    EXPECT_EQ(kept, 99);
    EXPECT_EQ(ReadAsText(parsed, 99), "99");
    EXPECT_EQ(parsed.Remaining(), 0u);
}

// A pack cut at any offset reads its complete fields; the first incomplete read changes
// neither its target nor the pack.
TEST(Pack, TruncationAtEveryOffsetChangesNothing) {
    CPack writer;
    writer << 12 << std::string("str\0ing", 7) << kId << -3 << std::string() << 0xFEEDul;
    const std::string full = writer.GetBuffer();
    // Each read starts from a sentinel and reports the target as text.
    const std::vector<std::function<std::string(CPack&)>> reads = {
        [](CPack& p) { return ReadAsText(p, -7); },
        [](CPack& p) { return ReadAsText(p, std::string("unset")); },
        [](CPack& p) { return ReadAsText(p, ZarniUUID()); },
        [](CPack& p) { return ReadAsText(p, -7); },
        [](CPack& p) { return ReadAsText(p, CString("unset")); },
        [](CPack& p) { return ReadAsText(p, 77ul); }};
    const std::vector<std::string> values = {
        "12", std::string("str\0ing", 7), IdBytes(kId), "-3", "", "65261"};
    const std::vector<std::string> unset = {"-7", "unset", IdBytes(ZarniUUID()),
                                            "-7", "unset", "77"};
    const uint32_t ends[] = {8, 23, 39, 47, 55, 63};
    ASSERT_EQ(full.size(), 63u);

    for (uint32_t cut = 0; cut <= full.size(); ++cut) {
        SCOPED_TRACE("cut at " + std::to_string(cut));
        CPack pack(full.data(), cut);
        uint32_t consumed = 0;
        for (size_t k = 0; k < reads.size(); ++k) {
            if (cut >= ends[k]) {
                EXPECT_EQ(reads[k](pack), values[k]);
                consumed = ends[k];
                continue;
            }
            EXPECT_EQ(reads[k](pack), unset[k]);
            EXPECT_EQ(pack.GetBuffer(), full.substr(consumed, cut - consumed));
            break;
        }
        // The other short-data forms say so and change nothing either.
        const uint32_t left = cut - consumed;
        std::string bytes = "keep";
        EXPECT_EQ(pack.ReadBytes(bytes, left + 1), left);
        EXPECT_EQ(pack.PeekBytes(bytes, left + 1), 0u);
        EXPECT_EQ(bytes, "keep");
        EXPECT_EQ(pack.Skip(left + 1), 0u);
        EXPECT_EQ(pack.DropUUID(), 0u);  // fewer than 16 bytes are ever left here
        EXPECT_EQ(pack.GetLength(), left);
    }
}

TEST(Pack, BlockLengthCountsItsOwnFieldAndDoesNotNest) {
    CPack pack;
    pack << 3;
    pack.BeginBlock();  // measured from its own field, not from the start of the buffer
    pack << std::string("abcd");
    pack.BeginBlock();  // ignored: no second length field
    pack.EndBlock();
    pack.EndBlock();  // no block open: nothing changes
    EXPECT_EQ(pack.GetBuffer(), "00000003" + Field(20) + "00000004abcd");

    CPack reading;  // strings are not read while a block is open
    reading << std::string("abc");
    reading.BeginBlock();
    EXPECT_EQ(ReadAsText(reading, std::string("none")), "none");

    // A read in front of an open block keeps the mark on its field; a read of the field
    // itself abandons the block; Reset closes one without writing its length (the
    // placeholder holds the field's own offset).
    CPack mixed;
    mixed << 9;
    mixed.BeginBlock();
    mixed << 10;
    EXPECT_EQ(ReadAsText(mixed, 0), "9");
    mixed.EndBlock();
    EXPECT_EQ(mixed.GetBuffer(), "000000100000000a");
    ReadAsText(mixed, 0);
    ReadAsText(mixed, 0);  // empty again
    mixed.BeginBlock();
    ReadAsText(mixed, 0);
    EXPECT_FALSE(mixed.IsBlockOpen());
    mixed << 1;
    mixed.BeginBlock();
    mixed.Reset();
    EXPECT_FALSE(mixed.IsBlockOpen());
    EXPECT_EQ(mixed.GetBuffer(), "0000000100000008");
}

// Random interleaved writes of strings of any bytes, reads, skips and resets, against a
// plain string that really erases the bytes each read removes.
TEST(Pack, RandomOperationsMatchAnErasingModel) {
    for (uint32_t seed = 1; seed <= RandomSeeds(2); ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        std::mt19937 rng(seed);
        CPack pack;
        std::string model;
        size_t pos = 0;
        for (int step = 0; step < 4000; ++step) {
            const uint32_t remaining = model.size() - pos, n = rng() % 20;
            std::string got, bytes(n, '\0');
            for (char& ch : bytes)
                ch = static_cast<char>(rng());
            switch (rng() % 4) {
                case 0:
                    pack << bytes;
                    model += Field(n) + bytes;
                    break;
                case 1:
                    ASSERT_EQ(pack.ReadBytes(got, n), std::min(n, remaining));
                    if (remaining >= n) {
                        ASSERT_EQ(got, model.substr(pos, n));
                        model.erase(pos, n);
                    }
                    break;
                case 2:
                    ASSERT_EQ(pack.Skip(n), remaining >= n ? n : 0u);
                    pos += remaining >= n ? n : 0;
                    break;
                default:
                    if (n < 3) {
                        pack.Reset();
                        pos = 0;
                    }
                    break;
            }
            ASSERT_EQ(pack.GetLength(), model.size()) << "step " << step;
            ASSERT_EQ(pack.GetReadPosition(), pos) << "step " << step;
            ASSERT_TRUE(pack.AssertValid()) << "step " << step;
            if (step % 7 == 0) {
                ASSERT_EQ(pack.GetBuffer(), model) << "step " << step;
            }
        }
    }
}
