// The commands against a real editor root: deleting and restoring ranges, inserting objects,
// fonts with field masks, colours, and the store references held.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "editor/Editor.h"
#include "engine/ColorCommand.h"
#include "engine/CompositeCommand.h"
#include "engine/DeleteRangeCommand.h"
#include "engine/FontCommand.h"
#include "engine/InsertObjectCommand.h"
#include "engine/InsertTextCommand.h"
#include "engine/Selector.h"
#include "format/ColorInfo.h"
#include "format/FontInfo.h"
#include "format/FormatInfo.h"
#include "model/CompressStore.h"
#include "model/Doc.h"
#include "model/RedrawSwitch.h"
#include "support/TestObjects.h"

namespace {

// Unit, object, font and colour of every position.
using Snapshot = std::vector<std::tuple<uint16_t, ZarniUUID, ZarniUUID, ZarniUUID>>;
using CommandPtr = TOwned<ICommand>;

LOGFONTA Font(LONG height, const char* face, LONG weight = FW_NORMAL, BYTE italic = 0,
              BYTE underline = 0) {
    LOGFONTA lf = {};
    lf.lfHeight = height;
    lf.lfWeight = weight;
    lf.lfItalic = italic;
    lf.lfUnderline = underline;
    std::strncpy(lf.lfFaceName, face, LF_FACESIZE - 1);
    return lf;
}

ZarniUUID FontId(const LOGFONTA& lf) {
    return CFontInfo(lf).ID();
}

class CommandsTest : public ::testing::Test {
protected:
    void TearDown() override {
        m_editor.reset();
        // Every object the test added is gone with its last holder.
        EXPECT_EQ(CTestObject::s_live, m_live);
    }

    CDoc* Doc() { return m_editor->GetDoc(); }
    CFormatInfo* Formats() { return m_editor->GetFormatInfo(); }
    ISelector* Sel() { return m_editor->GetSelector(); }
    std::string Text() { return Doc()->GetText().c_str().str(); }
    ZarniUUID FontAt(int pos) { return Formats()->GetFont(pos)->ID(); }
    Snapshot Take() {
        Snapshot s;
        for (int i = 0; i < Doc()->GetLength(); ++i)
            s.emplace_back(Doc()->GetUnit(i), Doc()->GetCOID(i), FontAt(i),
                           Formats()->GetColor(i)->ID());
        return s;
    }
    void SetFont(const LOGFONTA& lf, const CRange& range) {
        CFontInfo font(lf);
        ASSERT_TRUE(Formats()->SetFont(&font, range));
    }
    void SetColor(COLORREF color, const CRange& range) {
        CColorInfo info(color);
        ASSERT_TRUE(Formats()->SetColor(&info, range));
    }
    // A command aimed at this test's editor.
    template <class C, class... Args>
    TOwned<C> Make(Args&&... args) {
        TOwned<C> cmd = MakeOwned<C>(std::forward<Args>(args)...);
        cmd->SetTarget(m_editor.get());
        return cmd;
    }

    const int m_live = CTestObject::s_live;
    std::unique_ptr<CEditor> m_editor = std::make_unique<CEditor>();
};

}  // namespace

TEST_F(CommandsTest, DeleteRangeUndoRestoresUnitsObjectsAndFormatsExactly) {
    // a b 中 文 [pic] \r c d x y, with fonts and colours that differ from the neighbours.
    Doc()->Inserts(0, "ab\xD6\xD0\xCE\xC4\rcdxy");
    const ZarniUUID pic = StoreTestObject("pic");
    ASSERT_TRUE(Doc()->InsertCO(4, pic));
    CCompressStore::Instance().Release(pic);  // the document holds the only reference
    SetFont(Font(20, "SimSun"), CRange(1, 5));
    SetFont(Font(12, "Arial", FW_BOLD), CRange(5, 8));
    SetColor(RGB(255, 0, 0), CRange(0, 3));
    SetColor(RGB(0, 0, 255), CRange(3, 7));
    const Snapshot before = Take();

    auto cmd = Make<CDeleteRangeCommand>(CRange(1, 9));
    ASSERT_TRUE(cmd->Do());
    EXPECT_EQ(Text(), "ay");
    EXPECT_EQ(Sel()->GetSel(), CRange(1, 1));
    ASSERT_TRUE(cmd->Undo());  // the scratch copy kept the object alive
    EXPECT_EQ(Take(), before);
    EXPECT_EQ(Sel()->GetSel(), CRange(9, 9));

    // The clone has its own scratch copy: it works after the original is gone, and restores
    // everything though the limit was lowered since the deletion.
    ASSERT_TRUE(cmd->Do());
    CommandPtr clone(cmd->Clone());
    cmd.reset();
    Doc()->SetLimit(2);
    ASSERT_TRUE(clone->Undo());
    EXPECT_EQ(Take(), before);
    EXPECT_EQ(Doc()->GetLimit(), 2);
}

