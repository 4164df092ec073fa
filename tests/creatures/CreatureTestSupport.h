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
#include "support/LevelFixture.h"
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

// The sliding puzzle: the tile in each place and the picture each place draws, by tile id (-1 none).
inline void ReplayWatch_SlideyPuzzle(ReplayHarness& harness, Slidey_Puzzle const* p)
{
    harness.Watch([p](Tick, Replay_Digest& d) {
        for (int i = 0; i < Slidey_Puzzle_Segments; ++i)
        {
            std::string const name = "slidey place " + std::to_string(i);
            ReplayHarness::Add(d, name, "tile", p->GetLayout(i));
            int picture = -1;
            for (int tile = 0; tile < Slidey_Puzzle_Segments; ++tile)
                if (p->GetTile(i)->GetImage() != nullptr && p->GetTile(i)->GetImage() == p->GetTileImage(tile))
                    picture = tile;
            ReplayHarness::Add(d, name, "picture", picture);
        }
        ReplayHarness::Add(d, "slidey puzzle", "complete", p->IsComplete());
    });
}

// Spikes, spike balls, jets, vines and push-overs.
// A row where it stands, and whether it hurts a player on the floor over its middle.
inline void ReplayWatch_Spikes(ReplayHarness& harness, std::string const& name, Spikes* row)
{
    harness.Watch([=](Tick t, Replay_Digest& d) {
        Pointf const at = row->GetPosition();
        ReplayHarness::Add(d, name, "x", at.x);
        ReplayHarness::Add(d, name, "y", at.y);
        Pointf const onFloor(at.x + row->SpikeWidth() * 1.5, 0.0);
        ReplayHarness::Add(d, name, "hurts", row->IsPlayerHit(t, &onFloor));
    });
}

// A ball where it stands, and whether it hurts a player on the floor below its path's start.
inline void ReplayWatch_SpikeBall(ReplayHarness& harness, std::string const& name, SpikeBall* ball)
{
    Pointf const probe(ball->PositionAtTime(0).x, 0.0);
    harness.Watch([=](Tick t, Replay_Digest& d) {
        Pointf const at = ball->GetPosition();
        ReplayHarness::Add(d, name, "x", at.x);
        ReplayHarness::Add(d, name, "y", at.y);
        ReplayHarness::Add(d, name, "hurts", ball->IsPlayerHit(t, &probe));
    });
}

// A jet's particles as drawn, and whether it hurts near its nozzle and at the flame's far end.
inline void ReplayWatch_Jet(ReplayHarness& harness, std::string const& name, Jet* jet, Pointf ahead)
{
    harness.Watch([=](Tick t, Replay_Digest& d) {
        std::vector<Jet_Particle> const particles = jet->ParticlesAt(t);
        ReplayHarness::Add(d, name, "particles", double(particles.size()));
        double sum = 0.0;
        for (Jet_Particle const& p : particles)
            sum += p.pos.x + 3.0 * p.pos.y + (p.big ? 7.0 : 0.0);
        ReplayHarness::Add(d, name, "particle sum", sum);
        Pointf const at = jet->GetPosition();
        Pointf const near(at.x + ahead.x * 10.0, at.y + ahead.y * 10.0);
        Pointf const far(at.x + ahead.x * 70.0, at.y + ahead.y * 70.0);
        ReplayHarness::Add(d, name, "hurts near", jet->IsPlayerHit(t, &near));
        ReplayHarness::Add(d, name, "hurts far", jet->IsPlayerHit(t, &far));
    });
}

inline void ReplayWatch_Vine(ReplayHarness& harness, std::string const& name, Vine* vine, Map const* map)
{
    harness.Watch([=](Tick t, Replay_Digest& d) {
        ReplayHarness::Add(d, name, "hang x", vine->hangPos.x);
        ReplayHarness::Add(d, name, "hang y", vine->hangPos.y);
        ReplayWatch_Aim(d, name, vine, map, t);
    });
}

