// Castle test support: the castle's main road played by keys from its start to the far exit, through
// every puzzle on it: the roads its generator wrote ("fee" or "exit", then "symbols" and "pit"),
// with their travels in time (support/RoadTravel.h), and between them the travels of the symbol lock
// and of room 32's eye, which wait on the castle's doors.
//
//     RoadWalk_Result const r = CastleRoad::Play(castle, "exit", [&](auto const& held) { return Step(held); });
//     EXPECT_EQ(r.action, Level_Completed) << r.report;
//
// Keys recorded here play the same in the program (support/RecordedKeys.h) when the castle's clock
// agrees there: the program's level runs some 65 steps before a GameRun's At(0) (see
// CasleProgramTest.cpp), and the castle's lifts go by the clock.
#pragma once

#include "CastleWalker.h"
#include "castle/Casle.h"
#include "engine/Door.h"
#include "engine/Level_Type.h"
#include "support/RoadTravel.h"
#include "support/RoadWalker.h"
#include "tools/worlds/castle.h"

#include <string>

namespace CastleRoad
{

using Stepper = RoadWalker::Stepper;

// One of the castle's roads as the generator wrote it, walked with its travels.
inline RoadWalk_Result Walk(Casle& castle, char const* road, Stepper const& step)
{
    RoadTravel walker(castle, RoadWalker::WorldRoad(Level_Casle, road));
    return walker.Walk(step);
}

// A walk between the roads done with the castle's own walker: stuck, with its report, when it was.
inline RoadWalk_Result Checked(Castle_Walker const& w, RoadWalk_Result r)
{
    if (!w.stuck.empty())
    {
        r.done = false;
        r.stuck = true;
        r.report = w.stuck;
    }
    return r;
}

// From where the road ends short of room 20's plates: a self on the fourth while a later one
// stands on the eighth opens the symbol lock, and the road goes on through door 16 into room 32's
// pit.
inline RoadWalk_Result PastTheSymbols(Casle& castle, RoadWalk_Result const& toPlates, Stepper const& step)
{
    if (!toPlates.done)
        return toPlates;
    Castle_Walker w(castle, *castle.GetPlayer(), step);
    w.WalkTo(CastleWriter::Symbol_PlateX(3) + 30.0, 3.0);
    Tick const onFourth = castle.GetTick();
    w.Idle(300);
    w.TravelBackTo(onFourth - 20);
    w.WalkTo(CastleWriter::Symbol_PlateX(7) + 30.0, 3.0);
    w.WaitFor([&]() { return castle.GetDoor(15)->GetPos(castle.GetTick() - 1) > 45.0; }, "door 16 opening", 400);
    if (!w.stuck.empty())
        return Checked(w, toPlates);
    return Walk(castle, "symbols", step);
}

// From where the road ends in room 32's pit, in the eye's sight: the eye kept on a past self while
// a later one holds switch 12, then back again and on through door 13, which that self holds open,
// past the socks to the far exit.
inline RoadWalk_Result PastTheEye(Casle& castle, RoadWalk_Result const& toPit, Stepper const& step)
{
    if (!toPit.done)
        return toPit;
    Castle_Walker w(castle, *castle.GetPlayer(), step);
    Tick const watched = castle.GetTick();
    w.Idle(400);
    w.TravelBackTo(watched + 20);
    w.WalkTo(CastleWriter::Pit_SwitchX, 3.0);
    w.WaitFor([&]() { return castle.GetTick() >= watched + 380; }, "standing on switch 12", 500);
    w.WaitFor([&]() { return castle.GetDoor(12)->GetPos(castle.GetTick() - 1) > 40.0; },
              "door 13 opened under the past self's eye", 1);
    w.TravelBackTo(watched + 40);
    w.WaitFor([&]() { return castle.GetDoor(12)->GetPos(castle.GetTick() - 1) > 45.0; }, "door 13 held open", 300);
    if (!w.stuck.empty())
        return Checked(w, toPit);
    return Walk(castle, "pit", step);
}

// The whole main road from the start point: first is "fee" (talk to the owner and pay, with 7 gems)
// or "exit" (the fee paid before); then the cog, the lamps, the mirror, the crystals, the symbol
// lock and the eye, to the far exit.
inline RoadWalk_Result Play(Casle& castle, char const* first, Stepper const& step)
{
    return PastTheEye(castle, PastTheSymbols(castle, Walk(castle, first, step), step), step);
}

} // namespace CastleRoad
