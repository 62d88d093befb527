// The document: insertions, deletions, objects, limit, searches, output and notifications.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/CompressStore.h"
#include "model/Doc.h"
#include "model/DocOutputStream.h"
#include "support/TestObjects.h"

namespace {

// Collects what the document outputs: text runs as they are, objects as "[name]".
class CollectStream : public IDocOutputStream {
public:
    int OutputObject(ICompressStoreObj* obj, const CRange& range) override {
        text += "[" + static_cast<CTestObject*>(obj)->GetName() + "]";
        ranges.push_back(range);
        return 1;
    }
    int OutputText(const CString& run, const CRange& range) override {
        text += run.str();
        ranges.push_back(range);
        return 1;
    }
    void Reset() override {
        text.clear();
        ranges.clear();
    }
    std::string text;
    std::vector<CRange> ranges;
};

std::string Read(CDoc& doc, const CRange& range) {
    CollectStream out;
    doc.Output(&out, range);
    return out.text;
}
std::string ReadAll(CDoc& doc) {
    return Read(doc, CRange(0, doc.GetLength()));
}

// Records every notification with the document length seen at that moment.
class RecordingListener : public IDocListener {
public:
    RecordingListener(CDoc* doc, int priority, std::vector<std::string>* log, const char* name)
        : m_doc(doc), m_priority(priority), m_log(log), m_name(name) {}
    DocListener_Priority GetDocPriority() override {
        return static_cast<DocListener_Priority>(m_priority);
    }
    void N_Inserting(int pos, int count) override { Log("Inserting", pos, count); }
    void N_Inserted(int pos, int count) override { Log("Inserted", pos, count); }
    void N_Deleting(int pos, int count) override { Log("Deleting", pos, count); }
    void N_Deleted(int pos, int count) override { Log("Deleted", pos, count); }

private:
    void Log(const char* what, int pos, int count) {
        m_log->push_back(std::string(m_name) + ":" + what + "(" + std::to_string(pos) + "," +
                         std::to_string(count) + ")len=" + std::to_string(m_doc->GetLength()));
    }
    CDoc* m_doc;
    int m_priority;
    std::vector<std::string>* m_log;
    const char* m_name;
};

class DocTest : public ::testing::Test {
protected:
    void TearDown() override {
        doc.reset();
        EXPECT_EQ(CCompressStore::Instance().GetObjectCount(), 0u);
        CCompressStore::Instance().Shutdown();
        EXPECT_EQ(CTestObject::s_live, 0);
    }
    // Puts an object in the store (as the editor does before inserting its id).
    ZarniUUID Store(const std::string& name) {
        CTestObject* obj = new CTestObject(name);
        CCompressStore::Instance().Add(obj);
        const ZarniUUID id = obj->GetID();
        obj->Destroy();
        held.push_back(id);
        return id;
    }
    void DropHeld() {
        for (const ZarniUUID& id : held)
            CCompressStore::Instance().Release(id);
        held.clear();
    }
    std::unique_ptr<CDoc> doc = std::make_unique<CDoc>();
    std::vector<ZarniUUID> held;
};

}  // namespace

TEST_F(DocTest, SingleCharactersBuildTextInPlace) {
    const struct {
        int pos;
        char ch;
    } steps[] = {{0, 'T'}, {1, 's'}, {1, 'e'}, {3, 't'}, {4, 'r'}, {4, 'a'}, {4, 'h'}, {4, 'C'}};
    for (const auto& s : steps)
        ASSERT_EQ(doc->Insertc(s.pos, s.ch), 1);
    EXPECT_EQ(Read(*doc, CRange(0, 8)), "TestChar");
    EXPECT_EQ(Read(*doc, CRange(1, 5)), "estC");
    EXPECT_EQ(Read(*doc, CRange(6, 100)), "ar");  // clipped at the end
    EXPECT_EQ(Read(*doc, CRange(5, 2)), "");      // inverted
    EXPECT_EQ(Read(*doc, CRange(8, 9)), "");
}

TEST_F(DocTest, InsertsCountsBytesAndStoresDoubleByteCharactersAsOneUnit) {
    EXPECT_EQ(doc->Inserts(0, "This is a Test Text"), 19);
    EXPECT_EQ(doc->Inserts(19, " \xD6\xD0\xCE\xC4"), 5);  // " 中文": 5 bytes, 3 units
    EXPECT_EQ(doc->GetLength(), 22);
    EXPECT_EQ(ReadAll(*doc), "This is a Test Text \xD6\xD0\xCE\xC4");
    // Carriage return and line feed are kept as two units, each a line break.
    EXPECT_EQ(doc->Inserts(0, "\r\n"), 2);
    EXPECT_EQ(doc->GetUnit(0), 13);
    EXPECT_EQ(doc->GetUnit(1), 10);
    EXPECT_EQ(doc->FindLineBreak(0, DFF_FORWARD), 0);
    EXPECT_EQ(doc->FindLineBreak(1, DFF_FORWARD), 1);
}

