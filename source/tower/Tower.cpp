// Tower: builds the tower from its map and wires its objects; its camera zones, messages and exits.
#include "tower/Tower.h"

#include "creatures/Shmoo.h"
#include "creatures/Spider.h"
#include "creatures/SpikeBall.h"
#include "creatures/Spikes.h"
#include "creatures/SplitShmoo.h"
#include "creatures/Wasp.h"
#include "engine/Chest.h"
#include "engine/Door.h"
#include "engine/GameEvents.h"
#include "engine/Hit_Target.h"
#include "engine/KillZone.h"
#include "engine/Map.h"
#include "engine/Message.h"
#include "engine/ObjectList.h"
#include "engine/Path.h"
#include "engine/PickUp.h"
#include "engine/Player.h"
#include "engine/Switch.h"
#include "tower/Tower_CanDo.h"
#include "tower/Tower_MapMove.h"
#include "tower/Tower_Scaler.h"
#include "tower/Tower_Scales.h"
#include "util/Util.h"

#include <cassert>
#include <memory>

namespace
{

constexpr char const* imagemap = "tower/imagemap";
constexpr char const* mapfile = "tower/map";
constexpr char const* Tower_Music = "music/tower.mp3";
constexpr int Tower_GemRow = Level_Tower - 1; // of the saved level flags
constexpr int Tower_Wasp_HitPoints = 12;
constexpr int Tower_Spider_HitPoints = 6;
constexpr int Tower_Shmoo_HitPoints = 12;
constexpr double Tower_Spider_Threads[Tower_Spider_Count] = {150.0, 180.0, 200.0};
constexpr int Tower_ChestPuzzles[Tower_Chest_Count] = {4, 14};
constexpr int Tower_ChestGems[Tower_Chest_Count] = {0, 3}; // the pick-ups the chests hold

// Bobbing targets rest at their first point this long and at their second point the rest of a cycle.
constexpr Tick Tower_BobTicksA = 100;
constexpr Tick Tower_BobTicksB = 200;

// The ring of anti-targets round the ringed target.
constexpr double Tower_Ring[6][2] = {{-30.0, 0.0}, {-15.0, 26.0}, {15.0, 26.0},
                                     {30.0, 0.0},  {15.0, -26.0}, {-15.0, -26.0}};

// Which hit targets go down together to open a door: the first and the last.
struct TargetRun
{
    int first;
    int last;
};

Pointf const Tower_Overview(2600.0, 10000.0);
Pointf const Tower_FootView(0.0, 1400.0);
constexpr double Tower_FootZoom = 0.18;
constexpr int Tower_FootZone = 1;
constexpr int Tower_ScalesZone = 15;
constexpr int Tower_SmallZone = 21; // only for a player smaller than a quarter
constexpr double Tower_SmallZoneScale = 0.25;

constexpr GameEvent Event_ScalesRefused = 11; // the scales' refusal has been explained
constexpr GameEvent Event_ScalesHint = 41;    // the scales hint has been given
constexpr int Tower_MessageTime = 200;

// One camera zone: its rectangle (from inclusive, to exclusive, each within the float tolerance)
// and the shot it sets.
struct CameraZone
{
    int zone;
    double x0, x1, y0, y1;
    Pointf centre;
    CameraMove centreMove;
    double zoom;
    CameraMove zoomMove;
};

constexpr CameraMove Ease8 = CameraMove_Ease8;
constexpr CameraMove Ease4 = CameraMove_Ease4;

// Tested in this order; the first that holds is taken. The overview spot and zones 1 and 0 have
// rules of their own (in Poll).
CameraZone const Tower_Zones[] = {
    {39, 5600, 7650, 2600, 3970, {6710, 3090}, Ease4, 0.28, Ease8},
    {38, 5310, 6600, 3970, 4900, {5950, 4470}, Ease8, 0.47, Ease8},
    {37, 4430, 5310, 4000, 4800, {4890, 4380}, Ease8, 0.7, Ease8},
    {36, 3600, 4430, 4300, 5000, {4035, 4600}, Ease8, 0.7, Ease8},
    {35, 2800, 3600, 4300, 5000, {3240, 4620}, Ease8, 0.7, Ease8},
    {34, 2100, 2850, 4500, 5000, {2500, 4700}, Ease8, 0.7, Ease8},
    {33, 1350, 2100, 4500, 5000, {1780, 4700}, Ease8, 0.7, Ease8},
    {32, 540, 1350, 4500, 5000, {1000, 4700}, Ease8, 0.7, Ease8},
    {31, -200, 540, 4500, 5000, {240, 4700}, Ease8, 0.7, Ease8},
    {30, -800, -200, 4200, 5000, {-525, 4600}, Ease8, 0.65, Ease8},
    {29, -800, -400, 3720, 4200, {-525, 4100}, Ease8, 0.65, Ease8},
    {28, -800, -400, 3300, 3720, {-630, 3610}, Ease8, 0.8, Ease8},
    {27, -400, 500, 3300, 3700, {0, 3500}, Ease8, 0.65, Ease8},
    {26, 500, 1400, 3100, 3700, {920, 3440}, Ease8, 0.65, Ease8},
    {21, 1445, 1481, 2820, 2849.5, {1461, 2835}, Ease8, 15, Ease8},
    {24, 1110, 1127, 2865, 2880, {1119, 2872}, Ease4, 40, Ease8},
    {23, 1100, 1360, 2840, 2950, {1230, 2895}, Ease8, 2.3, Ease4},
    {22, 1360, 1480, 2820, 2930, {1406, 2872}, Ease8, 4.3, Ease8},
    {20, 1481, 1516, 2820, 2849.5, {1498, 2833}, Ease8, 17, Ease8},
    {19, 1516, 1551.5, 2820, 2840, {1533, 2828}, Ease8, 17, Ease8},
    {18, 1551.5, 1612, 2810, 2850, {1580, 2832}, Ease8, 10, Ease8},
    {17, 1495, 1598, 2870, 2940, {1547, 2905}, Ease8, 6, Ease8},
    {16, 1598, 1730, 2770, 2910, {1662, 2840}, Ease8, 3.5, Ease8},
    {15, 1730, 1980, 2700, 2800, {1850, 2770}, Ease8, 2.5, Ease8},
    {14, 1980, 2130, 2660, 2765, {2045, 2715}, Ease4, 3.4, Ease8},
    {25, 1400, 1980, 2930, 3300, {1645, 3050}, Ease8, 0.95, Ease8},
    {13, 1980, 2800, 1900, 3200, {2750, 2500}, Ease8, 0.35, Ease8},
    {12, 1900, 2800, 1220, 1900, {2530, 1700}, Ease8, 0.5, Ease8},
    {11, 5930, 5960, 680, 700, {5915, 674}, Ease8, 6.5, Ease8},
    {10, 5920, 6010, 680, 800, {5972, 735}, Ease8, 4, Ease8},
    {9, 6010, 6127, 690, 800, {6077, 740}, Ease8, 4.4, Ease8},
    {8, 6127, 6247, 730, 750, {6188, 735}, Ease8, 5.3, Ease8},
    {7, 6100, 6600, 720, 1100, {6320, 900}, Ease8, 1.2, Ease8},
    {6, 5500, 7000, 400, 1600, {6160, 990}, Ease8, 0.34, Ease8},
    {5, 3500, 5500, 200, 1600, {4470, 900}, Ease8, 0.3, Ease8},
    {4, 2050, 3500, 200, 1220, {2740, 750}, Ease8, 0.42, Ease8},
    {3, 730, 2050, 200, 1300, {1400, 750}, Ease8, 0.44, Ease8},
    {2, -320, 730, 220, 350, {200, 270}, Ease8, 0.58, Ease8},
};
// The overview spot, which shows the whole tower while its budget lasts, and zone 1 at the foot.
constexpr double Tower_Spot[4] = {6568, 6766, 2665, 2700};
constexpr double Tower_Foot[4] = {-1600, 1000, 0, 2200};

// lo <= v < hi, a value within the float tolerance of a bound counting as on it.
bool Within(double v, double lo, double hi)
{
    return v >= lo - Util::Eps && v < hi - Util::Eps;
}

bool Inside(Pointf p, double x0, double x1, double y0, double y1)
{
    return Within(p.x, x0, x1) && Within(p.y, y0, y1);
}

} // namespace

