// Kilig: building the master's house and dungeon, the introduction, the camera rooms, the hints and the exit.
#include "killig/Kilig.h"

#include "creatures/Imp.h"
#include "creatures/SpikeBall.h"
#include "creatures/Spikes.h"
#include "creatures/WavyBlob.h"
#include "engine/Chest.h"
#include "engine/Collectable.h"
#include "engine/Door.h"
#include "engine/KillZone.h"
#include "engine/Lift.h"
#include "engine/Map.h"
#include "engine/Message.h"
#include "engine/ObjectList.h"
#include "engine/Path.h"
#include "engine/PickUp.h"
#include "engine/Player.h"
#include "engine/Switch.h"
#include "killig/Kilig_CanDo.h"
#include "killig/Kilig_Dude.h"
#include "killig/Kilig_Events.h"
#include "killig/Kilig_MapMove.h"
#include "killig/Kilig_Podium.h"
#include "killig/Kilig_Swivel.h"
#include "media/Image.h"
#include "util/Error.h"
#include "util/Util.h"

#include <memory>

namespace
{

constexpr char const* Kilig_ImageMap = "killig/imagemap";
constexpr char const* Kilig_MapFile = "killig/map";
constexpr char const* Kilig_Music = "music/killig.mp3";
constexpr int Kilig_GemRow = Level_Kilig - 1; // of the saved level flags

// One picture per pair of colours, in the order the balls name them.
constexpr char const* objectImageFiles[Kilig_Object_Image_Count] = {
    "gfx/killig/objects/redblue.png",   "gfx/killig/objects/redgreen.png",   "gfx/killig/objects/redyellow.png",
    "gfx/killig/objects/bluegreen.png", "gfx/killig/objects/blueyellow.png", "gfx/killig/objects/greenyellow.png",
};
constexpr Image_Flags Kilig_BallImageFlags = Image_Mask | Image_PadY; // drawn on pure blue

constexpr int Kilig_GemPuzzles[Kilig_Chest_Count] = {6, 7, 11, 5};

constexpr int Imp_HitPoints = 6;

struct BlobStats
{
    bool coloured;
    int hitPoints;
    int armHitPoints;
};
constexpr BlobStats Kilig_BlobStats[Kilig_WavyBlob_Count] = {{false, 5, 10}, {false, 5, 10}, {true, 5, 20}};
constexpr double Blob1_Sway = 150.0;
constexpr double Blob1_Speed = 0.04;
constexpr double Blob2_RoundWidth = 500.0;
constexpr double Blob2_RoundHeight = 280.0;
constexpr double Blob2_RoundSpeed = 1.0;

constexpr double SpikeBall_Swing = 100.0;
constexpr double SpikeBall_Speed = 0.05;

constexpr double Door_Speed = 1.0;

// A camera room: its rectangle, the point the camera holds (x unused when it follows the player)
// and the zoom.
struct CameraRoomIds
{
    double x0, x1, y0, y1;
    Pointf point;
    Player_Camera_Flags flags;
    double scale;
};
const CameraRoomIds Kilig_Rooms[Kilig_CameraRoom_Count] = {
    {850, 1200, 1500, 1750, Pointf(1050, 1600), 0, 1.55},
    {1200, 2520, 1350, 1700, Pointf(0, 1530), Player_Camera_FollowX, 1.3},
    {2520, 2990, 1500, 1850, Pointf(2750, 1660), 0, 1.2},
    {2990, 3640, 1500, 2000, Pointf(3310, 1750), 0, 0.9},
    {3640, 4200, 1800, 2000, Pointf(3930, 1930), 0, 1.0},
    {4200, 4720, 1750, 2100, Pointf(4470, 1930), 0, 1.1},
    {4720, 5300, 1700, 2050, Pointf(5030, 1900), 0, 1.0},
    {5300, 5800, 1850, 2300, Pointf(5560, 2070), 0, 1.1},
    {5800, 6790, 2000, 2700, Pointf(6280, 2350), 0, 0.6},
    {6790, 7590, 1650, 2100, Pointf(7200, 1890), 0, 0.8},
    {7590, 8380, 1650, 2000, Pointf(8000, 1820), 0, 0.8},
    {8380, 8970, 1550, 2100, Pointf(8650, 1830), 0, 0.9},
    {8970, 9510, 1600, 1950, Pointf(9220, 1790), 0, 1.1},
    {9510, 10100, 1600, 1950, Pointf(9800, 1770), 0, 1.0},
    {10100, 10760, 1600, 2000, Pointf(10440, 1800), 0, 0.95},
    {10760, 11430, 1750, 2250, Pointf(11100, 2010), 0, 0.85},
    {11430, 12150, 2050, 2500, Pointf(11790, 2300), 0, 0.85},
    {12150, 13380, 2200, 2650, Pointf(0, 2420), Player_Camera_FollowX, 1.1},
    {13380, 14400, 2200, 2800, Pointf(13870, 2490), 0, 0.7},
};
const Pointf Kilig_HouseCamera(0.0, 6910.0); // x follows the player
constexpr double Kilig_HouseScale = 1.4;

// The introduction's walks and stops at the conversation's ticks, from state 2 on.
struct IntroCue
{
    int tick;
    bool walk;
};
constexpr IntroCue Kilig_IntroCues[] = {
    {1250, true}, {2375, false}, {2583, true}, {2708, false},  {2916, true},  {3291, false},
    {3750, true}, {7000, false}, {7500, true}, {10000, false}, {10250, true}, {11500, false},
};
static_assert(sizeof Kilig_IntroCues / sizeof Kilig_IntroCues[0] == Kilig_Intro_Last - Kilig_Intro_Talking);
constexpr int Kilig_ChatDelay = 70; // steps the hero stands before the master speaks

// v is at least a: more, or equal within the tolerance.
bool AtLeast(double v, double a)
{
    return v > a || Util::Equal(v, a);
}

// v is below b by more than the tolerance.
bool Below(double v, double b)
{
    return v < b && !Util::Equal(v, b);
}

// v is beyond c by more than the tolerance.
bool Beyond(double v, double c)
{
    return v > c && !Util::Equal(v, c);
}

// Each group of the map is one the world builds on or a colour gate: without it a plate, door or
// platform would quietly be nothing.
void RequireGroups(Map const* map)
{
    for (unsigned int g = 1; g <= Kilig_LastGroup; ++g)
        map->RequireGroup(g);
}

} // namespace

