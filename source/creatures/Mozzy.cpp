// Mozzy: the beat, the recorded dives and circles, and the vanishing of a dead mozzy.
#include "creatures/Mozzy.h"

#include "engine/Map.h"
#include "media/Game_Sounds.h"
#include "media/Image.h"
#include "media/ImageFrames.h"
#include "util/Error.h"
#include "util/Util.h"

#include <cassert>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace
{
char const* const mozzybasefile = "gfx/mozzy/mozzy";

// a < b, values within Util::Eps counting as equal.
bool Less(double a, double b)
{
    return a < b && !Util::Equal(a, b);
}
} // namespace

Image* Mozzy::frames[Mozzy_Frame_Count] = {};

Mozzy::Mozzy(Map const* map, unsigned int a, unsigned int b, int startHitPoints)
    : EnemyTarget(startHitPoints, Sound_MonsterHit)
{
    Pointf const pa = map->GetRefPoint(a);
    Pointf const pb = map->GetRefPoint(b);
    if (!(pb.x - pa.x >= Mozzy_MinWidth))
    {
        char text[2 * Error::TextSize]; // Error keeps what fits
        std::snprintf(text, sizeof text,
                      "%s: mozzy points %u, %u: the right end lies %g right of the left, at least %g is needed",
                      map->GetFileName(), a, b, pb.x - pa.x, Mozzy_MinWidth);
        throw Error(Error_ParseFile, text);
    }
    leftX = pa.x;
    rightX = pb.x;
    height = (pa.y + pb.y) / 2.0;
    period = static_cast<int>((2.0 * (rightX - leftX)) / Mozzy_Speed);
    phase = std::rand() % period;
    position = pa;
    rect = Rectf(-Mozzy_Width / 2.0, -Mozzy_Height / 2.0, Mozzy_Width / 2.0, Mozzy_Height / 2.0);
    if (gameSounds != nullptr)
        gameSounds->InitSound(Sound_Mozzy);
}

void Mozzy::Initialise()
{
    LoadImageFrames(frames, Mozzy_Frame_Count, mozzybasefile, Image_Mask);
}

void Mozzy::Finalise()
{
    FreeImageFrames(frames, Mozzy_Frame_Count);
}

void Mozzy::MoveToTime(Map const*, Tick t)
{
    if (!AliveAt(t))
        return;
    position = PositionAtTime(t, &mirror);
    // The whine is an effect only: it draws from the C library's sequence and changes nothing.
    if ((std::rand() & 63) == 30 && gameSounds != nullptr)
        gameSounds->Play(Sound_Mozzy, &position, false, 1.0);
}

int Mozzy::FrameAt(Tick t)
{
    int const frame = t % 4;
    return frame == 3 ? 1 : frame;
}

void Mozzy::Render(Map const* map, Tick t) const
{
    if (!AliveAt(t))
        return;
    Image const* image = frames[FrameAt(t)];
    assert(image != nullptr && "frames[frame] != NULL");
    Image_Render_Flags const flags = Image_Centre | Image_Middle | (mirror ? Image_MirrorX : 0);
    image->Render(position, 0.0, Mozzy_Width, Mozzy_Height, flags, &map->view);
}

void Mozzy::PlayerAtPos(Tick t, Pointf const* p)
{
    if ((std::rand() & 127) != 54)
        return;
    // An attack must be over before a recorded hit lands.
    Tick hit = 0;
    if (hitTicks.CheckUp(t, &hit) && t > hit - Mozzy_AttackTime)
        return;
    if (!(Less(leftX, p->x) && Less(p->x, rightX) && Less(height - (rightX - leftX), p->y) && Less(p->y, height)))
        return;
    Mozzy_Attack const key(t, Pointf(), false);
    int const before = attacks.FindItem(&key);
    if (before != -1 && t - attacks[before]->time < Mozzy_AttackTime)
        return;
    if (before + 1 < attacks.Count() && attacks[before + 1]->time - t < Mozzy_AttackTime)
        return;
    attacks.AddItem(new Mozzy_Attack(t, Pointf(p->x, p->y + Mozzy_CircleDist), Less(p->x, position.x)));
    attacks.SortList();
}

