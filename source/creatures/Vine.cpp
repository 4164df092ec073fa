// Vine: resting heights, the fall after a hit, which hits are taken, drawing.
#include "creatures/Vine.h"

#include "engine/HitInfo.h"
#include "engine/Map.h"
#include "media/Image.h"
#include "util/Util.h"

#include <cassert>

namespace
{
char const* const vinefile = "gfx/vine.png";
} // namespace

Image* Vine::img = nullptr;

Vine::Vine(Map const* map, unsigned int top, unsigned int second, unsigned int third, unsigned int fourth)
    : Target(Sound_None)
{
    assert(img != nullptr && "img != NULL");
    double const drop = img->GetHeight();
    startPos = map->GetRefPoint(top);
    startPos.y -= drop;
    heights[0] = map->GetRefPoint(second).y - drop;
    heights[1] = map->GetRefPoint(third).y - drop;
    heights[2] = map->GetRefPoint(fourth).y - drop;
    hangPos = startPos;
    double const w = img->GetWidth();
    rect = Rectf(-w / 2.0, -w / 2.0, w / 2.0, w / 2.0);
}

void Vine::Initialise()
{
    assert(img == nullptr && "img == NULL");
    img = new Image(vinefile, Image_Mask, false);
}

void Vine::Finalise()
{
    delete img;
    img = nullptr;
}

double Vine::GetPosAtTime(Tick t) const
{
    HitInfo const key(t, 0, 0);
    int const k = hits->FindItem(&key);
    if (k < 0)
        return startPos.y;
    // Four or more hits at one tick leave it at the lowest height; the table ends there.
    if (k >= Vine_Heights)
        return RestingHeight(Vine_Heights);
    double const from = RestingHeight(k);
    double const to = RestingHeight(k + 1);
    double const dt = t - (*hits)[k]->time;
    double const fall = dt * dt * (Vine_Accell / 2.0);
    if (fall < from - to && !Util::Equal(fall, from - to))
        return from - fall;
    return to;
}

void Vine::MoveToTime(Map const*, Tick t)
{
    hangPos.y = GetPosAtTime(t);
}

void Vine::Render(Map const* map, Tick) const
{
    assert(img != nullptr && "img != NULL");
    img->Render(hangPos, 0.0, 1.0, Image_Centre | Image_Bottom, &map->view);
}

bool Vine::ActivePoint(Pointf& centre, double& radius, double& objScale) const
{
    centre = startPos;
    radius = 2.0 * (startPos.y - RestingHeight(Vine_Heights));
    objScale = 1.0;
    return true;
}

int Vine::Hit(Tick t, int damage, Target_Hit_Flags flags)
{
    HitInfo const key(t, 0, 0);
    // A hit before one already recorded would change the recorded future.
    if (hits->FindItem(&key) != hits->LastItem())
        return 0;
    double const y = GetPosAtTime(t);
    bool resting = false;
    for (int i = 0; i <= Vine_Heights; i++)
        resting = resting || Util::Equal(y, RestingHeight(i));
    double const lowest = RestingHeight(Vine_Heights);
    if (resting && y - lowest >= Util::Eps)
        Target::Hit(t, damage, flags);
    return 0;
}

bool Vine::GetTargetPos(Map const*, Tick t, Pointf& out) const
{
    assert(img != nullptr && "img != NULL");
    out = Pointf(startPos.x, GetPosAtTime(t) + img->GetHeight());
    return true;
}