Kilig::Kilig(GameEvents* gameEventsIn) : World_Base(gameEventsIn, Kilig_GemRow)
{
    Build();
}

void Kilig::Build()
{
    LoadMap(Kilig_ImageMap, Kilig_MapFile);
    RequireGroups(map);

    bool const introSeen = gameEvents->Happened(Kilig_Event_IntroSeen, 0);
    PlacePlayer(introSeen ? Kilig_Rp_DungeonStart : Kilig_Rp_HouseStart);
    player->colourGroups = true;
    if (!introSeen)
    {
        player->scripted = true;
        player->ForceAction(Character_Right);
        introState = Kilig_Intro_WalkingIn;
        // Read now, so that a map without it is refused before the introduction starts.
        stopMarkX = map->GetRefPoint(Kilig_Rp_StopMark).x;
    }
    else
    {
        Pointf const firstRoom = Kilig_Rooms[0].point;
        player->SetCameraPos(&firstRoom, CameraMove_Jump, 0);
        player->SetCameraScale(Kilig_Rooms[0].scale, CameraMove_Jump);
    }

    events = built.Own(new Kilig_Events(gameEvents, message));
    player->levelEvents = events;
    driver = built.Own(new Kilig_MapMove(map, objects));
    mapMove = driver;

    for (int i = 0; i < Kilig_Object_Image_Count; ++i)
        objectImages[i] = built.Own(new Image(objectImageFiles[i], Kilig_BallImageFlags, false));
    Collectable::Initialise(timeFrames);
    for (int i = 0; i < Kilig_Object_Count; ++i)
    {
        Kilig_BallIds const& ball = Kilig_Balls[i];
        balls[i] = built.Own(
            new Collectable(map, ball.rp, objectImages[ball.image], unsigned(i), Collectable_Flags(ball.colours)));
    }
    for (Collectable* ball : balls)
        objects->AddObject(ball);

    for (int i = 0; i < Kilig_Switch_Count; ++i)
        switches[i] = built.Own(new Switch(player, map, Kilig_SwitchGroups[i], 1.0));
    for (Switch* plate : switches)
    {
        objects->AddObject(static_cast<Object*>(plate));
        driver->AddObject(plate);
    }

    killZone[0] = built.Own(new KillZone(map, Kilig_Rp_KillZone[0], Kilig_Rp_KillZone[1]));
    objects->AddEnemy(killZone[0]);

    BuildCreatures();

    built.Initialise(&Kilig_Dude::Initialise, &Kilig_Dude::Finalise);
    master = built.Own(new Kilig_Dude(map, int(Kilig_Rp_Master)));
    objects->AddObject(static_cast<Dude*>(master));

    // A gem taken on an earlier visit is taken for good: its chest is not built again, and the
    // gem, never found, stays hidden.
    for (int i = 0; i < Kilig_PickUp_Count; ++i)
        pickUps[i] = AddGem(map->GetRefPoint(Kilig_Rp_Gems[i]), i, true);
    for (int i = 0; i < Kilig_Chest_Count; ++i)
        chests[i] = AddChest(pickUps[i], Kilig_GemPuzzles[i]);

    built.Initialise(&SpikeBall::Initialise, &SpikeBall::Finalise);
    for (int i = 0; i < Kilig_SpikeBall_Count; ++i)
    {
        auto path = std::make_unique<Path_Sine>(map->GetRefPoint(Kilig_Rp_SpikeBalls[i]), SpikeBall_Swing,
                                                SpikeBall_Speed, true, false, -1);
        spikeBalls[i] = built.Own(new SpikeBall(path.get()));
        path.release();
    }
    for (SpikeBall* ball : spikeBalls)
    {
        objects->AddObject(static_cast<Object*>(ball));
        objects->AddEnemy(ball);
    }

    BuildMachines();

    // The covers of the swinging groups and the swivels are in: the grid can take them.
    map->PreprocessCollision();
    panel = built.Own(new Kilig_CanDo(player, map, font, gameEvents, events));
    canDo = panel;
    cameraRoom = -1;
    roomSteps = 0;
    PlayMusic(Kilig_Music);
}

