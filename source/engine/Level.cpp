// The level base: one step in its fixed order, time travel, the layered drawing and the HUD clocks.
#include "engine/Level.h"

#include "engine/CanDoIndicator.h"
#include "engine/Chest.h"
#include "engine/GameEvents.h"
#include "engine/Map.h"
#include "engine/MapMove.h"
#include "engine/Message.h"
#include "engine/ObjectList.h"
#include "engine/Player.h"
#include "engine/SpeechBubble.h"
#include "engine/TimeFrames.h"
#include "engine/TimeLog.h"
#include "media/GameFont.h"
#include "media/Game_Music.h"
#include "media/Game_Sounds.h"
#include "media/Image.h"
#include "util/Util.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <algorithm>
#include <cmath>

namespace
{

constexpr int Key_HintPanel = 8; // I

bool Held(KeyData const& keys, int key)
{
    return (keys.keys[key] & KeyState_Held) != 0;
}

bool Pressed(KeyData const& keys, int key)
{
    return (keys.keys[key] & KeyState_Pressed) != 0;
}

bool Released(KeyData const& keys, int key)
{
    return (keys.keys[key] & KeyState_Released) != 0;
}

std::uint32_t KeyMove(KeyData const& keys)
{
    std::uint32_t bits = 0;
    if (Held(keys, KeyIndex_GameLeft))
        bits |= Character_Left;
    if (Held(keys, KeyIndex_GameRight))
        bits |= Character_Right;
    if (Pressed(keys, KeyIndex_GameJump))
        bits |= Character_Jump;
    if (Held(keys, KeyIndex_GameJump))
        bits |= Character_JumpHeld;
    if (Held(keys, KeyIndex_GameAction))
        bits |= Character_Aim;
    if (Released(keys, KeyIndex_GameAction))
        bits |= Character_Fire;
    if (Pressed(keys, KeyIndex_GamePrevTarget))
        bits |= Character_PrevTarget;
    if (Pressed(keys, KeyIndex_GameNextTarget))
        bits |= Character_NextTarget;
    if (Held(keys, KeyIndex_GamePrevTarget))
        bits |= Character_RotateCW;
    if (Held(keys, KeyIndex_GameNextTarget))
        bits |= Character_RotateCCW;
    if (Pressed(keys, KeyIndex_GameView))
        bits |= Character_ToggleView;
    return bits;
}

#ifdef HM_DEVELOPER_KEYS
// Shift, Control and the letters L, E, V held with Escape up finish the level at once; only
// developer builds carry it, players never reach it.
bool DeveloperFinish(KeyData const& keys)
{
    return Held(keys, KeyIndex_Shift) && Held(keys, KeyIndex_Control) && Held(keys, KeyIndex_A + 11)
           && Held(keys, KeyIndex_A + 4) && Held(keys, KeyIndex_A + 21) && keys.keys[KeyIndex_Escape] == KeyState_Up;
}
#endif

// The kinds of line that play draws apart from the map's, the clocks' and the pictures' own:
// wide ones and ones coloured vertex by vertex.
void DrawLineKinds()
{
    glDisable(GL_TEXTURE_2D);
    for (float width : {1.0f, 2.0f, 3.0f, 4.0f})
    {
        glLineWidth(width);
        glColor4f(1.0f, 0.0f, 0.0f, 1.0f);
        glBegin(GL_LINE_LOOP);
        glVertex2f(300.0f, 220.0f);
        glVertex2f(340.0f, 220.0f);
        glVertex2f(340.0f, 260.0f);
        glEnd();
        glBegin(GL_LINE_STRIP);
        glColor3d(1.0, 0.0, 0.0);
        glVertex2d(300.0, 240.0);
        glColor3d(0.0, 1.0, 0.0);
        glVertex2d(340.0, 240.0);
        glEnd();
    }
    glLineWidth(1.0f);
}

void Hand(double angle, double length)
{
    glVertex2d(0.0, 0.0);
    glVertex2d(length * std::sin(angle), length * std::cos(angle));
}

} // namespace

double fadeSpeed = Level_FadeSpeed;

