// Creature_World: the creature test level, built from the generator's "creatureworld" data, zone by zone.
#pragma once

#include "creatures/Bat.h"
#include "creatures/Bat_Group.h"
#include "creatures/Bat_Path.h"
#include "creatures/Cactus.h"
#include "creatures/Goblin.h"
#include "creatures/Jet.h"
#include "creatures/Mozzy.h"
#include "creatures/PushOver.h"
#include "creatures/Rat.h"
#include "creatures/Shmoo.h"
#include "creatures/Slidey_Puzzle.h"
#include "creatures/Spider.h"
#include "creatures/SpikeBall.h"
#include "creatures/Spikes.h"
#include "creatures/Sprinkler.h"
#include "creatures/Vine.h"
#include "creatures/Vulture.h"
#include "creatures/Wasp.h"
#include "creatures/WavyBlob.h"
#include "creatures/Zoveduv.h"
// Rock-throwing goblin, splitting shmoos, imps.
#include "creatures/GoblinDefend.h"
#include "creatures/Imp.h"
#include "creatures/SplitShmoo.h"
#include "engine/Level.h"
#include "engine/Map.h"
#include "engine/MapMove.h"
#include "engine/MapMoveObject.h"
#include "engine/ObjectList.h"
#include "engine/Path.h"
#include "engine/Player.h"
#include "media/Textures.h"
#include "tools/creatures/CreatureWorld_Refs.h"
#include "util/DataFile.h"
#include "util/Error.h"
#include "util/FlatList.h"

#include <algorithm>
#include <cstdio>
#include <typeindex>
#include <vector>

// The gate of the goblin-group zone: rises off the floor and comes down again, a pure function
// of the tick, so a goblin meets it shut or open depending on when it walks up.
class Creature_World_Gate final : public MapMoveObject
{
public:
    static constexpr Tick Gate_Period = 384; // ticks of one rise and fall

    explicit Creature_World_Gate(Map* map) : moves(1)
    {
        Rectf const cover(0.0, 0.0, 0.0, GoblinGroup_GateRise);
        map->SetGroupCover(GoblinGroup_Gate, &cover);
        moves[0].kind = MoveObject_Translate;
        moves[0].group = GoblinGroup_Gate;
    }

    // Shut for the first half of each period, then up and down again in a triangle.
    static double Rise(Tick t)
    {
        Tick const phase = t % Gate_Period;
        Tick const half = Gate_Period / 2;
        if (phase < half)
            return 0.0;
        Tick const up = phase - half;
        double const f = up < half / 2 ? double(up) / (half / 2) : double(half - up) / (half / 2);
        return f * GoblinGroup_GateRise;
    }

    void MoveMapGroup(Map const*, Tick t, FlatList<MoveObject>** orders) override
    {
        moves[0].newY = Rise(t);
        *orders = &moves;
    }

private:
    FlatList<MoveObject> moves;
};

// A long floor cut into zones (tools/creatures/CreatureWorld_Refs.h); a test names the zones to
// build and the zone the player starts in. The level places, registers and deletes its creatures
// as a world does, keeps the camera still at a scale at which everything placed is active (so no
// state can depend on where the view was), and gives the player his energy back every step.
class Creature_World final : public Level
{
public:
    static constexpr double Camera_Scale = 0.125;

    Creature_World(GameEvents* events, std::vector<CreatureWorld_Zone> const& zoneList, CreatureWorld_Zone startZone)
        : Level(events), zones(zoneList)
    {
        textures = built.Own(new Textures("creatureworld/imagemap"));
        map = built.Own(LoadMap(textures));
        Pointf const start = map->GetRefPoint(CreatureWorld_Ref(startZone, CreatureRef_Start));
        player = built.Own(new Player(map, objects, gameEvents, sounds, &start, 1.0));
        mapMove = built.Own(new MapMove(objects));

        for (CreatureWorld_Zone zone : zones)
            BuildZone(zone);
        map->PreprocessCollision();
        mapMove->Init(map);
        for (CreatureWorld_Zone zone : zones)
            BuildZoneAfterCollision(zone);

        double lowest = CreatureWorld_ZoneX(zones.empty() ? startZone : zones.front());
        double highest = lowest;
        for (CreatureWorld_Zone zone : zones)
        {
            lowest = std::min(lowest, CreatureWorld_ZoneX(zone));
            highest = std::max(highest, CreatureWorld_ZoneX(zone));
        }
        cameraCentre = Pointf((lowest + highest + CreatureWorld_ZoneWidth) / 2.0, 200.0);
        player->SetCameraScale(Camera_Scale, CameraMove_Jump);
        player->SetCameraPos(&cameraCentre, CameraMove_Jump, 0);
    }