void Kilig::BuildCreatures()
{
    built.Initialise(&Imp::Initialise, &Imp::Finalise);
    for (int i = 0; i < Kilig_Imp_Count; ++i)
        imps[i] = built.Own(new Imp(map, Kilig_Rp_Imps[i], Imp_HitPoints));
    for (Imp* imp : imps)
        AddFoe(imp);

    built.Initialise(&Spikes::Initialise, &Spikes::Finalise);
    for (int i = 0; i < Kilig_Spikes_Count; ++i)
    {
        Kilig_SpikesIds const& row = Kilig_SpikeRows[i];
        spikes[i] = built.Own(new Spikes(map, row.rp, row.phase, row.count));
    }
    for (Spikes* row : spikes)
    {
        objects->AddObject(static_cast<Object*>(row));
        objects->AddEnemy(row);
    }

    built.Initialise(&WavyBlob::Initialise, &WavyBlob::Finalise);
    for (int i = 0; i < Kilig_WavyBlob_Count; ++i)
    {
        BlobStats const& stats = Kilig_BlobStats[i];
        wavyBlobs[i] =
            built.Own(new WavyBlob(map, Kilig_Rp_WavyBlobs[i], stats.coloured, stats.hitPoints, stats.armHitPoints));
    }
    // The paths are offsets from the blobs' points.
    std::unique_ptr<Path> sway =
        std::make_unique<Path_Sine>(Pointf(0.0, 0.0), Blob1_Sway, Blob1_Speed, true, false, -1);
    wavyBlobs[1]->AssociatePath(sway.release());
    std::unique_ptr<Path> round =
        std::make_unique<Path_Round>(Pointf(0.0, 0.0), Blob2_RoundWidth, Blob2_RoundHeight, Blob2_RoundSpeed, false);
    wavyBlobs[2]->AssociatePath(round.release());
    // Each blob's arms go in before the blob.
    for (WavyBlob* blob : wavyBlobs)
    {
        for (int arm = 0; arm < WavyBlob_Arm_Count; ++arm)
            AddFoe(blob->GetArm(arm));
        AddFoe(blob);
    }
}

