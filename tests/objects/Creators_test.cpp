// Id maker, creator registry, built-in creator table and the casts between object interfaces.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "objects/BuiltinCreator.h"
#include "objects/ClassIds.h"
#include "objects/CreatorRegistry.h"
#include "objects/ExternalObj.h"
#include "objects/UidMaker.h"

namespace {

const char* const kClassX = "00000001-0000-0000-0000-00000000000a";
const char* const kClassY = "00000002-0000-0000-0000-00000000000b";
const char* const kClassZ = "00000003-0000-0000-0000-00000000000c";

int g_liveObjects = 0;

// A complete host object: records its class and the creator that made it.
class CTestObj : public IExternalObj {
public:
    CTestObj(const ZarniUUID& clsid, int maker) : m_clsid(clsid), m_maker(maker) {
        ++g_liveObjects;
    }
    CTestObj(const CTestObj& other)
        : IExternalObj(), m_clsid(other.m_clsid), m_maker(other.m_maker) {
        ++g_liveObjects;
    }
    int Maker() const { return m_maker; }

    IClone* Clone() override { return new CTestObj(*this); }
    void Destroy() override { delete this; }
    ZarniUUID GetID() override { return m_clsid; }
    ICompressStoreObj* GetSubCSO() const override { return nullptr; }
    ICompressStoreObj* ShallowClone(ICompressStoreObj*) override {
        return static_cast<ICompressStoreObj*>(static_cast<CTestObj*>(Clone()));
    }
    void ShallowDestroy() override { Destroy(); }
    unsigned long ExecuteCmd(unsigned int command, unsigned long param) override {
        return command + param;
    }
    CSize GetSize() override { return CSize(m_maker, 2 * m_maker); }
    int Draw(IXCanvas* canvas, const CRect&, const CRect&) override { return canvas ? 1 : 0; }
    void UnVisible() override {}
    void OutOfView() override {}
    void InView(const CRect&) override {}
    CString GetReplaceText() override { return "[obj]"; }
    ZarniUUID GetCLSID() override { return m_clsid; }
    void streamout(CPack&) const override {}
    void streamin(CPack&) override {}

private:
    ~CTestObj() override { --g_liveObjects; }

    ZarniUUID m_clsid;
    int m_maker;
};

// An object with only the store interface, as a link is.
class CStoreOnlyObj : public ICompressStoreObj {
public:
    IClone* Clone() override { return new CStoreOnlyObj; }
    void Destroy() override { delete this; }
    ZarniUUID GetID() override { return ZarniUUID(1u, 2u, 3u, 4u); }
    ICompressStoreObj* GetSubCSO() const override { return nullptr; }
    ICompressStoreObj* ShallowClone(ICompressStoreObj*) override { return new CStoreOnlyObj; }
    void ShallowDestroy() override { Destroy(); }
};

// A host creator making CTestObj for the class ids it is given.
class CTestCreator : public IVCOCreator {
public:
    CTestCreator(int tag, std::vector<ZarniUUID> clsids)
        : m_tag(tag), m_clsids(std::move(clsids)) {}
    ICompressStoreObj* CreateObj(const ZarniUUID& clsid) override {
        for (const ZarniUUID& id : m_clsids) {
            if (id == clsid)
                return new CTestObj(clsid, m_tag);
        }
        return nullptr;
    }
    void GetCLSIDs(CZarniArray<ZarniUUID>& list) override {
        list.RemoveAll();
        for (const ZarniUUID& id : m_clsids)
            list.Add(id);
    }

private:
    int m_tag;
    std::vector<ZarniUUID> m_clsids;
};

// The maker tag of the object the registry makes for the class, 0 when it makes none.
int MadeBy(const ZarniUUID& clsid) {
    ICompressStoreObj* obj = CCreatorRegistry::Instance().CreateObj(clsid);
    if (obj == nullptr)
        return 0;
    auto* test = dynamic_cast<CTestObj*>(obj);
    const int maker = test ? test->Maker() : -1;
    obj->Destroy();
    return maker;
}

ZarniUUID X() {
    return UuidFromText(kClassX);
}
ZarniUUID Y() {
    return UuidFromText(kClassY);
}
ZarniUUID Z() {
    return UuidFromText(kClassZ);
}

}  // namespace

