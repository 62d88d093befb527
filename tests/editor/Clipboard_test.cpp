// Copy, cut and paste between editors through the process clipboard.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

#include "editor/EditorInterface.h"
#include "format/FormatInfo.h"
#include "links/LinkInfo.h"
#include "media/Animate.h"
#include "media/Image.h"
#include "model/CompressStore.h"
#include "platform/ui/Clipboard.h"
#include "platform/ui/GlobalMemory.h"
#include "platform/ui/headless/HeadlessUi.h"
#include "support/DataFiles.h"

namespace {

class CRefusing : public IClipBoardFormatProvider {
public:
    explicit CRefusing(UINT refused) : m_refused(refused) {}
    int QuerySupportClipBoardFormat(UINT format) override { return format != m_refused; }

private:
    UINT m_refused;
};

std::string Saved(CEditorInterface& ed) {
    std::string out;
    ed.SaveTo(out, CRange(0, ed.GetLength()));
    return out;
}

// The clipboard's bytes of a format, or "-" when it holds none.
std::string ClipboardBytes(UINT format) {
    if (!OpenClipboard(nullptr))
        return "busy";
    HGLOBAL data = GetClipboardData(format);
    const char* bytes = data ? static_cast<const char*>(GlobalLock(data)) : nullptr;
    const std::string out = bytes ? std::string(bytes, GlobalSize(data)) : "-";
    if (bytes)
        GlobalUnlock(data);
    CloseClipboard();
    return out;
}

void PutText(const char* text) {
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    HGLOBAL block = GlobalAlloc(GMEM_DDESHARE | GMEM_ZEROINIT, std::strlen(text) + 1);
    std::memcpy(GlobalLock(block), text, std::strlen(text));
    GlobalUnlock(block);
    SetClipboardData(CF_TEXT, block);
    CloseClipboard();
}

struct ClipboardTest : ::testing::Test {
    void SetUp() override { CHeadlessUi::Instance().ResetClipboard(); }
    void TearDown() override { CHeadlessUi::Instance().ResetClipboard(); }
};

// Inserts a picture of the test tile at the selection.
void InsertPicture(CEditorInterface& ed) {
    auto* picture = new zarni::CImage(0);
    ASSERT_TRUE(picture->SetImage(ReadTestData("tile.png"), "[p]"));
    ASSERT_TRUE(ed.ReplaceSel(picture));
    picture->Destroy();
}

}  // namespace

TEST_F(ClipboardTest, CopyAndPasteBetweenEditorsKeepsEverything) {
    auto source = std::make_unique<CEditorInterface>();
    CEditorInterface& a = *source;
    ASSERT_TRUE(a.ReplaceSel(CString("x\xD6\xD0y\rz")));  // a double-byte character
    InsertPicture(a);
    auto* anim = new zarni::CAnimate(0);
    ASSERT_EQ(anim->SetAnimate(ReadTestData("anim.gif"), {}, "[a]"), 1);
    ASSERT_TRUE(a.ReplaceSel(anim));
    anim->Destroy();
    a.SetSel(CRange(0, 2));
    LOGFONT lf = {};
    lf.lfWeight = 700;
    ASSERT_TRUE(a.SetFont(lf, 0x10));
    ASSERT_TRUE(a.SetColor(RGB(200, 0, 0)));
    zarni::CLinkInfo link(CString("l"), 5, 4000, ZarniUUID(5, 5, 5, 5));
    a.SetLink(CRange(1, 3), &link);
    a.SetSel(CRange(0, SEL_ALL));
    const std::string expected = Saved(a);
    EXPECT_EQ(a.GetClipBoardFormat(), RegisterClipboardFormatA("ZARNIED_CLIP_FORMAT"));
    a.Copy();
    EXPECT_EQ(ClipboardBytes(CF_TEXT), std::string("x\xD6\xD0y\r\nz\0", 8));
    EXPECT_EQ(ClipboardBytes(a.GetClipBoardFormat()), expected);

    // The copying editor may be gone before the paste.
    CEditorInterface b;
    source.reset();
    ASSERT_TRUE(b.ReplaceSel(CString("--")));
    b.SetSel(CRange(1, 1));
    b.Paste();
    EXPECT_EQ(b.GetLength(), 9);
    EXPECT_EQ(b.GetSel(), CRange(8, 8));
    std::string pasted;
    ASSERT_TRUE(b.SaveTo(pasted, CRange(1, 8)));
    EXPECT_EQ(pasted, expected);
    // One undoable step.
    ASSERT_TRUE(b.Undo());
    EXPECT_EQ(b.GetLength(), 2);
    ASSERT_TRUE(b.Redo());
    EXPECT_EQ(b.GetLength(), 9);

    // Cut copies, then deletes undoably; the picture just past the selection stays out.
    b.SetSel(CRange(5, 6));
    b.Cut();
    EXPECT_EQ(b.GetLength(), 8);
    EXPECT_EQ(ClipboardBytes(CF_TEXT), std::string("z\0", 2));
    ASSERT_TRUE(b.Undo());
    EXPECT_EQ(b.GetLength(), 9);
}

