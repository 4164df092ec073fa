// Casle: builds the castle from its map and wires its mechanisms, and runs its rooms, hints and exits.
#include "castle/Casle.h"

#include "castle/Casle_CanDo.h"
#include "castle/Casle_Dude.h"
#include "castle/Casle_Events.h"
#include "castle/Casle_Eye.h"
#include "castle/Casle_Laser.h"
#include "castle/Casle_Laser_Target.h"
#include "castle/Casle_Light.h"
#include "castle/Casle_Lights.h"
#include "castle/Casle_Machine_Switch.h"
#include "castle/Casle_MapMove.h"
#include "castle/Casle_MultiHit.h"
#include "castle/Casle_Podiums.h"
#include "castle/Casle_Swivel.h"
#include "castle/Casle_Symbols.h"
#include "creatures/PushOver.h"
#include "engine/Chest.h"
#include "engine/Collectable.h"
#include "engine/Door.h"
#include "engine/GameEvents.h"
#include "engine/Lift.h"
#include "engine/Map.h"
#include "engine/Message.h"
#include "engine/ObjectList.h"
#include "engine/PickUp.h"
#include "engine/Player.h"
#include "engine/Switch.h"
#include "media/Image.h"
#include "util/Util.h"

namespace
{

constexpr char const* imagemap = "castle/imagemap";
constexpr char const* mapfile = "castle/map";
constexpr char const* musicfile = "music/castle.mp3";
constexpr char const* objectImageFiles[Casle_Object_Image_Count] = {
    "gfx/castle/objects/cog.png", "gfx/castle/objects/mirror.png", "gfx/castle/objects/crystal.png"};

Pointf const Casle_StartView(1090.0, 3100.0);
constexpr double Casle_StartZoom = 1.5;

// The progress record's events of the step rules.
constexpr int Casle_Event_RefusalExplained = 9; // shared with another world that explains the same
constexpr int Casle_Event_MirrorHint = 10;
constexpr int Casle_MessageSteps = 200;

// Where the camera looks in each room, by the room table's rectangles.
struct Casle_Camera
{
    double x, y;
    Player_Camera_Flags flags; // 1: x follows the player; 6: y follows him, raised
    double zoom;
};
constexpr Player_Camera_Flags FollowX = Player_Camera_FollowX;
constexpr Player_Camera_Flags FollowYRaised = 6;
constexpr Casle_Camera Casle_Cameras[Casle_RoomRect_Count] = {
    {1090, 3100, 0, 1.5},          {1520, 3100, 0, 1.5},    {2060, 3280, 0, 1.0},  {1470, 3455, 0, 1.3},
    {1450, 3900, 0, 1.0},          {780, 3875, 0, 0.8},     {40, 4000, 0, 0.9},    {-450, 3965, 0, 1.6},
    {940, 3500, 0, 1.1},           {3050, 3600, 0, 0.9},    {2555, 3885, 0, 1.0},  {0, 4850, FollowX, 0.9},
    {1980, 0, FollowYRaised, 1.2}, {2720, 4550, 0, 1.0},    {3060, 4140, 0, 0.85}, {3260, 5300, 0, 0.9},
    {2710, 5500, 0, 1.2},          {2340, 5575, 0, 1.3},    {1757, 5632, 0, 1.0},  {4185, 4780, 0, 1.2},
    {4720, 4780, 0, 1.0},          {4300, 5150, 0, 1.2},    {4780, 5400, 0, 1.2},  {5235, 5370, 0, 1.2},
    {5625, 5370, 0, 1.2},          {6090, 5380, 0, 1.2},    {6460, 5280, 0, 2.4},  {6730, 5420, 0, 0.9},
    {7260, 5450, 0, 2.0},          {4220, 4300, 0, 1.2},    {3808, 4250, 0, 1.8},  {3548, 4200, 0, 2.4},
    {5350, 4700, 0, 0.9},          {5350, 4700, 0, 0.9},    {5770, 4342, 0, 1.05}, {4720, 4275, 0, 1.1},
    {5240, 4200, 0, 1.25},         {0, 4675, FollowX, 2.2}, {6195, 4535, 0, 1.2},
};
Casle_Camera const Casle_TopCamera = {0, 6910, FollowX, 1.4};

// A hint given once, when the player has stayed in its room for its count of steps.
struct Casle_Hint
{
    int room;
    int steps;
    int event;
    char const* lines[2];
    int showSteps;
};
constexpr Casle_Hint Casle_Hints[] = {
    {4, 1500, 34, {"Shoot the lights to change them", nullptr}, 200},
    {5, 3000, 35, {"To get the cog, go back in time to before you hit the platform over", nullptr}, 200},
    {9, 6000, 38, {"You'll need to hit all lights at roughly the same time", nullptr}, 250},
    {17, 3000, 36, {"You have to distract the eyes to stand on the switch", nullptr}, 200},
    {18,
     9000,
     37,
     {"Try and think what you'll be doing when you go back in time",
      "as you operate the switches.  Imagine where you will be moving."},
     250},
    {20, 2000, 40, {"You need to find the correct symbols which activate the door", nullptr}, 250},
    {21, 3000, 39, {"Think about how you could time travel to be on the top platform", nullptr}, 250},
};
constexpr double Casle_HintCrystalX = 1800.0; // the crystal of room 18 still lies on its side of this

// v below bound, a value within the tolerance of the bound counting as the bound.
bool Below(double v, double bound)
{
    return v < bound && !Util::Equal(v, bound);
}

} // namespace