// Everything the tower places, freed in a fixed order: the objects, the shared pictures of each
// kind that was readied, then the hint panel and the driver. It goes on the level's build list
// once the player stands, so that a build that fails part-way frees the same.
struct Tower::Parts
{
    enum Kind
    {
        Kind_ShmooInst,
        Kind_Shmoo,
        Kind_Spider,
        Kind_Chest,
        Kind_PickUp,
        Kind_HitTarget,
        Kind_Wasp,
        Kind_SpikeBall,
        Kind_Spikes,
        Kind_Count
    };

    Parts() = default;
    Parts(Parts const&) = delete;
    Parts& operator=(Parts const&) = delete;

    ~Parts()
    {
        DeleteAll(splitShmoos);
        DeleteAll(shmoos);
        DeleteAll(spiders);
        DeleteAll(chests);
        DeleteAll(pickUps);
        delete scales;
        DeleteAll(doors);
        DeleteAll(targetPaths);
        DeleteAll(hitTargets);
        DeleteAll(wasps);
        DeleteAll(killZones);
        DeleteAll(spikeBalls);
        DeleteAll(spikes);
        DeleteAll(scalers);
        DeleteAll(switches);
        constexpr void (*finalisers[Kind_Count])() = {&ShmooInst::Finalise, &Shmoo::Finalise,     &Spider::Finalise,
                                                      &Chest::Finalise,     &PickUp::Finalise,    &Hit_Target::Finalise,
                                                      &Wasp::Finalise,      &SpikeBall::Finalise, &Spikes::Finalise};
        for (int k = 0; k < Kind_Count; k++)
            if (readied[k])
                finalisers[k]();
        delete canDo;
        delete driver;
    }

