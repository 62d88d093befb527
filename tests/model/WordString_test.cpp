// CWordString: conversion from and to code-page text, and splitting.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/WordString.h"
#include "platform/base/CodePage.h"

namespace {

const std::string kZhong = "\xD6\xD0";  // "中" in CP936
const std::string kWen = "\xCE\xC4";    // "文" in CP936

std::vector<uint16_t> UnitsOf(const std::string& text) {
    const CWordString s{CString(text)};
    return std::vector<uint16_t>(s.GetData(), s.GetData() + s.GetSize());
}

}  // namespace

TEST(WordString, EachCharacterIsOneUnitAndConvertsBack) {
    const struct {
        std::string text;
        std::vector<uint16_t> units;
    } cases[] = {
        // Lead byte low: the unit array keeps the bytes of the text in their order.
        {kZhong + kWen + ",", {0xD0D6, 0xC4CE, ','}},
        // Upper-half bytes that are not lead bytes are sign-extended (0x80 is no GBK lead).
        {"a\x80", {'a', 0xFF80}},
        // A lead byte at the very end pairs with the terminating zero and does not read on.
        {std::string("a\xD6\xD0\xCE", 4), {'a', 0xD0D6, 0xCE}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(UnitsOf(c.text), c.units) << c.text;
        EXPECT_EQ(CWordString(CString(c.text)).c_str(), c.text);
    }
    EXPECT_EQ(UnitsOf(std::string("a\0b", 3)), (std::vector<uint16_t>{'a', 0, 'b'}));
    CWordString s;
    for (uint16_t u : {uint16_t('a'), CO_UNIT, uint16_t(0), PARA_END_UNIT})
        s.InsertAt(s.GetSize(), u);
    EXPECT_EQ(s.c_str(), "a\x02");  // a unit 0 ends the text
    s = CString("xy");              // assignment replaces the old text
    EXPECT_EQ(s, CWordString(CString("xy")));

    ASSERT_TRUE(CCodePage::Set(1252));  // a page without lead bytes
    EXPECT_EQ(UnitsOf(kZhong), (std::vector<uint16_t>{0xFFD6, 0xFFD0}));
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