Level::Level(GameEvents* events) : gameEvents(events), sounds(gameSounds)
{
    // The objects of a level take their serials and their logs' key-frame offsets as it is
    // built; a level built twice from one seed then hashes, draws and replays the same values.
    Util::RestartSerials();
    TimeLog_RestartOffsets();
    if (sounds != nullptr)
        sounds->InitSound(Sound_Ticking);
    font = built.Own(new GameFont());
    built.Initialise([this] { SpeechBubble::Initialise(font); }, &SpeechBubble::Finalise);
    objects = built.Own(new ObjectList());
    built.Initialise(&Player::Initialise, &Player::Finalise);
    message = built.Own(new Message(font));
    timeFrames = built.Own(new TimeFrames());
}

Level::~Level()
{
    // A level may end at the time limit or in the middle of a travel: its ticking must not
    // follow the player to the map screen, nor its mute silence the next level.
    if (sounds != nullptr)
    {
        sounds->Stop(Sound_Ticking);
        sounds->mute = 0;
    }
    chestPuzzle.reset();
    built.Clear();
}

std::int32_t Level::EaseTimeSpeed(std::int32_t speed, bool back, bool forward)
{
    if (speed > 0)
        speed = std::max(speed - TIME_CHANGE_DECEL, 0);
    else
        speed = std::min(speed + TIME_CHANGE_DECEL, 0);
    if (back)
        speed = std::max(speed - (TIME_CHANGE_SPEED + TIME_CHANGE_DECEL), -MAX_TIME_CHANGE);
    else if (forward)
        speed = std::min(speed + (TIME_CHANGE_SPEED + TIME_CHANGE_DECEL), MAX_TIME_CHANGE / 2);
    return speed;
}

bool Level::TimeTravelLearnt() const
{
    return gameEvents->Happened(Event_TimeTravel, 0);
}

void Level::SetProjection()
{
    double w = timeTravelling ? std::sin(wobblePhase) * SCREEN_WOBBLE : 0.0;
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluOrtho2D(w, 640.0 - w, -w, 480.0 + w);
    glMatrixMode(GL_MODELVIEW);
    Image::CheckGlError();
    if (!warmedUp)
        WarmUp();
}

void Level::WarmUp()
{
    warmedUp = true;
    Image::DrawEveryImage(Pointf(320.0, 240.0));
    if (map != nullptr)
        map->Render(time, Map_Render_Flags(Map_Render_Back | Map_Render_Fore));
    DrawLineKinds();
    RenderClock(Level_TotalTime, 320, 240);
    RenderTint();
    Pointf const at(320.0, 240.0);
    font->Render("Out of time!", -1, Font_Centre | Font_Top, &at, 1.0);
    if (opaqueFirst && map != nullptr && map->RenderOpaqueFirst(time))
    {
        // The same kinds of drawing tested against the depth buffer: written to it, unblended
        // and as lines, as the opaque polygons are, then only tested, as everything after them.
        glDepthMask(GL_TRUE);
        DrawLineKinds();
        glDisable(GL_BLEND);
        Image::DrawEveryImage(at);
        glEnable(GL_BLEND);
        glDepthMask(GL_FALSE);
        glDepthRange(map->BackdropDepth(), map->BackdropDepth());
        Image::DrawEveryImage(at);
        map->Render(time, Map_Render_Back);
        glDepthRange(map->ObjectsDepth(), map->ObjectsDepth());
        DrawLineKinds();
        RenderClock(Level_TotalTime, 320, 240);
        RenderTint();
        font->Render("Out of time!", -1, Font_Centre | Font_Top, &at, 1.0);
        map->Render(time, Map_Render_Fore);
        map->EndDepthOrder();
    }
    // Finished before the clear, the driver lets go of what it kept of these draws at once
    // rather than holding it (megabytes) through the first frame.
    glFinish();
    glClear(GL_COLOR_BUFFER_BIT);
    Image::CheckGlError();
}

void Level::Plot()
{
    Plot(Level_Plot_All);
}

