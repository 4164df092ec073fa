// The tumbleweed: its trigger line, its roll and its end, after travel too.
#include "plateau/TumbleWeed.h"

#include "plateau/PlatoSupport.h"

#include <gtest/gtest.h>

namespace
{

class TumbleWeedTest : public PlateauFixture
{
protected:
    TumbleWeedTest()
    {
        MapWriter writer = PlateauWriter();
        writer.AddRefPoint(22, 1000.0, 10.0);
        writer.AddRefPoint(23, 900.0, 0.0);
        map = ReadSmallMap(writer);
    }
};

TEST_F(TumbleWeedTest, SetOffOnceRollsLeftAndVanishesPastItsEnd)
{
    TumbleWeed::Initialise();
    TumbleWeed weed(map.get(), 22, 23);
    Pointf at;
    Pointf const onLine(1000.0 - 768.0, 0.0);
    weed.PlayerAtPos(10, &onLine);
    EXPECT_EQ(weed.startTime, GameEvent_HasntHappened);
    Pointf const beyond(1000.0 - 767.99, 0.0);
    weed.PlayerAtPos(20, &beyond);
    EXPECT_EQ(weed.startTime, 20);
    weed.PlayerAtPos(30, &beyond);
    EXPECT_EQ(weed.startTime, 20);

    EXPECT_FALSE(weed.PosAt(19, at));
    ASSERT_TRUE(weed.PosAt(20, at));
    EXPECT_EQ(at, Pointf(1000.0, 10.0));
    ASSERT_TRUE(weed.PosAt(21, at));
    EXPECT_EQ(at.x, 998.0);
    EXPECT_TRUE(weed.PosAt(70, at)); // exactly at the end's x
    EXPECT_EQ(at.x, 900.0);
    EXPECT_FALSE(weed.PosAt(71, at));
    for (Tick t : {80, 30, 5})
        weed.Render(map.get(), t);
    EXPECT_FALSE(weed.PosAt(5, at)); // travelled back before it was set off
    TumbleWeed::Finalise();
}

} // namespace