TEST(UidMaker, CounterPerPrefix) {
    CUidMaker& maker = CUidMaker::Instance();
    const ZarniUUID first = maker.MakeUid("uidmaker-test-");
    const ZarniUUID second = maker.MakeUid("uidmaker-test-");
    EXPECT_EQ(first, UuidFromBytes("uidmaker-test-0", 15));
    EXPECT_EQ(second, UuidFromBytes("uidmaker-test-1", 15));
    EXPECT_NE(first, second);
    // Another prefix has its own counter; a null prefix changes nothing.
    EXPECT_EQ(maker.MakeUid("uidmaker-other-"), UuidFromBytes("uidmaker-other-0", 16));
    EXPECT_TRUE(maker.MakeUid(nullptr).IsNull());
    EXPECT_EQ(maker.MakeUid("uidmaker-test-"), UuidFromBytes("uidmaker-test-2", 15));
    // Multibyte prefixes are plain bytes: two that differ in one high byte are distinct.
    EXPECT_EQ(maker.MakeUid("uid\xc4\xe3"), UuidFromBytes("uid\xc4\xe3"
                                                          "0",
                                                          6));
    EXPECT_EQ(maker.MakeUid("uid\xc4\xe4"), UuidFromBytes("uid\xc4\xe4"
                                                          "0",
                                                          6));
}

TEST(ClassIds, TextAndValueAgree) {
    EXPECT_STREQ(ZARNI_CLSID_IMAGE_TEXT, "1b77fa04-2791-419c-8eac-20758aa3e948");
    EXPECT_STREQ(ZARNI_CLSID_ANIMATE_TEXT, "b22e54f9-1b5e-4356-a59c-40915b08abc5");
    EXPECT_EQ(ImageClassId(), ZarniUUID(0x1b77fa04u, 0x2791419cu, 0x8eac2075u, 0x8aa3e948u));
    EXPECT_EQ(AnimateClassId(), ZarniUUID(0xb22e54f9u, 0x1b5e4356u, 0xa59c4091u, 0x5b08abc5u));
    EXPECT_EQ(TextRunClassId(), ZarniUUID(0x2a55c017u, 0xeac54c63u, 0x90b2b8b2u, 0xef0d4adau));
}

TEST(CreatorRegistry, RegisterReplaceAndUnregister) {
    CCreatorRegistry& registry = CCreatorRegistry::Instance();
    const int before = registry.GetCount();
    CTestCreator a(1, {X(), Y()});
    CTestCreator b(2, {Y(), Z()});

    registry.RegisterCreator(&a);
    registry.AssertValid();
    EXPECT_EQ(MadeBy(X()), 1);
    EXPECT_EQ(MadeBy(Y()), 1);
    EXPECT_EQ(MadeBy(Z()), 0);

    registry.RegisterCreator(&b);  // takes Y over from a
    EXPECT_EQ(registry.GetCount(), before + 3);
    EXPECT_EQ(registry.FindCreator(X()), &a);
    EXPECT_EQ(MadeBy(Y()), 2);
    EXPECT_EQ(MadeBy(Z()), 2);

    // Unregistering a removes X and Y, although Y now names b.
    registry.UnRegisterCreator(&a);
    registry.AssertValid();
    EXPECT_EQ(MadeBy(X()), 0);
    EXPECT_EQ(MadeBy(Y()), 0);
    EXPECT_EQ(MadeBy(Z()), 2);

    registry.UnRegisterCreator(&b);
    EXPECT_EQ(registry.GetCount(), before);
    EXPECT_EQ(g_liveObjects, 0);
}

TEST(CreatorRegistry, NullCreatorAndNullClassAreIgnored) {
    CCreatorRegistry& registry = CCreatorRegistry::Instance();
    const int before = registry.GetCount();
    registry.RegisterCreator(nullptr);
    registry.UnRegisterCreator(nullptr);
    EXPECT_EQ(registry.GetCount(), before);

    CTestCreator withNull(3, {ZarniUUID(), X()});
    registry.RegisterCreator(&withNull);
    registry.AssertValid();
    EXPECT_EQ(registry.GetCount(), before + 1);
    EXPECT_EQ(registry.CreateObj(ZarniUUID()), nullptr);
    EXPECT_EQ(MadeBy(X()), 3);
    registry.UnRegisterCreator(&withNull);
    EXPECT_EQ(registry.GetCount(), before);
}

TEST(CreatorRegistry, HostCreatorTakesOverPictures) {
    CCreatorRegistry& registry = CCreatorRegistry::Instance();
    registry.RegisterCreator(&CBuiltinCreator::Instance());
    CTestCreator host(7, {ImageClassId()});
    registry.RegisterCreator(&host);
    EXPECT_EQ(MadeBy(ImageClassId()), 7);
    // Unregistering the host removes pictures altogether, the built-in mapping included.
    registry.UnRegisterCreator(&host);
    EXPECT_EQ(registry.FindCreator(ImageClassId()), nullptr);
    registry.UnRegisterCreator(&CBuiltinCreator::Instance());
    registry.AssertValid();
}

