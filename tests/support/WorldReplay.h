// Test support: the whole-world replay run. A world built by the fixture is played (along its road or
// by random keys), travelled through at random, played on from where the travel ended, and so on;
// every object and enemy of the level, the moving map groups and the past selves must show the same
// state whenever a tick is shown again.
//
//     TEST_F(TreeVTest, ReplaysWhole) { WorldReplay::Run(*this, Level_TreeV, events); }
//
// Seeds: a fixed list plus one fresh seed, printed (HM_TEST_SEED=...) with any failure.
#pragma once

#include "engine/Char_Base.h"
#include "engine/Chest.h"
#include "engine/Collectable.h"
#include "engine/Door.h"
#include "engine/Enemy.h"
#include "engine/Hit_Target.h"
#include "engine/Lift.h"
#include "engine/Map.h"
#include "engine/MapMove.h"
#include "engine/MapMoveGroup.h"
#include "engine/ObjectList.h"
#include "engine/PickUp.h"
#include "engine/Poly.h"
#include "engine/Switch.h"
#include "engine/Target.h"
#include "puzzles/World_Base.h"
#include "support/RandomKeys.h"
#include "support/RandomSeed.h"
#include "support/ReplayHarness.h"
#include "support/RoadWalker.h"
#include "support/WorldFixture.h"
#include "util/Rectf.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cxxabi.h>
#include <functional>
#include <map>
#include <memory>
#include <random>
#include <sstream>
#include <string>
#include <typeinfo>
#include <vector>

// The name of an object's class, for the digest's names and so for failure texts.
inline std::string ReplayWatch_ClassOf(std::type_info const& type)
{
    int status = 0;
    char* name = abi::__cxa_demangle(type.name(), nullptr, nullptr, &status);
    std::string const text = status == 0 && name != nullptr ? name : type.name();
    std::free(name);
    return text;
}

// What the level's driver of moving groups holds: the objects that move groups by orders (doors,
// lifts, switches) and the world's scripted movers.
struct ReplayWatch_Driver : MapMove
{
    static PtrList<MapMoveObject> const* Movers(MapMove const* driver)
    {
        return driver != nullptr ? &(driver->*(&ReplayWatch_Driver::moveObjects)) : nullptr;
    }
    static std::vector<MapMoveGroup const*> Scripted(MapMove const* driver)
    {
        std::vector<MapMoveGroup const*> movers;
        if (driver == nullptr)
            return movers;
        MapMoveGroup* const* groups = driver->*(&ReplayWatch_Driver::moveGroups);
        for (int i = 0; i < driver->*(&ReplayWatch_Driver::moveGroupCount); ++i)
            if (groups[i] != nullptr)
                movers.push_back(groups[i]);
        return movers;
    }
};

// A value where the state is not known at the tick (an object the level let sleep): it agrees with
// any value shown or recorded.
constexpr double Replay_Unseen = -8.0e307;

// The driver leaves a group where it stands while its order changes by less than Util::Eps, in
// offset or in angle, so a group shown again from another tick may stand that little apart.
constexpr double ReplayWatch_GroupTolerance = 1.0e-3;

// The part of the world the screen shows under a view.
inline Rectf ReplayWatch_ViewRect(Map& map, WorldTransform const& view)
{
    WorldTransform const kept = map.view;
    map.view = view;
    Pointf const corner0 = map.ScreenToWorld(Pointf(0.0, 0.0));
    Pointf const corner1 = map.ScreenToWorld(Pointf(640.0, 480.0));
    map.view = kept;
    return Rectf(&corner0, &corner1);
}

