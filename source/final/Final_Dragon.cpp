// Final_Dragon: the action cycle, the head on its neck, flames, falling rocks, hit points and drawing.
#include "final/Final_Dragon.h"

#include "engine/HitInfo.h"
#include "engine/Map.h"
#include "final/Final_Ids.h"
#include "media/Game_Sounds.h"
#include "media/Image.h"
#include "util/Bezier.h"
#include "util/Util.h"

#include <GL/gl.h>

#include <algorithm>
#include <cassert>
#include <cmath>

namespace
{
// The actions' lengths within one round, in order; the rest follows the third round.
constexpr int Action_Lengths[] = {
    Final_Dragon::Dragon_Move1_Time,  Final_Dragon::Dragon_Fire_Time,  Final_Dragon::Dragon_Move2_Time,
    Final_Dragon::Dragon_Fire_Time,   Final_Dragon::Dragon_Move3_Time, Final_Dragon::Dragon_Fire_Time,
    Final_Dragon::Dragon_Move4_Time,  Final_Dragon::Dragon_Fire_Time,  Final_Dragon::Dragon_Move5_Time,
    Final_Dragon::Dragon_Scream_Time, Final_Dragon::Dragon_Wait_Time,
};
constexpr int Dragon_RestStart = Final_Dragon::Dragon_FullCycle_Time - Final_Dragon::Dragon_Recharge_Time;
constexpr int Dragon_RechargeRate = 2;    // hit points back per tick of the rest, after its first
constexpr int Dragon_RechargeSound = 100; // ticks between the rest's sounds

constexpr double Head_FrontAngle = 0.3; // nearer upright than this, the head faces the player

constexpr double Flame_Speed = 8.0;     // units per tick
constexpr double Flame_Turn = 1.8;      // the flames leave the mouth this far round from the head
constexpr double Flame_Spin = 0.1;      // most turn per tick of age
constexpr double Rock_Speed = 4.0;      // the slowest fall, units per tick
constexpr double Rock_SmallSpeed = 4.0; // the small ones fall this much faster
constexpr double Rock_Spin = 0.4;
constexpr double Hurt_Distance = 16.0; // |dx| + |dy| within which a flame or large rock hurts

constexpr double Bar_Left = 213.0; // the health bar, in screen units
constexpr double Bar_Right = 426.0;
constexpr double Bar_Bottom = 10.0;
constexpr double Bar_Top = 30.0;

// In the order of the pictures' slots.
char const* const Dragon_Files[] = {
    "gfx/final/dragon/body.png",      "gfx/final/dragon/neck.png",      "gfx/final/dragon/headlook0.png",
    "gfx/final/dragon/headlook1.png", "gfx/final/dragon/headfwd0.png",  "gfx/final/dragon/headfwd1.png",
    "gfx/final/dragon/gem.png",       "gfx/final/dragon/gemon.png",     "gfx/final/dragon/flame.png",
    "gfx/final/dragon/smallrock.png", "gfx/final/dragon/largerock.png",
};

// A value from 10 bits of the tick hash, -1 to just under 1.
double Signed10(Tick s)
{
    return ((Util::Random(s) & 0x3FF) - 512) / 512.0;
}

bool Hurts(Pointf const* p, Pointf const& thing)
{
    double const d = p->DistanceEst(&thing);
    return d < Hurt_Distance && !Util::Equal(d, Hurt_Distance);
}

bool FireAction(int action)
{
    return action == Final_Dragon::Action_FireNear || action == Final_Dragon::Action_FireFar
           || action == Final_Dragon::Action_FireRightNear || action == Final_Dragon::Action_FireRightFar;
}

void Vertex(Map const* map, Pointf p, double s, double t)
{
    Pointf const at = map->WorldToScreen(p);
    glTexCoord2d(s, t);
    glVertex2d(at.x, at.y);
}
} // namespace

Image* Final_Dragon::bodyImg = nullptr;
Image* Final_Dragon::neckImg = nullptr;
Image* Final_Dragon::look0Img = nullptr;
Image* Final_Dragon::look1Img = nullptr;
Image* Final_Dragon::headfwd0Img = nullptr;
Image* Final_Dragon::headfwd1Img = nullptr;
Image* Final_Dragon::gemImg = nullptr;
Image* Final_Dragon::gemOnImg = nullptr;
Image* Final_Dragon::flameImg = nullptr;
Image* Final_Dragon::smallrockImg = nullptr;
Image* Final_Dragon::largerockImg = nullptr;
Image** const Final_Dragon::slots[Dragon_ImageCount] = {
    &bodyImg, &neckImg,  &look0Img, &look1Img,     &headfwd0Img,  &headfwd1Img,
    &gemImg,  &gemOnImg, &flameImg, &smallrockImg, &largerockImg,
};

