// The editor interface: the selector, selection with special ends, replacement and deletion
// with their cleaning, the executor's history and re-entry rules, and the root's switches.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "editor/EditorInterface.h"
#include "editor/SelHighlight.h"
#include "engine/Selector.h"
#include "engine/UndoQueue.h"
#include "model/CompressStore.h"
#include "model/RedrawSwitch.h"
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
    // The whole text as the selection text gives it; the selection is left as it was.
    std::string Text() {
        const CRange kept = editor->GetSel();
        editor->SetSel(CRange(0, -1));
        const std::string text = editor->GetSelText().GetString();
        editor->SetSel(kept);
        return text;
    }
    void Type(const char* text) { ASSERT_TRUE(editor->ReplaceSel(CString(text))); }

    std::unique_ptr<CEditorInterface> editor = std::make_unique<CEditorInterface>();
};

// Logs every notice as ing(old>new) or ed(old>new).
struct SelLog : ISelListener {
    void N_SelChanging(const CRange& o, const CRange& n) override { Add("ing", o, n); }
    void N_SelChanged(const CRange& o, const CRange& n) override { Add("ed", o, n); }
    void Add(const char* what, const CRange& o, const CRange& n) {
        log += std::string(what) + "(" + std::to_string(o.home) + "," + std::to_string(o.end) +
               ">" + std::to_string(n.home) + "," + std::to_string(n.end) + ")";
    }
    std::string log;
};

}  // namespace

TEST(Selector, AcceptsOnlyValidRangesAndNotifiesAroundChanges) {
    CSelector sel;
    SelLog listener;
    EXPECT_EQ(sel.AddListener(&listener), 1);
    sel.OffsetSel(10);
    sel.OffsetSel(-10);
    EXPECT_EQ(listener.log, "ing(0,0>10,10)ed(0,0>10,10)ing(10,10>0,0)ed(10,10>0,0)");
    listener.log.clear();
    sel.OffsetSel(-1);          // would go negative
    sel.SetSel(CRange(5, 3));   // inverted
    sel.SetSel(CRange(-1, 4));  // negative
    sel.SetSel(CRange(0, 0));   // unchanged
    sel.SetInsertPos(0);        // unchanged
    sel.SetInsertPos(-2);
    EXPECT_EQ(listener.log, "");
    sel.SetSel(CRange(1, 100));  // the selector does not clamp to any document
    EXPECT_EQ(sel.GetInsertPos(), 1);
    sel.RemoveListener(&listener);
}

TEST_F(EditorTest, SpecialSelectionEnds) {
    editor->SetSel(CRange(0, -1));
    EXPECT_EQ(editor->GetSel(), CRange(0, 0));  // empty document: nothing happens
    Type("hello world\rsecond line");
    // End -1 selects all, -2 the word (a non-alphanumeric unit alone), -3 the paragraph with
    // its break, -4 goes to the end; a home outside the text anchors on the last unit.
    const CRange cases[][2] = {{{7, -2}, {6, 11}},   {{5, -2}, {5, 6}},    {{3, -3}, {0, 12}},
                               {{15, -3}, {12, 23}}, {{-5, -2}, {19, 23}}, {{0, -4}, {23, 23}},
                               {{2, -1}, {0, 23}}};
    for (const auto& c : cases) {
        editor->SetSel(c[0]);
        EXPECT_EQ(editor->GetSel(), c[1]) << c[0].home << "," << c[0].end;
    }
}

TEST_F(EditorTest, ReplaceSelReplacesTheSelectionWithCleanedText) {
    Type("a\nb\x02\rc");
    EXPECT_EQ(Text(), "ab\r\nc");  // line feed and placeholder gone; the break reads as "\r\n"
    editor->SetSel(CRange(1, 3));
    Type("\xD6\xD0");  // one ideograph, one unit
    EXPECT_EQ(editor->GetSel(), CRange(2, 2));
    EXPECT_TRUE(editor->DeleteChar(0));  // deleted whole
    EXPECT_EQ(Text(), "ac");
    EXPECT_EQ(editor->GetCaret()->GetPos(), 0);  // the caret stands after the unit before
}