bool Mozzy::ActivePoint(Pointf& centre, double& radius, double& objScale) const
{
    double const width = rightX - leftX;
    centre = Pointf((leftX + rightX) / 2.0, height - width / 2.0);
    radius = 2.0 * width;
    objScale = 1.0;
    return true;
}

int Mozzy::Hit(Tick t, int damage, Target_Hit_Flags flags)
{
    hitTicks.Add(t);
    return EnemyTarget::Hit(t, damage, flags);
}

int Mozzy::IsPlayerHit(Tick t, Pointf const* playerPos)
{
    if (!AliveAt(t))
        return 0;
    return playerPos->DistanceEst(&position) < Mozzy_Hit_Dist ? 1 : 0;
}

bool Mozzy::GetTargetPos(Map const*, Tick t, Pointf& out) const
{
    out = PositionAtTime(t, nullptr);
    return AliveAt(t);
}

Pointf Mozzy::CyclePosition(Tick t, bool* mirrorOut) const
{
    int const half = period / 2;
    int const c = (phase + t) % period;
    double const width = rightX - leftX;
    Pointf pos(0.0, height + 8.0 * std::sin(t / 6.0));
    bool back = false;
    if (c < half)
        pos.x = leftX + c * width / half;
    else
    {
        pos.x = rightX - (c - half) * width / half;
        back = true;
    }
    if (mirrorOut != nullptr)
        *mirrorOut = back;
    return pos;
}

Pointf Mozzy::CirclePoint(Mozzy_Attack const* attack, int k, bool* mirrorOut)
{
    double const angle = Util::Angle(attack->facing ? Util::HalfTurn + k / 6.0 : Util::HalfTurn - k / 6.0);
    if (mirrorOut != nullptr)
        *mirrorOut = attack->facing ? std::cos(angle) < 0.0 : std::cos(angle) > 0.0;
    return Pointf(attack->point.x + Mozzy_CircleDist * std::sin(angle),
                  attack->point.y + Mozzy_CircleDist * std::cos(angle));
}

Pointf Mozzy::PositionAtTime(Tick t, bool* mirrorOut) const
{
    Mozzy_Attack const key(t, Pointf(), false);
    int const i = attacks.FindItem(&key);
    // The attack is decided after the mozzy was shown at its first tick, where the dive has not
    // moved it yet: that tick keeps the beat's facing too, so that it shows again as it was.
    if (i == -1 || t == attacks[i]->time || t - attacks[i]->time >= Mozzy_AttackTime)
        return CyclePosition(t, mirrorOut);
    Mozzy_Attack const* attack = attacks[i];
    int const d = t - attack->time;
    bool back = false;
    Pointf pos;
    if (d < Mozzy_Attack1Time)
    {
        Pointf const s = CyclePosition(attack->time, nullptr);
        back = Less(attack->point.x, s.x);
        pos.x = s.x + d * (attack->point.x - s.x) / double(Mozzy_Attack1Time);
        pos.y = s.y + d * ((attack->point.y - Mozzy_CircleDist) - s.y) / double(Mozzy_Attack1Time);
    }
    else if (d - Mozzy_Attack1Time <= Mozzy_Attack2Time)
        pos = CirclePoint(attack, d - Mozzy_Attack1Time, &back);
    else
    {
        int const f = d - Mozzy_Attack1Time - Mozzy_Attack2Time;
        Pointf const e = CyclePosition(attack->time + Mozzy_AttackTime, nullptr);
        Pointf const c = CirclePoint(attack, Mozzy_Attack2Time, nullptr);
        back = Less(e.x, c.x);
        pos.x = c.x + f * (e.x - c.x) / double(Mozzy_Attack3Time);
        pos.y = c.y + f * (e.y - c.y) / double(Mozzy_Attack3Time);
    }
    if (mirrorOut != nullptr)
        *mirrorOut = back;
    return pos;
}
