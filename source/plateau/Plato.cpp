// Plato: builds the plateau from its map, places its creatures and mine, and runs its step and drawing rules.
#include "plateau/Plato.h"

#include "creatures/Cactus.h"
#include "creatures/Goblin.h"
#include "creatures/Rat.h"
#include "creatures/Shmoo.h"
#include "creatures/Spider.h"
#include "creatures/Vulture.h"
#include "creatures/Zoveduv.h"
#include "engine/GameEvents.h"
#include "engine/Map.h"
#include "engine/ObjectList.h"
#include "engine/Player.h"
#include "media/Image.h"
#include "plateau/Plato_Aerial.h"
#include "plateau/Plato_CaveTurtle.h"
#include "plateau/Plato_Dude.h"
#include "plateau/Plato_Events.h"
#include "plateau/Plato_MapMove.h"
#include "plateau/Plato_MineCart.h"
#include "plateau/Plato_Mortar.h"
#include "plateau/TumbleWeed.h"
#include "util/Util.h"

#include <cassert>

namespace
{

constexpr char const* Plato_ImageMap = "plateau/imagemap";
constexpr char const* Plato_MapFile = "plateau/map";
constexpr char const* Plato_Background = "gfx/plateau/background.png";
constexpr char const* Plato_Music = "music/plateau.mp3";
constexpr double Plato_BackgroundScale = 0.52;
constexpr double Plato_MineViewScale = 0.8;
Pointf const Plato_MineView(27715.0, 1450.0);
constexpr int Plato_GemRow = Level_Plato - 1; // of the saved level flags
constexpr int Plato_ChestPuzzle = 2;          // chest i opens through grid puzzle 2 + i

constexpr int Goblin_HitPoints = 4;
constexpr int Cactus_HitPoints = 20;
constexpr int Turtle_HitPoints = 30;
constexpr int Spider_HitPoints = 2;

struct GoblinPlace
{
    unsigned int start, left, right;
};
constexpr GoblinPlace Goblin_Places[Plato_Goblin_Count] = {
    {0, 1, 2},       {16, 14, 15},    {49, 49, 50},    {50, 49, 50},    {102, 103, 104},
    {103, 105, 102}, {371, 371, 372}, {372, 371, 372}, {373, 373, 374}, {374, 373, 374},
};

struct RatPlace
{
    unsigned int start, limit;
};
constexpr RatPlace Rat_Places[Plato_Rat_Count] = {{27, 28},   {27, 28},   {27, 28},   {259, 260},
                                                  {259, 260}, {259, 260}, {261, 262}, {261, 262}};

struct VulturePlace
{
    unsigned int start, end, swoop;
    int count;
};
constexpr VulturePlace Vulture_Places[] = {{4, 5, 17, 7},   {6, 7, 18, 2},   {8, 9, 19, 2},
                                           {10, 11, 20, 2}, {12, 13, 21, 2}, {52, 53, 54, 5}};

struct TumbleWeedPlace
{
    unsigned int start, end;
};
constexpr TumbleWeedPlace TumbleWeed_Places[Plato_TumbleWeed_Count] = {{22, 23}, {29, 30}, {31, 32}};

struct CactusPlace
{
    unsigned int rp;
    int hops;
};
constexpr CactusPlace Cactus_Places[Plato_Cactus_Count] = {{33, 6}, {34, 7}, {51, 6}, {102, 6}};

struct RpRange
{
    unsigned int first, last;
};
constexpr RpRange Grethyn_Places[] = {{35, 48}, {141, 161}, {349, 370}};

struct TurtlePlace
{
    unsigned int rp, group;
    double distance; // clear ground to the left of its home that its charge covers
};
constexpr TurtlePlace Turtle_Places[Plato_CaveTurtle_Count] = {
    {106, 28, 260.0}, {124, 29, 500.0}, {125, 30, 710.0}, {258, 31, 350.0}};

struct SpiderPlace
{
    unsigned int rp;
    double maxLength; // of its thread
};
constexpr SpiderPlace Spider_Places[Plato_Spider_Count] = {
    {107, 65},  {108, 90},  {109, 105}, {110, 120}, {111, 110}, {112, 115}, {113, 130}, {114, 140},
    {115, 110}, {116, 130}, {117, 90},  {118, 140}, {119, 140}, {120, 130}, {121, 110}, {126, 210},
    {127, 80},  {128, 145}, {129, 330}, {130, 130}, {131, 70},  {132, 110}, {133, 100}, {134, 160},
    {135, 160}, {136, 110}, {137, 220}, {138, 180}, {139, 110}, {140, 90},  {263, 130}, {264, 100},
    {265, 110}, {266, 110}, {267, 140}, {268, 170}, {269, 200}, {270, 120}, {271, 110}, {272, 100},
    {273, 120}, {274, 120}, {275, 120}, {276, 130}, {277, 140}, {278, 80},  {279, 110}, {280, 100}};

// Shmoo 0 stands alone; the rest stand in two runs of (position, jump top) pairs.
constexpr unsigned int Shmoo_FirstRp = 122;
struct ShmooRun
{
    unsigned int firstRp;
    int count;
};
constexpr ShmooRun Shmoo_Runs[] = {{162, 47}, {281, 34}};
constexpr int Shmoo_Last = 1; // the constructor's last argument

} // namespace