TEST_F(CommandsTest, DeleteRangeRefusesEmptyOrOutsideRangesAndClipsLongOnes) {
    Doc()->Inserts(0, "hello");
    const Snapshot before = Take();
    Sel()->SetSel(CRange(1, 2));
    for (CRange bad : {CRange(3, 3), CRange(4, 2), CRange(6, 9), CRange(-5, 0)}) {
        auto cmd = Make<CDeleteRangeCommand>(bad);
        EXPECT_FALSE(cmd->Do());
        EXPECT_FALSE(cmd->Undo());  // nothing kept, nothing to restore
    }
    EXPECT_EQ(Take(), before);
    EXPECT_EQ(Sel()->GetSel(), CRange(1, 2));

    auto cmd = Make<CDeleteRangeCommand>(CRange(1, 50));
    ASSERT_TRUE(cmd->Do());
    EXPECT_EQ(cmd->GetRange(), CRange(1, 5));
    EXPECT_EQ(Text(), "h");
    ASSERT_TRUE(cmd->Undo());  // at the very end of the text
    EXPECT_EQ(Take(), before);
}

TEST_F(CommandsTest, InsertObjectHoldsOneReferencePerInstanceAndUndoesOnlyItsObject) {
    EXPECT_FALSE(Make<CInsertObjectCommand>(0, UuidFromBytes("none", 4))->Do());  // not stored
    Doc()->Inserts(0, "ab");
    const ZarniUUID pic = StoreTestObject("insert-pic");
    auto cmd = Make<CInsertObjectCommand>(1, pic);
    CCompressStore::Instance().Release(pic);  // the command's reference is left
    ASSERT_TRUE(cmd->Do());
    EXPECT_EQ(Doc()->GetCOID(1), pic);
    EXPECT_EQ(Sel()->GetSel(), CRange(2, 2));
    CommandPtr clone(cmd->Clone());
    ASSERT_TRUE(cmd->Undo());
    cmd.reset();

    // The clone redoes alone, with its own reference. Its undo removes only its object at its
    // position: not the unit that stands there now, not the object elsewhere.
    ASSERT_TRUE(clone->Do());
    ASSERT_TRUE(clone->Undo());
    EXPECT_FALSE(clone->Undo());
    ASSERT_TRUE(Doc()->InsertCO(0, pic));
    EXPECT_FALSE(clone->Undo());
    EXPECT_EQ(Doc()->GetLength(), 3);

    // A command made before its object was stored holds nothing and releases nothing.
    auto early = Make<CInsertObjectCommand>(0, UuidFromBytes("late", 4));
    const ZarniUUID late = StoreTestObject("late");
    early.reset();
    EXPECT_EQ(CCompressStore::Instance().GetRefCount(late), 1);
    CCompressStore::Instance().Release(late);
}

