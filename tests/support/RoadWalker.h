// Test support: the road walker, which plays a world by keys along a road's waypoints (tools/Road.h)
// and reports the tick and place where it got stuck.
//
//     Road const road = RoadWalker::WorldRoad(Level_TreeV, "exit3");   // as the generator wrote it
//     RoadWalker walker(*world, road);
//     RoadWalk_Result const r = walker.Walk([&](auto const& held) { return Step(held); });
//     EXPECT_EQ(r.action, Level_Restart) << r.report;
//
// It holds the direction towards each point's x, jumps where the next point stands a step above
// the player's feet or where the player stalls, and gives up (stuck) when he has made no headway
// for RoadWalker_StuckSteps. At a station it lets go where the player will slide to a stop on it
// (and walks him back a little where he slid past), works the station's keys (action, a throw, a
// jump) and waits; on a ride it stands still until the world has carried him to the point; on a
// climb it stands, jumps straight up and drifts aside once near the point's height; on a turn it
// stands holding a target key while what he carries turns. Walk
// steps through any stepper (a WorldFixture's Step, a ReplayHarness's Step, the bench's own), so a
// walk can be replayed or timed; NextKeys gives the keys one step at a time.
#pragma once

#include "engine/CharStats.h"
#include "engine/KeyData.h"
#include "engine/Level_Type.h"
#include "engine/Player.h"
#include "puzzles/World_Base.h"
#include "shell/World_Table.h"
#include "tools/Road.h"
#include "util/Error.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <deque>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

constexpr double RoadWalker_Reach = 4.0;        // a point's x is reached this near
constexpr double RoadWalker_RideReach = 24.0;   // a ride has arrived this near in x and in y
constexpr double RoadWalker_Rise = 30.0;        // a point this far above the feet is jumped up to...
constexpr double RoadWalker_RiseNear = 80.0;    // ...from this near
constexpr double RoadWalker_ExitBeyond = 200.0; // past an exit point by this much, the walk failed
constexpr int RoadWalker_StallSteps = 12;       // steps without headway before a jump
constexpr int RoadWalker_StuckSteps = 240;      // steps without headway before giving up
constexpr int RoadWalker_JumpHold = 30;         // steps the jump key is held for a jump
constexpr int RoadWalker_AirJumpAt = 14;        // ...released here for one step, to jump again in the air
constexpr int RoadWalker_SettleSteps = 16;      // steps standing before a station's keys, at least...
constexpr int RoadWalker_SettleLimit = 90;      // ...and at most, while the player still slides
constexpr double RoadWalker_RestSpeed = 0.05;   // a player this slow stands
constexpr double RoadWalker_StationReach = 6.0; // a station is stood on this near its x
constexpr int RoadWalker_Taps = 6;              // short walks at most to get there
constexpr double RoadWalker_ClimbSide = 12.0;  // a climb drifts aside once this near the height
constexpr int RoadWalker_AimSteps = 2;          // steps action is held before a throw's first target

struct RoadWalk_Result
{
    bool done = false;                    // every point passed (an exit point: the level ended)
    bool stuck = false;                   // gave up: see report
    Level_Action action = Level_Continue; // the step result that ended the level, if one did
    Tick tick = 0;                        // of the last step
    Pointf at;                            // the player's feet after it
    int point = 0;                        // the point being walked to then
    int steps = 0;                        // steps taken by Walk
    std::string report;                   // where and why a walk stopped short, for the failure text
};

class RoadWalker
{
public:
    using Stepper = std::function<Level_Action(std::vector<int> const& held)>;

    RoadWalker(World_Base& walked, Road walkedRoad) : world(walked), road(std::move(walkedRoad)) { Resume(); }

