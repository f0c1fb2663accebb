#include "ui/dpi_resources.h"

#include <gtest/gtest.h>

#include "resources/resource_ids.h"

// 16 x 16 at 96 DPI; drawn at 24 and 32 for 144 and 192, scaled from the nearest between them.
TEST(LoadPictureForDpi, TakesTheNearestDrawnSizeScaledToTheDpi) {
    struct Case {
        int dpi, size;
    };
    for (const Case& c : {Case{96, 16}, Case{120, 20}, Case{144, 24}, Case{168, 28}, Case{192, 32}, Case{288, 48}}) {
        const UniqueBitmap picture = LoadPictureForDpi(IDB_CHECK_CHECKED, c.dpi);
        const SIZE size = BitmapSize(picture.get());
        EXPECT_EQ(size.cx, c.size) << c.dpi;
        EXPECT_EQ(size.cy, c.size) << c.dpi;
    }
    EXPECT_FALSE(LoadPictureForDpi(9999, 144));
    EXPECT_EQ(BitmapSize(nullptr).cx, 0);
}

TEST(MainWindowFont, IsTahomaOfEightPointsAtTheDpiOrALittleLess) {
    for (int dpi : {96, 120, 144, 192}) {
        const UniqueFont font = MainWindowFont(dpi);
        LOGFONTA description{};
        ASSERT_TRUE(GetObjectA(font.get(), sizeof(description), &description)) << dpi;
        EXPECT_STREQ(description.lfFaceName, "Tahoma");
        EXPECT_LE(-description.lfHeight, MulDiv(8, dpi, 72)) << dpi;
        EXPECT_GE(-description.lfHeight, MulDiv(7, dpi, 72)) << dpi;
    }
}