TEST_F(ClipboardTest, ProviderBusyClipboardAndPlainTextRules) {
    CEditorInterface ed;
    ASSERT_TRUE(ed.ReplaceSel(CString("ab")));
    ed.SetSel(CRange(0, 2));
    ASSERT_TRUE(ed.SetColor(RGB(0, 0, 250)));
    EXPECT_TRUE(ed.CanPaste(CF_TEXT));
    EXPECT_FALSE(ed.CanPaste(ed.GetClipBoardFormat()));
    EXPECT_EQ(ed.RenderClipBoardData(CF_UNICODETEXT), nullptr);
    EXPECT_TRUE(ed.FreeClipBoardData(nullptr));

    // Refusing the private format: only text travels, both ways.
    CRefusing refusing(ed.GetClipBoardFormat());
    ed.SetClipBoardFormatProvider(&refusing);
    ed.Copy();
    EXPECT_EQ(ClipboardBytes(ed.GetClipBoardFormat()), "-");
    CEditorInterface other;
    other.Paste();
    EXPECT_EQ(other.GetLength(), 2);
    EXPECT_EQ(other.GetCore().GetRoot()->GetFormatInfo()->GetColor(0)->GetColor(), RGB(0, 0, 0));
    ed.SetClipBoardFormatProvider(nullptr);

    // An empty selection and a busy clipboard change nothing and leak nothing.
    PutText("a\tb\tc");
    ed.SetSel(CRange(1, 1));
    ed.Copy();
    EXPECT_EQ(ClipboardBytes(CF_TEXT), std::string("a\tb\tc\0", 6));
    const size_t blocks = GlobalBlockCount();
    ASSERT_TRUE(OpenClipboard(nullptr));  // held by someone else
    ed.SetSel(CRange(0, 2));
    ed.Copy();
    ed.Paste();
    CloseClipboard();
    EXPECT_EQ(GlobalBlockCount(), blocks);
    EXPECT_EQ(ed.GetLength(), 2);

    // Pasted text loses its tabs.
    ed.SetSel(CRange(2, 2));
    ed.Paste();
    EXPECT_EQ(ed.GetLength(), 5);
    ed.SetSel(CRange(0, SEL_ALL));
    EXPECT_EQ(ed.GetSelText(), CString("ababc"));

    // A selection holding only a picture has no text block.
    InsertPicture(ed);
    ed.SetSel(CRange(0, 1));
    EXPECT_EQ(ed.RenderClipBoardData(CF_TEXT), nullptr);
    HGLOBAL own = ed.RenderClipBoardData(ed.GetClipBoardFormat());
    ASSERT_NE(own, nullptr);
    EXPECT_TRUE(ed.FreeClipBoardData(own));
}