Final_Dragon::Final_Dragon(Pointf footPos, Game_Sounds* soundTable)
    : Target(Sound_MonsterHit), sounds(soundTable), pos(footPos)
{
    for (Image** slot : slots)
        assert(*slot == nullptr && "only one dragon at a time");
    try
    {
        for (int i = 0; i < Dragon_ImageCount; ++i)
            *slots[i] = new Image(Dragon_Files[i], Image_Mask, false);
    }
    catch (...)
    {
        // The destructor does not run for a constructor that throws.
        FreeImages();
        throw;
    }
    if (sounds != nullptr)
    {
        sounds->InitSound(Sound_Dragon1);
        sounds->InitSound(Sound_Dragon2);
        sounds->InitSound(Sound_Recharge);
    }
    double const halfWidth = look0Img->GetWidth() / 2;
    double const halfHeight = look0Img->GetHeight() / 2;
    rect = Rectf(-halfWidth, -halfHeight, halfWidth, halfHeight);
}

Final_Dragon::~Final_Dragon()
{
    FreeImages();
}

void Final_Dragon::FreeImages()
{
    for (Image** slot : slots)
    {
        delete *slot;
        *slot = nullptr;
    }
}

bool Final_Dragon::Screaming(Tick t) const
{
    return FindAction(t, nullptr) == Action_Scream;
}

bool Final_Dragon::Dead(Tick t) const
{
    return GetHitPoints(t) < 1;
}

void Final_Dragon::Hide()
{
    hidden = true;
}

int Final_Dragon::GetHitPoints(Tick t) const
{
    if (t < 0)
        return Dragon_HitPoints;
    // The index of the last hit at or before a tick, -1 when there is none: the difference of
    // two counts the hits between, one point each whatever their damage.
    auto floor = [this](Tick at) {
        HitInfo const key(at, 0, 0);
        return hits->FindItem(&key);
    };
    Tick const current = t - t % Dragon_FullCycle_Time;
    int value = Dragon_HitPoints;
    // Each cycle starts from what the one before ended with.
    for (Tick start = 0;; start += Dragon_FullCycle_Time)
    {
        Tick const end = start == current ? t : start + Dragon_FullCycle_Time - 1;
        value = std::max(value - (floor(end) - floor(start - 1)), 0);
        int const c = end - start;
        if (c > Dragon_RestStart)
            value = std::min(value + Dragon_RechargeRate * (c - Dragon_RestStart), Dragon_HitPoints);
        if (start == current)
            return value;
    }
}

int Final_Dragon::FindAction(Tick t, int* elapsed) const
{
    int c = t % Dragon_FullCycle_Time;
    if (c < 0)
        c += Dragon_FullCycle_Time;
    int action = Action_Rest;
    if (c >= Dragon_RestStart)
    {
        c -= Dragon_RestStart;
    }
    else
    {
        c %= Dragon_Cycle_Time;
        action = 0;
        while (c >= Action_Lengths[action])
            c -= Action_Lengths[action++];
    }
    if (elapsed != nullptr)
        *elapsed = c;
    return action;
}

double Final_Dragon::GetHeadAngle(Tick t) const
{
    int e = 0;
    switch (FindAction(t, &e))
    {
    case Action_SweepNear:
        return SineMove(e, Dragon_Move1_Time, 0.0, -Dragon_Near_Angle);
    case Action_FireNear:
        return -Dragon_Near_Angle;
    case Action_SweepFar:
        return SineMove(e, Dragon_Move2_Time, -Dragon_Near_Angle, -Dragon_Far_Angle);
    case Action_FireFar:
        return -Dragon_Far_Angle;
    case Action_SweepAcross:
        return SineMove(e, Dragon_Move3_Time, -Dragon_Far_Angle, Dragon_Near_Angle);
    case Action_FireRightNear:
        return Dragon_Near_Angle;
    case Action_SweepRightFar:
        return SineMove(e, Dragon_Move4_Time, Dragon_Near_Angle, Dragon_Far_Angle);
    case Action_FireRightFar:
        return Dragon_Far_Angle;
    case Action_SweepUp:
        // Upright by the middle of the move, and held there for the scream.
        return SineMove(e, Dragon_Move5_Time / 2, Dragon_Far_Angle, 0.0);
    default:
        return 0.0;
    }
}

double Final_Dragon::SineMove(int e, int len, double from, double to) const
{
    if (e >= len)
        return to;
    double const h = (to - from) / 2.0;
    return from + h - std::cos(e * Util::HalfTurn / len) * h;
}

