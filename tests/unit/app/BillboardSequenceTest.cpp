#include "app/BillboardSequence.h"

#include <gtest/gtest.h>

TEST(BillboardSequence, ZeroTotalKeepsTheFirstBoard)
{
    BillboardSequence boards(6);
    boards.Announce(0);
    EXPECT_EQ(boards.IndexFor(0), 0);
    EXPECT_EQ(boards.IndexFor(12345), 0);
}

TEST(BillboardSequence, ShareOfBytesPicksTheBoardAndNeverPassesTheLast)
{
    BillboardSequence boards(6);
    boards.Announce(600);
    struct Row { std::uint64_t done; int index; } rows[] = {
        {0, 0}, {99, 0}, {100, 1}, {350, 3}, {599, 5}, {600, 5}, {6000, 5},
    };
    for (const Row& row : rows)
        EXPECT_EQ(boards.IndexFor(row.done), row.index) << row.done;
}

TEST(BillboardSequence, InPlaceShowsTheSecondFromHalfway)
{
    BillboardSequence boards(2);
    boards.Announce(1000);
    EXPECT_EQ(boards.IndexFor(499), 0);
    EXPECT_EQ(boards.IndexFor(500), 1);
    EXPECT_EQ(boards.IndexFor(1000), 1);
}

TEST(BillboardSequence, LargeTotalsDoNotOverflow)
{
    BillboardSequence boards(6);
    boards.Announce(0xFFFFFFFFull * 4);
    EXPECT_EQ(boards.IndexFor(0xFFFFFFFFull * 2), 3);
}