    // The road roadName of the world of type, as the generator wrote it into the working
    // directory's data (a WorldFixture's folder). Without it, std::runtime_error naming file and
    // road (which a test reports as its failure).
    static Road WorldRoad(Level_Type type, std::string const& roadName)
    {
        std::string const path = std::string(WorldRow(type).folder) + "/road";
        try
        {
            return Road::Read(path, roadName);
        }
        catch (Error const& e)
        {
            throw std::runtime_error(e.Text());
        }
    }

    // Steps until the road is done, the walker is stuck, the level ends or maxSteps have gone.
    RoadWalk_Result Walk(Stepper const& step, int maxSteps = 200000)
    {
        RoadWalk_Result r;
        for (; r.steps < maxSteps; ++r.steps)
        {
            std::vector<int> const held = NextKeys();
            if (done || stuck)
                break;
            r.action = step(held);
            if (r.action != Level_Continue)
            {
                done = index + 1 == static_cast<int>(road.points.size()) && road.points.back().kind == Road_Exit;
                if (!done)
                    Stop("the level ended (" + std::to_string(r.action) + ") before the road's end");
                break;
            }
        }
        if (!done && !stuck && r.action == Level_Continue)
            Stop("out of steps (" + std::to_string(maxSteps) + ")");
        r.done = done;
        r.stuck = stuck;
        r.tick = world.GetTick();
        r.at = world.GetPlayer()->GetPos();
        r.point = index;
        r.report = report;
        return r;
    }

    // The keys to hold in the next step; none once the road is done or the walker stuck.
    std::vector<int> NextKeys()
    {
        while (!done && !stuck)
        {
            if (index >= static_cast<int>(road.points.size()))
            {
                done = true;
                break;
            }
            Road_Point const& p = road.points[static_cast<std::size_t>(index)];
            Pointf const pos = world.GetPlayer()->GetPos();
            switch (phase)
            {
            case Phase::Approach:
                if (p.kind == Road_Ride)
                {
                    phase = Phase::Ride;
                    waited = 0;
                    continue;
                }
                if (ReachedX(p, pos))
                {
                    if (p.kind == Road_Walk || p.kind == Road_Jump)
                    {
                        if (p.kind == Road_Jump)
                            jumpLeft = RoadWalker_JumpHold;
                        Next();
                        continue;
                    }
                    // A station stands the player: a jump under way ends with the approach, and
                    // none is left over to leap off from the station to the next point.
                    phase = Phase::Settle;
                    waited = 0;
                    jumpLeft = 0;
                    continue;
                }
                if (p.kind == Road_Exit && direction * (pos.x - p.x) > RoadWalker_ExitBeyond)
                {
                    Stop("walked past the exit at x " + Number(p.x) + " without leaving the level");
                    break;
                }
                return WalkKeys(p, pos);
            case Phase::Settle:
                if (tapLeft > 0)
                {
                    --tapLeft;
                    return {tapDirection > 0 ? KeyIndex_GameRight : KeyIndex_GameLeft};
                }
                if (++waited <= RoadWalker_SettleSteps
                    || ((std::fabs(world.GetPlayer()->speed) > RoadWalker_RestSpeed
                         || (p.kind == Road_Climb && !world.GetPlayer()->onGround))
                        && waited <= RoadWalker_SettleLimit))
                    return {};
                if (Tap(p, pos))
                    continue;
                if (p.kind == Road_Climb)
                {
                    phase = Phase::Climb;
                    waited = 0;
                    jumpLeft = RoadWalker_JumpHold;
                    left = false;
                    continue;
                }
                StationKeys(p);
                phase = Phase::Keys;
                continue;
            case Phase::Keys:
                if (!keys.empty())
                {
                    std::vector<int> const held = keys.front();
                    keys.pop_front();
                    return held;
                }
                phase = Phase::Wait;
                waited = 0;
                continue;
            case Phase::Wait:
                // A turn's wait is the keys' own.
                if (++waited <= p.wait && p.kind != Road_Turn)
                    return {};
                Next();
                continue;
            case Phase::Climb:
            {
                Player const* player = world.GetPlayer();
                if (!player->onGround)
                    left = true;
                else if (left || ++waited > RoadWalker_StuckSteps)
                {
                    if (pos.y < p.y - 1.0)
                    {
                        Stop("the climb landed at height " + Number(pos.y) + ", short of " + Number(p.y));
                        break;
                    }
                    Next();
                    continue;
                }
                std::vector<int> held;
                if (jumpLeft > 0)
                {
                    if (jumpLeft != RoadWalker_JumpHold - RoadWalker_AirJumpAt)
                        held.push_back(KeyIndex_GameJump);
                    --jumpLeft;
                }
                if (pos.y > p.y - RoadWalker_ClimbSide)
                    held.push_back(p.turns > 0 ? KeyIndex_GameRight : KeyIndex_GameLeft);
                return held;
            }
            case Phase::Ride:
                if (std::fabs(pos.x - p.x) <= RoadWalker_RideReach && std::fabs(pos.y - p.y) <= RoadWalker_RideReach)
                {
                    Next();
                    continue;
                }
                if (++waited > p.wait)
                {
                    Stop("the ride did not arrive at (" + Number(p.x) + ", " + Number(p.y) + ") in "
                         + std::to_string(p.wait) + " steps");
                    break;
                }
                return {};
            }
        }
        return {};
    }

