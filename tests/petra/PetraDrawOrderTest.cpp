// The riddle-giver's house as its map draws it: no later polygon hides a floor, step or holder a player
// stands on, nor a plate. (Its front door is open from the start: no puzzle guards the way out.)
#include "petra/PetraWorldSupport.h"
#include "support/DrawOrder.h"

#include <gtest/gtest.h>

TEST_F(PetraWorldFixture, NoLaterPolygonHidesWhatAPlayerStandsOnOrAPlate)
{
    Petra& petra = MakeWorld();
    EXPECT_TRUE(DrawOrder::NothingHidden(*petra.GetMap()));
}
