// The editor view through the editor interface: line queries, hit testing, auto-scroll,
// the repaint band reported once per change, and single-object repaint.
#include <gtest/gtest.h>

#include <vector>

#include "editor/EditorInterface.h"
#include "model/EditorListeners.h"
#include "model/CompressStore.h"
#include "model/ZarniParaInfo.h"
#include "support/FixedMetricFactory.h"
#include "support/TestObjects.h"
#include "view/EditorView.h"
#include "view/MultilayerView.h"

namespace {

class HostListener : public IMultilayerViewListener {
public:
    void N_Changed(IXCanvas*, const CRect& r) override { changed.push_back(r); }
    void N_ReservePaintRgn(const ZarniUUID&, const CRect&) override {}
    void OnContextMenu(const CPoint&) override {}
    void N_EditorViewSizeChanged(const CSize& s) override { content = s; }
    void N_EditorViewPortChanged(const CPoint& p) override { port = p; }
    std::vector<CRect> changed;
    CSize content;
    CPoint port;
};

// 6 x 12 units, no indents or line space, a view of 60 x 48 (ten units, four lines).
class EditorViewTest : public ::testing::Test {
protected:
    void SetUp() override {
        ed.SetDefaultPara(zarni::CZarniParaInfo(0, 0, 0));
        ed.SetViewSize(CSize(60, 48));
        ed.SetViewListener(&host);
    }
    void Type(const char* text) { ASSERT_TRUE(ed.ReplaceSel(CString(text))); }
    CEditorView* View() { return ed.GetCore().GetRoot()->GetView()->GetEditorView(); }

    CFixedMetricScope metrics;
    CEditorInterface ed;
    HostListener host;
};

}  // namespace

TEST_F(EditorViewTest, LineQueriesFollowTheLayout) {
    Type("0123456789abc\rxy\r");
    EXPECT_EQ(ed.GetLineCount(), 4);  // a wrapped first paragraph, "xy\r" and the empty last line
    EXPECT_EQ(ed.GetLine(0), "0123456789");
    EXPECT_EQ(ed.GetLine(1), "abc\r");
    EXPECT_EQ(ed.LineIndex(2), 14);
    EXPECT_EQ(ed.LineLength(2), 3);
    EXPECT_EQ(ed.GetLine(3), "");
    EXPECT_EQ(ed.LineLength(3), 0);
    EXPECT_EQ(ed.GetLine(9), "");  // past the last line
    EXPECT_EQ(ed.GetContentSize(), CSize(60, 36 + 12));
    EXPECT_EQ(host.content, ed.GetContentSize());
}

TEST_F(EditorViewTest, HitTestPlacesTheCaretAndFindsUnits) {
    Type("abc\rdefgh");
    HitInfo hit = ed.HitTest(CPoint(8, 3), FALSE);  // right half of 'b' rounds to after it
    EXPECT_EQ(hit.line, 0);
    EXPECT_EQ(hit.unit, 1);
    EXPECT_EQ(hit.type, 1);
    hit = ed.HitTest(CPoint(50, 3), FALSE);  // past the end: before the break, never after
    EXPECT_EQ(hit.unit, 3);
    hit = ed.HitTest(CPoint(13, 15), TRUE);
    EXPECT_EQ(hit.line, 1);
    EXPECT_EQ(hit.unit, 2);
    EXPECT_EQ(hit.type, 1);
    hit = ed.HitTest(CPoint(40, 15), TRUE);  // beyond the last unit of an exact hit
    EXPECT_EQ(hit.type, -1);
    hit = ed.HitTest(CPoint(5, 40), TRUE);  // below the last line
    EXPECT_EQ(hit.type, 0);
    EXPECT_EQ(hit.unit, -1);

    CTestObject* obj = new CTestObject("pic");
    ed.SetSel(CRange(4, 4));
    ASSERT_TRUE(ed.ReplaceSel(static_cast<IVisibleComplexObj*>(obj)));
    obj->Destroy();
    hit = ed.HitTest(CPoint(3, 14), TRUE);  // the object is 16 x 16 at the start of line 1
    EXPECT_EQ(hit.type, 2);
    ASSERT_NE(hit.object, nullptr);
    EXPECT_EQ(hit.object->GetID(), UuidFromBytes("pic", 3));
}