void Kilig::BuildMachines()
{
    for (int i = 0; i < Kilig_Podium_Count; ++i)
        podiums[i] = built.Own(new Kilig_Podium(map->GetRefPoint(Kilig_Rp_Podiums[i])));
    // Any ball works any podium. The balls are ahead of the podiums in the object list, so a
    // podium finds them where they are at its tick.
    for (Kilig_Podium* podium : podiums)
    {
        for (Collectable* ball : balls)
            podium->AddBall(ball);
        objects->AddObject(static_cast<Object*>(podium));
    }

    for (int i = 0; i < Kilig_Lift_Count; ++i)
    {
        Kilig_LiftIds const& ids = Kilig_Lifts[i];
        lifts[i] = built.Own(new Lift(map, ids.group, ids.distance, ids.startAngle));
        lifts[i]->AddActivator(switches[ids.driver]);
        switches[ids.blocked]->AddBlocker(lifts[i]);
    }
    for (Lift* lift : lifts)
    {
        objects->AddObject(static_cast<Object*>(lift));
        driver->AddObject(lift);
    }

    for (int i = 0; i < Kilig_Door_Count; ++i)
    {
        Kilig_DoorIds const& ids = Kilig_Doors[i];
        doors[i] = built.Own(new Door(map, ids.group, ids.distance, Direction_Up, Door_Speed));
        Activator* opener = nullptr;
        switch (ids.opener)
        {
        case Kilig_BySwitch:
            opener = switches[ids.index];
            break;
        case Kilig_ByBlob:
            opener = wavyBlobs[ids.index];
            break;
        case Kilig_ByPodium:
            opener = podiums[ids.index];
            break;
        }
        doors[i]->AddActivator(opener);
    }
    // Doors draw nothing of their own: only the driver moves them.
    for (Door* door : doors)
        driver->AddObject(door);

    for (int i = 0; i < Kilig_Swivel_Count; ++i)
    {
        Kilig_SwivelIds const& ids = Kilig_Swivels[i];
        swivels[i] = built.Own(new Kilig_Swivel(map, ids.group, ids.pivot, switches[ids.turnSwitch], ids.fourWay));
    }
    for (Kilig_Swivel* swivel : swivels)
    {
        objects->AddObject(static_cast<Object*>(swivel));
        driver->AddObject(swivel);
    }
}

int Kilig::CameraRoom(Pointf p)
{
    for (int i = 0; i < Kilig_CameraRoom_Count; ++i)
    {
        CameraRoomIds const& room = Kilig_Rooms[i];
        if (AtLeast(p.x, room.x0) && Below(p.x, room.x1) && AtLeast(p.y, room.y0) && Below(p.y, room.y1))
            return i;
    }
    return -1;
}

Level_Action Kilig::Poll(KeyData keys)
{
    Tick const t = GetTick();
    int const roomBefore = cameraRoom;
    // Every rule of the step goes by where the player stood before the level moved him.
    Pointf const p = player->GetPos();
    if (gameEvents->NotHappened(Kilig_Event_IntroSeen, 0) && Introduce(keys, t, p))
        return Level_Restart;

    Level_Action const result = Level::Poll(keys);
    if (result != Level_Continue)
        return result;

    Hints();
    Camera(p);
    roomSteps = cameraRoom == roomBefore ? roomSteps + 1 : 0;
    if (Beyond(p.x, Kilig_ExitX) && player->IsPlayerDead() == 0)
        return Level_Completed;
    return Level_Continue;
}

