// The replay harness: steps a level, records a digest of every watched object's observable state per
// tick while the level is played, and requires the same digest whenever time travel shows a tick again.
#pragma once

#include "engine/Chest.h"
#include "engine/Collectable.h"
#include "engine/Door.h"
#include "engine/Hit_Target.h"
#include "engine/KeyData.h"
#include "engine/Level.h"
#include "engine/Lift.h"
#include "engine/Map.h"
#include "engine/PickUp.h"
#include "engine/Poly.h"
#include "engine/Switch.h"
#include "engine/TimeFrames.h"
#include "support/KeyScript.h"
#include "support/RandomSeed.h"
#include "testworld/Test_Walker.h"
#include "testworld/Test_World.h"

#include <algorithm>
#include <functional>
#include <initializer_list>
#include <map>
#include <random>
#include <sstream>
#include <string>
#include <vector>

struct Replay_Field
{
    std::string object;
    std::string field;
    double value;
};

using Replay_Digest = std::vector<Replay_Field>;
using Replay_Observer = std::function<void(Tick, Replay_Digest&)>;

// Works over any level; what it compares is what its watchers digest (ReplayWatch_TestWorld below
// is the test world's set). Keys come from the given script, which the caller may also use.
class ReplayHarness
{
public:
    ReplayHarness(Level& level, KeyScript& keyScript) : world(level), script(keyScript) {}

    void Watch(Replay_Observer observer) { observers.push_back(std::move(observer)); }
    // A field of a rule about later ticks rather than of the state: a later record may turn it from
    // 1 to 0 for ticks already played, never from 0 to 1. An item's takeability is one: dropping
    // it locks every tick up to the drop, so that nobody takes it from before a past self's drop.
    void Lockable(std::string const& field) { lockable.push_back(field); }

    // One step. A played tick is recorded, and whatever was recorded after it is no longer the
    // future; a tick shown by time travel is compared with its recording.
    Level_Action Step(KeyData const& keys)
    {
        Level_Action result = world.Poll(keys);
        bool const travelling = world.IsTimeTravelling();
        shown = travelling ? world.GetTick() : world.GetTick() - 1;
        Replay_Digest digest = Observe(shown);
        if (!travelling)
        {
            recorded.erase(recorded.upper_bound(shown), recorded.end());
            recorded[shown] = std::move(digest);
        }
        else if (auto it = recorded.find(shown); it != recorded.end())
        {
            ++compared;
            Compare(it->second, Locked(it->second, digest), shown);
        }
        return result;
    }

    Level_Action Step(std::vector<int> const& held) { return Step(script.Next(held)); }

    // Starts a travel and travels with random keys, from 16 ticks a step back to 8 forward,
    // coasting to rest now and then, without ever pressing jump; turns round at either end of
    // what was played.
    void Travel(std::mt19937& random, int steps)
    {
        Step(std::vector<int>{KeyIndex_GameBackInTime});
        int key = KeyIndex_GameBackInTime;
        for (int i = 0; i < steps; ++i)
        {
            if (random() % 40 == 0)
            {
                int const choice = static_cast<int>(random() % 3);
                key = choice == 0 ? KeyIndex_GameBackInTime : choice == 1 ? KeyIndex_GameForwardInTime : -1;
            }
            if (world.GetTick() >= recorded.rbegin()->first)
                key = KeyIndex_GameBackInTime;
            else if (world.GetTick() == 0)
                key = KeyIndex_GameForwardInTime;
            std::vector<int> held;
            if (key >= 0)
                held.push_back(key);
            Step(held);
        }
    }

    // Travels at random for steps steps under each seed of a fixed list in turn, then under a
    // fresh one, so that a difference any of them shows is found in every run; the seed it
    // showed under is named. Stops at the first difference.
    void TravelEachSeed(int steps, std::initializer_list<unsigned> seeds = TestSeeds_Default)
    {
        ForEachSeed(seeds, [&](unsigned seed) {
            std::mt19937 random(seed);
            ++seedsTravelled;
            Travel(random, steps);
            ASSERT_EQ(mismatch, "");
        });
    }

    // Holds back in time while past tick to, then lets the travel coast to rest.
    void ComeToRestBy(Tick to)
    {
        while (world.GetTick() > to || world.GetTimeSpeed() != 0)
        {
            std::vector<int> held;
            if (world.GetTick() > to)
                held.push_back(KeyIndex_GameBackInTime);
            Step(held);
        }
    }

