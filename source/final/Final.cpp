// Final: building the den, the death test, the arena's camera, the closing sequence and the shaking screen.
#include "final/Final.h"

#include "engine/KillZone.h"
#include "engine/Map.h"
#include "engine/ObjectList.h"
#include "engine/PickUp.h"
#include "engine/Player.h"
#include "final/Final_Dragon.h"
#include "final/Final_Overlay.h"
#include "media/Game_Music.h"
#include "media/Game_Sounds.h"
#include "media/Image.h"
#include "util/Util.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <cstdlib>

namespace
{

constexpr char const* Final_ImageMap = "final/imagemap";
constexpr char const* Final_MapFile = "final/map";
constexpr char const* Final_Music = "music/final.mp3";
constexpr int Final_GemRow = Level_Final - 1; // of the saved level flags; the den has no gem

constexpr int Music_FullVolume = 255;

// v lies beyond c by more than the tolerance, either way.
bool Above(double v, double c)
{
    return v > c && !Util::Equal(v, c);
}

bool Below(double v, double c)
{
    return v < c && !Util::Equal(v, c);
}

// How far the screen is thrown this frame, -4 to just under 4: cosmetic, from the C library's
// generator, new every frame and never replayed.
double ShakeOffset()
{
    return ((std::rand() & 0x3FF) - 512) / 128.0;
}

} // namespace

Final::Final(GameEvents* gameEventsIn) : World_Base(gameEventsIn, Final_GemRow)
{
    LoadMap(Final_ImageMap, Final_MapFile);
    PlacePlayer(Final_Rp_Start);
    // The socks do not save him from the dragon.
    player->forceDeath = true;

    dragon = built.Own(new Final_Dragon(map->GetRefPoint(Final_Rp_Dragon), sounds));
    objects->AddObject(static_cast<Object*>(dragon));
    objects->AddEnemy(dragon);
    objects->AddTarget(dragon);
    if (sounds != nullptr)
        sounds->InitSound(Sound_Dragon3);

    killZone = built.Own(new KillZone(map, Final_Rp_KillZone[0], Final_Rp_KillZone[1]));
    objects->AddEnemy(killZone);

    built.Initialise([] { PickUp::Initialise(PickUp_Heart); }, &PickUp::Finalise);
    heart1 = built.Own(new PickUp(map->GetRefPoint(Final_Rp_Hearts[0]), PickUp_Heart, false, 1.0));
    heart2 = built.Own(new PickUp(map->GetRefPoint(Final_Rp_Hearts[1]), PickUp_Heart, false, 1.0));
    objects->AddObject(heart1);
    objects->AddObject(heart2);

    map->PreprocessCollision();
    finishCounter = -1;
    PlayMusic(Final_Music);
}

Final::~Final()
{
    fadeSpeed = Level_FadeSpeed;
    Game_Music::SetSecondVolume(Music_FullVolume);
}

bool Final::InArena(Pointf p)
{
    return Above(p.x, Final_Arena_Left) && Below(p.x, Final_Arena_Right) && Above(p.y, Final_Arena_Floor);
}

Level_Action Final::Poll(KeyData keys)
{
    // Once the dragon is dead the level stands still at the step of its death.
    if (finishCounter >= 0)
        return PollFinished();

    Level_Action const result = Level::Poll(keys);
    if (result != Level_Continue)
        return result;

    // Asked at the tick the step has just moved on to; a travel shows ticks, it does not live them.
    if (!timeTravelling && finishCounter == -1 && dragon->Dead(GetTick()))
    {
        if (sounds != nullptr)
            sounds->Play(Sound_Dragon3, nullptr, false, 1.0);
        finishCounter = 0;
        fadeSpeed = Final_Finish_FadeSpeed;
    }

    if (InArena(player->GetPos()))
    {
        Pointf const centre(Final_Arena_CentreX, Final_Arena_CentreY);
        player->SetCameraPos(&centre, CameraMove_Ease8, 0);
        player->SetCameraScale(Final_Arena_Zoom, CameraMove_Ease8);
    }
    else
    {
        player->SetCameraPos(nullptr, CameraMove_None, 0);
        player->SetCameraScale(0.0, CameraMove_None);
    }
    return Level_Continue;
}

Level_Action Final::PollFinished()
{
    int const c = ++finishCounter;
    if (c >= Final_Finish_MusicFade && c <= Final_Finish_Steps)
        Game_Music::SetSecondVolume(Final_Finish_Steps - c);
    if (c == Final_Finish_HideDragon)
    {
        player->ClearTargets();
        dragon->Hide();
    }
    return c == Final_Finish_Steps ? Level_Completed : Level_Continue;
}

void Final::SetProjection()
{
    if (timeTravelling || !dragon->Screaming(GetTick()))
    {
        shake = Pointf(0.0, 0.0);
        Level::SetProjection();
        return;
    }
    double const dx = ShakeOffset();
    double const dy = ShakeOffset();
    shake = Pointf(dx, dy);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluOrtho2D(dx, dx + 640.0, dy, dy + 480.0);
    glMatrixMode(GL_MODELVIEW);
    Image::CheckGlError();
    if (!warmedUp)
        WarmUp();
}

void Final::Plot()
{
    Level::Plot(Level_Plot_All);
    Final_Overlay::Plot(finishCounter);
}
