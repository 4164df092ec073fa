// Test_World: builds the engine test world from its generated map and places and wires its objects.
#include "testworld/Test_World.h"

#include "engine/CharStats.h"
#include "engine/Collectable.h"
#include "engine/Door.h"
#include "engine/GameEvents.h"
#include "engine/Hit_Target.h"
#include "engine/KillZone.h"
#include "engine/Lift.h"
#include "engine/Map.h"
#include "engine/MapMove.h"
#include "engine/ObjectList.h"
#include "engine/Player.h"
#include "engine/Switch.h"
#include "engine/TimeFrames.h"
#include "media/Image.h"
#include "testworld/Test_Walker.h"


namespace
{

constexpr char const* Test_World_MapFile = "testworld/map";
constexpr double Test_World_DoorOpening = 160.0;
constexpr double Test_World_DoorSpeed = 2.0;
constexpr double Test_World_LiftDistance = 50.0;
constexpr double Test_World_LiftItemDrop = 20.0; // above the top of the lift's sweep
// The row of the saved level flags that the test world's gems use; no world of the game has it.
constexpr int Test_World_GemRow = 9;

} // namespace

Test_World::Test_World(GameEvents* events) : World_Base(events, Test_World_GemRow)
{
    // The test world is played without the world that teaches time travel; without it the
    // time keys would do nothing here.
    if ((*gameEvents)[Event_TimeTravel] == GameEvent_HasntHappened)
        (*gameEvents)[Event_TimeTravel] = GameEvent_HasHappened;
    LoadMap("testworld/imagemap", Test_World_MapFile);
    PlacePlayer(Test_World_Start);
    // The generated pictures are small: at the engine's far view the player would be a few
    // pixels tall, so the test world holds the camera at the near view's zoom.
    player->SetCameraScale(NEAR_SCALE, CameraMove_Jump);

    plate = built.Own(new Switch(player, map, Test_World_SwitchGroup, 1.0));
    door = built.Own(new Door(map, Test_World_DoorGroup, Test_World_DoorOpening, Direction_Up, Test_World_DoorSpeed));
    door->AddActivator(plate);

    built.Initialise(&Hit_Target::Initialise, &Hit_Target::Finalise);
    hitTarget = built.Own(new Hit_Target(map->GetRefPoint(Test_World_HitTarget), Hit_Target_Normal, false, 1.0));
    blockTarget = built.Own(new Hit_Target(map->GetRefPoint(Test_World_BlockTarget), Hit_Target_Normal, false, 1.0));
    hitTarget->AddBlockTarget(blockTarget);
    lift = built.Own(new Lift(map, Test_World_LiftGroup, Test_World_LiftDistance, 0.0));
    lift->AddActivator(hitTarget);

    Collectable::Initialise(timeFrames);
    itemImage = built.Own(new Image("gfx/general/socks.png", Image_Mask, false));
    collectable = built.Own(new Collectable(map, Test_World_Collectable, itemImage, 0, Collectable_None));
    Rectf liftSweep;
    map->FindGroupBound(Test_World_LiftGroup, &liftSweep);
    liftItem = built.Own(new Collectable(Pointf(liftSweep.Centre().x, liftSweep.y1 + Test_World_LiftItemDrop),
                                         itemImage, 1, Collectable_None));

    killZone = built.Own(new KillZone(map, Test_World_KillZoneA, Test_World_KillZoneB));

    walkerStats = new CharStats();
    built.Undo([stats = walkerStats] { stats->Destroy(); });
    walkerStats->width = 10.0;
    walkerStats->height = 20.0;
    walkerStats->accel = 0.5;
    walkerStats->maxSpeed = 1.5;
    walkerStats->decel = 0.5;
    walkerStats->gravity = 0.5;
    walkerStats->jumpSpeed = 6.0;
    walkerStats->jumpDecay = 0.5;
    walkerStats->frameCount = 1;
    walkerStats->frameDist = 8.0;
    for (int i = 0; i < Test_World_WalkerCount; ++i)
    {
        unsigned int const ref = Test_World_WalkerA + 3 * i;
        walkers[i] = built.Own(new Test_Walker(map->GetRefPoint(ref), map->GetRefPoint(ref + 1).x,
                                               map->GetRefPoint(ref + 2).x, walkerStats));
    }

    objects->AddObject(plate);
    objects->AddObject(lift);
    objects->AddObject(static_cast<Object*>(hitTarget));
    objects->AddObject(static_cast<Object*>(blockTarget));
    objects->AddTarget(hitTarget);
    objects->AddTarget(blockTarget);
    objects->AddObject(collectable);
    objects->AddObject(liftItem);
    // A gem found is found once: on later visits the open gem is not placed and the chest
    // that holds the other is not built, so that gem is never found again.
    gem = AddGem(map->GetRefPoint(Test_World_Gem), 0, false);
    chestGem = AddGem(map->GetRefPoint(Test_World_Chest), 1, true);
    chest = AddChest(chestGem, Test_World_ChestId);
    objects->AddEnemy(killZone);
    for (Test_Walker* walker : walkers)
        objects->AddObject(walker);

    mapMove = built.Own(new MapMove(objects));
    mapMove->AddObject(plate);
    mapMove->AddObject(door);
    mapMove->AddObject(lift);
    map->PreprocessCollision();
    mapMove->Init(map);
}

Level_Action Test_World::Poll(KeyData keys)
{
    return Level::Poll(keys);
}
