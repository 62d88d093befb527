// Format record creator and its process-wide registry.
#include <gtest/gtest.h>

#include <cstring>

#include "format/ColorInfo.h"
#include "format/FontInfo.h"
#include "format/FormatCreator.h"
#include "format/FormatCreatorRegistry.h"
#include "objects/CreatorRegistry.h"
#include "persist/Pack.h"

TEST(FormatCreator, MakesEmptyRecordsByClassId) {
    CFormatCreator creator;
    creator.AssertValid();
    CZarniArray<ZarniUUID> ids;
    ids.Add(ZarniUUID(1u, 2u, 3u, 4u));  // replaced, not appended to
    creator.GetCLSIDs(ids);
    ASSERT_EQ(ids.GetSize(), 2u);
    EXPECT_EQ(ids[0], CFontInfo::ClassId());
    EXPECT_EQ(ids[1], CColorInfo::ClassId());

    ICompressStoreObj* obj = creator.CreateObj(CFontInfo::ClassId());
    auto* font = dynamic_cast<CFontInfo*>(obj);
    ASSERT_NE(font, nullptr);
    EXPECT_TRUE(font->ID().IsNull());
    LOGFONTA zero;
    std::memset(&zero, 0, sizeof(zero));
    EXPECT_EQ(std::memcmp(&font->GetLogFont(), &zero, sizeof(zero)), 0);

    font->Destroy();

    auto* color = dynamic_cast<CColorInfo*>(creator.CreateObj(CColorInfo::ClassId()));
    ASSERT_NE(color, nullptr);
    EXPECT_TRUE(color->ID().IsNull());
    color->Destroy();

    EXPECT_EQ(creator.CreateObj(ZarniUUID()), nullptr);
    EXPECT_EQ(creator.CreateObj(ZarniUUID(1u, 2u, 3u, 4u)), nullptr);
}

TEST(FormatCreatorRegistry, MapsRecordClassesApartFromObjectCreators) {
    CFormatCreatorRegistry& registry = CFormatCreatorRegistry::Instance();
    EXPECT_EQ(&registry, &CFormatCreatorRegistry::Instance());
    EXPECT_EQ(registry.CreateObj(CFontInfo::ClassId()), nullptr);

    CFormatCreator creator;
    registry.RegisterCreator(&creator);
    registry.RegisterCreator(nullptr);
    registry.AssertValid();
    EXPECT_EQ(registry.FindCreator(CColorInfo::ClassId()), &creator);
    // The object creator registry does not see format creators.
    EXPECT_EQ(CCreatorRegistry::Instance().FindCreator(CFontInfo::ClassId()), nullptr);

    // The document reader's path: make a record by class id and let it read itself.
    const CColorInfo source(0x00FF00);
    CPack pack;
    source.streamout(pack);
    ICompressStoreObj* obj = registry.CreateObj(CColorInfo::ClassId());
    ASSERT_NE(obj, nullptr);
    ISerialize* serial = dynamic_cast<ISerialize*>(obj);
    ASSERT_NE(serial, nullptr);
    EXPECT_EQ(serial->GetCLSID(), CColorInfo::ClassId());
    serial->streamin(pack);
    EXPECT_EQ(obj->GetID(), source.ID());
    EXPECT_EQ(dynamic_cast<CColorInfo*>(obj)->GetColor(), 0x00FF00u);
    obj->Destroy();

    registry.UnRegisterCreator(&creator);
    EXPECT_EQ(registry.CreateObj(CFontInfo::ClassId()), nullptr);
    EXPECT_EQ(registry.GetCount(), 0);
}
