// Scripted edits, navigation keys and clicks through the editor interface on the fixed-metric
// factory, each step checked against what was worked out by hand: the lines with the edges
// of their units, the caret, the view port, the bands the view asked the host to repaint and
// the text it drew.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "LayoutHarness.h"
#include "editor/EditorInterface.h"
#include "model/CompressStore.h"
#include "model/EditorListeners.h"
#include "model/ZarniParaInfo.h"
#include "support/FixedMetricFactory.h"
#include "support/TestObjects.h"
#include "view/Caret.h"
#include "view/EditorView.h"
#include "view/MultilayerView.h"

namespace {

class CHost : public IMultilayerViewListener {
public:
    void N_Changed(IXCanvas*, const CRect& r) override { painted += RectText(r); }
    void N_ReservePaintRgn(const ZarniUUID&, const CRect&) override {}
    void OnContextMenu(const CPoint&) override {}
    void N_EditorViewSizeChanged(const CSize& size) override { content = size; }
    void N_EditorViewPortChanged(const CPoint&) override {}
    std::string painted;
    CSize content;
};

struct SStep {
    const char* what;
    std::function<void()> act;
    const char* expected;
};

// Every single-byte unit 6 x 12 and every double-byte one 12 x 12, line breaks 4 wide, no
// indents or line space, a view of 60 x 48: ten single-byte units a line, four lines in view.
class ViewScript : public ::testing::Test {
protected:
    void SetUp() override {
        ed.SetDefaultPara(zarni::CZarniParaInfo(0, 0, 0));
        ed.SetViewSize(CSize(60, 48));
        ed.SetViewListener(&host);
        host.painted.clear();
    }
    void Type(const char* text) { ASSERT_TRUE(ed.ReplaceSel(CString(text))); }
    void Select(int home, int end) { ed.SetSel(CRange(home, end)); }

    // Each line as "home-end y<top>:" and the left edge of every unit, then the right edge of
    // the last ("-" for a line outside the detail store's window).
    std::string Lines() {
        std::string out;
        for (int line = 0; line < view->GetLineCount(); ++line) {
            const CRange r = view->GetLineDocRange(line);
            out += std::to_string(r.home) + "-" + std::to_string(r.end) + " y" +
                   std::to_string(view->GetLineRect(line).top) + ":";
            if (r.IsEmpty() || view->GetUnitRect(line, 0).IsRectEmpty()) {
                out += " -";
            } else {
                for (int unit = 0; unit < r.Length(); ++unit)
                    out += " " + std::to_string(view->GetUnitRect(line, unit).left);
                out += " " + std::to_string(view->GetUnitRect(line, r.Length() - 1).right);
            }
            out += " | ";
        }
        return out;
    }
    // The caret as line:unit@x,y and its height, the selection, and the bands painted since the
    // last call.
    std::string Caret() {
        const CCaret* caret = view->GetCaret();
        const CRange sel = ed.GetSel();
        std::string out =
            "caret " + std::to_string(caret->GetLine()) + ":" + std::to_string(caret->GetUnit()) +
            "@" + std::to_string(caret->GetPoint().x) + "," + std::to_string(caret->GetPoint().y) +
            " h" + std::to_string(caret->GetSize().cy) + " sel " + std::to_string(sel.home) + "-" +
            std::to_string(sel.end) + " port " + std::to_string(view->GetViewPort().top) +
            " painted " + host.painted;
        host.painted.clear();
        return out;
    }
    void Run(const std::vector<SStep>& steps, const std::function<std::string()>& state) {
        for (const SStep& step : steps) {
            step.act();
            EXPECT_EQ(state(), step.expected) << step.what;
        }
    }

    CFixedMetricScope metrics;
    CEditorInterface ed;
    CHost host;
    CEditorView* view = ed.GetCore().GetRoot()->GetView()->GetEditorView();
};

}  // namespace

