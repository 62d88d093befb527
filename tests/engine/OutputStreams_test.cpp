// The document output streams, the selection output and the cleaning of incoming text.
#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "editor/Editor.h"
#include "engine/EOS_COIndex2ID.h"
#include "engine/EOS_IgnoreCO.h"
#include "engine/EOS_Length.h"
#include "engine/EOS_Text.h"
#include "engine/EditorOutput.h"
#include "engine/Selector.h"
#include "engine/TextCleaning.h"
#include "model/CompressStore.h"
#include "model/Doc.h"
#include "platform/base/CodePage.h"
#include "support/TestObjects.h"

namespace {

// Two complete GBK characters; 0xC4 alone is a lead byte.
const char kTwoChars[] = "\xC4\xE3\xBA\xC3";

class OutputStreamsTest : public ::testing::Test {
protected:
    void TearDown() override {
        doc.reset();
        for (const ZarniUUID& id : held)
            CCompressStore::Instance().Release(id);
        EXPECT_EQ(CTestObject::s_live, 0);
    }
    // Appends each piece: text, or "@name" for an object of that name (its replace text).
    void Build(std::initializer_list<std::string> pieces) {
        for (const std::string& piece : pieces) {
            if (piece[0] != '@') {
                doc->Inserts(doc->GetLength(), CString(piece));
                continue;
            }
            CTestObject* obj = new CTestObject(piece.substr(1));
            CCompressStore::Instance().Add(obj);
            held.push_back(obj->GetID());
            obj->Destroy();
            doc->InsertCO(doc->GetLength(), held.back());
        }
    }
    std::unique_ptr<CDoc> doc = std::make_unique<CDoc>();
    std::vector<ZarniUUID> held;
};

// A root that has no document, and a selector only when given one.
struct CPartialTarget : IEditTarget {
    ISelector* GetSelector() override { return selector; }
    IDoc* GetDocument() override { return nullptr; }
    CFormatInfo* GetFormatInfo() override { return nullptr; }
    CRedrawSwitch* GetRedrawSwitch() override { return nullptr; }
    ICaretPlacer* GetCaretPlacer() override { return nullptr; }
    CEditorListeners* GetEditorListeners() override { return nullptr; }
    IObjectPaintHost* GetObjectPaintHost() override { return nullptr; }
    CLinkManager* GetLinks() override { return nullptr; }
    ISelector* selector = nullptr;
};

}  // namespace

TEST_F(OutputStreamsTest, TextAndLengthTakeObjectsAsTheirReplaceText) {
    Build({"Te", kTwoChars, "@img", " x"});
    CEOS_IgnoreCO plain;
    CEOS_Text text;
    CEOS_Length length;
    for (IDocOutputStream* stream :
         std::initializer_list<IDocOutputStream*>{&plain, &text, &length})
        doc->Output(stream, CRange(1, 6));
    EXPECT_EQ(plain.GetText().str(), std::string("e") + kTwoChars + " ");
    EXPECT_EQ(text.GetText().str(), std::string("e") + kTwoChars + "img ");
    EXPECT_EQ(length.GetLength(), 7);  // the characters count one unit each

    // Null objects and empty runs are refused; an object without a replace text adds nothing.
    CTestSub* bare = new CTestSub("bare");
    EXPECT_EQ(text.OutputObject(nullptr, CRange(0, 1)), 0);
    EXPECT_EQ(length.OutputObject(nullptr, CRange(0, 1)), 0);
    EXPECT_EQ(text.OutputObject(bare, CRange(0, 1)), 1);
    EXPECT_EQ(length.OutputObject(bare, CRange(0, 1)), 1);
    EXPECT_EQ(text.OutputText("", CRange(0, 0)), 0);
    EXPECT_EQ(plain.OutputText("", CRange(0, 0)), 0);
    bare->Destroy();
    EXPECT_EQ(text.GetText().str(), std::string("e") + kTwoChars + "img ");
    EXPECT_EQ(length.GetLength(), 7);

    // A lead byte at the end has no partner and counts alone; a pair whose trail byte has a
    // lead byte's value is still one unit.
    length.Reset();
    length.OutputText("a\xC4", CRange(0, 2));
    length.OutputText("\xC4\xC4\xC4", CRange(0, 2));
    EXPECT_EQ(length.GetLength(), 4);
}

TEST_F(OutputStreamsTest, COIndex2IDRecordsPositionsRelativeToTheRange) {
    Build({"ab", "@x", kTwoChars, "@y", "c"});
    ASSERT_EQ(doc->GetLength(), 7);
    CEOS_COIndex2ID stream;
    doc->Output(&stream, CRange(1, 7));
    ASSERT_EQ(stream.GetTable().GetSize(), 2u);
    EXPECT_EQ(stream.GetTable()[0].index, 1);
    EXPECT_EQ(stream.GetTable()[1].index, 4);
    EXPECT_EQ(stream.GetCount(), 6);

    // The range's home as base gives document positions; earlier content is replaced.
    CZarniArray<COIndexEntry> out;
    out.Add(COIndexEntry());
    EXPECT_EQ(stream.CopyTo(out, 1), 2u);
    ASSERT_EQ(out.GetSize(), 2u);
    EXPECT_EQ(doc->GetCOID(out[0].index), held[0]);
    EXPECT_EQ(doc->GetCOID(out[1].index), held[1]);

    // Bad bases and null objects change nothing.
    EXPECT_EQ(stream.CopyTo(out, -1), 0u);
    EXPECT_EQ(stream.CopyTo(out, INT32_MAX - 3), 0u);
    EXPECT_EQ(stream.OutputObject(nullptr, CRange(0, 1)), 0);
    EXPECT_EQ(stream.GetCount(), 6);
    ASSERT_EQ(out.GetSize(), 2u);
    EXPECT_EQ(out[0].index, 2);
    stream.Reset();
    EXPECT_EQ(stream.CopyTo(out, 0), 0u);
    EXPECT_EQ(out.GetSize(), 0u);
}

TEST(EditorOutput, RefusesWithoutStreamRootSelectorOrDocument) {
    CEditor editor;
    EXPECT_FALSE(CEditorOutput(&editor).Get(nullptr));
    CEOS_Length length;
    EXPECT_FALSE(CEditorOutput(nullptr).Get(&length));
    CPartialTarget partial;
    EXPECT_FALSE(CEditorOutput(&partial).Get(&length));
    CSelector selector;
    partial.selector = &selector;
    EXPECT_FALSE(CEditorOutput(&partial).Get(&length));
    EXPECT_EQ(length.GetLength(), 0);
}

TEST(TextCleaning, RemovesTabsAndADanglingFinalLeadByte) {
    // A final 0xC4 after a lead byte is a trail byte; tabs go first, so a lead byte meets
    // its trail byte across a removed tab.
    const char* cases[][2] = {{"\ta\tb\t\tc\t", "abc"},   {"", ""},
                              {"ab\xC4", "ab"},           {"ab\xC4\xE3", "ab\xC4\xE3"},
                              {"a\xC4\xC4", "a\xC4\xC4"}, {"\xC4\xC4\xC4", "\xC4\xC4"},
                              {"\xC4\t\xE3", "\xC4\xE3"}};
    for (const auto& c : cases)
        EXPECT_EQ(CleanInputText(c[0]), c[1]) << c[0];

    // Without lead bytes nothing is cut.
    ASSERT_TRUE(CCodePage::Set(1252));
    EXPECT_EQ(CleanInputText("ab\xC4"), "ab\xC4");
    CCodePage::Set(CCodePage::kDefault);
}
