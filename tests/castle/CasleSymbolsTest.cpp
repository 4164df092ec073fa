// The symbol lock: open for good from the earliest tick at which exactly the right two plates are down.
#include "castle/Casle_Symbols.h"
#include "support/GroupTestSupport.h"

#include <gtest/gtest.h>

TEST(CasleSymbolsTest, OpensAtTheFirstTickOfExactlyTheRightPlatesAndEarlierAfterTravel)
{
    ScriptedActivator p[Casle_Symbols_Count];
    Casle_Symbols lock(&p[0], &p[1], &p[2], &p[3], &p[4], &p[5], &p[6], &p[7]);
    p[Symbol_Target1].On(10, 100);
    p[Symbol_Target2].On(10, 100);
    p[0].On(5, 20); // a third plate down as well keeps it shut
    for (Tick t = 0; t < 60; t++)
        lock.MoveToTime(nullptr, t);
    EXPECT_EQ(lock.GetSolvedTime(), 20);
    EXPECT_FALSE(lock.IsActive(19));
    EXPECT_TRUE(lock.IsActive(20));
    EXPECT_EQ(lock.LastActiveTime(19), -1);
    EXPECT_EQ(lock.LastInactiveTime(30), 19);

    // Back before it, the combination made earlier moves the opening there.
    p[Symbol_Target1].On(2, 4);
    p[Symbol_Target2].On(2, 4);
    for (Tick t = 0; t < 10; t++)
        lock.MoveToTime(nullptr, t);
    EXPECT_EQ(lock.GetSolvedTime(), 2);
}
