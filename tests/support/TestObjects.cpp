// Test objects with liveness counters.
#include "support/TestObjects.h"

#include "model/CompressStore.h"
#include "objects/CreatorRegistry.h"
#include "persist/Pack.h"

int CTestSub::s_live = 0;
int CTestObject::s_live = 0;
int CTestObject::s_unvisibleCalls = 0;
const char* const CTestObject::kClassId = "00000000-0000-0000-0000-0000000000aa";

CTestSub::CTestSub(const std::string& name)
    : m_name(name), m_id(UuidFromBytes(("sub:" + name).data(), name.size() + 4)) {
    ++s_live;
}

CTestObject::CTestObject(const std::string& name, CTestSub* sub)
    : m_name(name), m_id(UuidFromBytes(name.data(), name.size())), m_sub(sub), m_ownsSub(true) {
    ++s_live;
}

CTestObject::~CTestObject() {
    if (m_ownsSub && m_sub)
        m_sub->Destroy();
    --s_live;
}

IClone* CTestObject::Clone() {
    CTestSub* sub = m_sub ? static_cast<CTestSub*>(m_sub->Clone()) : nullptr;
    return static_cast<ICompressStoreObj*>(new CTestObject(m_name, sub));
}

ICompressStoreObj* CTestObject::ShallowClone(ICompressStoreObj* sub) {
    auto* copy = new CTestObject(m_name, static_cast<CTestSub*>(sub));
    copy->m_ownsSub = false;
    return copy;
}

void CTestObject::ShallowDestroy() {
    m_ownsSub = false;
    delete this;
}

ZarniUUID StoreTestObject(const std::string& name) {
    CTestObject* obj = new CTestObject(name);
    CCompressStore::Instance().Add(obj);
    const ZarniUUID id = obj->GetID();
    obj->Destroy();
    return id;
}

void CTestObject::streamout(CPack& pack) const {
    pack << m_name;
}

void CTestObject::streamin(CPack& pack) {
    pack >> m_name;
    m_id = UuidFromBytes(m_name.data(), m_name.size());
}

namespace {
const SPrototypeEntry kTestPrototypes[] = {
    {CTestObject::kClassId, []() -> ICompressStoreObj* { return new CTestObject(""); }},
    {nullptr, nullptr}};
}  // namespace

CTestObjectCreator::CTestObjectCreator() : CPrototypeCreator(kTestPrototypes, "test objects") {
    CCreatorRegistry::Instance().RegisterCreator(this);
}

CTestObjectCreator::~CTestObjectCreator() {
    CCreatorRegistry::Instance().UnRegisterCreator(this);
}
