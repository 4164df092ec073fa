// The castle's far exit and the socks are guarded by its puzzles: holding a direction or pressing
// random keys from the start, with the fee paid and the gate open, reaches neither; and no one runs
// or jumps off a plate, or up a ramp or a plate's side, past a door that is shut or falling.
#include "castle/Casle.h"
#include "castle/Casle_Events.h"
#include "castle/Casle_Ids.h"
#include "engine/Door.h"
#include "engine/GameEvents.h"
#include "engine/Map.h"
#include "engine/Player.h"
#include "engine/Poly.h"
#include "support/PuzzleDoors.h"
#include "support/RandomSeed.h"
#include "support/ShortcutRun.h"
#include "support/StandingSurfaces.h"
#include "support/WorldFixture.h"
#include "tools/worlds/castle.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace
{

// The side of each door its puzzle keeps the player on, as the check of every world's doors has it.
constexpr DoorSide Casle_DoorNear[Casle_Door_Count] = {
    DoorSide::Left, DoorSide::Left,  DoorSide::Right, DoorSide::Right, DoorSide::Left, DoorSide::Right,
    DoorSide::Left, DoorSide::Left,  DoorSide::Left,  DoorSide::Left,  DoorSide::Left, DoorSide::Right,
    DoorSide::Left, DoorSide::Left,  DoorSide::Right, DoorSide::Left,  DoorSide::Left, DoorSide::Left,
    DoorSide::Right};

constexpr double Tipped_Reach = 150.0; // a player tipped back by a slope comes upright within this run through the air
constexpr double Tipped_Rise = 0.5;    // rise over run of the gentlest slope looked at
constexpr double Tipped_From = 200.0;  // runs up a slope start this far from the door's face at most

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

    // Where a past self stands in the sight of the eyes that fire on door d's plate, or none (x < 0).
    static Pointf EyesSightOf(int d)
    {
        if (d == 5)
            return Pointf(CastleWriter::Room17_WatchX, CastleWriter::Room18_Floor);
        if (d == 12)
            return Pointf(CastleWriter::Pit_WatchX, CastleWriter::Pit_Floor);
        return Pointf(-1.0, 0.0);
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

    // Runs `steps` steps of the keys given from where the player stands, watching door d where it
    // stands shut; its faults go to `faults`.
    ShortcutRun::Result Watched(int d, DoorPlace const& place, std::string const& name, int steps,
                                std::function<std::vector<int>(int)> const& keys, std::string& faults)
    {
        Door const* door = As<Casle>().GetDoor(d);
        double const distance = Casle_Doors[d].distance;
        DoorWatch watch(*world, name,
                        {{"door " + std::to_string(d), place,
                          [door, distance](Tick t) { return door->IsActive(t) || door->GetPos(t) >= distance; }}});
        ShortcutRun::Result const r =
            ShortcutRun::Run(watch.Wrap([this](std::vector<int> const& held) { return Step(held); }), steps, keys, name);
        faults += watch.Report();
        return r;
    }

    // Whether a slope of the still map or of a plate, no gentler than Tipped_Rise, rises towards the
    // door from the side given to its top, a player's height from the door's floor at most, within
    // Tipped_Reach of its face: one who walks up it is tipped back, his head behind his feet.
    bool TippedTowards(DoorPlace const& p, DoorSide side)
    {
        Map const& map = *world->GetMap();
        bool plates[256] = {};
        for (unsigned int group : Casle_SwitchGroups)
            plates[group] = true;
        double const face = side == DoorSide::Left ? p.shut.x0 : p.shut.x1;
        double const toward = side == DoorSide::Left ? 1.0 : -1.0;
        for (unsigned int i = 0; i < map.polyCount; ++i)
        {
            Poly const* poly = map.polys[int(i)];
            if (!poly->solid || (poly->group != 0 && (poly->group >= 256 || !plates[poly->group])))
                continue;
            for (int k = 0; k < poly->Points(); ++k)
            {
                Pointf a = poly->points[k]->pos;
                Pointf b = poly->points[(k + 1) % poly->Points()]->pos;
                if (a.y > b.y)
                    std::swap(a, b); // b, the top
                double const run = (b.x - a.x) * toward;
                double const before = (face - b.x) * toward;
                if (run > 0.0 && b.y - a.y >= Tipped_Rise * run && before >= 0.0 && before <= Tipped_Reach
                    && std::fabs(b.y - p.floor) <= Player_Height)
                    return true;
            }
        }
        return false;
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

TEST_F(CasleShortcutTest, RunningOrJumpingOffAPlateOrUpASlopeAtAnyTimingNeverTakesThePlayerPastADoorShutOrFalling)
{
    // Each door a plate opens, held open from its plate (the eyes that fire on a plate kept on a
    // past self), then run at from the plate (from where he stood, and after backing off it for a
    // run-up), walking or jumping twice with the double jump at a spread of timings: once he is off
    // the plate, the door falls lower than his head before he comes to its middle. And each door that
    // a ramp or a plate's side rises towards on its near side, walked and jumped at from points along
    // the floor before it while it stands shut: one tipped back off the slope who comes to the door
    // in the air with his feet low slips them under its foot, and must not be let through as he
    // lands upright, his head inside it.
    std::string faults;
    int runs = 0;
    auto const keys = [](int toward, int jumps, int walk) {
        ShortcutRun::Jumps const how = jumps == 1 ? ShortcutRun::Jumps::Twice : ShortcutRun::Jumps::AtTop;
        return [=](int i) {
            return jumps == 0 ? std::vector<int>{toward} : ShortcutRun::HeldKeys(toward, i, how, walk);
        };
    };
    auto const how = [](int toward, int jumps, int walk) {
        ShortcutRun::Jumps const j = jumps == 1 ? ShortcutRun::Jumps::Twice : ShortcutRun::Jumps::AtTop;
        return jumps == 0 ? std::string(toward == KeyIndex_GameLeft ? "walking left" : "walking right")
                          : ShortcutRun::HoldName(toward, j, walk);
    };
    for (int d = 0; d < Casle_Door_Count; ++d)
    {
        Casle_DoorIds const& ids = Casle_Doors[d];
        if (ids.driver != Casle_Driver_Switch)
            continue;
        BuildWithTheDoubleJump();
        Rectf plate;
        world->GetMap()->FindGroupBound(Casle_SwitchGroups[ids.index], &plate);
        Pointf const on((plate.x0 + plate.x1) / 2.0, plate.y1);
        std::vector<DoorPlace> const places = PlaceDoor(*world->GetMap(), ids.group, Casle_DoorNear[d]);
        ASSERT_EQ(places.size(), 1u) << "door " << d;
        DoorPlace const& p = places.front();
        // The entrance's plate lies in room 5, far from the hall's gate.
        if (!p.Near(on) || std::fabs(on.x - p.Line()) > 500.0 || std::fabs(on.y - p.floor) > 200.0)
            continue;
        if (Pointf const sight = EyesSightOf(d); sight.x >= 0.0)
            KeepTheEyesOn(sight, 20000);
        int const made = OffThePlate(*world, [this](std::vector<int> const& held) { return Step(held); },
                                     "door " + std::to_string(d), *As<Casle>().GetDoor(d), ids.distance, p, on, faults);
        ASSERT_GT(made, 0) << "door " << d << " does not open";
        runs += made;
    }
    BuildWithTheDoubleJump();
    for (int d = 0; d < Casle_Door_Count; ++d)
        for (DoorPlace const& p : PlaceDoor(*world->GetMap(), Casle_Doors[d].group, Casle_DoorNear[d]))
        {
            if (!TippedTowards(p, p.near))
                continue;
            int const toward = p.near == DoorSide::Left ? KeyIndex_GameRight : KeyIndex_GameLeft;
            double const back = p.near == DoorSide::Left ? -1.0 : 1.0;
            double const face = p.near == DoorSide::Left ? p.shut.x0 : p.shut.x1;
            for (double from = 10.0; from <= Tipped_From; from += 2.0)
            {
                // On the highest still ground under the door's floor and a jump over it.
                double const x = face + back * from;
                double ground = -1e300;
                for (unsigned int i = 0; i < world->GetMap()->polyCount; ++i)
                {
                    Poly const* poly = world->GetMap()->polys[int(i)];
                    double lo = 0.0;
                    double hi = 0.0;
                    if (poly->solid && poly->group == 0 && PuzzleDoors_Detail::Through(poly, x, lo, hi)
                        && hi <= p.floor + 60.0)
                        ground = std::max(ground, hi);
                }
                Rectf const box(x - Player_Width / 2.0, ground + 1.0, x + Player_Width / 2.0, ground + Player_Height);
                if (ground < p.floor - Tipped_From || StandingSurfaces_Detail::Blocked(*world->GetMap(), box))
                    continue;
                for (int jumps = 0; jumps < 3; ++jumps)
                    for (int walk = 0; walk < 40; walk += jumps == 0 ? 40 : 5)
                    {
                        PutPlayer(*world, Pointf(x, ground), 1.0);
                        Steps(3);
                        char at[80];
                        std::snprintf(at, sizeof at, " from (%.0f, %.0f), ", x, ground);
                        std::string const name = "door " + std::to_string(d) + at + how(toward, jumps, walk);
                        if (Watched(d, p, name, int(from / 3.0) + 60, keys(toward, jumps, walk), faults).action
                            != Level_Continue)
                            BuildWithTheDoubleJump();
                        ++runs;
                    }
            }
        }
    EXPECT_GT(runs, 0);
    EXPECT_EQ(faults, "");
}
