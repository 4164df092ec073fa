// Creature test support: generated data, a window, the sound table, the creature level, the replay
// watchers of each kind and a scripted hitter.
#pragma once

#include "creatures/Creature_World.h"
#include "engine/GameEvents.h"
#include "engine/KeyData.h"
#include "engine/Object.h"
#include "engine/Target.h"
#include "media/Game_Sounds.h"
#include "platform/Audio.h"
#include "platform/GameWindow.h"
#include "platform/MessageBox.h"
#include "support/KeyScript.h"
#include "support/ReplayHarness.h"
#include "support/TestFolder.h"
#include "tools/DataGen.h"
#include "util/Error.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

// One hit the hitter lands: when the player's clock reaches at, target is hit at at + ahead from
// the given side, as a thrown axe settles its hit when thrown.
struct Creature_Hit
{
    Tick at;
    Target* target;
    Tick ahead;
    int damage;
    Target_Hit_Flags side; // Target_Hit_FromRight or 0
};

// Lands its planned hits from PlayerAtPos, which the level calls only while time runs forward;
// each hit is made once, so after a travel back the recorded hits come again on their own.
class Creature_Hitter final : public Object
{
public:
    void Plan(Creature_Hit hit) { plans.push_back({hit, false}); }

    void PlayerAtPos(Tick t, Pointf const*) override
    {
        for (Planned& p : plans)
        {
            if (p.done || p.hit.at != t)
                continue;
            p.hit.target->NoiseHit(t + p.hit.ahead);
            p.hit.target->Hit(t + p.hit.ahead, p.hit.damage, p.hit.side);
            p.done = true;
            ++made;
        }
    }

    int made = 0; // hits landed so far

private:
    struct Planned
    {
        Creature_Hit hit;
        bool done;
    };
    std::vector<Planned> plans;
};

// A walking creature at the shown tick: body, frame and facing, life, where it is aimed at and,
// with probe set, whether it hurts a player standing at its middle.
template <class Walker>
void ReplayWatch_Walker(ReplayHarness& harness, std::string const& name, Walker* w, Map const* map, bool probe)
{
    harness.Watch([=](Tick t, Replay_Digest& d) {
        ReplayHarness::Add(d, name, "x", w->GetPos().x);
        ReplayHarness::Add(d, name, "y", w->GetPos().y);
        ReplayHarness::Add(d, name, "frame", w->frame & FrameMask);
        ReplayHarness::Add(d, name, "left", (w->frame & LeftFrame) != 0);
        ReplayHarness::Add(d, name, "alive", w->AliveAt(t));
        Pointf aim;
        ReplayHarness::Add(d, name, "aimable", w->GetTargetPos(map, t, aim));
        ReplayHarness::Add(d, name, "aim x", aim.x);
        ReplayHarness::Add(d, name, "aim y", aim.y);
        if (probe)
        {
            Pointf const middle = w->GetRelativePos(0.0, 0.5);
            ReplayHarness::Add(d, name, "hurts", w->IsPlayerHit(t, &middle));
        }
    });
}

// Where a target is aimed at the tick, and whether it can be.
inline void ReplayWatch_Aim(Replay_Digest& d, std::string const& name, Target const* target, Map const* map, Tick t)
{
    Pointf aim;
    ReplayHarness::Add(d, name, "aimable", target->GetTargetPos(map, t, aim));
    ReplayHarness::Add(d, name, "aim x", aim.x);
    ReplayHarness::Add(d, name, "aim y", aim.y);
}

// A vulture, whose place is kept only while it is drawn.
inline void ReplayWatch_Vulture(ReplayHarness& harness, std::string const& name, Vulture* v, Map const* map)
{
    harness.Watch([=](Tick t, Replay_Digest& d) {
        ReplayHarness::Add(d, name, "alive", v->AliveAt(t));
        ReplayHarness::Add(d, name, "shown", v->ShownAt(t));
        ReplayWatch_Aim(d, name, v, map, t);
        if (!v->ShownAt(t))
            return;
        Pointf const at = v->GetPosition();
        ReplayHarness::Add(d, name, "x", at.x);
        ReplayHarness::Add(d, name, "y", at.y);
        ReplayHarness::Add(d, name, "frame", v->GetFrame());
        ReplayHarness::Add(d, name, "hurts", v->IsPlayerHit(t, &at));
    });
}

