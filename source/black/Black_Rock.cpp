// Black_Rock: the stream's path, where its rocks are, their hits, landings and drawing.
#include "black/Black_Rock.h"

#include "engine/Map.h"
#include "media/Game_Sounds.h"
#include "media/Image.h"
#include "util/Error.h"
#include "util/Util.h"

#include <cassert>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace
{
char const* const rockfile = "gfx/black/rock.png";
constexpr double Rock_Width = 32.0; // drawn, in world units
constexpr double Rock_Height = 32.0;
constexpr double Rock_Gravity = 0.05; // of the path, units per tick per tick
constexpr double Rock_Bounce = 0.5;   // speed kept at each bounce
constexpr double Rock_Spin = 0.1;     // radians turned per step of the path
constexpr int Rock_PhaseMask = 0xFFF;
} // namespace

Image* Black_Rock::img = nullptr;

Black_Rock::Black_Rock(Map const* map, unsigned int ref, double angle, double speed, int steps, int rocks)
{
    Pointf p = map->GetRefPoint(ref);
    if (steps < 1 || rocks < 1)
    {
        char text[2 * Error::TextSize]; // Error keeps what fits
        std::snprintf(text, sizeof text,
                      "%s: rock stream at point %u (%g, %g): %d rocks on a path of %d steps; both must be positive",
                      map->GetFileName(), ref, p.x, p.y, rocks, steps);
        throw Error(Error_ParseFile, text);
    }
    Map_Projectile_Info roll;
    roll.velocity.SetAngleSpeed(angle, speed);
    roll.gravity = Rock_Gravity;
    roll.bounce = Rock_Bounce;
    path.Init(steps);
    angles.Init(steps);
    double r = 0.0;
    for (int i = 0; i < steps; i++)
    {
        path[i] = p;
        angles[i] = float(r);
        double const oldX = p.x;
        roll.steps = 1;
        map->ProjectileMove(&p, &roll);
        // A rock that does not move sideways turns as if rolling left.
        r += p.x - oldX > Util::Eps ? Rock_Spin : -Rock_Spin;
    }
    count = rocks;
    phase = std::rand() & Rock_PhaseMask;
    if (gameSounds != nullptr)
        gameSounds->InitSound(Sound_BoulderLand);
}

void Black_Rock::Initialise()
{
    assert(img == nullptr && "img == NULL");
    img = new Image(rockfile, Image_Mask, false);
}

void Black_Rock::Finalise()
{
    delete img;
    img = nullptr;
}

bool Black_Rock::GetPosAtTime(Tick t, int k, Pointf* pos, double* angle) const
{
    std::int64_t const n = path.Count();
    std::int64_t const spacing = n / count;
    std::int64_t i = (spacing * k + t + phase) % n;
    if (i < 0)
        i += n;
    if (pos != nullptr)
        *pos = path[int(i)];
    if (angle != nullptr)
        *angle = angles[int(i)];
    return true;
}

int Black_Rock::IsPlayerHit(Tick t, Pointf const* playerPos)
{
    for (int k = 0; k < count; k++)
    {
        Pointf at;
        GetPosAtTime(t, k, &at, nullptr);
        if (playerPos->DistanceEst(&at) < Rock_Hit_Dist)
            return 1;
    }
    return 0;
}

void Black_Rock::MoveToTime(Map const*, Tick t)
{
    if (gameSounds == nullptr)
        return;
    for (int k = 0; k < count; k++)
    {
        Pointf a;
        Pointf b;
        Pointf c;
        GetPosAtTime(t + Rock_SoundAhead - 1, k, &a, nullptr);
        GetPosAtTime(t + Rock_SoundAhead, k, &b, nullptr);
        GetPosAtTime(t + Rock_SoundAhead + 1, k, &c, nullptr);
        if (a.y - b.y > Util::Eps && c.y - b.y > Util::Eps)
            gameSounds->Play(Sound_BoulderLand, &b, false, 1.0);
    }
}

void Black_Rock::Render(Map const* map, Tick t) const
{
    assert(img != nullptr && "img != NULL");
    for (int k = 0; k < count; k++)
    {
        Pointf at;
        double angle = 0.0;
        GetPosAtTime(t, k, &at, &angle);
        img->Render(at, angle, Rock_Width, Rock_Height, Image_Centre | Image_Middle, &map->view);
    }
}
