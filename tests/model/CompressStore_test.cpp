// The shared object store: one stored copy per id, counted references, shared sub-objects.
#include <gtest/gtest.h>

#include "model/CompressStore.h"
#include "support/TestObjects.h"

namespace {
// Every test leaves the process-wide store empty and no test object alive.
class CompressStoreTest : public ::testing::Test {
protected:
    void TearDown() override {
        EXPECT_EQ(store.GetObjectCount(), 0u);
        EXPECT_EQ(store.GetSubObjectCount(), 0u);
        store.Shutdown();
        EXPECT_EQ(CTestObject::s_live, 0);
        EXPECT_EQ(CTestSub::s_live, 0);
    }
    CCompressStore& store = CCompressStore::Instance();
};
}  // namespace

TEST_F(CompressStoreTest, SameObjectTwiceIsOneCopyWithTwoReferences) {
    CTestObject* obj = new CTestObject("smile");
    ICompressStoreObj* first = store.Add(obj);
    ICompressStoreObj* second = store.Add(obj);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first, second);
    EXPECT_NE(first, obj);  // the store keeps its own copy
    EXPECT_EQ(store.GetRefCount(obj->GetID()), 2);
    EXPECT_EQ(CTestObject::s_live, 2);
    const ZarniUUID id = obj->GetID();
    obj->Destroy();
    EXPECT_EQ(store.Find(id), first);  // the caller's copy is gone, the stored one is not
    store.Release(id);
    EXPECT_EQ(store.Find(id), first);
    store.Release(id);
    EXPECT_EQ(store.Find(id), nullptr);
    EXPECT_EQ(CTestObject::s_live, 0);
    store.Release(id);  // already gone: nothing
    store.AssertValid();
}

TEST_F(CompressStoreTest, SubObjectsAreSharedAndCounted) {
    CTestObject* a = new CTestObject("a", new CTestSub("frames"));
    CTestObject* b = new CTestObject("b", new CTestSub("frames"));
    ICompressStoreObj* sa = store.Add(a);
    ICompressStoreObj* sb = store.Add(b);
    const ZarniUUID subId = a->GetSubCSO()->GetID();
    EXPECT_EQ(store.GetSubObjectCount(), 1u);
    EXPECT_EQ(store.GetSubRefCount(subId), 2);
    EXPECT_EQ(sa->GetSubCSO(), sb->GetSubCSO());  // both stored objects share the stored sub
    // Adding an already stored object still raises its sub-object's count.
    store.Add(a);
    EXPECT_EQ(store.GetSubRefCount(subId), 3);
    EXPECT_TRUE(store.AddRef(b->GetID()));
    EXPECT_EQ(store.GetRefCount(b->GetID()), 2);
    EXPECT_EQ(store.GetSubRefCount(subId), 4);

    const ZarniUUID ida = a->GetID(), idb = b->GetID();
    a->Destroy();
    b->Destroy();
    store.Release(ida);
    store.Release(ida);
    EXPECT_EQ(store.Find(ida), nullptr);
    EXPECT_EQ(store.GetSubRefCount(subId), 2);  // b still uses it
    store.Release(idb);
    store.Release(idb);
    EXPECT_EQ(store.GetSubObjectCount(), 0u);
    EXPECT_EQ(CTestSub::s_live, 0);
}

TEST_F(CompressStoreTest, UnknownIdsAndNullObjectsChangeNothing) {
    EXPECT_EQ(store.Add(nullptr), nullptr);
    const ZarniUUID unknown = UuidFromBytes("nobody", 6);
    EXPECT_FALSE(store.AddRef(unknown));
    store.Release(unknown);
    store.Release(ZarniUUID());
    EXPECT_EQ(store.Find(unknown), nullptr);
    EXPECT_EQ(store.GetObjectCount(), 0u);
}

TEST_F(CompressStoreTest, ShutdownDestroysWhatIsLeft) {
    CTestObject* obj = new CTestObject("left", new CTestSub("over"));
    store.Add(obj);
    store.Add(obj);
    obj->Destroy();
    EXPECT_EQ(CTestObject::s_live, 1);
    store.Shutdown();
    EXPECT_EQ(CTestObject::s_live, 0);
    EXPECT_EQ(CTestSub::s_live, 0);
}
