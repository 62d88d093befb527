// Line building and the line store: the fill rules of both line kinds, pieces from the
// builder, wrapping, line geometry, size and mode changes, and relayout after every kind of
// change checked against a store built from scratch.
#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "LayoutHarness.h"
#include "format/ColorInfo.h"
#include "format/FontInfo.h"
#include "model/CompressStore.h"
#include "platform/ui/headless/HeadlessUi.h"
#include "support/RandomRuns.h"
#include "support/TestObjects.h"
#include "view/DraftLine.h"
#include "view/LineBuilder.h"
#include "view/LinePiece.h"
#include "view/UnwrappedLine.h"

namespace {

CLinePiece Text(const char* text, int cx, int cy) {
    return CLinePiece(CSize(cx, cy), CWordString(CString(text)));
}

std::string RangeText(const CRange& r) {
    return "(" + std::to_string(r.home) + "," + std::to_string(r.end) + ")";
}

// Records the pieces a build hands over.
class CPieceRecorder : public ILineConsumer {
public:
    int Feed(const CLinePiece& piece) override {
        out += std::to_string(piece.GetUnitCount()) + (piece.IsObject() ? "o" : "") + "@" +
               std::to_string(piece.GetCellSize().cx) + "x" +
               std::to_string(piece.GetCellSize().cy) + " ";
        return 1;
    }
    void EndBuild() override { ++ends; }
    std::string out;
    int ends = 0;
};

// Puts one test object into the shared store and gives its id; the caller releases it.
ZarniUUID StoreObject(const char* name) {
    CTestObject* obj = new CTestObject(name);
    CCompressStore::Instance().Add(obj);
    const ZarniUUID id = obj->GetID();
    obj->Destroy();
    return id;
}

}  // namespace

TEST(DraftLine, FillRulesOfWrappedAndUnwrappedLines) {
    CDraftLine line(20);
    line.SetStart(5);
    line.MoveTo(CPoint(10, 30));
    EXPECT_EQ(line.Feed(Text("abcd", 6, 12), 0), 3);  // a fourth would make 24 > 20
    EXPECT_EQ(line.Feed(Text("abcd", 6, 12), 3), 0);
    EXPECT_EQ(line.GetDocRange(), CRange(5, 8));
    EXPECT_EQ(line.GetRect(), CRect(10, 30, 28, 42));
    // The line break goes on without a width test and ends the line.
    EXPECT_EQ(line.Feed(Text("\rx", 4, 12), 0), 1);
    EXPECT_TRUE(line.IsEnded());
    EXPECT_EQ(line.GetContentWidth(), 22);
    EXPECT_EQ(line.Feed(Text("x", 1, 1), 0), 0);
    line.AssertValid();

    // The first unit is placed however wide; the next object no longer fits.
    CDraftLine narrow(5);
    CTestObject* obj = new CTestObject("wide");
    EXPECT_EQ(narrow.Feed(CLinePiece(CSize(16, 16), obj), 0), 1);
    EXPECT_EQ(narrow.Feed(CLinePiece(CSize(16, 16), obj), 0), 0);
    EXPECT_EQ(narrow.GetRect(), CRect(0, 0, 16, 16));
    obj->Destroy();

    // Height follows the tallest unit; the line space is added below; moves keep the size.
    CDraftLine tall(100);
    tall.SetLineSpace(4);
    tall.Feed(Text("ab", 6, 12), 0);
    tall.Feed(Text("c", 8, 20), 0);
    EXPECT_EQ(tall.GetRect(), CRect(0, 0, 20, 24));
    tall.MoveTo(CPoint(3, 7));
    tall.OffsetY(10);
    tall.OffsetPos(4);
    EXPECT_EQ(tall.GetRect(), CRect(3, 17, 23, 41));
    EXPECT_EQ(tall.GetDocRange(), CRange(4, 7));
    EXPECT_EQ(tall.Feed(Text("d", 6, 12), 5), 0);  // first index past the piece

    // An unwrapped line takes every unit, line breaks included, and never ends.
    CUnwrappedLine unwrapped;
    unwrapped.OffsetX(3);
    unwrapped.SetLineSpace(2);
    EXPECT_EQ(unwrapped.Feed(Text("a\rb", 6, 12), 1), 2);
    EXPECT_EQ(unwrapped.Feed(Text("0123456789", 6, 12), 0), 10);
    unwrapped.SetEnded();
    EXPECT_FALSE(unwrapped.IsEnded());
    EXPECT_EQ(unwrapped.GetDocRange(), CRange(0, 12));
    EXPECT_EQ(unwrapped.GetRect(), CRect(3, 0, 75, 14));
}

