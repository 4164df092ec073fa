// Chasm: building the canyon from its map, the fall countdown, the deep zone's camera, the exit and
// the parallax background.
#include "chasm/Chasm.h"

#include "chasm/Chasm_FireBall.h"
#include "chasm/Chasm_HangOn.h"
#include "creatures/Bat.h"
#include "creatures/Bat_Group.h"
#include "creatures/Bat_Path.h"
#include "creatures/Jet.h"
#include "creatures/Shmoo.h"
#include "creatures/Spider.h"
#include "creatures/Vine.h"
#include "creatures/Vulture.h"
#include "creatures/Wasp.h"
#include "creatures/Zoveduv.h"
#include "engine/Chest.h"
#include "engine/Collectable.h"
#include "engine/KillZone.h"
#include "engine/Map.h"
#include "engine/ObjectList.h"
#include "engine/PickUp.h"
#include "engine/Player.h"
#include "engine/Sign.h"
#include "media/Image.h"
#include "util/Util.h"

#include <cassert>

namespace
{

constexpr char const* bgfile = "gfx/chasm/background.png";
constexpr char const* fanfiles[3] = {"gfx/chasm/objects/fan0.png", "gfx/chasm/objects/fan1.png",
                                     "gfx/chasm/objects/fan2.png"};
constexpr char const* imagemap = "chasm/imagemap";
constexpr char const* mapfile = "chasm/map";
constexpr char const* musicfile = "music/chasm.mp3";
constexpr int Chasm_GemRow = Level_Chasm - 1; // of the saved level flags

constexpr int Vulture_HitPoints = 1;
constexpr int Creature_HitPoints = 2; // spiders, bats and shmoos
constexpr int Wasp_HitPoints = 8;
constexpr double Wasp_Scale = 1.0;
constexpr double Sign_Scale = 0.7;
constexpr Image_Render_Flags Sign_Flags = Image_Centre | Image_Bottom;
constexpr char const* Sign_Text = "DANGER!        Long drop";

constexpr double Background_X = -6.0;
constexpr double Background_YOffset = 8080.0;
constexpr double Background_Parallax = 48.0; // camera units per screen unit
constexpr double Background_Scale = 0.64;

// a exceeds b by at least the tolerance.
bool Beyond(double a, double b)
{
    return a - b >= Util::Eps;
}

} // namespace

Chasm::Chasm(GameEvents* gameEventsIn) : World_Base(gameEventsIn, Chasm_GemRow)
{
    background = built.Own(new Image(bgfile, 0, false));
    LoadMap(imagemap, mapfile);
    PlacePlayer(Chasm_Rp_Start);

    for (int k = 0; k < 3; ++k)
        fanImages[k] = built.Own(new Image(fanfiles[k], Image_Mask | Image_PadY, false));
    Collectable::Initialise(timeFrames);
    chasmObjects[0] = built.Own(new Collectable(map, Chasm_Rp_Fan, fanImages[0], 0,
                                                Collectable_Flags(Collectable_Animated | Collectable_Fan), fanImages[1],
                                                fanImages[2]));
    objects->AddObject(chasmObjects[0]);

    BuildFlyers();
    BuildHazards();
    BuildPickUps();
    BuildCrawlers();
    BuildBats();

    built.Initialise(&Sign::Initialise, &Sign::Finalise);
    for (int i = 0; i < Chasm_Sign_Count; ++i)
    {
        signs[i] = built.Own(new Sign(map->GetRefPoint(Chasm_Rp_Signs[i]), Sign_Scale, nullptr, Sign_Flags));
        signs[i]->AddText(Sign_Text);
        objects->AddObject(signs[i]);
    }

    // The shmoos settle onto the ground and the fireballs work out their flights as they are built:
    // both need the collision grid.
    map->PreprocessCollision();
    built.Initialise(&Shmoo::Initialise, &Shmoo::Finalise);
    int next = 0;
    for (Chasm_ShmooIds const& run : Chasm_Shmoos)
        for (int k = 0; k < run.count; ++k, ++next)
            shmoos[next] =
                built.Own(new Shmoo(map, run.ground + k * run.step, run.top + k * run.step, Creature_HitPoints));
    assert(next == Chasm_Shmoo_Count);
    for (Shmoo* shmoo : shmoos)
        AddFoe(shmoo);

    built.Initialise(&Chasm_FireBall::Initialise, &Chasm_FireBall::Finalise);
    for (int i = 0; i < Chasm_FireBall_Count; ++i)
    {
        Chasm_FireBallIds const& ball = Chasm_FireBalls[i];
        if (ball.ref != Chasm_NoBall)
            fireBalls[i] = built.Own(
                new Chasm_FireBall(map, ball.ref, ball.angle, ball.speed, ball.length, ball.period, ball.phase));
    }
    for (Chasm_FireBall* ball : fireBalls)
    {
        objects->AddObject(ball);
        objects->AddEnemy(ball);
    }

    fallCountdown = 0;
    PlayMusic(musicfile);
}

