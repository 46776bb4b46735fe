#include <gtest/gtest.h>

#include "base/random.h"

TEST(Random, LinearCongruentialGeneratorOfTheStandardLibrary) {
    seedRandom(1);
    EXPECT_EQ(nextRandom(), 41);
    EXPECT_EQ(nextRandom(), 18467);
    EXPECT_EQ(nextRandom(), 6334);
    seedRandom(0);
    EXPECT_EQ(nextRandom(), 38);
}