bool Kilig::Introduce(KeyData const& keys, Tick t, Pointf p)
{
    // Skipping the master's lines moves the script on by as many ticks as the skip ran, each
    // tested in turn, so no walk or stop is passed over.
    int ticks = 1;
    if ((keys.keys[KeyIndex_GameAction] & KeyState_Released) != 0)
        ticks = player->SkipChat(t);
    for (int k = 0; k < ticks; ++k)
    {
        ++introTick;
        if (introState == Kilig_Intro_WalkingIn)
        {
            if (Beyond(p.x, stopMarkX))
            {
                player->ForceAction(0);
                introTick = 0;
                introState = Kilig_Intro_Waiting;
            }
        }
        else if (introState == Kilig_Intro_Waiting)
        {
            if (introTick == Kilig_ChatDelay)
            {
                player->StartChat(master);
                introTick = 0;
                introState = Kilig_Intro_Talking;
            }
        }
        else if (introState == Kilig_Intro_Last)
        {
            if (introTick == Kilig_IntroEnd)
            {
                (*gameEvents)[Kilig_Event_IntroSeen] = GameEvent_HasHappened;
                (*gameEvents)[Event_TimeTravel] = GameEvent_HasHappened;
                // The world is built again without passing the map screen, where progress is
                // saved: keep what was learnt should the player quit from the menu now.
                saveGame = true;
                return true;
            }
        }
        else if (introState >= Kilig_Intro_Talking && introState < Kilig_Intro_Last)
        {
            IntroCue const& cue = Kilig_IntroCues[introState - Kilig_Intro_Talking];
            if (introTick == cue.tick)
            {
                // The hero keeps his own hit points but walks at the master's pace.
                if (introState == Kilig_Intro_Talking)
                    player->ChangeStats(master->GetStats());
                Walk(cue.walk);
                ++introState;
            }
        }
    }
    return false;
}

void Kilig::Walk(bool walking)
{
    std::uint32_t const move = walking ? std::uint32_t(Character_Right) : 0u;
    player->ForceAction(move);
    master->keys = move;
    if (!walking)
        master->Pose(true);
}

void Kilig::Hints()
{
    if (gameEvents->NotHappened(Kilig_Event_SwivelHint, 0) && swivels[1]->blocked)
    {
        (*gameEvents)[Kilig_Event_SwivelHint] = GameEvent_HasHappened;
        message->Display("The platform won't rotate.", 200);
        message->Display("You have walked through it later on so it must stay in this position.", 200);
    }
    if (gameEvents->NotHappened(Kilig_Event_PickUpHint, 0) && objects->triedLockedCollectable)
    {
        (*gameEvents)[Kilig_Event_PickUpHint] = GameEvent_HasHappened;
        message->Display("You cannot pick up this object, it has to be there", 200);
        message->Display("since you have moved it from this point at a later time.", 200);
    }
}

void Kilig::Camera(Pointf p)
{
    if (Beyond(p.y, Kilig_HouseLine))
    {
        player->SetCameraPos(&Kilig_HouseCamera, CameraMove_Ease8, Player_Camera_FollowX);
        player->SetCameraScale(Kilig_HouseScale, CameraMove_Ease8);
        return;
    }
    int const room = CameraRoom(p);
    if (room == -1)
    {
        player->SetCameraPos(nullptr, CameraMove_None, 0);
        player->SetCameraScale(1.0, CameraMove_None);
        return;
    }
    cameraRoom = room;
    if (room == 0 && roomSteps == Kilig_RoomHintSteps && gameEvents->NotHappened(Kilig_Event_RoomHint, 0))
    {
        message->Display("Once you've stood on the switch press A to go back in time", 200);
        (*gameEvents)[Kilig_Event_RoomHint] = GameEvent_HasHappened;
    }
    CameraRoomIds const& ids = Kilig_Rooms[room];
    player->SetCameraPos(&ids.point, CameraMove_Ease8, ids.flags);
    player->SetCameraScale(ids.scale, CameraMove_Ease8);
}

void Kilig::Plot()
{
    Level::Plot(Level_Plot_Back | Level_Plot_Objects | Level_Plot_Player);
    Level::Plot(Level_Plot_Fore | Level_Plot_ObjectsFore | Level_Plot_Tint | Level_Plot_Hud | Level_Plot_Panel);
}