inline void ReplayWatch_Cactus(ReplayHarness& harness, std::string const& name, Cactus* c, Map const* map)
{
    harness.Watch([=](Tick t, Replay_Digest& d) {
        Pointf const at = c->GetPosition();
        ReplayHarness::Add(d, name, "x", at.x);
        ReplayHarness::Add(d, name, "y", at.y);
        ReplayHarness::Add(d, name, "frame", c->GetFrame());
        ReplayHarness::Add(d, name, "left", c->FacingLeft());
        ReplayHarness::Add(d, name, "alive", !c->IsDead(t));
        ReplayWatch_Aim(d, name, c, map, t);
        Pointf const body(at.x, at.y + Cactus::Cactus_Hit_Dist);
        ReplayHarness::Add(d, name, "hurts", c->IsPlayerHit(t, &body));
    });
}

inline void ReplayWatch_Shmoo(ReplayHarness& harness, std::string const& name, Shmoo* s, Map const* map)
{
    harness.Watch([=](Tick t, Replay_Digest& d) {
        int up = 0;
        Pointf const at = s->PositionAtTime(t, &up, false);
        ReplayHarness::Add(d, name, "x", at.x);
        ReplayHarness::Add(d, name, "y", at.y);
        ReplayHarness::Add(d, name, "up", up);
        ReplayHarness::Add(d, name, "alive", s->AliveAt(t));
        ReplayWatch_Aim(d, name, s, map, t);
        ReplayHarness::Add(d, name, "hurts", s->IsPlayerHit(t, &at));
    });
}

// A spider, whose place is kept only while it lives.
inline void ReplayWatch_Spider(ReplayHarness& harness, std::string const& name, Spider* s, Map const* map)
{
    harness.Watch([=](Tick t, Replay_Digest& d) {
        ReplayHarness::Add(d, name, "alive", s->AliveAt(t));
        ReplayWatch_Aim(d, name, s, map, t);
        if (!s->AliveAt(t))
            return;
        Pointf const at = s->GetPosition();
        ReplayHarness::Add(d, name, "x", at.x);
        ReplayHarness::Add(d, name, "y", at.y);
        ReplayHarness::Add(d, name, "hurts", s->IsPlayerHit(t, &at));
    });
}

inline void ReplayWatch_Grethyn(ReplayHarness& harness, std::string const& name, Zoveduv* g)
{
    harness.Watch([=](Tick t, Replay_Digest& d) {
        ReplayHarness::Add(d, name, "eye", g->GetEyeFrame());
        ReplayHarness::Add(d, name, "mouth", g->GetMouthFrame());
        ReplayHarness::Add(d, name, "chomping", g->IsChomping());
        Pointf const mouth = g->GetPos();
        ReplayHarness::Add(d, name, "hurts", g->IsPlayerHit(t, &mouth));
    });
}

// Mozzies and wavy blobs.
// A mozzy: where it is aimed at always, its place, facing and frame while it lives.
inline void ReplayWatch_Mozzy(ReplayHarness& harness, std::string const& name, Mozzy* m, Map const* map)
{
    harness.Watch([=](Tick t, Replay_Digest& d) {
        ReplayHarness::Add(d, name, "alive", m->AliveAt(t));
        ReplayWatch_Aim(d, name, m, map, t);
        if (!m->AliveAt(t))
            return;
        Pointf const at = m->GetPosition();
        ReplayHarness::Add(d, name, "x", at.x);
        ReplayHarness::Add(d, name, "y", at.y);
        ReplayHarness::Add(d, name, "mirror", m->Mirrored());
        ReplayHarness::Add(d, name, "frame", Mozzy::FrameAt(t));
        ReplayHarness::Add(d, name, "hurts", m->IsPlayerHit(t, &at));
    });
}