void Level::Plot(Level_Plot_Flags flags)
{
    Tick tick = GetTick();
    if (flags & Level_Plot_Back)
    {
        // A frame begins here unless the world began it for its backdrop.
        if (!opaqueFirstPlotted)
            PlotOpaqueFirst();
        opaqueFirstPlotted = false;
        map->Render(time, Map_Render_Back);
        if (map->DepthOrdered())
            glDepthRange(map->ObjectsDepth(), map->ObjectsDepth());
    }
    if (flags & Level_Plot_Objects)
        objects->Render(map, tick);
    if (flags & Level_Plot_Player)
    {
        timeFrames->Render(map, tick);
        player->Render(map, time);
    }
    if (flags & Level_Plot_Fore)
        map->Render(time, Map_Render_Fore);
    // Nothing after the fore layer lies under anything.
    if (flags & ~(Level_Plot_Back | Level_Plot_Objects | Level_Plot_Player))
        map->EndDepthOrder();
    if (flags & Level_Plot_ObjectsFore)
        objects->RenderFore(map, tick);
    if ((flags & Level_Plot_Tint) && timeTravelling)
        RenderTint();
    if (flags & Level_Plot_Hud)
    {
        player->RenderHUD(map, time);
        RenderClocks();
        if (chestPuzzle != nullptr)
            chestPuzzle->Plot();
    }
    if (flags & Level_Plot_Panel)
    {
        if (canDo != nullptr && gameEvents->Happened(Event_Hint, tick))
            canDo->Render(tick);
        message->Render();
    }
}

void Level::PlotOpaqueFirst()
{
    map->EndDepthOrder();
    if (opaqueFirst && map->RenderOpaqueFirst(time))
        glDepthRange(map->BackdropDepth(), map->BackdropDepth());
    opaqueFirstPlotted = true;
}

void Level::RenderTint()
{
    glDisable(GL_TEXTURE_2D);
    glColor4d(0.13, 0.64, 0.46, 0.2);
    glBegin(GL_QUADS);
    glVertex2d(-6.0, -6.0);
    glVertex2d(-6.0, 486.0);
    glVertex2d(646.0, 486.0);
    glVertex2d(646.0, -6.0);
    glEnd();
}

Level_Action Level::Poll(KeyData keys)
{
    if (chestPuzzle != nullptr)
    {
        int result = chestPuzzle->Poll(&keys);
        if (result != 0)
        {
            if (result == 2 && openingChest != nullptr)
                openingChest->Open(GetTick());
            chestPuzzle.reset();
            openingChest = nullptr;
        }
        return Level_Continue;
    }

    if (sounds != nullptr)
        sounds->SetCentrePoint(map->GetCentrePoint(), player->GetScale());
    if (music != nullptr)
        music->Poll();
    player->keys = KeyMove(keys);

#ifdef HM_DEVELOPER_KEYS
    if (DeveloperFinish(keys))
        return Level_Completed;
#endif

    int dead = player->IsPlayerDead();
    StartTimeTravel(keys, dead);

    Tick tick = GetTick();
    bool learnt = TimeTravelLearnt();
    if (learnt && (tick > Level_TimeWarning || realSteps > Level_TimeWarning))
    {
        if (sounds != nullptr)
            sounds->Loop(Sound_Ticking);
    }
    else if (sounds != nullptr)
    {
        sounds->Stop(Sound_Ticking);
    }
    if (learnt && (tick > Level_TotalTime || realSteps > Level_TotalTime) && (dead == 0 || dead == 3))
    {
        player->forceDeath = true;
        player->Die();
    }

    // The tick of a travel step, also of the one that ends the travel, is shown again, not lived:
    // objects answer it from their records.
    bool const replaying = timeTravelling;
    if (timeTravelling)
        TimeTravelStep(keys);

    objects->MoveToTime(map, GetTick(), Object_Step{replaying, mapMove});
    WorldUpdate();

    if (!timeTravelling)
        player->InfluenceObjects(time, objects);

    if (canDo != nullptr && gameEvents->Happened(Event_Hint, GetTick()))
    {
        canDo->SetEnable(Held(keys, Key_HintPanel));
        canDo->Poll();
    }
    message->Poll();

    if (!timeTravelling)
    {
        time += 256;
        realSteps += 1;
    }
    return player->IsPlayerDead() == 2 ? Level_Left : Level_Continue;
}

void Level::StartTimeTravel(KeyData const& keys, int dead)
{
    if (timeTravelling || !timeTravelAllowed || player->scripted || dead == 1 || dead == 2 || !TimeTravelLearnt())
        return;
    if (!Pressed(keys, KeyIndex_GameBackInTime) && !Pressed(keys, KeyIndex_GameForwardInTime))
        return;
    timeTravelling = true;
    timeSpeed = 0;
    wobblePhase = 0.0;
    player->TimeTravel(GetTick());
    if (sounds != nullptr)
        sounds->mute = 1;
}

