#include "round_half_even.h"

#include <cmath>
#include <limits>

#include <gtest/gtest.h>

TEST(RoundHalfEven, TiesGoToTheEvenNeighbour) {
    EXPECT_EQ(roundHalfEven(2.5), 2);
    EXPECT_EQ(roundHalfEven(3.5), 4);
    EXPECT_EQ(roundHalfEven(200.5), 200);
    EXPECT_EQ(roundHalfEven(255.5), 256);
    EXPECT_EQ(roundHalfEven(0.5), 0);
    EXPECT_EQ(roundHalfEven(-0.5), 0);
    EXPECT_EQ(roundHalfEven(-1.5), -2);
    EXPECT_EQ(roundHalfEven(-2.5), -2);
}

TEST(RoundHalfEven, NonTiesGoToTheNearestInteger) {
    EXPECT_EQ(roundHalfEven(0.49999999999999994), 0);
    EXPECT_EQ(roundHalfEven(2.5000000000000004), 3);
    EXPECT_EQ(roundHalfEven(1220.18), 1220);
    EXPECT_EQ(roundHalfEven(-7.6), -8);
    EXPECT_EQ(roundHalfEven(5631.9), 5632);
}

TEST(RoundHalfEven, OutOfRangeValuesGiveTheNearestEndAndNanGivesZero) {
    constexpr auto lowest = std::numeric_limits<std::int32_t>::min();
    constexpr auto highest = std::numeric_limits<std::int32_t>::max();
    EXPECT_EQ(roundHalfEven(1e300), highest);
    EXPECT_EQ(roundHalfEven(std::numeric_limits<double>::infinity()), highest);
    EXPECT_EQ(roundHalfEven(-std::numeric_limits<double>::infinity()), lowest);
    EXPECT_EQ(roundHalfEven(2147483646.5), 2147483646);
    EXPECT_EQ(roundHalfEven(-2147483648.4), lowest);
    EXPECT_EQ(roundHalfEven(std::nan("")), 0);
}
