// TreeV_DoorSwitch and TreeV_Switch: hits, the door's fall curve, its sounds and the name plate.
#include "treevillage/TreeV_DoorSwitch.h"

#include "engine/GameEvents.h"
#include "engine/Map.h"
#include "engine/TimeSet.h"
#include "media/GameFont.h"
#include "media/Game_Sounds.h"
#include "media/Image.h"

#include <GL/gl.h>

#include <algorithm>
#include <cassert>
#include <cstdlib>
#include <cstring>

namespace
{
constexpr std::int32_t Plate_Pixel = 0x100;       // one pixel in 24.8
constexpr std::int32_t Plate_Start = 640 * 0x100; // off the right of the screen
constexpr std::int32_t Plate_Rest = 4 * 0x100;
constexpr std::int32_t Plate_OutSpeed = 8 * 0x100;
constexpr int Plate_Wait = 30;
constexpr int Plate_ShowTime = 100;
constexpr double Plate_Y = 320.0;
constexpr double Door_FallArea = 160.0;
constexpr double Door_SoundSide = 100.0;

char* CopyLine(char const* line)
{
    if (line == nullptr)
        return nullptr;
    std::size_t const n = std::strlen(line) + 1;
    char* copy = new char[n];
    std::memcpy(copy, line, n);
    return copy;
}
} // namespace

TreeV_Switch::TreeV_Switch(Map const* map, unsigned int refPoint, TimeSet* blockedTicks,
                           TreeV_DoorSwitch_TextMode* plateState)
    : Target(Sound_None), position(map->GetRefPoint(refPoint)), blocked(blockedTicks), plate(plateState)
{
    rect = Rectf(-Switch_Size, -Switch_Size, Switch_Size, Switch_Size);
}

void TreeV_Switch::Render(Map const* map, Tick) const
{
    if (image != nullptr)
        image->Render(position, 0.0, 2.0 * Switch_Size, 2.0 * Switch_Size, Image_Centre | Image_Middle, &map->view);
}

int TreeV_Switch::Hit(Tick t, int damage, Target_Hit_Flags hitFlags)
{
    if (enabled)
    {
        if (blocked->CheckRange(TimeRange(t, t + Door_TotalTime)))
            return 0;
        Target::Hit(t, damage, hitFlags);
        blocked->AddRange(TimeRange(t, t + Door_TotalTime));
    }
    if (plate != nullptr && *plate == TreeV_Plate_Idle)
        *plate = TreeV_Plate_Waiting;
    return 0;
}

bool TreeV_Switch::GetTargetPos(Map const*, Tick, Pointf& out) const
{
    out = position;
    return true;
}

Tick TreeV_Switch::FindClosestHit(Tick t) const
{
    Tick when = GameEvent_HasntHappened;
    return BeenHit(t, &when) ? when : GameEvent_HasntHappened;
}

TreeV_DoorSwitch::TreeV_DoorSwitch(Map* map, int group, unsigned int pivotRp, unsigned int switch0Rp,
                                   unsigned int switch1Rp, TreeV_DoorSwitch_Flags doorFlags)
    : flags(doorFlags), pivot(map->GetRefPoint(pivotRp))
{
    // Everything the door reads from the map first: a constructor that throws runs no destructor,
    // so nothing may be built yet.
    map->RequireGroup(static_cast<unsigned int>(group));
    map->GetRefPoint(switch0Rp);
    map->GetRefPoint(switch1Rp);
    moves.Init(1);
    moves[0].kind = MoveObject_Rotate;
    moves[0].group = static_cast<std::uint32_t>(group);
    moves[0].centre = pivot;
    blocked = new TimeSet();
    Pointf const corner((flags & TreeV_Door_FallsLeft) != 0 ? pivot.x - Door_FallArea : pivot.x,
                        pivot.y - Door_FallArea);
    fallArea = new Rectf(&corner, Door_FallArea, Door_FallArea);
    // The door is stored lying flat: its cover must hold it standing too.
    Rectf const cover(-20.0, -20.0, 20.0, 180.0);
    map->SetGroupCover(static_cast<unsigned int>(group), &cover);
    switches[0] = new TreeV_Switch(map, switch0Rp, blocked, &textMode);
    switches[1] = new TreeV_Switch(map, switch1Rp, blocked, nullptr);
    SetEnable(true);
}

TreeV_DoorSwitch::~TreeV_DoorSwitch()
{
    delete fallArea;
    delete blocked;
    delete switches[0];
    delete switches[1];
    delete[] line1;
    delete[] line2;
}

void TreeV_DoorSwitch::Initialise(GameFont* font)
{
    assert(TreeV_Switch::image == nullptr && "image == NULL");
    TreeV_Switch::image = new Image("gfx/general/target.png", 0, false);
    gameFont = font;
    if (gameSounds != nullptr)
    {
        gameSounds->InitSound(Sound_DoorCreak);
        gameSounds->InitSound(Sound_DoorThud);
        gameSounds->InitSound(Sound_Hit);
    }
}

void TreeV_DoorSwitch::Finalise()
{
    delete TreeV_Switch::image;
    TreeV_Switch::image = nullptr;
    gameFont = nullptr;
}

void TreeV_DoorSwitch::SetMessage(char const* text1, char const* text2)
{
    delete[] line1;
    delete[] line2;
    line1 = CopyLine(text1);
    line2 = CopyLine(text2);
}

