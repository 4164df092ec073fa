// Castle test support: a player driven by held keys along the generated castle, walking, jumping onto
// ledges and across gaps and riding lifts, which says where it got stuck.
#pragma once

#include "engine/KeyData.h"
#include "engine/Level.h"
#include "engine/Player.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

class Castle_Walker final
{
public:
    using Stepper = std::function<Level_Action(std::vector<int> const&)>;

    Castle_Walker(Level const& level, Player const& hero, Stepper stepper)
        : world(level), player(hero), step(std::move(stepper))
    {
    }

    // One step with the keys held; the level's result is kept once it ends.
    void Step(std::vector<int> const& held)
    {
        if (result != Level_Continue)
            return;
        result = step(held);
    }
    void Idle(int steps)
    {
        for (int i = 0; i < steps && result == Level_Continue; ++i)
            Step({});
    }
    // Holds steps on end; the level may end on the way.
    void Hold(std::vector<int> const& held, int steps)
    {
        for (int i = 0; i < steps && result == Level_Continue; ++i)
            Step(held);
    }

    // Walks to within tolerance of x and waits there until still.
    bool WalkTo(double x, double tolerance = 4.0, int limit = 3000)
    {
        double previous = Pos().x;
        for (int i = 0; i < limit && result == Level_Continue; ++i)
        {
            double const now = Pos().x;
            double const d = x - now;
            double const v = now - previous;
            previous = now;
            if (std::fabs(d) <= tolerance && std::fabs(v) < 0.2)
                break;
            // Let go once the slide would carry the player there (he brakes by 0.4 a step).
            bool const towards = v * d > 0.0;
            if (std::fabs(d) <= tolerance || (towards && std::fabs(d) <= v * v / 0.8 + 1.0))
                Step({});
            else
                Step({d > 0.0 ? KeyIndex_GameRight : KeyIndex_GameLeft});
        }
        Settle();
        return Check(std::fabs(x - Pos().x) <= tolerance + 2.0, "walking to x " + Text(x));
    }

    // Keeps walking in direction dir (+1 right, -1 left) until x is passed or the level ends.
    bool WalkPast(double x, int dir, int limit = 3000)
    {
        int const key = dir > 0 ? KeyIndex_GameRight : KeyIndex_GameLeft;
        for (int i = 0; i < limit && result == Level_Continue; ++i)
        {
            if ((Pos().x - x) * dir > 0.0)
                break;
            Step({key});
        }
        return Check(result != Level_Continue || (Pos().x - x) * dir > 0.0, "walking past x " + Text(x));
    }

    // Jumps straight up and, once above height y, drifts in direction dir onto what lies there,
    // no further than stopX.
    bool JumpOnto(double y, int dir, double stopX = 0.0)
    {
        bool const stops = stopX != 0.0;
        int const key = dir > 0 ? KeyIndex_GameRight : KeyIndex_GameLeft;
        Step({KeyIndex_GameJump});
        bool left = false;
        for (int i = 0; i < 300 && result == Level_Continue; ++i)
        {
            if (!player.onGround)
                left = true;
            else if (left)
                break;
            std::vector<int> held{KeyIndex_GameJump};
            if (Pos().y > y + 2.0 && (!stops || (stopX - Pos().x) * dir > 0.0))
                held.push_back(key);
            Step(held);
        }
        Settle();
        return Check(Pos().y > y - 1.0, "jumping onto height " + Text(y));
    }

    // Runs in direction dir, jumps on passing x and holds on until landed; true when it lands
    // beyond landX.
    bool RunJump(int dir, double x, double landX)
    {
        int const key = dir > 0 ? KeyIndex_GameRight : KeyIndex_GameLeft;
        for (int i = 0; i < 1000 && result == Level_Continue && (Pos().x - x) * dir < 0.0; ++i)
            Step({key});
        Step({key, KeyIndex_GameJump});
        bool left = false;
        for (int i = 0; i < 300 && result == Level_Continue; ++i)
        {
            if (!player.onGround)
                left = true;
            else if (left)
                break;
            Step({key, KeyIndex_GameJump});
        }
        Settle();
        return Check((Pos().x - landX) * dir > 0.0, "jumping from x " + Text(x) + " beyond x " + Text(landX));
    }