bool Casle_InArea(Pointf p, double x0, double x1, double y0, double y1)
{
    return !Below(p.x, x0) && Below(p.x, x1) && !Below(p.y, y0) && Below(p.y, y1);
}

Casle::Casle(GameEvents* gameEventsIn) : World_Base(gameEventsIn, Casle_GemRow)
{
    // The undo steps touch this world's fields, so they run here, while the fields live.
    try
    {
        Build();
    }
    catch (...)
    {
        chestPuzzle.reset();
        FreeObjects();
        built.Clear();
        throw;
    }
}

Casle::~Casle()
{
    chestPuzzle.reset();
    FreeObjects();
    built.Clear();
}

void Casle::Build()
{
    LoadMap(imagemap, mapfile);
    PlacePlayer(Casle_Rp_Start);
    player->SetCameraPos(&Casle_StartView, CameraMove_Jump, 0);
    player->SetCameraScale(Casle_StartZoom, CameraMove_Jump);

    events = built.Own(new Casle_Events(gameEvents, message));
    events->player = player;
    events->map = map;
    player->levelEvents = events;

    for (Casle_GroupId group : Casle_MoverGroups)
        map->RequireGroup(group);
    driver = built.Own(new Casle_MapMove(map, objects));
    mapMove = driver;
    // The hint panel is made last but freed after the finalisers, before the group driver.
    built.Undo([this] {
        canDo = nullptr;
        delete hints;
        hints = nullptr;
    });

    if (gameEvents->Happened(Casle_Event_FeePaid, 0))
        map->MoveGroup(Casle_EntranceGroup, 0.0, Casle_EntranceRise);

    for (int i = 0; i < Casle_Object_Image_Count; i++)
        objectImages[i] = new Image(objectImageFiles[i], Image_Mask | Image_PadY, false);
    Collectable::Initialise(timeFrames);
    for (int i = 0; i < Casle_Object_Count; i++)
    {
        Casle_ObjectIds const& o = Casle_Objects[i];
        castleObjects[i] = new Collectable(map, o.rp, objectImages[o.image], o.id,
                                           o.rotates ? Collectable_Rotates : Collectable_None, nullptr, nullptr);
    }
    for (Collectable* item : castleObjects)
        objects->AddObject(item);

    BuildMechanisms();
    BuildLasersAndEyes();

    for (int i = 0; i < Casle_Podiums_Count; i++)
    {
        Casle_PodiumIds const& p = Casle_PodiumPairs[i];
        map->GetRefPoint(p.podium0);
        map->GetRefPoint(p.podium1);
        podiums[i] = new Casle_Podiums(castleObjects[p.crystal0], p.podium0, castleObjects[p.crystal1], p.podium1);
    }
    for (Casle_Podiums* pair : podiums)
        objects->AddObject(pair);

    Switch* const* plates = &switches[Casle_FirstSymbolSwitch];
    symbols = new Casle_Symbols(plates[0], plates[1], plates[2], plates[3], plates[4], plates[5], plates[6], plates[7]);
    objects->AddObject(symbols);

    built.Initialise(&Casle_MultiHit::Initialise, &Casle_MultiHit::Finalise);
    for (int i = 0; i < Casle_MultiHits_Count; i++)
    {
        Casle_MultiHitIds const& m = Casle_MultiHits[i];
        map->RequireGroup(m.group);
        multiHits[i] = new Casle_MultiHit(map->GetRefPoint(m.rp), m.group, m.maxDist, m.period, m.stepDist, m.fallDist);
    }
    for (Casle_MultiHit* block : multiHits)
    {
        objects->AddObject(block);
        objects->AddTarget(block);
        driver->AddObject(block);
    }

    map->RequireGroup(Casle_SwivelGroup);
    swivel = new Casle_Swivel(map, Casle_SwivelGroup, Casle_Rp_SwivelCentre, switches[Casle_SwivelSwitchA],
                              switches[Casle_SwivelSwitchB]);
    objects->AddObject(swivel);
    driver->AddObject(swivel);

    BuildDoors();

    built.Initialise(&Casle_Dude::Initialise, &Casle_Dude::Finalise);
    dude = new Casle_Dude(map, Casle_Rp_Owner);
    objects->AddObject(static_cast<Dude*>(dude));
    events->dude = dude;

    pickUps[0] = AddGem(map->GetRefPoint(Casle_Rp_Gem1), 0, true);
    pickUps[1] = AddGem(map->GetRefPoint(Casle_Rp_Gem2), 1, true);
    built.Initialise([] { PickUp::Initialise(PickUp_Socks); }, &PickUp::Finalise);
    if (gameEvents->NotHappened(Event_Socks, 0))
    {
        pickUps[2] = new PickUp(map->GetRefPoint(Casle_Rp_Socks), PickUp_Socks, false, 1.0);
        objects->AddObject(pickUps[2]);
    }
    // A gem taken on an earlier visit is taken for good: its chest is not built again.
    chests[0] = AddChest(pickUps[0], Casle_ChestPuzzle1);
    chests[1] = AddChest(pickUps[1], Casle_ChestPuzzle2);

    map->PreprocessCollision();

    hints = new Casle_CanDo(player, map, font, gameEvents, events);
    canDo = hints;
    hints->machineSwitch = machineSwitch;
    hints->cog = castleObjects[Casle_CogObject];
    for (int i = 0; i < Casle_Mirrors_Count; i++)
        hints->mirrors[i] = castleObjects[Casle_MirrorObjects[i]];
    for (int i = 0; i < Casle_Crystals_Count; i++)
        hints->crystals[i] = castleObjects[Casle_CrystalObjects[i]];
    hints->visitedRoom28 = &visitedRoom28;
    hints->visitedRoom31 = &visitedRoom31;

    curRoom = -1;
    roomFrames = 0;
    visitedRoom28 = visitedRoom31 = false;
    socksMessageShown = gameEvents->Happened(Event_Socks, 0);

    PlayMusic(musicfile);
}

