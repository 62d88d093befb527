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

TEST(String, HoldsAnyByteAndReportsLengthInBytes) {
    const char raw[] = {'a', '\0', '\xE9', 'b'};
    CString s(raw, 4);
    EXPECT_EQ(s.GetLength(), 4);
    EXPECT_EQ(s.GetAt(1), '\0');
    EXPECT_EQ(static_cast<unsigned char>(s.GetAt(2)), 0xE9);
    EXPECT_EQ(s.GetAt(4), '\0');  // out of range reads give 0
    EXPECT_EQ(s.GetAt(-1), '\0');
    CString null(static_cast<const char*>(nullptr));
    EXPECT_TRUE(null.IsEmpty());
    EXPECT_EQ(CString(kZhongWen).GetLength(), 4);
}

TEST(String, SubstringsClampLikeTheWindowsClass) {
    CString s("hello world");
    EXPECT_EQ(s.Left(5), "hello");
    EXPECT_EQ(s.Left(50), "hello world");
    EXPECT_EQ(s.Left(-1), "");
    EXPECT_EQ(s.Right(5), "world");
    EXPECT_EQ(s.Right(0), "");
    EXPECT_EQ(s.Mid(6), "world");
    EXPECT_EQ(s.Mid(6, 2), "wo");
    EXPECT_EQ(s.Mid(-3, 2), "he");
    EXPECT_EQ(s.Mid(11), "");
    EXPECT_EQ(s.Mid(3, 100), "lo world");
}

TEST(String, SearchNeverMatchesTrailBytes) {
    CString s = CString(kTrailIsA) + "A";
    EXPECT_EQ(s.Find('A'), 2);  // not the trail byte at index 1
    EXPECT_EQ(s.ReverseFind('A'), 2);
    EXPECT_EQ(s.Find("A"), 2);
    EXPECT_EQ(s.Find("A", 3), -1);
    EXPECT_EQ(s.FindOneOf("xA"), 2);
    CString plain("abcabc");
    EXPECT_EQ(plain.Find("bc"), 1);
    EXPECT_EQ(plain.Find("bc", 2), 4);
    EXPECT_EQ(plain.Find('z'), -1);
    EXPECT_EQ(plain.Find(static_cast<const char*>(nullptr)), -1);
}

TEST(String, ReplaceAndCaseKeepDoubleByteCharactersIntact) {
    CString s = CString(kTrailIsA) + "Aa";
    EXPECT_EQ(s.Replace('A', 'B'), 1);
    EXPECT_EQ(s, CString(kTrailIsA) + "Ba");
    s.MakeLower();
    EXPECT_EQ(s, CString(kTrailIsA) + "ba");  // trail 'A' is not lowered
    s.MakeUpper();
    EXPECT_EQ(s, CString(kTrailIsA) + "BA");

    CString t = CString("x") + kZhongWen + "x";
    EXPECT_EQ(t.Replace("x", "yy"), 2);
    EXPECT_EQ(t, CString("yy") + kZhongWen + "yy");
    EXPECT_EQ(t.Replace("", "z"), 0);
    EXPECT_EQ(t.Remove('y'), 4);
    EXPECT_EQ(t, kZhongWen);
    t.MakeReverse();
    EXPECT_EQ(t, "\xCE\xC4\xD6\xD0");  // characters reversed, bytes of each kept in order
}

TEST(String, TrimInsertDeleteAndFormat) {
    CString s("  \t padded \r\n");
    s.Trim();
    EXPECT_EQ(s, "padded");
    CString a = CString("xx") + kTrailIsA;
    a.TrimRight('A');  // the trail byte is part of a character, not an 'A'
    EXPECT_EQ(a, CString("xx") + kTrailIsA);
    a.TrimLeft('x');
    EXPECT_EQ(a, kTrailIsA);

    CString e("ac");
    EXPECT_EQ(e.Insert(1, 'b'), 3);
    EXPECT_EQ(e.Insert(99, "d"), 4);
    EXPECT_EQ(e, "abcd");
    EXPECT_EQ(e.Delete(1, 2), 2);
    EXPECT_EQ(e, "ad");
    EXPECT_EQ(e.Delete(5, 1), 2);

    CString f;
    f.Format("%s%d", "id", 42);
    EXPECT_EQ(f, "id42");
    f.AppendFormat("-%08x", 12u);
    EXPECT_EQ(f, "id42-0000000c");
}

TEST(String, ComparisonIsByUnsignedBytes) {
    EXPECT_LT(CString("a"), CString("\xE9"));
    EXPECT_EQ(CString("abc").Compare("abd"), -1);
    EXPECT_EQ(CString("ABC").CompareNoCase("abc"), 0);
    EXPECT_NE(CString(kTrailIsA).CompareNoCase("\x81\x61"), 0);
    EXPECT_TRUE(CString("x") == "x");
    EXPECT_TRUE("y" != CString("x"));
}

TEST(String, BufferAccessSetsLength) {
    CString s;
    char* p = s.GetBuffer(16);
    std::snprintf(p, 16, "abc");
    s.ReleaseBuffer();
    EXPECT_EQ(s.GetLength(), 3);
    EXPECT_EQ(s, "abc");
    p = s.GetBufferSetLength(2);
    EXPECT_EQ(s, "ab");
}