    // Steers the travel towards aim, easing off as it nears, until it rests within low..high or
    // 3000 steps have gone; the caller checks where it came to rest.
    void SteerToRest(Tick low, Tick aim, Tick high)
    {
        for (int i = 0; i < 3000; ++i)
        {
            Tick const t = world.GetTick();
            int const speed = world.GetTimeSpeed();
            if (speed == 0 && t >= low && t <= high)
                break;
            int const wanted = std::clamp((aim - t) * 4, -1024, 1024);
            std::vector<int> held;
            if (speed < wanted - 40)
                held.push_back(KeyIndex_GameForwardInTime);
            else if (speed > wanted + 40)
                held.push_back(KeyIndex_GameBackInTime);
            Step(held);
        }
    }

    // Plays on, walking left and right by turns of 100 steps.
    void WalkToAndFro(int steps)
    {
        for (int i = 0; i < steps; ++i)
            Step(std::vector<int>{(i / 100) % 2 == 0 ? KeyIndex_GameLeft : KeyIndex_GameRight});
    }

    // The number of recorded ticks at which the object's field was not 0.
    int Ticks(std::string const& object, std::string const& field) const
    {
        int count = 0;
        for (auto const& [t, digest] : recorded)
            for (Replay_Field const& f : digest)
                count += f.object == object && f.field == field && f.value != 0.0 ? 1 : 0;
        return count;
    }

    Replay_Digest Observe(Tick t) const
    {
        Replay_Digest digest;
        for (Replay_Observer const& o : observers)
            o(t, digest);
        return digest;
    }

    // Notes the first difference found.
    void Compare(Replay_Digest const& before, Replay_Digest const& now, Tick t)
    {
        if (mismatch.empty())
            mismatch = Difference(before, now, t);
    }

    // "object ..., tick ..., field ...: recorded ..., shown ..." for the first field that differs;
    // empty when the digests agree. A field present on one side only shows as "none".
    static std::string Difference(Replay_Digest const& before, Replay_Digest const& now, Tick t)
    {
        for (std::size_t i = 0; i < std::max(before.size(), now.size()); ++i)
        {
            Replay_Field const* a = i < before.size() ? &before[i] : nullptr;
            Replay_Field const* b = i < now.size() ? &now[i] : nullptr;
            if (a != nullptr && b != nullptr && a->object == b->object && a->field == b->field && a->value == b->value)
                continue;
            Replay_Field const& named = a != nullptr ? *a : *b;
            std::ostringstream out;
            out.precision(17);
            out << "object " << named.object << ", tick " << t << ", field " << named.field << ": recorded ";
            if (a != nullptr)
                out << a->value;
            else
                out << "none";
            out << ", shown ";
            if (b != nullptr && b->object == named.object && b->field == named.field)
                out << b->value;
            else
                out << "none";
            return out.str();
        }
        return "";
    }

    Tick Shown() const { return shown; }

    // The shown digest with each lockable field that a later lock turned from 1 to 0 as recorded.
    Replay_Digest Locked(Replay_Digest const& before, Replay_Digest now) const
    {
        for (std::size_t i = 0; i < std::min(before.size(), now.size()); ++i)
        {
            Replay_Field const& a = before[i];
            Replay_Field& b = now[i];
            if (a.object == b.object && a.field == b.field && a.value == 1.0 && b.value == 0.0
                && std::find(lockable.begin(), lockable.end(), a.field) != lockable.end())
                b.value = 1.0;
        }
        return now;
    }

    std::map<Tick, Replay_Digest> recorded;
    std::string mismatch; // the first difference found, empty while there is none
    int compared = 0;     // ticks shown again and compared
    int seedsTravelled = 0; // seeds TravelEachSeed travelled under: the fixed ones and a fresh one, or
                            // the one HM_TEST_SEED repeats

    static void Add(Replay_Digest& d, std::string const& object, char const* field, double value)
    {
        d.push_back({object, field, value});
    }

private:
    Level& world;
    KeyScript& script;
    std::vector<Replay_Observer> observers;
    std::vector<std::string> lockable;
    Tick shown = 0;
};