Plato::Plato(GameEvents* gameEventsIn) : World_Base(gameEventsIn, Plato_GemRow)
{
    background = built.Own(new Image(Plato_Background, 0, false));
    LoadMap(Plato_ImageMap, Plato_MapFile);
    PlacePlayer(Plato_StartRp);
    events = built.Own(new Plato_Events(gameEvents, message));
    player->levelEvents = events;
    events->player = player;
    driver = built.Own(new Plato_MapMove(map, objects));
    mapMove = driver;

    BuildCreatures();

    for (int i = 0; i < Plato_PickUp_Count; ++i)
        gems[i] = AddGem(map->GetRefPoint(Plato_GemRp + i), i, true);
    // A gem taken on an earlier visit is taken for good: its chest is not built again.
    for (int i = 0; i < Plato_Chest_Count; ++i)
        chests[i] = AddChest(gems[i], Plato_ChestPuzzle + i);

    BuildMine();

    // Each shmoo settles onto the ground as it is built, which needs the collision grid.
    map->PreprocessCollision();
    built.Initialise(&Shmoo::Initialise, &Shmoo::Finalise);
    shmoos[0] = built.Own(new Shmoo(map, Shmoo_FirstRp, Shmoo_FirstRp + 1, Shmoo_Last));
    int next = 1;
    for (ShmooRun const& run : Shmoo_Runs)
        for (int k = 0; k < run.count; ++k, ++next)
            shmoos[next] = built.Own(new Shmoo(map, run.firstRp + 2 * k, run.firstRp + 2 * k + 1, Shmoo_Last));
    assert(next == Plato_Shmoo_Count);
    for (Shmoo* shmoo : shmoos)
        AddFoe(shmoo);

    PlayMusic(Plato_Music);
}

void Plato::BuildCreatures()
{
    built.Initialise(&Goblin::Initialise, &Goblin::Finalise);
    for (int i = 0; i < Plato_Goblin_Count; ++i)
    {
        GoblinPlace const& place = Goblin_Places[i];
        goblins[i] = built.Own(new Goblin(map, place.start, place.left, place.right, Goblin_Normal, Goblin_HitPoints));
    }
    for (Goblin* goblin : goblins)
        AddFoe(goblin);

    built.Initialise(&Rat::Initialise, &Rat::Finalise);
    for (int i = 0; i < Plato_Rat_Count; ++i)
        rats[i] = built.Own(new Rat(map, Rat_Places[i].start, Rat_Places[i].limit, 1));
    for (Rat* rat : rats)
        AddFoe(rat);

    built.Initialise(&Vulture::Initialise, &Vulture::Finalise);
    int next = 0;
    for (VulturePlace const& place : Vulture_Places)
        for (int k = 0; k < place.count; ++k, ++next)
            vultures[next] = built.Own(new Vulture(map, place.start, place.end, place.swoop, 1));
    assert(next == Plato_Vulture_Count);
    for (Vulture* vulture : vultures)
        AddFoe(vulture);

    built.Initialise(&TumbleWeed::Initialise, &TumbleWeed::Finalise);
    for (int i = 0; i < Plato_TumbleWeed_Count; ++i)
        tumbleweeds[i] = built.Own(new TumbleWeed(map, TumbleWeed_Places[i].start, TumbleWeed_Places[i].end));
    for (TumbleWeed* weed : tumbleweeds)
        objects->AddObject(weed);

    built.Initialise(&Cactus::Initialise, &Cactus::Finalise);
    for (int i = 0; i < Plato_Cactus_Count; ++i)
        cacti[i] = built.Own(new Cactus(map, Cactus_Places[i].rp, Cactus_Places[i].hops, Cactus_HitPoints));
    for (Cactus* cactus : cacti)
        AddFoe(cactus);

    built.Initialise(&Zoveduv::Initialise, &Zoveduv::Finalise);
    next = 0;
    for (RpRange const& range : Grethyn_Places)
        for (unsigned int rp = range.first; rp <= range.last; ++rp, ++next)
            grethyns[next] = built.Own(new Zoveduv(map, player, rp));
    assert(next == Plato_Grethyn_Count);
    for (Zoveduv* grethyn : grethyns)
    {
        objects->AddObject(grethyn);
        objects->AddEnemy(grethyn);
    }

    built.Initialise(&Plato_CaveTurtle::Initialise, &Plato_CaveTurtle::Finalise);
    for (int i = 0; i < Plato_CaveTurtle_Count; ++i)
    {
        TurtlePlace const& place = Turtle_Places[i];
        caveTurtles[i] =
            built.Own(new Plato_CaveTurtle(player, map, place.rp, place.group, place.distance, Turtle_HitPoints));
    }
    for (Plato_CaveTurtle* turtle : caveTurtles)
    {
        AddFoe(turtle);
        driver->AddObject(turtle);
    }

    built.Initialise(&Spider::Initialise, &Spider::Finalise);
    for (int i = 0; i < Plato_Spider_Count; ++i)
        spiders[i] = built.Own(new Spider(map, Spider_Places[i].rp, Spider_Places[i].maxLength, Spider_HitPoints));
    for (Spider* spider : spiders)
        AddFoe(spider);
}