void Casle::BuildMechanisms()
{
    // A map without a group a mechanism is made of is refused, naming the group.
    for (Casle_GroupId group : Casle_SwitchGroups)
        map->RequireGroup(group);
    for (int i = 0; i < Casle_Switch_Count; i++)
        switches[i] = new Switch(player, map, Casle_SwitchGroups[i], 1.0);
    for (Switch* plate : switches)
    {
        objects->AddObject(plate);
        driver->AddObject(plate);
    }

    for (int i = 0; i < Casle_Lift_Count; i++)
        lifts[i] = new Lift(map, Casle_Lifts[i].group, Casle_Lifts[i].amplitude, Casle_Lifts[i].startPhase);
    for (int i = 0; i < Casle_Lift_Count; i++)
        lifts[i]->AddActivator(switches[Casle_Lifts[i].switchIndex]);
    // Nobody may work a lift's switch while riding it, nor before, in the past.
    for (int i = 0; i < Casle_Lift_Count; i++)
        switches[Casle_Lifts[i].switchIndex]->AddBlocker(lifts[i]);
    for (Lift* lift : lifts)
    {
        objects->AddObject(lift);
        driver->AddObject(lift);
    }

    for (int i = 0; i < Casle_PushOver_Count; i++)
    {
        map->RequireGroup(Casle_PushOverGroups[i]);
        pushOvers[i] = new PushOver(map, Casle_PushOverGroups[i]);
    }
    for (PushOver* block : pushOvers)
    {
        objects->AddObject(block);
        driver->AddObject(block);
    }

    // The machine and the podiums look up their places as they run; a map without them is refused
    // here, naming the place.
    map->GetRefPoint(Casle_Rp_Machine);
    machineSwitch = new Casle_Machine_Switch(castleObjects[Casle_CogObject], Casle_Rp_Machine);
    objects->AddObject(machineSwitch);
    machineSwitch->AddActivator(switches[Casle_MachineSwitch]);

    for (int i = 0; i < Casle_Lights_Count; i++)
    {
        Casle_LightsIds const& l = Casle_LightGroups[i];
        lights[i] = new Casle_Lights(map, l.rp[0], l.rp[1], l.rp[2], l.duration);
    }
    for (Casle_Lights* group : lights)
    {
        objects->AddObject(group);
        for (unsigned int k = 0; k < Casle_Light_Count; k++)
        {
            Casle_Light* lamp = group->GetLight(k);
            objects->AddTarget(lamp);
            objects->AddObject(static_cast<Object*>(lamp));
        }
    }
}

