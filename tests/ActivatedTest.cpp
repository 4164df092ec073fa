// Several activators working one thing: on only while all are on, and the combined run ticks.
#include "Activated.h"

#include <gtest/gtest.h>

#include "GroupTestSupport.h"

TEST(Activated, CombinesItsActivatorsAnswers)
{
    Activated none;
    EXPECT_TRUE(none.IsActive(5));
    EXPECT_EQ(none.LastActiveTime(5), -1);
    EXPECT_EQ(none.LastInactiveTime(5), 0);
    EXPECT_EQ(none.NextActiveTime(5), -1);
    EXPECT_EQ(none.ActiveCount(5), 0);

    Activated both;
    ScriptedActivator first;
    ScriptedActivator second;
    both.AddActivator(&first);
    both.AddActivator(&second);
    first.On(10, 30);
    second.On(20, 40);

    EXPECT_FALSE(both.IsActive(15));
    EXPECT_TRUE(both.IsActive(25));
    EXPECT_FALSE(both.IsActive(35));

    EXPECT_EQ(both.LastActiveTime(15), -1) << "the second was never on by then";
    EXPECT_EQ(both.LastActiveTime(35), 29) << "the earlier of the two latest";
    EXPECT_EQ(both.LastInactiveTime(25), 19) << "the later of the two";
    EXPECT_EQ(both.LastInactiveTime(5), 5);
    EXPECT_EQ(both.NextActiveTime(0), 20);
    EXPECT_EQ(both.NextActiveTime(35), -1) << "the first is never on again";
    EXPECT_EQ(both.ActiveCount(25), 15) << "the first activator's count";
}
