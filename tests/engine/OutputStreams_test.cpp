// Tests of the document output streams, the editor's selection output and input cleaning.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "engine/EOS_COIndex2ID.h"
#include "engine/EOS_IgnoreCO.h"
#include "engine/EOS_Length.h"
#include "engine/EOS_Text.h"
#include "editor/Editor.h"
#include "engine/EditorOutput.h"
#include "engine/Selector.h"
#include "engine/TextCleaning.h"
#include "model/CompressStore.h"
#include "model/Doc.h"
#include "platform/base/CodePage.h"
#include "support/TestObjects.h"

namespace {

// "\xC4\xE3" and "\xBA\xC3" are complete GBK characters; 0xC4 alone is a lead byte.
const char kTwoChars[] = "\xC4\xE3\xBA\xC3";

class OutputStreamsTest : public ::testing::Test {
protected:
    void TearDown() override {
        doc.reset();
        for (const ZarniUUID& id : held)
            CCompressStore::Instance().Release(id);
        EXPECT_EQ(CCompressStore::Instance().GetObjectCount(), 0u);
        EXPECT_EQ(CTestObject::s_live, 0);
    }
    // Stores an object named name and places it at pos.
    ZarniUUID PutObject(int pos, const std::string& name) {
        CTestObject* obj = new CTestObject(name);
        CCompressStore::Instance().Add(obj);
        const ZarniUUID id = obj->GetID();
        obj->Destroy();
        held.push_back(id);
        EXPECT_EQ(doc->InsertCO(pos, id), 1);
        return id;
    }
    std::unique_ptr<CDoc> doc = std::make_unique<CDoc>();
    std::vector<ZarniUUID> held;
};

TEST_F(OutputStreamsTest, TextStreamsReadRangesAndObjects) {
    doc->Inserts(0, "Test");
    PutObject(4, "img");
    doc->Inserts(5, " Text");
    CEOS_IgnoreCO plain;
    doc->Output(&plain, CRange(0, doc->GetLength()));
    EXPECT_EQ(plain.GetText(), "Test Text");
    CEOS_Text text;
    doc->Output(&text, CRange(0, doc->GetLength()));
    EXPECT_EQ(text.GetText(), "Testimg Text");
    text.Reset();
    doc->Output(&text, CRange(3, 7));
    EXPECT_EQ(text.GetText(), "timg T");

    // Empty runs and null objects are refused; an object without a replace text adds nothing.
    EXPECT_EQ(plain.OutputText("", CRange(0, 0)), 0);
    EXPECT_EQ(text.OutputText("", CRange(0, 0)), 0);
    EXPECT_EQ(text.OutputObject(nullptr, CRange(0, 1)), 0);
    CTestSub* bare = new CTestSub("bare");
    EXPECT_EQ(text.OutputObject(bare, CRange(0, 1)), 1);
    EXPECT_EQ(text.GetText(), "timg T");
    EXPECT_EQ(plain.GetText(), "Test Text");
    CEOS_Length length;
    EXPECT_EQ(length.OutputObject(bare, CRange(0, 1)), 1);
    EXPECT_EQ(length.OutputObject(nullptr, CRange(0, 1)), 0);
    EXPECT_EQ(length.GetLength(), 0);
    bare->Destroy();
    EXPECT_EQ(CTestSub::s_live, 0);
}

TEST_F(OutputStreamsTest, LengthCountsUnitsOfTextAndReplaceTexts) {
    CEOS_Length length;
    PutObject(0, "img");
    doc->Output(&length, CRange(0, doc->GetLength()));
    EXPECT_EQ(length.GetLength(), 3);
    length.Reset();
    ASSERT_EQ(doc->Inserts(0, CString(kTwoChars) + "a"), 5);
    doc->Output(&length, CRange(0, 3));
    EXPECT_EQ(length.GetLength(), 3);  // two double-byte characters and 'a'

    // A lead byte at the end has no partner and counts alone; a pair whose trail byte has a
    // lead byte's value is still one unit.
    length.Reset();
    EXPECT_EQ(length.OutputText("a\xC4", CRange(0, 2)), 1);
    EXPECT_EQ(length.GetLength(), 2);
    length.Reset();
    length.OutputText("\xC4\xC4\xC4", CRange(0, 2));
    EXPECT_EQ(length.GetLength(), 2);
}

TEST_F(OutputStreamsTest, COIndex2IDRecordsPositionsRelativeToTheRange) {
    doc->Inserts(0, "ab");
    const ZarniUUID first = PutObject(2, "x");
    doc->Inserts(3, kTwoChars);
    const ZarniUUID second = PutObject(5, "y");
    doc->Inserts(6, "c");
    ASSERT_EQ(doc->GetLength(), 7);

    CEOS_COIndex2ID stream;
    doc->Output(&stream, CRange(1, 7));
    stream.AssertValid();
    ASSERT_EQ(stream.GetTable().GetSize(), 2u);
    EXPECT_EQ(stream.GetTable()[0].index, 1);
    EXPECT_EQ(stream.GetTable()[0].id, first);
    EXPECT_EQ(stream.GetTable()[1].index, 4);
    EXPECT_EQ(stream.GetTable()[1].id, second);
    EXPECT_EQ(stream.GetCount(), 6);

    // The range's home as base gives document positions; earlier content is replaced.
    CZarniArray<COIndexEntry> out;
    out.Add(COIndexEntry());
    EXPECT_EQ(stream.CopyTo(out, 1), 2u);
    ASSERT_EQ(out.GetSize(), 2u);
    for (uint32_t i = 0; i < out.GetSize(); ++i)
        EXPECT_EQ(doc->GetCOID(out[i].index), out[i].id);

    // Bad bases are refused without touching the caller's array.
    EXPECT_EQ(stream.CopyTo(out, -1), 0u);
    EXPECT_EQ(stream.CopyTo(out, INT32_MAX - 3), 0u);
    ASSERT_EQ(out.GetSize(), 2u);
    EXPECT_EQ(out[0].index, 2);

    EXPECT_EQ(stream.OutputObject(nullptr, CRange(0, 1)), 0);
    EXPECT_EQ(stream.GetCount(), 6);
    stream.Reset();
    EXPECT_EQ(stream.CopyTo(out, 0), 0u);
    EXPECT_EQ(out.GetSize(), 0u);
}

// A root that has neither selector nor document.
class CEmptyEditor : public IEditTarget {
public:
    ISelector* GetSelector() override { return selector; }
    IDoc* GetDocument() override { return nullptr; }
    CFormatInfo* GetFormatInfo() override { return nullptr; }
    CRedrawSwitch* GetRedrawSwitch() override { return nullptr; }
    ICaretPlacer* GetCaretPlacer() override { return nullptr; }
    ISelector* selector = nullptr;
};

TEST(EditorOutput, StreamsTheSelectionOrRefuses) {
    CEditor editor;
    editor.GetDocument()->Inserts(0, "hello world");
    editor.GetSelector()->SetSel(CRange(6, 11));
    CEditorOutput output(&editor);
    CEOS_Text text;
    EXPECT_TRUE(output.Get(&text));
    EXPECT_EQ(text.GetText(), "world");
    EXPECT_FALSE(output.Get(nullptr));

    CEOS_Length length;
    EXPECT_FALSE(CEditorOutput(nullptr).Get(&length));
    CEmptyEditor empty;
    CSelector selector;
    empty.selector = &selector;  // a selector but no document
    EXPECT_FALSE(CEditorOutput(&empty).Get(&length));
    empty.selector = nullptr;
    EXPECT_FALSE(CEditorOutput(&empty).Get(&length));
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

}  // namespace
