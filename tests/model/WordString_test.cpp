// CWordString: conversion from and to code-page text, slicing, search, splitting, edits.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "model/WordString.h"
#include "platform/base/CodePage.h"

namespace {

const char kZhong[] = "\xD6\xD0";  // "中" in CP936
const char kWen[] = "\xCE\xC4";    // "文" in CP936

CWordString Units(const std::vector<uint16_t>& units) {
    CWordString s;
    for (uint16_t u : units)
        s.InsertAt(s.GetSize(), u);
    return s;
}

std::vector<uint16_t> Contents(const CWordString& s) {
    return std::vector<uint16_t>(s.GetData(), s.GetData() + s.GetSize());
}

// Switches the active code page for one test and restores the default afterwards.
class CodePageScope {
public:
    explicit CodePageScope(UINT page) { EXPECT_TRUE(CCodePage::Set(page)); }
    ~CodePageScope() { CCodePage::Set(CCodePage::kDefault); }
};

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
    EXPECT_EQ(s.substr(0, s.GetSize()), s);
    EXPECT_EQ(s.right(s.GetSize()), s);
    s.InsertAt(s.GetSize() + 1, 'x');  // past the end: ignored
    EXPECT_EQ(s.GetSize(), 14u);

    const CWordString four(CString("abcd"));
    EXPECT_EQ(four.left(10).GetSize(), 0u);
    EXPECT_EQ(four.right(5).GetSize(), 0u);
    EXPECT_EQ(four.left(0).GetSize(), 0u);
    EXPECT_EQ(four.substr(2, 5).GetSize(), 0u);
    EXPECT_EQ(four.substr(4, 0).GetSize(), 0u);
    EXPECT_EQ(four.substr(4, 1).GetSize(), 0u);
    EXPECT_EQ(four.substr(1, 3).c_str(), "bcd");
    four.AssertValid();
}

TEST(WordString, DoubleByteCharacterIsOneUnit) {
    const CWordString zw(CString(std::string(kZhong) + kWen));
    EXPECT_EQ(Contents(zw), (std::vector<uint16_t>{0xD0D6, 0xC4CE}));  // lead byte low
    EXPECT_EQ(zw.c_str(), std::string(kZhong) + kWen);
    // The unit array keeps the bytes of the text in their order.
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(zw.GetData()), 4),
              std::string(kZhong) + kWen);

    const CWordString s(CString(std::string(kZhong) + kWen + kZhong + ","));
    EXPECT_EQ(s.GetSize(), 4u);
    EXPECT_EQ(s.find(','), 3);
    EXPECT_EQ(s.find(0xD0D6), 0);
    EXPECT_EQ(s.find(0xD0D6, 1), 2);
    EXPECT_EQ(s.find(0xD0D6, 3), -1);
    EXPECT_EQ(s.find(',', 4), -1);
    EXPECT_EQ(s.find(0xD6), -1);  // a lead byte alone is not the character
    EXPECT_EQ(s.substr(1, 2).c_str(), std::string(kWen) + kZhong);

    // A lead byte at the very end pairs with the terminating zero and does not read on.
    const CWordString cut(CString("a\xD6\xD0\xCE", 4));
    EXPECT_EQ(Contents(cut), (std::vector<uint16_t>{'a', 0xD0D6, 0x00CE}));
    EXPECT_EQ(cut.c_str(), "a\xD6\xD0\xCE");
}

TEST(WordString, ControlUnitsAndZeros) {
    const CWordString s = Units({'a', CO_UNIT, 'b', PARA_END_UNIT});
    EXPECT_EQ(s.c_str(),
              "a\x02"
              "b\r");
    EXPECT_EQ(Units({'a', 0, 'b'}).c_str(), "a");  // a unit 0 ends the text
    const CWordString zero(CString("a\0b", 3));
    EXPECT_EQ(Contents(zero), (std::vector<uint16_t>{'a', 0, 'b'}));
    // Upper-half bytes that are not lead bytes are sign-extended (0x80 is not a GBK lead).
    EXPECT_EQ(Contents(CWordString(CString("\x80"))), (std::vector<uint16_t>{0xFF80}));
}

TEST(WordString, SingleByteCodePageKeepsHighBytesSingle) {
    CodePageScope scope(1252);
    const CWordString s(CString("caf\xE9!"));
    EXPECT_EQ(Contents(s), (std::vector<uint16_t>{'c', 'a', 'f', 0xFFE9, '!'}));
    EXPECT_EQ(s.c_str(), "caf\xE9!");
    EXPECT_EQ(CWordString(CString("\xE9")).c_str(), "\xE9");
}

TEST(WordString, EqualityComparesUnits) {
    const CWordString a(CString("abc")), b = Units({'a', 'b', 'c'});
    EXPECT_EQ(a, b);
    EXPECT_NE(a, a.left(2));
    EXPECT_NE(a, Units({'a', 'b', 'd'}));
    EXPECT_EQ(CWordString(), CWordString(CString("")));
    CWordString c;
    c = CString("x");
    c = CString("abc");  // assignment replaces the old text
    EXPECT_EQ(c, a);
}

TEST(WordString, DivideDropsEmptyPieces) {
    const std::string w1 = std::string(kZhong) + kWen + kZhong,
                      w2 = std::string(kWen) + kWen + kZhong;
    CZarniArray<CWordString> pieces;
    CWordString(CString(w1 + "," + w2 + ",abc,de,f")).Divide(',', pieces);
    ASSERT_EQ(pieces.GetSize(), 5u);
    const std::vector<std::string> expected = {w1, w2, "abc", "de", "f"};
    for (uint32_t i = 0; i < 5; ++i)
        EXPECT_EQ(pieces[i].c_str(), expected[i]) << i;

    CZarniArray<CWordString> two;
    CWordString(CString(",ab,,cd,")).Divide(',', two);
    ASSERT_EQ(two.GetSize(), 2u);
    EXPECT_EQ(two[0].c_str(), "ab");
    EXPECT_EQ(two[1].c_str(), "cd");
    CZarniArray<CWordString> none;
    CWordString(CString(",,")).Divide(',', none);
    EXPECT_EQ(none.GetSize(), 0u);

    CZarniArray<CWordString> copy(pieces);  // an array of strings copies its strings
    pieces.RemoveAt(0, 4);
    EXPECT_EQ(copy[4].c_str(), "f");
    EXPECT_EQ(copy[0].c_str(), w1);
    copy.AssertValid();
}

TEST(WordString, RandomEditsMatchVector) {
    const uint32_t seed = std::random_device()();
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
