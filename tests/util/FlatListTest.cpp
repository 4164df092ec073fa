// The counted array of plain values.
#include "util/FlatList.h"

#include <gtest/gtest.h>

TEST(FlatList, InitZeroesAndExtendKeepsElements)
{
    FlatList<double> values(3);
    EXPECT_EQ(values[2], 0.0);
    values[1] = 7;
    for (int i = 3; i < 40; i++)
    {
        values.Extend();
        values[i] = i;
    }
    EXPECT_EQ(values.Count(), 40);
    EXPECT_EQ(values[1], 7);
    EXPECT_EQ(values[39], 39);
    EXPECT_DEATH(values[40], "i >= 0 && i < count");
}
