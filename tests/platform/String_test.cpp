// CString: byte text with character-aware editing in the active code page.
#include <gtest/gtest.h>

#include "platform/base/CodePage.h"
#include "platform/base/String.h"

namespace {
// "中文" in CP936; the trail byte of 文 (0xC4) and of 中 (0xD0) are ordinary bytes.
const char kZhongWen[] = "\xD6\xD0\xCE\xC4";
// 乇 in CP936 is 0x81 0x41: its trail byte is the letter 'A'.
const char kTrailIsA[] = "\x81\x41";
}  // namespace

TEST(String, HoldsAnyByteAndClampsPositions) {
    const CString s(std::string{'a', '\0', '\xE9', 'b'});
    EXPECT_EQ(s.GetLength(), 4);
    EXPECT_EQ(s.GetAt(4), '\0');  // out of range reads give 0
    EXPECT_EQ(s.GetAt(-1), '\0');
    EXPECT_TRUE(CString(static_cast<const char*>(nullptr)).IsEmpty());
    const CString h("hello world");
    EXPECT_EQ(h.Left(50), "hello world");
    EXPECT_EQ(h.Left(-1), "");
    EXPECT_EQ(h.Right(5), "world");
    EXPECT_EQ(h.Mid(-3, 2), "he");
    EXPECT_EQ(h.Mid(3, 100), "lo world");
}

TEST(String, SearchNeverMatchesTrailBytes) {
    const CString s = CString(kTrailIsA) + "A";
    EXPECT_EQ(s.Find('A'), 2);  // not the trail byte at index 1
    EXPECT_EQ(s.ReverseFind('A'), 2);
    EXPECT_EQ(s.Find("A"), 2);
    EXPECT_EQ(s.FindOneOf("xA"), 2);
    EXPECT_EQ(CString("abcabc").Find("bc", 2), 4);
    EXPECT_EQ(s.Find(static_cast<const char*>(nullptr)), -1);
}

TEST(String, EditsKeepDoubleByteCharactersIntact) {
    CString s = CString(kTrailIsA) + "Aa";
    EXPECT_EQ(s.Replace('A', 'B'), 1);
    EXPECT_EQ(s, CString(kTrailIsA) + "Ba");
    EXPECT_EQ(s.MakeLower(), CString(kTrailIsA) + "ba");  // trail 'A' is not lowered
    EXPECT_EQ(s.MakeUpper(), CString(kTrailIsA) + "BA");
    CString a = CString("xx") + kTrailIsA;
    EXPECT_EQ(a.TrimRight('A'), CString("xx") + kTrailIsA);  // the trail byte is no 'A'
    EXPECT_EQ(a.TrimLeft('x'), kTrailIsA);

    CString t = CString("x") + kZhongWen + "x";
    EXPECT_EQ(t.Replace("x", "yy"), 2);
    EXPECT_EQ(t, CString("yy") + kZhongWen + "yy");
    EXPECT_EQ(t.Replace("", "z"), 0);
    EXPECT_EQ(t.Remove('y'), 4);
    // Characters reversed, the bytes of each kept in order; a lead byte at the very end is
    // a character of its own.
    EXPECT_EQ(t.MakeReverse(), "\xCE\xC4\xD6\xD0");
    EXPECT_EQ(CString("ab\xD6").MakeReverse(), CString("\xD6") + "ba");
}

TEST(String, BufferAccessSetsLength) {
    CString s;
    std::snprintf(s.GetBuffer(16), 16, "abc");
    s.ReleaseBuffer();
    EXPECT_EQ(s, "abc");
    s.GetBufferSetLength(2);
    EXPECT_EQ(s, "ab");
}