// Spikes, spike balls, jets, vines and the push-over; its group's moves are among the groups'.
inline void ReplayWatch_Hazards(ReplayHarness& harness, Creature_World& world)
{
    Map const* map = world.GetMap();
    for (std::size_t i = 0; i < world.spikes.size(); ++i)
        ReplayWatch_Spikes(harness, "spikes " + std::to_string(i), world.spikes[i]);
    for (std::size_t i = 0; i < world.spikeBalls.size(); ++i)
        ReplayWatch_SpikeBall(harness, "spike ball " + std::to_string(i), world.spikeBalls[i]);
    Pointf const aheads[Jets_Count] = {{0.0, 1.0}, {0.0, -1.0}, {-1.0, 0.0}, {1.0, 0.0}};
    for (std::size_t i = 0; i < world.jets.size(); ++i)
        ReplayWatch_Jet(harness, "jet " + std::to_string(i), world.jets[i], aheads[i % Jets_Count]);
    for (std::size_t i = 0; i < world.vines.size(); ++i)
        ReplayWatch_Vine(harness, "vine " + std::to_string(i), world.vines[i], map);
    if (PushOver const* pushOver = world.pushOver)
        harness.Watch(
            [=](Tick t, Replay_Digest& d) { ReplayHarness::Add(d, "push-over", "angle", pushOver->AngleAtTime(t)); });
}

// Rock-throwing goblin, splitting shmoos, imps.
// The rock-throwing goblin: life, pose and rocks. Its mirroring is digested only at ticks its
// facing records cover: elsewhere it follows the side the player was on at the last live step.
inline void ReplayWatch_GoblinDefend(ReplayHarness& harness, std::string const& name, GoblinDefend* g, Map const* map)
{
    harness.Watch([=](Tick t, Replay_Digest& d) {
        ReplayHarness::Add(d, name, "alive", g->AliveAt(t));
        ReplayHarness::Add(d, name, "active", g->IsActive(t));
        ReplayWatch_Aim(d, name, g, map, t);
        ReplayHarness::Add(d, name, "frame", g->FrameAt(t));
        ReplayHarness::Add(d, name, "faced", g->FacedAt(t));
        if (g->FacedAt(t))
            ReplayHarness::Add(d, name, "left", g->FacingLeftAt(t));
        Pointf rocks[4];
        int const n = g->RocksAt(t, rocks, 4);
        ReplayHarness::Add(d, name, "rocks", n);
        for (int i = 0; i < n && i < 4; ++i)
        {
            ReplayHarness::Add(d, name, "rock x", rocks[i].x);
            ReplayHarness::Add(d, name, "rock y", rocks[i].y);
            ReplayHarness::Add(d, name, "rock hurts", g->IsPlayerHit(t, &rocks[i]));
        }
    });
}

// A splitting shmoo's blobs, from the tree: at a tick on which a blob splits because the player came
// near, the step moved the blobs before the split was written, so their step state is not digested.
inline void ReplayWatch_SplitShmoo(ReplayHarness& harness, std::string const& name, SplitShmoo* s, Map const* map)
{
    harness.Watch([=](Tick t, Replay_Digest& d) {
        ShmoosInfo const* tree = s->GetTree();
        for (int i = 0; i < SplitShmoo::Shmoo_Total_Count; ++i)
        {
            std::string const blob = name + " blob " + std::to_string(i);
            ShmooInst* inst = s->GetShmoo(i);
            Pointf at;
            int flying = 0;
            bool const present = tree->GetPos(t, i, &at, &flying, false);
            ReplayHarness::Add(d, blob, "present", present);
            ReplayHarness::Add(d, blob, "alive", inst->AliveAt(t));
            ReplayWatch_Aim(d, blob, inst, map, t);
            if (!present)
                continue;
            ReplayHarness::Add(d, blob, "x", at.x);
            ReplayHarness::Add(d, blob, "y", at.y);
            ReplayHarness::Add(d, blob, "flying", flying);
            bool const splitNow =
                tree->nodes[i].splitTime == t || (i > 0 && tree->nodes[ShmoosInfo::GetParent(i)].splitTime == t);
            if (!splitNow)
            {
                ReplayHarness::Add(d, blob, "shown", inst->Shown());
                ReplayHarness::Add(d, blob, "hurts", inst->IsPlayerHit(t, &at));
            }
        }
    });
}

