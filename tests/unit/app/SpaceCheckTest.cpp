#include "app/SpaceCheck.h"

#include <gtest/gtest.h>

namespace {
const SpaceNeed kTypical = {34519758, 32291470, 2228288};
}

TEST(SpaceCheck, SameDriveNeedsTheTotal)
{
    EXPECT_TRUE(HasEnoughSpace(kTypical, {"C", "c", 34519758, 34519758}));
    EXPECT_FALSE(HasEnoughSpace(kTypical, {"C", "C", 34519757, 34519757}));
}

TEST(SpaceCheck, TwoDrivesCompareEachPart)
{
    EXPECT_TRUE(HasEnoughSpace(kTypical, {"D", "C", 32291470, 2228288}));
    EXPECT_FALSE(HasEnoughSpace(kTypical, {"D", "C", 32291469, 1ull << 40}));
    EXPECT_FALSE(HasEnoughSpace(kTypical, {"D", "C", 1ull << 40, 2228287}));
}

TEST(SpaceCheck, FreeSpaceBeyondFourGigabytesCounts)
{
    SpaceNeed huge = {5000000000ull, 5000000000ull, 0};
    EXPECT_TRUE(HasEnoughSpace(huge, {"C", "C", 6000000000ull, 6000000000ull}));
}

TEST(SpaceCheck, CustomGroupTableAndMegabytes)
{
    EXPECT_EQ(CustomGroupSpace("program").total, 12637460u);
    EXPECT_EQ(CustomGroupSpace("Backgrounds").mainPart, 319082u);
    EXPECT_EQ(CustomGroupSpace("unknown").total, 0u);
    EXPECT_EQ(Megabytes(12637460), 12u);
    EXPECT_EQ(Megabytes(34519758), 33u);
    EXPECT_EQ(Megabytes(46655694), 45u);
    EXPECT_EQ(Megabytes(1023999), 0u);
}
