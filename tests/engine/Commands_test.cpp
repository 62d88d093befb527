// The commands against a real editor root: deleting and restoring ranges, inserting text
// and objects, fonts with field masks, colours, composites, and the store references held.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "engine/ColorCommand.h"
#include "engine/CompositeCommand.h"
#include "engine/DeleteRangeCommand.h"
#include "editor/Editor.h"
#include "engine/FontCommand.h"
#include "engine/InsertObjectCommand.h"
#include "engine/InsertTextCommand.h"
#include "model/RedrawSwitch.h"
#include "engine/Selector.h"
#include "format/ColorInfo.h"
#include "format/FontInfo.h"
#include "format/FormatInfo.h"
#include "model/CompressStore.h"
#include "model/Doc.h"
#include "support/TestObjects.h"

namespace {

// Unit, object, font and colour of every position.
using Snapshot = std::vector<std::tuple<uint16_t, ZarniUUID, ZarniUUID, ZarniUUID>>;

LOGFONTA Font(LONG height, const char* face, LONG weight = FW_NORMAL, BYTE italic = 0) {
    LOGFONTA lf;
    std::memset(&lf, 0, sizeof(lf));
    lf.lfHeight = height;
    lf.lfWeight = weight;
    lf.lfItalic = italic;
    std::strncpy(lf.lfFaceName, face, LF_FACESIZE - 1);
    return lf;
}

// Puts a test object into the shared store; the caller holds the one reference.
ZarniUUID AddObject(const std::string& name) {
    auto* obj = new CTestObject(name);
    const ZarniUUID id = obj->GetID();
    CCompressStore::Instance().Add(obj);
    obj->Destroy();
    return id;
}

int Refs(const ZarniUUID& id) {
    return CCompressStore::Instance().GetRefCount(id);
}

// Deletes commands made on the heap.
struct Destroyer {
    void operator()(ICommand* cmd) const { cmd->Destroy(); }
};
using CommandPtr = std::unique_ptr<ICommand, Destroyer>;

class RedrawRecorder : public IRedrawListener {
public:
    void N_RedrawChanged(BOOL on) override { calls.push_back(on); }
    std::vector<BOOL> calls;
};

class CommandsTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_live = CTestObject::s_live;
        m_editor = std::make_unique<CEditor>();
    }
    void TearDown() override {
        Check();
        m_editor.reset();
        // Every object the test added is gone with its last holder.
        EXPECT_EQ(CTestObject::s_live, m_live);
    }

    CDoc* Doc() { return m_editor->GetDoc(); }
    CFormatInfo* Formats() { return m_editor->GetFormatInfo(); }
    ISelector* Sel() { return m_editor->GetSelector(); }
    std::string Text() { return Doc()->GetText().c_str().str(); }
    CFontInfo* FontAt(int pos) { return Formats()->GetFont(pos); }

    Snapshot Take() {
        Snapshot s;
        for (int i = 0; i < Doc()->GetLength(); ++i) {
            s.emplace_back(Doc()->GetUnit(i), Doc()->GetCOID(i), FontAt(i)->ID(),
                           Formats()->GetColor(i)->ID());
        }
        return s;
    }
    void Check() {
        Doc()->AssertValid();
        Formats()->AssertValid();
        CCompressStore::Instance().AssertValid();
    }
    void SetFont(const LOGFONTA& lf, const CRange& range) {
        CFontInfo font(lf);
        ASSERT_TRUE(Formats()->SetFont(&font, range));
    }
    void SetColor(COLORREF color, const CRange& range) {
        CColorInfo info(color);
        ASSERT_TRUE(Formats()->SetColor(&info, range));
    }
    // Puts a test object into the store and at pos in the document, which then holds the
    // only reference.
    ZarniUUID Place(const std::string& name, int pos) {
        const ZarniUUID id = AddObject(name);
        EXPECT_TRUE(Doc()->InsertCO(pos, id));
        CCompressStore::Instance().Release(id);
        return id;
    }
    CommandPtr Targeted(ICommand* cmd) {
        cmd->SetTarget(m_editor.get());
        return CommandPtr(cmd);
    }

    std::unique_ptr<CEditor> m_editor;
    int m_live = 0;
};

}  // namespace