// The vines, the vultures and the flowers.
void Chasm::BuildFlyers()
{
    built.Initialise(&Vine::Initialise, &Vine::Finalise);
    for (int i = 0; i < Chasm_Vine_Count; ++i)
    {
        Chasm_VineIds const& v = Chasm_Vines[i];
        vines[i] = built.Own(new Vine(map, v.top, v.a, v.b, v.c));
        objects->AddObject(static_cast<Object*>(vines[i]));
        objects->AddHangOn(vines[i]);
        objects->AddTarget(vines[i]);
    }

    built.Initialise(&Vulture::Initialise, &Vulture::Finalise);
    int next = 0;
    for (Chasm_VultureIds const& v : Chasm_Vultures)
        for (int k = 0; k < v.count; ++k, ++next)
            vultures[next] = built.Own(new Vulture(map, v.from, v.to, v.swoop, Vulture_HitPoints));
    assert(next == Chasm_Vulture_Count);
    for (Vulture* vulture : vultures)
        AddFoe(vulture);

    built.Initialise(&Chasm_HangOn::Initialise, &Chasm_HangOn::Finalise);
    next = 0;
    for (Chasm_RefRun const& run : Chasm_Flowers)
        for (int k = 0; k < run.count; ++k, ++next)
        {
            unsigned int const ref = run.first + static_cast<unsigned int>(k);
            hangOns[next] = built.Own(new Chasm_HangOn(map->GetRefPoint(ref), ref == Chasm_Rp_FixedFlower));
            objects->AddObject(hangOns[next]);
            objects->AddHangOn(hangOns[next]);
        }
    assert(next == Chasm_Hangon_Count);
}

// The jets and the kill zones.
void Chasm::BuildHazards()
{
    built.Initialise(&Jet::Initialise, &Jet::Finalise);
    int next = 0;
    for (Chasm_JetIds const& run : Chasm_Jets)
        for (int k = 0; k < run.count; ++k, ++next)
            jets[next] = built.Own(new Jet(player, map->GetRefPoint(run.first + static_cast<unsigned int>(k)),
                                           Direction(run.direction), run.length, run.wait, run.fire, run.phase));
    assert(next == Chasm_Jet_Count);
    for (Jet* jet : jets)
    {
        objects->AddObject(static_cast<Object*>(jet));
        objects->AddEnemy(jet);
    }

    for (int i = 0; i < Chasm_KillZone_Count; ++i)
        if (Chasm_KillZones[i][0] != Chasm_NoZone)
            killZones[i] = built.Own(new KillZone(map, Chasm_KillZones[i][0], Chasm_KillZones[i][1]));
    for (KillZone* zone : killZones)
        objects->AddEnemy(zone);
}

// The hearts in the open, and the gems in the chests that the progress record leaves unopened.
void Chasm::BuildPickUps()
{
    built.Initialise([] { PickUp::Initialise(PickUp_Heart); }, &PickUp::Finalise);
    for (int i = 0; i < Chasm_Heart_Count; ++i)
    {
        pickUps[i] = built.Own(new PickUp(map->GetRefPoint(Chasm_Rp_Hearts[i]), PickUp_Heart, false, 1.0));
        objects->AddObject(pickUps[i]);
    }
    for (int k = 0; k < Chasm_Gem_Count; ++k)
        pickUps[Chasm_Heart_Count + k] = AddGem(map->GetRefPoint(Chasm_Rp_Chests[k]), k, true);
    for (int k = 0; k < Chasm_Chest_Count; ++k)
        chests[k] = AddChest(pickUps[Chasm_Heart_Count + k], Chasm_ChestPuzzles[k]);
}

// The spiders, the wasps and the grethyns.
void Chasm::BuildCrawlers()
{
    built.Initialise(&Spider::Initialise, &Spider::Finalise);
    for (int i = 0; i < Chasm_Spider_Count; ++i)
        spiders[i] = built.Own(new Spider(map, Chasm_Spiders[i].ref, Chasm_Spiders[i].length, Creature_HitPoints));
    for (Spider* spider : spiders)
        AddFoe(spider);

    built.Initialise(&Wasp::Initialise, &Wasp::Finalise);
    for (int i = 0; i < Chasm_Wasp_Count; ++i)
        wasps[i] = built.Own(new Wasp(map, Chasm_Wasps[i][0], Chasm_Wasps[i][1], Wasp_HitPoints, Wasp_Scale));
    for (Wasp* wasp : wasps)
        AddFoe(wasp);

    built.Initialise(&Zoveduv::Initialise, &Zoveduv::Finalise);
    for (int i = 0; i < Chasm_Grethyn_Count; ++i)
        grethyns[i] = built.Own(new Zoveduv(map, player, Chasm_Rp_Grethyns[i]));
    for (Zoveduv* grethyn : grethyns)
    {
        objects->AddObject(static_cast<Object*>(grethyn));
        objects->AddEnemy(grethyn);
    }
}

