// Black: builds the Black mountains from their map, places and wires the creatures, and runs the step and drawing
// rules.
#include "black/Black.h"

#include "black/Black_CanDo.h"
#include "black/Black_MapMove.h"
#include "black/Black_Ogre.h"
#include "black/Black_PushRock.h"
#include "black/Black_Rock.h"
#include "creatures/Goblin.h"
#include "creatures/GoblinDefend.h"
#include "creatures/Imp.h"
#include "creatures/Mozzy.h"
#include "creatures/Shmoo.h"
#include "creatures/Spider.h"
#include "creatures/SplitShmoo.h"
#include "creatures/Vulture.h"
#include "creatures/Wasp.h"
#include "creatures/WavyBlob.h"
#include "engine/Door.h"
#include "engine/KillZone.h"
#include "engine/Map.h"
#include "engine/Message.h"
#include "engine/ObjectList.h"
#include "engine/Path.h"
#include "engine/PickUp.h"
#include "engine/Player.h"
#include "engine/Sign.h"
#include "media/Image.h"
#include "util/Util.h"

#include <cassert>
#include <cstddef>

namespace
{

constexpr char const* Black_ImageMap = "black/imagemap";
constexpr char const* Black_MapFile = "black/map";
constexpr char const* Black_Background = "gfx/black/background.png";
constexpr char const* Black_Music = "music/black.mp3";
constexpr int Black_GemRow = Level_Black - 1; // of the saved level flags; the mountains hold no gem
constexpr double Black_BackgroundScale = 0.52;
constexpr double Black_SignScale = 0.7;
constexpr Image_Render_Flags Black_SignFlags = Image_Centre | Image_Bottom;
constexpr double Black_EndViewScale = 1.15;
Pointf const Black_EndView(Black_EndZoneX, 220.0);
constexpr int Black_MessageTime = 200;

// The runs of spaces lay the words out on the sign's lines.
constexpr char const* Black_SignTexts[Black_Sign_Count] = {
    "DANGER      Falling rocks!             Turn back now",
    "DANGER      Ogre ahead!                Seriously, turn back now",
    "DANGER      Goblin den!                Death is certain",
    "DANGER      Falling rocks!",
    "DANGER      DRAGON!",
};

// x > bound, a value within the tolerance of it not counting.
bool Beyond(double x, double bound)
{
    return x > bound && !Util::Equal(x, bound);
}

bool Short(double x, double bound)
{
    return x < bound && !Util::Equal(x, bound);
}

// Wavy blobs, their arms and wasps go in as object, target, enemy.
template <class T>
void AddTargetFoe(ObjectList* objects, T* creature)
{
    objects->AddObject(static_cast<Object*>(creature));
    objects->AddTarget(creature);
    objects->AddEnemy(creature);
}

template <class T, std::size_t N>
void Free(T* (&things)[N])
{
    for (T*& thing : things)
    {
        delete thing;
        thing = nullptr;
    }
}

} // namespace

Black::Black(GameEvents* gameEventsIn) : World_Base(gameEventsIn, Black_GemRow)
{
    // What is on the build list the level frees; the objects are freed here should a step throw.
    try
    {
        background = built.Own(new Image(Black_Background, 0, false));
        LoadMap(Black_ImageMap, Black_MapFile);
        map->RequireGroup(Black_Group_OgreGate);
        map->RequireGroup(Black_Group_LivingGate);
        PlacePlayer(Black_Rp_Start);
        driver = built.Own(new Black_MapMove(map, objects));
        mapMove = driver;
        BuildCreatures();
        // Everything from here on settles onto the ground or works out a path over the map.
        map->PreprocessCollision();
        BuildLater();
        hints = built.Own(new Black_CanDo(player, map, font, gameEvents));
        canDo = hints;
        PlayMusic(Black_Music);
    }
    catch (...)
    {
        FreeObjects();
        throw;
    }
}

Black::~Black()
{
    FreeObjects();
}

void Black::Ready(Kind kind)
{
    // Marked first: a kind whose readying throws part-way is finalised too.
    ready[kind] = true;
    switch (kind)
    {
    case Kind_PickUp:
        PickUp::Initialise(PickUp_Heart);
        break;
    case Kind_ShmooInst:
        ShmooInst::Initialise();
        break;
    case Kind_Shmoo:
        Shmoo::Initialise();
        break;
    case Kind_Wasp:
        Wasp::Initialise();
        break;
    case Kind_WavyBlob:
        WavyBlob::Initialise();
        break;
    case Kind_Imp:
        Imp::Initialise();
        break;
    case Kind_GoblinDefend:
        GoblinDefend::Initialise();
        break;
    case Kind_Goblin:
        Goblin::Initialise();
        break;
    case Kind_Mozzy:
        Mozzy::Initialise();
        break;
    case Kind_PushRock:
        Black_PushRock::Initialise();
        break;
    case Kind_Rock:
        Black_Rock::Initialise();
        break;
    case Kind_Sign:
        Sign::Initialise();
        break;
    case Kind_Spider:
        Spider::Initialise();
        break;
    case Kind_Vulture:
        Vulture::Initialise();
        break;
    case Kind_Count:
        break;
    }
}