// Every object and enemy of the level, whatever its kind, recorded compactly (a world has hundreds of
// them): per played tick one row of values, the names they stand for shared between ticks. It is
// fed by the harness's steps and, like the harness, records the ticks played and compares those
// that time travel shows again. What it watches:
// - each object's active point and, for a character, its position, frame and tilt. These are the
//   object's present state, which the level updates only while the object is near the view: an
//   object the level let sleep keeps an older state. So they count only where the object was
//   active under the view before the step and the view after it (the step culled by the one and
//   drew by the other); elsewhere they read Replay_Unseen, which matches anything;
// - what the engine's kinds answer about a tick, at every tick (a target's place and latest hit,
//   a switch's plate, a hit target's state, a collectable's place and takeability, a pick-up's
//   drawing, a chest's showing; a door's opening and a lift's offset from the level's driver);
// - each enemy's death, at every tick, and its active point where it is active;
// - where each moving polygon's first corner lies: at every tick for the groups that objects move
//   by orders, but for a world's scripted mover only where its sweep was on screen under both
//   views (the driver runs the movers on screen only, and the others stay where they stood).
// The past selves are watched by ReplayWatch_Selves on the harness. The player himself is left
// out: time travel stops him where he stands in the present. Rows are compared place by place, so
// the level's lists are taken to be those the world built: a thing added in play shows as a
// difference ("recorded none") at the ticks before it.
class WorldReplay_Record
{
public:
    WorldReplay_Record(ReplayHarness& harness, World_Base& watched) : world(watched), before(watched.GetMap()->view)
    {
        harness.Watch([this](Tick t, Replay_Digest&) { Observe(t); });
        Map const* map = world.GetMap();
        for (int i = 0; i < map->polys.Count(); ++i)
            if (map->polys[i] != nullptr && map->polys[i]->GetGroup() != 0)
                polys.push_back(
                    {i, Name("group " + std::to_string(map->polys[i]->GetGroup()) + " poly " + std::to_string(i))});
        if (PtrList<MapMoveObject> const* orders = ReplayWatch_Driver::Movers(world.GetMapMove()))
            for (int i = 0; i < orders->Count(); ++i)
                if ((*orders)[i] != nullptr)
                    movers.push_back({(*orders)[i], Name("mover " + std::to_string(i))});
    }
    WorldReplay_Record(WorldReplay_Record const&) = delete;
    WorldReplay_Record& operator=(WorldReplay_Record const&) = delete;

    std::string mismatch; // the first difference found, empty while there is none
    int compared = 0;     // ticks shown again and compared

private:
    enum Field
    {
        Field_ActiveX,
        Field_ActiveY,
        Field_ActiveRadius,
        Field_X,
        Field_Y,
        Field_Frame,
        Field_Angle,
        Field_TargetX,
        Field_TargetY,
        Field_Hit,
        Field_Plate,
        Field_On,
        Field_Active,
        Field_ItemX,
        Field_ItemY,
        Field_Rotation,
        Field_Takeable, // a rule about later ticks: see ReplayHarness::Lockable
        Field_Drawn,
        Field_DrawnX,
        Field_DrawnY,
        Field_Shown,
        Field_Door,
        Field_Lift,
        Field_Dead,
        Field_GroupX, // within ReplayWatch_GroupTolerance
        Field_GroupY,
        Field_Count,
    };
    static char const* FieldName(Field f)
    {
        static char const* const names[Field_Count] = {
            "active x", "active y", "active radius", "x",     "y",       "frame",   "angle",
            "target x", "target y", "hit",           "plate", "on",      "active",  "item x",
            "item y",   "rotation", "takeable",      "drawn", "drawn x", "drawn y", "shown",
            "door",     "lift",     "dead",          "x",     "y"};
        return names[f];
    }

    struct Slot
    {
        int name;
        Field field;
        bool operator==(Slot const&) const = default;
    };
    struct Row
    {
        std::shared_ptr<std::vector<Slot> const> layout;
        std::vector<double> values;
    };
    // What an object or enemy of the list is, worked out once for each thing at its place.
    struct Thing
    {
        void const* at = nullptr;
        int name = 0;
        Char_Base const* character = nullptr;
        Target const* target = nullptr;
        Switch const* plate = nullptr;
        Hit_Target const* hitTarget = nullptr;
        Collectable const* item = nullptr;
        PickUp const* pickUp = nullptr;
        Chest const* chest = nullptr;
        Object const* object = nullptr; // an enemy that is also an object
    };

    int Name(std::string const& name)
    {
        names.push_back(name);
        return static_cast<int>(names.size()) - 1;
    }

