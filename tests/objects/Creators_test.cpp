// Id maker, class ids, creator registry and the built-in creator table.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "media/BuiltinCreator.h"
#include "objects/ClassIds.h"
#include "objects/CreatorRegistry.h"
#include "objects/UidMaker.h"
#include "support/TestObjects.h"

namespace {

const char* const kClassX = "00000001-0000-0000-0000-00000000000a";
const char* const kClassY = "00000002-0000-0000-0000-00000000000b";
const char* const kClassZ = "00000003-0000-0000-0000-00000000000c";
const ZarniUUID X = UuidFromText(kClassX), Y = UuidFromText(kClassY), Z = UuidFromText(kClassZ);

// A host creator making test objects named after itself for the class ids it lists.
struct CTestCreator : IVCOCreator {
    CTestCreator(const char* name, std::vector<ZarniUUID> ids) : name(name), ids(std::move(ids)) {}
    ICompressStoreObj* CreateObj(const ZarniUUID& clsid) override {
        return std::count(ids.begin(), ids.end(), clsid) ? new CTestObject(name) : nullptr;
    }
    void GetCLSIDs(CZarniArray<ZarniUUID>& list) override {
        list.RemoveAll();
        for (const ZarniUUID& id : ids)
            list.Add(id);
    }
    std::string name;
    std::vector<ZarniUUID> ids;
};

// The name of a test object, "-" for none.
std::string NameOf(ICompressStoreObj* obj) {
    return obj ? static_cast<CTestObject*>(obj)->GetName() : "-";
}

// Who the registry makes X, Y and Z with, as "x y z" names.
std::string MadeBy() {
    std::string out;
    for (const ZarniUUID& clsid : {X, Y, Z}) {
        ICompressStoreObj* obj = CCreatorRegistry::Instance().CreateObj(clsid);
        out += (out.empty() ? "" : " ") + NameOf(obj);
        if (obj)
            obj->Destroy();
    }
    return out;
}

// A prototype maker for the creator's table.
template <const char* Name>
ICompressStoreObj* Make() {
    return new CTestObject(Name);
}
const char kX1[] = "x1", kY[] = "y", kX2[] = "x2";

}  // namespace

TEST(UidMaker, CounterPerPrefixOverPlainBytes) {
    CUidMaker& maker = CUidMaker::Instance();
    EXPECT_EQ(maker.MakeUid("uidmaker-test-"), UuidFromBytes("uidmaker-test-0", 15));
    EXPECT_EQ(maker.MakeUid("uidmaker-test-"), UuidFromBytes("uidmaker-test-1", 15));
    // Another prefix has its own counter; a null prefix changes nothing.
    EXPECT_EQ(maker.MakeUid("uidmaker-other-"), UuidFromBytes("uidmaker-other-0", 16));
    EXPECT_TRUE(maker.MakeUid(nullptr).IsNull());
    EXPECT_EQ(maker.MakeUid("uidmaker-test-"), UuidFromBytes("uidmaker-test-2", 15));
    // Multibyte prefixes are plain bytes: two that differ in one high byte are distinct.
    for (const std::string prefix : {"uid\xc4\xe3", "uid\xc4\xe4"})
        EXPECT_EQ(maker.MakeUid(prefix.c_str()), UuidFromBytes((prefix + "0").data(), 6));
}

// The built-in class ids are part of the saved document format.
TEST(ClassIds, ValuesAreTheFixedIds) {
    EXPECT_EQ(ImageClassId(), ZarniUUID(0x1b77fa04u, 0x2791419cu, 0x8eac2075u, 0x8aa3e948u));
    EXPECT_EQ(AnimateClassId(), ZarniUUID(0xb22e54f9u, 0x1b5e4356u, 0xa59c4091u, 0x5b08abc5u));
    EXPECT_EQ(TextRunClassId(), ZarniUUID(0x2a55c017u, 0xeac54c63u, 0x90b2b8b2u, 0xef0d4adau));
}

TEST(CreatorRegistry, RegisterReplaceAndUnregister) {
    CCreatorRegistry& registry = CCreatorRegistry::Instance();
    const int before = registry.GetCount();
    CTestCreator a("a", {X, Y}), b("b", {Y, Z}), withNull("n", {ZarniUUID(), X});
    registry.RegisterCreator(nullptr);
    registry.UnRegisterCreator(nullptr);
    registry.RegisterCreator(&a);
    EXPECT_EQ(MadeBy(), "a a -");
    registry.RegisterCreator(&b);  // takes Y over from a
    EXPECT_EQ(MadeBy(), "a b b");
    // Unregistering a removes X and Y, although Y now names b.
    registry.UnRegisterCreator(&a);
    EXPECT_EQ(MadeBy(), "- - b");
    registry.UnRegisterCreator(&b);
    EXPECT_EQ(registry.GetCount(), before);

    // The null class id is never mapped.
    registry.RegisterCreator(&withNull);
    registry.AssertValid();
    EXPECT_EQ(registry.GetCount(), before + 1);
    registry.UnRegisterCreator(&withNull);
    EXPECT_EQ(registry.GetCount(), before);
    EXPECT_EQ(CTestObject::s_live, 0);
}

TEST(BuiltinCreator, TableFromListClonesPrototypes) {
    auto nothing = []() -> ICompressStoreObj* { return nullptr; };
    const SPrototypeEntry list[] = {
        {kClassX, &Make<kX1>},  {kClassZ, nothing},     // Z makes nothing and is skipped
        {kClassY, &Make<kY>},   {kClassX, &Make<kX2>},  // a later duplicate never answers
        {"not-an-id", nullptr},                         // null id: the list ends here
        {kClassZ, &Make<kX1>},
    };
    {
        CBuiltinCreator creator(list);
        creator.AssertValid();
        EXPECT_EQ(CTestObject::s_live, 3);
        CZarniArray<ZarniUUID> ids;
        ids.Add(Z);  // replaced, not appended to
        creator.GetCLSIDs(ids);
        EXPECT_EQ(std::vector<ZarniUUID>(ids.GetData(), ids.GetData() + ids.GetSize()),
                  (std::vector<ZarniUUID>{X, Y, X}));
        ICompressStoreObj* x = creator.CreateObj(X);
        ICompressStoreObj* again = creator.CreateObj(X);
        EXPECT_EQ(NameOf(x), "x1");
        EXPECT_NE(x, again);  // each call is a new clone
        EXPECT_EQ(creator.CreateObj(Z), nullptr);
        EXPECT_EQ(creator.CreateObj(ZarniUUID()), nullptr);
        x->Destroy();
        again->Destroy();
    }
    EXPECT_EQ(CTestObject::s_live, 0);  // the destructor destroyed the prototypes
    EXPECT_EQ(CBuiltinCreator(nullptr).GetCount(), 0);
}