void Black::BuildCreatures()
{
    Ready(Kind_PickUp);
    for (int i = 0; i < Black_PickUp_Count; i++)
        pickUps[i] = new PickUp(map->GetRefPoint(Black_Rp_Hearts[i]), PickUp_Heart, false, 1.0);
    for (PickUp* heart : pickUps)
        objects->AddObject(heart);

    Ready(Kind_Vulture);
    int next = 0;
    for (Black_Flock const& flock : Black_Flocks)
        for (int k = 0; k < flock.count; k++, next++)
            vultures[next] = new Vulture(map, flock.start, flock.end, flock.swoop, Black_Vulture_HitPoints);
    assert(next == Black_Vulture_Count);
    for (Vulture* vulture : vultures)
        AddFoe(vulture);

    Ready(Kind_Spider);
    for (int i = 0; i < Black_Spider_Count; i++)
        spiders[i] = new Spider(map, Black_Spiders[i].rp, Black_Spiders[i].maxLength, Black_Spiders[i].hitPoints);
    for (Spider* spider : spiders)
        AddFoe(spider);

    Ready(Kind_Sign);
    for (int i = 0; i < Black_Sign_Count; i++)
    {
        signs[i] = new Sign(map->GetRefPoint(Black_Rp_Signs[i]), Black_SignScale, nullptr, Black_SignFlags);
        signs[i]->AddText(Black_SignTexts[i]);
    }
    for (Sign* sign : signs)
        objects->AddObject(sign);

    ogre = new Black_Ogre(map->GetRefPoint(Black_Rp_Ogre));
    ogreHintShown = false;
    deadHintShown = false;
    AddFoe(ogre);

    Ready(Kind_Mozzy);
    for (int i = 0; i < Black_Mozzy_Count; i++)
        mozzies[i] = new Mozzy(map, Black_Mozzies[i].a, Black_Mozzies[i].b, Black_Mozzy_HitPoints);
    for (Mozzy* mozzy : mozzies)
        AddFoe(mozzy);

    Ready(Kind_Goblin);
    for (int i = 0; i < Black_Goblin_Count; i++)
    {
        Black_GoblinPlace const& place = Black_Goblins[i];
        goblins[i] = new Goblin(map, place.start, place.left, place.right, Goblin_Normal, Black_Goblin_HitPoints);
    }
    for (Goblin* goblin : goblins)
        AddFoe(goblin);

    Ready(Kind_GoblinDefend);
    for (int i = 0; i < Black_GoblinDefend_Count; i++)
        goblinDefenders[i] =
            new GoblinDefend(map->GetRefPoint(Black_Rp_GoblinDefenders[i]), Black_GoblinDefend_HitPoints);
    for (GoblinDefend* defender : goblinDefenders)
        AddFoe(defender);

    for (int i = 0; i < Black_KillZone_Count; i++)
        killZones[i] = new KillZone(map, Black_KillZones[i].a, Black_KillZones[i].b);
    for (KillZone* zone : killZones)
        objects->AddEnemy(zone);

    Ready(Kind_Imp);
    for (int i = 0; i < Black_Imp_Count; i++)
        imps[i] = new Imp(map, Black_Rp_Imps[i], Black_Imp_HitPoints);
    for (Imp* imp : imps)
        AddFoe(imp);

    Ready(Kind_WavyBlob);
    wavyBlobs[0] =
        new WavyBlob(map, Black_Rp_WavyBlobs[0], true, Black_WavyBlob_HitPoints, Black_WavyBlob_ArmHitPoints);
    // Its round is an offset from its home, and the blob takes it over.
    wavyBlobs[0]->AssociatePath(
        new Path_Round(Pointf(0.0, 0.0), Black_BlobRound_Width, Black_BlobRound_Height, Black_BlobRound_Speed, true));
    wavyBlobs[1] =
        new WavyBlob(map, Black_Rp_WavyBlobs[1], true, Black_WavyBlob_HitPoints, Black_WavyBlob_ArmHitPoints);
    for (WavyBlob* blob : wavyBlobs)
    {
        for (int arm = 0; arm < WavyBlob_Arm_Count; arm++)
            AddTargetFoe(objects, blob->GetArm(arm));
        AddTargetFoe(objects, blob);
    }

    Ready(Kind_Wasp);
    for (int i = 0; i < Black_Wasp_Count; i++)
        wasps[i] = new Wasp(map, Black_Wasps[i].a, Black_Wasps[i].b, Black_Wasp_HitPoints, Black_Wasp_Scale);
    for (Wasp* wasp : wasps)
        AddTargetFoe(objects, wasp);

    for (int i = 0; i < Black_Door_Count; i++)
    {
        Black_DoorPlace const& place = Black_Doors[i];
        doors[i] = new Door(map, place.group, place.distance, Direction_Up, place.speed);
        if (i == 0)
            for (int k = 0; k < Black_DenGuard_Count; k++)
                doors[i]->AddActivator(goblinDefenders[Black_DenGuard_First + k]);
        else
            doors[i]->AddActivator(wavyBlobs[i - 1]);
    }
    for (Door* door : doors)
        driver->AddObject(door);
}

