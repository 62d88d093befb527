// Embedded objects for tests: a complete object with an optional shared sub-object, and
// counters that expose leaks, double destruction and visibility notices.
#pragma once

#include <string>

#include "objects/ExternalObj.h"
#include "objects/PrototypeCreator.h"
#include "objects/ZarniUUID.h"

// The bulky part an object may share with others.
class CTestSub : public ICompressStoreObj {
public:
    explicit CTestSub(const std::string& name);
    IClone* Clone() override { return new CTestSub(m_name); }
    void Destroy() override { delete this; }
    ZarniUUID GetID() override { return m_id; }
    ICompressStoreObj* GetSubCSO() const override { return nullptr; }
    ICompressStoreObj* ShallowClone(ICompressStoreObj*) override { return new CTestSub(m_name); }
    void ShallowDestroy() override { delete this; }

    static int s_live;

private:
    ~CTestSub() override { --s_live; }
    std::string m_name;
    ZarniUUID m_id;
};

// An object whose id is the digest of its name. It owns its sub-object unless it is a
// shallow clone.
class CTestObject : public IVisibleComplexObj {
public:
    // sub may be null; when given, the object takes ownership.
    CTestObject(const std::string& name, CTestSub* sub = nullptr);

    IClone* Clone() override;
    void Destroy() override { delete this; }
    ZarniUUID GetID() override { return m_id; }
    ICompressStoreObj* GetSubCSO() const override { return m_sub; }
    ICompressStoreObj* ShallowClone(ICompressStoreObj* sub) override;
    void ShallowDestroy() override;

    CSize GetSize() override { return CSize(16, 16); }
    int Draw(IXCanvas*, const CRect&, const CRect&) override { return 0; }
    void UnVisible() override { ++s_unvisibleCalls; }
    void OutOfView() override {}
    void InView(const CRect&) override {}

    CString GetReplaceText() override { return CString(m_name.c_str()); }

    static const char* const kClassId;
    ZarniUUID GetCLSID() override { return UuidFromText(kClassId); }
    // The name travels; reading it gives the object its id again.
    void streamout(CPack& pack) const override;
    void streamin(CPack& pack) override;

    const std::string& GetName() const { return m_name; }

    static int s_live;
    static int s_unvisibleCalls;

private:
    ~CTestObject() override;
    std::string m_name;
    ZarniUUID m_id;
    CTestSub* m_sub;
    bool m_ownsSub;
};

// Makes empty test objects for readers of saved documents; registered while it lives.
class CTestObjectCreator : public CPrototypeCreator {
public:
    CTestObjectCreator();
    ~CTestObjectCreator() override;
};

// Puts a test object of that name into the shared store and gives its id; the caller holds
// the one reference and releases it.
ZarniUUID StoreTestObject(const std::string& name);
