// Font and colour records: content ids, copies, and their pack form with damaged input.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "format/ColorInfo.h"
#include "format/FontInfo.h"
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

bool SameLogFont(const LOGFONTA& a, const LOGFONTA& b) {
    return std::memcmp(&a, &b, sizeof(LOGFONTA)) == 0;
}

LOGFONTA ZeroLogFont() {
    LOGFONTA lf;
    std::memset(&lf, 0, sizeof(lf));
    return lf;
}

}  // namespace

TEST(FontInfo, IdIsTheDigestOfTheLogFont) {
    const CFontInfo fresh;
    EXPECT_TRUE(fresh.ID().IsNull());
    EXPECT_TRUE(SameLogFont(fresh.GetLogFont(), ZeroLogFont()));

    const LOGFONTA lf = StockLogFont();
    CFontInfo a(lf);
    EXPECT_EQ(a.GetID(), UuidFromBytes(&lf, 60));
    CFontInfo b;
    b.SetLogFont(lf);
    EXPECT_EQ(a.GetID(), b.GetID());

    LOGFONTA bold = lf;
    bold.lfWeight = FW_BOLD;
    b.SetLogFont(bold);
    EXPECT_NE(a.GetID(), b.GetID());
    // A change in the last byte of the face name counts too.
    LOGFONTA tail = lf;
    tail.lfFaceName[LF_FACESIZE - 1] = 'x';
    EXPECT_NE(CFontInfo(tail).GetID(), a.GetID());

    CFontInfo* copy = a.Clone();
    EXPECT_EQ(copy->GetID(), a.GetID());
    EXPECT_TRUE(SameLogFont(copy->GetLogFont(), lf));
    EXPECT_EQ(copy->GetSubCSO(), nullptr);
    copy->Destroy();
    ICompressStoreObj* shallow = a.ShallowClone(nullptr);
    EXPECT_EQ(shallow->GetID(), a.GetID());
    shallow->ShallowDestroy();
    EXPECT_EQ(a.GetCLSID(), UuidFromText("10ee87a7-4a3a-4de1-9e77-356aa2b4b01c"));
}

TEST(ColorInfo, IdIsTheDigestOfTheColourBytesLowByteFirst) {
    const CColorInfo fresh;
    EXPECT_TRUE(fresh.ID().IsNull());
    EXPECT_EQ(fresh.GetColor(), 0u);

    const CColorInfo c(0x00123456);
    const uint8_t bytes[4] = {0x56, 0x34, 0x12, 0x00};
    EXPECT_EQ(c.ID(), UuidFromBytes(bytes, 4));
    EXPECT_EQ(CColorInfo(0x00123456).ID(), c.ID());
    EXPECT_NE(CColorInfo(0x00563412).ID(), c.ID());

    CColorInfo d;
    d.SetColor(0xFFFFFF);
    EXPECT_EQ(d.GetColor(), 0xFFFFFFu);
    EXPECT_EQ(d.ID(), CColorInfo::IdOf(0xFFFFFF));
    EXPECT_EQ(d.GetCLSID(), UuidFromText("52f921ed-5345-4c73-8ad6-9e4de4953a66"));
}

TEST(FontInfo, PackRoundTripConsumesEverything) {
    const LOGFONTA lf = StockLogFont();
    const CFontInfo a(lf);
    CPack pack;
    a.streamout(pack);
    // id (16) + length field (8) + 60 bytes.
    EXPECT_EQ(pack.GetLength(), 84u);

    CFontInfo b;
    EXPECT_TRUE(b.Read(pack));
    EXPECT_EQ(pack.GetLength(), 0u);
    EXPECT_EQ(b.ID(), a.ID());
    EXPECT_TRUE(SameLogFont(b.GetLogFont(), lf));
}

TEST(FontInfo, TruncatedOrMalformedPacksLeaveTheRecordUnchanged) {
    const CFontInfo source(StockLogFont());
    CPack full;
    source.streamout(full);
    const std::string bytes = full.GetBuffer();

    LOGFONTA other = ZeroLogFont();
    other.lfHeight = 99;
    for (size_t cut = 0; cut < bytes.size(); ++cut) {
        CPack pack(bytes.data(), cut);
        CFontInfo target(other);
        const ZarniUUID before = target.ID();
        EXPECT_FALSE(target.Read(pack)) << "cut at " << cut;
        EXPECT_EQ(target.ID(), before) << "cut at " << cut;
        EXPECT_TRUE(SameLogFont(target.GetLogFont(), other)) << "cut at " << cut;
        EXPECT_EQ(pack.Remaining(), cut) << "cut at " << cut;
    }

    // Complete fields whose string is not 60 bytes: consumed, record unchanged.
    for (size_t length : {0u, 59u, 61u}) {
        CPack pack;
        pack << source.ID() << std::string(length, 'a');
        pack << 7;
        CFontInfo target;
        EXPECT_FALSE(target.Read(pack)) << length;
        EXPECT_TRUE(target.ID().IsNull());
        EXPECT_TRUE(SameLogFont(target.GetLogFont(), ZeroLogFont()));
        int rest = 0;
        pack >> rest;
        EXPECT_EQ(rest, 7);
    }

    // A length field that is not a number never completes.
    CPack bad;
    bad << source.ID();
    bad.Attach("zzzzzzzz", 8);
    CFontInfo target;
    EXPECT_FALSE(target.Read(bad));
    EXPECT_EQ(bad.Remaining(), 24u);
}

TEST(ColorInfo, PackRoundTripAndTruncation) {
    const CColorInfo source(0x00ABCDEF);
    CPack full;
    source.streamout(full);
    EXPECT_EQ(full.GetLength(), 24u);
    {
        CPack pack(full.GetBuffer().data(), full.GetLength());
        CColorInfo target;
        EXPECT_TRUE(target.Read(pack));
        EXPECT_EQ(pack.GetLength(), 0u);
        EXPECT_EQ(target.GetColor(), 0x00ABCDEFu);
        EXPECT_EQ(target.ID(), source.ID());
    }
    const std::string bytes = full.GetBuffer();
    for (size_t cut = 0; cut < bytes.size(); ++cut) {
        CPack pack(bytes.data(), cut);
        CColorInfo target(0x10);
        EXPECT_FALSE(target.Read(pack)) << "cut at " << cut;
        EXPECT_EQ(target.GetColor(), 0x10u);
        EXPECT_EQ(target.ID(), CColorInfo::IdOf(0x10));
        EXPECT_EQ(pack.Remaining(), cut);
    }
    // A colour field that is not a number: consumed, record unchanged.
    CPack bad;
    bad << source.ID();
    bad.Attach("-1234567", 8);
    CColorInfo target(0x10);
    EXPECT_FALSE(target.Read(bad));
    EXPECT_EQ(target.GetColor(), 0x10u);
    EXPECT_EQ(bad.Remaining(), 0u);
}
