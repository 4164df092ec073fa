// The stable pointer sort.
#include "util/Sort.h"

#include <gtest/gtest.h>

#include "Stamp.h"

TEST(Sort, StableWithEmptySlotsLast)
{
    Stamp a(1, 0);
    Stamp b(2, 0);
    Stamp* holes[4] = {nullptr, &b, nullptr, &a};
    Sort(holes, 4);
    EXPECT_EQ(holes[0], &a);
    EXPECT_EQ(holes[1], &b);
    EXPECT_EQ(holes[2], nullptr);
    EXPECT_EQ(holes[3], nullptr);

    Stamp first(5, 1);
    Stamp second(5, 2);
    Stamp early(3, 3);
    Stamp third(5, 4);
    Stamp* equal[5] = {&first, &second, nullptr, &early, &third};
    Sort(equal, 5);
    EXPECT_EQ(equal[0], &early);
    EXPECT_EQ(equal[1], &first);
    EXPECT_EQ(equal[2], &second);
    EXPECT_EQ(equal[3], &third);
    EXPECT_EQ(equal[4], nullptr);

    // Only the first n slots are touched.
    Stamp* partial[3] = {&b, &a, nullptr};
    Sort(partial, 1);
    EXPECT_EQ(partial[0], &b);
    Sort(partial, 0);
}