TEST_F(CommandsTest, DeleteRangeUndoRestoresUnitsObjectsAndFormatsExactly) {
    // a b 中 文 [pic] \r c d x y, with fonts and colours that differ from the neighbours.
    Doc()->Inserts(0, "ab\xD6\xD0\xCE\xC4\rcdxy");
    const ZarniUUID pic = Place("pic", 4);
    SetFont(Font(20, "SimSun"), CRange(1, 5));
    SetFont(Font(12, "Arial", FW_BOLD), CRange(5, 8));
    SetColor(RGB(255, 0, 0), CRange(0, 3));
    SetColor(RGB(0, 0, 255), CRange(3, 7));
    const Snapshot before = Take();
    ASSERT_EQ(before.size(), 10u);

    auto* cmd = new CDeleteRangeCommand(CRange(1, 9));
    CommandPtr owner = Targeted(cmd);
    ASSERT_TRUE(cmd->Do());
    cmd->AssertValid();
    EXPECT_EQ(Text(), "ay");
    EXPECT_EQ(Sel()->GetSel(), CRange(1, 1));
    EXPECT_EQ(Refs(pic), 1);  // the scratch copy keeps the object alive
    const Snapshot deleted = Take();

    ASSERT_TRUE(cmd->Undo());
    EXPECT_EQ(Take(), before);
    EXPECT_EQ(Sel()->GetSel(), CRange(9, 9));
    EXPECT_EQ(Refs(pic), 2);
    // Redo empties the scratch first and copies again.
    ASSERT_TRUE(cmd->Do());
    EXPECT_EQ(Take(), deleted);
    EXPECT_EQ(Refs(pic), 1);

    // The clone has its own scratch copy: it works after the original is gone, and restores
    // everything though the limit was lowered since the deletion.
    CommandPtr clone(cmd->Clone());
    EXPECT_EQ(Refs(pic), 2);
    owner.reset();
    EXPECT_EQ(Refs(pic), 1);
    Doc()->SetLimit(2);
    ASSERT_TRUE(clone->Undo());
    EXPECT_EQ(Take(), before);
    EXPECT_EQ(Doc()->GetLimit(), 2);
    Doc()->SetLimit(-1);
}

TEST_F(CommandsTest, DeleteRangeRefusesEmptyOrOutsideRangesAndClipsLongOnes) {
    Doc()->Inserts(0, "hello");
    const Snapshot before = Take();
    Sel()->SetSel(CRange(1, 2));
    for (CRange bad : {CRange(3, 3), CRange(4, 2), CRange(6, 9), CRange(-5, 0)}) {
        CommandPtr cmd = Targeted(new CDeleteRangeCommand(bad));
        EXPECT_FALSE(cmd->Do());
        EXPECT_FALSE(cmd->Undo());  // nothing kept, nothing to restore
    }
    EXPECT_EQ(Take(), before);
    EXPECT_EQ(Sel()->GetSel(), CRange(1, 2));

    auto* cmd = new CDeleteRangeCommand(CRange(1, 50));
    CommandPtr owner = Targeted(cmd);
    ASSERT_TRUE(cmd->Do());
    EXPECT_EQ(cmd->GetRange(), CRange(1, 5));
    EXPECT_EQ(Text(), "h");
    ASSERT_TRUE(cmd->Undo());
    EXPECT_EQ(Take(), before);
}

TEST_F(CommandsTest, InsertTextKeepsOnlyWhatTheDocumentTook) {
    Doc()->Inserts(0, "abc");
    Doc()->SetLimit(5);
    auto* cmd = new CInsertTextCommand(1, "XYZW");
    CommandPtr owner = Targeted(cmd);
    ASSERT_TRUE(cmd->Do());
    EXPECT_EQ(Text(), "aXYbc");
    EXPECT_EQ(cmd->GetText(), "XY");
    EXPECT_EQ(Sel()->GetSel(), CRange(3, 3));
    ASSERT_TRUE(cmd->Undo());
    EXPECT_EQ(Text(), "abc");
    Doc()->SetLimit(-1);
    ASSERT_TRUE(cmd->Do());  // redo brings back the two units, not the whole text
    EXPECT_EQ(Text(), "aXYbc");

    // A double-byte character is one unit: undo removes exactly what was inserted.
    CommandPtr wide = Targeted(new CInsertTextCommand(5, "\xD6\xD0z"));
    ASSERT_TRUE(wide->Do());
    EXPECT_EQ(Doc()->GetLength(), 7);
    ASSERT_TRUE(wide->Undo());
    EXPECT_EQ(Text(), "aXYbc");

    // Empty text, positions outside the text and a full document fail and leave the selection
    // alone.
    Sel()->SetSel(CRange(1, 2));
    Doc()->SetLimit(5);  // full: nothing is taken
    for (auto [pos, text] : {std::pair{0, ""}, {6, "q"}, {-1, "q"}, {0, "q"}})
        EXPECT_FALSE(Targeted(new CInsertTextCommand(pos, text))->Do()) << pos << text;
    Doc()->SetLimit(-1);
    EXPECT_EQ(Text(), "aXYbc");
    EXPECT_EQ(Sel()->GetSel(), CRange(1, 2));

    // Undo refuses when the document no longer holds the inserted range.
    Doc()->Delete(2, 3);
    EXPECT_FALSE(cmd->Undo());
    EXPECT_EQ(Text(), "aX");
}