void Plato::BuildMine()
{
    hermit = built.Own(new Plato_Hermit(map, Plato_HermitRp));
    objects->AddObject(static_cast<Dude*>(hermit));

    built.Initialise(&Plato_Dude::Initialise, &Plato_Dude::Finalise);
    for (int i = 0; i < Plato_Miner_Count; ++i)
        miners[i] = built.Own(new Plato_Dude(map, i, static_cast<int>(Plato_Dude_StartPts) + i, i < 2));
    for (Plato_Dude* miner : miners)
        objects->AddObject(static_cast<Dude*>(miner));

    mineCart = built.Own(new Plato_MineCart(map));
    objects->AddObject(mineCart);

    bool const tuned = gameEvents->Happened(Event_DoubleJump, 0);
    aerial = built.Own(new Plato_Aerial(map, message, player, Plato_AerialRp, Plato_TvRp, tuned));
    events->aerial = aerial;

    mortar = built.Own(new Plato_Mortar(map, message, player, Plato_MortarRp));
    driver->AddObject(mortar);
    // A blasted rock is lifted out of the map: the collision grid lists it along the whole lift.
    Rectf const rockCover(0.0, 0.0, 0.0, Mortar_RockLift);
    for (int i = 0; i < Mortar_NumRocks; ++i)
        map->SetGroupCover(static_cast<unsigned int>(i) + Mortar_RockGroupOffset, &rockCover);
}

Level_Action Plato::Poll(KeyData keys)
{
    // Level::Poll moves the clock on at its end; the mini-games step the tick it played.
    Tick const t = GetTick();
    Level_Action const result = Level::Poll(keys);
    if (result != Level_Continue)
        return result;
    Pointf const p = player->GetPos();
    bool const travelling = IsTimeTravelling();
    bool const aerialHolds = aerial->Poll(map, &keys, travelling);
    bool const mortarHolds = mortar->Poll(map, t, &keys, travelling);
    if (!aerialHolds && !mortarHolds)
    {
        if (p.x < Plato_CameraZoneX || Util::Equal(p.x, Plato_CameraZoneX))
        {
            player->SetCameraPos(nullptr, CameraMove_None, 0);
            player->SetCameraScale(0.0, CameraMove_None);
        }
        else
        {
            player->SetCameraPos(&Plato_MineView, CameraMove_Ease8, 0);
            player->SetCameraScale(Plato_MineViewScale, CameraMove_Ease8);
        }
    }
    if (p.x > Plato_ExitX && !Util::Equal(p.x, Plato_ExitX) && player->IsPlayerDead() == 0)
        return Level_Completed;
    return Level_Continue;
}

void Plato::Plot()
{
    Tick const t = GetTick();
    // Drawn beyond the screen's edges by the wobble's margin, so that the wobble of time travel
    // shows no gap.
    Pointf const at(-SCREEN_WOBBLE, -SCREEN_WOBBLE);
    backdrop.Ahead(background, at, Plato_BackgroundScale, Image_Left | Image_Bottom);
    PlotOpaqueFirst();
    backdrop.Render(background, at, Plato_BackgroundScale, Image_Left | Image_Bottom);
    Level::Plot(Level_Plot_Back);
    aerial->Plot(map, t, true);
    mortar->Plot(map, t);
    Level::Plot(Level_Plot_Objects | Level_Plot_Player);
    aerial->Plot(map, t, false);
    Level::Plot(Level_Plot_Fore | Level_Plot_ObjectsFore | Level_Plot_Tint | Level_Plot_Hud | Level_Plot_Panel);
}