Pointf Final_Dragon::NeckBase() const
{
    return pos + Pointf(0.0, bodyImg->GetHeight() - Dragon_NeckInBody);
}

Pointf Final_Dragon::GetHeadPos(Tick t, double* angle) const
{
    double const a = GetHeadAngle(t);
    if (angle != nullptr)
        *angle = a;
    return NeckBase() + Pointf(std::sin(a), std::cos(a)) * Dragon_NeckLength;
}

bool Final_Dragon::FlameBorn(Tick s) const
{
    int e = 0;
    return FireAction(FindAction(s, &e)) && e < Dragon_Fire_Time - Dragon_Flame_Duration;
}

bool Final_Dragon::RockBorn(Tick s) const
{
    return FindAction(s, nullptr) == Action_Scream;
}

Pointf Final_Dragon::GetFlamePos(Tick s, int age, Pointf head, double a, double* rotation) const
{
    double const spread = ((Util::Random(s) & 0x3FF) - 512) / 2048.0;
    Pointf const along = Pointf(std::sin(a), std::cos(a)) * Dragon_MouthY;
    Pointf mouth;
    double heading = 0.0;
    // The mouth is on the side the head looks to, and the flames leave it turned further down.
    if (a < 0.0 && !Util::Equal(a, 0.0))
    {
        mouth = head + Pointf(-std::cos(a), std::sin(a)) * Dragon_MouthX + along;
        heading = a - Flame_Turn + spread;
    }
    else
    {
        mouth = head + Pointf(std::cos(a), -std::sin(a)) * Dragon_MouthX + along;
        heading = a + Flame_Turn + spread;
    }
    if (rotation != nullptr)
        *rotation = Util::FullTurn * Signed10(s + 1) + age * Flame_Spin * Signed10(s + 2);
    return mouth + Pointf(std::sin(heading), std::cos(heading)) * (age * Flame_Speed);
}

bool Final_Dragon::HitFlames(Tick t, Pointf head, double a, Pointf const* p) const
{
    bool hit = false;
    ForLiveFlames(t, [&](Tick s, int age) { return hit = Hurts(p, GetFlamePos(s, age, head, a, nullptr)); });
    return hit;
}

void Final_Dragon::RenderFlames(Map const* map, Tick t, Pointf head, double a) const
{
    ForLiveFlames(t, [&](Tick s, int age) {
        double rotation = 0.0;
        Pointf const at = GetFlamePos(s, age, head, a, &rotation);
        flameImg->Render(at, rotation, 1.0, Image_Centre | Image_Middle, &map->view);
        return false;
    });
}

Pointf Final_Dragon::GetRockPos(Tick s, int age, double* rotation, bool* small) const
{
    bool const isSmall = (Util::Random(s + 2) & 3) != 0;
    double speed = Rock_Speed + (Util::Random(s + 1) & 0x3FF) / 256.0;
    if (isSmall)
        speed += Rock_SmallSpeed;
    if (rotation != nullptr)
        *rotation = Util::FullTurn * Signed10(s + 3) + age * Rock_Spin * Signed10(s + 4);
    if (small != nullptr)
        *small = isSmall;
    // The remainder keeps the hash's sign, so the rocks fall on both sides of the middle.
    return Pointf(Final_RockMidX + Util::Random(s) % Final_RockSpread, Final_RockTop - age * speed);
}

bool Final_Dragon::HitRocks(Tick t, Pointf const* p) const
{
    bool hit = false;
    ForLiveRocks(t, [&](Tick s, int age) {
        bool small = false;
        Pointf const at = GetRockPos(s, age, nullptr, &small);
        return hit = !small && Hurts(p, at);
    });
    return hit;
}

void Final_Dragon::RenderRocks(Map const* map, Tick t) const
{
    ForLiveRocks(t, [&](Tick s, int age) {
        double rotation = 0.0;
        bool small = false;
        Pointf const at = GetRockPos(s, age, &rotation, &small);
        (small ? smallrockImg : largerockImg)->Render(at, rotation, 1.0, Image_Centre | Image_Middle, &map->view);
        return false;
    });
}