TEST(LineBuilder, MakesPiecesOfEqualSizeAndOneForEachObject) {
    CLayoutHarness h;
    h.metrics.Factory().SetFontHeightSizes(20, CSize(8, 20), CSize(16, 20));
    const ZarniUUID id = StoreObject("smile");
    h.Append("ab\xD6\xD0\rcd");
    h.Doc()->InsertCO(h.Doc()->GetLength(), id);
    h.Append("ef");
    LOGFONTA lf = h.editor.GetFormatInfo()->GetDefaultFont().GetLogFont();
    lf.lfHeight = -20;
    CFontInfo big(lf);
    h.editor.GetFormatInfo()->SetFont(&big, CRange(5, 8));  // "d", the object, "e"

    CPieceRecorder recorder;
    CLineBuilder::Instance().Build(&h.editor, CRange(0, 10), &recorder);
    EXPECT_EQ(recorder.out, "2@6x12 1@12x12 1@4x12 1@6x12 1@8x20 1o@16x16 1@8x20 1@6x12 ");
    EXPECT_EQ(recorder.ends, 1);

    // Part of the document, a range clipped to it, and nothing for empty ranges.
    recorder.out.clear();
    CLineBuilder::Instance().Build(&h.editor, CRange(1, 3), &recorder);
    EXPECT_EQ(recorder.out, "1@6x12 1@12x12 ");
    recorder.out.clear();
    CLineBuilder::Instance().Build(&h.editor, CRange(7, 50), &recorder);
    EXPECT_EQ(recorder.out, "1@8x20 1@6x12 ");
    CLineBuilder::Instance().Build(&h.editor, CRange(4, 4), &recorder);
    CLineBuilder::Instance().Build(&h.editor, CRange(0, 5), nullptr);
    EXPECT_EQ(recorder.ends, 3);
    CCompressStore::Instance().Release(id);
}

TEST(ViewStore, UnitsStandOnTheLineBottomBelowTheLineSpace) {
    CLayoutHarness h;
    h.SetPara(0, 2, 4);
    h.Append("01234\rabcd\r12345");
    EXPECT_EQ(h.store.GetUnitRect(0, 4), CRect(24, 4, 30, 16));
    EXPECT_EQ(h.store.GetUnitRect(0, 5), CRect(30, 4, 34, 16));  // the line break: 4 x 12
    EXPECT_EQ(h.store.GetLineRect(1), CRect(0, 16, 28, 32));
    EXPECT_EQ(h.store.GetPosRect(7), CRect(6, 20, 12, 32));
    EXPECT_EQ(h.store.GetUnitRect(0, 6), CRect());  // not a unit of the line
    EXPECT_EQ(h.store.GetContentSize(), CSize(1000, 60));

    // Indents move the line and narrow it.
    h.editor.GetParagraph()->SetParaInfo(zarni::CZarniParaInfo(10, 970, 0), CRange(6, 7));
    EXPECT_EQ(h.store.GetLineRect(1), CRect(10, 16, 28, 28));  // 20 pixels: three units
    EXPECT_EQ(RangeText(h.store.GetLineDocRange(1)), "(6,9)");
    EXPECT_EQ(h.Current(), h.Fresh());
}

TEST(ViewStore, LinesStackByContentHeightPlusLineSpace) {
    CLayoutHarness h;
    h.SetPara(0, 0, 0);
    for (int i = 0; i < 38; ++i)
        h.Append("0123456789\r");
    EXPECT_EQ(h.store.GetLineRect(1).bottom, 24);
    EXPECT_EQ(h.store.GetLineRect(37).bottom, 12 * 38);
    // The empty line after the final break: a 6 x 12 box under the last line object.
    EXPECT_EQ(h.store.GetLineCount(), 39);
    EXPECT_EQ(h.store.GetLineRect(38), CRect(0, 456, 6, 468));
    EXPECT_EQ(h.store.GetUnitRect(38, 0), CRect(0, 456, 6, 468));
    EXPECT_EQ(RangeText(h.store.GetLineDocRange(38)), "(418,418)");
    EXPECT_EQ(h.store.GetPosRect(418), CRect(0, 456, 6, 468));
    EXPECT_EQ(h.store.GetLineRect(39), CRect());
    EXPECT_EQ(h.store.GetContentSize(), CSize(1000, 468));
}

