// Vulture: drawn rhythm and patrol, the flap, the hashed swoops and the fall of a dead bird.
#include "creatures/Vulture.h"

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
char const* const vulturebasefile = "gfx/vulture/vulture";
} // namespace

Image* Vulture::frames[Vulture_Frame_Count] = {};

Vulture::Vulture(Map const* map, unsigned int start, unsigned int end, unsigned int swoop, int startHitPoints)
    : Target(Sound_VultureHit), hitPoints(startHitPoints), serial(Util::NextSerial())
{
    Pointf const a = map->GetRefPoint(start);
    Pointf const b = map->GetRefPoint(end);
    Pointf const s = map->GetRefPoint(swoop);
    // Checked on the points, not on the drawn period, so that a bad placement fails every time.
    if (!(b.x - a.x >= Vulture_MinWidth))
    {
        char text[2 * Error::TextSize]; // Error keeps what fits
        std::snprintf(text, sizeof text,
                      "%s: vulture points %u, %u, %u: the end lies %g right of the start, at least %g is needed",
                      map->GetFileName(), start, end, swoop, b.x - a.x, Vulture_MinWidth);
        throw Error(Error_ParseFile, text);
    }
    startX = a.x;
    endX = b.x;
    dive = a.y - s.y;
    // The draws stay in this order: birds built on the same points in one level take
    // consecutive values of the C library's sequence.
    base = Pointf(a.x, a.y + ((std::rand() & 127) - 64));
    flapPeriod = (std::rand() & 32) + 32;
    flapPhase = std::rand() % flapPeriod;
    patrolPeriod = static_cast<int>((endX - startX) * ((std::rand() & 127) + 128) / 64.0);
    patrolPhase = std::rand() % patrolPeriod;
    upTicks = flapPeriod / 3;
    downTicks = flapPeriod - upTicks;
    position = base;
    rect = Rectf(-Vulture_Width / 2.0, -Vulture_Height / 2.0, Vulture_Width / 2.0, Vulture_Height / 2.0);
}

void Vulture::Initialise()
{
    LoadImageFrames(frames, Vulture_Frame_Count, vulturebasefile, 0);
}

void Vulture::Finalise()
{
    FreeImageFrames(frames, Vulture_Frame_Count);
}

void Vulture::MoveToTime(Map const* map, Tick t)
{
    if (!ShownAt(t))
        return;
    position = PositionAtTime(map, t, &frame);
    // The cry is an effect only: it draws from the C library's sequence and changes nothing.
    if ((std::rand() & 255) == 182 && gameSounds != nullptr)
        gameSounds->Play(Sound_Vulture, &position, false, 1.0);
}

void Vulture::Render(Map const* map, Tick t) const
{
    if (!ShownAt(t))
        return;
    assert(frames[frame] != nullptr && "frames[frame] != NULL");
    frames[frame]->Render(position, 0.0, Vulture_Width, Vulture_Height, Image_Centre | Image_Middle, &map->view);
}

bool Vulture::ActivePoint(Pointf& centre, double& radius, double& objScale) const
{
    double const width = endX - startX;
    centre = Pointf(startX + width / 2.0, base.y - dive / 2.0);
    radius = width < dive ? dive : width;
    objScale = 1.0;
    return true;
}

int Vulture::Hit(Tick t, int damage, Target_Hit_Flags flags)
{
    Target::Hit(t, damage, flags);
    return ChangeDeathTime(GetDeathTime(hitPoints));
}

int Vulture::IsPlayerHit(Tick t, Pointf const* playerPos)
{
    if (!AliveAt(t))
        return 0;
    return playerPos->DistanceEst(&position) < Vulture_Hit_Dist ? 1 : 0;
}

bool Vulture::GetTargetPos(Map const* map, Tick t, Pointf& out) const
{
    if (!ShownAt(t))
        return false;
    out = PositionAtTime(map, t, nullptr);
    return AliveAt(t);
}

Pointf Vulture::PositionAtTime(Map const* map, Tick t, int* frameOut) const
{
    Pointf pos = base;
    Tick const death = GetDeathTime(hitPoints);
    bool const dead = death != -1 && t > death;
    // A dead bird's flight stops where it died; the fall below starts from there.
    Tick const tt = dead ? death : t;

    int const c = (flapPhase + tt) % flapPeriod;
    int beatFrame = 0;
    if (c < upTicks)
    {
        beatFrame = 4 - (c * 5) / (upTicks / 2);
        if (beatFrame < 0)
            beatFrame = 0;
        pos.y += Vulture_RiseDist * std::sin((c * Util::HalfTurn / 2.0) / upTicks);
    }
    else
    {
        beatFrame = ((c - upTicks) * 5) / downTicks;
        pos.y += Vulture_RiseDist - ((c - upTicks) * Vulture_RiseDist) / downTicks;
    }

    int const p = (patrolPhase + tt) % patrolPeriod;
    int const cycle = (patrolPhase + tt) / patrolPeriod;
    int const half = patrolPeriod / 2;

    std::int32_t const r = Util::Random(cycle, serial);
    if ((r & 3) == 1)
    {
        // The remainder keeps r's sign: a negative start cuts the swoop at the patrol's start.
        int const s = r % (patrolPeriod - Vulture_DiveTime);
        if (s < p && p < s + Vulture_DiveTime)
            pos.y -= std::sin((p - s) * Util::HalfTurn / Vulture_DiveTime) * dive;
    }

    double const width = endX - startX;
    if (p < half)
        pos.x += width * p / half;
    else
        pos.x += width * (patrolPeriod - p) / half;

    if (dead)
    {
        Map_Projectile_Info info;
        info.velocity = Vectorf(p < half ? width / half : -width / half, 0.0);
        info.steps = t - death < Vulture_DeathTime ? t - death : Vulture_DeathTime;
        info.gravity = Vulture_FallGravity;
        info.bounce = Vulture_FallBounce;
        map->ProjectileMove(&pos, &info);
        beatFrame = 4;
    }
    if (frameOut != nullptr)
        *frameOut = beatFrame;
    return pos;
}
