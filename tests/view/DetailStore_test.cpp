// The detail store: its window of per-unit entries and format runs follows edits, and a
// refresh to a range it does not hold warns.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "LayoutHarness.h"
#include "format/ColorInfo.h"
#include "format/FontInfo.h"
#include "model/CompressStore.h"
#include "platform/ui/headless/HeadlessUi.h"
#include "support/TestObjects.h"

namespace {

// 38 paragraphs of ten digits, no indents or line space: line i covers (11 i, 11 i + 11)
// and y (12 i, 12 i + 12).
void FillDigits(CLayoutHarness& h) {
    h.SetPara(0, 0, 0);
    for (int i = 0; i < 38; ++i)
        h.Append("0123456789\r");
}

}  // namespace

TEST(DetailStore, FollowsEditsBeforeInsideAndAfterTheWindow) {
    CLayoutHarness h(CSize(1000, 60));
    FillDigits(h);
    h.store.SetViewPort(CPoint(0, 120));
    const CDetailStore& detail = h.store.GetDetailStore();
    ASSERT_EQ(detail.GetWindow(), CRange(110, 176));
    LOGFONTA lf = h.editor.GetFormatInfo()->GetDefaultFont().GetLogFont();
    lf.lfHeight = -20;
    CFontInfo big(lf);
    h.metrics.Factory().SetFontHeightSizes(20, CSize(8, 20), CSize(16, 20));

    // Above (the window shifts with its text), inside, across its start, and below.
    h.Insert(3, "abc");
    h.Insert(120, "\xD6\xD0W");
    h.Doc()->Delete(100, 20);
    h.editor.GetFormatInfo()->SetFont(&big, CRange(115, 130));
    CColorInfo red(RGB(255, 0, 0));
    h.editor.GetFormatInfo()->SetColor(&red, CRange(0, 118));
    h.Doc()->Delete(300, 5);
    EXPECT_EQ(h.Current(), h.Fresh());
    // The runs start at the window's home and split where the font or colour changes.
    const CRange w = detail.GetWindow();
    ASSERT_LT(w.home, 115);
    ASSERT_GE(detail.GetRuns().size(), 3u);
    const std::vector<CDetailRun>& runs = detail.GetRuns();
    EXPECT_EQ(runs[0].start, 0);
    EXPECT_EQ(runs[0].color.GetColor(), RGB(255, 0, 0));
    EXPECT_EQ(runs[1].start, 115 - w.home);
    EXPECT_EQ(runs[1].font.GetLogFont().lfHeight, -20);
    EXPECT_EQ(runs[2].start, 118 - w.home);
    EXPECT_NE(runs[2].color.GetColor(), RGB(255, 0, 0));
    EXPECT_TRUE(CHeadlessUi::Instance().GetMessageBoxes().empty());
}

TEST(DetailStore, RefreshToARangeItDoesNotHoldWarnsAndStillRefreshes) {
    CLayoutHarness h;
    h.Append("0123456789\rabcdef");
    CDetailStore detail(&h.editor);
    CHeadlessUi& ui = CHeadlessUi::Instance();
    ui.ClearMessageBoxes();
    detail.Refresh(CRange(0, 11));  // nothing cached yet: nothing to warn about
    EXPECT_TRUE(ui.GetMessageBoxes().empty());
    EXPECT_EQ(detail.GetWindow(), CRange(0, 11));
    detail.Refresh(CRange(0, 8));  // shrinking at the end is expected
    EXPECT_TRUE(ui.GetMessageBoxes().empty());

    detail.Refresh(CRange(0, 12));   // ends beyond the cache
    detail.Refresh(CRange(11, 17));  // starts elsewhere
    ASSERT_EQ(ui.GetMessageBoxes().size(), 2u);
    const auto& box = ui.GetMessageBoxes()[1];
    EXPECT_EQ(box.owner, nullptr);
    EXPECT_STREQ(box.caption.GetString(), "cdetatilstore::refresh");
    EXPECT_STREQ(box.text.GetString(), "cdetatilstore::refresh");
    EXPECT_EQ(box.type, MB_OK);
    EXPECT_EQ(detail.GetWindow(), CRange(11, 17));
    EXPECT_EQ(detail.GetUnit(11)->unit, 'a');
    EXPECT_EQ(detail.GetUnit(16)->unit, 'f');
    detail.AssertValid();

    // A window reaching past the document is clipped; an empty one clears.
    detail.MoveWindow(CRange(15, 40));
    EXPECT_EQ(detail.GetWindow(), CRange(15, 17));
    detail.MoveWindow(CRange(5, 5));
    EXPECT_TRUE(detail.IsEmpty());
    ui.ClearMessageBoxes();
}