TEST_F(CommandsTest, InsertObjectHoldsOneReferencePerInstance) {
    EXPECT_FALSE(Targeted(new CInsertObjectCommand(0, UuidFromBytes("none", 4)))->Do());
    EXPECT_EQ(Doc()->GetLength(), 0);

    Doc()->Inserts(0, "ab");
    const ZarniUUID pic = AddObject("insert-pic");
    auto* cmd = new CInsertObjectCommand(1, pic);
    CommandPtr original = Targeted(cmd);
    EXPECT_EQ(Refs(pic), 2);
    CCompressStore::Instance().Release(pic);  // the builder's reference goes back
    EXPECT_EQ(Refs(pic), 1);

    ASSERT_TRUE(cmd->Do());
    EXPECT_EQ(Doc()->GetCOID(1), pic);
    EXPECT_EQ(Sel()->GetSel(), CRange(2, 2));
    EXPECT_EQ(Refs(pic), 2);
    CommandPtr clone(cmd->Clone());
    EXPECT_EQ(Refs(pic), 3);
    ASSERT_TRUE(cmd->Undo());
    EXPECT_EQ(Text(), "ab");
    EXPECT_EQ(Refs(pic), 2);

    // With the document's reference and the original gone, the clone can still redo.
    original.reset();
    EXPECT_EQ(Refs(pic), 1);
    ASSERT_TRUE(clone->Do());
    EXPECT_EQ(Doc()->GetCOID(1), pic);
    ASSERT_TRUE(clone->Undo());
    EXPECT_FALSE(clone->Undo());  // the unit at pos is no longer this object
    EXPECT_EQ(Text(), "ab");
    clone.reset();
    EXPECT_EQ(Refs(pic), 0);

    // A command made before its object was stored holds nothing and releases nothing.
    CommandPtr early = Targeted(new CInsertObjectCommand(0, UuidFromBytes("late", 4)));
    const ZarniUUID late = AddObject("late");
    early.reset();
    EXPECT_EQ(Refs(late), 1);
    CCompressStore::Instance().Release(late);
}

TEST_F(CommandsTest, FontMaskChangesOnlySelectedFieldsOfEachRun) {
    Doc()->Inserts(0, "abcdef");
    SetFont(Font(12, "Arial"), CRange(0, 3));
    SetFont(Font(20, "Microsoft YaHei", FW_NORMAL, 1), CRange(3, 6));
    const Snapshot before = Take();
    RedrawRecorder redraw;
    m_editor->GetRedrawSwitch()->AddListener(&redraw);

    const CFontInfo bold(Font(99, "Courier", FW_BOLD));
    auto* cmd =
        new CFontCommand(bold, CRange(1, 5), CFontCommand::kWeight | CFontCommand::kFaceName);
    CommandPtr owner = Targeted(cmd);
    ASSERT_TRUE(cmd->Do());
    EXPECT_EQ(cmd->GetSavedCount(), 2u);
    EXPECT_EQ(FontAt(0)->ID(), std::get<2>(before[0]));
    EXPECT_EQ(FontAt(1)->ID(), CFontInfo(Font(12, "Courier", FW_BOLD)).ID());
    // The face name is replaced whole: no bytes of the longer old name remain.
    EXPECT_EQ(FontAt(4)->ID(), CFontInfo(Font(20, "Courier", FW_BOLD, 1)).ID());
    EXPECT_EQ(FontAt(5)->ID(), std::get<2>(before[5]));
    EXPECT_EQ(redraw.calls, (std::vector<BOOL>{FALSE, TRUE}));
    EXPECT_TRUE(m_editor->GetRedrawSwitch()->IsOn());
    ASSERT_TRUE(cmd->Undo());
    EXPECT_EQ(Take(), before);

    CommandPtr all = Targeted(new CFontCommand(bold, CRange(0, 6), CFontCommand::kAllFields));
    ASSERT_TRUE(all->Do());
    EXPECT_EQ(FontAt(0)->ID(), bold.ID());
    EXPECT_EQ(FontAt(5)->ID(), bold.ID());
    ASSERT_TRUE(all->Undo());

    // At a caret the fields are merged into the typing font; a second change adds to it.
    CommandPtr weight = Targeted(new CFontCommand(bold, CRange(4, 4), CFontCommand::kWeight));
    ASSERT_TRUE(weight->Do());
    LOGFONTA underline = Font(1, "x");
    underline.lfUnderline = 1;
    CommandPtr under =
        Targeted(new CFontCommand(CFontInfo(underline), CRange(4, 4), CFontCommand::kUnderline));
    ASSERT_TRUE(under->Do());
    EXPECT_EQ(Take(), before);
    CommandPtr typed = Targeted(new CInsertTextCommand(4, "z"));
    ASSERT_TRUE(typed->Do());
    LOGFONTA expected = Font(20, "Microsoft YaHei", FW_BOLD, 1);
    expected.lfUnderline = 1;
    EXPECT_EQ(FontAt(4)->ID(), CFontInfo(expected).ID());
    // The typing font is used up; redo still gives the unit the font the first Do gave it.
    ASSERT_TRUE(typed->Undo());
    ASSERT_TRUE(typed->Do());
    EXPECT_EQ(FontAt(4)->ID(), CFontInfo(expected).ID());

    const CFontInfo* none = nullptr;
    EXPECT_FALSE(Targeted(new CFontCommand(none, CRange(0, 2), CFontCommand::kAllFields))->Do());
    EXPECT_FALSE(Targeted(new CFontCommand(bold, CRange(10, 12), CFontCommand::kWeight))->Do());
    m_editor->GetRedrawSwitch()->RemoveListener(&redraw);
}

