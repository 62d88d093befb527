// The caret navigator: following the selection, horizontal and vertical moves, extending
// with the anchor, page and document moves, and its registration with the selector.
#include <gtest/gtest.h>

#include <string>

#include "editor/EditorInterface.h"
#include "model/ZarniParaInfo.h"
#include "support/FixedMetricFactory.h"
#include "view/Caret.h"
#include "view/CaretNavigator.h"
#include "view/EditorView.h"
#include "view/MultilayerView.h"

namespace {

class NavigatorTest : public ::testing::Test {
protected:
    // No indents or line space: line i spans y 12i..12i+12 and unit u starts at x 6u.
    void SetUp() override {
        editor.SetDefaultPara(zarni::CZarniParaInfo(0, 0, 0));
        root->GetView()->SetSize(CSize(1000, 500));
    }
    void Type(const char* text) { ASSERT_TRUE(editor.ReplaceSel(CString(text))); }
    std::string Sel() {
        const CRange r = editor.GetSel();
        return std::to_string(r.home) + "-" + std::to_string(r.end);
    }
    std::string At() const {
        return std::to_string(caret->GetLine()) + ":" + std::to_string(caret->GetUnit());
    }
    int Top() const { return view->GetViewPort().top; }
    std::string View() { return std::to_string(Top()) + " " + Sel(); }

    CFixedMetricScope metrics;  // 6 x 12 per single-byte character
    CEditorInterface editor;
    CEditor* root = editor.GetCore().GetRoot();
    CEditorView* view = root->GetView()->GetEditorView();
    CCaret* caret = view->GetCaret();
    CCaretNavigator* nav = view->GetNavigator();
};

}  // namespace

TEST_F(NavigatorTest, FollowsSelectionAndMovesAcrossLines) {
    Type("01234\rabcd");
    { CEditorView extra(root); }  // registers and unregisters a navigator of its own
    editor.SetSel(CRange(1, 3));  // a dangling listener would be called here
    EXPECT_FALSE(caret->IsVisible());
    editor.SetSel(CRange(2, 2));
    EXPECT_TRUE(caret->IsVisible());
    EXPECT_EQ(At(), "0:2");
    EXPECT_EQ(nav->GetRememberedX(), 12);

    editor.SetSel(CRange(6, 6));  // after the break: start of line 1
    EXPECT_EQ(At(), "1:0");
    nav->MoveLeft(FALSE);  // end of line 0, before its break
    EXPECT_EQ(At() + " " + Sel(), "0:5 5-5");
    nav->MoveRight(FALSE);
    EXPECT_EQ(At() + " " + Sel(), "1:0 6-6");
    editor.SetSel(CRange(0, 0));
    nav->MoveLeft(FALSE);  // at the very start: stays
    EXPECT_EQ(At() + " " + Sel(), "0:0 0-0");
    nav->MoveEnd(FALSE);  // End stops before the break
    EXPECT_EQ(Sel(), "5-5");
    nav->MoveDocEnd(FALSE);
    nav->MoveRight(FALSE);  // at the end of the last line: stays
    EXPECT_EQ(At() + " " + Sel(), "1:4 10-10");

    // Without extend a selection collapses at its start (Left) or its end (Right).
    editor.SetSel(CRange(2, 8));
    nav->MoveLeft(FALSE);
    EXPECT_EQ(At() + " " + Sel(), "0:2 2-2");
    EXPECT_TRUE(caret->IsVisible());
    editor.SetSel(CRange(2, 6));
    nav->MoveRight(FALSE);
    EXPECT_EQ(At() + " " + Sel(), "1:0 6-6");
}

TEST_F(NavigatorTest, ExtendingMovesKeepTheAnchor) {
    Type("01234\rabcd");
    editor.SetSel(CRange(3, 3));
    for (int i = 0; i < 3; ++i)
        nav->MoveRight(TRUE);
    EXPECT_EQ(Sel(), "3-6");
    EXPECT_EQ(nav->GetAnchor(), 3);
    EXPECT_FALSE(caret->IsVisible());
    for (int i = 0; i < 5; ++i)
        nav->MoveLeft(TRUE);  // back across the anchor
    EXPECT_EQ(Sel(), "1-3");
    nav->MoveRight(FALSE);
    EXPECT_EQ(Sel(), "3-3");
    EXPECT_EQ(nav->GetAnchor(), -1);

    editor.SetSel(CRange(8, 8));
    nav->MoveHome(TRUE);
    EXPECT_EQ(Sel(), "6-8");
    nav->MoveEnd(TRUE);
    EXPECT_EQ(Sel(), "8-10");
    editor.SetSel(CRange(2, 2));  // a selection set by others forgets the anchor
    EXPECT_EQ(nav->GetAnchor(), -1);

    nav->MoveTo(1, 2, FALSE);
    EXPECT_EQ(Sel(), "8-8");
    nav->MoveTo(0, 1, TRUE);
    EXPECT_EQ(Sel(), "1-8");
    EXPECT_EQ(nav->GetRememberedX(), 6);
    // After a line's break, past a line's end, on no line: ignored.
    for (auto [line, unit] : {std::pair{0, 6}, {1, 5}, {2, 0}, {-1, 0}, {0, -1}})
        nav->MoveTo(line, unit, FALSE);
    EXPECT_EQ(Sel(), "1-8");
    nav->AssertValid();
}

