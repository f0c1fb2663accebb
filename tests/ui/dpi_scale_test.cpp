#include "ui/dpi_scale.h"

#include <gtest/gtest.h>

TEST(ScaleForDpi, RoundsTheScaledLengthToTheNearestPixel) {
    struct Case {
        int length, dpi, expected;
    };
    for (const Case& c : {Case{650, 96, 650}, Case{650, 144, 975}, Case{650, 192, 1300}, Case{650, 120, 813},
                          Case{69, 144, 104}, Case{13, 144, 20}, Case{-13, 144, -20}, Case{7, 0, 7}, Case{7, -96, 7}}) {
        EXPECT_EQ(ScaleForDpi(c.length, c.dpi), c.expected) << c.length << " at " << c.dpi;
    }
}

TEST(DrawnPictureIndex, ChoosesTheNearestDrawnSizeAndTheLargerOfTwoAsNear) {
    struct Case {
        int dpi, index;
    };
    for (const Case& c : {Case{72, 0}, Case{96, 0}, Case{110, 0}, Case{120, 1}, Case{144, 1}, Case{168, 2},
                          Case{192, 2}, Case{288, 2}, Case{0, 0}}) {
        EXPECT_EQ(DrawnPictureIndex(c.dpi), c.index) << c.dpi;
    }
}