TEST_F(CommandsTest, ColorUndoReappliesTheSavedRuns) {
    Doc()->Inserts(0, "abcdef");
    SetColor(RGB(255, 0, 0), CRange(0, 2));
    SetColor(RGB(0, 0, 255), CRange(2, 6));
    const Snapshot before = Take();

    auto* cmd = new CColorCommand(CColorInfo(RGB(0, 200, 0)), CRange(1, 4));
    CommandPtr original = Targeted(cmd);
    ASSERT_TRUE(cmd->Do());
    EXPECT_EQ(cmd->GetSavedCount(), 2u);
    for (int i : {0, 1, 3, 4})
        EXPECT_EQ(Formats()->GetColor(i)->GetColor(), i == 0   ? RGB(255, 0, 0)
                                                      : i == 4 ? RGB(0, 0, 255)
                                                               : RGB(0, 200, 0));
    const Snapshot coloured = Take();

    CommandPtr clone(cmd->Clone());
    original.reset();
    ASSERT_TRUE(clone->Undo());
    EXPECT_EQ(Take(), before);
    ASSERT_TRUE(clone->Do());  // redo saves the runs afresh instead of adding to them
    EXPECT_EQ(Take(), coloured);
    EXPECT_EQ(static_cast<CColorCommand*>(clone.get())->GetSavedCount(), 2u);

    const CColorInfo* none = nullptr;
    EXPECT_FALSE(Targeted(new CColorCommand(none, CRange(0, 2)))->Do());
    EXPECT_FALSE(Targeted(new CColorCommand(CColorInfo(RGB(1, 2, 3)), CRange(9, 12)))->Do());
    EXPECT_EQ(Take(), coloured);
}

TEST_F(CommandsTest, CompositeRunsInOrderUndoesInReverseAndStopsAtAFailure) {
    CCompositeCommand composite;
    composite.Add(new CInsertTextCommand(0, "ab"));
    EXPECT_FALSE(composite.Do());  // no target yet
    EXPECT_FALSE(composite.Add(nullptr));
    composite.SetTarget(m_editor.get());
    composite.SetTarget(nullptr);  // ignored
    composite.Add(new CInsertObjectCommand(2, UuidFromBytes("missing", 7)));
    composite.Add(new CInsertTextCommand(0, "cd"));
    EXPECT_EQ(composite.GetCount(), 3u);
    EXPECT_FALSE(composite.Do());
    EXPECT_EQ(Text(), "ab");  // the first stays done, the third never ran

    EXPECT_FALSE(Targeted(new CCompositeCommand())->Do());  // nothing to do

    // Replacing "ab" by "xyz": undoing in the wrong order would not give "ab" back.
    SetColor(RGB(9, 9, 9), CRange(0, 1));
    const Snapshot before = Take();
    auto* replace = new CCompositeCommand();
    CommandPtr original = Targeted(replace);
    replace->Add(new CDeleteRangeCommand(CRange(0, 2)));
    replace->Add(new CInsertTextCommand(0, "xyz"));
    ASSERT_TRUE(replace->Do());
    EXPECT_EQ(Text(), "xyz");
    CommandPtr clone(replace->Clone());
    original.reset();
    ASSERT_TRUE(clone->Undo());
    EXPECT_EQ(Take(), before);
    EXPECT_EQ(Sel()->GetSel(), CRange(2, 2));
}
