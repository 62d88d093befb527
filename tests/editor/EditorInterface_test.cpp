// The editor interface: selection with special ends, replacement, deletion, formats,
// undo history rules, and the root's switches.
#include <gtest/gtest.h>

#include <string>

#include "editor/EditorInterface.h"
#include "model/EditorListeners.h"
#include "model/RedrawSwitch.h"
#include "editor/SelHighlight.h"
#include "engine/Selector.h"
#include "engine/UndoQueue.h"
#include "format/FormatInfo.h"
#include "model/CompressStore.h"
#include "support/TestObjects.h"
#include "view/Caret.h"

namespace {

class EditorTest : public ::testing::Test {
protected:
    void TearDown() override {
        editor.reset();
        EXPECT_EQ(CCompressStore::Instance().GetObjectCount(), 0u);
        EXPECT_EQ(CTestObject::s_live, 0);
    }
    // The whole text; the selection is left as it was.
    std::string Text() {
        const CRange kept = editor->GetSel();
        const std::string text = Sel(CRange(0, -1)).GetString();
        editor->SetSel(kept);
        return text;
    }
    // Selects a range and reads it back as text.
    CString Sel(const CRange& r) {
        editor->SetSel(r);
        return editor->GetSelText();
    }
    void Type(const char* text) { ASSERT_TRUE(editor->ReplaceSel(CString(text))); }
    CRange Selection() { return editor->GetSel(); }

    std::unique_ptr<CEditorInterface> editor = std::make_unique<CEditorInterface>();
};

class RecordingSelListener : public ISelListener {
public:
    void N_SelChanging(const CRange& o, const CRange& n) override { log += Fmt("ing", o, n); }
    void N_SelChanged(const CRange& o, const CRange& n) override { log += Fmt("ed", o, n); }
    std::string log;

private:
    static std::string Fmt(const char* what, const CRange& o, const CRange& n) {
        return std::string(what) + "(" + std::to_string(o.home) + "," + std::to_string(o.end) +
               ">" + std::to_string(n.home) + "," + std::to_string(n.end) + ")";
    }
};

}  // namespace

TEST(Selector, AcceptsOnlyValidRangesAndNotifiesAroundChanges) {
    CSelector sel;
    RecordingSelListener listener;
    EXPECT_EQ(sel.AddListener(&listener), 1);
    EXPECT_EQ(sel.GetSel(), CRange(0, 0));
    sel.OffsetSel(10);
    EXPECT_EQ(sel.GetInsertPos(), 10);
    sel.OffsetSel(-10);
    EXPECT_EQ(listener.log, "ing(0,0>10,10)ed(0,0>10,10)ing(10,10>0,0)ed(10,10>0,0)");
    listener.log.clear();
    sel.OffsetSel(-1);          // would go negative
    sel.SetSel(CRange(5, 3));   // inverted
    sel.SetSel(CRange(-1, 4));  // negative
    sel.SetSel(CRange(0, 0));   // unchanged
    sel.SetInsertPos(-2);
    EXPECT_EQ(listener.log, "");
    sel.OffsetSel(0);  // accepted, notifies although nothing moves
    EXPECT_EQ(listener.log, "ing(0,0>0,0)ed(0,0>0,0)");
    sel.SetSel(CRange(1, 100));  // the selector does not clamp to any document
    EXPECT_EQ(sel.GetSel(), CRange(1, 100));
    EXPECT_EQ(sel.GetInsertPos(), 1);
    sel.RemoveListener(&listener);
}