TEST_F(NavigatorTest, VerticalMovesAimForRememberedX) {
    Type("0123456789\rab\r0123456789");
    editor.SetSel(CRange(8, 8));
    EXPECT_EQ(nav->GetRememberedX(), 48);
    nav->MoveDown(FALSE);  // "ab" is too short: before its break
    EXPECT_EQ(Sel(), "13-13");
    EXPECT_EQ(caret->GetPoint(), CPoint(12, 12));
    nav->MoveDown(FALSE);  // x 48 again on the long line
    EXPECT_EQ(Sel(), "22-22");
    nav->MoveDown(FALSE);  // last line: nothing happens
    EXPECT_EQ(Sel(), "22-22");
    nav->MoveUp(FALSE);
    nav->MoveUp(FALSE);
    EXPECT_EQ(Sel(), "8-8");
    nav->MoveUp(TRUE);  // first line: nothing, not even an anchor
    EXPECT_EQ(nav->GetAnchor(), -1);
    nav->MoveDown(TRUE);
    EXPECT_EQ(Sel(), "8-13");
    nav->MoveLeft(FALSE);
    nav->MoveLeft(FALSE);  // a horizontal move takes a new x
    EXPECT_EQ(nav->GetRememberedX(), 42);
    nav->MoveDown(FALSE);
    nav->MoveDown(FALSE);
    EXPECT_EQ(Sel(), "21-21");
}

TEST_F(NavigatorTest, PageMovesAndBringingLinesIntoView) {
    root->GetView()->SetSize(CSize(1000, 48));  // four lines a page
    Type("0\r1\r2\r3\r4\r5\r6\r7\r8\r9");       // content 120 high, plus 12
    nav->MoveDocHome(FALSE);
    EXPECT_EQ(Top(), 0);
    for (int i = 0; i < 4; ++i)
        nav->MoveDown(FALSE);
    EXPECT_EQ(Top(), 12);  // line 4 (48..60) brought up to the bottom
    nav->MoveDocHome(FALSE);
    nav->MovePageDown(FALSE);
    EXPECT_EQ(View(), "48 8-8");
    nav->MovePageDown(FALSE);
    EXPECT_EQ(View(), "96 16-16");
    nav->MovePageDown(TRUE);  // the bottom (144) is past the content (132): nothing
    EXPECT_EQ(View(), "96 16-16");
    EXPECT_EQ(nav->GetAnchor(), -1);
    nav->MovePageUp(TRUE);
    EXPECT_EQ(View(), "48 8-16");

    // Less than a page above: the view port stops at 0, the caret 12 below its top.
    editor.SetSel(CRange(6, 6));  // line 3, y 36
    view->SetViewPort(CPoint(0, 24));
    nav->MovePageUp(FALSE);
    EXPECT_EQ(Top(), 0);
    EXPECT_EQ(At(), "1:0");
    editor.SetSel(CRange(3, 3));  // at the top: line 0 at the caret's x (6)
    nav->MovePageUp(FALSE);
    EXPECT_EQ(Sel(), "1-1");
}

TEST_F(NavigatorTest, DocumentEndAfterFinalBreak) {
    root->GetView()->SetSize(CSize(1000, 24));
    Type("ab\rcd\r");
    nav->MoveDocHome(FALSE);
    EXPECT_EQ(Top(), 0);
    // The end is the empty last line (24..36), brought into view.
    nav->MoveDocEnd(FALSE);
    EXPECT_EQ(At() + " " + Sel(), "2:0 6-6");
    EXPECT_EQ(caret->GetPoint(), CPoint(0, 24));
    EXPECT_EQ(Top(), 12);
    nav->MoveDocHome(TRUE);
    EXPECT_EQ(Sel(), "0-6");
    EXPECT_EQ(Top(), 0);
}
