#include "colour_value.h"

#include <gtest/gtest.h>

TEST(PackRgb, PlacesRedLowAndBlueHigh) {
    EXPECT_EQ(packRgb(255, 0, 0), 0x000000FFU);
    EXPECT_EQ(packRgb(0, 255, 0), 0x0000FF00U);
    EXPECT_EQ(packRgb(0, 0, 255), 0x00FF0000U);
    EXPECT_EQ(packRgb(0xC4, 0xA5, 0xF9), 0x00F9A5C4U);
}

TEST(PackRgb, LevelsOutsideZeroTo255AreClampedWithoutSpilling) {
    EXPECT_EQ(packRgb(256, 0, 0), 0x000000FFU);
    EXPECT_EQ(packRgb(0, 256, 256), 0x00FFFF00U);
    EXPECT_EQ(packRgb(32767, 32767, 32767), 0x00FFFFFFU);
    EXPECT_EQ(packRgb(-1, 7, -32768), 0x00000700U);
}
