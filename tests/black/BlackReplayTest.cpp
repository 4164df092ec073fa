// A small mountain scene of the ogre, the boulder pushed twice to kill it, a rock stream, a lift on
// its track and a swinging platform: random travel shows every tick again as it was played.
#include "black/BlackTestSupport.h"
#include "black/Black_MapMove.h"
#include "black/Black_MapMoveGroup.h"
#include "black/Black_Ogre.h"
#include "black/Black_PushRock.h"
#include "black/Black_Rock.h"
#include "engine/Level.h"
#include "engine/ObjectList.h"
#include "engine/Player.h"
#include "engine/TimeSet.h"
#include "support/MapFiles.h"
#include "support/RandomSeed.h"
#include "support/ReplayHarness.h"
#include "support/ReplayLevelFixture.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <functional>
#include <random>
#include <string>
#include <vector>

namespace
{

// The floor between two walls. The player starts between the ogre, on the left with its feet 5
// above the floor, and the boulder resting 20 above it in the middle; a stream of rocks rolls into
// the right-hand corner, the lift runs high above everything and the platform swings above the floor.
constexpr unsigned int Ref_Start = 1;
constexpr unsigned int Ref_Boulder = 2;
constexpr unsigned int Ref_Stream = 3;
constexpr double Ogre_X = -600.0;
constexpr double Boulder_X = 200.0;

class Black_ReplayLevel final : public Level
{
public:
    explicit Black_ReplayLevel(GameEvents* events) : Level(events)
    {
        MapWriter writer = FloorWriter();
        writer.AddBox(-1600.0, 0.0, -1500.0, 1000.0, 0, 0, true, false, 64.0);
        writer.AddBox(1500.0, 0.0, 1600.0, 1000.0, 0, 0, true, false, 64.0);
        writer.AddBox(-1000.0, 3000.0, -900.0, 3020.0, 0, Black_Group_FirstLift, true, false, 64.0);
        writer.AddBox(-200.0, 300.0, -100.0, 320.0, 0, Black_Group_FirstSwing, true, false, 64.0);
        // The driver requires every moving group of the mountains: the others are small shapes far off.
        for (unsigned int g = Black_Group_Bob; g <= Black_Group_LastSwing; g++)
            if (g != Black_Group_FirstLift && g != Black_Group_FirstSwing && g != 6)
                writer.AddBox(-9000.0 + 20.0 * g, 5000.0, -8990.0 + 20.0 * g, 5010.0, 0, g, false, false, 64.0);
        writer.AddRefPoint(Ref_Start, -200.0, 10.0);
        writer.AddRefPoint(Ref_Boulder, Boulder_X, 20.0);
        writer.AddRefPoint(Ref_Stream, 1100.0, 400.0);
        map = built.Own(MapFiles::Load<Map>(writer).release());
        Pointf const start = map->GetRefPoint(Ref_Start);
        player = built.Own(new Player(map, objects, gameEvents, sounds, &start, 1.0));
        mapMove = built.Own(new Black_MapMove(map, objects));

        ogre = built.Own(new Black_Ogre(Pointf(Ogre_X, 5.0)));
        objects->AddObject(ogre);
        objects->AddEnemy(ogre);
        objects->AddTarget(ogre);

        map->PreprocessCollision();
        built.Initialise(&Black_Rock::Initialise, &Black_Rock::Finalise);
        stream = built.Own(new Black_Rock(map, Ref_Stream, 0.5, 2.0, 600, 3));
        objects->AddObject(stream);
        objects->AddEnemy(stream);
        built.Initialise(&Black_PushRock::Initialise, &Black_PushRock::Finalise);
        boulder = built.Own(new Black_PushRock(map, Ref_Boulder, -1.5707963267949, 4.0, 241, ogre));
        objects->AddObject(boulder);

        Pointf const centre(0.0, 400.0);
        player->SetCameraScale(0.25, CameraMove_Jump);
        player->SetCameraPos(&centre, CameraMove_Jump, 0);
    }

    Player* GetPlayer() const { return player; }
    Map* GetMap() const { return map; }
    TimeFrames* GetTimeFrames() const { return timeFrames; }

