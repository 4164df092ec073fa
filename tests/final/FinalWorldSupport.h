// Den world test support: the den built from the generated data, the hero placed and walked to the throwing
// spot, and the fight's throws.
#pragma once

#include "engine/GameEvents.h"
#include "engine/Map.h"
#include "engine/Player.h"
#include "final/Final.h"
#include "final/FinalFightScript.h"
#include "final/Final_Dragon.h"
#include "support/RoadWalker.h"
#include "support/WorldFixture.h"
#include "tools/worlds/final.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

class FinalWorldFixture : public MutedWorldFixture
{
protected:
    // A hero who has learnt time travel and found the socks, which do not save him here.
    static GameEvents Seasoned()
    {
        GameEvents record;
        record[Event_TimeTravel] = GameEvent_HasHappened;
        record[Event_Socks] = GameEvent_HasHappened;
        return record;
    }

    Final& Den(GameEvents const& record = Seasoned())
    {
        Build(Level_Final, record);
        return As<Final>();
    }

    Final& World() { return As<Final>(); }
    Final_Dragon* Dragon() { return World().GetDragon(); }
    Player* Hero() { return world->GetPlayer(); }
    Pointf Rp(unsigned int id) { return world->GetMap()->GetRefPoint(id); }

    // Puts the hero at p, standing still, facing left when asked.
    void Place(Pointf p, bool facingLeft = true)
    {
        Player* hero = Hero();
        hero->pos = p;
        hero->speed = 0.0;
        hero->fallSpeed = 0.0;
        hero->jumpSpeed = 0.0;
        hero->frame = facingLeft ? hero->frame | LeftFrame : hero->frame & ~LeftFrame;
    }

    // From the start to the throwing spot by the walk the real program's script makes: the left
    // key held, then let go until he stands.
    void WalkToSpot()
    {
        Steps(Final_WalkToSpotSteps, {KeyIndex_GameLeft});
        Steps(40);
    }

    // Throws until the dragon is dead at the level's tick or most steps have gone; the steps taken.
    int ThrowUntilDead(int most)
    {
        for (int i = 0; i < most; ++i)
        {
            if (Dragon()->Dead(world->GetTick()))
                return i;
            if (Level_Action const r = Step(FinalThrowKeys(i)); r != Level_Continue)
            {
                ADD_FAILURE() << "the level ended (" << r << ") in the fight";
                return i;
            }
        }
        return most;
    }

    // Travels back from the present, letting go of the key in time for the travel to come to rest
    // at about tick to, and ends it with a jump (a step that is not travel).
    void TravelBackTo(Tick to)
    {
        Step({KeyIndex_GameBackInTime});
        ASSERT_TRUE(world->IsTimeTravelling());
        for (int i = 0; i < 3000; ++i)
        {
            // The ticks a travel at this speed still covers once the key is let go.
            double const speed = world->GetTimeSpeed();
            double const coast = speed * speed / (2.0 * TIME_CHANGE_DECEL * 256.0);
            bool const hold = world->GetTick() - coast > to;
            if (!hold && world->GetTimeSpeed() == 0)
                break;
            Step(hold ? std::vector<int>{KeyIndex_GameBackInTime} : std::vector<int>{});
        }
        ASSERT_TRUE(world->IsTimeTravelling());
    }

    // Gives the dragon its last hit at tick t, the others well before it in the same cycle.
    void KillAt(Tick t)
    {
        Tick const cycleStart = t - t % Final_Dragon::Dragon_FullCycle_Time;
        for (int i = 1; i < Final_Dragon::Dragon_HitPoints; ++i)
            Dragon()->Hit(cycleStart, 1, 0);
        Dragon()->Hit(t, 1, 0);
    }
};