// A wavy blob's body (place, face, openness) and each arm's tip, aim and reach.
inline void ReplayWatch_WavyBlob(ReplayHarness& harness, std::string const& name, WavyBlob* b, Map const* map)
{
    harness.Watch([=](Tick t, Replay_Digest& d) {
        ReplayHarness::Add(d, name, "alive", b->AliveAt(t));
        ReplayHarness::Add(d, name, "shown", b->ShownAt(t));
        ReplayHarness::Add(d, name, "open", b->IsOpen(t));
        Pointf const at = b->GetPos();
        ReplayHarness::Add(d, name, "x", at.x);
        ReplayHarness::Add(d, name, "y", at.y);
        int face = -1;
        for (int c = WavyArm_Grey; c <= WavyArm_Purple; ++c)
            face = b->GetFace() == WavyBlob::FaceFrame(WavyArm_Colour(c)) ? c : face;
        ReplayHarness::Add(d, name, "face", face);
        ReplayHarness::Add(d, name, "hurts", b->IsPlayerHit(t, &at));
        ReplayWatch_Aim(d, name, b, map, t);
        for (int i = 0; i < WavyBlob_Arm_Count; ++i)
        {
            WavyArm* arm = b->GetArm(i);
            std::string const armName = name + " arm " + std::to_string(i);
            ReplayHarness::Add(d, armName, "alive", arm->AliveAt(t));
            Pointf const tip = arm->GetSegmentPos(WavyBlob_Arm_Sections - 1);
            ReplayHarness::Add(d, armName, "tip x", tip.x);
            ReplayHarness::Add(d, armName, "tip y", tip.y);
            ReplayHarness::Add(d, armName, "tip angle", arm->GetSegmentAngle(WavyBlob_Arm_Sections - 1));
            ReplayHarness::Add(d, armName, "hurts", arm->IsPlayerHit(t, &tip));
            ReplayWatch_Aim(d, armName, arm, map, t);
        }
    });
}

// Bats and wasps: where each is aimed at and, while it is drawn, what it shows and whether it hurts.
inline void ReplayWatch_Bat(ReplayHarness& harness, std::string const& name, Bat* b, Map const* map)
{
    harness.Watch([=](Tick t, Replay_Digest& d) {
        ReplayHarness::Add(d, name, "alive", b->AliveAt(t));
        ReplayHarness::Add(d, name, "shown", b->ShownAt(t));
        ReplayWatch_Aim(d, name, b, map, t);
        if (!b->ShownAt(t))
            return;
        Pointf const at = b->GetPosition();
        ReplayHarness::Add(d, name, "x", at.x);
        ReplayHarness::Add(d, name, "y", at.y);
        ReplayHarness::Add(d, name, "frame", b->GetFrame());
        ReplayHarness::Add(d, name, "mirror", b->Mirrored());
        ReplayHarness::Add(d, name, "rect y0", b->GetRect().y0);
        ReplayHarness::Add(d, name, "hurts", b->IsPlayerHit(t, &at));
    });
}

inline void ReplayWatch_Wasp(ReplayHarness& harness, std::string const& name, Wasp* w, Map const* map)
{
    harness.Watch([=](Tick t, Replay_Digest& d) {
        ReplayHarness::Add(d, name, "alive", w->AliveAt(t));
        ReplayHarness::Add(d, name, "shown", w->ShownAt(t));
        ReplayWatch_Aim(d, name, w, map, t);
        if (!w->ShownAt(t))
            return;
        Pointf const at = w->GetPosition();
        ReplayHarness::Add(d, name, "x", at.x);
        ReplayHarness::Add(d, name, "y", at.y);
        ReplayHarness::Add(d, name, "left", w->HeadingLeft());
        ReplayHarness::Add(d, name, "frame", w->FrameAt(t));
        ReplayHarness::Add(d, name, "hurts", w->IsPlayerHit(t, &at));
    });
}

