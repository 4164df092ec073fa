// The castle's far exit and the socks are guarded by its puzzles: holding a direction or pressing
// random keys from the start, with the fee paid and the gate open, reaches neither; and no one runs
// or jumps off a plate the eyes watch past its door as it falls. (The other plates, and the slopes
// towards doors, with every world's: tests/shell/WorldKitTest.cpp.)
#include "castle/Casle.h"
#include "castle/Casle_Events.h"
#include "castle/Casle_Ids.h"
#include "engine/Door.h"
#include "engine/GameEvents.h"
#include "engine/Map.h"
#include "engine/Player.h"
#include "support/PuzzleDoors.h"
#include "support/RandomSeed.h"
#include "support/ShortcutRun.h"
#include "support/WorldFixture.h"
#include "tools/worlds/castle.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace
{

// The doors whose plates the eyes fire on: the side each keeps the player on, and where a past self
// stands in the eyes' sight.
struct Casle_WatchedPlate
{
    int door;
    DoorSide near;
    double sightX, sightY;
};
constexpr Casle_WatchedPlate Casle_WatchedPlates[] = {
    {5, DoorSide::Right, CastleWriter::Room17_WatchX, CastleWriter::Room18_Floor},
    {12, DoorSide::Left, CastleWriter::Pit_WatchX, CastleWriter::Pit_Floor}};

class CasleShortcutTest : public MutedWorldFixture
{
protected:
    void BuildPaid()
    {
        GameEvents record;
        record.eventTimes[Event_TimeTravel] = GameEvent_HasHappened;
        record.eventTimes[Casle_Event_Introduced] = GameEvent_HasHappened;
        record.eventTimes[Casle_Event_FeePaid] = GameEvent_HasHappened;
        Build(Level_Casle, record);
    }

    ShortcutRun::Stepper Stepper()
    {
        return [this](std::vector<int> const& held) { return Step(held); };
    }

    // Where the player got to: he may pass the gate, but not the doors the machine and the lamps
    // open, nor find the socks.
    void ExpectStoppedShort(ShortcutRun::Result const& r)
    {
        EXPECT_NE(r.action, Level_Completed) << r.how;
        EXPECT_FALSE(As<Casle>().SocksMessageShown()) << r.how << ": found the socks";
        EXPECT_EQ(events[Event_Socks], GameEvent_HasntHappened) << r.how << ": found the socks";
        if (r.action == Level_Continue)
        {
            EXPECT_LT(As<Casle>().GetPlayer()->GetPos().y, CastleWriter::Road_Floor - 100.0)
                << r.how << ": reached the road over the shaft";
        }
    }

    // A player who has learnt time travel and tuned the plateau's aerial, past the owner's
    // introduction (the fee unpaid: the entrance's gate stays shut).
    void BuildWithTheDoubleJump()
    {
        GameEvents record;
        record.eventTimes[Event_TimeTravel] = GameEvent_HasHappened;
        record.eventTimes[Event_DoubleJump] = GameEvent_HasHappened;
        record.eventTimes[Event_Socks] = GameEvent_HasHappened;
        record.eventTimes[Casle_Event_Introduced] = GameEvent_HasHappened;
        Build(Level_Casle, record);
        Step(); // the groups in their places
    }

    // Stands in the eyes' sight at `at` for `ticks` ticks and travels back to where that began: the
    // eyes follow that past self, and a later self on their plate goes unseen.
    void KeepTheEyesOn(Pointf at, int ticks)
    {
        PutPlayer(*world, at, 1.0);
        Steps(5);
        Tick const from = world->GetTick();
        Steps(ticks);
        Step({KeyIndex_GameBackInTime});
        ASSERT_TRUE(world->IsTimeTravelling());
        for (int i = 0; i < ticks; ++i)
        {
            // Let go in time for the travel to come to rest a little after the self began.
            double const speed = world->GetTimeSpeed();
            double const coast = speed * speed / (2.0 * TIME_CHANGE_DECEL * 256.0);
            bool const hold = world->GetTick() - coast > from + 5;
            if (!hold && world->GetTimeSpeed() == 0)
                break;
            Step(hold ? std::vector<int>{KeyIndex_GameBackInTime} : std::vector<int>{});
        }
        Step({KeyIndex_GameJump});
        Step();
        ASSERT_FALSE(world->IsTimeTravelling());
    }
};

} // namespace

TEST_F(CasleShortcutTest, HoldingEitherWayWithJumpsDoesNotReachTheFarExit)
{
    for (int direction : {KeyIndex_GameRight, KeyIndex_GameLeft})
    {
        BuildPaid();
        ExpectStoppedShort(ShortcutRun::Hold(Stepper(), direction));
        Destroy();
    }
}

TEST_F(CasleShortcutTest, RandomKeysWithoutSolvingAnythingDoNotReachTheFarExit)
{
    ForEachSeed(ShortcutRun::Seeds, [&](unsigned seed) {
        BuildPaid();
        ExpectStoppedShort(ShortcutRun::Random(Stepper(), seed));
        Destroy();
    });
}

TEST_F(CasleShortcutTest, RandomKeysFromRoom4NeverGetPastDoors10And7)
{
    // Most random runs from the start soon leave by the entrance; these begin past the gate, on
    // the left part of room 4's floor, where no jump nor fall may carry the player past the doors
    // that the machine and the lamps open.
    ForEachSeed(ShortcutRun::Seeds, [&](unsigned seed) {
        BuildPaid();
        Player* player = As<Casle>().GetPlayer();
        Pointf const inside(1190.0, CastleWriter::Room4_Floor + 1.0);
        player->SetPos(&inside);
        double furthest = 0.0; // the furthest right the player came at room 4's height or above
        ShortcutRun::Result const r = ShortcutRun::Random(
            [&](std::vector<int> const& held) {
                Level_Action const action = Step(held);
                Pointf const at = player->GetPos();
                if (at.y > CastleWriter::Room4_Floor - 10.0)
                    furthest = std::max(furthest, at.x);
                return action;
            },
            seed);
        ExpectStoppedShort(r);
        EXPECT_LT(furthest, 1740.0) << r.how << ": past door 7";
        Destroy();
    });
}

