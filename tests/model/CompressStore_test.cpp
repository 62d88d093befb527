// The shared object store: one stored copy per id, counted references, shared sub-objects.
#include <gtest/gtest.h>

#include "model/CompressStore.h"
#include "support/TestObjects.h"

namespace {
// Every test leaves the process-wide store empty and no test object alive.
class CompressStoreTest : public ::testing::Test {
protected:
    void TearDown() override {
        EXPECT_EQ(store.GetObjectCount() + store.GetSubObjectCount(), 0u);
        store.Shutdown();
        EXPECT_EQ(CTestObject::s_live + CTestSub::s_live, 0);
    }
    CCompressStore& store = CCompressStore::Instance();
};
}  // namespace

TEST_F(CompressStoreTest, SameObjectTwiceIsOneCopyWithTwoReferences) {
    CTestObject* obj = new CTestObject("smile");
    const ZarniUUID id = obj->GetID();
    ICompressStoreObj* first = store.Add(obj);
    EXPECT_EQ(store.Add(obj), first);
    EXPECT_NE(first, obj);  // the store keeps its own copy
    EXPECT_EQ(store.GetRefCount(id), 2);
    obj->Destroy();
    EXPECT_EQ(store.Find(id), first);  // the caller's copy is gone, the stored one is not
    store.Release(id);
    EXPECT_EQ(store.Find(id), first);
    store.Release(id);
    EXPECT_EQ(store.Find(id), nullptr);
    EXPECT_EQ(CTestObject::s_live, 0);

    // Unknown ids and null objects change nothing.
    store.Release(id);
    store.Release(ZarniUUID());
    EXPECT_EQ(store.Add(nullptr), nullptr);
    EXPECT_FALSE(store.AddRef(id));
    EXPECT_EQ(store.GetObjectCount(), 0u);
}

TEST_F(CompressStoreTest, SubObjectsAreSharedAndCounted) {
    CTestObject* a = new CTestObject("a", new CTestSub("frames"));
    CTestObject* b = new CTestObject("b", new CTestSub("frames"));
    const ZarniUUID ida = a->GetID(), idb = b->GetID(), subId = a->GetSubCSO()->GetID();
    ICompressStoreObj* sa = store.Add(a);
    ICompressStoreObj* sb = store.Add(b);
    EXPECT_EQ(store.GetSubObjectCount(), 1u);
    EXPECT_EQ(sa->GetSubCSO(), sb->GetSubCSO());  // both stored objects share the stored sub
    // Adding or referencing a stored object raises its sub-object's count too.
    store.Add(a);
    EXPECT_TRUE(store.AddRef(idb));
    EXPECT_EQ(store.GetSubRefCount(subId), 4);
    a->Destroy();
    b->Destroy();
    store.Release(ida);
    store.Release(ida);
    EXPECT_EQ(store.Find(ida), nullptr);
    EXPECT_EQ(store.GetSubRefCount(subId), 2);  // b still uses it
    store.Release(idb);
    store.Release(idb);
    EXPECT_EQ(store.GetSubObjectCount(), 0u);

    // Shutdown destroys whatever is left.
    CTestObject* left = new CTestObject("left", new CTestSub("over"));
    store.Add(left);
    left->Destroy();
    store.Shutdown();
    EXPECT_EQ(CTestObject::s_live + CTestSub::s_live, 0);
}