TEST(ObjectCasts, ReachEveryInterfaceFromStorePointer) {
    ICompressStoreObj* obj = CTestCreator(5, {X()}).CreateObj(X());
    ASSERT_NE(obj, nullptr);
    ISerialize* serialize = SerializeOf(obj);
    ASSERT_NE(serialize, nullptr);
    EXPECT_EQ(serialize->GetCLSID(), X());
    const ICompressStoreObj* constObj = obj;
    EXPECT_EQ(SerializeOf(constObj), serialize);
    ASSERT_NE(VisibleOf(obj), nullptr);
    EXPECT_EQ(VisibleOf(obj)->GetSize(), CSize(5, 10));
    EXPECT_EQ(VisibleOf(obj)->Draw(nullptr, CRect(0, 0, 5, 10), CRect(-1, -1, -1, -1)), 0);
    ASSERT_NE(TextReplaceableOf(obj), nullptr);
    EXPECT_EQ(TextReplaceableOf(obj)->GetReplaceText(), "[obj]");
    ASSERT_NE(ExternalOf(obj), nullptr);
    EXPECT_EQ(ExternalOf(obj)->ExecuteCmd(40, 2), 42ul);
    obj->Destroy();

    // An object with only the store interface answers null, as does a null pointer.
    ICompressStoreObj* storeOnly = new CStoreOnlyObj;
    EXPECT_EQ(SerializeOf(storeOnly), nullptr);
    EXPECT_EQ(VisibleOf(storeOnly), nullptr);
    EXPECT_EQ(TextReplaceableOf(storeOnly), nullptr);
    EXPECT_EQ(ExternalOf(storeOnly), nullptr);
    storeOnly->Destroy();
    EXPECT_EQ(SerializeOf(static_cast<ICompressStoreObj*>(nullptr)), nullptr);
    EXPECT_EQ(g_liveObjects, 0);
}

namespace {

ICompressStoreObj* MakeXPrototype() {
    return new CTestObj(UuidFromText(kClassX), 10);
}
ICompressStoreObj* MakeYPrototype() {
    return new CTestObj(UuidFromText(kClassY), 20);
}
ICompressStoreObj* MakeSecondX() {
    return new CTestObj(UuidFromText(kClassX), 30);
}
ICompressStoreObj* MakeNothing() {
    return nullptr;
}

}  // namespace

TEST(BuiltinCreator, TableFromListClonesPrototypes) {
    const SPrototypeEntry list[] = {
        {kClassX, &MakeXPrototype}, {kClassZ, &MakeNothing},
        {kClassY, &MakeYPrototype}, {kClassX, &MakeSecondX},  // a later duplicate never answers
        {"not-an-id", nullptr},                               // null id: the list ends here
        {kClassZ, &MakeXPrototype},
    };
    {
        CBuiltinCreator creator(list);
        creator.AssertValid();
        EXPECT_EQ(g_liveObjects, 3);  // X, Y and the duplicate X; Z made nothing

        CZarniArray<ZarniUUID> ids;
        ids.Add(Z());
        creator.GetCLSIDs(ids);
        ASSERT_EQ(ids.GetSize(), 3u);
        EXPECT_EQ(ids[0], X());
        EXPECT_EQ(ids[1], Y());
        EXPECT_EQ(ids[2], X());

        ICompressStoreObj* x = creator.CreateObj(X());
        ICompressStoreObj* again = creator.CreateObj(X());
        ASSERT_NE(x, nullptr);
        ASSERT_NE(again, nullptr);
        EXPECT_NE(x, again);  // each call is a new clone
        EXPECT_EQ(dynamic_cast<CTestObj*>(x)->Maker(), 10);
        EXPECT_EQ(x->GetID(), X());
        EXPECT_EQ(creator.CreateObj(Z()), nullptr);
        EXPECT_EQ(creator.CreateObj(ZarniUUID()), nullptr);
        x->Destroy();
        again->Destroy();
    }
    EXPECT_EQ(g_liveObjects, 0);  // the destructor destroyed the prototypes

    CBuiltinCreator empty(nullptr);
    EXPECT_EQ(empty.GetCount(), 0);
    EXPECT_EQ(empty.CreateObj(X()), nullptr);
}

TEST(BuiltinCreator, ProcessCreatorListsOnlyWhatItMakes) {
    CBuiltinCreator& creator = CBuiltinCreator::Instance();
    creator.AssertValid();
    CZarniArray<ZarniUUID> ids;
    ids.Add(X());
    creator.GetCLSIDs(ids);
    ASSERT_EQ(static_cast<int>(ids.GetSize()), creator.GetCount());
    for (uint32_t i = 0; i < ids.GetSize(); ++i) {
        ICompressStoreObj* obj = creator.CreateObj(ids[i]);
        ASSERT_NE(obj, nullptr);
        ASSERT_NE(SerializeOf(obj), nullptr);
        EXPECT_EQ(SerializeOf(obj)->GetCLSID(), ids[i]);
        obj->Destroy();
    }
    EXPECT_EQ(creator.CreateObj(X()), nullptr);
}