void TreeV_DoorSwitch::SetEnable(bool enable)
{
    switches[0]->enabled = enable;
    switches[1]->enabled = enable;
}

TreeV_Switch* TreeV_DoorSwitch::GetSwitch(int id) const
{
    return switches[id == 0 ? 0 : 1];
}

void TreeV_DoorSwitch::MoveToTime(Map const*, Tick)
{
    switch (textMode)
    {
    case TreeV_Plate_Waiting:
        if (--timer <= 0)
        {
            textX = Plate_Start;
            textMode = TreeV_Plate_SlidingIn;
        }
        break;
    case TreeV_Plate_SlidingIn:
        textX += (Plate_Rest - textX) / 8;
        if (std::abs((textX >> 8) - Plate_Rest / Plate_Pixel) < 2)
        {
            textX = Plate_Rest;
            timer = Plate_ShowTime;
            textMode = TreeV_Plate_Showing;
        }
        break;
    case TreeV_Plate_Showing:
        if (--timer <= 0)
            textMode = TreeV_Plate_SlidingOut;
        break;
    case TreeV_Plate_SlidingOut:
        textX -= Plate_OutSpeed;
        if (textX < -Plate_Start)
        {
            timer = Plate_Wait;
            textMode = TreeV_Plate_Idle;
        }
        break;
    default:
        break;
    }
}

void TreeV_DoorSwitch::RenderFore(Map const*, Tick) const
{
    if (textMode < TreeV_Plate_SlidingIn || line1 == nullptr || gameFont == nullptr)
        return;
    int const x = textX >> 8;
    int const h = gameFont->GetHeight();
    int const w = std::max(gameFont->MeasureText(line1, -1), line2 != nullptr ? gameFont->MeasureText(line2, -1) : 0);
    double const left = x - 4;
    double const right = x + w;
    double const low = Plate_Y - (line2 != nullptr ? (3 * h) / 2 : h / 2) - 4;
    double const high = Plate_Y + h / 2 + 4;

    glDisable(GL_TEXTURE_2D);
    glColor4f(1.0f, 1.0f, 1.0f, 0.4f);
    glBegin(GL_QUADS);
    glVertex2d(left, low);
    glVertex2d(right, low);
    glVertex2d(right, high);
    glVertex2d(left, high);
    glEnd();
    glColor4f(0.0f, 0.0f, 0.0f, 1.0f);
    glLineWidth(1.0f);
    glBegin(GL_LINE_LOOP);
    glVertex2d(left, low);
    glVertex2d(right, low);
    glVertex2d(right, high);
    glVertex2d(left, high);
    glEnd();

    Pointf at(x, Plate_Y);
    gameFont->Render(line1, -1, Font_Left | Font_Middle, &at, 1.0);
    if (line2 != nullptr)
    {
        at.y -= h;
        gameFont->Render(line2, -1, Font_Left | Font_Middle, &at, 1.0);
    }
}

void TreeV_DoorSwitch::PlayerAtPos(Tick t, Pointf const* playerPos)
{
    if (fallArea->Contains(playerPos))
        blocked->Add(t);
}

void TreeV_DoorSwitch::MoveMapGroup(Map const*, Tick t, FlatList<MoveObject>** orders)
{
    Tick const h = std::max(switches[0]->FindClosestHit(t), switches[1]->FindClosestHit(t));
    int const d = h == GameEvent_HasntHappened ? 0 : static_cast<int>(t - h);
    // Asked again for the same tick, the door has nothing new to say.
    if (t != soundTick)
    {
        soundTick = t;
        if (d == 1)
            Sound(Sound_DoorCreak);
        else if (d == Door_TimeToFall || d == Door_TimeToFall + Door_TimeToBounce1
                 || d == Door_TimeToFall + Door_TimeToBounce1 + Door_TimeToBounce2)
            Sound(Sound_DoorThud);
    }
    double const a = CalcRotation(d);
    moves[0].newAngle = (flags & TreeV_Door_FallsLeft) != 0 ? a : -a;
    *orders = &moves;
}

double TreeV_DoorSwitch::CalcRotation(int d)
{
    double const fallCurve = Door_Acceleration / 2.0;
    if (d < 0 || d >= Door_TotalTime)
        return Door_Upright;
    if (d < Door_TimeToFall)
        return Door_Upright - fallCurve * d * d;
    int const e = d - Door_TimeToFall;
    if (e < Door_TimeToBounce1)
        return -Door_Bounce1Speed * e - fallCurve * e * e;
    int const f = e - Door_TimeToBounce1;
    if (f < Door_TimeToBounce2)
        return -Door_Bounce2Speed * f - fallCurve * f * f;
    int const g = f - Door_TimeToBounce2;
    if (g < Door_RestTime)
        return 0.0;
    int const k = g - Door_RestTime;
    return Door_Upright * k / Door_ReturnTime;
}

void TreeV_DoorSwitch::Sound(Sound_Id id)
{
    if (gameSounds == nullptr)
        return;
    double const side = (flags & TreeV_Door_FallsLeft) != 0 ? -Door_SoundSide : Door_SoundSide;
    Pointf const at(pivot.x + side, pivot.y);
    gameSounds->Play(id, &at, false, 1.0);
}
