#include "platform/System.h"

#include <gtest/gtest.h>

TEST(Random, FollowsTheRunTimeLibrarysSequenceFromSeedZero)
{
    RandSeed = 0;
    EXPECT_EQ(Random(999999), 0u);
    EXPECT_EQ(RandSeed, 1u);
    EXPECT_EQ(Random(999999), 31379u);
    EXPECT_EQ(RandSeed, 134775814u);
}

TEST(Random, StaysBelowTheRangeAndAdvancesEvenForRangeZero)
{
    RandSeed = 0xFFFFFFFFu;
    for (int i = 0; i < 1000; ++i) EXPECT_LT(Random(7), 7u);
    const uint32_t before = RandSeed;
    EXPECT_EQ(Random(0), 0u);
    EXPECT_NE(RandSeed, before);
}
