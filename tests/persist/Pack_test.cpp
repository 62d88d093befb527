// Tests of CPack: encodings, consuming reads, short data, blocks, skips and random use.
#include "persist/Pack.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <random>
#include <string>
#include <vector>

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

std::string Text(long v) {
    return std::to_string(v);
}
std::string Text(const std::string& v) {
    return v;
}
std::string Text(const CString& v) {
    return v.str();
}
std::string Text(const ZarniUUID& v) {
    return IdBytes(v);
}

// Reads into a target that starts as the given sentinel and returns it as text.
template <typename T>
std::string ReadAsText(CPack& pack, T target) {
    pack >> target;
    return Text(target);
}

const ZarniUUID kId(int64_t(-10012002), int64_t(0xab342238));

}  // namespace

TEST(Pack, WriteThenReadLeavesThePackEmpty) {
    CPack pack;
    pack << 12 << std::string("test string") << kId << 21;
    EXPECT_EQ(pack.GetBuffer(), "0000000c0000000btest string" + IdBytes(kId) + "00000015");

    std::string peeked;
    EXPECT_EQ(pack.PeekBytes(peeked, 8), 8u);
    EXPECT_EQ(peeked, "0000000c");
    int first = 0;
    pack >> first;
    EXPECT_EQ(first, 12);
    EXPECT_EQ(pack.Remaining(), 43u);
    std::string text;
    pack >> text;
    EXPECT_EQ(text, "test string");
    EXPECT_EQ(pack.PeekBytes(peeked, 16), 16u);
    EXPECT_EQ(peeked, IdBytes(kId));
    ZarniUUID id;
    pack >> id;
    EXPECT_EQ(id, kId);
    unsigned long last = 0;
    pack >> last;
    EXPECT_EQ(last, 21ul);
    EXPECT_EQ(pack.GetLength(), 0u);
    EXPECT_TRUE(pack.AssertValid());
}

TEST(Pack, IntegersAreEightHexCharactersOfTheLow32Bits) {
    CPack pack;
    pack << -1 << long(0x100000005) << 0xFFFFFFFFul << INT32_MIN << 0xABCDu;
    EXPECT_EQ(pack.GetBuffer(), "ffffffff00000005ffffffff800000000000abcd");
    int i = 0;
    long l = 0;
    unsigned long ul = 0;
    pack >> i >> l;
    EXPECT_EQ(i, -1);
    EXPECT_EQ(l, 5);
    CPack wide = PackOf("ffffffffffffffff");
    wide >> l >> ul;
    EXPECT_EQ(l, -1);             // long takes the field as signed
    EXPECT_EQ(ul, 0xFFFFFFFFul);  // unsigned long does not sign-extend

    // Upper-case digits parse; parsing stops at the first non-hexadecimal character, but
    // the whole field is consumed.
    CPack parsed = PackOf("0000ABCD12zz0000" + std::string("7\0\0\0\0\0\0\0", 8));
    int a = 0, b = 0, c = 0;
    parsed >> a >> b >> c;
    EXPECT_EQ(a, 0xabcd);
    EXPECT_EQ(b, 0x12);
    EXPECT_EQ(c, 7);
    EXPECT_EQ(parsed.Remaining(), 0u);

    // A field not beginning with a digit is removed but leaves the target alone.
    CPack bad = PackOf(" 0000012-0000001");
    i = 99;
    EXPECT_EQ(bad.PeekInt(i), 8u);
    bad >> i;
    EXPECT_EQ(bad.Remaining(), 8u);
    bad >> i;
    EXPECT_EQ(i, 99);
    EXPECT_EQ(bad.Remaining(), 0u);
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
        EXPECT_EQ(pack.GetLength(), left);
        EXPECT_TRUE(pack.AssertValid());
    }
}