TEST(ViewStore, WrapsByUnitWithoutTestingLineBreaks) {
    CLayoutHarness h(CSize(30, 500));
    h.SetPara(0, 0, 0);
    h.Append("abcdefghijk");
    EXPECT_EQ(h.Lines(), "0: 0-5  (0,0,30,12)\n1: 5-10  (0,12,30,24)\n2: 10-11  (0,24,6,36)\n");
    // Text exactly filling the width keeps its break; the next paragraph starts a new line.
    h.Doc()->Delete(0, 11);
    h.Append("abcde\rfg");
    EXPECT_EQ(h.Lines(), "0: 0-6E (0,0,34,12)\n1: 6-8  (0,12,12,24)\n");
    // Units of several widths share a line while they fit.
    h.Doc()->Delete(0, 8);
    const ZarniUUID id = StoreObject("wide");
    h.Append("\xD6\xD0\xB0\xA1\xD6\xD0");
    h.Doc()->InsertCO(1, id);
    EXPECT_EQ(h.Lines(), "0: 0-2  (0,0,28,16)\n1: 2-4  (0,16,24,28)\n");
    // In a view narrower than every unit each unit has a line of its own.
    h.store.SetSize(CSize(10, 500));
    EXPECT_EQ(h.store.GetLineObjectCount(), 4);
    EXPECT_EQ(h.Current(), h.Fresh());
    h.Doc()->Delete(0, 4);
    CCompressStore::Instance().Release(id);
}

TEST(ViewStore, SingleLineModeHoldsTheWholeDocument) {
    CLayoutHarness h;
    h.Append("ab\rcd\r");
    h.store.SetMode(0);
    EXPECT_EQ(h.store.GetMode(), 0);
    EXPECT_EQ(h.store.GetLineCount(), 1);
    EXPECT_EQ(h.Lines(), "0: 0-6  (2,0,34,16)\n");  // default indent 2, line space 4
    h.Insert(3, "xyz\r");
    EXPECT_EQ(h.Lines(), "0: 0-10  (2,0,56,16)\n");
    h.store.SetMode(7);  // not a mode: ignored
    EXPECT_EQ(h.store.GetMode(), 0);
    h.store.SetMode(1);
    EXPECT_EQ(h.store.GetLineCount(), 4);
    EXPECT_EQ(h.Current(), h.Fresh());
}

TEST(ViewStore, ZeroWidthStopsLayoutUntilAWidthArrives) {
    CLayoutHarness h(CSize(60, 500));
    h.Append("0123456789012");
    const std::string before = h.Lines();
    h.store.SetSize(CSize(0, 500));
    EXPECT_TRUE(h.store.GetDetailStore().IsEmpty());
    h.Append("\r345");
    EXPECT_EQ(h.Lines(), before);
    EXPECT_EQ(h.store.GetUnitRect(0, 0), CRect());
    h.store.SetMode(0);
    EXPECT_EQ(h.Lines(), before);
    h.store.SetSize(CSize(60, 500));
    EXPECT_EQ(h.store.GetLineObjectCount(), 1);
    h.store.SetMode(1);
    EXPECT_EQ(RangeText(h.store.GetLineDocRange(1)), "(9,14)");
    EXPECT_EQ(h.store.GetLineObjectCount(), 3);
    EXPECT_EQ(h.Current(), h.Fresh());
    h.store.AssertValid();
}

TEST(ViewStore, NewWidthKeepsTheViewPortOnTheContent) {
    CLayoutHarness h(CSize(1000, 100));
    h.SetPara(0, 0, 0);
    for (int i = 0; i < 38; ++i)
        h.Append("0123456789\r");
    // A height change alone keeps the line objects.
    const ILine* first = h.store.GetLine(0);
    h.store.SetSize(CSize(1000, 120));
    EXPECT_EQ(h.store.GetLine(0), first);
    // The view port lies below the content: it comes back to end with the last line.
    EXPECT_TRUE(h.store.SetViewPort(CPoint(0, 1000)));
    h.store.SetSize(CSize(900, 100));
    EXPECT_EQ(h.store.GetViewPort(), CRect(0, 356, 900, 456));
    EXPECT_EQ(h.store.GetPrevViewPort().top, 1000);
    // Content shorter than the view: back to the top.
    h.Doc()->Delete(22, h.Doc()->GetLength() - 22);
    h.store.SetSize(CSize(800, 100));
    EXPECT_EQ(h.store.GetViewPort(), CRect(0, 0, 800, 100));
    EXPECT_FALSE(h.store.SetViewPort(CPoint(0, 0)));
}

