// Imp: the hop along its arc, the tumble after death, contact and drawing.
#include "creatures/Imp.h"

#include "engine/Map.h"
#include "media/Game_Sounds.h"
#include "media/Image.h"
#include "media/ImageFrames.h"
#include "util/Util.h"

#include <cassert>
#include <cmath>
#include <cstdlib>

namespace
{
char const* const impbasefile = "gfx/imp/imp";

constexpr double EighthTurn = 0.78539816339745; // the arc runs this far either side of the top
constexpr int Imp_HalfCycle = 25;
constexpr int Imp_TopTick = 12;   // of a half cycle: the top of the arc
constexpr int Imp_FrameTicks = 6; // each hop frame
constexpr int Imp_TumbleFrame = 3;
constexpr int Imp_TumbleTicks = 12;    // from the top to the arc's end
constexpr double Imp_SlideMost = 30.0; // ticks of the slide
constexpr double Imp_SlideSpeed = 3.0; // at its start
constexpr double Imp_SlideBrake = 0.05;
constexpr double Imp_TargetRaise = 16.0;
constexpr int Imp_SqueakMask = 0xFF;
constexpr int Imp_SqueakDraw = 0xB6;

int Mod(int a, int n)
{
    int const r = a % n;
    return r < 0 ? r + n : r;
}
} // namespace

Image* Imp::frames[Imp_Frame_Count] = {};

Imp::Imp(Map const* map, unsigned int ref, int startHitPoints) : Target(Sound_MonsterHit), hitPoints(startHitPoints)
{
    Pointf const at = map->GetRefPoint(ref);
    // Lowered so that both ends of the arc lie at the reference point's height.
    basePos = Pointf(at.x, at.y - Imp_Jump_Dist * std::sin(EighthTurn));
    frame = 0;
    rect = Rectf(-Imp_Width / 2.0, -Imp_Height / 2.0, Imp_Width / 2.0, Imp_Height / 2.0);
    // Drawn last: the worlds' construction draws follow one another in this order.
    phase = std::rand() % Imp_CycleTime;
}

void Imp::Initialise()
{
    LoadImageFrames(frames, Imp_Frame_Count, impbasefile, Image_Mask);
    if (gameSounds != nullptr)
        gameSounds->InitSound(Sound_Imp);
}

void Imp::Finalise()
{
    FreeImageFrames(frames, Imp_Frame_Count);
}

Tick Imp::StartDieAnim(bool* towardsMinusX) const
{
    if (deathTime == -1)
        return -1;
    int const n = (phase + deathTime + Imp_TopTick) / Imp_HalfCycle;
    if (towardsMinusX != nullptr)
        *towardsMinusX = n % 2 != 0;
    return Imp_HalfCycle * n - phase + Imp_TopTick;
}

Pointf Imp::PositionAtTime(Tick t, int* frameOut, double* angleOut, bool* mirroredOut) const
{
    bool side = false;
    Tick const start = StartDieAnim(&side);
    double a = 0.0;
    double rotation = 0.0;
    int shownFrame = 0;
    bool mirror = false;
    double slide = 0.0;
    if (start == -1 || t <= start)
    {
        int k = Mod(phase + t, Imp_CycleTime);
        if (k > Imp_HalfCycle - 1)
            k = Imp_CycleTime - k;
        a = (k * Util::HalfTurn / 2.0) / Imp_HalfCycle - EighthTurn;
        rotation = a / 3.0;
        shownFrame = Mod(phase + t, 4 * Imp_FrameTicks) / Imp_FrameTicks;
        if (shownFrame == 3)
            shownFrame = 1;
    }
    else
    {
        Tick const e = t - start;
        shownFrame = Imp_TumbleFrame;
        mirror = side;
        a = e <= Imp_TumbleTicks - 1 ? e * EighthTurn / (Imp_HalfCycle / 2.0) : EighthTurn;
        if (side)
            a = -a;
        if (Util::Equal(std::fabs(a), EighthTurn))
        {
            double f = e - Imp_TumbleTicks;
            if (f > Imp_SlideMost)
                f = Imp_SlideMost;
            slide = Imp_SlideSpeed * f - Imp_SlideBrake * f * f;
            if (side)
                slide = -slide;
        }
        rotation = 2.0 * a;
    }
    Pointf const at(basePos.x + Imp_Jump_Dist * std::sin(a) + slide, basePos.y + Imp_Jump_Dist * std::cos(a));
    if (frameOut != nullptr)
        *frameOut = shownFrame;
    if (angleOut != nullptr)
        *angleOut = rotation;
    if (mirroredOut != nullptr)
        *mirroredOut = mirror;
    return at;
}

void Imp::MoveToTime(Map const*, Tick t)
{
    if (!MovedAt(t))
        return;
    pos = PositionAtTime(t, &frame, &angle, &mirrored);
    // The squeak is an effect only: it draws from the C library's sequence and changes nothing.
    if ((std::rand() & Imp_SqueakMask) == Imp_SqueakDraw && gameSounds != nullptr)
        gameSounds->Play(Sound_Imp, &pos, false, 1.0);
}

void Imp::Render(Map const* map, Tick t) const
{
    if (!MovedAt(t))
        return;
    Image_Render_Flags const flags = Image_Centre | Image_Bottom | (mirrored ? Image_MirrorX : 0);
    assert(frames[frame] != nullptr && "frames[frame] != NULL");
    frames[frame]->Render(pos, angle, Imp_Width, Imp_Height, flags, &map->view);
}

bool Imp::ActivePoint(Pointf& centre, double& radius, double& objScale) const
{
    centre = basePos;
    radius = Imp_ActiveRadius;
    objScale = 1.0;
    return true;
}

int Imp::Hit(Tick t, int damage, Target_Hit_Flags flags)
{
    Target::Hit(t, damage, flags);
    return ChangeDeathTime(GetDeathTime(hitPoints));
}

int Imp::IsPlayerHit(Tick t, Pointf const* playerPos)
{
    if (!AliveAt(t))
        return 0;
    return playerPos->DistanceEst(&pos) < Imp_Hit_Dist ? 1 : 0;
}

bool Imp::GetTargetPos(Map const*, Tick t, Pointf& out) const
{
    if (!MovedAt(t))
        return false;
    out = PositionAtTime(t, nullptr, nullptr, nullptr);
    out.y += Imp_TargetRaise;
    return AliveAt(t);
}