TEST_F(ViewScript, EditsRelayFromTheChangedLineAndRepaintFromThere) {
    const auto state = [&] { return Lines() + Caret(); };
    Run(
        {
            {"twelve units wrap after ten", [&] { Type("abcdefghijkl"); },
             "0-10 y0: 0 6 12 18 24 30 36 42 48 54 60 | 10-12 y12: 0 6 12 | "
             "caret 1:2@12,12 h12 sel 12-12 port 0 painted (0,0,60,48)"},
            {"two more on the first line push two down", [&] { Select(3, 3), Type("XY"); },
             "0-10 y0: 0 6 12 18 24 30 36 42 48 54 60 | 10-14 y12: 0 6 12 18 24 | "
             "caret 0:5@30,0 h12 sel 5-5 port 0 painted (0,0,60,48)"},
            {"a break ends the first line after its 4-pixel break unit",
             [&] { Select(8, 8), Type("\r"); },
             "0-9 y0: 0 6 12 18 24 30 36 42 48 52 | 9-15 y12: 0 6 12 18 24 30 36 | "
             "caret 1:0@0,12 h12 sel 9-9 port 0 painted (0,0,60,48)"},
            // A selected band is repainted when it is shown and again when the deletion
            // collapses it; the deletion repaints from its line down. An empty selection
            // repaints nothing by itself.
            {"deleting a selection", [&] { Select(0, 2), ed.DeleteChar(0); },
             "0-7 y0: 0 6 12 18 24 30 36 40 | 7-13 y12: 0 6 12 18 24 30 36 | "
             "caret 0:0@0,0 h12 sel 0-0 port 0 painted (0,0,60,12)(0,0,60,48)(0,0,60,12)"},
            {"backspace puts the caret after the unit before",
             [&] { Select(3, 3), ed.DeleteChar(0); },
             "0-6 y0: 0 6 12 18 24 30 34 | 6-12 y12: 0 6 12 18 24 30 36 | "
             "caret 0:2@12,0 h12 sel 2-2 port 0 painted (0,0,60,12)(0,0,60,48)(0,0,60,12)"},
        },
        state);
}

TEST_F(ViewScript, WrappedLinesTakeBackUnitsThatFitAgain) {
    // "abcdefghi" fills 54 pixels; the 12-pixel ideograph no longer fits and starts line 1.
    const auto state = [&] { return Lines() + Caret(); };
    Run(
        {
            {"an ideograph wraps", [&] { Type("abcdefghi\xD6\xD0j"); },
             "0-9 y0: 0 6 12 18 24 30 36 42 48 54 | 9-11 y12: 0 12 18 | "
             "caret 1:2@18,12 h12 sel 11-11 port 0 painted (0,0,60,48)"},
            // Inserted at the start of line 1, a 6-pixel unit fits the end of line 0; the
            // caret after it is kept inside the view (60 - its width 2).
            {"inserting where a wrapped line starts", [&] { Select(9, 9), Type("x"); },
             "0-10 y0: 0 6 12 18 24 30 36 42 48 54 60 | 10-12 y12: 0 12 18 | "
             "caret 0:10@58,0 h12 sel 10-10 port 0 painted (0,0,60,48)"},
            {"deleting the last unit of line 0", [&] { ed.DeleteChar(0); },
             "0-9 y0: 0 6 12 18 24 30 36 42 48 54 | 9-11 y12: 0 12 18 | "
             "caret 0:9@54,0 h12 sel 9-9 port 0 painted (0,0,60,12)(0,0,60,48)(0,12,60,24)"},
            // Deleting the ideograph that started line 1 lets "j" move up. The deleted unit's
            // band was line 1; once collapsed, position 9 is on line 0.
            {"deleting where a wrapped line starts", [&] { ed.DeleteChar(1); },
             "0-10 y0: 0 6 12 18 24 30 36 42 48 54 60 | "
             "caret 0:9@54,0 h12 sel 9-9 port 0 painted (0,12,60,24)(0,0,60,48)(0,0,60,12)"},
        },
        state);
}

