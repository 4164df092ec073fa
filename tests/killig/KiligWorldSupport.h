// Kilig world test support: the world built from the generated data in either form, and scripted play on it.
#pragma once

#include "engine/GameEvents.h"
#include "engine/Map.h"
#include "engine/Player.h"
#include "killig/Kilig.h"
#include "support/WorldFixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <vector>

// Travels back from the present, letting go of the key in time for the travel to come to rest at
// about tick to, and ends it with a jump; every step through step.
inline void KiligTravelBackTo(World_Base& world, std::function<Level_Action(std::vector<int> const&)> const& step,
                              Tick to)
{
    step({KeyIndex_GameBackInTime});
    ASSERT_TRUE(world.IsTimeTravelling());
    for (int i = 0; i < 3000; ++i)
    {
        // The ticks a travel at this speed still covers once the key is let go.
        double const speed = world.GetTimeSpeed();
        double const coast = speed * speed / (2.0 * TIME_CHANGE_DECEL * 256.0);
        bool const hold = world.GetTick() - coast > to;
        if (!hold && world.GetTimeSpeed() == 0)
            break;
        step(hold ? std::vector<int>{KeyIndex_GameBackInTime} : std::vector<int>{});
    }
    step({KeyIndex_GameJump});
    step({});
    ASSERT_FALSE(world.IsTimeTravelling());
}

class KiligWorldFixture : public MutedWorldFixture
{
protected:
    // A player who has seen the introduction and learnt time travel: the dungeon.
    static GameEvents Learnt()
    {
        GameEvents record;
        record[Event_TimeTravel] = GameEvent_HasHappened;
        record[Kilig_Event_IntroSeen] = GameEvent_HasHappened;
        return record;
    }

    Kilig& Dungeon(GameEvents const& record = Learnt())
    {
        Build(Level_Kilig, record);
        return As<Kilig>();
    }
    // A first visit: the house and the introduction.
    Kilig& House()
    {
        Build(Level_Kilig, GameEvents());
        return As<Kilig>();
    }

    Kilig& World() { return As<Kilig>(); }
    Player* Hero() { return world->GetPlayer(); }
    Pointf Rp(unsigned int id) { return world->GetMap()->GetRefPoint(id); }

    // Puts the player at p, standing still.
    void Place(Pointf p)
    {
        Player* hero = Hero();
        hero->pos = p;
        hero->speed = 0.0;
        hero->fallSpeed = 0.0;
        hero->jumpSpeed = 0.0;
    }

    // Walks until the player stands still within 4 of x, braking in time and jumping where he
    // makes no headway (out of a pressed plate's dip, say); false after limit steps.
    bool WalkTo(double x, int limit = 3000)
    {
        Player* hero = Hero();
        double best = std::fabs(x - hero->GetPos().x);
        int stalled = 0;
        for (int i = 0; i < limit; ++i)
        {
            double const here = hero->GetPos().x;
            double const v = hero->speed;
            double const ahead = x - here - v * std::fabs(v) / 0.8;
            std::vector<int> keys;
            if (ahead > 2.0)
                keys.push_back(KeyIndex_GameRight);
            else if (ahead < -2.0)
                keys.push_back(KeyIndex_GameLeft);
            else if (std::fabs(x - here) < 4.0 && std::fabs(v) < 0.01)
                return true;
            double const off = std::fabs(x - here);
            stalled = off < best - 0.5 ? 0 : stalled + 1;
            best = std::min(best, off);
            if (stalled > 12 && stalled < 40)
                keys.push_back(KeyIndex_GameJump);
            if (Level_Action const r = Step(keys); r != Level_Continue)
            {
                ADD_FAILURE() << "the level ended (" << r << ") walking to " << x;
                return false;
            }
        }
        ADD_FAILURE() << "stuck at x " << hero->GetPos().x << ", y " << hero->GetPos().y << " walking to " << x;
        return false;
    }

    // One press of the action key, let go the step after.
    void Act()
    {
        Step({KeyIndex_GameAction});
        Step();
    }

    void TravelBackTo(Tick to)
    {
        KiligTravelBackTo(
            *world, [this](std::vector<int> const& held) { return Step(held); }, to);
    }
};