    // After time travel the player may stand elsewhere: the point being walked to is approached
    // afresh (a station already begun goes on).
    void Resume()
    {
        if (phase != Phase::Approach)
            return;
        direction = 0;
        stall = 0;
        jumpLeft = 0;
    }

    bool Done() const { return done; }
    bool Stuck() const { return stuck; }
    int Point() const { return index; }
    std::string const& Report() const { return report; }
    Road const& GetRoad() const { return road; }

private:
    enum class Phase
    {
        Approach,
        Settle,
        Keys,
        Wait,
        Ride,
        Climb,
    };

    static std::string Number(double v)
    {
        char text[32];
        std::snprintf(text, sizeof text, "%.1f", v);
        return text;
    }

    static bool IsStation(Road_Point const& p)
    {
        return p.kind == Road_Press || p.kind == Road_Throw || p.kind == Road_Hop || p.kind == Road_Climb
               || p.kind == Road_Turn;
    }

    // Walking on to a station, the player lets go where he will slide to a stop on it.
    bool ReachedX(Road_Point const& p, Pointf const& pos)
    {
        if (direction == 0)
        {
            direction = p.x >= pos.x ? 1 : -1;
            best = direction * pos.x;
            stall = 0;
        }
        double reach = RoadWalker_Reach;
        Player const* player = world.GetPlayer();
        if (IsStation(p) && player->GetStats()->decel > 0.0)
            reach += player->speed * player->speed / (2.0 * player->GetStats()->decel);
        return p.kind != Road_Exit && direction * (p.x - pos.x) <= reach;
    }

    // Once at rest off the station by more than RoadWalker_StationReach, a short walk towards it
    // (held as long as brings him about there), a few times at most; a last touch of the key he
    // came with turns him as he came. True while tapping.
    bool Tap(Road_Point const& p, Pointf const& pos)
    {
        double const off = p.x - pos.x;
        CharStats const* stats = world.GetPlayer()->GetStats();
        if (std::fabs(off) > RoadWalker_StationReach && taps < RoadWalker_Taps && stats->accel > 0.0
            && stats->decel > 0.0)
        {
            ++taps;
            tapDirection = off > 0.0 ? 1 : -1;
            double const perStep2 = stats->accel * (1.0 + stats->accel / stats->decel) / 2.0;
            tapLeft = std::max(1, static_cast<int>(std::sqrt(std::fabs(off) / perStep2)));
            waited = 0;
            return true;
        }
        if (taps > 0 && tapDirection != direction && taps <= RoadWalker_Taps)
        {
            taps = RoadWalker_Taps + 1;
            tapDirection = direction;
            tapLeft = 1;
            waited = 0;
            return true;
        }
        return false;
    }