TEST_F(ViewScript, NavigationKeysAndPagesMoveTheCaretAndTheViewPort) {
    Type("cXYdef\rghijkl");  // "cXYdef\r" on line 0, "ghijkl" on line 1
    Caret();
    const auto caret = [&] { return Caret(); };
    Run(
        {
            {"Home", [&] { ed.MoveHome(FALSE); }, "caret 1:0@0,12 h12 sel 7-7 port 0 painted "},
            {"Left to the end of line 0, before its break", [&] { ed.MoveLeft(FALSE); },
             "caret 0:6@36,0 h12 sel 6-6 port 0 painted "},
            {"Right passes the break", [&] { ed.MoveRight(FALSE); },
             "caret 1:0@0,12 h12 sel 7-7 port 0 painted "},
            {"Left, then Up on the first line", [&] { ed.MoveLeft(FALSE), ed.MoveUp(FALSE); },
             "caret 0:6@36,0 h12 sel 6-6 port 0 painted "},
            {"Down keeps x 36: the end of line 1", [&] { ed.MoveDown(FALSE); },
             "caret 1:6@36,12 h12 sel 13-13 port 0 painted "},
            {"Right at the end of the text", [&] { ed.MoveRight(FALSE); },
             "caret 1:6@36,12 h12 sel 13-13 port 0 painted "},
            {"Shift+Left twice", [&] { ed.MoveLeft(TRUE), ed.MoveLeft(TRUE); },
             "caret 1:4@24,12 h12 sel 11-13 port 0 painted (0,12,60,24)(0,12,60,24)"},
            {"Shift+Up extends from the same anchor", [&] { ed.MoveUp(TRUE); },
             "caret 0:4@24,0 h12 sel 4-13 port 0 painted (0,0,60,24)"},
            {"Right collapses at the selection's end", [&] { ed.MoveRight(FALSE); },
             "caret 1:6@36,12 h12 sel 13-13 port 0 painted (0,0,60,24)"},
            // The selection set by others hides the old band first.
            {"a selection set by others forgets the anchor",
             [&] { ed.MoveLeft(TRUE), Select(2, 2), ed.MoveRight(TRUE); },
             "caret 0:3@18,0 h12 sel 2-3 port 0 painted (0,12,60,24)(0,12,60,24)(0,0,60,12)"},
            {"MoveTo places that do not exist",
             [&] {
                 for (auto [line, unit] : {std::pair{0, 7}, {1, 7}, {2, 0}, {-1, 0}, {0, -1}})
                     ed.MoveTo(line, unit, FALSE);
             },
             "caret 0:3@18,0 h12 sel 2-3 port 0 painted "},
            {"Ctrl+Home", [&] { ed.MoveDocHome(FALSE); },
             "caret 0:0@0,0 h12 sel 0-0 port 0 painted (0,0,60,12)"},
            {"Ctrl+End", [&] { ed.MoveDocEnd(FALSE); },
             "caret 1:6@36,12 h12 sel 13-13 port 0 painted "},
            // Six lines of 12 in a view of 48: the last changed line is kept 12 pixels above
            // the bottom, so the view port's top moves to 72 - 48 + 12 = 36.
            {"typing four more lines scrolls", [&] { Type("\r1\r2\r3\r4"); },
             "caret 5:1@6,60 h12 sel 21-21 port 36 painted (0,0,60,48)"},
            // One view height up (stopping at 0); the caret keeps its 24 pixels below the top.
            {"Page Up", [&] { ed.MovePageUp(FALSE); },
             "caret 2:1@6,24 h12 sel 15-15 port 0 painted (0,0,60,48)"},
            {"Page Down", [&] { ed.MovePageDown(FALSE); },
             "caret 5:1@6,60 h12 sel 21-21 port 48 painted (0,0,60,48)"},
            {"Ctrl+Home scrolls back to the top", [&] { ed.MoveDocHome(FALSE); },
             "caret 0:0@0,0 h12 sel 0-0 port 0 painted (0,0,60,48)"},
            // The last line (60..72) is brought up to the view's bottom: top 72 - 48.
            {"Ctrl+End brings the last line into view", [&] { ed.MoveDocEnd(FALSE); },
             "caret 5:1@6,60 h12 sel 21-21 port 24 painted (0,0,60,48)"},
            // Relayout starts at line 5, 36 pixels into the view.
            {"without auto-scroll typing below the view scrolls nothing",
             [&] { ed.SetAutoScroll(FALSE), Type("\r5\r"); },
             "caret 7:0@0,84 h12 sel 24-24 port 24 painted (0,36,60,48)"},
        },
        caret);
    // The detail window holds the lines in view (24..72) and no cells for the empty last line.
    EXPECT_EQ(Lines(),
              "0-7 y0: - | 7-14 y12: - | 14-16 y24: 0 6 10 | 16-18 y36: 0 6 10 | "
              "18-20 y48: 0 6 10 | 20-22 y60: 0 6 10 | 22-24 y72: 0 6 10 | 24-24 y84: - | ");
}

