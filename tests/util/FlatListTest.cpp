// The counted array of plain values.
#include "util/FlatList.h"

#include <gtest/gtest.h>

namespace
{
struct Cell
{
    int group;
    double height;
};
}

TEST(FlatList, InitZeroesAndExtendAppends)
{
    FlatList<Cell> cells(3);
    ASSERT_EQ(cells.Count(), 3);
    for (int i = 0; i < 3; i++)
    {
        EXPECT_EQ(cells[i].group, 0);
        EXPECT_EQ(cells[i].height, 0.0);
    }
    cells[1].group = 7;
    cells.Extend();
    EXPECT_EQ(cells.Count(), 4);
    cells[3] = {9, 1.5};
    EXPECT_EQ(cells[1].group, 7);
    EXPECT_EQ(cells[3].height, 1.5);
    EXPECT_DEATH(cells[4], "i >= 0 && i < count");

    FlatList<unsigned int> grown;
    EXPECT_EQ(grown.Count(), 0);
    for (unsigned int i = 0; i < 100; i++)
    {
        grown.Extend();
        grown[i] = i * i;
    }
    EXPECT_EQ(grown[99], 9801u);
}
