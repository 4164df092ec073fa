// The stable pointer sort.
#include "util/Sort.h"

#include "support/Stamp.h"

#include <gtest/gtest.h>

TEST(Sort, StableWithEmptySlotsLast)
{
    Stamp a(1), b(2), first(5), second(5);
    Stamp* slots[6] = {nullptr, &first, &b, nullptr, &second, &a};
    Sort(slots, 6);
    Stamp* const expected[6] = {&a, &b, &first, &second, nullptr, nullptr};
    for (int i = 0; i < 6; i++)
        EXPECT_EQ(slots[i], expected[i]) << i;
}
