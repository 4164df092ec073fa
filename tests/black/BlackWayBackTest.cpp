// The way back to the boulder for a player the ogre has beaten: from every point of the pass, the tunnel
// and the mountainside that the road to the far end passes, dead but walking, he walks back up to the
// boulder by keys alone; the push made after running the clock back gives him his health again; and at
// the far end of every den raised over the road he stands in view, and a walk on drops him back down.
#include "black/BlackSupport.h"
#include "black/Black_Ogre.h"
#include "black/Black_PushRock.h"
#include "engine/TimeSet.h"
#include "support/RoadWalker.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace
{

using namespace BlackWriter;

constexpr double WayBack_Spacing = 250.0; // between the places a beaten player is put

class BlackWayBack : public BlackWorld
{
protected:
    // Where the walk to the far end goes between the ramp's foot and the wall only the living pass,
    // below the boulder's ledge: the pass, the ramp over it, the mountainside and the tunnel.
    std::vector<Pointf> PassPlaces()
    {
        MakeWorld();
        RoadWalker walker(*world, RoadWalker::WorldRoad(Level_Black, "exit"));
        std::vector<Pointf> places;
        walker.Walk([&](std::vector<int> const& held) {
            Level_Action const a = Step(held);
            Pointf const at = Hero()->GetPos();
            bool const inPass = at.x > Black_RampFootX && at.x < Black_LivingGateX0 && at.y < Black_LedgeY - 100.0;
            if (inPass && Hero()->onGround && (places.empty() || places.back().DistanceEst(&at) > WayBack_Spacing))
                places.push_back(at);
            return a;
        });
        return places;
    }

    // Walks the road back to the boulder; true when it ends with the boulder pushed, else a failure.
    bool WalkBack(std::string const& from)
    {
        RoadWalker walker(*world, RoadWalker::WorldRoad(Level_Black, "back to the boulder"));
        RoadWalk_Result const r = walker.Walk([&](std::vector<int> const& held) { return Step(held); }, 20000);
        EXPECT_TRUE(r.done) << "from " << from << ": " << r.report;
        Tick pushed = 0;
        bool const any = As<Black>().GetPushRock()->GetPushes().CheckDown(world->GetTick(), &pushed);
        EXPECT_TRUE(any) << "from " << from << ": the boulder not pushed";
        return r.done && any;
    }
};

std::string Name(Pointf const& p)
{
    return "(" + std::to_string(p.x) + ", " + std::to_string(p.y) + ")";
}

} // namespace

TEST_F(BlackWayBack, FromEveryPointOfThePassTheRoadReachesTheWalkingDeadWalkBackUpToTheBoulder)
{
    std::vector<Pointf> const places = PassPlaces();
    ASSERT_GT(places.size(), 20u) << "the road no longer runs through the pass";
    bool tunnel = false;
    bool mountainside = false;
    for (Pointf const& p : places)
    {
        tunnel = tunnel || (p.x > Black_GateX1 + 100.0 && p.y < Black_TunnelTop);
        mountainside = mountainside || p.y > Black_GateTop;
    }
    EXPECT_TRUE(tunnel && mountainside) << "the places miss the tunnel or the mountainside";

    for (Pointf const& p : places)
    {
        MakeWorldWithSocks();
        Place(p);
        Beaten();
        Step();
        ASSERT_EQ(Hero()->IsPlayerDead(), 3);
        if (!WalkBack(Name(p)))
            break;
        EXPECT_EQ(Hero()->IsPlayerDead(), 3) << "from " << Name(p) << ": still dead, nothing was given back";
    }
}

TEST_F(BlackWayBack, BeatenAtTheBarrierAndToldAtTheWallHeWalksBackAndThePushBeforeTheBlowRevivesHim)
{
    Black& black = MakeWorldWithSocks();
    Player* hero = Hero();
    int full = 0;
    hero->GetHitPoints(&full, nullptr);
    // Into the pass before the ogre, beaten there, and on through the barrier to the wall.
    Steps(300);
    Place(Pointf(Black_OgreX - 300.0, Black_PassY + 1.0));
    Tick beaten = -1;
    for (int i = 0; i < 700; ++i)
    {
        Step({KeyIndex_GameRight});
        if (beaten < 0 && hero->IsPlayerDead() == 3)
            beaten = black.GetTick();
    }
    ASSERT_GT(beaten, 300) << "not beaten";
    ASSERT_EQ(hero->IsPlayerDead(), 3);
    ASSERT_TRUE(black.DeadHintShown());

    ASSERT_TRUE(WalkBack("the wall"));
    EXPECT_EQ(hero->IsPlayerDead(), 3) << "a push now kills the ogre after its blows";

    // On the ledge, the clock back to before the blows, and a run into the boulder.
    TravelBackTo(beaten - 400);
    Steps(40, {KeyIndex_GameRight});
    Steps(100, {KeyIndex_GameLeft});
    ASSERT_LT(black.GetOgre()->GetDeathTime(), beaten);
    EXPECT_EQ(hero->IsPlayerDead(), 0);
    int now = 0;
    hero->GetHitPoints(&now, nullptr);
    EXPECT_EQ(now, full);
}

TEST_F(BlackWayBack, FromTheFarEndOfEveryDenOverTheRoadAWalkOnDropsBackDownToIt)
{
    for (Black_DenEnd const& den : Black_DenEnds)
    {
        MakeWorldWithSocks();
        Place(Pointf(den.x - 20.0, den.floor + 1.0));
        Steps(60);
        Pointf const seen = Hero()->GetPos().WorldToScreen(&world->GetMap()->view);
        EXPECT_TRUE(seen.x > 0.0 && seen.x < 640.0 && seen.y > 0.0 && seen.y < 480.0)
            << "out of view at the end of the den ending at x " << den.x;
        bool down = false;
        for (int i = 0; i < 400 && !down; ++i)
        {
            Step({KeyIndex_GameRight});
            down = Hero()->onGround && Hero()->GetPos().y < den.floor - 400.0;
        }
        EXPECT_TRUE(down) << "kept in the den ending at x " << den.x << ", at " << Name(Hero()->GetPos());
    }
}
