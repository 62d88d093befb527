// Stock objects: the default GUI font description.
#include <gtest/gtest.h>

#include <cstring>

#include "platform/base/StockObjects.h"

TEST(StockObjects, DefaultGuiFontIsTheSimplifiedChineseDesktopFont) {
    LOGFONTA lf;
    std::memset(&lf, 0x55, sizeof(lf));
    ASSERT_EQ(GetObject(GetStockObject(DEFAULT_GUI_FONT), sizeof(lf), &lf), 60);
    EXPECT_EQ(lf.lfHeight, -12);
    EXPECT_EQ(lf.lfWidth, 0);
    EXPECT_EQ(lf.lfWeight, 400);
    EXPECT_EQ(lf.lfCharSet, 134);
    EXPECT_EQ(lf.lfItalic + lf.lfUnderline + lf.lfStrikeOut + lf.lfPitchAndFamily, 0);
    const unsigned char face[32] = {0xCB, 0xCE, 0xCC, 0xE5};
    EXPECT_EQ(std::memcmp(lf.lfFaceName, face, sizeof(face)), 0);  // zero-padded to the end

    EXPECT_EQ(GetStockObject(12345), nullptr);
    EXPECT_EQ(GetObject(GetStockObject(DEFAULT_GUI_FONT), 59, &lf), 0);  // too small
    EXPECT_EQ(GetObject(nullptr, sizeof(lf), &lf), 0);
}
