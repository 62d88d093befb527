// Measuring single units: ideographs sharing one entry, and the reset on a factory change.
#include <gtest/gtest.h>

#include "format/FontInfo.h"
#include "support/FixedMetricFactory.h"
#include "view/Measure.h"

namespace {

CFontInfo Font(int height, const char* face = "SimSun") {
    LOGFONTA lf{};
    lf.lfHeight = height;
    for (int i = 0; face[i] && i < 31; ++i)
        lf.lfFaceName[i] = face[i];
    return CFontInfo(lf);
}

uint16_t Dbcs(unsigned char lead, unsigned char trail) {
    return static_cast<uint16_t>(lead | (trail << 8));
}

}  // namespace

TEST(Measure, IdeographsShareTheReferenceEntry) {
    CFixedMetricScope scope;
    CMeasure& measure = CMeasure::Instance();
    const CFontInfo font = Font(-12);
    EXPECT_EQ(measure.GetReferenceUnit(), Dbcs(0xD6, 0xD0));

    const CSize zhong = measure.Measure(font, Dbcs(0xD6, 0xD0));
    EXPECT_EQ(zhong, CSize(12, 12));
    const int calls = scope.Factory().GetCalcTextCalls();
    EXPECT_EQ(measure.Measure(font, Dbcs(0xB0, 0xA1)), zhong);
    EXPECT_EQ(measure.Measure(font, Dbcs(0xF7, 0xFE)), zhong);
    EXPECT_EQ(scope.Factory().GetCalcTextCalls(), calls);
    EXPECT_EQ(measure.GetCacheSize(), 1u);

    // Symbols with lead bytes below 0xB0 keep entries of their own.
    measure.Measure(font, Dbcs(0xA1, 0xA1));
    measure.Measure(font, Dbcs(0xAF, 0xA1));
    EXPECT_EQ(scope.Factory().GetCalcTextCalls(), calls + 2);
    EXPECT_EQ(measure.GetCacheSize(), 3u);
}

TEST(Measure, ResetForgetsSizesAndReleasesDrawingObjects) {
    CFixedMetricScope outer;
    const CFontInfo font = Font(-12);
    EXPECT_EQ(CMeasure::Instance().Measure(font, 'a'), CSize(6, 12));
    EXPECT_EQ(outer.Factory().GetLiveObjects(), 2);  // the 1 x 1 surface and the font
    {
        CFixedMetricScope inner;
        inner.Factory().SetSingleByteSize(CSize(7, 14));
        EXPECT_EQ(outer.Factory().GetLiveObjects(), 0);
        EXPECT_EQ(CMeasure::Instance().Measure(font, 'a'), CSize(7, 14));
    }
    // The outer factory is back, and the inner one's sizes are gone with its objects.
    EXPECT_EQ(CMeasure::Instance().Measure(font, 'a'), CSize(6, 12));
    EXPECT_EQ(outer.Factory().GetLiveObjects(), 2);
}