TEST(Pack, StringFieldIsReadOnlyWhenComplete) {
    CPack half = PackOf("00000064" + std::string(50, 'x'));
    std::string s = "before";
    half >> s;
    EXPECT_EQ(s, "before");
    EXPECT_EQ(half.GetLength(), 58u);
    EXPECT_EQ(half.PeekString(s), 0u);
    half.Attach(std::string(50, 'y').data(), 50);
    EXPECT_EQ(half.PeekString(s), 108u);
    EXPECT_EQ(half.GetLength(), 108u);
    half >> s;
    EXPECT_EQ(s, std::string(50, 'x') + std::string(50, 'y'));
    EXPECT_EQ(half.GetLength(), 0u);

    CPack empty;
    empty << std::string() << 5;
    EXPECT_EQ(empty.GetBuffer(), "0000000000000005");
    empty >> s;
    EXPECT_EQ(s, "");
    EXPECT_EQ(empty.Remaining(), 8u);

    // Huge or malformed lengths are refused without reading past the end.
    for (const char* length : {"ffffffff", "fffffff9", "00000009", "zz000001", "-0000001"}) {
        CPack huge = PackOf(std::string(length) + "abcdefgh");
        s = "kept";
        CString cs("kept");
        huge >> s >> cs;
        EXPECT_EQ(s, "kept") << length;
        EXPECT_EQ(cs, "kept") << length;
        EXPECT_EQ(huge.Remaining(), 16u) << length;
    }

    // Bytes go through unchanged, zeros and high bytes included; CString travels the same.
    const std::string binary("\0a\xff\0\x81\x40", 6);
    CPack pack;
    pack << binary << CString(binary);
    EXPECT_EQ(pack.GetBuffer(), "00000006" + binary + "00000006" + binary);
    CString text;
    pack >> s >> text;
    EXPECT_EQ(s, binary);
    EXPECT_EQ(text.str(), binary);
}

TEST(Pack, BlockLengthCountsItsOwnFieldAndDoesNotNest) {
    CPack pack;
    pack.BeginBlock();
    pack << 1;
    pack.BeginBlock();  // ignored: no second length field
    pack << std::string("abcd");
    pack.EndBlock();
    EXPECT_FALSE(pack.IsBlockOpen());
    EXPECT_EQ(pack.GetBuffer(), "0000001c0000000100000004abcd");
    pack.EndBlock();  // no block open: nothing changes
    EXPECT_EQ(pack.GetBuffer(), "0000001c0000000100000004abcd");

    CPack later;  // measured from its own field, not from the start of the buffer
    later << 3;
    later.BeginBlock();
    later.EndBlock();
    EXPECT_EQ(later.GetBuffer(), "0000000300000008");

    // Strings are not read while a block is open.
    CPack reading;
    reading << std::string("abc");
    reading.BeginBlock();
    std::string s = "none";
    reading >> s;
    EXPECT_EQ(s, "none");
    reading.EndBlock();
    reading >> s;
    EXPECT_EQ(s, "abc");

    // A read in front of an open block keeps the mark on its field; a read of the field
    // itself abandons the block.
    CPack mixed;
    mixed << 9;
    mixed.BeginBlock();
    mixed << 10;
    int v = 0;
    mixed >> v;
    mixed.EndBlock();
    EXPECT_EQ(mixed.GetBuffer(), "000000100000000a");
    CPack eaten;
    eaten.BeginBlock();
    eaten >> v;
    EXPECT_FALSE(eaten.IsBlockOpen());
    eaten << 1;
    eaten.EndBlock();
    EXPECT_EQ(eaten.GetBuffer(), "00000001");

    // Reset closes an open block without writing its length.
    eaten.BeginBlock();
    eaten.Reset();
    EXPECT_FALSE(eaten.IsBlockOpen());
    EXPECT_EQ(eaten.GetBuffer(), "0000000100000008");
}

TEST(Pack, SkippedBytesStayAndLaterReadsActBehindThem) {
    CPack pack;
    pack << 1 << 2 << 3 << 4;
    int v = 0;
    pack >> v;
    EXPECT_EQ(pack.Skip(8), 8u);
    EXPECT_EQ(pack.GetReadPosition(), 8u);
    pack >> v;
    EXPECT_EQ(v, 3);
    EXPECT_EQ(pack.GetBuffer(), "0000000200000004");
    EXPECT_EQ(pack.Skip(9), 0u);
    EXPECT_EQ(pack.GetReadPosition(), 8u);

    pack << 5;  // lands at the end, behind what is still unread
    pack >> v;
    EXPECT_EQ(v, 4);
    EXPECT_EQ(pack.GetBuffer(), "0000000200000005");

    // Reset goes back to the skipped bytes; Attach appends and does the same.
    pack.Reset();
    pack >> v;
    EXPECT_EQ(v, 2);
    EXPECT_EQ(pack.Skip(8), 8u);
    pack.Attach("00000006", 8);
    EXPECT_EQ(pack.GetReadPosition(), 0u);
    int w = 0;
    pack >> v >> w;
    EXPECT_EQ(v, 5);
    EXPECT_EQ(w, 6);
    EXPECT_EQ(pack.GetLength(), 0u);
}

