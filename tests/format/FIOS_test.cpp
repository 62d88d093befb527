// Format output streams: sections collected apart, and runs of constant font and colour.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "format/FIOS_Mixture.h"
#include "format/FIOS_Sects.h"
#include "format/FormatInfo.h"
#include "model/Doc.h"
#include "platform/base/StockObjects.h"

namespace {

LOGFONTA StockWithHeight(int delta) {
    LOGFONTA lf;
    std::memset(&lf, 0, sizeof(lf));
    GetObject(GetStockObject(DEFAULT_GUI_FONT), sizeof(LOGFONTA), &lf);
    lf.lfHeight += delta;
    return lf;
}

bool SameLogFont(const LOGFONTA& a, const LOGFONTA& b) {
    return std::memcmp(&a, &b, sizeof(LOGFONTA)) == 0;
}

class CMixtureRecorder : public IMixtureOutputStream {
public:
    struct Run {
        ZarniUUID font;
        ZarniUUID color;
        CRange range;
    };
    int PutMixture(const CMixtureInfo& info) override {
        runs.push_back({info.font->ID(), info.color->ID(), info.range});
        return 1;
    }
    std::vector<Run> runs;
};

}  // namespace

TEST(FIOS_Sects, ThreeOverlappingFontsGiveFourSections) {
    CDoc doc;
    CFormatInfo formats(&doc);
    ASSERT_EQ(doc.Inserts(0, CString(std::string(100, 'a'))), 100);
    CFontInfo f1(StockWithHeight(0)), f2(StockWithHeight(-10)), f3(StockWithHeight(-20));
    ASSERT_EQ(formats.SetFont(&f1, CRange(0, 100)), 1);
    ASSERT_EQ(formats.SetFont(&f2, CRange(20, 80)), 1);
    ASSERT_EQ(formats.SetFont(&f3, CRange(10, 30)), 1);
    formats.AssertValid();

    FIOS_Sects sects;
    ASSERT_EQ(formats.Output(&sects, CRange(5, 90)), 1);
    ASSERT_EQ(sects.GetFontCount(), 4u);
    EXPECT_EQ(sects.GetFontSects()[0].Range(), CRange(5, 10));
    EXPECT_EQ(sects.GetFontAt(0)->ID(), f1.ID());
    EXPECT_TRUE(SameLogFont(sects.GetFontAt(0)->GetLogFont(), f1.GetLogFont()));
    EXPECT_EQ(sects.GetFontSects()[1].Range(), CRange(10, 30));
    EXPECT_FALSE(SameLogFont(sects.GetFontAt(1)->GetLogFont(), f1.GetLogFont()));
    EXPECT_EQ(sects.GetFontAt(1)->ID(), f3.ID());
    EXPECT_EQ(sects.GetFontSects()[2].Range(), CRange(30, 80));
    EXPECT_EQ(sects.GetFontAt(2)->ID(), f2.ID());
    EXPECT_EQ(sects.GetFontSects()[3].Range(), CRange(80, 90));
    EXPECT_EQ(sects.GetFontAt(3)->ID(), f1.ID());
    EXPECT_EQ(sects.GetFontAt(4), nullptr);
    // One colour section, the default, over the requested range.
    ASSERT_EQ(sects.GetColorCount(), 1u);
    EXPECT_EQ(sects.GetColorSects()[0].Range(), CRange(5, 90));
    EXPECT_EQ(sects.GetColorAt(0)->ID(), formats.GetDefaultColor().ID());

    // A range reaching past the text is cut at its end.
    sects.Clear();
    formats.Output(&sects, CRange(85, 500));
    ASSERT_EQ(sects.GetFontCount(), 1u);
    EXPECT_EQ(sects.GetFontSects()[0].Range(), CRange(85, 100));
}

TEST(FIOS_Sects, KeepsItsOwnCopiesAndIgnoresNull) {
    FIOS_Sects sects;
    EXPECT_EQ(sects.PutFont(nullptr, CRange(0, 1)), 0);
    EXPECT_EQ(sects.PutColor(nullptr, CRange(0, 1)), 0);
    EXPECT_EQ(sects.GetFontCount() + sects.GetColorCount(), 0u);

    const LOGFONTA lf = StockWithHeight(3);
    CFontInfo* temp = new CFontInfo(lf);
    EXPECT_EQ(sects.PutFont(temp, CRange(2, 4)), 1);
    temp->Destroy();  // the sender's record is gone after the call
    ASSERT_EQ(sects.GetFontCount(), 1u);
    EXPECT_TRUE(SameLogFont(sects.GetFontAt(0)->GetLogFont(), lf));
    sects.Clear();
    EXPECT_EQ(sects.GetFontCount(), 0u);
}

TEST(FIOS_Mixture, CombinesFontAndColourRunsInPositionOrder) {
    CDoc doc;
    CFormatInfo formats(&doc);
    ASSERT_EQ(doc.Inserts(0, CString(std::string(100, 'a'))), 100);
    CFontInfo f1(StockWithHeight(0)), f2(StockWithHeight(-10));
    CColorInfo black(0), white(0xFFFFFF);
    formats.SetFont(&f1, CRange(0, 100));
    formats.SetFont(&f2, CRange(60, 100));
    formats.SetColor(&black, CRange(0, 100));
    formats.SetColor(&white, CRange(0, 40));

    FIOS_Mixture mixture;
    formats.Output(&mixture, CRange(5, 90));
    CMixtureRecorder recorder;
    EXPECT_EQ(mixture.Output(&recorder), 3);
    ASSERT_EQ(recorder.runs.size(), 3u);
    EXPECT_EQ(recorder.runs[0].range, CRange(5, 40));
    EXPECT_EQ(recorder.runs[0].font, f1.ID());
    EXPECT_EQ(recorder.runs[0].color, white.ID());
    EXPECT_EQ(recorder.runs[1].range, CRange(40, 60));
    EXPECT_EQ(recorder.runs[1].font, f1.ID());
    EXPECT_EQ(recorder.runs[1].color, black.ID());
    EXPECT_EQ(recorder.runs[2].range, CRange(60, 90));
    EXPECT_EQ(recorder.runs[2].font, f2.ID());
    EXPECT_EQ(recorder.runs[2].color, black.ID());
    EXPECT_EQ(mixture.Output(nullptr), 0);
}

TEST(FIOS_Mixture, SkipsPiecesOnlyOneStickCovers) {
    FIOS_Mixture mixture;
    CMixtureRecorder recorder;
    EXPECT_EQ(mixture.Output(&recorder), 0);

    CFontInfo font(StockWithHeight(0));
    CColorInfo color(0x123456);
    EXPECT_EQ(mixture.PutFont(nullptr, CRange(0, 10)), 0);
    mixture.PutFont(&font, CRange(0, 10));
    mixture.PutColor(&color, CRange(5, 15));
    EXPECT_EQ(mixture.Output(&recorder), 1);
    ASSERT_EQ(recorder.runs.size(), 1u);
    EXPECT_EQ(recorder.runs[0].range, CRange(5, 10));
}