// An imp, whose step state is kept only while it is moved.
inline void ReplayWatch_Imp(ReplayHarness& harness, std::string const& name, Imp* imp, Map const* map)
{
    harness.Watch([=](Tick t, Replay_Digest& d) {
        ReplayHarness::Add(d, name, "alive", imp->AliveAt(t));
        ReplayHarness::Add(d, name, "moved", imp->MovedAt(t));
        ReplayWatch_Aim(d, name, imp, map, t);
        if (!imp->MovedAt(t))
            return;
        Pointf const at = imp->GetPosition();
        ReplayHarness::Add(d, name, "x", at.x);
        ReplayHarness::Add(d, name, "y", at.y);
        ReplayHarness::Add(d, name, "frame", imp->GetFrame());
        ReplayHarness::Add(d, name, "angle", imp->GetAngle());
        ReplayHarness::Add(d, name, "mirrored", imp->Mirrored());
        ReplayHarness::Add(d, name, "hurts", imp->IsPlayerHit(t, &at));
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
    // The sliding puzzle; the sprinkler is not replayed.
    if (world.slideyPuzzle != nullptr)
        ReplayWatch_SlideyPuzzle(harness, world.slideyPuzzle);
    // Rock-throwing goblin, splitting shmoos, imps.
    if (world.goblinDefend != nullptr)
        ReplayWatch_GoblinDefend(harness, "rock goblin", world.goblinDefend, map);
    for (std::size_t i = 0; i < world.splitShmoos.size(); ++i)
        ReplayWatch_SplitShmoo(harness, "split shmoo " + std::to_string(i), world.splitShmoos[i], map);
    for (std::size_t i = 0; i < world.imps.size(); ++i)
        ReplayWatch_Imp(harness, "imp " + std::to_string(i), world.imps[i], map);
    // Bats and wasps.
    for (std::size_t i = 0; i < world.bats.size(); ++i)
        ReplayWatch_Bat(harness, "bat " + std::to_string(i), world.bats[i], map);
    for (std::size_t i = 0; i < world.wasps.size(); ++i)
        ReplayWatch_Wasp(harness, "wasp " + std::to_string(i), world.wasps[i], map);
    ReplayWatch_Selves(harness, world.GetTimeFrames());
    // Spikes, spike balls, jets, vines and push-overs.
    ReplayWatch_Hazards(harness, world);
}

class CreatureTestSupport : public LevelFixture
{
protected:
    static constexpr unsigned int Fixed_Seed = 1234;

    void TearDown() override
    {
        world.reset();
        LevelFixture::TearDown();
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

    // Builds the level as MakeWorld does, with hitter among its objects, and a harness over it
    // watching every creature; the caller plans the hits.
    ReplayHarness MakeReplay(std::vector<CreatureWorld_Zone> const& zones, unsigned int seed, Creature_Hitter& hitter)
    {
        MakeWorld(zones, seed);
        world->GetObjects()->AddObject(&hitter);
        ReplayHarness harness(*world, keyScript);
        ReplayWatch_CreatureWorld(harness, *world);
        return harness;
    }

    Level_Action Step(std::vector<int> const& held = {}) { return world->Poll(keyScript.Next(held)); }

    // Steps with no keys until the clock shows tick t (the creatures stand at t - 1 then).
    void StepTo(Tick t)
    {
        while (world->GetTick() < t)
            Step();
    }

    std::unique_ptr<Creature_World> world;
};
