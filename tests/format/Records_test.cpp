// Font and colour records: content ids, their pack form with damaged input, and their creator.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "format/ColorInfo.h"
#include "format/FontInfo.h"
#include "format/FormatCreator.h"
#include "format/FormatCreatorRegistry.h"
#include "objects/CreatorRegistry.h"
#include "persist/Pack.h"
#include "platform/base/StockObjects.h"

namespace {

LOGFONTA StockLogFont() {
    LOGFONTA lf;
    std::memset(&lf, 0, sizeof(lf));
    EXPECT_EQ(GetObject(GetStockObject(DEFAULT_GUI_FONT), sizeof(LOGFONTA), &lf),
              static_cast<int>(sizeof(LOGFONTA)));
    return lf;
}

// Everything a record holds (its id and content), as its pack form.
template <class T>
std::string State(const T& record) {
    CPack pack;
    record.streamout(pack);
    return pack.GetBuffer();
}

// The record's pack form has the given length and reads back into an empty record; a pack
// cut at any offset is refused without consuming anything or changing the target.
template <class T>
void CheckPackForm(const T& source, const T& other, uint32_t length) {
    CPack full;
    source.streamout(full);
    ASSERT_EQ(full.GetLength(), length);
    const std::string bytes = full.GetBuffer();
    T read;
    EXPECT_TRUE(read.Read(full));
    EXPECT_EQ(full.GetLength(), 0u);
    EXPECT_EQ(State(read), State(source));
    for (size_t cut = 0; cut < bytes.size(); ++cut) {
        CPack pack(bytes.data(), cut);
        T target(other);
        EXPECT_FALSE(target.Read(pack)) << "cut at " << cut;
        EXPECT_EQ(State(target), State(other)) << "cut at " << cut;
        EXPECT_EQ(pack.Remaining(), cut) << "cut at " << cut;
    }
}

}  // namespace

TEST(FormatRecords, IdIsTheDigestOfTheContentBytes) {
    EXPECT_TRUE(CFontInfo().ID().IsNull());
    EXPECT_TRUE(CColorInfo().ID().IsNull());
    const LOGFONTA lf = StockLogFont();
    CFontInfo a(lf), b;
    EXPECT_EQ(a.GetID(), UuidFromBytes(&lf, 60));
    LOGFONTA tail = lf;  // the last byte of the face name counts too
    tail.lfFaceName[LF_FACESIZE - 1] = 'x';
    b.SetLogFont(tail);
    EXPECT_NE(a.GetID(), b.GetID());
    // A colour low byte first, whatever the host's byte order.
    const uint8_t bytes[4] = {0x56, 0x34, 0x12, 0x00};
    EXPECT_EQ(CColorInfo(0x00123456).ID(), UuidFromBytes(bytes, 4));
    // Saved documents name the record classes by these ids.
    EXPECT_EQ(a.GetCLSID(), UuidFromText("10ee87a7-4a3a-4de1-9e77-356aa2b4b01c"));
    EXPECT_EQ(CColorInfo().GetCLSID(), UuidFromText("52f921ed-5345-4c73-8ad6-9e4de4953a66"));
}

TEST(FormatRecords, PackFormRoundTripsAndDamagedInputChangesNothing) {
    // A font is its id (16), a length field (8) and the 60 LOGFONT bytes.
    const CFontInfo font(StockLogFont());
    LOGFONTA tall;
    std::memset(&tall, 0, sizeof(tall));
    tall.lfHeight = 99;
    CheckPackForm(font, CFontInfo(tall), 84);
    // Complete fields whose string is not 60 bytes: consumed, record unchanged.
    for (size_t length : {0u, 59u, 61u}) {
        CPack pack;
        pack << font.ID() << std::string(length, 'a') << 7;
        CFontInfo target(tall);
        EXPECT_FALSE(target.Read(pack)) << length;
        EXPECT_EQ(State(target), State(CFontInfo(tall)));
        EXPECT_EQ(pack.Remaining(), 8u);
    }
    // A length field that is not a number never completes.
    CPack bad;
    bad << font.ID();
    bad.Attach("zzzzzzzz", 8);
    EXPECT_FALSE(CFontInfo().Read(bad));
    EXPECT_EQ(bad.Remaining(), 24u);

    // A colour is its id and one integer field.
    CheckPackForm(CColorInfo(0x00ABCDEF), CColorInfo(0x10), 24);
    // A colour field that is not a number: consumed, record unchanged.
    CColorInfo target(0x10);
    CPack colour;
    colour << CColorInfo(0x00ABCDEF).ID();
    colour.Attach("-1234567", 8);
    EXPECT_FALSE(target.Read(colour));
    EXPECT_EQ(State(target), State(CColorInfo(0x10)));
    EXPECT_EQ(colour.Remaining(), 0u);
}

// The document reader makes each record by its class id through the registry, then lets
// it read itself; an unknown class gets nothing.
TEST(FormatCreatorRegistry, MakesEmptyRecordsByClassIdApartFromObjectCreators) {
    CFormatCreatorRegistry& registry = CFormatCreatorRegistry::Instance();
    CFormatCreator creator;
    registry.RegisterCreator(&creator);
    registry.RegisterCreator(nullptr);
    EXPECT_EQ(CCreatorRegistry::Instance().FindCreator(CFontInfo::ClassId()), nullptr);

    auto* font = dynamic_cast<CFontInfo*>(registry.CreateObj(CFontInfo::ClassId()));
    ASSERT_NE(font, nullptr);
    LOGFONTA zero;
    std::memset(&zero, 0, sizeof(zero));
    EXPECT_TRUE(font->ID().IsNull());
    EXPECT_EQ(std::memcmp(&font->GetLogFont(), &zero, sizeof(zero)), 0);
    font->Destroy();
    auto* color = dynamic_cast<CColorInfo*>(registry.CreateObj(CColorInfo::ClassId()));
    ASSERT_NE(color, nullptr);
    EXPECT_TRUE(color->ID().IsNull());
    color->Destroy();
    EXPECT_EQ(registry.CreateObj(ZarniUUID()), nullptr);
    EXPECT_EQ(registry.CreateObj(ZarniUUID(1u, 2u, 3u, 4u)), nullptr);

    registry.UnRegisterCreator(&creator);
    EXPECT_EQ(registry.CreateObj(CFontInfo::ClassId()), nullptr);
    EXPECT_EQ(registry.GetCount(), 0);
}