void Casle::BuildLasersAndEyes()
{
    for (int i = 0; i < Casle_Laser_Targets_Count; i++)
    {
        map->RequireGroup(Casle_TargetGroups[i]);
        laserTargets[i] = new Casle_Laser_Target(Casle_TargetGroups[i]);
    }

    for (int i = 0; i < Casle_Lasers_Count; i++)
        lasers[i] =
            new Casle_Laser(map->GetRefPoint(Casle_Lasers[i].rp), Casle_Lasers[i].angle, Casle_Lasers[i].alwaysOn);
    // Every laser knows every mirror and every target.
    for (Casle_Laser* laser : lasers)
    {
        objects->AddObject(laser);
        for (int m : Casle_MirrorObjects)
            laser->AddMirror(castleObjects[m]);
        for (Casle_Laser_Target* target : laserTargets)
            laser->AddTarget(target);
    }

    built.Initialise(&Casle_Eye::Initialise, &Casle_Eye::Finalise);
    for (int i = 0; i < Casle_Eyes_Count; i++)
    {
        Casle_EyeIds const& e = Casle_Eyes[i];
        Casle_Laser* laser = e.laserIndex >= 0 ? lasers[e.laserIndex] : nullptr;
        eyes[i] = new Casle_Eye(player, timeFrames, map->GetRefPoint(e.rp), Casle_EyeSight, laser);
    }
    // The switches ask their blockers in this order: the eyes fire first, so that the target
    // under their beam sees it at once.
    switches[5]->AddBlocker(eyes[1]);
    switches[5]->AddBlocker(eyes[2]);
    switches[5]->AddBlocker(laserTargets[1]);
    switches[11]->AddBlocker(eyes[3]);
    switches[11]->AddBlocker(laserTargets[3]);
    for (Casle_Eye* eye : eyes)
        objects->AddObject(eye);
}