TEST_F(DocTest, RefusedInsertionsChangeNothingAndAnnounceNothing) {
    std::vector<std::string> log;
    RecordingListener listener(doc.get(), 1, &log, "L");
    doc->AddListener(&listener);
    doc->Inserts(0, "ab");
    log.clear();
    EXPECT_EQ(doc->Insertc(0, '\n'), 0);
    EXPECT_EQ(doc->Insertc(0, '\xD6'), 0);  // a lead byte alone
    EXPECT_EQ(doc->Insertc(0, '\x02'), 0);  // would pose as an object
    EXPECT_EQ(doc->Insertc(3, 'x'), 0);     // past the end
    EXPECT_EQ(doc->Insertc(-1, 'x'), 0);
    EXPECT_EQ(doc->Inserts(5, "x"), 0);
    EXPECT_EQ(doc->Inserts(0, ""), 0);
    EXPECT_EQ(doc->Inserts(0, "\x02"), 0);
    EXPECT_EQ(doc->InsertCO(0, ZarniUUID()), 0);
    EXPECT_EQ(doc->InsertCO(0, UuidFromBytes("not stored", 10)), 0);
    EXPECT_EQ(doc->Delete(0, 0), 1);
    EXPECT_EQ(doc->Delete(-1, 1), 1);
    EXPECT_EQ(doc->Delete(2, 1), 1);
    EXPECT_TRUE(log.empty());
    EXPECT_EQ(ReadAll(*doc), "ab");
    // Unsafe units inside a text are dropped, the rest goes in; the upper-half byte 0xFF
    // is not a lead byte and stays.
    EXPECT_EQ(doc->Inserts(1, CString("x\x02y\xFF", 4)), 3);
    EXPECT_EQ(ReadAll(*doc),
              "axy\xFF"
              "b");
    EXPECT_EQ(doc->Inserts(0, "z\xD6"), 1);  // the dangling lead byte is dropped
    EXPECT_EQ(ReadAll(*doc),
              "zaxy\xFF"
              "b");
    doc->AssertValid();
    doc->DeleteListener(&listener);
}

TEST_F(DocTest, LimitCutsAndRefusesInsertions) {
    const ZarniUUID id = Store("pic");
    doc->SetLimit(5);
    EXPECT_EQ(doc->GetLimit(), 5);
    doc->Inserts(0, "abc");
    EXPECT_EQ(doc->Inserts(3,
                           "\xD6\xD0"
                           "def"),
              3);  // 2 units fit: the ideograph and 'd'
    EXPECT_EQ(ReadAll(*doc),
              "abc\xD6\xD0"
              "d");
    EXPECT_EQ(doc->Inserts(0, "x"), 0);
    EXPECT_EQ(doc->Insertc(0, 'x'), 0);
    EXPECT_EQ(doc->InsertCO(0, id), 0);
    doc->SetLimit(2);  // text already there is not cut
    EXPECT_EQ(doc->GetLength(), 5);
    doc->SetLimit(-1);
    EXPECT_EQ(doc->InsertCO(0, id), 1);
    DropHeld();
}

TEST_F(DocTest, ObjectsKeepTheirPlaceAndReferences) {
    const ZarniUUID a = Store("a"), b = Store("b");
    CCompressStore& store = CCompressStore::Instance();
    ASSERT_EQ(doc->InsertCO(0, a), 1);
    EXPECT_EQ(doc->GetLength(), 1);
    CollectStream out;
    doc->Output(&out, CRange(0, 1));
    EXPECT_EQ(out.text, "[a]");
    ASSERT_EQ(out.ranges.size(), 1u);
    EXPECT_EQ(out.ranges[0], CRange(0, 1));

    doc->Inserts(0, "xy");
    doc->Inserts(3, "zw");
    ASSERT_EQ(doc->InsertCO(5, b), 1);
    ASSERT_EQ(doc->InsertCO(1, b), 1);  // "x[b]y[a]zw[b]"
    out.Reset();
    doc->Output(&out, CRange(0, doc->GetLength()));
    EXPECT_EQ(out.text, "x[b]y[a]zw[b]");
    EXPECT_EQ(out.ranges, (std::vector<CRange>{{0, 1}, {1, 2}, {2, 3}, {3, 4}, {4, 6}, {6, 7}}));
    EXPECT_EQ(store.GetRefCount(b), 3);  // two in the text, one held by the test
    EXPECT_EQ(doc->FindCO(b, 0, DFF_FORWARD), 1);
    EXPECT_EQ(doc->FindCO(b, 2, DFF_FORWARD), 6);
    EXPECT_EQ(doc->FindCO(b, 5, DFF_BACKWARD), 1);
    EXPECT_EQ(doc->FindCO(a, 2, DFF_BACKWARD), -1);
    EXPECT_EQ(doc->FindCO(a, 7, DFF_FORWARD), -1);  // pos must be below the length
    EXPECT_EQ(doc->FindCO(ZarniUUID(), 0, DFF_FORWARD), -1);
    doc->AssertValid();

    // Deleting "[b]y[a]" tells both objects they are gone and releases them.
    CTestObject::s_unvisibleCalls = 0;
    doc->Delete(1, 3);
    EXPECT_EQ(CTestObject::s_unvisibleCalls, 2);
    EXPECT_EQ(store.GetRefCount(b), 2);
    EXPECT_EQ(store.GetRefCount(a), 1);
    EXPECT_EQ(Read(*doc, CRange(0, doc->GetLength())), "xzw[b]");
    EXPECT_EQ(doc->GetCOID(3), b);  // moved down by the deleted count
    doc->AssertValid();

    DropHeld();
    // The document's own references keep b alive; destroying it releases them.
    EXPECT_EQ(store.GetRefCount(b), 1);
    doc.reset();
    EXPECT_EQ(store.GetObjectCount(), 0u);
}

