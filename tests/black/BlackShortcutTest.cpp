// The Black mountains against the ways past them that skip the ogre: holding a direction with a jump now
// and then, or random keys, never leads out at the far end; the rock right of the boulder's ledge stands
// too high over the walkway for anyone to pass over it; and the map as drawn hides nothing a player
// stands on and no door or moving group behind a later picture, and backs the hollows under the road
// with rock, so that the night sky's mountains never show under a bridge.
#include "black/BlackSupport.h"
#include "black/Black_MapMove.h"
#include "black/Black_MapMoveGroup.h"
#include "black/Black_Rock.h"
#include "engine/Poly.h"
#include "support/DrawOrder.h"
#include "support/ShortcutRun.h"

#include <gtest/gtest.h>

#include <vector>

namespace
{

class BlackShortcut : public BlackWorld
{
protected:
    ShortcutRun::Stepper Stepper()
    {
        return [this](std::vector<int> const& held) { return Step(held); };
    }

    // Whether a still polygon of the map (not a moving group's) is drawn over the point.
    static bool Backed(Map const& map, Pointf const& p)
    {
        for (int i = 0; i < map.polys.Count(); ++i)
            if (map.polys[i]->GetGroup() == 0 && DrawOrder::Inside(*map.polys[i], p))
                return true;
        return false;
    }
};

} // namespace

TEST_F(BlackShortcut, HoldingADirectionOrRandomKeysNeverLeaveByTheFarEndWithOrWithoutTheSocks)
{
    for (bool socks : {false, true})
    {
        ShortcutRun::Each([&] { socks ? MakeWorldWithSocks() : MakeWorld(); }, Stepper(),
                          [&](ShortcutRun::Result const& r) {
                              EXPECT_NE(r.action, Level_Completed) << r.how << (socks ? ", with the socks" : "");
                          });
    }
}

TEST_F(BlackShortcut, TheMapHidesNoGroundNoDoorAndNoMovingGroupBehindALaterPicture)
{
    Black& black = MakeWorld();
    EXPECT_TRUE(DrawOrder::NothingHidden(*black.GetMap()));
}

TEST_F(BlackShortcut, UnderTheBridgesRockIsDrawnBehindTheRollingRocksTheLiftsAndTheTunnel)
{
    Black& black = MakeWorld();
    Map const& map = *black.GetMap();
    for (int s = 0; s < Black_Rock_Count; ++s)
    {
        FlatList<Pointf> const& path = black.GetRock(s)->GetPath();
        for (int i = 0; i < path.Count(); i += 10)
            ASSERT_TRUE(Backed(map, path[i])) << "the sky behind stream " << s << " at step " << i;
    }
    Black_MapMoveGroup const* lift = black.GetDriver()->GetMover(0);
    ASSERT_EQ(lift->group, Black_Group_FirstLift);
    for (Tick t = 0; t < 5123; t += 20)
    {
        double x = 0.0;
        double y = 0.0;
        lift->Offset(t, x, y);
        Pointf const middle(BlackWriter::Black_TrackX + x, BlackWriter::Black_TrackY + y - 8.0);
        ASSERT_TRUE(Backed(map, middle)) << "the sky behind the lift at tick " << t;
    }
    for (double x = BlackWriter::Black_GateX1 + 10.0; x < BlackWriter::Black_TunnelEndX; x += 100.0)
        ASSERT_TRUE(Backed(map, Pointf(x, BlackWriter::Black_PassY + 40.0))) << "the sky in the tunnel at x " << x;
}

TEST_F(BlackShortcut, TheRockRightOfTheBoulderLedgeStandsOverTheWalkwayBeyondAJumpFromIt)
{
    // Whoever walks or jumps off the walkway's end towards the tunnel's far end meets the rock's face
    // over the ledge: the mountains' way on is down past the ogre, not over the rock.
    using namespace BlackWriter;
    Black& black = MakeWorld();
    Map const& map = *black.GetMap();
    for (double h = 1.0; h <= 150.0; h += 10.0)
    {
        Pointf const from(Black_WalkwayX1 - 20.0, Black_WalkwayY + h);
        Pointf to(Black_TunnelEndX + 100.0, from.y);
        ASSERT_TRUE(map.TryMove(&from, &to, nullptr, nullptr)) << "over the rock at " << h << " above the walkway";
        EXPECT_LT(to.x, Black_LedgeX1 + 1.0) << "the rock's face at " << h << " above the walkway";
    }
}