TEST_F(CasleShortcutTest, RunningOrJumpingOffAPlateTheEyesWatchNeverTakesThePlayerPastItsDoorAsItFalls)
{
    // Each door whose plate the eyes fire on, held open from its plate with the eyes kept on a past
    // self, then run at from the plate walking or jumping twice with the double jump at a spread of
    // timings: once he is off the plate, the door comes down before he reaches it.
    std::string faults;
    for (Casle_WatchedPlate const& watched : Casle_WatchedPlates)
    {
        Casle_DoorIds const& ids = Casle_Doors[watched.door];
        BuildWithTheDoubleJump();
        Rectf plate;
        world->GetMap()->FindGroupBound(Casle_SwitchGroups[ids.index], &plate);
        std::vector<DoorPlace> const places = PlaceDoor(*world->GetMap(), ids.group, watched.near);
        ASSERT_EQ(places.size(), 1u) << "door " << watched.door;
        KeepTheEyesOn(Pointf(watched.sightX, watched.sightY), 20000);
        int const made = OffThePlate(*world, Stepper(), "door " + std::to_string(watched.door),
                                     *As<Casle>().GetDoor(watched.door), ids.distance, places.front(),
                                     Pointf((plate.x0 + plate.x1) / 2.0, plate.y1), faults);
        EXPECT_GT(made, 0) << "door " << watched.door << " does not open";
    }
    EXPECT_EQ(faults, "");
}

TEST_F(CasleShortcutTest, TheRisingPlatformBesideCrystal14LeadsOnlyToTheTopAndBackDownIntoRoom18NeverIntoRoom28)
{
    // Put on room 18's rising platform beside crystal 14, at 1 (the only size the castle gives), and
    // carried up to the castle's top; stepping off at the top of its rise, at the peak or the end of
    // its half turn or riding on as it drops back, then holding right along the top and back left, or
    // left at once, walking or with each pattern of jumps (the double jump's when he has it) at two
    // timings: he never comes into room 28, which only door 18's laser opens, and comes back down
    // into room 18, where the run ends.
    struct Ride_Keys
    {
        int jumps; // a ShortcutRun::Jumps, or -1: walking
        int walk;  // steps walked before the jumps begin
    };
    std::string faults;
    for (bool doubled : {false, true})
    {
        std::vector<Ride_Keys> keys = {{-1, 0}};
        for (int jumps = 0; jumps <= (doubled ? int(ShortcutRun::Jumps::AtTop) : 0); ++jumps)
            for (int walk : {0, 21})
                keys.push_back({jumps, walk});
        for (int ride : {300, 330, 360, 379})
            for (int first : {KeyIndex_GameRight, KeyIndex_GameLeft})
                for (Ride_Keys const& k : keys)
                {
                    auto const jumps = ShortcutRun::Jumps(std::max(k.jumps, 0));
                    std::string const how = std::string(doubled ? "with" : "without") + " the double jump, off after "
                                            + std::to_string(ride) + " steps, "
                                            + (k.jumps < 0 ? std::string(first == KeyIndex_GameLeft ? "left" : "right")
                                                           : ShortcutRun::HoldName(first, jumps, k.walk));
                    if (doubled)
                        BuildWithTheDoubleJump();
                    else
                        BuildPaid();
                    Casle& castle = As<Casle>();
                    PutPlayer(castle, Pointf(1810.0, CastleWriter::Room18_BlockTop + 15.0), 1.0);
                    bool top = false;  // he stood over the top's zone
                    bool back = false; // ...and came down into room 18 after that
                    auto const step = [&](std::vector<int> const& held) {
                        if (back)
                            return Level_Left; // the run is over once he is back down
                        Level_Action const r = Step(held);
                        Pointf const p = castle.GetPlayer()->GetPos();
                        top = top || p.y > Casle_TopZoneY;
                        back = back || (top && p.y <= Casle_TopZoneY && Casle::FindRoom(p) == 18);
                        return r;
                    };
                    auto const hold = [&](int direction, int steps) {
                        auto const held = [&](int i) {
                            return k.jumps < 0 ? std::vector<int>{direction}
                                               : ShortcutRun::HeldKeys(direction, i, jumps, k.walk);
                        };
                        return ShortcutRun::Run(step, steps, held, how);
                    };
                    auto const still = [](int) { return std::vector<int>(); };
                    ShortcutRun::Result r = ShortcutRun::Run(step, ride, still, how);
                    if (r.action == Level_Continue)
                        r = hold(first, 1500);
                    if (r.action == Level_Continue)
                        r = hold(KeyIndex_GameLeft, 2000);
                    Pointf const at = castle.GetPlayer()->GetPos();
                    if (!top)
                        faults += how + ": never carried up to the top\n";
                    if (castle.VisitedRoom28())
                        faults += how + ": came into room 28\n";
                    if (r.action != Level_Continue && !back)
                        faults += r.how + "\n";
                    else if (!back)
                        faults += how + ": not back in room 18, at (" + std::to_string(at.x) + ", "
                                  + std::to_string(at.y) + ")\n";
                    Destroy();
                }
    }
    EXPECT_EQ(faults, "");
}