TEST(ViewStore, FindsLinesOfPositionsAndHeights) {
    CLayoutHarness h(CSize(1000, 40));
    h.SetPara(0, 0, 3);
    h.Append("abc\rdefg\rhi\r");
    for (auto [pos, line] : {std::pair{-5, 0}, {3, 0}, {4, 1}, {11, 2}, {500, 2}})
        EXPECT_EQ(h.store.GetLineOfPos(pos), line) << pos;
    // y 14 is inside line 0's space; 45 lies below every line.
    for (auto [y, line] : {std::pair{0, 0}, {14, 0}, {15, 1}, {44, 2}, {45, 2}, {-1, 0}})
        EXPECT_EQ(h.store.GetLineAtY(y), line) << y;
    int line = -9, unit = -9;
    h.store.GetLineUnitOfPos(6, line, unit);
    EXPECT_EQ(line * 10 + unit, 12);
    h.store.GetLineUnitOfPos(12, line, unit);  // after the final break: the empty last line
    EXPECT_EQ(line * 10 + unit, 30);
    h.store.GetVisibleLines(line, unit);
    EXPECT_EQ(line * 10 + unit, 3);
    EXPECT_EQ(RangeText(h.store.GetVisibleRange()), "(0,12)");
    h.store.SetViewPort(CPoint(0, 20));
    h.store.GetVisibleLines(line, unit);
    EXPECT_EQ(line * 10 + unit, 13);
    EXPECT_EQ(h.store.GetPosRect(0), CRect(-1, -1, -1, -1));  // outside the detail window
    // The changed part runs from the first changed line to the view port's bottom.
    h.Insert(10, "x");
    EXPECT_EQ(h.store.GetFirstChangedLine(), 2);
    EXPECT_EQ(h.store.GetLastChangedPos(), 10);
    EXPECT_EQ(h.store.GetChangedRect(), CRect(0, 30, 1000, 60));
    h.Doc()->Delete(0, 1);
    EXPECT_EQ(h.store.GetFirstChangedLine(), 0);
    EXPECT_EQ(h.store.GetLastChangedPos(), -1);
    EXPECT_EQ(h.store.GetChangedRect(), CRect(0, 20, 1000, 60));
}

// Bad notices resynchronise the store instead of corrupting it.
TEST(ViewStore, NoticesThatDoNotMatchTheLinesRebuildEverything) {
    CLayoutHarness h(CSize(50, 300));
    h.Append("0123456789\r0123456789");
    EXPECT_FALSE(h.store.OnInserted(3, 0));
    EXPECT_FALSE(h.store.OnDeleted(3, -2));
    EXPECT_FALSE(h.store.OnFormatChanged(500, 3));
    EXPECT_FALSE(h.store.OnParaChanged(CRange(9, 2)));
    EXPECT_TRUE(h.store.OnInserted(-4, 2));
    EXPECT_TRUE(h.store.OnDeleted(19, 7));
    EXPECT_TRUE(h.store.OnInserted(3, INT32_MAX));
    EXPECT_TRUE(h.store.OnDeleted(2, INT32_MAX));
    EXPECT_TRUE(h.store.OnFormatChanged(1, INT32_MAX));
    EXPECT_EQ(h.store.GetLastChangedPos(), 20);
    EXPECT_EQ(h.Current(), h.Fresh());
    h.store.AssertValid();
}

namespace {

// Random edits of every kind, each followed by a comparison of the incrementally kept
// store with one built from scratch.
class CRandomEditor {
public:
    CRandomEditor(CLayoutHarness& h, uint32_t seed) : m_h(h), m_rng(seed) {
        CFixedMetricFactory& f = h.metrics.Factory();
        f.SetCharSize('W', CSize(11, 12));
        f.SetCharSize('i', CSize(3, 12));
        f.SetFontHeightSizes(20, CSize(8, 20), CSize(16, 20));
        f.SetFontHeightSizes(9, CSize(4, 9), CSize(9, 9));
        for (int height : {-12, -20, -9}) {
            LOGFONTA lf = h.editor.GetFormatInfo()->GetDefaultFont().GetLogFont();
            lf.lfHeight = height;
            m_fonts.emplace_back(lf);
        }
        for (COLORREF c : {RGB(255, 0, 0), RGB(0, 0, 255)})
            m_colors.emplace_back(c);
        m_objects.push_back(StoreObject("dice"));
        m_objects.push_back(StoreObject("cat"));
    }
    ~CRandomEditor() {
        m_h.Doc()->Delete(0, m_h.Doc()->GetLength());
        for (const ZarniUUID& id : m_objects)
            CCompressStore::Instance().Release(id);
    }