    // Waits, standing, until ready holds (at most limit steps).
    bool WaitFor(std::function<bool()> const& ready, std::string const& what, int limit = 2000)
    {
        for (int i = 0; i < limit && result == Level_Continue; ++i)
        {
            if (ready())
                return Check(true, "waiting for " + what);
            Step({});
        }
        return Check(ready(), "waiting for " + what);
    }

    // Presses and lets go of the action key: takes or drops an item, talks, throws.
    void Act()
    {
        Step({KeyIndex_GameAction});
        Step({});
    }
    // Aims (the nearest target first), moves the aim on by next targets and throws.
    void Throw(int next)
    {
        // Pressed, then held: the aim is taken while the key is held.
        Step({KeyIndex_GameAction});
        Step({KeyIndex_GameAction});
        for (int i = 0; i < next; ++i)
        {
            Step({KeyIndex_GameAction, KeyIndex_GameNextTarget});
            Step({KeyIndex_GameAction});
        }
        Step({});
        Idle(4);
    }
    // Turns the item held by steps hundredths of a radian with the previous-target key.
    void Turn(int steps) { Hold({KeyIndex_GamePrevTarget}, steps); }

    // Holds back in time until the clock is at most to, lets the travel come to rest and ends it
    // with a jump, so that play goes on from there with the selves before as past selves.
    bool TravelBackTo(Tick to)
    {
        Tick const aim = to - 10;
        for (int i = 0; i < 3000 && result == Level_Continue; ++i)
        {
            Tick const t = world.GetTick();
            int const speed = world.GetTimeSpeed();
            if (world.IsTimeTravelling() && speed == 0 && t <= to && t >= to - 60)
                break;
            // Steered like a ship to rest by aim: the speed wanted falls with the way left.
            int const wanted = std::clamp(static_cast<int>(aim - t) * 4, -1024, 1024);
            if (!world.IsTimeTravelling() || speed > wanted + 40)
                Step({KeyIndex_GameBackInTime});
            else if (speed < wanted - 40)
                Step({KeyIndex_GameForwardInTime});
            else
                Step({});
        }
        Step({KeyIndex_GameJump});
        Idle(2);
        return Check(!world.IsTimeTravelling() && world.GetTick() <= to + 3, "travelling back to tick " + Text(to));
    }

    // Lets go of the keys until the player stands still.
    void Settle()
    {
        for (int i = 0; i < 60 && result == Level_Continue; ++i)
        {
            Pointf const before = Pos();
            Step({});
            if (player.onGround && std::fabs(Pos().x - before.x) < 0.05 && std::fabs(Pos().y - before.y) < 0.05)
                break;
        }
    }

    Pointf Pos() const { return player.GetPos(); }

    Level_Action result = Level_Continue;
    std::string stuck; // what failed first, and where

private:
    bool Check(bool ok, std::string const& what)
    {
        if (std::getenv("HM_WALK_TRACE") != nullptr)
            std::printf("%s: (%.2f, %.2f) tick %d%s\n", what.c_str(), Pos().x, Pos().y, world.GetTick(),
                        ok ? "" : " FAILED");
        if (!ok && stuck.empty())
        {
            std::ostringstream out;
            out << what << ": stuck at (" << Pos().x << ", " << Pos().y << ") at tick " << world.GetTick();
            stuck = out.str();
        }
        return ok;
    }
    static std::string Text(double v)
    {
        std::ostringstream out;
        out << v;
        return out.str();
    }

    Level const& world;
    Player const& player;
    Stepper step;
};
