// Black_PushRock: the boulder's path, its pushes, its copies' thuds and its drawing.
#include "black/Black_PushRock.h"

#include "black/Black_Ogre.h"
#include "engine/Map.h"
#include "engine/TimeSet.h"
#include "media/Image.h"
#include "util/Error.h"
#include "util/Util.h"

#include <cassert>
#include <cstdio>

namespace
{
char const* const rockfile = "gfx/black/rock.png";
constexpr double Rock_Width = 64.0; // drawn, in world units
constexpr double Rock_Height = 64.0;
constexpr double Rock_Gravity = 0.3; // of the path, units per tick per tick
constexpr double Rock_Bounce = 0.5;  // speed kept at each bounce
constexpr double Rock_Turn = 10.0;   // ticks of rolling per radian turned

// The area in which a player running left pushes, from the resting centre.
constexpr double Push_Reach = 60.0; // to the right of the centre
constexpr double Push_Below = 32.0; // below the centre
constexpr double Push_Speed = 3.0;  // faster than this to the left, units per step

bool StrictlyWithin(double v, double lo, double hi)
{
    return v > lo && !Util::Equal(v, lo) && v < hi && !Util::Equal(v, hi);
}

// Lower than both neighbours (a landing), or left of both (bouncing back off a wall).
bool Dip(double before, double at, double after)
{
    return before - at > Util::Eps && after - at > Util::Eps;
}
} // namespace

Image* Black_PushRock::img = nullptr;

Black_PushRock::Black_PushRock(Map const* map, unsigned int ref, double angle, double speed, int steps,
                               Black_Ogre* target)
    : ogre(target)
{
    assert(target != nullptr && "ogre != NULL");
    Pointf p = map->GetRefPoint(ref);
    if (steps < 1)
    {
        char text[2 * Error::TextSize]; // Error keeps what fits
        std::snprintf(text, sizeof text, "%s: boulder at point %u (%g, %g): a path of %d steps; it needs at least 1",
                      map->GetFileName(), ref, p.x, p.y, steps);
        throw Error(Error_ParseFile, text);
    }
    Map_Projectile_Info roll;
    roll.velocity.SetAngleSpeed(angle, speed);
    roll.gravity = Rock_Gravity;
    roll.bounce = Rock_Bounce;
    pushes = new TimeSet();
    path.Init(steps);
    for (int i = 0; i < steps; i++)
    {
        path[i] = p;
        roll.steps = 1;
        map->ProjectileMove(&p, &roll);
    }
    if (gameSounds != nullptr)
    {
        gameSounds->InitSound(Sound_BoulderLand);
        gameSounds->InitSound(Sound_BoulderLand2);
    }
}

Black_PushRock::~Black_PushRock()
{
    if (pushes != nullptr)
        pushes->Destroy();
}

void Black_PushRock::Initialise()
{
    assert(img == nullptr && "img == NULL");
    img = new Image(rockfile, Image_Mask, false);
}

void Black_PushRock::Finalise()
{
    delete img;
    img = nullptr;
}

void Black_PushRock::PlayerAtPos(Tick t, Pointf const* playerPos)
{
    Pointf const s = path[0];
    double const moved = seenPlayer ? lastPlayerPos.x - playerPos->x : 0.0;
    if (seenPlayer && StrictlyWithin(playerPos->x, s.x, s.x + Push_Reach)
        && StrictlyWithin(playerPos->y, s.y - Push_Below, s.y) && moved > Push_Speed && !Util::Equal(moved, Push_Speed)
        && pushes->AddIfSafe(t, PushRock_PushGap))
        hits += ogre->Die(t + PushRock_KillDelay);
    lastPlayerPos = *playerPos;
    seenPlayer = true;
}

int Black_PushRock::GetHits()
{
    int const given = hits;
    hits = 0;
    return given;
}

std::vector<Pointf> Black_PushRock::CopiesAt(Tick t) const
{
    std::vector<Pointf> copies;
    Tick s = 0;
    for (Tick from = t; pushes->CheckDown(from, &s); from = s - 1)
    {
        Tick const i = t - s;
        if (i >= path.Count())
            break;
        copies.push_back(path[int(i)]);
    }
    return copies;
}

std::vector<Black_Thud> Black_PushRock::ThudsAt(Tick t) const
{
    std::vector<Black_Thud> thuds;
    Tick s = 0;
    for (Tick from = t; pushes->CheckDown(from, &s); from = s - 1)
    {
        // A push at t itself ends the walk: the older copies are not heard in that tick.
        Tick const i = t - s;
        if (i <= 0 || i >= path.Count() - 1)
            break;
        Pointf const& a = path[int(i) - 1];
        Pointf const& b = path[int(i)];
        Pointf const& c = path[int(i) + 1];
        if (Dip(a.y, b.y, c.y))
            thuds.push_back(Black_Thud{Sound_BoulderLand, b});
        if (Dip(a.x, b.x, c.x))
            thuds.push_back(Black_Thud{Sound_BoulderLand2, b});
    }
    return thuds;
}

void Black_PushRock::MoveToTime(Map const*, Tick t)
{
    if (gameSounds == nullptr)
        return;
    for (Black_Thud const& thud : ThudsAt(t))
        gameSounds->Play(thud.sound, &thud.at, false, 1.0);
}

void Black_PushRock::Render(Map const* map, Tick t) const
{
    assert(img != nullptr && "img != NULL");
    Tick s = 0;
    for (Tick from = t; pushes->CheckDown(from, &s); from = s - 1)
    {
        Tick const i = t - s;
        if (i >= path.Count())
            break;
        img->Render(path[int(i)], -double(i) / Rock_Turn, Rock_Width, Rock_Height, Image_Centre | Image_Middle,
                    &map->view);
    }
    img->Render(path[0], 0.0, Rock_Width, Rock_Height, Image_Centre | Image_Middle, &map->view);
}