TEST_F(DocTest, DeletionPastTheEndIsClippedAndAnnouncedClipped) {
    std::vector<std::string> log;
    RecordingListener listener(doc.get(), 1, &log, "L");
    doc->AddListener(&listener);
    doc->Inserts(0, "hello");
    log.clear();
    doc->Delete(3, 100);
    EXPECT_EQ(ReadAll(*doc), "hel");
    EXPECT_EQ(log, (std::vector<std::string>{"L:Deleting(3,2)len=5", "L:Deleted(3,2)len=3"}));
    doc->DeleteListener(&listener);
}

TEST_F(DocTest, ListenersAreCalledByPriorityAroundTheChange) {
    std::vector<std::string> log;
    RecordingListener three(doc.get(), 3, &log, "three"), oneA(doc.get(), 1, &log, "oneA"),
        oneB(doc.get(), 1, &log, "oneB");
    doc->AddListener(&three);
    doc->AddListener(&oneA);
    doc->AddListener(&oneB);
    doc->Insertc(0, 'x');
    EXPECT_EQ(log,
              (std::vector<std::string>{"oneA:Inserting(0,1)len=0", "oneB:Inserting(0,1)len=0",
                                        "three:Inserting(0,1)len=0", "oneA:Inserted(0,1)len=1",
                                        "oneB:Inserted(0,1)len=1", "three:Inserted(0,1)len=1"}));
    log.clear();
    doc->AddListener(&oneA);  // twice: called twice
    doc->Delete(0, 1);
    EXPECT_EQ(log.size(), 8u);
    log.clear();
    doc->DeleteListener(&oneA);  // every occurrence
    doc->DeleteListener(&three);
    doc->Insertc(0, 'y');
    EXPECT_EQ(log,
              (std::vector<std::string>{"oneB:Inserting(0,1)len=0", "oneB:Inserted(0,1)len=1"}));
    doc->DeleteListener(&oneB);
}

TEST_F(DocTest, WordLineAndAlphanumericSearches) {
    doc->Inserts(0, "ab cd");
    EXPECT_EQ(doc->FindWordBreak(0, DFF_FORWARD), 2);
    EXPECT_EQ(doc->FindWordBreak(4, DFF_BACKWARD), 2);
    EXPECT_EQ(doc->FindWordBreak(1, DFF_BACKWARD), -1);
    EXPECT_EQ(doc->FindWordBreak(5, DFF_BACKWARD), 2);  // from the length: starts at the last unit
    EXPECT_EQ(doc->FindWordBreak(6, DFF_FORWARD), -1);
    EXPECT_EQ(doc->FindWordBreak(0, static_cast<DOC_FIND_FLAG>(3)), -1);
    doc->Delete(2, 1);  // "abcd"
    EXPECT_EQ(doc->FindWordBreak(0, DFF_FORWARD), 4);
    EXPECT_EQ(doc->FindLineBreak(0, DFF_FORWARD), 4);
    EXPECT_EQ(doc->FindLineBreak(3, DFF_BACKWARD), -1);

    doc->Delete(0, 4);
    doc->Inserts(0,
                 "ab.c\xD6\xD0"
                 "d\re");
    EXPECT_EQ(doc->FindAlnumEnd(0, DFF_FORWARD), 2);
    EXPECT_EQ(doc->FindAlnumEnd(3, DFF_FORWARD), 4);
    EXPECT_EQ(doc->FindAlnumEnd(1, DFF_BACKWARD), -1);
    EXPECT_EQ(doc->FindAlnumEnd(3, DFF_BACKWARD), 2);
    EXPECT_EQ(doc->FindAlnumEnd(7, DFF_FORWARD), 8);   // the last unit: runs to the length
    EXPECT_EQ(doc->FindAlnumEnd(8, DFF_FORWARD), -1);  // pos must be below the length
    EXPECT_EQ(doc->FindWordBreak(3, DFF_FORWARD), 4);  // a double-byte character breaks words
    EXPECT_EQ(doc->FindLineBreak(0, DFF_FORWARD), 6);
    EXPECT_EQ(doc->FindLineBreak(8, DFF_BACKWARD), 6);
}
