// The document: refused insertions, the limit, objects and notifications.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/CompressStore.h"
#include "model/Doc.h"
#include "model/DocOutputStream.h"
#include "support/TestObjects.h"

namespace {

// Collects what the document outputs: text runs as they are, objects as "[name]".
struct CollectStream : IDocOutputStream {
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
    void Reset() override { *this = CollectStream(); }
    std::string text;
    std::vector<CRange> ranges;
};

std::string Read(CDoc& doc, const CRange& range = CRange(0, 1000)) {
    CollectStream out;
    doc.Output(&out, range);
    return out.text;
}

// Logs every notice as "name:what(pos,count)len=L", L the length at that moment.
struct RecordingListener : IDocListener {
    RecordingListener(CDoc* doc, int priority, std::vector<std::string>* log, const char* name)
        : doc(doc), priority(priority), log(log), name(name) {}
    DocListener_Priority GetDocPriority() override {
        return static_cast<DocListener_Priority>(priority);
    }
    void N_Inserting(int pos, int count) override { Log("Inserting", pos, count); }
    void N_Inserted(int pos, int count) override { Log("Inserted", pos, count); }
    void N_Deleting(int pos, int count) override { Log("Deleting", pos, count); }
    void N_Deleted(int pos, int count) override { Log("Deleted", pos, count); }
    void Log(const char* what, int pos, int count) {
        log->push_back(name + ":" + what + "(" + std::to_string(pos) + "," + std::to_string(count) +
                       ")len=" + std::to_string(doc->GetLength()));
    }
    CDoc* doc;
    int priority;
    std::vector<std::string>* log;
    std::string name;
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
        const ZarniUUID id = StoreTestObject(name);
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

TEST_F(DocTest, RefusedInsertionsChangeNothingAndAnnounceNothing) {
    std::vector<std::string> log;
    RecordingListener listener(doc.get(), 1, &log, "L");
    doc->Inserts(0, "ab");
    doc->AddListener(&listener);
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
    EXPECT_EQ(Read(*doc), "ab");
    doc->DeleteListener(&listener);
    // Unsafe units inside a text are dropped, the rest goes in; the upper-half byte 0xFF
    // is not a lead byte and stays, a dangling lead byte does not.
    EXPECT_EQ(doc->Inserts(1, CString("x\x02y\xFF", 4)), 3);
    EXPECT_EQ(doc->Inserts(0, "z\xD6"), 1);
    EXPECT_EQ(Read(*doc),
              "zaxy\xFF"
              "b");
}

TEST_F(DocTest, LimitCutsAndRefusesInsertions) {
    const ZarniUUID id = Store("pic");
    doc->SetLimit(5);
    EXPECT_EQ(doc->GetLimit(), 5);
    doc->Inserts(0, "abc");
    EXPECT_EQ(doc->Inserts(3,
                           "\xD6\xD0"
                           "de"),
              3);  // 2 of the 3 units fit: the ideograph and 'd'
    EXPECT_EQ(Read(*doc),
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
    doc->Inserts(0, "xyzw");
    ASSERT_EQ(doc->InsertCO(2, a), 1);
    ASSERT_EQ(doc->InsertCO(5, b), 1);
    ASSERT_EQ(doc->InsertCO(1, b), 1);  // "x[b]y[a]zw[b]"
    CollectStream out;
    doc->Output(&out, CRange(0, doc->GetLength()));
    EXPECT_EQ(out.text, "x[b]y[a]zw[b]");
    EXPECT_EQ(out.ranges, (std::vector<CRange>{{0, 1}, {1, 2}, {2, 3}, {3, 4}, {4, 6}, {6, 7}}));
    EXPECT_EQ(store.GetRefCount(b), 3);  // two in the text, one held by the test
    EXPECT_EQ(doc->FindCO(b, 0, DFF_FORWARD), 1);
    EXPECT_EQ(doc->FindCO(b, 2, DFF_FORWARD), 6);
    EXPECT_EQ(doc->FindCO(b, 5, DFF_BACKWARD), 1);
    EXPECT_EQ(doc->FindCO(a, 3, DFF_BACKWARD), 3);
    EXPECT_EQ(doc->FindCO(a, 2, DFF_BACKWARD), -1);
    EXPECT_EQ(doc->FindCO(a, 7, DFF_FORWARD), -1);  // pos must be below the length
    EXPECT_EQ(doc->FindCO(ZarniUUID(), 0, DFF_FORWARD), -1);

    // Deleting "[b]y[a]" tells both objects they are gone and releases them.
    CTestObject::s_unvisibleCalls = 0;
    doc->Delete(1, 3);
    EXPECT_EQ(CTestObject::s_unvisibleCalls, 2);
    EXPECT_EQ(store.GetRefCount(b), 2);
    EXPECT_EQ(store.GetRefCount(a), 1);
    EXPECT_EQ(Read(*doc), "xzw[b]");
    EXPECT_EQ(doc->GetCOID(3), b);  // moved down by the deleted count

    DropHeld();
    // The document's own references keep b alive; destroying it releases them.
    EXPECT_EQ(store.GetRefCount(b), 1);
    doc.reset();
    EXPECT_EQ(store.GetObjectCount(), 0u);
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
    doc->DeleteListener(&oneA);  // every occurrence
    doc->DeleteListener(&three);
    // A deletion past the end is announced clipped.
    doc->Inserts(0, "hello");
    log.clear();
    doc->Delete(3, 100);
    EXPECT_EQ(log, (std::vector<std::string>{"oneB:Deleting(3,2)len=5", "oneB:Deleted(3,2)len=3"}));
    doc->DeleteListener(&oneB);
}