// Every creature the level placed, kind by kind, with the moving groups and the past selves.
inline void ReplayWatch_CreatureWorld(ReplayHarness& harness, Creature_World& world)
{
    Map const* map = world.GetMap();
    ReplayWatch_Groups(harness, map);
    for (std::size_t i = 0; i < world.goblins.size(); ++i)
        ReplayWatch_Walker(harness, "goblin " + std::to_string(i), world.goblins[i], map, true);
    // A rat's bite draws rand(): it is not replayed, so it is not probed.
    for (std::size_t i = 0; i < world.rats.size(); ++i)
        ReplayWatch_Walker(harness, "rat " + std::to_string(i), world.rats[i], map, false);
    for (std::size_t i = 0; i < world.vultures.size(); ++i)
        ReplayWatch_Vulture(harness, "vulture " + std::to_string(i), world.vultures[i], map);
    for (std::size_t i = 0; i < world.cacti.size(); ++i)
        ReplayWatch_Cactus(harness, "cactus " + std::to_string(i), world.cacti[i], map);
    for (std::size_t i = 0; i < world.shmoos.size(); ++i)
        ReplayWatch_Shmoo(harness, "shmoo " + std::to_string(i), world.shmoos[i], map);
    for (std::size_t i = 0; i < world.spiders.size(); ++i)
        ReplayWatch_Spider(harness, "spider " + std::to_string(i), world.spiders[i], map);
    for (std::size_t i = 0; i < world.grethyns.size(); ++i)
        ReplayWatch_Grethyn(harness, "grethyn " + std::to_string(i), world.grethyns[i]);
    // Mozzies and wavy blobs.
    for (std::size_t i = 0; i < world.mozzies.size(); ++i)
        ReplayWatch_Mozzy(harness, "mozzy " + std::to_string(i), world.mozzies[i], map);
    for (std::size_t i = 0; i < world.wavyBlobs.size(); ++i)
        ReplayWatch_WavyBlob(harness, "wavy blob " + std::to_string(i), world.wavyBlobs[i], map);
    // Bats and wasps.
    for (std::size_t i = 0; i < world.bats.size(); ++i)
        ReplayWatch_Bat(harness, "bat " + std::to_string(i), world.bats[i], map);
    for (std::size_t i = 0; i < world.wasps.size(); ++i)
        ReplayWatch_Wasp(harness, "wasp " + std::to_string(i), world.wasps[i], map);
    ReplayWatch_Selves(harness, world.GetTimeFrames());
}

class CreatureTestSupport : public testing::Test
{
protected:
    static constexpr unsigned int Fixed_Seed = 1234;

    static void SetUpTestSuite()
    {
        data = new TestFolder(false);
        DataGen::WriteAll(data->path.string());
    }
    static void TearDownTestSuite()
    {
        delete data;
        data = nullptr;
    }

    void SetUp() override
    {
        previous = std::filesystem::current_path();
        std::filesystem::current_path(data->path);
        MessageBox::SetRecordOnly(true);
        ASSERT_TRUE(GameWindow::Open(640, 480)) << GameWindow::FailureText();
        gameSounds = &sounds;
        events.eventTimes[Event_TimeTravel] = GameEvent_HasHappened;
    }
    void TearDown() override
    {
        world.reset();
        gameSounds = nullptr;
        Audio::Close();
        GameWindow::Close();
        std::filesystem::current_path(previous);
    }

    // Builds the level with the zones given, the player in the first, from the C library
    // generator seeded with seed.
    Creature_World& MakeWorld(std::vector<CreatureWorld_Zone> const& zones, unsigned int seed = Fixed_Seed)
    {
        world.reset();
        keyScript = KeyScript();
        std::srand(seed);
        try
        {
            world = std::make_unique<Creature_World>(&events, zones, zones.front());
        }
        catch (Error const& e)
        {
            ADD_FAILURE() << "building the creature level: " << e.Text();
            throw;
        }
        return *world;
    }

    Level_Action Step(std::vector<int> const& held = {}) { return world->Poll(keyScript.Next(held)); }

    // Steps with no keys until the clock shows tick t (the creatures stand at t - 1 then).
    void StepTo(Tick t)
    {
        while (world->GetTick() < t)
            Step();
    }

    static inline TestFolder* data = nullptr;
    std::filesystem::path previous;
    Game_Sounds sounds;
    GameEvents events;
    std::unique_ptr<Creature_World> world;
    KeyScript keyScript;
};
