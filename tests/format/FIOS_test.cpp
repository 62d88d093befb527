// Format output streams: sections collected apart, and runs of constant font and colour.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "format/FIOS_Mixture.h"
#include "format/FIOS_Sects.h"
#include "format/FormatInfo.h"
#include "model/Doc.h"
#include "platform/base/StockObjects.h"

namespace {

CFontInfo StockWithHeight(int delta) {
    LOGFONTA lf;
    std::memset(&lf, 0, sizeof(lf));
    GetObject(GetStockObject(DEFAULT_GUI_FONT), sizeof(LOGFONTA), &lf);
    lf.lfHeight += delta;
    return CFontInfo(lf);
}

// "home-end:height" for a font, "home-end:colour" for a colour.
std::string Piece(const CRange& r, long value) {
    return std::to_string(r.home) + "-" + std::to_string(r.end) + ":" + std::to_string(value) + " ";
}

class CMixtureRecorder : public IMixtureOutputStream {
public:
    int PutMixture(const CMixtureInfo& info) override {
        text += Piece(info.range, info.font->GetLogFont().lfHeight * 1000000L +
                                      static_cast<long>(info.color->GetColor()));
        return 1;
    }
    std::string text;
};

}  // namespace

TEST(FIOS_Sects, OverlappingFontsComeOutAsClippedSectionsWithOwnCopies) {
    CDoc doc;
    CFormatInfo formats(&doc);
    ASSERT_EQ(doc.Inserts(0, CString(std::string(100, 'a'))), 100);
    CFontInfo f1 = StockWithHeight(0), f2 = StockWithHeight(-10), f3 = StockWithHeight(-20);
    const long h = f1.GetLogFont().lfHeight;
    formats.SetFont(&f1, CRange(0, 100));
    formats.SetFont(&f2, CRange(20, 80));
    formats.SetFont(&f3, CRange(10, 30));
    FIOS_Sects sects;
    ASSERT_EQ(formats.Output(&sects, CRange(5, 90)), 1);
    std::string fonts;
    for (uint32_t i = 0; i < sects.GetFontCount(); ++i)
        fonts += Piece(sects.GetFontSects()[i].Range(), sects.GetFontAt(i)->GetLogFont().lfHeight);
    EXPECT_EQ(fonts, Piece(CRange(5, 10), h) + Piece(CRange(10, 30), h - 20) +
                         Piece(CRange(30, 80), h - 10) + Piece(CRange(80, 90), h));
    EXPECT_EQ(sects.GetFontAt(0)->ID(), f1.ID());
    EXPECT_EQ(sects.GetFontAt(4), nullptr);
    ASSERT_EQ(sects.GetColorCount(), 1u);  // the default over the requested range
    EXPECT_EQ(Piece(sects.GetColorSects()[0].Range(), sects.GetColorAt(0)->GetColor()),
              Piece(CRange(5, 90), 0));

    // Null records are refused; a record given is copied, so the sender may destroy it.
    sects.Clear();
    EXPECT_EQ(sects.GetFontCount() + sects.GetColorCount(), 0u);
    EXPECT_EQ(sects.PutFont(nullptr, CRange(0, 1)) + sects.PutColor(nullptr, CRange(0, 1)), 0);
    CFontInfo* temp = new CFontInfo(StockWithHeight(3));
    EXPECT_EQ(sects.PutFont(temp, CRange(2, 4)), 1);
    temp->Destroy();
    ASSERT_EQ(sects.GetFontCount(), 1u);
    EXPECT_EQ(sects.GetFontAt(0)->ID(), StockWithHeight(3).ID());
}

TEST(FIOS_Mixture, CombinesFontAndColourRunsAndSkipsHalfCoveredPieces) {
    CDoc doc;
    CFormatInfo formats(&doc);
    ASSERT_EQ(doc.Inserts(0, CString(std::string(100, 'a'))), 100);
    CFontInfo f1 = StockWithHeight(0), f2 = StockWithHeight(-10);
    const long h = f1.GetLogFont().lfHeight * 1000000L, h2 = f2.GetLogFont().lfHeight * 1000000L;
    CColorInfo black(0), white(0xFFFFFF);
    formats.SetFont(&f1, CRange(0, 100));
    formats.SetFont(&f2, CRange(60, 100));
    formats.SetColor(&black, CRange(0, 100));
    formats.SetColor(&white, CRange(0, 40));
    FIOS_Mixture mixture;
    formats.Output(&mixture, CRange(5, 90));
    CMixtureRecorder recorder;
    EXPECT_EQ(mixture.Output(&recorder), 3);
    EXPECT_EQ(recorder.text, Piece(CRange(5, 40), h + 0xFFFFFF) + Piece(CRange(40, 60), h) +
                                 Piece(CRange(60, 90), h2));
    EXPECT_EQ(mixture.Output(nullptr), 0);

    // Only the piece both sticks cover is a run.
    FIOS_Mixture half;
    CMixtureRecorder alone;
    EXPECT_EQ(half.Output(&alone), 0);
    EXPECT_EQ(half.PutFont(nullptr, CRange(0, 10)), 0);
    half.PutFont(&f1, CRange(0, 10));
    half.PutColor(&white, CRange(5, 15));
    EXPECT_EQ(half.Output(&alone), 1);
    EXPECT_EQ(alone.text, Piece(CRange(5, 10), h + 0xFFFFFF));
}
