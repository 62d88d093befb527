// CWordString: conversion from and to code-page text, slicing, search, splitting, edits.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "model/WordString.h"
#include "platform/base/CodePage.h"
#include "support/RandomRuns.h"

namespace {

const std::string kZhong = "\xD6\xD0";  // "中" in CP936
const std::string kWen = "\xCE\xC4";    // "文" in CP936

std::vector<uint16_t> Contents(const CWordString& s) {
    return std::vector<uint16_t>(s.GetData(), s.GetData() + s.GetSize());
}

std::vector<uint16_t> UnitsOf(const std::string& text) {
    return Contents(CWordString(CString(text)));
}

}  // namespace

TEST(WordString, AppendInsertRemoveAndSlices) {
    CWordString s;
    s.InsertAt(0, CWordString(CString("this ")));
    s.InsertAt(s.GetSize(), CWordString(CString("is a test")));
    s.InsertAt(s.GetSize(), '!');
    EXPECT_EQ(s.c_str(), "this is a test!");
    s.RemoveAt(s.GetSize() - 1, 1);
    EXPECT_EQ(s.c_str(), "this is a test");
    EXPECT_EQ(s.left(4).c_str(), "this");
    EXPECT_EQ(s.right(4).c_str(), "test");
    EXPECT_EQ(s.substr(5, 2).c_str(), "is");
    EXPECT_NE(s, s.left(13));
    CWordString c(CString("x"));
    c = CString("abc");  // assignment replaces the old text
    EXPECT_EQ(c, CWordString(CString("abc")));

    // Slices that do not fit wholly are empty.
    const CWordString four(CString("abcd"));
    for (const CWordString& empty : {four.left(10), four.right(5), four.left(0), four.substr(2, 5),
                                     four.substr(4, 0), four.substr(4, 1)})
        EXPECT_EQ(empty.GetSize(), 0u);
    EXPECT_EQ(four.substr(1, 3).c_str(), "bcd");
}

TEST(WordString, DoubleByteCharacterIsOneUnit) {
    // Lead byte low: the unit array keeps the bytes of the text in their order.
    const CWordString zw(CString(kZhong + kWen));
    EXPECT_EQ(Contents(zw), (std::vector<uint16_t>{0xD0D6, 0xC4CE}));
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(zw.GetData()), 4), kZhong + kWen);

    const CWordString s(CString(kZhong + kWen + kZhong + ","));
    EXPECT_EQ(s.GetSize(), 4u);
    EXPECT_EQ(s.find(','), 3);
    EXPECT_EQ(s.find(0xD0D6, 1), 2);
    EXPECT_EQ(s.find(0xD0D6, 3), -1);
    EXPECT_EQ(s.find(0xD6), -1);  // a lead byte alone is not the character
    EXPECT_EQ(s.substr(1, 2).c_str(), kWen + kZhong);

    // A lead byte at the very end pairs with the terminating zero and does not read on.
    EXPECT_EQ(UnitsOf(std::string("a\xD6\xD0\xCE", 4)), (std::vector<uint16_t>{'a', 0xD0D6, 0xCE}));
    EXPECT_EQ(CWordString(CString("a\xD6\xD0\xCE")).c_str(), "a\xD6\xD0\xCE");
}

TEST(WordString, ControlUnitsZerosAndHighSingleBytes) {
    CWordString s;
    for (uint16_t u : {uint16_t('a'), CO_UNIT, uint16_t(0), PARA_END_UNIT})
        s.InsertAt(s.GetSize(), u);
    EXPECT_EQ(s.c_str(), "a\x02");  // a unit 0 ends the text
    s.RemoveAt(2);
    EXPECT_EQ(s.c_str(), "a\x02\r");
    EXPECT_EQ(UnitsOf(std::string("a\0b", 3)), (std::vector<uint16_t>{'a', 0, 'b'}));
    // Upper-half bytes that are not lead bytes are sign-extended (0x80 is not a GBK lead).
    EXPECT_EQ(UnitsOf("\x80"), (std::vector<uint16_t>{0xFF80}));

    ASSERT_TRUE(CCodePage::Set(1252));
    EXPECT_EQ(UnitsOf("caf\xE9!"), (std::vector<uint16_t>{'c', 'a', 'f', 0xFFE9, '!'}));
    EXPECT_EQ(CWordString(CString("caf\xE9!")).c_str(), "caf\xE9!");
    CCodePage::Set(CCodePage::kDefault);
}

TEST(WordString, DivideDropsEmptyPieces) {
    const std::string w1 = kZhong + kWen + kZhong, w2 = kWen + kWen + kZhong;
    const struct {
        std::string text;
        std::vector<std::string> pieces;
    } cases[] = {{w1 + "," + w2 + ",abc,de,f", {w1, w2, "abc", "de", "f"}},
                 {",ab,,cd,", {"ab", "cd"}},
                 {",,", {}}};
    for (const auto& c : cases) {
        CZarniArray<CWordString> pieces;
        CWordString(CString(c.text)).Divide(',', pieces);
        std::vector<std::string> got;
        for (uint32_t i = 0; i < pieces.GetSize(); ++i)
            got.push_back(pieces[i].c_str().str());
        EXPECT_EQ(got, c.pieces) << c.text;
    }
}

TEST(WordString, RandomEditsMatchVector) {
    for (uint32_t seed = 1; seed <= RandomSeeds(1); ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        std::mt19937 rng(seed);
        CWordString s;
        std::vector<uint16_t> ref;
        for (int step = 0; step < 1500; ++step) {
            const uint32_t size = s.GetSize();
            const uint32_t at = static_cast<uint32_t>(rng() % (size + 2));
            switch (rng() % 4) {
                case 0: {
                    const uint16_t unit = static_cast<uint16_t>(rng());
                    s.InsertAt(at, unit);
                    if (at <= size)
                        ref.insert(ref.begin() + at, unit);
                    break;
                }
                case 1: {
                    // Any text of non-zero bytes converts back to itself.
                    std::string text;
                    for (uint32_t n = rng() % 6; n > 0; --n)
                        text += static_cast<char>(1 + rng() % 255);
                    const CWordString piece{CString(text)};
                    ASSERT_EQ(piece.c_str(), text);
                    s.InsertAt(at, piece);
                    if (at <= size)
                        ref.insert(ref.begin() + at, piece.GetData(),
                                   piece.GetData() + piece.GetSize());
                    break;
                }
                default: {
                    const uint32_t count = static_cast<uint32_t>(rng() % 5);
                    s.RemoveAt(at, count);
                    if (at < size && count > 0)
                        ref.erase(ref.begin() + at, ref.begin() + std::min(size, at + count));
                    break;
                }
            }
            s.AssertValid();
            ASSERT_EQ(Contents(s), ref) << "step " << step;
        }
    }
}