TEST_F(EditorViewTest, TypingPastTheBottomScrollsAndReportsOneBandPerChange) {
    Type("line1\rline2\r");
    host.changed.clear();
    Type("x");  // one change: one band, from the changed line down to the view's bottom
    ASSERT_EQ(host.changed.size(), 1u);
    // The typed unit starts the empty line after "line2\r"; relayout starts at the line
    // holding the end of the text, line 1.
    EXPECT_EQ(host.changed[0], CRect(0, 12, 60, 48));
    for (int i = 0; i < 5; ++i)
        Type("\rmore");
    const CRect& port = View()->GetViewPort();
    const CRect last = View()->GetLineRect(View()->GetLineCount() - 1);
    EXPECT_GT(port.top, 0);  // scrolled to keep the last changed line in view
    EXPECT_LE(last.bottom, port.top + port.Height() - 12 + 12);
    EXPECT_EQ(host.port, port.TopLeft());
    // Without auto-scroll the view port stays where it is.
    ed.SetAutoScroll(FALSE);
    const CPoint before = port.TopLeft();
    for (int i = 0; i < 5; ++i)
        Type("\rmore");
    EXPECT_EQ(View()->GetViewPort().TopLeft(), before);
}

TEST_F(EditorViewTest, AnObjectAsksForItsOwnRepaint) {
    Type("ab");
    CTestObject* obj = new CTestObject("anim");
    ASSERT_TRUE(ed.ReplaceSel(static_cast<IVisibleComplexObj*>(obj)));
    obj->Destroy();
    ICompressStoreObj* stored = CCompressStore::Instance().Find(UuidFromBytes("anim", 4));
    ASSERT_NE(stored, nullptr);
    host.changed.clear();
    ed.GetCore().GetRoot()->GetEditorListeners()->Broadcast(reinterpret_cast<uintptr_t>(stored));
    ASSERT_EQ(host.changed.size(), 1u);
    EXPECT_EQ(host.changed[0], CRect(12, 0, 28, 16));  // its 16 x 16 cell after "ab"
}

TEST_F(EditorViewTest, BadSizesAndPointsGiveClearAnswers) {
    Type("abc\rdef");
    ed.SetViewSize(CSize(0, 0));  // layout stops; nothing breaks
    Type("g");
    EXPECT_EQ(ed.GetLength(), 8);
    ed.SetViewSize(CSize(-20, -5));
    EXPECT_EQ(ed.GetCore().GetRoot()->GetView()->GetSurface(), nullptr);
    ed.SetViewSize(CSize(60, 48));  // a width again: everything is laid out anew
    EXPECT_EQ(ed.GetLine(1), "defg");
    EXPECT_EQ(ed.GetLine(-1), "");
    EXPECT_EQ(ed.LineLength(99), 0);
    const HitInfo far = ed.HitTest(CPoint(100000, -100000), TRUE);
    EXPECT_NE(far.type, 1);
    const HitInfo caret = ed.HitTest(CPoint(-7, 100000), FALSE);
    EXPECT_EQ(caret.line, ed.GetLineCount() - 1);
    ed.ReDrawWnd(CRect(10, 10, 5, 5), TRUE);  // an inverted rectangle reports nothing
    EXPECT_TRUE(host.changed.empty() || !host.changed.back().IsRectEmpty());
    EXPECT_TRUE(ed.SetBackImage(std::string("not a picture"), IP_TILE));  // ignored picture
    EXPECT_FALSE(ed.GetCore().GetRoot()->GetView()->GetBGLayer() == nullptr);
}

TEST(EditorViewEmpty, DefaultParagraphOfAnEmptyDocumentMovesTheEmptyLine) {
    CFixedMetricScope metrics;
    CEditorInterface ed;
    ed.SetViewSize(CSize(100, 48));
    CEditorView* view = ed.GetCore().GetRoot()->GetView()->GetEditorView();
    EXPECT_EQ(view->GetLineRect(0).left, 2);  // the built-in left indent
    ed.SetDefaultPara(zarni::CZarniParaInfo(20, 2, 0));
    EXPECT_EQ(view->GetLineRect(0).left, 20);
    ed.SetParagraph(zarni::CZarniParaInfo(30, 2, 0));
    EXPECT_EQ(view->GetLineRect(0).left, 30);
    ASSERT_TRUE(ed.ReplaceSel(CString("x")));
    EXPECT_EQ(view->GetLineRect(0).left, 30);
}