    void Plot() override
    {
        Level::Plot();
        if (sprinkler != nullptr)
            sprinkler->Render(map);
    }

    Level_Action Poll(KeyData keys) override
    {
        Tick const t = GetTick();
        if (sprinkler != nullptr)
            sprinkler->Move(map);
        Level_Action const result = Level::Poll(keys);
        // While the player works the puzzle the level's own rules rest, as a world's do.
        if (slideyPuzzle != nullptr && result == Level_Continue)
        {
            if (slideyPuzzle->Poll(map, &keys, t))
                return result;
            player->SetCameraScale(Camera_Scale, CameraMove_Jump);
            player->SetCameraPos(&cameraCentre, CameraMove_Jump, 0);
        }
        if (!timeTravelling)
        {
            int most = 0;
            player->GetHitPoints(nullptr, &most);
            player->GiveEnergy(most);
        }
        return result;
    }

    bool Has(CreatureWorld_Zone zone) const { return std::find(zones.begin(), zones.end(), zone) != zones.end(); }
    Pointf Ref(CreatureWorld_Zone zone, unsigned int k) const { return map->GetRefPoint(CreatureWorld_Ref(zone, k)); }

    Player* GetPlayer() const { return player; }
    Map* GetMap() const { return map; }
    ObjectList* GetObjects() const { return objects; }
    TimeFrames* GetTimeFrames() const { return timeFrames; }
    Message* GetMessage() const { return message; }

    // What the zones placed, in the order placed; every kind's list is empty when none of its
    // zones was built.
    std::vector<Goblin*> goblins;
    std::vector<Rat*> rats;
    Goblin* wallGoblin = nullptr;    // walks into the wall of its zone
    Goblin* turnGoblin = nullptr;    // turns at its limits
    Goblin* swappedGoblin = nullptr; // limits given the wrong way round
    Goblin* groupGoblin = nullptr;   // walks against the gate
    Rat* freeRat = nullptr;          // one hit point
    Rat* blockedRat = nullptr;       // a wall stands before its limit
    Creature_World_Gate* gate = nullptr;
    std::vector<Vulture*> vultures; // two on the same beat: one hit kills the first, three the second
    std::vector<Cactus*> cacti;     // at CactusRef_Home, then at CactusRef_FarHome
    std::vector<Shmoo*> shmoos;     // the last with no ground below it
    std::vector<Spider*> spiders;   // the i-th with 1 + i hit points
    std::vector<Zoveduv*> grethyns;
    // Mozzies and wavy blobs.
    std::vector<Mozzy*> mozzies;      // two on one beat, with 1 and 2 hit points
    std::vector<WavyBlob*> wavyBlobs; // coloured, grey, then the one moving round a rectangle
    // The sliding puzzle and the leak sprinkler.
    Slidey_Puzzle* slideyPuzzle = nullptr; // its places are registered as objects
    Sprinkler* sprinkler = nullptr;        // moved each step, drawn each frame
    // Spikes, spike balls, jets, vines and push-overs.
    std::vector<Spikes*> spikes;        // phase 0, drawn phase, scaled by 2
    std::vector<SpikeBall*> spikeBalls; // still, then swinging
    std::vector<Jet*> jets;             // up, down, left, right
    std::vector<Vine*> vines;           // three heights, one height, never moves
    PushOver* pushOver = nullptr;
    // Rock-throwing goblin, splitting shmoos, imps.
    GoblinDefend* goblinDefend = nullptr;
    std::vector<SplitShmoo*> splitShmoos; // range 180, then range 0
    std::vector<Imp*> imps;

    // Bats and wasps.
    Bat_Path* batPathA = nullptr;   // short: its bats reach its end
    Bat_Path* batPathB = nullptr;   // extended with path A
    Bat_Group* batFlock = nullptr;  // several bats, woken by the player's approach
    Bat_Group* loneFlock = nullptr; // one bat by path A's start, out of the player's reach
    std::vector<Bat*> bats;         // the flock's, then the lone one
    std::vector<Wasp*> wasps;       // scale 1, 2 and 0.0625, then the hovering one
    static constexpr int Bat_HitPoints = 2;