    Thing const& ObjectAt(int i, Object const* object)
    {
        if (static_cast<int>(objects.size()) <= i)
            objects.resize(static_cast<std::size_t>(i) + 1);
        Thing& thing = objects[static_cast<std::size_t>(i)];
        if (thing.at != object)
        {
            thing = Thing{};
            thing.at = object;
            thing.name = Name("object " + std::to_string(i) + " " + ReplayWatch_ClassOf(typeid(*object)));
            thing.character = dynamic_cast<Char_Base const*>(object);
            thing.target = dynamic_cast<Target const*>(object);
            thing.plate = dynamic_cast<Switch const*>(object);
            thing.hitTarget = dynamic_cast<Hit_Target const*>(object);
            thing.item = dynamic_cast<Collectable const*>(object);
            thing.pickUp = dynamic_cast<PickUp const*>(object);
            thing.chest = dynamic_cast<Chest const*>(object);
        }
        return thing;
    }

    Thing const& EnemyAt(int i, Enemy const* enemy)
    {
        if (static_cast<int>(enemies.size()) <= i)
            enemies.resize(static_cast<std::size_t>(i) + 1);
        Thing& thing = enemies[static_cast<std::size_t>(i)];
        if (thing.at != enemy)
        {
            thing = Thing{};
            thing.at = enemy;
            thing.name = Name("enemy " + std::to_string(i) + " " + ReplayWatch_ClassOf(typeid(*enemy)));
            thing.object = dynamic_cast<Object const*>(enemy);
        }
        return thing;
    }

    void Add(int name, Field field, double value)
    {
        slots.push_back({name, field});
        values.push_back(value);
    }

    template <class T>
    void AddActivePoint(int name, T const* thing, bool shown)
    {
        Pointf centre;
        double radius = 0.0;
        double scale = 0.0;
        bool const has = shown && thing->ActivePoint(centre, radius, scale);
        Add(name, Field_ActiveX, !shown ? Replay_Unseen : has ? centre.x : 0.0);
        Add(name, Field_ActiveY, !shown ? Replay_Unseen : has ? centre.y : 0.0);
        Add(name, Field_ActiveRadius, !shown ? Replay_Unseen : has ? radius : 0.0);
    }