TEST(Pack, RawBytesPeeksAndIdDrops) {
    CPack pack;
    pack << kId << 7;
    ZarniUUID id;
    EXPECT_EQ(pack.PeekUUID(id), 16u);
    EXPECT_EQ(id, kId);
    EXPECT_EQ(pack.DropUUID(), 16u);
    int v = 0;
    EXPECT_EQ(pack.PeekInt(v), 8u);
    EXPECT_EQ(v, 7);
    std::string bytes;
    EXPECT_EQ(pack.ReadBytes(bytes, 3), 3u);
    EXPECT_EQ(bytes, "000");
    EXPECT_EQ(pack.DropUUID(), 0u);
    id = ZarniUUID();
    EXPECT_EQ(pack.PeekUUID(id), 0u);
    EXPECT_TRUE(id.IsNull());
    EXPECT_EQ(pack.GetBuffer(), "00007");

    CPack none(nullptr, 10);  // null or empty input attaches nothing
    none.Attach("abc", 0);
    EXPECT_EQ(none.GetLength(), 0u);
}

// Random sequences of integers, strings and ids written, then read back in order.
TEST(Pack, RandomRoundTrip) {
    const uint32_t seed = std::random_device{}();
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::mt19937 rng(seed);
    for (int round = 0; round < 50; ++round) {
        std::vector<std::pair<int, std::string>> items;  // kind, value as written
        CPack pack;
        for (int n = rng() % 40; n > 0; --n) {
            const int kind = rng() % 3;
            std::string value(kind == 0 ? 4 : kind == 1 ? rng() % 30 : 16, '\0');
            for (char& ch : value)
                ch = static_cast<char>(rng());
            if (kind == 0) {
                int32_t number;
                memcpy(&number, value.data(), 4);
                pack << number;
            } else if (kind == 1) {
                pack << value;
            } else {
                pack << ZarniUUID::FromBytes(reinterpret_cast<const uint8_t*>(value.data()));
            }
            items.emplace_back(kind, value);
        }
        for (const auto& [kind, value] : items) {
            std::string read;
            if (kind == 0) {
                int32_t number = 0;
                pack >> number;
                read.assign(reinterpret_cast<const char*>(&number), 4);
            } else if (kind == 1) {
                pack >> read;
            } else {
                ZarniUUID id;
                pack >> id;
                read = IdBytes(id);
            }
            ASSERT_EQ(read, value) << "kind " << kind;
        }
        ASSERT_EQ(pack.GetLength(), 0u);
    }
}

// Random interleaved writes, reads, skips and resets against a plain string that really
// erases the bytes each read removes.
TEST(Pack, RandomOperationsMatchAnErasingModel) {
    const uint32_t seed = std::random_device{}();
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::mt19937 rng(seed);
    CPack pack;
    std::string model;
    size_t pos = 0;
    for (int step = 0; step < 5000; ++step) {
        const uint32_t remaining = model.size() - pos;
        const uint32_t n = rng() % 20;
        std::string got = "unset";
        switch (rng() % 7) {
            case 0: {
                const uint32_t v = rng();
                pack << v;
                model += Field(v);
                break;
            }
            case 1: {
                const std::string s(n, static_cast<char>('a' + n));
                pack << s;
                model += Field(n) + s;
                break;
            }
            case 2: {
                int v = 1234567;
                pack >> v;
                if (remaining >= 8) {
                    const std::string field = model.substr(pos, 8);
                    if (field.find_first_not_of("0123456789abcdef") == std::string::npos) {
                        ASSERT_EQ(Field(v), field);
                    }
                    model.erase(pos, 8);
                }
                break;
            }
            case 3:
                ASSERT_EQ(pack.ReadBytes(got, n), remaining >= n ? n : remaining);
                if (remaining >= n) {
                    ASSERT_EQ(got, model.substr(pos, n));
                    model.erase(pos, n);
                }
                break;
            case 4:
                ASSERT_EQ(pack.Skip(n), remaining >= n ? n : 0u);
                if (remaining >= n)
                    pos += n;
                break;
            case 5:
                if (const uint32_t total = pack.PeekString(got)) {
                    ASSERT_EQ(got, model.substr(pos + 8, total - 8));
                    pack >> got;
                    model.erase(pos, total);
                }
                break;
            default:
                if (n == 0) {
                    pack.Reset();
                    pos = 0;
                }
                break;
        }
        ASSERT_EQ(pack.GetLength(), model.size()) << "step " << step;
        ASSERT_EQ(pack.GetReadPosition(), pos) << "step " << step;
        ASSERT_TRUE(pack.AssertValid());
        if (step % 7 == 0) {
            ASSERT_EQ(pack.GetBuffer(), model) << "step " << step;
        }
    }
}
