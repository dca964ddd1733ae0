#include "random_source.h"
#include "scripted_random_source.h"

#include <cmath>

#include <gtest/gtest.h>

TEST(SystemRandomSource, UniformValuesAreWholeMultiplesOfTwoToTheMinus24BelowOne) {
    RandomSource& source = randomSource();
    source.reseed(source.timeOfDaySeconds());
    double sum = 0.0;
    constexpr int draws = 200000;
    for (int i = 0; i < draws; ++i) {
        const float u = source.nextUniform();
        ASSERT_GE(u, 0.0F);
        ASSERT_LT(u, 1.0F);
        const float steps = u * 0x1p24F;
        ASSERT_EQ(steps, std::floor(steps));
        sum += u;
    }
    EXPECT_NEAR(sum / draws, 0.5, 0.01);
}

TEST(SystemRandomSource, ReseedingWithTheSameSeedStillMovesTheSequenceOn) {
    RandomSource& source = randomSource();
    source.reseed(100.25F);
    const float first = source.nextUniform();
    const float second = source.nextUniform();
    source.reseed(100.25F);
    const float third = source.nextUniform();
    const float fourth = source.nextUniform();
    EXPECT_FALSE(first == third && second == fourth);
}

TEST(SystemRandomSource, TheClockReadsSecondsSinceMidnight) {
    const float seconds = randomSource().timeOfDaySeconds();
    EXPECT_GE(seconds, 0.0F);
    EXPECT_LT(seconds, 86401.0F);
}

TEST(RandomSourceInstallation, AReplacementIsUsedUntilItIsRemoved) {
    RandomSource* const system = &randomSource();
    {
        ScriptedRandomSource scripted({0.25F}, nullptr, 7.0F);
        EXPECT_EQ(&randomSource(), &scripted);
        EXPECT_EQ(randomSource().nextUniform(), 0.25F);
        EXPECT_EQ(randomSource().timeOfDaySeconds(), 7.0F);
    }
    EXPECT_EQ(&randomSource(), system);
    EXPECT_EQ(installRandomSource(nullptr), system);
    EXPECT_EQ(&randomSource(), system);
}
