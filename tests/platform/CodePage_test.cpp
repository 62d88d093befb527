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
    EXPECT_TRUE(CCodePage::IsLeadByte(0x81));
    EXPECT_TRUE(CCodePage::IsLeadByte(0xFE));
    EXPECT_FALSE(CCodePage::IsLeadByte(0x80));
    EXPECT_FALSE(CCodePage::IsLeadByte(0xFF));
    EXPECT_FALSE(CCodePage::IsLeadByte('A'));

    ASSERT_TRUE(CCodePage::Set(932));
    EXPECT_TRUE(CCodePage::IsLeadByte(0x9F));
    EXPECT_FALSE(CCodePage::IsLeadByte(0xA0));  // half-width katakana are single bytes
    EXPECT_TRUE(CCodePage::IsLeadByte(0xE0));

    ASSERT_TRUE(CCodePage::Set(1252));
    for (int b = 0; b < 256; ++b)
        EXPECT_FALSE(CCodePage::IsLeadByte(static_cast<BYTE>(b)));

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
    // An emoji has no GBK form; a stray continuation byte is invalid UTF-8.
    EXPECT_EQ(CCodePage::FromUtf8("a\xF0\x9F\x98\x80"
                                  "b"),
              "a?b");
    EXPECT_EQ(CCodePage::FromUtf8("a\x80"
                                  "b"),
              "a?b");
    // A UTF-8 sequence cut off at the end of the input.
    EXPECT_EQ(CCodePage::FromUtf8(std::string("a\xE4\xB8", 3)), "a?");
    // A lead byte at the very end has no trail: converted as far as it goes.
    EXPECT_EQ(CCodePage::ToUtf8(std::string("ab\xD6", 3)), "ab?");
    // Reads stay within the given length even when more bytes follow in memory.
    const char buffer[] = "\xD6\xD0\xCE\xC4";
    EXPECT_EQ(CCodePage::ToUtf8(buffer, 3), "中?");
    EXPECT_EQ(CCodePage::ToUtf8(nullptr, 5), "");
    ASSERT_TRUE(CCodePage::Set(1252));
    EXPECT_EQ(CCodePage::FromUtf8("中"), "?");
}