void Final_Dragon::RenderNeck(Map const* map, Pointf base, Pointf head, double a) const
{
    // Straight up out of the body, and into the head along its angle.
    Bezier const curve(&base, 0.0, &head, Util::Angle(a - Util::HalfTurn));
    neckImg->Associate();
    glEnable(GL_TEXTURE_2D);
    glBegin(GL_QUAD_STRIP);
    Vertex(map, base - Pointf(Dragon_NeckWidth, 0.0), 0.0, 0.0);
    Vertex(map, base + Pointf(Dragon_NeckWidth, 0.0), 1.0, 0.0);
    Pointf previous = base;
    // The strip stops short of the head point, which the head covers.
    for (int i = 1; i < 10; ++i)
    {
        double const u = i / 10.0;
        Pointf const p = curve.Eval(u);
        double const d = previous.Angle(&p);
        double const left = Util::Angle(d - Util::QuarterTurn);
        double const right = Util::Angle(d + Util::QuarterTurn);
        Vertex(map, p + Pointf(std::sin(left), std::cos(left)) * Dragon_NeckWidth, 0.0, u);
        Vertex(map, p + Pointf(std::sin(right), std::cos(right)) * Dragon_NeckWidth, 1.0, u);
        previous = p;
    }
    glEnd();
    Image::CheckGlError();
}

void Final_Dragon::MoveToTime(Map const*, Tick t)
{
    if (sounds == nullptr)
        return;
    int e = 0;
    int const action = FindAction(t, &e);
    if (action == Action_Rest && e % Dragon_RechargeSound == 0)
        sounds->Play(Sound_Recharge, nullptr, false, 1.0);
    if (e != 0)
        return;
    if (action == Action_Scream)
        sounds->Play(Sound_Dragon2, nullptr, false, 1.0);
    else if (FireAction(action))
        sounds->Play(Sound_Dragon1, nullptr, false, 1.0);
}

void Final_Dragon::MoveToTime(Map const* map, Tick t, Object_Step const& step)
{
    if (!step.replaying)
        MoveToTime(map, t);
}

void Final_Dragon::Render(Map const* map, Tick t) const
{
    if (hidden)
        return;
    int const action = FindAction(t, nullptr);
    // The gem blinks while the dragon recharges.
    Image const* gem = action == Action_Rest && (t & 4) != 0 ? gemOnImg : gemImg;
    gem->Render(pos, 0.0, 1.4, 0.5, 0.6, 0, &map->view);
    bodyImg->Render(pos, 0.0, 1.0, Image_Centre | Image_Bottom, &map->view);

    double a = 0.0;
    Pointf const head = GetHeadPos(t, &a);
    RenderNeck(map, NeckBase(), head, a);
    RenderFlames(map, t, head, a);

    Image const* face = nullptr;
    double anchorX = 0.5;
    Image_Render_Flags flags = 0;
    double const upright = std::fabs(a);
    if (upright < Head_FrontAngle && !Util::Equal(upright, Head_FrontAngle))
    {
        face = action == Action_Scream ? headfwd1Img : headfwd0Img;
    }
    else if (a < 0.0)
    {
        face = action == Action_FireNear || action == Action_FireFar ? look1Img : look0Img;
        anchorX = 1.0 - Dragon_HeadNeckX;
        flags = Image_MirrorX;
    }
    else
    {
        face = action == Action_FireRightNear || action == Action_FireRightFar ? look1Img : look0Img;
        anchorX = Dragon_HeadNeckX;
    }
    face->Render(head, a, 1.0, anchorX, Dragon_HeadNeckY, flags, &map->view);

    RenderRocks(map, t);
}

void Final_Dragon::RenderFore(Map const*, Tick t) const
{
    if (hidden)
        return;
    double const right = Bar_Left + (Bar_Right - Bar_Left) * GetHitPoints(t) / Dragon_HitPoints;
    glDisable(GL_TEXTURE_2D);
    glColor4d(1.0, 0.0, 0.0, 1.0);
    glBegin(GL_QUADS);
    glVertex2d(Bar_Left, Bar_Bottom);
    glVertex2d(right, Bar_Bottom);
    glVertex2d(right, Bar_Top);
    glVertex2d(Bar_Left, Bar_Top);
    glEnd();
    glColor4d(0.0, 0.0, 0.0, 1.0);
    glLineWidth(1.0f);
    glBegin(GL_LINE_LOOP);
    glVertex2d(Bar_Left, Bar_Bottom);
    glVertex2d(Bar_Right, Bar_Bottom);
    glVertex2d(Bar_Right, Bar_Top);
    glVertex2d(Bar_Left, Bar_Top);
    glEnd();
}

int Final_Dragon::IsPlayerHit(Tick t, Pointf const* playerPos)
{
    double a = 0.0;
    Pointf const head = GetHeadPos(t, &a);
    return HitFlames(t, head, a, playerPos) || HitRocks(t, playerPos) ? 1 : 0;
}

bool Final_Dragon::GetTargetPos(Map const*, Tick t, Pointf& out) const
{
    double a = 0.0;
    Pointf const head = GetHeadPos(t, &a);
    out = head + Pointf(std::sin(a), std::cos(a)) * static_cast<double>(look0Img->GetWidth() / 2);
    return true;
}