    template <class T, int N>
    static void DeleteAll(T* (&items)[N])
    {
        for (T*& item : items)
        {
            delete item;
            item = nullptr;
        }
    }

    // Marked before the kind's initialiser runs, so that one that fails part-way is finalised.
    void Ready(Kind kind, void (*initialise)())
    {
        readied[kind] = true;
        initialise();
    }

    Switch* switches[Tower_Switch_Count] = {};
    Tower_Scaler* scalers[Tower_Scaler_Count] = {};
    Spikes* spikes[Tower_Spikes_Count] = {};
    SpikeBall* spikeBalls[Tower_SpikeBall_Count] = {};
    KillZone* killZones[Tower_KillZone_Count] = {};
    Wasp* wasps[Tower_Wasp_Count] = {};
    Door* doors[Tower_Door_Count] = {};
    Tower_Scales* scales = nullptr;
    Shmoo* shmoos[Tower_Shmoo_Count] = {};
    SplitShmoo* splitShmoos[Tower_SplitShmoo_Count] = {};
    Hit_Target* hitTargets[Tower_HitTarget_Count] = {};
    PickUp* pickUps[Tower_PickUp_Count] = {};
    Chest* chests[Tower_Chest_Count] = {};
    Spider* spiders[Tower_Spider_Count] = {};
    Path* targetPaths[Tower_TargetPath_Count] = {}; // the track, then the bobbing paths
    Tower_CanDo* canDo = nullptr;
    Tower_MapMove* driver = nullptr;
    bool readied[Kind_Count] = {};
};

Tower::Tower(GameEvents* events) : World_Base(events, Tower_GemRow)
{
    LoadMap(imagemap, mapfile);
    map->RequireGroup(Tower_Group_HiddenFar);
    map->RequireGroup(Tower_Group_HiddenNear);

    // The first frame shows the whole tower, with the giant somewhere at its foot.
    map->MoveMap(&Tower_Overview, CameraMove_Jump);
    map->ScaleMap(Tower_OverviewZoom, CameraMove_Jump);
    Pointf const start = map->GetRefPoint(Tower_Rp_Start);
    player = built.Own(new Player(map, objects, gameEvents, sounds, &start, Tower_StartScale));
    player->SetCameraPos(&Tower_Overview, CameraMove_Jump, 0);
    player->SetCameraScale(Tower_OverviewZoom, CameraMove_Jump);

    parts = built.Own(new Parts());
    // Its covers go into the map before any group is placed in the collision grid.
    for (unsigned int group = Tower_Group_FirstCar; group <= Tower_Group_LastCar; group++)
        map->RequireGroup(group);
    for (unsigned int group : {Tower_Group_OverSpikes, Tower_Group_Swing, Tower_Group_OverSpikes2})
        map->RequireGroup(group);
    parts->driver = new Tower_MapMove(map, objects);
    mapMove = parts->driver;

    BuildSwitchesAndZones();
    BuildHazards();
    BuildTargets();
    BuildDoors();

    map->RequireGroup(Scales_Scales_Group);
    map->RequireGroup(Scales_Lift_Group);
    parts->scales = new Tower_Scales(map, player);
    objects->AddObject(parts->scales);
    mapMove->AddObject(parts->scales);

    BuildPickUps();
    BuildCreatures();

    parts->canDo = new Tower_CanDo(player, map, font, gameEvents);
    canDo = parts->canDo;
    PlayMusic(Tower_Music);
}

