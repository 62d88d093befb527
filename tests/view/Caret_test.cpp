// The caret: wrap-mode clamping, single-line scrolling, visibility and its listeners.
#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "editor/EditorInterface.h"
#include "model/ZarniParaInfo.h"
#include "support/FixedMetricFactory.h"
#include "view/Caret.h"
#include "view/EditorView.h"
#include "view/MultilayerView.h"

namespace {

std::string Text(const CPoint& p, const CSize& s) {
    return "(" + std::to_string(p.x) + "," + std::to_string(p.y) + " " + std::to_string(s.cx) +
           "x" + std::to_string(s.cy) + ")";
}

class RecordingCaretListener : public ICaretListener {
public:
    void N_Changed(const CPoint& point, const CSize& size) override { log += Text(point, size); }
    void N_ShowCaret(BOOL show) override { log += "show" + std::to_string(show); }
    std::string Take() { return std::exchange(log, std::string()); }
    std::string log;
};

class CaretTest : public ::testing::Test {
protected:
    void SetUp() override { root->GetView()->SetSize(CSize(1000, 500)); }
    void Type(const char* text) { ASSERT_TRUE(editor.ReplaceSel(CString(text))); }
    std::string At() const { return Text(caret->GetPoint(), caret->GetSize()); }

    CFixedMetricScope metrics;  // 6 x 12 per single-byte character
    CEditorInterface editor;
    CEditor* root = editor.GetCore().GetRoot();
    CEditorView* view = root->GetView()->GetEditorView();
    CCaret* caret = view->GetCaret();
};

}  // namespace

TEST_F(CaretTest, WrapModeKeepsInsideViewPortSingleLineModeScrolls) {
    editor.SetDefaultPara(zarni::CZarniParaInfo(0, 0, 0));
    root->GetView()->SetSize(CSize(37, 100));
    Type("abcdefgh");  // "abcdef" fills 36 of 37 pixels of line 0
    caret->SetCaret(0, 6);
    EXPECT_EQ(At(), "(35,0 2x12)");  // held at 37 - 2
    RecordingCaretListener listener;
    caret->AddListener(&listener);
    caret->SetWidth(0);
    EXPECT_EQ(listener.Take(), "");
    caret->SetWidth(1);
    EXPECT_EQ(listener.Take(), "(36,0 1x12)");
    caret->SetWidth(2);

    view->SetMode(0);
    root->GetView()->SetSize(CSize(60, 20));
    Type("0123456789ab");  // the caret at x 120, past the right edge: centred
    EXPECT_EQ(caret->GetPoint().x, 120);
    EXPECT_EQ(view->GetViewPort().left, 90);
    listener.Take();
    caret->SetCaret(0, 2);  // x 12, left of 90: 12 - 30 is negative, so 0
    EXPECT_EQ(view->GetViewPort().left, 0);
    EXPECT_EQ(listener.Take(), "(12,0 2x12)");
    caret->SetCaret(0, 12);  // x 72 >= 60: to 72 - 30
    EXPECT_EQ(view->GetViewPort().left, 42);
    EXPECT_EQ(listener.Take(), "(30,0 2x12)");
    caret->SetCaret(0, 10);  // x 60 lies inside 42..102: nothing moves
    EXPECT_EQ(view->GetViewPort().left, 42);
    EXPECT_EQ(listener.Take(), "(18,0 2x12)");
    caret->DeleteListener(&listener);
}

TEST_F(CaretTest, VisibilityHiddenFlagAndListeners) {
    Type("abc");
    RecordingCaretListener listener;
    caret->AddListener(&listener);
    caret->AddListener(&listener);
    caret->AddListener(nullptr);
    EXPECT_EQ(caret->GetListenerCount(), 1u);
    caret->SetCaret(0, 1);
    EXPECT_EQ(listener.Take(), "(8,4 2x12)");  // once, though added twice

    // Only a change of state counts; an invisible caret moves silently.
    caret->Show(FALSE);
    caret->Show(FALSE);
    caret->SetCaret(0, 2);
    EXPECT_EQ(listener.Take(), "show0");
    caret->Show(TRUE);
    caret->Show(TRUE);
    EXPECT_EQ(listener.Take(), "(14,4 2x12)");

    caret->SetHidden(TRUE);
    caret->SetCaret(0, 3);
    EXPECT_EQ(listener.Take(), "");
    caret->SetHidden(FALSE);
    view->SetViewPort(CPoint(0, 3));
    caret->Refresh();
    EXPECT_EQ(listener.Take(), "(20,1 2x12)");  // relative to the view port

    caret->DeleteListener(&listener);
    caret->Refresh();
    EXPECT_EQ(listener.Take(), "");
    EXPECT_EQ(caret->GetListenerCount(), 0u);
}
