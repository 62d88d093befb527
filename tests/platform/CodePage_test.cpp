// The active code page: lead-byte tables and conversion to and from UTF-8.
#include <gtest/gtest.h>

#include "platform/base/CodePage.h"

namespace {
// Restores the default code page however a test ends.
struct CodePageGuard {
    ~CodePageGuard() { CCodePage::Set(CCodePage::kDefault); }
};
}  // namespace

TEST(CodePage, LeadBytesFollowTheChosenPage) {
    CodePageGuard guard;
    EXPECT_EQ(CCodePage::Get(), 936u);
    // The edges of the lead ranges; in 932, A1-DF are half-width katakana (single bytes).
    const struct {
        UINT page;
        BYTE b;
        bool lead;
    } cases[] = {{936, 'A', false},  {936, 0x80, false}, {936, 0x81, true},  {936, 0xFE, true},
                 {936, 0xFF, false}, {932, 0x9F, true},  {932, 0xA0, false}, {932, 0xDF, false},
                 {932, 0xE0, true},  {932, 0xFC, true},  {932, 0xFD, false}, {1252, 0x81, false},
                 {1252, 0xD6, false}};
    for (const auto& c : cases) {
        ASSERT_TRUE(CCodePage::Set(c.page));
        EXPECT_EQ(CCodePage::IsLeadByte(c.b), c.lead) << c.page << " " << int(c.b);
    }
    // Unsupported pages are refused and leave the active one alone.
    EXPECT_FALSE(CCodePage::Set(65001));
    EXPECT_FALSE(CCodePage::Set(12345));
    EXPECT_EQ(CCodePage::Get(), 1252u);
}

TEST(CodePage, ConvertsBothWaysWithRealEncodings) {
    CodePageGuard guard;
    EXPECT_EQ(CCodePage::ToUtf8("\xD6\xD0\xCE\xC4 ok"), "中文 ok");
    EXPECT_EQ(CCodePage::FromUtf8("中文 ok"), "\xD6\xD0\xCE\xC4 ok");
    ASSERT_TRUE(CCodePage::Set(950));
    EXPECT_EQ(CCodePage::FromUtf8("中文"), "\xA4\xA4\xA4\xE5");
    ASSERT_TRUE(CCodePage::Set(932));
    EXPECT_EQ(CCodePage::ToUtf8("\x93\xFA\x96\x7B"), "日本");
    ASSERT_TRUE(CCodePage::Set(1252));
    EXPECT_EQ(CCodePage::ToUtf8("caf\xE9"), "café");
    EXPECT_EQ(CCodePage::FromUtf8("café"), "caf\xE9");
}

TEST(CodePage, UnconvertibleAndInvalidInputBecomesQuestionMarks) {
    CodePageGuard guard;
    // An emoji has no GBK form; a stray continuation byte is invalid UTF-8; a sequence is
    // cut off at the end.
    EXPECT_EQ(CCodePage::FromUtf8("a\xF0\x9F\x98\x80"
                                  "b"),
              "a?b");
    EXPECT_EQ(CCodePage::FromUtf8("a\x80"
                                  "b"),
              "a?b");
    EXPECT_EQ(CCodePage::FromUtf8(std::string("a\xE4\xB8", 3)), "a?");
    // An undecodable pair is one character; a lead byte at the very end has no trail; reads stay
    // within the given length.
    EXPECT_EQ(CCodePage::ToUtf8("a\xA1\x40"
                                "b"),
              "a?b");
    EXPECT_EQ(CCodePage::ToUtf8(std::string("ab\xD6", 3)), "ab?");
    EXPECT_EQ(CCodePage::ToUtf8("\xD6\xD0\xCE\xC4", 3), "中?");
    EXPECT_EQ(CCodePage::ToUtf8(nullptr, 5), "");
    ASSERT_TRUE(CCodePage::Set(1252));
    EXPECT_EQ(CCodePage::FromUtf8("中"), "?");
}