Tower::~Tower() = default;

void Tower::BuildSwitchesAndZones()
{
    for (int i = 0; i < Tower_Switch_Count; i++)
    {
        map->RequireGroup(Tower_Switches[i].group);
        parts->switches[i] = new Switch(player, map, Tower_Switches[i].group, Tower_Switches[i].scale);
    }
    for (Switch* plate : parts->switches)
    {
        objects->AddObject(static_cast<Object*>(plate));
        mapMove->AddObject(plate);
    }

    for (int i = 0; i < Tower_Scaler_Count; i++)
    {
        Tower_ScalerIds const& zone = Tower_Scalers[i];
        parts->scalers[i] = new Tower_Scaler(map->GetRefPoint(zone.ref), zone.zoneScale, zone.playerScale, player);
    }
    for (Tower_Scaler* zone : parts->scalers)
        objects->AddObject(zone);
}

void Tower::BuildHazards()
{
    parts->Ready(Parts::Kind_Spikes, &Spikes::Initialise);
    for (int i = 0; i < Tower_Spikes_Count; i++)
    {
        Tower_SpikesIds const& row = Tower_SpikeRows[i];
        parts->spikes[i] = new Spikes(map, row.ref, -1, row.count);
        if (row.setScale > 0.0)
            parts->spikes[i]->SetScale(row.setScale);
    }
    for (Spikes* row : parts->spikes)
    {
        objects->AddObject(row);
        objects->AddEnemy(row);
    }

    parts->Ready(Parts::Kind_SpikeBall, &SpikeBall::Initialise);
    for (int i = 0; i < Tower_SpikeBall_Count; i++)
    {
        Tower_BallIds const& ball = Tower_Balls[i];
        Pointf const at = map->GetRefPoint(ball.ref);
        std::unique_ptr<Path> path;
        if (ball.moves)
            path =
                std::make_unique<Path_Sine>(at, ball.amplitude, ball.speed, ball.horizontal, ball.vertical, ball.phase);
        else
            path = std::make_unique<Path_None>(at);
        parts->spikeBalls[i] = new SpikeBall(path.get());
        path.release(); // the ball owns it now
    }
    for (SpikeBall* ball : parts->spikeBalls)
    {
        objects->AddObject(ball);
        objects->AddEnemy(ball);
    }

    for (int i = 0; i < Tower_KillZone_Count; i++)
        parts->killZones[i] = new KillZone(map, Tower_KillZones[i][0], Tower_KillZones[i][1]);
    for (KillZone* zone : parts->killZones)
        objects->AddEnemy(zone);

    parts->Ready(Parts::Kind_Wasp, &Wasp::Initialise);
    for (int i = 0; i < Tower_Wasp_Count; i++)
    {
        Tower_WaspIds const& wasp = Tower_Wasps[i];
        parts->wasps[i] = new Wasp(map, wasp.a, wasp.b, Tower_Wasp_HitPoints, wasp.scale);
    }
    for (Wasp* wasp : parts->wasps)
        AddFoe(wasp);
}