// Every group move applied to the map: where each moving polygon's first corner lies.
inline void ReplayWatch_Groups(ReplayHarness& harness, Map const* map)
{
    harness.Watch([map](Tick, Replay_Digest& d) {
        for (int i = 0; i < map->polys.Count(); ++i)
        {
            Poly const* poly = map->polys[i];
            if (poly == nullptr || poly->GetGroup() == 0)
                continue;
            std::string const name = "group " + std::to_string(poly->GetGroup()) + " poly " + std::to_string(i);
            Pointf const p = poly->GetVertexPoint(0);
            ReplayHarness::Add(d, name, "x", p.x);
            ReplayHarness::Add(d, name, "y", p.y);
        }
    });
}

// The past selves shown at the tick.
inline void ReplayWatch_Selves(ReplayHarness& harness, TimeFrames const* frames)
{
    harness.Watch([frames](Tick t, Replay_Digest& d) {
        for (int i = 0; i < frames->Count(); ++i)
        {
            TimeFrame const* frame = frames->GetFrame(i);
            if (frame == nullptr || !frame->ValidTime(t))
                continue;
            Char_Base const self = *frame->GetAtTime(t);
            std::string const name = "self " + std::to_string(i);
            ReplayHarness::Add(d, name, "x", self.pos.x);
            ReplayHarness::Add(d, name, "y", self.pos.y);
            ReplayHarness::Add(d, name, "angle", self.angle);
            ReplayHarness::Add(d, name, "frame", self.frame);
        }
    });
}

// The test world's set: the moving groups, the engine's objects, the walkers and the past selves.
inline void ReplayWatch_TestWorld(ReplayHarness& harness, Test_World& world)
{
    Test_World* w = &world;
    harness.Lockable("takeable");
    ReplayWatch_Groups(harness, w->GetMap());
    harness.Watch([w](Tick t, Replay_Digest& d) {
        ReplayHarness::Add(d, "switch", "plate", w->GetSwitch()->CalcSwitchPos(t));
        ReplayHarness::Add(d, "door", "opening", w->GetDoor()->GetPos(t));
        ReplayHarness::Add(d, "lift", "offset", w->GetLift()->CalcLiftPos(t));
        ReplayHarness::Add(d, "hit target", "on", w->GetHitTarget()->TargetOn(t));
        ReplayHarness::Add(d, "hit target", "active", w->GetHitTarget()->IsActive(t));
        ReplayHarness::Add(d, "block target", "on", w->GetBlockTarget()->TargetOn(t));
        Collectable const* items[2] = {w->GetCollectable(), w->GetLiftItem()};
        for (int i = 0; i < 2; ++i)
        {
            std::string const name = i == 0 ? "collectable" : "lift item";
            Pointf const c = items[i]->GetPosAtTime(t);
            ReplayHarness::Add(d, name, "x", c.x);
            ReplayHarness::Add(d, name, "y", c.y);
            ReplayHarness::Add(d, name, "rotation", items[i]->GetRotationAtTime(t));
            ReplayHarness::Add(d, name, "takeable", items[i]->CanCollectAtTime(t));
        }
        ReplayHarness::Add(d, "chest", "shown", w->GetChest()->ShownAt(t));
        PickUp const* gems[2] = {w->GetGem(), w->GetChestGem()};
        for (int i = 0; i < 2; ++i)
        {
            Pointf at;
            double rotation = 0.0;
            bool const drawn = gems[i]->DrawnAt(t, at, rotation);
            std::string const name = i == 0 ? "gem" : "chest gem";
            ReplayHarness::Add(d, name, "drawn", drawn);
            ReplayHarness::Add(d, name, "x", drawn ? at.x : 0.0);
            ReplayHarness::Add(d, name, "y", drawn ? at.y : 0.0);
            ReplayHarness::Add(d, name, "rotation", drawn ? rotation : 0.0);
        }
        for (int i = 0; i < Test_World_WalkerCount; ++i)
        {
            Test_Walker const* walker = w->GetWalker(i);
            std::string const name = "walker " + std::to_string(i);
            ReplayHarness::Add(d, name, "x", walker->GetPos().x);
            ReplayHarness::Add(d, name, "y", walker->GetPos().y);
            ReplayHarness::Add(d, name, "speed", walker->speed);
            ReplayHarness::Add(d, name, "left", walker->WalkingLeft());
        }
    });
    ReplayWatch_Selves(harness, w->GetTimeFrames());
}