// The bats' flight paths, their flocks and the bats.
void Chasm::BuildBats()
{
    for (int p = 0; p < Chasm_Bat_Path_Count; ++p)
    {
        Bat_Path* path = built.Own(new Bat_Path());
        batPaths[p] = path;
        Chasm_BatPathIds const& ids = Chasm_BatPaths[p];
        for (int s = 0; s < ids.count; ++s)
        {
            Chasm_BatStep const& step = ids.steps[s];
            if (step.kind == Chasm_BatSection)
                path->AddSection(map, step.a, step.b);
            else if (step.kind == Chasm_BatSections)
                path->AddSections(map, step.a, static_cast<int>(step.b));
            else
                path->AddPath(batPaths[step.a]);
        }
        path->ClosePath();
    }

    for (int g = 0; g < Chasm_Bat_Group_Count; ++g)
        batGroups[g] =
            built.Own(new Bat_Group(player, map->GetRefPoint(Chasm_BatGroups[g].ref), Chasm_BatGroups[g].radius));

    built.Initialise(&Bat::Initialise, &Bat::Finalise);
    int next = 0;
    int const flock0 = static_cast<int>(sizeof Chasm_Flock0 / sizeof Chasm_Flock0[0]);
    int const flock1 = static_cast<int>(sizeof Chasm_Flock1 / sizeof Chasm_Flock1[0]);
    int groupOf[Chasm_Bat_Count] = {};
    auto add = [&](unsigned int ref, int path, int group) {
        bats[next] = built.Own(new Bat(map, ref, batPaths[path], batGroups[group], Creature_HitPoints));
        groupOf[next++] = group;
    };
    for (int i = 0; i < flock0; ++i)
        add(Chasm_Flock0[i].ref, Chasm_Flock0[i].path, 0);
    for (int r = 0; r < Chasm_Flock1_Repeats; ++r)
        for (int i = 0; i < flock1; ++i)
            add(Chasm_Flock1[i].ref, Chasm_Flock1[i].path, 1);
    for (int i = 0; i < Chasm_Flock2_Count; ++i)
        add(Chasm_Flock2_First + static_cast<unsigned int>(i), Chasm_Flock2_FirstPath + i % Chasm_Flock2_Paths, 2);
    assert(next == Chasm_Bat_Count);

    for (int i = 0; i < Chasm_Bat_Count; ++i)
        batGroups[groupOf[i]]->AddBat(bats[i]);
    for (Bat_Group* group : batGroups)
        objects->AddObject(group);
    for (Bat* bat : bats)
        AddFoe(bat);
}

Pointf Chasm::BackgroundPos(Pointf centre)
{
    return Pointf(Background_X, -(centre.y + Background_YOffset) / Background_Parallax);
}

void Chasm::Plot()
{
    Pointf const at = BackgroundPos(map->GetCentrePoint());
    backdrop.Ahead(background, at, Background_Scale, Image_Left | Image_Bottom);
    PlotOpaqueFirst();
    backdrop.Render(background, at, Background_Scale, Image_Left | Image_Bottom);
    Level::Plot(Level_Plot_All);
}

Level_Action Chasm::Poll(KeyData keys)
{
    Level_Action const result = Level::Poll(keys);
    if (result != Level_Continue)
        return result;
    Pointf const p = player->GetPos();

    // Counted in steps, not ticks: time travel neither winds it back nor stops it.
    if (fallCountdown > 0)
    {
        --fallCountdown;
        if (fallCountdown == 0)
            return Level_Left;
        if (fallCountdown == Chasm_CountdownCheck && Beyond(p.y, map->view.y))
        {
            player->SetCameraPos(nullptr, CameraMove_None, 0);
            player->SetCameraScale(1.0, CameraMove_None);
            fallCountdown = 0;
        }
    }
    if (fallCountdown == 0 && Beyond(player->GetFallSpeed(), Chasm_FreezeSpeed))
    {
        player->FixCamera();
        fallCountdown = Chasm_Countdown;
    }

    bool const deep = Beyond(Chasm_ZoneY, p.y);
    if (deep && Beyond(p.x, Chasm_ZoneX))
    {
        player->SetCameraPos(&Chasm_ZoneView, CameraMove_Ease8, 0);
        player->SetCameraScale(Chasm_ZoneScale, CameraMove_Ease8);
    }
    else if (fallCountdown == 0)
    {
        player->SetCameraPos(nullptr, CameraMove_None, 0);
        player->SetCameraScale(0.0, CameraMove_None);
    }

    if (deep && Beyond(p.x, Chasm_ExitX) && player->IsPlayerDead() == 0)
        return Level_Completed;
    return Level_Continue;
}