TEST_F(EditorTest, SpecialSelectionEnds) {
    editor->SetSel(CRange(0, -1));  // empty document: nothing happens
    EXPECT_EQ(Selection(), CRange(0, 0));
    Type("hello world\rsecond line");
    editor->SetSel(CRange(7, -2));
    EXPECT_EQ(Selection(), CRange(6, 11));  // the word under position 7
    editor->SetSel(CRange(5, -2));
    EXPECT_EQ(Selection(), CRange(5, 6));  // a non-alphanumeric unit alone
    editor->SetSel(CRange(3, -3));
    EXPECT_EQ(Selection(), CRange(0, 12));  // the paragraph with its break
    editor->SetSel(CRange(15, -3));
    EXPECT_EQ(Selection(), CRange(12, 23));
    editor->SetSel(CRange(-5, -2));  // a home outside the text anchors on the last unit
    EXPECT_EQ(Selection(), CRange(19, 23));
    editor->SetSel(CRange(0, -4));
    EXPECT_EQ(Selection(), CRange(23, 23));
    editor->SetSel(CRange(2, -1));
    EXPECT_EQ(Selection(), CRange(0, 23));
}

TEST_F(EditorTest, ReplaceSelCleansTextAndReplacesTheSelection) {
    Type("a\nb");
    EXPECT_EQ(Text(), "ab");
    editor->SetSel(CRange(2, 2));
    Type(
        "\r\x02"
        "c");
    EXPECT_EQ(Text(), "ab\r\nc");  // the break reads back as "\r\n"; the placeholder is gone
    EXPECT_EQ(editor->GetLength(), 4);
    editor->SetSel(CRange(0, 0));
    EXPECT_FALSE(editor->ReplaceSel(CString("")));  // nothing to delete or insert
    editor->SetSel(CRange(1, 3));
    EXPECT_TRUE(editor->ReplaceSel(CString("")));  // deletes the selection
    EXPECT_EQ(Text(), "ac");
    editor->SetSel(CRange(1, 1));
    Type("\xD6\xD0");  // one ideograph, one unit
    EXPECT_EQ(Selection(), CRange(2, 2));
    EXPECT_EQ(editor->GetLength(), 3);
    EXPECT_TRUE(editor->DeleteChar(0));  // deleted whole
    EXPECT_EQ(Text(), "ac");
    EXPECT_EQ(editor->GetCaret()->GetPos(), 0);  // the caret stands after the unit before
}

TEST_F(EditorTest, DeleteCharAtTheEdgesDoesNothing) {
    EXPECT_FALSE(editor->DeleteChar(0));
    Type("xy");
    EXPECT_FALSE(editor->DeleteChar(1));  // at the end
    editor->SetSel(CRange(0, 0));
    EXPECT_FALSE(editor->DeleteChar(0));  // at the start
    EXPECT_TRUE(editor->DeleteChar(1));
    EXPECT_EQ(Text(), "y");
    EXPECT_EQ(editor->GetCore().GetUndoQueue()->GetCount(), 2);
}

TEST_F(EditorTest, ObjectsAreReplacedCountedAndFound) {
    Type("ab");
    CTestObject* obj = new CTestObject("img");
    editor->SetSel(CRange(1, 1));
    ASSERT_TRUE(editor->ReplaceSel(static_cast<IVisibleComplexObj*>(obj)));
    const ZarniUUID id = obj->GetID();
    obj->Destroy();
    EXPECT_EQ(editor->GetLength(), 3);
    EXPECT_EQ(editor->GetTextLength(), 5);  // the object counts as its replace text "img"
    EXPECT_EQ(editor->FindExternObj(id, 0, DFF_FORWARD), 1);
    EXPECT_EQ(Sel(CRange(0, -1)), "ab");  // the selection text leaves objects out
    EXPECT_FALSE(editor->GetSel(static_cast<IDocOutputStream*>(nullptr)));
    // Deleting and undoing brings the same object back; undo history keeps it alive.
    editor->SetSel(CRange(1, 2));
    ASSERT_TRUE(editor->DeleteChar(1));
    EXPECT_EQ(editor->FindExternObj(id, 0, DFF_FORWARD), -1);
    EXPECT_NE(CCompressStore::Instance().Find(id), nullptr);
    ASSERT_TRUE(editor->Undo());
    EXPECT_EQ(editor->FindExternObj(id, 0, DFF_FORWARD), 1);
    EXPECT_EQ(editor->ExcuteEOCmd(id, 1, 2), 0u);  // not an external object
}