    static constexpr int Goblin_HitPoints = 3;

private:
    static Map* LoadMap(Textures const* textureList)
    {
        char const* const name = "creatureworld/map";
        std::FILE* file = HM_OpenFile(name, "rb");
        if (file == nullptr)
            throw Error(Error_OpenFile, name);
        struct Closer
        {
            std::FILE* f;
            ~Closer() { std::fclose(f); }
        } closer{file};
        return new Map(textureList, file, name);
    }

    // Initialises a kind before its first creature is placed; it is finalised when the level goes,
    // after its creatures are deleted.
    template <class Kind>
    void Need()
    {
        if (std::find(initialised.begin(), initialised.end(), std::type_index(typeid(Kind))) != initialised.end())
            return;
        built.Initialise(&Kind::Initialise, &Kind::Finalise);
        initialised.push_back(std::type_index(typeid(Kind)));
    }

    // A creature that is an object, a target and an enemy, as the walking ones are.
    template <class Kind>
    Kind* PlaceEnemy(Kind* creature)
    {
        built.Own(creature);
        objects->AddObject(static_cast<Object*>(creature));
        objects->AddTarget(creature);
        objects->AddEnemy(creature);
        return creature;
    }

    Goblin* PlaceGoblin(CreatureWorld_Zone zone, unsigned int ref, unsigned int left, unsigned int right)
    {
        Need<Goblin>();
        Goblin* g = PlaceEnemy(new Goblin(map, CreatureWorld_Ref(zone, ref), CreatureWorld_Ref(zone, left),
                                          CreatureWorld_Ref(zone, right), Goblin_Normal, Goblin_HitPoints));
        goblins.push_back(g);
        return g;
    }

    Rat* PlaceRat(CreatureWorld_Zone zone, unsigned int ref, unsigned int limit, int hitPoints)
    {
        Need<Rat>();
        Rat* r = PlaceEnemy(new Rat(map, CreatureWorld_Ref(zone, ref), CreatureWorld_Ref(zone, limit), hitPoints));
        rats.push_back(r);
        return r;
    }

    void BuildZone(CreatureWorld_Zone zone)
    {
        switch (zone)
        {
        case CreatureZone_GoblinWall:
            wallGoblin = PlaceGoblin(zone, GoblinWallRef_Goblin, GoblinWallRef_Left, GoblinWallRef_Right);
            break;
        case CreatureZone_GoblinTurn:
            turnGoblin = PlaceGoblin(zone, GoblinTurnRef_Goblin, GoblinTurnRef_Left, GoblinTurnRef_Right);
            swappedGoblin =
                PlaceGoblin(zone, GoblinTurnRef_Swapped, GoblinTurnRef_SwappedLeft, GoblinTurnRef_SwappedRight);
            break;
        case CreatureZone_Rats:
            // The order of the rats' rand() draws: each rat draws its start, then its direction.
            freeRat = PlaceRat(zone, RatsRef_Free, RatsRef_FreeLimit, 1);
            blockedRat = PlaceRat(zone, RatsRef_Blocked, RatsRef_BlockedLimit, 2);
            break;
        case CreatureZone_GoblinGroup:
            groupGoblin = PlaceGoblin(zone, GoblinGroupRef_Goblin, GoblinGroupRef_Left, GoblinGroupRef_Right);
            gate = built.Own(new Creature_World_Gate(map));
            mapMove->AddObject(gate);
            break;
        case CreatureZone_Vulture:
            BuildVultureZone();
            break;
        case CreatureZone_Cactus:
            BuildCactusZone();
            break;
        case CreatureZone_Shmoo:
            break; // placed after the collision grid is built
        case CreatureZone_Spider:
            BuildSpiderZone();
            break;
        case CreatureZone_Grethyn:
            BuildGrethynZone();
            break;
        // Mozzies and wavy blobs.
        case CreatureZone_Mozzy:
            BuildMozzyZone();
            break;
        case CreatureZone_WavyBlob:
            BuildWavyBlobZone();
            break;
        // The sliding puzzle and the leak sprinkler.
        case CreatureZone_SlideyPuzzle:
            BuildSlideyPuzzleZone();
            break;
        case CreatureZone_Leak:
            sprinkler = built.Own(new Sprinkler());
            sprinkler->pos = Ref(zone, LeakRef_Point);
            break;
        // Rock-throwing goblin, splitting shmoos, imps.
        case CreatureZone_GoblinDefend:
            Need<GoblinDefend>();
            goblinDefend = PlaceEnemy(new GoblinDefend(Ref(zone, GoblinDefendRef_Goblin), GoblinDefend_HitPoints));
            break;
        case CreatureZone_SplitShmoo:
            BuildSplitShmooZone();
            break;
        case CreatureZone_Imp:
            Need<Imp>();
            for (unsigned int i = 0; i < Imp_ZoneCount; ++i)
                imps.push_back(PlaceEnemy(new Imp(map, CreatureWorld_Ref(zone, ImpRef_Imp(i)), Imp_HitPoints)));
            break;
        // Spikes, spike balls, jets, vines and push-overs.
        case CreatureZone_Spikes:
            BuildSpikesZone();
            break;
        case CreatureZone_Jets:
            BuildJetsZone();
            break;
        case CreatureZone_Vines:
            BuildVinesZone();
            break;
        case CreatureZone_PushOver:
            // Its cover must be set before the collision grid is built.
            pushOver = built.Own(new PushOver(map, PushOver_Group));
            objects->AddObject(static_cast<Object*>(pushOver));
            mapMove->AddObject(pushOver);
            break;
        // Bats and wasps.
        case CreatureZone_Bats:
            BuildBatsZone();
            break;
        case CreatureZone_Wasps:
            BuildWaspsZone();
            break;
        case CreatureZone_Count:
            break;
        }
    }