TEST_F(CommandsTest, FontMaskChangesOnlySelectedFieldsOfEachRun) {
    Doc()->Inserts(0, "abcdef");
    SetFont(Font(12, "Arial"), CRange(0, 3));
    SetFont(Font(20, "Microsoft YaHei", FW_NORMAL, 1), CRange(3, 6));
    const Snapshot before = Take();
    struct : IRedrawListener {
        void N_RedrawChanged(BOOL on) override { calls.push_back(on); }
        std::vector<BOOL> calls;
    } redraw;
    m_editor->GetRedrawSwitch()->AddListener(&redraw);

    const CFontInfo bold(Font(99, "Courier", FW_BOLD));
    auto cmd =
        Make<CFontCommand>(bold, CRange(1, 5), CFontCommand::kWeight | CFontCommand::kFaceName);
    ASSERT_TRUE(cmd->Do());
    EXPECT_EQ(cmd->GetSavedCount(), 2u);
    EXPECT_EQ(FontAt(0), FontId(Font(12, "Arial")));
    EXPECT_EQ(FontAt(1), FontId(Font(12, "Courier", FW_BOLD)));
    // The face name is replaced whole: no bytes of the longer old name remain.
    EXPECT_EQ(FontAt(4), FontId(Font(20, "Courier", FW_BOLD, 1)));
    EXPECT_EQ(FontAt(5), FontId(Font(20, "Microsoft YaHei", FW_NORMAL, 1)));
    EXPECT_EQ(redraw.calls, (std::vector<BOOL>{FALSE, TRUE}));  // one repaint for all runs
    m_editor->GetRedrawSwitch()->RemoveListener(&redraw);
    ASSERT_TRUE(cmd->Undo());
    EXPECT_EQ(Take(), before);

    // At a caret the fields are merged into the typing font; a second change adds to it.
    const CFontInfo underline(Font(1, "x", FW_NORMAL, 0, 1));
    ASSERT_TRUE(Make<CFontCommand>(bold, CRange(4, 4), CFontCommand::kWeight)->Do());
    ASSERT_TRUE(Make<CFontCommand>(underline, CRange(4, 4), CFontCommand::kUnderline)->Do());
    EXPECT_EQ(Take(), before);
    auto typed = Make<CInsertTextCommand>(4, "z");
    ASSERT_TRUE(typed->Do());
    const ZarniUUID expected = FontId(Font(20, "Microsoft YaHei", FW_BOLD, 1, 1));
    EXPECT_EQ(FontAt(4), expected);
    // The typing font is used up; redo still gives the unit the font the first Do gave it.
    ASSERT_TRUE(typed->Undo());
    ASSERT_TRUE(typed->Do());
    EXPECT_EQ(FontAt(4), expected);

    const CFontInfo* none = nullptr;
    EXPECT_FALSE(Make<CFontCommand>(none, CRange(0, 2), CFontCommand::kAllFields)->Do());
    EXPECT_FALSE(Make<CFontCommand>(bold, CRange(10, 12), CFontCommand::kWeight)->Do());
}

TEST_F(CommandsTest, ColorUndoReappliesTheSavedRuns) {
    Doc()->Inserts(0, "abcdef");
    SetColor(RGB(255, 0, 0), CRange(0, 2));
    SetColor(RGB(0, 0, 255), CRange(2, 6));
    const Snapshot before = Take();

    auto cmd = Make<CColorCommand>(CColorInfo(RGB(0, 200, 0)), CRange(1, 4));
    ASSERT_TRUE(cmd->Do());
    EXPECT_EQ(cmd->GetSavedCount(), 2u);
    const COLORREF red = RGB(255, 0, 0), green = RGB(0, 200, 0), blue = RGB(0, 0, 255);
    const COLORREF expected[] = {red, green, green, green, blue, blue};
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(Formats()->GetColor(i)->GetColor(), expected[i]) << i;
    const Snapshot coloured = Take();

    // The clone undoes after the original is gone; redo saves the runs afresh.
    TOwned<CColorCommand> clone(static_cast<CColorCommand*>(cmd->Clone()));
    cmd.reset();
    ASSERT_TRUE(clone->Undo());
    EXPECT_EQ(Take(), before);
    ASSERT_TRUE(clone->Do());
    EXPECT_EQ(Take(), coloured);
    EXPECT_EQ(clone->GetSavedCount(), 2u);

    const CColorInfo* none = nullptr;
    EXPECT_FALSE(Make<CColorCommand>(none, CRange(0, 2))->Do());
    EXPECT_FALSE(Make<CColorCommand>(CColorInfo(RGB(1, 2, 3)), CRange(9, 12))->Do());
    EXPECT_EQ(Take(), coloured);
}