    void Observe(Tick t)
    {
        Map* map = world.GetMap();
        ObjectList const* list = world.GetObjects();
        WorldTransform const after = map->view;
        // Active under the view before the step as well as the one after it.
        auto seen = [&](auto const* thing) {
            if (!list->IsActive(map, thing))
                return false;
            map->view = before;
            bool const was = list->IsActive(map, thing);
            map->view = after;
            return was;
        };
        slots.clear();
        values.clear();

        Rectf const viewBefore = ReplayWatch_ViewRect(*map, before);
        Rectf const viewAfter = ReplayWatch_ViewRect(*map, after);
        asleep.clear();
        for (MapMoveGroup const* mover : ReplayWatch_Driver::Scripted(world.GetMapMove()))
            if (!mover->bound.Intersect(&viewBefore) || !mover->bound.Intersect(&viewAfter))
                asleep.push_back(mover->group);
        for (auto const& [index, name] : polys)
        {
            Poly const* poly = map->polys[index];
            bool const shown = std::find(asleep.begin(), asleep.end(), poly->GetGroup()) == asleep.end();
            Pointf const p = poly->GetVertexPoint(0);
            Add(name, Field_GroupX, shown ? p.x : Replay_Unseen);
            Add(name, Field_GroupY, shown ? p.y : Replay_Unseen);
        }

        PtrList<Object> const& placed = list->GetObjects();
        for (int i = 0; i < placed.Count(); ++i)
        {
            Object const* object = placed[i];
            if (object == nullptr)
                continue;
            Thing const& thing = ObjectAt(i, object);
            bool const shown = seen(object);
            AddActivePoint(thing.name, object, shown);
            if (Char_Base const* c = thing.character)
            {
                Add(thing.name, Field_X, shown ? c->pos.x : Replay_Unseen);
                Add(thing.name, Field_Y, shown ? c->pos.y : Replay_Unseen);
                Add(thing.name, Field_Frame, shown ? double(c->frame) : Replay_Unseen);
                Add(thing.name, Field_Angle, shown ? c->angle : Replay_Unseen);
            }
            if (Target const* target = thing.target)
            {
                Pointf at;
                bool const placedThen = target->GetTargetPos(map, t, at);
                Add(thing.name, Field_TargetX, placedThen ? at.x : 0.0);
                Add(thing.name, Field_TargetY, placedThen ? at.y : 0.0);
                Tick when = -1;
                Add(thing.name, Field_Hit, target->BeenHit(t, &when) ? when : -1);
            }
            if (thing.plate != nullptr)
                Add(thing.name, Field_Plate, thing.plate->CalcSwitchPos(t));
            if (Hit_Target const* h = thing.hitTarget)
            {
                Add(thing.name, Field_On, h->TargetOn(t));
                Add(thing.name, Field_Active, h->IsActive(t));
            }
            if (Collectable const* c = thing.item)
            {
                Pointf const at = c->GetPosAtTime(t);
                Add(thing.name, Field_ItemX, at.x);
                Add(thing.name, Field_ItemY, at.y);
                Add(thing.name, Field_Rotation, c->GetRotationAtTime(t));
                Add(thing.name, Field_Takeable, c->CanCollectAtTime(t));
            }
            if (PickUp const* p = thing.pickUp)
            {
                Pointf at;
                double rotation = 0.0;
                bool const drawn = p->DrawnAt(t, at, rotation);
                Add(thing.name, Field_Drawn, drawn);
                Add(thing.name, Field_DrawnX, drawn ? at.x : 0.0);
                Add(thing.name, Field_DrawnY, drawn ? at.y : 0.0);
            }
            if (thing.chest != nullptr)
                Add(thing.name, Field_Shown, thing.chest->ShownAt(t));
        }

        for (auto const& [mover, name] : movers)
        {
            if (auto const* door = dynamic_cast<Door const*>(mover))
                Add(name, Field_Door, door->GetPos(t));
            if (auto const* lift = dynamic_cast<Lift const*>(mover))
                Add(name, Field_Lift, lift->CalcLiftPos(t));
        }

        PtrList<Enemy> const& foes = list->GetEnemies();
        for (int i = 0; i < foes.Count(); ++i)
        {
            Enemy const* enemy = foes[i];
            if (enemy == nullptr)
                continue;
            Thing const& thing = EnemyAt(i, enemy);
            Add(thing.name, Field_Dead, enemy->IsDead(t));
            AddActivePoint(thing.name, enemy, seen(enemy) && (thing.object == nullptr || seen(thing.object)));
        }
        before = after;

        if (layout == nullptr || *layout != slots)
            layout = std::make_shared<std::vector<Slot> const>(slots);
        if (!world.IsTimeTravelling())
        {
            recorded.erase(recorded.upper_bound(t), recorded.end());
            recorded[t] = Row{layout, values};
        }
        else if (auto it = recorded.find(t); it != recorded.end())
        {
            ++compared;
            if (mismatch.empty())
                mismatch = Difference(it->second, t);
        }
    }

    // "object ..., tick ..., field ...: recorded ..., shown ..." for the first value that differs
    // from the row recorded; empty when they agree.
    std::string Difference(Row const& row, Tick t) const
    {
        std::vector<Slot> const& was = *row.layout;
        for (std::size_t i = 0; i < std::max(was.size(), slots.size()); ++i)
        {
            bool const both = i < was.size() && i < slots.size() && was[i] == slots[i];
            if (both)
            {
                double const a = row.values[i];
                double const b = values[i];
                Field const f = was[i].field;
                double const tolerance = f == Field_GroupX || f == Field_GroupY ? ReplayWatch_GroupTolerance : 0.0;
                if (a == b || a == Replay_Unseen || b == Replay_Unseen || std::fabs(a - b) <= tolerance
                    || (f == Field_Takeable && a == 1.0 && b == 0.0))
                    continue;
            }
            Slot const& named = i < was.size() ? was[i] : slots[i];
            std::ostringstream out;
            out.precision(17);
            out << names[static_cast<std::size_t>(named.name)] << ", tick " << t << ", field " << FieldName(named.field)
                << ": recorded ";
            if (i < was.size())
                out << row.values[i];
            else
                out << "none";
            out << ", shown ";
            if (both || (i >= was.size() && i < slots.size()))
                out << values[i];
            else
                out << "none";
            return out.str();
        }
        return "";
    }