void Casle::BuildDoors()
{
    for (int i = 0; i < Casle_Door_Count; i++)
    {
        Casle_DoorIds const& d = Casle_Doors[i];
        doors[i] = new Door(map, d.group, d.distance, static_cast<Direction>(d.direction), 1.0);
        Activator* source = nullptr;
        switch (d.driver)
        {
        case Casle_Driver_Switch:
            source = switches[d.index];
            break;
        case Casle_Driver_Lights:
            source = lights[d.index];
            break;
        case Casle_Driver_Target:
            source = laserTargets[d.index];
            break;
        case Casle_Driver_Machine:
            source = machineSwitch;
            break;
        case Casle_Driver_Podiums:
            source = podiums[d.index];
            break;
        case Casle_Driver_Symbols:
            source = symbols;
            break;
        }
        doors[i]->AddActivator(source);
    }
    // The entrance is door 1's group: once the fee is paid it stands open at every tick, before
    // the payment too, so that switch 1 neither drops it nor lets it fall shut and a travel back
    // does not shut it again: the gate's record holds the fee as paid from the first payment on.
    HoldGateIfPaid();
    for (int i = 0; i < Casle_Door_Count; i++)
        if (Casle_Doors[i].group == Casle_EntranceGroup)
            doors[i]->HoldOpenAfter(&gateRecord, Casle_Event_FeePaid);
    for (Door* door : doors)
        driver->AddObject(door);
}

void Casle::FreeObjects()
{
    auto free = [](auto*& object) {
        delete object;
        object = nullptr;
    };
    // The gems and their chests belong to the shared world code, which frees them.
    free(pickUps[2]);
    free(dude);
    for (Door*& door : doors)
        free(door);
    free(swivel);
    for (Casle_MultiHit*& block : multiHits)
        free(block);
    free(symbols);
    for (Casle_Podiums*& pair : podiums)
        free(pair);
    for (Casle_Eye*& eye : eyes)
        free(eye);
    for (Casle_Laser*& laser : lasers)
        free(laser);
    for (Casle_Laser_Target*& target : laserTargets)
        free(target);
    for (Casle_Lights*& group : lights)
        free(group);
    free(machineSwitch);
    for (Collectable*& item : castleObjects)
        free(item);
    for (Image*& image : objectImages)
        free(image);
    for (PushOver*& block : pushOvers)
        free(block);
    for (Lift*& lift : lifts)
        free(lift);
    for (Switch*& plate : switches)
        free(plate);
}

void Casle::Plot()
{
    Level::Plot(Level_Plot_Back | Level_Plot_Objects | Level_Plot_Player);
    Level::Plot(Level_Plot_Fore | Level_Plot_ObjectsFore | Level_Plot_Hud | Level_Plot_Panel | Level_Plot_Tint);
}

int Casle::FindRoom(Pointf p)
{
    for (Casle_RoomRect const& r : Casle_RoomRects)
        if (Casle_InArea(p, r.x0, r.x1, r.y0, r.y1))
            return r.room;
    return -1;
}

void Casle::SetCamera(int room)
{
    int rect = 0;
    while (Casle_RoomRects[rect].room != room)
        rect++;
    Casle_Camera const& c = Casle_Cameras[rect];
    Pointf const at(c.x, c.y);
    player->SetCameraPos(&at, CameraMove_Ease8, c.flags);
    player->SetCameraScale(c.zoom, CameraMove_Ease8);
}