    std::string Step() {
        const int length = m_h.Doc()->GetLength();
        const int pos = Pick(length + 1);
        switch (Pick(20)) {
            case 0:
            case 1:
            case 2:
            case 3:
            case 4:
            case 5: {
                std::string text;
                for (int n = 1 + Pick(8); n > 0; --n)
                    text += kPieces[Pick(sizeof(kPieces) / sizeof(kPieces[0]))];
                m_h.Insert(pos, text.c_str());
                return "insert at " + std::to_string(pos);
            }
            case 6:
                m_h.Doc()->InsertCO(pos, m_objects[Pick(2)]);
                return "object at " + std::to_string(pos);
            case 7:
            case 8:
            case 9: {
                const int count = 1 + Pick(12);
                m_h.Doc()->Delete(pos, count);
                return "delete " + std::to_string(pos) + "+" + std::to_string(count);
            }
            case 10:
            case 11: {
                const CRange r(pos, pos + Pick(15));
                m_h.editor.GetFormatInfo()->SetFont(&m_fonts[Pick(3)], r);
                return "font " + std::to_string(r.home) + "-" + std::to_string(r.end);
            }
            case 12: {
                const CRange r(pos, pos + Pick(15));
                m_h.editor.GetFormatInfo()->SetColor(&m_colors[Pick(2)], r);
                return "colour";
            }
            case 13:
            case 14: {
                // An empty document has no paragraph whose change could be announced.
                if (length == 0)
                    return "no paragraph";
                const CRange r(pos, pos + Pick(10));
                m_h.editor.GetParagraph()->SetParaInfo(
                    zarni::CZarniParaInfo(Pick(12), Pick(12), Pick(7)), r);
                return "paragraph " + std::to_string(r.home) + "-" + std::to_string(r.end);
            }
            case 15:
            case 16:
                m_h.store.SetViewPort(CPoint(0, Pick(200)));
                return "view port";
            case 17:
                m_h.store.SetSize(CSize(24 + Pick(80), 40 + Pick(80)));
                return "size";
            case 18:
                m_h.store.SetMode(Pick(4) == 0 ? 0 : 1);
                return "mode";
            default:
                m_h.store.SetSize(CSize(m_h.store.GetSize().cx, Pick(3) == 0 ? 0 : 60));
                return "height";
        }
    }

private:
    int Pick(int n) { return n <= 0 ? 0 : static_cast<int>(m_rng() % static_cast<uint32_t>(n)); }

    static constexpr const char* kPieces[] = {"a",        "W",        "i",        "\r", " ",
                                              "\xD6\xD0", "\xB0\xA1", "\xA1\xA1", "xy", "\r\r"};
    CLayoutHarness& m_h;
    std::mt19937 m_rng;
    std::vector<CFontInfo> m_fonts;
    std::vector<CColorInfo> m_colors;
    std::vector<ZarniUUID> m_objects;
};

}  // namespace

TEST(ViewStore, IncrementalRelayoutMatchesAFreshBuild) {
    const size_t objectsBefore = CCompressStore::Instance().GetObjectCount();
    CHeadlessUi::Instance().ClearMessageBoxes();
    for (uint32_t seed = 1; seed <= RandomSeeds(20); ++seed) {
        CLayoutHarness h(CSize(64, 80));
        CRandomEditor random(h, seed);
        for (int step = 0; step < 160; ++step) {
            const std::string what = random.Step();
            h.store.AssertValid();
            const std::string fresh = h.Fresh();
            ASSERT_EQ(h.Current(), fresh) << "seed " << seed << " step " << step << ": " << what;
        }
    }
    EXPECT_TRUE(CHeadlessUi::Instance().GetMessageBoxes().empty());
    EXPECT_EQ(CCompressStore::Instance().GetObjectCount(), objectsBefore);
}