void Level::TimeTravelStep(KeyData const& keys)
{
    std::int32_t kept = time;
    timeSpeed = EaseTimeSpeed(timeSpeed, Held(keys, KeyIndex_GameBackInTime), Held(keys, KeyIndex_GameForwardInTime));
    wobblePhase += 0.04;
    if (wobblePhase > Util::FullTurn)
        wobblePhase -= Util::FullTurn;
    time += timeSpeed;
    if (time < 0)
    {
        time = 0;
        timeSpeed = 0;
    }
    // Travel never carries the clock into the warning zone.
    if (GetTick() > Level_TimeWarning && timeSpeed > 0)
    {
        time = kept;
        timeSpeed = 0;
    }
    if (Pressed(keys, KeyIndex_GameJump))
    {
        timeFrames->NewFrame(GetTick());
        timeTravelling = false;
        player->keys &= ~static_cast<std::uint32_t>(Character_Jump);
        if (sounds != nullptr)
            sounds->mute = 0;
    }
}

void Level::WorldUpdate()
{
    if (timeTravelling)
    {
        if (mapMove != nullptr)
            mapMove->Move(map, time, nullptr);
        return;
    }
    if (mapMove != nullptr)
        mapMove->Move(map, time, player);
    player->Move(time);
    if (TimeTravelLearnt())
        timeFrames->AddEcho(player);
    openingChest = player->OpeningChest();
    if (openingChest != nullptr && makeChestPuzzle)
        chestPuzzle = makeChestPuzzle(openingChest->GetId());
    else
        openingChest = nullptr;
}

void Level::RenderClocks()
{
    if (!TimeTravelLearnt())
        return;
    Tick tick = GetTick();
    if (timeTravelAllowed)
    {
        RenderClock(tick, 304, 464);
        RenderClock(realSteps, 336, 464);
    }
    else
    {
        RenderClock(tick, 320, 464);
    }
    if (tick > Level_TotalTime || realSteps > Level_TotalTime)
    {
        glDisable(GL_TEXTURE_2D);
        glColor4d(1.0, 1.0, 1.0, 1.0);
        glBegin(GL_QUADS);
        glVertex2d(250.0, 440.0);
        glVertex2d(250.0, 420.0);
        glVertex2d(390.0, 420.0);
        glVertex2d(390.0, 440.0);
        glEnd();
        Pointf at(320.0, 440.0);
        font->Render("Out of time!", -1, Font_Centre | Font_Top, &at, 1.0);
    }
}

void Level::RenderClock(Tick t, int x, int y)
{
    t = std::min(t, Level_TotalTime);
    glDisable(GL_TEXTURE_2D);
    glLineWidth(1.0f);
    glPushMatrix();
    glTranslated(x, y, 0.0);

    if (t > Level_TimeWarning)
        glColor4d(1.0, 0.5, 0.5, 1.0);
    else
        glColor4d(1.0, 1.0, 1.0, 1.0);
    double const step = Util::HalfTurn / 16.0;
    glBegin(GL_TRIANGLE_FAN);
    for (int k = 0; k < 32; ++k)
        glVertex2d(Clock_Radius * std::sin(k * step), Clock_Radius * std::cos(k * step));
    glEnd();

    glColor4d(0.0, 0.0, 0.0, 1.0);
    glBegin(GL_LINE_LOOP);
    for (int k = 0; k < 32; ++k)
        glVertex2d(Clock_Radius * std::sin(k * step), Clock_Radius * std::cos(k * step));
    glEnd();

    glBegin(GL_LINES);
    for (int k = 0; k < 12; ++k)
    {
        double a = k * Util::HalfTurn / 6.0;
        glVertex2d(Clock_Tick1 * std::sin(a), Clock_Tick1 * std::cos(a));
        glVertex2d(Clock_Tick2 * std::sin(a), Clock_Tick2 * std::cos(a));
    }
    glEnd();

    double const turn = t * Util::FullTurn / Level_TotalTime;
    glColor4d(1.0, 0.0, 0.0, 1.0);
    glBegin(GL_LINES);
    Hand(turn * 720.0, Clock_HandLength);
    glEnd();
    glColor4d(0.0, 0.0, 0.0, 1.0);
    glBegin(GL_LINES);
    Hand(turn * 12.0, Clock_HandLength);
    Hand(turn, Clock_HandLength * 0.75);
    glEnd();

    glPopMatrix();
}
