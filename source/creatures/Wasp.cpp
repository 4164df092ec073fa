// Wasp: the wandering mover, the wing beat, the buzz and the fall of a dead wasp.
#include "creatures/Wasp.h"

#include "engine/Map.h"
#include "engine/Path.h"
#include "media/Game_Sounds.h"
#include "media/Image.h"
#include "media/ImageFrames.h"

#include <cassert>

namespace
{
char const* const waspbasefile = "gfx/wasp/wasp";
constexpr double Wasp_Ease = 0.2; // handed to the mover, which eases at its own fixed rate
} // namespace

Image* Wasp::frames[Wasp_Frame_Count] = {};

Wasp::Wasp(Map const* map, unsigned int a, unsigned int b, int startHitPoints, double size)
    : Target(Sound_MonsterHit), scale(size), hitPoints(startHitPoints)
{
    Pointf const pa = map->GetRefPoint(a);
    Pointf const pb = map->GetRefPoint(b);
    double const half = Wasp_Width / 2.0 * scale;
    rect = Rectf(-half, -half, half, half);
    mover = new Path_MultiPoint(pa, pb, Wasp_Moves, Wasp_MoveTime, Wasp_Ease, -1);
    position = mover->PositionAtTime(0).pos;
}

Wasp::~Wasp()
{
    delete mover;
}

void Wasp::Initialise()
{
    LoadImageFrames(frames, Wasp_Frame_Count, waspbasefile, Image_Mask);
    if (gameSounds != nullptr)
        gameSounds->InitSound(Sound_Wasp);
}

void Wasp::Finalise()
{
    FreeImageFrames(frames, Wasp_Frame_Count);
}

void Wasp::MoveToTime(Map const* map, Tick t)
{
    if (!ShownAt(t))
        return;
    position = PositionAtTime(map, t, &headingLeft);
    if (gameSounds != nullptr)
        gameSounds->Play(Sound_Wasp, &position, true, scale);
}

int Wasp::FrameAt(Tick t) const
{
    if (!AliveAt(t))
        return Wasp_Frame_Dead;
    int const f = t % 4;
    return f == 3 ? 1 : f;
}

void Wasp::Render(Map const* map, Tick t) const
{
    if (!ShownAt(t))
        return;
    int const f = FrameAt(t);
    assert(frames[f] != nullptr && "frames[f] != NULL");
    // The picture faces left.
    Image_Render_Flags const flags =
        headingLeft ? Image_Centre | Image_Middle : Image_Centre | Image_Middle | Image_MirrorX;
    frames[f]->Render(position, 0.0, Wasp_Width * scale, Wasp_Height * scale, flags, &map->view);
}

bool Wasp::ActivePoint(Pointf& centre, double& radius, double& objScale) const
{
    Rectf const bound = mover->GetBound();
    double const width = bound.x1 - bound.x0;
    double const height = bound.y1 - bound.y0;
    centre = Pointf((bound.x0 + bound.x1) / 2.0, (bound.y0 + bound.y1) / 2.0);
    radius = (height > width ? height : width) + Wasp_Width * scale;
    objScale = scale;
    return true;
}

int Wasp::Hit(Tick t, int damage, Target_Hit_Flags flags)
{
    Target::Hit(t, damage, flags);
    return ChangeDeathTime(GetDeathTime(hitPoints));
}

int Wasp::IsPlayerHit(Tick t, Pointf const* playerPos)
{
    if (!AliveAt(t))
        return 0;
    return playerPos->DistanceEst(&position) < Wasp_Hit_Dist * scale ? 1 : 0;
}

bool Wasp::GetTargetPos(Map const* map, Tick t, Pointf& out) const
{
    if (!ShownAt(t))
        return false;
    out = PositionAtTime(map, t, nullptr);
    return AliveAt(t);
}

Pointf Wasp::PositionAtTime(Map const* map, Tick t, bool* headingLeftOut) const
{
    Tick const death = GetDeathTime(hitPoints);
    bool const dead = death != -1 && t > death;
    // A dead wasp keeps the heading it died with.
    Position_Info const at = mover->PositionAtTime(dead ? death : t);
    Pointf pos = at.pos;
    if (headingLeftOut != nullptr)
        *headingLeftOut = at.facingLeft;
    if (dead)
    {
        Pointf const previous = PositionAtTime(map, death - 1, nullptr);
        Map_Projectile_Info info;
        info.velocity = Vectorf(pos.x - previous.x, pos.y - previous.y);
        info.steps = t - death < Wasp_DeathTime ? t - death : Wasp_DeathTime;
        info.gravity = Wasp_FallGravity * scale;
        info.bounce = Wasp_FallBounce;
        map->ProjectileMove(&pos, &info);
    }
    return pos;
}