void Black::BuildLater()
{
    Ready(Kind_Shmoo);
    for (int i = 0; i < Black_Shmoo_Count; i++)
        shmoos[i] = new Shmoo(map, Black_Shmoos[i].a, Black_Shmoos[i].b, Black_Shmoo_HitPoints);
    for (Shmoo* shmoo : shmoos)
        AddFoe(shmoo);

    // Only the blobs a splitting shmoo splits into are in the level, never the shmoo itself.
    Ready(Kind_ShmooInst);
    for (int i = 0; i < Black_SplitShmoo_Count; i++)
    {
        Black_SplitShmooPlace const& place = Black_SplitShmoos[i];
        splitShmoos[i] = new SplitShmoo(map, place.rp, place.range, place.scale);
    }
    for (SplitShmoo* splitter : splitShmoos)
        for (int k = 0; k < SplitShmoo::Shmoo_Total_Count; k++)
            AddFoe(splitter->GetShmoo(k));

    Ready(Kind_Rock);
    for (int i = 0; i < Black_Rock_Count; i++)
    {
        Black_StreamPlace const& stream = Black_Streams[i];
        rocks[i] = new Black_Rock(map, stream.rp, stream.angle, stream.speed, stream.steps, stream.rocks);
    }
    for (Black_Rock* stream : rocks)
    {
        objects->AddObject(stream);
        objects->AddEnemy(stream);
    }

    Ready(Kind_PushRock);
    pushRock =
        new Black_PushRock(map, Black_Rp_Boulder, Black_Boulder_Angle, Black_Boulder_Speed, Black_Boulder_Steps, ogre);
    objects->AddObject(pushRock);
}

void Black::FreeObjects()
{
    delete pushRock;
    pushRock = nullptr;
    Free(rocks);
    Free(splitShmoos);
    Free(shmoos);
    Free(doors);
    Free(wasps);
    Free(wavyBlobs);
    Free(imps);
    Free(killZones);
    Free(goblinDefenders);
    Free(goblins);
    Free(mozzies);
    delete ogre;
    ogre = nullptr;
    Free(signs);
    Free(spiders);
    Free(vultures);
    Free(pickUps);
    using Finaliser = void (*)();
    static constexpr Finaliser finalisers[Kind_Count] = {
        &PickUp::Finalise,         &ShmooInst::Finalise,  &Shmoo::Finalise,
        &Wasp::Finalise,           &WavyBlob::Finalise,   &Imp::Finalise,
        &GoblinDefend::Finalise,   &Goblin::Finalise,     &Mozzy::Finalise,
        &Black_PushRock::Finalise, &Black_Rock::Finalise, &Sign::Finalise,
        &Spider::Finalise,         &Vulture::Finalise,
    };
    for (int k = 0; k < Kind_Count; k++)
        if (ready[k])
        {
            ready[k] = false;
            finalisers[k]();
        }
}

Level_Action Black::Poll(KeyData keys)
{
    Level_Action const result = Level::Poll(keys);
    if (result != Level_Continue)
        return result;
    player->GiveEnergy(pushRock->GetHits());

    // Written every step, so that a travel back before the ogre's death shuts its barrier again;
    // the player's move lets both go again at its end.
    int const dead = player->IsPlayerDead();
    bool const walkingDead = dead == 3;
    map->passGroups[0] = walkingDead || ogre->IsDead(GetTick()) ? Black_Group_OgreGate : 0;
    map->passGroups[1] = walkingDead ? 0 : Black_Group_LivingGate;

    double const x = player->GetPos().x;
    if (!ogreHintShown && ogre->HitSeveralTimes())
    {
        message->Display("Your attacks don't seem to be doing any damage", Black_MessageTime);
        ogreHintShown = true;
    }
    if (!deadHintShown && walkingDead && Beyond(x, Black_StripX0) && Short(x, Black_StripX1))
    {
        message->Display("You are still dead, you cannot continue.", Black_MessageTime);
        message->Display("You need to find a way of reclaiming your health.", Black_MessageTime);
        deadHintShown = true;
    }
    if (Beyond(x, Black_EndZoneX))
    {
        player->SetCameraPos(&Black_EndView, CameraMove_Ease8, 0);
        player->SetCameraScale(Black_EndViewScale, CameraMove_Ease8);
    }
    else
    {
        player->SetCameraPos(nullptr, CameraMove_None, 0);
        player->SetCameraScale(0.0, CameraMove_None);
    }
    if (Beyond(x, Black_ExitX) && dead == 0)
        return Level_Completed;
    return Level_Continue;
}

void Black::Plot()
{
    // Drawn beyond the screen's edges by the wobble's margin, so that the wobble of time travel shows
    // no gap.
    Pointf const at(-SCREEN_WOBBLE, -SCREEN_WOBBLE);
    backdrop.Ahead(background, at, Black_BackgroundScale, Image_Left | Image_Bottom);
    PlotOpaqueFirst();
    backdrop.Render(background, at, Black_BackgroundScale, Image_Left | Image_Bottom);
    Level::Plot(Level_Plot_All);
}