TEST_F(EditorTest, UndoRedoHistoryRules) {
    Type("x");
    EXPECT_TRUE(editor->Undo());
    EXPECT_EQ(editor->GetLength(), 0);
    EXPECT_FALSE(editor->CanUndo());
    EXPECT_TRUE(editor->CanRedo());
    EXPECT_TRUE(editor->Redo());
    EXPECT_EQ(Text(), "x");
    EXPECT_FALSE(editor->Redo());

    for (const char* t : {"1", "2", "3", "4"})
        Type(t);
    EXPECT_TRUE(editor->Undo());
    EXPECT_TRUE(editor->Undo());
    Type("z");  // drops the two undone records
    EXPECT_FALSE(editor->CanRedo());
    EXPECT_EQ(Text(), "x12z");

    editor->UndoLimited(2);  // keeps the last two of the four records
    EXPECT_TRUE(editor->Undo());
    EXPECT_TRUE(editor->Undo());
    EXPECT_FALSE(editor->Undo());
    EXPECT_EQ(Text(), "x1");
    // Limit with records to redo: the oldest go, pos drops by as many (not below 0), the
    // rest stay redo-able.
    CUndoQueue* queue = editor->GetCore().GetUndoQueue();
    editor->UndoLimited(1);
    EXPECT_EQ(queue->GetCount(), 1);
    EXPECT_EQ(queue->GetPos(), 0);
    EXPECT_FALSE(editor->CanUndo());
    EXPECT_TRUE(editor->CanRedo());
    editor->UndoLimited(0);  // read-only windows: nothing is recorded
    Type("q");
    EXPECT_FALSE(editor->CanUndo());
    editor->UndoLimited(-1);
    Type("r");
    EXPECT_TRUE(editor->CanUndo());
    editor->Clear();
    EXPECT_EQ(editor->GetLength(), 0);
    EXPECT_FALSE(editor->CanUndo());
}

TEST_F(EditorTest, FailedReplacementKeepsTheDeletionAndEmptiesTheHistory) {
    Type("abcdef");
    editor->SetLimit(6);
    editor->SetSel(CRange(1, 3));
    Type("Z");  // fits again after the deletion
    EXPECT_EQ(Text(), "aZdef");
    editor->SetSel(CRange(5, 5));
    EXPECT_TRUE(editor->CanUndo());
    editor->SetLimit(3);
    editor->SetSel(CRange(1, 2));
    EXPECT_FALSE(editor->ReplaceSel(CString("long text")));
    EXPECT_EQ(Text(), "adef");  // the deletion stays done
    EXPECT_FALSE(editor->CanUndo());
    EXPECT_EQ(editor->GetLimit(), 3);
}

TEST_F(EditorTest, ReplacingFormattedTextUndoesWithItsFormats) {
    Type("red blue");
    editor->SetSel(CRange(0, 3));
    ASSERT_TRUE(editor->SetColor(RGB(255, 0, 0)));
    LOGFONT lf;
    editor->GetDefaultFont(lf);
    lf.lfWeight = 700;
    lf.lfHeight = -30;
    editor->SetSel(CRange(4, 8));
    ASSERT_TRUE(editor->SetFont(lf, 0x10));  // weight only
    LOGFONT got;
    editor->GetFont(got);
    EXPECT_EQ(got.lfWeight, 700);
    EXPECT_EQ(got.lfHeight, -12);  // height was not in the mask

    editor->SetSel(CRange(2, 6));
    Type("X");
    EXPECT_EQ(Text(), "reXue");
    ASSERT_TRUE(editor->Undo());
    EXPECT_EQ(Text(), "red blue");
    EXPECT_EQ(Selection(), CRange(6, 6));  // after the restored range
    CFormatInfo* formats = editor->GetCore().GetRoot()->GetFormatInfo();
    EXPECT_EQ(formats->GetColor(2)->GetColor(), RGB(255, 0, 0));
    EXPECT_EQ(formats->GetColor(3)->GetColor(), 0u);
    EXPECT_EQ(formats->GetFont(4)->GetLogFont().lfWeight, 700);
    EXPECT_EQ(formats->GetFont(3)->GetLogFont().lfWeight, 400);
}