TEST_F(ViewScript, SelectionsObjectsClicksAndSingleObjectRepaint) {
    CFixedMetricFactory& factory = metrics.Factory();
    const auto drawn = [&] { return Lines() + Caret() + " drawn " + factory.TakeDrawnText(); };
    Run(
        {
            {"text with an ideograph",
             [&] {
                 Type(
                     "ab\xD6\xD0"
                     "cd\rxyz");
             },
             "0-6 y0: 0 6 12 24 30 36 40 | 6-9 y12: 0 6 12 18 | "
             "caret 1:3@18,12 h12 sel 9-9 port 0 painted (0,0,60,48) drawn ab\xD6\xD0"
             "cd@0,0 xyz@0,12 "},
            // The 16 x 16 object makes line 0 16 high; text stands on the line's bottom, and
            // the caret after the object is as high as the object.
            {"an object after \"ab\"",
             [&] {
                 Select(2, 2);
                 CTestObject* obj = new CTestObject("pic");
                 ed.ReplaceSel(static_cast<IVisibleComplexObj*>(obj));
                 obj->Destroy();
             },
             "0-7 y0: 0 6 12 28 40 46 52 56 | 7-10 y16: 0 6 12 18 | caret 0:3@28,0 h16 sel 3-3 "
             "port 0 painted (0,0,60,48) drawn ab@0,4 \xD6\xD0"
             "cd@28,4 xyz@0,16 "},
            // Selected text is drawn in groups of its own; each extension repaints the band
            // of the old and new selection together.
            {"Shift+Right twice", [&] { ed.MoveRight(TRUE), ed.MoveRight(TRUE); },
             "0-7 y0: 0 6 12 28 40 46 52 56 | 7-10 y16: 0 6 12 18 | caret 0:5@46,4 h12 sel 3-5 "
             "port 0 painted (0,0,60,16)(0,0,60,16) drawn ab@0,4 \xD6\xD0@28,4 cd@40,4 "
             "ab@0,4 \xD6\xD0"
             "c@28,4 d@46,4 "},
            // A click in the right half of "x" places the caret after it; the selection stays.
            {"click", [&] { ed.SetCaretByHit(ed.HitTest(CPoint(4, 20), FALSE)); },
             "0-7 y0: 0 6 12 28 40 46 52 56 | 7-10 y16: 0 6 12 18 | caret 1:1@6,16 h12 sel 3-5 "
             "port 0 painted  drawn "},
            {"the object asks for its own repaint",
             [&] {
                 ICompressStoreObj* obj = CCompressStore::Instance().Find(UuidFromBytes("pic", 3));
                 ed.GetCore().GetRoot()->GetEditorListeners()->Broadcast(
                     reinterpret_cast<uintptr_t>(obj));
             },
             "0-7 y0: 0 6 12 28 40 46 52 56 | 7-10 y16: 0 6 12 18 | caret 1:1@6,16 h12 sel 3-5 "
             "port 0 painted (12,0,28,16) drawn "},
            // After the object alone, a repaint draws everything again.
            {"repaint", [&] { ed.ReDrawWnd(CRect(0, 0, 60, 48), TRUE); },
             "0-7 y0: 0 6 12 28 40 46 52 56 | 7-10 y16: 0 6 12 18 | caret 1:1@6,16 h12 sel 3-5 "
             "port 0 painted (0,0,60,48) drawn ab@0,4 \xD6\xD0"
             "c@28,4 d@46,4 xyz@0,16 "},
        },
        drawn);

    // What lies under points of "ab[object]中cd\r" (edges 0 6 12 28 40 46 52 56) and "xyz":
    // line:unit/kind for the caret placement and for the exact hit.
    const auto hit = [](const HitInfo& h) {
        return std::to_string(h.line) + ":" + std::to_string(h.unit) + "/" +
               std::to_string(h.type) + (h.object ? "o" : "");
    };
    const struct {
        CPoint at;
        const char* caret;
        const char* exact;
    } hits[] = {
        {CPoint(2, 5), "0:0/1", "0:0/1"},      // left half of "a"
        {CPoint(4, 5), "0:1/1", "0:0/1"},      // right half of "a": the caret goes after it
        {CPoint(6, 5), "0:1/1", "0:1/1"},      // the edge between "a" and "b" belongs to "b"
        {CPoint(13, 5), "0:2/1", "0:2/2o"},    // left half of the object
        {CPoint(27, 5), "0:3/1", "0:2/2o"},    // right half of the object
        {CPoint(40, 5), "0:4/1", "0:4/1"},     // the edge of the ideograph and "c"
        {CPoint(58, 5), "0:6/1", "0:-1/-1"},   // past the break: before it, never after
        {CPoint(-3, 20), "1:0/1", "1:-1/0"},   // left of line 1
        {CPoint(50, 20), "1:3/1", "1:-1/-1"},  // past the end of the text
        {CPoint(5, 40), "1:1/1", "1:-1/0"},    // below the last line
    };
    for (const auto& h : hits) {
        EXPECT_EQ(hit(ed.HitTest(h.at, FALSE)), h.caret) << h.at.x << "," << h.at.y;
        EXPECT_EQ(hit(ed.HitTest(h.at, TRUE)), h.exact) << h.at.x << "," << h.at.y;
    }
}

