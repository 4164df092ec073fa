// Tower test support: the tower built from the generated data, and a player driven by keys
// through its stations: walking, waiting to change size, travelling back, throwing the axe.
#pragma once

#include "engine/CharStats.h"
#include "engine/KeyData.h"
#include "engine/Map.h"
#include "engine/ObjectList.h"
#include "engine/Player.h"
#include "engine/Target.h"
#include "support/WorldFixture.h"
#include "tower/Tower.h"
#include "util/PtrList.h"
#include "util/Util.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <memory>
#include <vector>

constexpr int Key_Left = KeyIndex_GameLeft;
constexpr int Key_Right = KeyIndex_GameRight;
constexpr int Key_Jump = KeyIndex_GameJump;
constexpr int Key_Action = KeyIndex_GameAction;
constexpr int Key_NextTarget = KeyIndex_GameNextTarget;
constexpr int Key_Back = KeyIndex_GameBackInTime;

class TowerWorld : public MutedWorldFixture
{
protected:
    Tower& MakeTower()
    {
        Build(Level_Tower);
        return As<Tower>();
    }

    Tower& World() { return As<Tower>(); }
    Player& Hero() { return *world->GetPlayer(); }
    Pointf Pos() { return Hero().GetPos(); }
    Tick Now() { return world->GetTick(); }

    // The player standing at (x, y) at size s, done growing, facing right.
    void Place(double x, double y, double s)
    {
        Player& hero = Hero();
        hero.SetScale(s);
        hero.scale = s;
        hero.SetUpStats();
        hero.pos = Pointf(x, y);
        hero.speed = hero.fallSpeed = hero.jumpSpeed = 0.0;
        hero.angle = 0.0;
        ASSERT_EQ(Step(), Level_Continue);
    }

    // Steps with the keys held until done() holds; false when count steps pass first.
    bool StepUntil(std::function<bool()> const& done, int count, std::vector<int> const& held = {})
    {
        for (int i = 0; i < count; i++)
        {
            if (done())
                return true;
            if (Step(held) != Level_Continue)
                return done();
        }
        return done();
    }

    // Walks towards x and lets go in time to come to rest there; false when he stops short.
    bool WalkTo(double x, int count = 4000)
    {
        bool const right = Pos().x < x;
        auto const arrived = [&] {
            Player& hero = Hero();
            double const brake = hero.speed * hero.speed / (2.0 * hero.GetStats()->decel);
            return right ? Pos().x + brake >= x : Pos().x - brake <= x;
        };
        bool const done = StepUntil(arrived, count, {right ? Key_Right : Key_Left});
        StepUntil([&] { return Util::Equal(Hero().speed, 0.0); }, 100);
        return done;
    }

    // Jumps one way, out of a pressed plate's pit or up onto a ledge, and lands; the direction is
    // let go of once far enough (when given), the jump held to the end.
    void JumpTowards(int key, std::function<bool()> const& farEnough = nullptr, int count = 300)
    {
        Step({key, Key_Jump});
        Step({key, Key_Jump});
        if (farEnough)
            StepUntil([&] { return Hero().onGround || farEnough(); }, count, {key, Key_Jump});
        StepUntil([&] { return Hero().onGround; }, count, {farEnough ? Key_Jump : key, Key_Jump});
    }

    // Walks one way until the player has not moved for a few steps (against a wall).
    void WalkInto(int key, int count = 2000)
    {
        double last = Pos().x;
        int still = 0;
        for (int i = 0; i < count && still < 5; i++)
        {
            Step({key});
            still = std::fabs(Pos().x - last) < 1e-9 ? still + 1 : 0;
            last = Pos().x;
        }
        Steps(5);
    }

    // Waits until the player's size is s.
    bool GrowTo(double s, int count = 400)
    {
        return StepUntil([&] { return Util::Equal(Hero().GetScale(), s); }, count);
    }

    // Travels back until the clock shows t or less, and ends the travel there.
    void TravelBackTo(Tick t)
    {
        ASSERT_LT(t, Now());
        Step({Key_Back});
        ASSERT_TRUE(world->IsTimeTravelling());
        ASSERT_TRUE(StepUntil([&] { return Now() <= t; }, 4000, {Key_Back}));
        Step({Key_Jump});
        ASSERT_FALSE(world->IsTimeTravelling());
    }

    // Aims at the targets in view, chooses target and throws the axe at it; false when target
    // is not in view.
    bool Throw(Target* target)
    {
        // Aiming starts once the key is held past the step it went down in.
        Step({Key_Action});
        Step({Key_Action});
        Player& hero = Hero();
        Target* nearest = nullptr;
        std::unique_ptr<PtrList<Target>> const visible(
            world->GetObjects()->GetVisibleTargets(world->GetMap(), Now(), &hero, &nearest, hero.GetScale()));
        if (visible == nullptr || visible->GetPos(target) < 0)
            return false;
        int const presses = (visible->GetPos(target) - visible->GetPos(nearest) + visible->Count()) % visible->Count();
        for (int i = 0; i < presses; i++)
        {
            Step({Key_Action, Key_NextTarget});
            Step({Key_Action});
        }
        Step();
        return true;
    }
};