void Casle::RoomHint(int room, Tick t)
{
    for (Casle_Hint const& hint : Casle_Hints)
    {
        if (hint.room != room || roomFrames != hint.steps || gameEvents->Happened(hint.event, 0))
            continue;
        bool wanted = true;
        if (room == 4 || room == 9)
            wanted = !lights[room == 4 ? 0 : 1]->IsActive(t);
        else if (room == 5)
            wanted = castleObjects[Casle_CogObject]->GetPosAtTime(t).x == map->GetRefPoint(Casle_Rp_Cog).x;
        else if (room == 18)
            wanted = Below(castleObjects[Casle_CrystalObjects[0]]->GetPosAtTime(t).x, Casle_HintCrystalX);
        if (!wanted)
            continue;
        for (char const* line : hint.lines)
            if (line != nullptr)
                message->Display(line, hint.showSteps);
        (*gameEvents)[hint.event] = GameEvent_HasHappened;
    }
}

void Casle::MirrorHint()
{
    if (gameEvents->Happened(Casle_Event_MirrorHint, 0))
        return;
    message->Display("The mirror can be rotated.", Casle_MessageSteps);
    message->Display("When holding it, press the change target buttons", Casle_MessageSteps);
    (*gameEvents)[Casle_Event_MirrorHint] = GameEvent_HasHappened;
}

void Casle::HoldGateIfPaid()
{
    if ((*gameEvents)[Casle_Event_FeePaid] != GameEvent_HasntHappened)
        gateRecord[Casle_Event_FeePaid] = GameEvent_HasHappened;
}

Level_Action Casle::Poll(KeyData keys)
{
    // A payment in the last step holds the gate from this one on, at every tick shown.
    HoldGateIfPaid();
    // The rules see the tick and the place from the start of the step.
    Tick const t = GetTick();
    Pointf const p = player->GetPos();
    int const roomBefore = curRoom;
    Level_Action const result = Level::Poll(keys);
    if (result != Level_Continue)
        return result;

    if (gameEvents->NotHappened(Casle_Event_RefusalExplained, 0) && objects->triedLockedCollectable)
    {
        (*gameEvents)[Casle_Event_RefusalExplained] = GameEvent_HasHappened;
        message->Display("You cannot pick up this object, it has to be there", Casle_MessageSteps);
        message->Display("since you have moved it from this point at a later time.", Casle_MessageSteps);
    }
    if (gameEvents->Happened(Event_Socks, t) && !socksMessageShown)
    {
        socksMessageShown = true;
        message->Display("Found the socks of death!", Casle_MessageSteps);
    }

    if (Below(Casle_TopZoneY, p.y))
    {
        Pointf const at(Casle_TopCamera.x, Casle_TopCamera.y);
        player->SetCameraPos(&at, CameraMove_Ease8, Casle_TopCamera.flags);
        player->SetCameraScale(Casle_TopCamera.zoom, CameraMove_Ease8);
    }
    else if (int const room = FindRoom(p); room >= 0)
    {
        curRoom = room;
        switch (room)
        {
        case 4:
        case 5:
        case 9:
        case 17:
        case 18:
        case 20:
        case 21:
            RoomHint(room, t);
            SetCamera(room);
            break;
        case 7:
            SetCamera(room);
            MirrorHint();
            break;
        case 28:
            SetCamera(room);
            visitedRoom28 = true;
            break;
        case 31:
            SetCamera(room);
            visitedRoom31 = true;
            break;
        default:
            SetCamera(room);
            break;
        }
    }
    if (curRoom != roomBefore)
        roomFrames = 0;
    else
        roomFrames++;

    if (Below(Casle_FarExitX, p.x) && Below(p.y, Casle_FarExitY) && player->IsPlayerDead() == 0)
        return Level_Completed;
    if (Below(p.x, Casle_EntranceExitX) && Below(p.y, Casle_EntranceExitY))
        return Level_Restart;
    return Level_Continue;
}
