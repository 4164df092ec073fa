// Shmoo: settling on the ground, the hop cycle from the phase, contact and drawing.
#include "creatures/Shmoo.h"

#include "engine/Map.h"
#include "media/Game_Sounds.h"
#include "media/Image.h"
#include "util/Util.h"

#include <cassert>
#include <cmath>

namespace
{
char const* const shmoodownfile = "gfx/shmoo/shmoodown.png";
char const* const shmooupfile = "gfx/shmoo/shmooup.png";
} // namespace

Image* Shmoo::downImg = nullptr;
Image* Shmoo::upImg = nullptr;

Shmoo::Shmoo(Map const* map, unsigned int ref, unsigned int topRef, int startHitPoints)
    : Target(Sound_MonsterHit), hitPoints(startHitPoints)
{
    Pointf const start = map->GetRefPoint(ref);
    // Without ground below, Settle leaves the point and the angle alone: it rests upright in the air.
    position = map->Settle(&start, &groundAngle);
    jumpHeight = map->GetRefPoint(topRef).y - position.y;
    std::int32_t const r = Util::Random(0, Util::NextSerial()) % Shmoo_JumpDelay;
    phase = r < 0 ? r + Shmoo_JumpDelay : r;
    rect = Rectf(-Shmoo_Width / 2.0, -Shmoo_Height / 2.0, Shmoo_Width / 2.0, Shmoo_Height / 2.0);
}

void Shmoo::Initialise()
{
    LoadPictures(downImg, upImg);
    if (gameSounds != nullptr)
        gameSounds->InitSound(Sound_Boing);
}

void Shmoo::Finalise()
{
    FreePictures(downImg, upImg);
}

void Shmoo::LoadPictures(Image*& down, Image*& up)
{
    assert(down == nullptr && "down == NULL");
    assert(up == nullptr && "up == NULL");
    down = new Image(shmoodownfile, 0, false);
    try
    {
        up = new Image(shmooupfile, 0, false);
    }
    catch (...)
    {
        FreePictures(down, up);
        throw;
    }
}

void Shmoo::FreePictures(Image*& down, Image*& up)
{
    delete down;
    delete up;
    down = nullptr;
    up = nullptr;
}

void Shmoo::MoveToTime(Map const*, Tick t)
{
    if (AliveAt(t))
        PositionAtTime(t, nullptr, true);
}

void Shmoo::Render(Map const* map, Tick t) const
{
    if (!AliveAt(t))
        return;
    int up = 0;
    Pointf const at = PositionAtTime(t, &up, false);
    if (up != 0)
        upImg->Render(at, 0.0, Shmoo_Width, Shmoo_Height, Image_Centre | Image_Middle, &map->view);
    else
        downImg->Render(at, groundAngle, Shmoo_Width, Shmoo_Height, Image_Centre | Image_Bottom, &map->view);
}

bool Shmoo::ActivePoint(Pointf& centre, double& radius, double& objScale) const
{
    centre = position;
    radius = Shmoo_ActiveRadius;
    objScale = 1.0;
    return true;
}

int Shmoo::Hit(Tick t, int damage, Target_Hit_Flags flags)
{
    Target::Hit(t, damage, flags);
    return ChangeDeathTime(GetDeathTime(hitPoints));
}

int Shmoo::IsPlayerHit(Tick t, Pointf const* playerPos)
{
    if (!AliveAt(t))
        return 0;
    Pointf const at = PositionAtTime(t, nullptr, false);
    return playerPos->DistanceEst(&at) < Shmoo_Hit_Dist ? 1 : 0;
}

bool Shmoo::GetTargetPos(Map const*, Tick t, Pointf& out) const
{
    out = PositionAtTime(t, nullptr, false);
    return AliveAt(t);
}

Pointf Shmoo::PositionAtTime(Tick t, int* up, bool playSound) const
{
    int p = t % Shmoo_JumpDelay;
    if (p < 0)
        p += Shmoo_JumpDelay;
    int u = 0;
    if (phase < p && p < phase + Shmoo_JumpTime)
        u = p - phase;
    else if (p < phase - (Shmoo_JumpDelay - Shmoo_JumpTime))
        u = p - phase + Shmoo_JumpDelay; // the hop runs on past the cycle's end
    Pointf pos = position;
    if (u >= 1)
        pos.y += std::sin(u * Util::HalfTurn / Shmoo_JumpTime) * jumpHeight;
    if (up != nullptr)
        *up = u >= 1 ? 1 : 0;
    if (p == phase && playSound && gameSounds != nullptr)
        gameSounds->Play(Sound_Boing, &pos, false, 1.0);
    return pos;
}