TEST_F(ViewScript, LineQueriesFollowTheLayout) {
    Type("0123456789abc\rxy\r");
    EXPECT_EQ(ed.GetLineCount(), 4);  // a wrapped first paragraph, "xy\r" and the empty last line
    EXPECT_EQ(ed.GetLine(0), "0123456789");
    EXPECT_EQ(ed.GetLine(1), "abc\r");
    EXPECT_EQ(ed.LineIndex(2), 14);
    EXPECT_EQ(ed.LineLength(2), 3);
    EXPECT_EQ(ed.GetLine(3), "");
    EXPECT_EQ(ed.LineLength(3), 0);
    EXPECT_EQ(ed.GetLine(9), "");  // past the last line
    EXPECT_EQ(ed.GetLine(-1), "");
    EXPECT_EQ(ed.GetContentSize(), CSize(60, 36 + 12));  // the last line's bottom and 12
    EXPECT_EQ(host.content, ed.GetContentSize());
}

TEST_F(ViewScript, BadSizesAndPointsGiveClearAnswers) {
    Type("abc\rdef");
    ed.SetViewSize(CSize(0, 0));  // layout stops; nothing breaks
    Type("g");
    EXPECT_EQ(ed.GetLength(), 8);
    ed.SetViewSize(CSize(-20, -5));
    EXPECT_EQ(ed.GetCore().GetRoot()->GetView()->GetSurface(), nullptr);
    ed.SetViewSize(CSize(60, 48));  // a width again: everything is laid out anew
    EXPECT_EQ(ed.GetLine(1), "defg");
    EXPECT_EQ(ed.LineLength(99), 0);
    const HitInfo above = ed.HitTest(CPoint(100000, -100000), TRUE);  // on no line
    EXPECT_EQ(above.type, HIT_BESIDE);
    EXPECT_EQ(above.unit, -1);
    EXPECT_EQ(ed.HitTest(CPoint(-7, 100000), FALSE).line, ed.GetLineCount() - 1);
    host.painted.clear();
    ed.ReDrawWnd(CRect(10, 10, 5, 5), TRUE);  // an inverted rectangle reports nothing
    EXPECT_EQ(host.painted, "");
}

TEST(ViewEmpty, DefaultParagraphOfAnEmptyDocumentMovesTheEmptyLine) {
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

// Loading holds layout: the link detected meanwhile reaches back to line 0, above the lines
// laid out again, and its band is painted when the hold ends.
TEST_F(ViewScript, ALinkFormedByLoadedTextRepaintsTheLinesItReachesBack) {
    Type("abcdefgh ww.abcdefghijk");
    std::string data;
    {
        CEditorInterface src;
        ASSERT_TRUE(src.ReplaceSel(CString("w")));
        ASSERT_TRUE(src.SaveTo(data, CRange(0, 1)));
    }
    host.painted.clear();
    EXPECT_EQ(ed.GetLinkAt(9).link->GetType(), LINK_TYPE_NONE);
    ASSERT_TRUE(ed.LoadFrom(data, 11));
    EXPECT_EQ(ed.GetLinkAt(9).link->GetType(), LINK_TYPE_URL);
    EXPECT_EQ(ed.GetLinkAt(9).range, CRange(9, 24));
    EXPECT_EQ(host.painted, "(0,0,60,48)");
}