    // Creatures that look at the collision grid when they are built.
    void BuildZoneAfterCollision(CreatureWorld_Zone zone)
    {
        if (zone == CreatureZone_Shmoo)
            BuildShmooZone();
    }

    void BuildVultureZone()
    {
        CreatureWorld_Zone const z = CreatureZone_Vulture;
        Need<Vulture>();
        for (int hitPoints : {1, 3})
            vultures.push_back(PlaceEnemy(new Vulture(map, CreatureWorld_Ref(z, VultureRef_Start),
                                                      CreatureWorld_Ref(z, VultureRef_End),
                                                      CreatureWorld_Ref(z, VultureRef_Swoop), hitPoints)));
    }

    void BuildCactusZone()
    {
        CreatureWorld_Zone const z = CreatureZone_Cactus;
        Need<Cactus>();
        cacti.push_back(PlaceEnemy(new Cactus(map, CreatureWorld_Ref(z, CactusRef_Home), 2, 3)));
        cacti.push_back(PlaceEnemy(new Cactus(map, CreatureWorld_Ref(z, CactusRef_FarHome), 3, 1)));
    }

    void BuildShmooZone()
    {
        CreatureWorld_Zone const z = CreatureZone_Shmoo;
        Need<Shmoo>();
        for (unsigned int i = 0; i < Shmoo_ZoneCount; ++i)
            shmoos.push_back(PlaceEnemy(
                new Shmoo(map, CreatureWorld_Ref(z, ShmooRef_Ground(i)), CreatureWorld_Ref(z, ShmooRef_Top(i)), 1)));
    }

    void BuildSpiderZone()
    {
        CreatureWorld_Zone const z = CreatureZone_Spider;
        Need<Spider>();
        for (unsigned int i = 0; i < Spider_ZoneCount; ++i)
            spiders.push_back(PlaceEnemy(new Spider(map, CreatureWorld_Ref(z, SpiderRef_Anchor(i)), Spider_Lengths[i],
                                                    static_cast<int>(1 + i))));
    }

    // Grethyns are objects and enemies, never targets.
    void BuildGrethynZone()
    {
        CreatureWorld_Zone const z = CreatureZone_Grethyn;
        Need<Zoveduv>();
        for (unsigned int i = 0; i < Grethyn_ZoneCount; ++i)
        {
            Zoveduv* g = built.Own(new Zoveduv(map, player, CreatureWorld_Ref(z, GrethynRef_Mouth(i))));
            objects->AddObject(static_cast<Object*>(g));
            objects->AddEnemy(g);
            grethyns.push_back(g);
        }
    }

    // Mozzies and wavy blobs.
    void BuildMozzyZone()
    {
        CreatureWorld_Zone const z = CreatureZone_Mozzy;
        Need<Mozzy>();
        for (int hitPoints : {1, 2})
            mozzies.push_back(PlaceEnemy(
                new Mozzy(map, CreatureWorld_Ref(z, MozzyRef_Left), CreatureWorld_Ref(z, MozzyRef_Right), hitPoints)));
    }