void Tower::BuildTargets()
{
    parts->Ready(Parts::Kind_HitTarget, &Hit_Target::Initialise);
    Hit_Target** targets = parts->hitTargets;
    Pointf const origin(0.0, 0.0);

    targets[0] = new Hit_Target(map->GetRefPoint(Tower_Rp_SmallTarget), Hit_Target_Normal, false, 0.0625);
    for (int i = 1; i <= 6; i++)
        targets[i] = new Hit_Target(origin, Hit_Target_Normal, false, 1.0);
    for (int i = 7; i <= 12; i++)
        targets[i] = new Hit_Target(origin, Hit_Target_Anti, true, 1.0);
    Path* track = parts->targetPaths[0] = new Path_Round(map->GetRefPoint(Tower_Rp_Track), Target_Path_Width,
                                                         Target_Path_Height, Target_Path_Speed, false);
    // Every anti-target on the track stands every target on it up again.
    for (int i = 1; i <= 6; i++)
        for (int k = 7; k <= 12; k++)
            targets[i]->AddBlockTarget(targets[k]);

    Pointf const ringed = map->GetRefPoint(Tower_Rp_RingedTarget);
    targets[13] = new Hit_Target(ringed, Hit_Target_Normal, false, 2.0);
    for (int k = 0; k < 6; k++)
        targets[14 + k] =
            new Hit_Target(ringed + Pointf(Tower_Ring[k][0], Tower_Ring[k][1]), Hit_Target_Anti, true, 2.0);
    for (int k = 14; k <= 19; k++)
        targets[13]->AddBlockTarget(targets[k]);

    for (int k = 0; k < Tower_Bob_Count; k++)
    {
        targets[20 + k] = new Hit_Target(origin, Hit_Target_Normal, false, 2.0);
        Path* bob = parts->targetPaths[1 + k] =
            new Path_Bob(map->GetRefPoint(Tower_Bobs[k][0]), map->GetRefPoint(Tower_Bobs[k][1]), Tower_BobTicksA,
                         Tower_BobTicksB, -1);
        targets[20 + k]->SetPath(bob, 0);
    }

    // The track targets take their places and enter the list in the order of their slots.
    for (int i = 0; i < Tower_HitTarget_Count; i++)
    {
        Hit_Target* registered = targets[i];
        if (i >= 1 && i <= Tower_TrackTarget_Count)
        {
            targets[i]->SetPath(track, Target_Positions[i - 1] * Target_Path_Time / Tower_TrackTarget_Count);
            registered = targets[Target_InvPositions[i - 1] + 1];
        }
        objects->AddObject(static_cast<Object*>(registered));
        objects->AddTarget(registered);
    }
}

void Tower::BuildDoors()
{
    Switch* const* plates = parts->switches;
    Hit_Target* const* targets = parts->hitTargets;
    for (int i = 0; i < Tower_Door_Count; i++)
    {
        Tower_DoorIds const& ids = Tower_Doors[i];
        Door* door = parts->doors[i] =
            new Door(map, ids.group, ids.distance, static_cast<Direction>(ids.direction), ids.speed);
        switch (i)
        {
        case 7:
            door->AddActivator(targets[0]);
            break;
        case 8:
        case 9:
        case 10:
            door->AddActivator(plates[i - 1]);
            break;
        case 11:
            for (int k = 1; k <= 6; k++)
                door->AddActivator(targets[k]);
            break;
        case 12:
            door->AddActivator(plates[10]);
            break;
        case 13:
            door->AddActivator(targets[13]);
            break;
        case 14:
        case 15:
        {
            TargetRun const run = i == 14 ? TargetRun{20, 25} : TargetRun{26, 33};
            for (int k = run.first; k <= run.last; k++)
                door->AddActivator(targets[k]);
            break;
        }
        case 16:
        case 17:
            door->AddActivator(plates[11]);
            break;
        default: // doors 0 to 6 each open with the switch of their number
            door->AddActivator(plates[i]);
            break;
        }
    }
    for (Door* door : parts->doors)
        mapMove->AddObject(door);
}

void Tower::BuildPickUps()
{
    parts->Ready(Parts::Kind_PickUp, [] { PickUp::Initialise(PickUp_Gem); });
    PickUp::Initialise(PickUp_Heart);
    struct PickUpPlace
    {
        PickUp_Type type;
        double scale;
        int slot; // of the tower's row of gem flags; -1 for a heart
    };
    constexpr PickUpPlace places[Tower_PickUp_Count] = {
        {PickUp_Gem, 0.0625, 0}, {PickUp_Heart, 1.0, -1}, {PickUp_Heart, 1.0, -1}, {PickUp_Gem, 0.03125, 1}};
    for (int i = 0; i < Tower_PickUp_Count; i++)
    {
        PickUpPlace const& place = places[i];
        bool const gem = place.type == PickUp_Gem;
        PickUp* pickUp = parts->pickUps[i] =
            new PickUp(map->GetRefPoint(Tower_Rp_PickUps[i]), place.type, gem, place.scale);
        if (gem)
        {
            pickUp->level = GetGemRow();
            pickUp->slot = place.slot;
        }
    }
    for (PickUp* pickUp : parts->pickUps)
        objects->AddObject(pickUp);

    // A gem taken on an earlier visit leaves its chest unbuilt: the gem stays hidden for good.
    parts->Ready(Parts::Kind_Chest, &Chest::Initialise);
    for (int i = 0; i < Tower_Chest_Count; i++)
    {
        PickUp* gem = parts->pickUps[Tower_ChestGems[i]];
        if (gameEvents->levelFlags[GetGemRow()][gem->slot] == 0)
            parts->chests[i] = new Chest(gem->GetPos(), Tower_ChestPuzzles[i], gem, places[Tower_ChestGems[i]].scale);
    }
    for (Chest* chest : parts->chests)
        if (chest != nullptr)
            objects->AddObject(chest);
    UseGridPuzzle();
}