    Black_Ogre* ogre = nullptr;
    Black_Rock* stream = nullptr;
    Black_PushRock* boulder = nullptr;
};

// One leg of the walk: given the player and the steps the leg has taken, it adds the keys of
// the next step, or answers that the leg is done.
using Black_Leg = std::function<bool(Player const&, int, std::vector<int>&)>;

Black_Leg Wait(int n)
{
    return [n](Player const&, int step, std::vector<int>&) { return step >= n; };
}

// Walks towards x, coasting in, until he stands still there.
Black_Leg WalkTo(double x)
{
    return [x](Player const& p, int, std::vector<int>& held) {
        double const d = x - p.GetPos().x;
        if (std::fabs(d) < 3.0 && std::fabs(p.speed) < 0.01)
            return true;
        if (std::fabs(d) > p.speed * p.speed / 0.8 + 2.0)
            held.push_back(d > 0 ? KeyIndex_GameRight : KeyIndex_GameLeft);
        return false;
    };
}

Black_Leg RunLeftPast(double x)
{
    return [x](Player const& p, int, std::vector<int>& held) {
        held.push_back(KeyIndex_GameLeft);
        return p.GetPos().x < x;
    };
}

// Stands where the ogre swings but cannot reach him, then runs into the boulder from its right,
// waits for the ogre to die, and does it again.
std::vector<Black_Leg> PushWalk()
{
    std::vector<Black_Leg> legs = {Wait(5), WalkTo(Ogre_X - 50.0), Wait(160)};
    for (int push = 0; push < 2; ++push)
        for (Black_Leg const& leg :
             {WalkTo(Boulder_X + 250.0), RunLeftPast(Boulder_X - 100.0), WalkTo(Boulder_X - 300.0), Wait(260)})
            legs.push_back(leg);
    return legs;
}

void ReplayWatch_Black(ReplayHarness& harness, Black_ReplayLevel& level)
{
    Black_Ogre* ogre = level.ogre;
    Pointf const reach(Ogre_X - 10.0, 5.0);
    harness.Watch([=](Tick t, Replay_Digest& d) {
        Pointf aim;
        ReplayHarness::Add(d, "ogre", "dead", ogre->IsDead(t));
        ReplayHarness::Add(d, "ogre", "aimable", ogre->GetTargetPos(nullptr, t, aim));
        ReplayHarness::Add(d, "ogre", "swing", double(ogre->SwingAt(t)));
        ReplayHarness::Add(d, "ogre", "arm", ogre->ArmAngle(t));
        ReplayHarness::Add(d, "ogre", "hurts", ogre->IsPlayerHit(t, &reach));
    });
    Black_PushRock const* boulder = level.boulder;
    harness.Watch([=](Tick t, Replay_Digest& d) {
        std::vector<Pointf> const copies = boulder->CopiesAt(t);
        ReplayHarness::Add(d, "boulder", "copies", double(copies.size()));
        for (std::size_t i = 0; i < copies.size(); ++i)
        {
            std::string const name = "boulder copy " + std::to_string(i);
            ReplayHarness::Add(d, name, "x", copies[i].x);
            ReplayHarness::Add(d, name, "y", copies[i].y);
        }
        for (Black_Thud const& thud : boulder->ThudsAt(t))
        {
            ReplayHarness::Add(d, "boulder thud", "sound", thud.sound);
            ReplayHarness::Add(d, "boulder thud", "x", thud.at.x);
            ReplayHarness::Add(d, "boulder thud", "y", thud.at.y);
        }
    });
    Black_Rock* stream = level.stream;
    Pointf const probe = stream->GetPath()[stream->GetPath().Count() / 2];
    harness.Watch([=](Tick t, Replay_Digest& d) {
        for (int k = 0; k < stream->GetCount(); ++k)
        {
            Pointf at;
            double angle = 0.0;
            stream->GetPosAtTime(t, k, &at, &angle);
            std::string const name = "rock " + std::to_string(k);
            ReplayHarness::Add(d, name, "x", at.x);
            ReplayHarness::Add(d, name, "y", at.y);
            ReplayHarness::Add(d, name, "angle", angle);
        }
        ReplayHarness::Add(d, "stream", "hurts", stream->IsPlayerHit(t, &probe));
    });
    ReplayWatch_Groups(harness, level.GetMap());
    ReplayWatch_Selves(harness, level.GetTimeFrames());
}

} // namespace

class BlackReplayTest : public ReplayLevelFixture<BlackFixture, Black_ReplayLevel>
{
protected:
    void SetUp() override
    {
        BlackFixture::SetUp();
        events[Event_Socks] = GameEvent_HasHappened;
    }
};

TEST_F(BlackReplayTest, TheOgreKilledByTheBoulderTheCopiesTheStreamAndTheMoversShowEveryTickAgainAsPlayed)
{
    ReplayEachSeed([&](ReplayHarness& harness, std::mt19937& random) {
        ReplayWatch_Black(harness, *level);

        std::vector<Black_Leg> const legs = PushWalk();
        std::size_t leg = 0;
        int steps = 0;
        for (int inLeg = 0; leg < legs.size() && steps < 5000; ++steps, ++inLeg)
        {
            std::vector<int> held;
            while (leg < legs.size() && legs[leg](*level->GetPlayer(), inLeg, held))
            {
                held.clear();
                inLeg = 0;
                ++leg;
            }
            harness.Step(held);
            if (steps % 25 == 0)
                level->Plot();
        }
        ASSERT_LT(steps, 5000) << "the walk stuck";

        // Two pushes, the first of which killed the ogre; it swung at him while he stood by.
        TimeSet const& pushes = level->boulder->GetPushes();
        ASSERT_EQ(pushes.Count(Level_TotalTime), 2);
        Tick first = 0;
        ASSERT_TRUE(pushes.CheckUp(0, &first));
        EXPECT_EQ(level->ogre->GetDeathTime(), first + Black_PushRock::PushRock_KillDelay);
        EXPECT_GT(harness.Ticks("ogre", "arm"), 100);
        EXPECT_GT(harness.Ticks("ogre", "hurts"), 40) << "where he was out of its reach";
        EXPECT_GT(harness.Ticks("boulder", "copies"), 400);
        EXPECT_GE(harness.Ticks("boulder thud", "sound"), 2) << "a landing of each copy";

        harness.Travel(random, 1500);
        EXPECT_EQ(harness.mismatch, "");
        EXPECT_GT(harness.compared, 400);
    });
}