    // A blob owns its arms and its path: the level owns the blob alone, and registers the four
    // arms before it.
    void BuildWavyBlobZone()
    {
        CreatureWorld_Zone const z = CreatureZone_WavyBlob;
        Need<WavyBlob>();
        PlaceWavyBlob(new WavyBlob(map, CreatureWorld_Ref(z, WavyBlobRef_Coloured), true, 2, 1));
        PlaceWavyBlob(new WavyBlob(map, CreatureWorld_Ref(z, WavyBlobRef_Grey), false, 1, 1));
        WavyBlob* moving = new WavyBlob(map, CreatureWorld_Ref(z, WavyBlobRef_Moving), false, 1, 2);
        moving->AssociatePath(new Path_Round(Pointf(0.0, 0.0), WavyBlob_RoundWidth, WavyBlob_RoundHeight, 1.0, false));
        PlaceWavyBlob(moving);
    }

    void PlaceWavyBlob(WavyBlob* blob)
    {
        built.Own(blob);
        for (int i = 0; i < WavyBlob_Arm_Count; ++i)
        {
            WavyArm* arm = blob->GetArm(i);
            objects->AddObject(static_cast<Object*>(arm));
            objects->AddTarget(arm);
            objects->AddEnemy(arm);
        }
        objects->AddObject(static_cast<Object*>(blob));
        objects->AddTarget(blob);
        objects->AddEnemy(blob);
        wavyBlobs.push_back(blob);
    }

    // The sliding puzzle and the leak sprinkler.
    void BuildSlideyPuzzleZone()
    {
        CreatureWorld_Zone const z = CreatureZone_SlideyPuzzle;
        slideyPuzzle = built.Own(new Slidey_Puzzle(player, message, map, CreatureWorld_Ref(z, SlideyPuzzleRef_Place0),
                                                   "gfx/treevillage/slideypuzzle", SlideyPuzzle_Gap, false));
        objects->AddObject(slideyPuzzle);
        for (int i = 0; i < Slidey_Puzzle_Segments; ++i)
            objects->AddObject(slideyPuzzle->GetTile(i));
    }

    // Spikes, spike balls, jets, vines and push-overs: objects and enemies, vines objects, targets
    // and things to hang on.
    template <class Kind>
    Kind* PlaceHazard(Kind* hazard)
    {
        built.Own(hazard);
        objects->AddObject(static_cast<Object*>(hazard));
        objects->AddEnemy(hazard);
        return hazard;
    }

    void BuildSpikesZone()
    {
        CreatureWorld_Zone const z = CreatureZone_Spikes;
        Need<Spikes>();
        Need<SpikeBall>();
        spikes.push_back(PlaceHazard(new Spikes(map, CreatureWorld_Ref(z, SpikesRef_Row), 0, Spikes_RowCount)));
        spikes.push_back(PlaceHazard(new Spikes(map, CreatureWorld_Ref(z, SpikesRef_RandomRow), -1, Spikes_RowCount)));
        spikes.push_back(PlaceHazard(new Spikes(map, CreatureWorld_Ref(z, SpikesRef_BigRow), 0, Spikes_RowCount)));
        spikes.back()->SetScale(2.0);
        Pointf const still = Ref(z, SpikesRef_StillBall);
        spikeBalls.push_back(PlaceHazard(new SpikeBall(new Path_None(still))));
        Pointf const swing = Ref(z, SpikesRef_SwingBall);
        spikeBalls.push_back(
            PlaceHazard(new SpikeBall(new Path_Sine(swing, Spikes_SwingAmplitude, Spikes_SwingSpeed, true, false, 0))));
    }

    void BuildJetsZone()
    {
        CreatureWorld_Zone const z = CreatureZone_Jets;
        Need<Jet>();
        unsigned int const refs[Jets_Count] = {JetsRef_Up, JetsRef_Down, JetsRef_Left, JetsRef_Right};
        Direction const directions[Jets_Count] = {Direction_Up, Direction_Down, Direction_Left, Direction_Right};
        for (int i = 0; i < Jets_Count; ++i)
            jets.push_back(PlaceHazard(new Jet(player, Ref(z, refs[i]), directions[i], Jets_Sizes[i],
                                               Jet::Jet_Wait_Duration, Jet::Jet_Fire_Duration, Jets_Phases[i])));
    }

