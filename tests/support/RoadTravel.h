// Test support: a road walked with its travel points (tools/Road.h, Road_Travel) done. The road
// walker stands at a travel point; the walk given to it here notes the step at which the player
// came to stand at each point, and once he has stood still at a travel point for a few steps,
// holds the key back in time until the clock shows the step asked for, ends the
// travel with a jump and lets the walker go on to the next point.
//
//     RoadTravel walk(*world, RoadWalker::WorldRoad(Level_Tower, "exit"));
//     RoadWalk_Result const r = walk.Walk([&](std::vector<int> const& held) { return Step(held); });
#pragma once

#include "support/RoadWalker.h"

#include <cmath>
#include <map>
#include <string>
#include <vector>

constexpr int RoadTravel_MaxSteps = 4000; // steps of travel at most before giving up
constexpr int RoadTravel_StillSteps = 8;  // steps standing still at a travel point before travelling,
                                          // within the walker's settling there

class RoadTravel
{
public:
    RoadTravel(World_Base& walked, Road const& road) : world(walked), walker(walked, road), points(road.points) {}

    RoadWalk_Result Walk(RoadWalker::Stepper const& step, int maxSteps = 200000)
    {
        RoadWalk_Result r = walker.Walk([&](std::vector<int> const& held) { return Take(step, held); }, maxSteps);
        if (!failure.empty())
        {
            r.done = false;
            r.stuck = true;
            r.report = failure;
        }
        return r;
    }

    // The step at which the player came to stand at point index (-1 before).
    Tick StoodAt(int index) const
    {
        auto const found = stood.find(index);
        return found == stood.end() ? -1 : found->second;
    }
    int Travels() const { return travels; }
    int Point() const { return walker.Point(); }

private:
    Level_Action Take(RoadWalker::Stepper const& step, std::vector<int> const& held)
    {
        int const index = walker.Point();
        if (index != lastIndex)
        {
            lastIndex = index;
            still = 0;
        }
        Player const* player = world.GetPlayer();
        bool const atRest = held.empty() && std::fabs(player->speed) <= RoadWalker_RestSpeed && player->onGround;
        still = atRest ? still + 1 : 0;
        if (held.empty() && stood.count(index) == 0)
            stood[index] = world.GetTick();
        if (index < static_cast<int>(points.size()) && points[static_cast<std::size_t>(index)].kind == Road_Travel
            && still >= RoadTravel_StillSteps && travelled.count(index) == 0)
        {
            travelled.insert({index, true});
            return Travel(step, points[static_cast<std::size_t>(index)], index);
        }
        return step(held);
    }

    // Back to the step asked for; then the walker's wait at this point is passed over at once,
    // and the keys it gives for the next point are the step taken.
    Level_Action Travel(RoadWalker::Stepper const& step, Road_Point const& p, int index)
    {
        Tick const from = StoodAt(p.turns);
        if (from < 0)
            return Fail(index, "point " + std::to_string(p.turns) + " was never stood at");
        Tick const to = from + p.wait;
        if (to >= world.GetTick())
            return Fail(index, "the step to go back to, " + std::to_string(to) + ", is not yet behind");
        Level_Action r = step({KeyIndex_GameBackInTime});
        for (int i = 0; r == Level_Continue && world.GetTick() > to; ++i)
        {
            if (i > RoadTravel_MaxSteps)
                return Fail(index, "the clock did not go back to " + std::to_string(to));
            r = step({KeyIndex_GameBackInTime});
        }
        if (r == Level_Continue)
            r = step({KeyIndex_GameJump});
        if (r != Level_Continue)
            return r;
        ++travels;
        std::vector<int> next;
        while (walker.Point() == index && !walker.Done() && !walker.Stuck())
            next = walker.NextKeys();
        walker.Resume();
        lastIndex = walker.Point();
        still = 0;
        return step(next);
    }

    Level_Action Fail(int index, std::string const& why)
    {
        failure = "travel at point " + std::to_string(index) + ": " + why;
        walker.NextKeys();
        return Level_Left;
    }

    World_Base& world;
    RoadWalker walker;
    std::vector<Road_Point> points;
    std::map<int, Tick> stood;     // the step the player came to stand at each point
    std::map<int, bool> travelled; // travel points done
    int lastIndex = -1;
    int still = 0; // steps standing at rest with no keys at this point
    int travels = 0;
    std::string failure;
};