TEST_F(EditorTest, ANestedEditFromAListenerDoesNothing) {
    struct Reentrant : IDocListener {
        CEditorInterface* editor = nullptr;
        BOOL nested = TRUE;
        DocListener_Priority GetDocPriority() override { return DLP_WINDOW; }
        void N_Inserting(int, int) override {}
        void N_Inserted(int, int) override { nested = editor->ReplaceSel(CString("nested")); }
        void N_Deleting(int, int) override {}
        void N_Deleted(int, int) override {}
    } listener;
    listener.editor = editor.get();
    editor->AddDocListener(&listener);
    Type("a");
    EXPECT_FALSE(listener.nested);
    EXPECT_EQ(Text(), "a");
    editor->DeleteDocListener(&listener);
}

TEST_F(EditorTest, RootSwitchesNest) {
    CEditor* root = editor->GetCore().GetRoot();
    ASSERT_NE(root->GetSelector(), nullptr);
    ASSERT_NE(root->GetDocument(), nullptr);
    CRedrawSwitch* redraw = root->GetRedrawSwitch();
    editor->SetRedraw(FALSE);
    editor->SetRedraw(FALSE);
    editor->SetRedraw(TRUE);
    EXPECT_FALSE(redraw->IsOn());
    editor->SetRedraw(TRUE);
    EXPECT_TRUE(redraw->IsOn());
    editor->SetRedraw(TRUE);  // while on: no change
    EXPECT_EQ(redraw->GetCounter(), 1);

    // The highlight is off while hidden and shows the final selection once unhidden.
    Type("abc");
    CSelHighlight* highlight = root->GetSelHighlight();
    editor->SetSel(CRange(0, 2));
    EXPECT_TRUE(highlight->IsShown());
    editor->HideSelection(TRUE);
    editor->HideSelection(TRUE);
    EXPECT_FALSE(highlight->IsShown());
    editor->SetSel(CRange(1, 3));
    editor->HideSelection(FALSE);
    EXPECT_EQ(highlight->GetHideCounter(), 1);
    editor->HideSelection(FALSE);
    EXPECT_TRUE(highlight->IsShown());
    EXPECT_EQ(highlight->GetRecorded(), CRange(1, 3));
    editor->HideSelection(FALSE);  // unbalanced: ignored
    EXPECT_EQ(highlight->GetHideCounter(), 0);

    EXPECT_EQ(editor->GetFirstVisibleLine(), -1);
    EXPECT_EQ(editor->FindTextA(0, CRange(0, 3), CString("a")), -1);
    EXPECT_EQ(editor->QueryReserved(5), 0);
}

TEST_F(EditorTest, BadInputGetsAClearResultAndLosesNothing) {
    Type("keep");
    const CRange before = Selection();
    EXPECT_FALSE(editor->ReplaceSel(static_cast<IVisibleComplexObj*>(nullptr)));
    editor->SetSel(CRange(3, 1));   // inverted
    editor->SetSel(CRange(-2, 3));  // a negative home anchors on the last unit, end unchanged
    EXPECT_EQ(Selection(), before);
    editor->SetSel(CRange(2, 99));  // past the end: the deletion is clipped to the text
    Type("\xD6");                   // a lone lead byte: nothing storable, the deletion stays
    EXPECT_EQ(Text(), "ke");
    EXPECT_TRUE(editor->Undo());
    EXPECT_EQ(Text(), "keep");
    editor->SetSel(CRange(4, 4));
    EXPECT_FALSE(editor->ReplaceSel(CString("\x02\n")));  // nothing left once cleaned
    EXPECT_EQ(Text(), "keep");
    EXPECT_EQ(editor->GetLength(), 4);
}