TEST_F(EditorTest, AFailedEditKeepsWhatItDidAndEmptiesTheHistory) {
    Type("abcdef");
    editor->SetLimit(6);
    editor->SetSel(CRange(1, 3));
    Type("Z");  // fits once the selection is gone
    EXPECT_EQ(Text(), "aZdef");
    editor->SetLimit(3);
    editor->SetSel(CRange(1, 2));
    EXPECT_FALSE(editor->ReplaceSel(CString("long text")));
    EXPECT_EQ(Text(), "adef");  // the deletion stays done
    EXPECT_FALSE(editor->CanUndo());
    EXPECT_EQ(editor->GetLimit(), 3);

    editor->Clear();  // empties the text and the history
    EXPECT_EQ(editor->GetLength(), 0);
    EXPECT_FALSE(editor->CanUndo());
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

TEST_F(EditorTest, RedrawAndHideSwitchesNest) {
    CEditor* root = editor->GetCore().GetRoot();
    CRedrawSwitch* redraw = root->GetRedrawSwitch();
    editor->SetRedraw(FALSE);
    editor->SetRedraw(FALSE);
    editor->SetRedraw(TRUE);
    EXPECT_FALSE(redraw->IsOn());
    editor->SetRedraw(TRUE);
    EXPECT_TRUE(redraw->IsOn());
    editor->SetRedraw(TRUE);  // while on: no change
    EXPECT_EQ(redraw->GetCounter(), 1);

    // The highlight is off while hidden and shows the final selection once fully unhidden.
    Type("abc");
    CSelHighlight* highlight = root->GetSelHighlight();
    editor->SetSel(CRange(0, 2));
    EXPECT_TRUE(highlight->IsShown());
    EXPECT_EQ(root->GetHighlightedSelection(), CRange(0, 2));
    editor->HideSelection(TRUE);
    editor->HideSelection(TRUE);
    EXPECT_EQ(root->GetHighlightedSelection(), CRange());
    editor->SetSel(CRange(1, 3));
    editor->HideSelection(FALSE);
    EXPECT_FALSE(highlight->IsShown());
    editor->HideSelection(FALSE);
    EXPECT_TRUE(highlight->IsShown());
    EXPECT_EQ(highlight->GetRecorded(), CRange(1, 3));
    editor->HideSelection(FALSE);  // unbalanced: ignored
    EXPECT_EQ(highlight->GetHideCounter(), 0);
}

TEST_F(EditorTest, BadInputGetsAClearResultAndLosesNothing) {
    EXPECT_FALSE(editor->DeleteChar(0));  // empty document
    EXPECT_FALSE(editor->Undo() || editor->Redo());
    Type("keep");
    EXPECT_FALSE(editor->DeleteChar(1));  // at the end
    editor->SetSel(CRange(0, 0));
    EXPECT_FALSE(editor->DeleteChar(0));                  // at the start
    EXPECT_FALSE(editor->ReplaceSel(CString("")));        // nothing to delete or insert
    EXPECT_FALSE(editor->ReplaceSel(CString("\x02\n")));  // nothing left once cleaned
    EXPECT_FALSE(editor->ReplaceSel(static_cast<IVisibleComplexObj*>(nullptr)));
    EXPECT_EQ(editor->GetCore().GetUndoQueue()->GetCount(),
              1);                   // refused before any command ran: the history is whole
    editor->SetSel(CRange(3, 1));   // inverted
    editor->SetSel(CRange(-2, 3));  // negative
    EXPECT_EQ(editor->GetSel(), CRange(0, 0));

    editor->SetSel(CRange(2, 99));  // past the end: the deletion is clipped to the text
    Type("\xD6");                   // a lone lead byte: nothing storable, the deletion stays
    EXPECT_EQ(Text(), "ke");
    EXPECT_TRUE(editor->Undo());
    EXPECT_EQ(Text(), "keep");
}