    void BuildVinesZone()
    {
        CreatureWorld_Zone const z = CreatureZone_Vines;
        Need<Vine>();
        for (unsigned int i = 0; i < Vines_Count; ++i)
        {
            Vine* v = built.Own(new Vine(map, CreatureWorld_Ref(z, VineRef(i, 0)), CreatureWorld_Ref(z, VineRef(i, 1)),
                                         CreatureWorld_Ref(z, VineRef(i, 2)), CreatureWorld_Ref(z, VineRef(i, 3))));
            objects->AddObject(static_cast<Object*>(v));
            objects->AddTarget(v);
            objects->AddHangOn(v);
            vines.push_back(v);
        }
    }

    // Rock-throwing goblin, splitting shmoos, imps.
    // The level registers the blobs only; the splitting shmoo owns and deletes them.
    void BuildSplitShmooZone()
    {
        CreatureWorld_Zone const z = CreatureZone_SplitShmoo;
        Need<ShmooInst>();
        splitShmoos.push_back(
            built.Own(new SplitShmoo(map, CreatureWorld_Ref(z, SplitShmooRef_Wide), SplitShmoo_WideRange, 1.0)));
        splitShmoos.push_back(built.Own(new SplitShmoo(map, CreatureWorld_Ref(z, SplitShmooRef_Home), 0.0, 1.0)));
        for (SplitShmoo* s : splitShmoos)
            for (int i = 0; i < SplitShmoo::Shmoo_Total_Count; ++i)
            {
                ShmooInst* blob = s->GetShmoo(i);
                objects->AddObject(static_cast<Object*>(blob));
                objects->AddEnemy(blob);
                objects->AddTarget(blob);
            }
    }

    // Bats and wasps. The paths are built first so that they go after the bats flying them; the
    // flocks are moved before their bats, so that a bat woken at the tick of its flock's wake
    // shows it at that very tick.
    void BuildBatsZone()
    {
        CreatureWorld_Zone const z = CreatureZone_Bats;
        batPathA = built.Own(new Bat_Path());
        batPathA->AddSections(map, CreatureWorld_Ref(z, BatsRef_PathA), Bat_PathAWaypoints);
        batPathA->ClosePath();
        batPathB = built.Own(new Bat_Path());
        batPathB->AddSections(map, CreatureWorld_Ref(z, BatsRef_PathB), Bat_PathBWaypoints);
        batPathB->AddPath(batPathA);
        batPathB->ClosePath();

        batFlock = built.Own(new Bat_Group(player, Ref(z, BatsRef_FlockCentre), Bats_FlockRadius));
        loneFlock = built.Own(new Bat_Group(player, Ref(z, BatsRef_LoneCentre), Bats_LoneRadius));
        objects->AddObject(batFlock);
        objects->AddObject(loneFlock);
        Need<Bat>();
        for (unsigned int i = 0; i < Bat_FlockSize; ++i)
        {
            Bat_Path const* path = i % 2 == 0 ? batPathB : batPathA;
            Bat* bat = PlaceEnemy(new Bat(map, CreatureWorld_Ref(z, BatsRef_Roost + i), path, batFlock, Bat_HitPoints));
            batFlock->AddBat(bat);
            bats.push_back(bat);
        }
        Bat* lone = PlaceEnemy(new Bat(map, CreatureWorld_Ref(z, BatsRef_LoneRoost), batPathA, loneFlock, 1));
        loneFlock->AddBat(lone);
        bats.push_back(lone);
    }

    void BuildWaspsZone()
    {
        CreatureWorld_Zone const z = CreatureZone_Wasps;
        Need<Wasp>();
        struct Placed
        {
            unsigned int a;
            unsigned int b;
            int hitPoints;
            double scale;
        };
        Placed const placed[] = {{WaspsRef_A, WaspsRef_B, 1, 1.0},
                                 {WaspsRef_BigA, WaspsRef_BigB, 3, 2.0},
                                 {WaspsRef_TinyA, WaspsRef_TinyB, 1, 0.0625},
                                 {WaspsRef_Hover, WaspsRef_Hover, 2, 1.0}};
        for (Placed const& p : placed)
            wasps.push_back(
                PlaceEnemy(new Wasp(map, CreatureWorld_Ref(z, p.a), CreatureWorld_Ref(z, p.b), p.hitPoints, p.scale)));
    }

    std::vector<CreatureWorld_Zone> zones;
    std::vector<std::type_index> initialised; // kinds whose Initialise ran
    Pointf cameraCentre;                      // the fixed view
};