    std::vector<int> WalkKeys(Road_Point const& p, Pointf const& pos)
    {
        std::vector<int> held{direction > 0 ? KeyIndex_GameRight : KeyIndex_GameLeft};
        if (direction * pos.x > best + 0.5)
        {
            best = direction * pos.x;
            stall = 0;
        }
        else if (++stall > RoadWalker_StuckSteps)
        {
            Stop("no headway for " + std::to_string(RoadWalker_StuckSteps) + " steps");
            return {};
        }
        Player const* player = world.GetPlayer();
        bool const rises = p.kind != Road_Climb && p.y - pos.y > RoadWalker_Rise && std::fabs(p.x - pos.x) < RoadWalker_RiseNear;
        // A climb is stood for on the rung or ledge below it: nothing to jump on the way.
        bool const stalls = stall >= RoadWalker_StallSteps && p.kind != Road_Climb;
        if (jumpLeft == 0 && player->onGround && (rises || stalls))
            jumpLeft = RoadWalker_JumpHold;
        if (jumpLeft > 0)
        {
            if (jumpLeft != RoadWalker_JumpHold - RoadWalker_AirJumpAt)
                held.push_back(KeyIndex_GameJump);
            --jumpLeft;
        }
        return held;
    }

    void StationKeys(Road_Point const& p)
    {
        keys.clear();
        if (p.kind == Road_Press)
            keys = {{KeyIndex_GameAction}, {}};
        else if (p.kind == Road_Hop)
            keys = {{KeyIndex_GameJump}, {}};
        else if (p.kind == Road_Throw)
        {
            for (int i = 0; i < RoadWalker_AimSteps; ++i)
                keys.push_back({KeyIndex_GameAction});
            for (int i = 0; i < p.turns; ++i)
            {
                keys.push_back({KeyIndex_GameAction, KeyIndex_GameNextTarget});
                keys.push_back({KeyIndex_GameAction});
            }
            keys.push_back({});
        }
        else if (p.kind == Road_Turn)
        {
            // The item carried turns a little each step the key is held, not each press.
            keys.assign(static_cast<std::size_t>(p.wait),
                        {p.turns > 0 ? KeyIndex_GameNextTarget : KeyIndex_GamePrevTarget});
            keys.push_back({});
        }
    }

    void Next()
    {
        ++index;
        phase = Phase::Approach;
        direction = 0;
        stall = 0;
        taps = 0;
        tapLeft = 0;
    }

    void Stop(std::string const& why)
    {
        stuck = true;
        Pointf const pos = world.GetPlayer()->GetPos();
        std::string point = "the road's end";
        if (index < static_cast<int>(road.points.size()))
        {
            Road_Point const& p = road.points[static_cast<std::size_t>(index)];
            point = "point " + std::to_string(index) + " (" + Road::KindName(p.kind) + " " + Number(p.x) + ", "
                    + Number(p.y) + (p.name.empty() ? "" : " " + p.name) + ")";
        }
        report = "road " + road.name + ": stuck at tick " + std::to_string(world.GetTick()) + " at (" + Number(pos.x)
                 + ", " + Number(pos.y) + ") on the way to " + point + ": " + why;
    }

    World_Base& world;
    Road road;
    int index = 0;
    Phase phase = Phase::Approach;
    int direction = 0; // +1 right, -1 left, 0 not yet chosen for this point
    double best = 0.0; // the furthest the player got towards the point, times direction
    int stall = 0;     // steps since the last headway
    int jumpLeft = 0;  // steps the jump key is still held
    int waited = 0;    // steps settled, waited or ridden at this point
    int taps = 0;      // short walks made to stand on the station
    int tapLeft = 0;   // steps of the present one still to hold
    int tapDirection = 0;
    bool left = false; // a climb has left the ground
    bool done = false;
    bool stuck = false;
    std::string report;
    std::deque<std::vector<int>> keys; // a station's keys still to hold
};