    World_Base& world;
    WorldTransform before; // the view after the step before
    std::vector<std::string> names;
    std::vector<std::pair<int, int>> polys; // moving polygons: index, name
    std::vector<std::pair<MapMoveObject const*, int>> movers;
    std::vector<Thing> objects;
    std::vector<Thing> enemies;
    std::vector<unsigned int> asleep; // the groups of the scripted movers that did not run
    std::vector<Slot> slots;          // of the present observation
    std::vector<double> values;
    std::shared_ptr<std::vector<Slot> const> layout; // the latest, shared while it stays the same
    std::map<Tick, Row> recorded;
};

struct WorldReplay_Options
{
    // Rounds of forward play and random travel; each round ends its travel by a jump, and the
    // next plays on from there, beside the past self the travel left.
    int rounds = 3;
    int playSteps = 700;   // forward steps a round
    int travelSteps = 900; // travel steps a round
    // The world's road to walk (as RoadWalker::WorldRoad names it), its exit left out so that the
    // level goes on; empty: random keys. Random keys take over where the walk ends or sticks.
    std::string road;
    // Seeds of the random keys and travel; a fresh seed runs after them.
    std::vector<unsigned> seeds = TestSeeds_Long;
    // Called once the world is built, before the first step: the world's own watchers (kinds the
    // generic watcher cannot see into), or a test's preparations.
    std::function<void(ReplayHarness&, World_Base&)> prepare;
    // The least count of ticks that each seed must show again and compare.
    int leastCompared = 200;
};

struct WorldReplay
{
    // Builds the world of type with the progress record once per seed, plays and travels as the
    // options say, and fails the test with the first difference found, naming the seed.
    static void Run(WorldFixture& fixture, Level_Type type, GameEvents const& record,
                    WorldReplay_Options const& options = {})
    {
        Road road;
        if (!options.road.empty())
            road = RoadWalker::WorldRoad(type, options.road);
        std::vector<unsigned> seeds = options.seeds;
        if (std::getenv("HM_TEST_SEED") != nullptr)
            seeds.clear();
        seeds.push_back(TestSeed());
        for (std::size_t i = 0; i < seeds.size(); ++i)
        {
            bool const fresh = i + 1 == seeds.size();
            SCOPED_TRACE(testing::Message() << (fresh ? "fresh seed: HM_TEST_SEED=" : "seed ") << seeds[i]);
            std::string const mismatch = RunSeed(
                fixture, [&]() -> World_Base& { return fixture.Build(type, record); }, road, options, seeds[i]);
            EXPECT_EQ(mismatch, "");
            if (!mismatch.empty())
                break;
        }
    }

    // One seed's run over the world build() makes (and the fixture owns), walking road where it
    // has points; the first difference, or empty.
    static std::string RunSeed(WorldFixture& fixture, std::function<World_Base&()> const& build, Road road,
                               WorldReplay_Options const& options, unsigned seed)
    {
        World_Base& world = build();
        ReplayHarness harness(world, fixture.keyScript);
        ReplayWatch_Selves(harness, world.GetTimeFrames());
        WorldReplay_Record record(harness, world);
        if (options.prepare)
            options.prepare(harness, world);
        std::unique_ptr<RoadWalker> walker;
        if (!road.points.empty())
        {
            if (road.points.back().kind == Road_Exit)
                road.points.pop_back();
            walker = std::make_unique<RoadWalker>(world, road);
        }
        RandomKeys keys(seed);
        bool ended = false; // the level ended: the last travel goes back from there
        for (int round = 0; round < options.rounds && !ended; ++round)
        {
            for (int i = 0; i < options.playSteps && !ended; ++i)
            {
                std::vector<int> held;
                if (walker != nullptr && !walker->Done() && !walker->Stuck())
                    held = walker->NextKeys();
                if (walker == nullptr || walker->Done() || walker->Stuck())
                    held = keys.Next();
                ended = harness.Step(held) != Level_Continue;
            }
            harness.Travel(keys.Engine(), options.travelSteps);
            if (ended)
                break;
            harness.Step(std::vector<int>{KeyIndex_GameJump});
            harness.Step(std::vector<int>{});
            if (walker != nullptr)
                walker->Resume();
        }
        if (!record.mismatch.empty())
            return record.mismatch;
        if (!harness.mismatch.empty())
            return harness.mismatch;
        if (record.compared < options.leastCompared)
            return "only " + std::to_string(record.compared) + " ticks shown again";
        return "";
    }
};