void Tower::BuildCreatures()
{
    parts->Ready(Parts::Kind_Spider, &Spider::Initialise);
    for (int i = 0; i < Tower_Spider_Count; i++)
        parts->spiders[i] = new Spider(map, Tower_Rp_Spiders[i], Tower_Spider_Threads[i], Tower_Spider_HitPoints);
    for (Spider* spider : parts->spiders)
        AddFoe(spider);

    // The blobs settle onto the ground as they are built, through the collision grid.
    map->PreprocessCollision();

    parts->Ready(Parts::Kind_Shmoo, &Shmoo::Initialise);
    for (int i = 0; i < Tower_Shmoo_Count; i++)
        parts->shmoos[i] = new Shmoo(map, Tower_Rp_Shmoos[i], Tower_Rp_HoppingTop, Tower_Shmoo_HitPoints);
    for (Shmoo* shmoo : parts->shmoos)
        AddFoe(shmoo);

    parts->Ready(Parts::Kind_ShmooInst, &ShmooInst::Initialise);
    for (int i = 0; i < Tower_SplitShmoo_Count; i++)
    {
        Tower_SplitIds const& split = Tower_Splits[i];
        parts->splitShmoos[i] = new SplitShmoo(map, split.ref, split.range, split.scale);
    }
    for (SplitShmoo* split : parts->splitShmoos)
        for (int k = 0; k < SplitShmoo::Shmoo_Total_Count; k++)
            AddFoe(split->GetShmoo(k));
}

void Tower::Plot()
{
    Level::Plot(Level_Plot_Back | Level_Plot_Objects | Level_Plot_Player);
    Level::Plot(Level_Plot_Fore | Level_Plot_ObjectsFore | Level_Plot_Hud | Level_Plot_Panel | Level_Plot_Tint);
}

Level_Action Tower::Poll(KeyData keys)
{
    int const noted = cameraZone;
    Pointf const p = player->GetPos();
    double const s = player->GetScale();
    Level_Action const result = Level::Poll(keys);
    if (result != Level_Continue)
        return result;

    if (gameEvents->NotHappened(Event_ScalesRefused, 0) && parts->scales->weightRefused)
    {
        (*gameEvents)[Event_ScalesRefused] = GameEvent_HasHappened;
        message->Display("You cannot add weight to the scales now.", Tower_MessageTime);
        message->Display("The lift has to be in the current position as you are about to use it.", Tower_MessageTime);
    }

    FindCameraZone(p, s);
    zoneSteps = cameraZone != noted ? 0 : zoneSteps + 1;

    if (p.x > Tower_MainExitX + Util::Eps && player->IsPlayerDead() == 0)
        return Level_Completed;
    if (p.x < Tower_SecondExitX - Util::Eps)
        return Level_Restart;
    return Level_Continue;
}

