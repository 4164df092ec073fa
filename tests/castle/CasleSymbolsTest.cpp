// The symbol lock: open for good from the earliest tick at which exactly the right two plates are down.
#include "castle/Casle_Symbols.h"
#include "support/GroupTestSupport.h"

#include <gtest/gtest.h>

TEST(CasleSymbolsTest, OpensAtTheFirstTickOfExactlyTheRightPlatesAndEarlierAfterTravel)
{
    ScriptedActivator plates[Casle_Symbols_Count];
    Casle_Symbols lock(&plates[0], &plates[1], &plates[2], &plates[3], &plates[4], &plates[5], &plates[6], &plates[7]);
    plates[Symbol_Target1].On(10, 100);
    plates[Symbol_Target2].On(10, 100);
    plates[0].On(5, 20); // a third plate down as well keeps it shut
    for (Tick t = 0; t < 60; t++)
        lock.MoveToTime(nullptr, t);
    EXPECT_EQ(lock.GetSolvedTime(), 20) << "opens as the third plate comes up";
    EXPECT_FALSE(lock.IsActive(19));
    EXPECT_TRUE(lock.IsActive(20));
    EXPECT_EQ(lock.LastActiveTime(19), -1);
    EXPECT_EQ(lock.LastActiveTime(30), 30);
    EXPECT_EQ(lock.LastInactiveTime(19), 19);
    EXPECT_EQ(lock.LastInactiveTime(30), 19);

    // Back before it, the combination made earlier moves the opening there; made later, not.
    plates[Symbol_Target1].On(2, 4);
    plates[Symbol_Target2].On(2, 4);
    for (Tick t = 0; t < 10; t++)
        lock.MoveToTime(nullptr, t);
    EXPECT_EQ(lock.GetSolvedTime(), 2);
    lock.MoveToTime(nullptr, 50);
    EXPECT_EQ(lock.GetSolvedTime(), 2);
}
