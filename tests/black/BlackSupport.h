// Black mountains world tests' support: the mountains built from the generated data, the player put in
// place, made dead but walking or alive again, and the clock run back.
#pragma once

#include "black/Black.h"
#include "engine/GameEvents.h"
#include "engine/KeyData.h"
#include "engine/Map.h"
#include "engine/Player.h"
#include "support/WorldFixture.h"
#include "tools/worlds/black.h"

#include <vector>

class BlackWorld : public MutedWorldFixture
{
protected:
    Black& MakeWorld()
    {
        Build(Level_Black);
        return As<Black>();
    }

    // With the socks found in an earlier level, the player cannot die.
    Black& MakeWorldWithSocks()
    {
        events.eventTimes[Event_Socks] = GameEvent_HasHappened;
        return MakeWorld();
    }

    Player* Hero() const { return world->GetPlayer(); }

    // The player's feet at p, at rest.
    void Place(Pointf const& p) const
    {
        Hero()->SetPos(&p);
        Hero()->speed = 0.0;
    }

    // Below zero energy: dying, or dead but walking once he has the socks.
    void Beaten() const { Hero()->GiveEnergy(-100); }
    void Healed() const { Hero()->GiveEnergy(1000); }

    // Runs the clock back until it rests at tick to or before, then plays on from there.
    void TravelBackTo(Tick to)
    {
        Step({KeyIndex_GameBackInTime});
        ASSERT_TRUE(world->IsTimeTravelling()) << "no travel began at tick " << world->GetTick();
        while ((world->GetTick() > to && world->GetTick() > 0) || world->GetTimeSpeed() != 0)
            Step(world->GetTick() > to ? std::vector<int>{KeyIndex_GameBackInTime} : std::vector<int>{});
        Step({KeyIndex_GameJump});
        Step();
        ASSERT_FALSE(world->IsTimeTravelling());
    }
};