void Tower::FindCameraZone(Pointf p, double s)
{
    if (overviewSteps > 0 && Inside(p, Tower_Spot[0], Tower_Spot[1], Tower_Spot[2], Tower_Spot[3]))
    {
        // The zone is left as it was: the step count goes on counting the zone before.
        map->hiddenGroup = Tower_Group_HiddenFar;
        player->SetCameraPos(&Tower_Overview, CameraMove_Ease8, 0);
        player->SetCameraScale(Tower_OverviewZoom, CameraMove_Ease4);
        overviewSteps--;
        return;
    }
    for (CameraZone const& zone : Tower_Zones)
    {
        if (!Inside(p, zone.x0, zone.x1, zone.y0, zone.y1))
            continue;
        if (zone.zone == Tower_SmallZone && !(s < Tower_SmallZoneScale - Util::Eps))
            continue;
        cameraZone = zone.zone;
        if (zone.zone == Tower_ScalesZone && zoneSteps == Tower_ScalesHintSteps
            && gameEvents->NotHappened(Event_ScalesHint, 0))
        {
            message->Display("You need the correct weight on the scales", Tower_MessageTime);
            (*gameEvents)[Event_ScalesHint] = GameEvent_HasHappened;
        }
        player->SetCameraPos(&zone.centre, zone.centreMove, 0);
        player->SetCameraScale(zone.zoom, zone.zoomMove);
        return;
    }
    if (Inside(p, Tower_Foot[0], Tower_Foot[1], Tower_Foot[2], Tower_Foot[3]))
    {
        // Walking in from the whole tower or from zone 2 frames the foot; from anywhere else the
        // camera keeps its shot.
        if (cameraZone == 0)
        {
            player->SetCameraPos(&Tower_FootView, CameraMove_Ease4, 0);
            player->SetCameraScale(Tower_FootZoom, CameraMove_Ease8);
        }
        else if (cameraZone == 2)
        {
            player->SetCameraPos(&Tower_FootView, CameraMove_Ease8, 0);
            player->SetCameraScale(Tower_FootZoom, CameraMove_Ease8);
        }
        cameraZone = Tower_FootZone;
        map->hiddenGroup = Tower_Group_HiddenNear;
        return;
    }
    cameraZone = 0;
    map->hiddenGroup = Tower_Group_HiddenFar;
    player->SetCameraPos(&Tower_Overview, CameraMove_Ease8, 0);
    player->SetCameraScale(Tower_OverviewZoom, CameraMove_Ease4);
}

Switch* Tower::GetSwitch(int i) const
{
    assert(i >= 0 && i < Tower_Switch_Count);
    return parts->switches[i];
}

Tower_Scaler* Tower::GetScaler(int i) const
{
    assert(i >= 0 && i < Tower_Scaler_Count);
    return parts->scalers[i];
}

Spikes* Tower::GetSpikes(int i) const
{
    assert(i >= 0 && i < Tower_Spikes_Count);
    return parts->spikes[i];
}

SpikeBall* Tower::GetSpikeBall(int i) const
{
    assert(i >= 0 && i < Tower_SpikeBall_Count);
    return parts->spikeBalls[i];
}

KillZone* Tower::GetKillZone(int i) const
{
    assert(i >= 0 && i < Tower_KillZone_Count);
    return parts->killZones[i];
}

Wasp* Tower::GetWasp(int i) const
{
    assert(i >= 0 && i < Tower_Wasp_Count);
    return parts->wasps[i];
}

Door* Tower::GetDoor(int i) const
{
    assert(i >= 0 && i < Tower_Door_Count);
    return parts->doors[i];
}

Tower_Scales* Tower::GetScales() const
{
    return parts->scales;
}

Shmoo* Tower::GetShmoo(int i) const
{
    assert(i >= 0 && i < Tower_Shmoo_Count);
    return parts->shmoos[i];
}

SplitShmoo* Tower::GetSplitShmoo(int i) const
{
    assert(i >= 0 && i < Tower_SplitShmoo_Count);
    return parts->splitShmoos[i];
}

Hit_Target* Tower::GetHitTarget(int i) const
{
    assert(i >= 0 && i < Tower_HitTarget_Count);
    return parts->hitTargets[i];
}

PickUp* Tower::GetPickUp(int i) const
{
    assert(i >= 0 && i < Tower_PickUp_Count);
    return parts->pickUps[i];
}

Chest* Tower::GetChest(int i) const
{
    assert(i >= 0 && i < Tower_Chest_Count);
    return parts->chests[i];
}

Spider* Tower::GetSpider(int i) const
{
    assert(i >= 0 && i < Tower_Spider_Count);
    return parts->spiders[i];
}

Path const* Tower::GetTargetPath(int i) const
{
    assert(i >= 0 && i < Tower_TargetPath_Count);
    return parts->targetPaths[i];
}

Tower_MapMove* Tower::GetDriver() const
{
    return parts->driver;
}

Tower_CanDo* Tower::GetCanDo() const
{
    return parts->canDo;
}
