// Casle_Light: a lamp's light from its hits and its group's latch.
#include "castle/Casle_Light.h"

#include "engine/GameEvents.h"
#include "engine/HitInfo.h"
#include "engine/Map.h"
#include "media/Image.h"

Casle_Light::Casle_Light(Pointf lampPos, int burnTime, Image const* on, Image const* off)
    : Target(Sound_Crisp), onImg(on), offImg(off), pos(lampPos), duration(burnTime)
{
    double const w = onImg->GetWidth() / 2.0;
    double const h = onImg->GetHeight() / 2.0;
    rect = Rectf(-w, -h, w, h);
}

bool Casle_Light::IsOn(Tick t) const
{
    if (alwaysOnTime != GameEvent_HasntHappened && alwaysOnTime < t)
        return true;
    HitInfo const key(t, 0, 0);
    int const latest = hits->FindItem(&key);
    if (latest < 0)
        return false;
    if (duration == 0)
        return true;
    return (*hits)[latest]->time + duration > t;
}

void Casle_Light::SetAlwaysOnTime(Tick t)
{
    if (alwaysOnTime == GameEvent_HasntHappened || alwaysOnTime > t)
        alwaysOnTime = t;
}

bool Casle_Light::GetTargetPos(Map const*, Tick, Pointf& aim) const
{
    aim = pos;
    return true;
}

void Casle_Light::Render(Map const* map, Tick t) const
{
    (IsOn(t) ? onImg : offImg)->Render(pos, 0.0, 1.0, Image_Centre | Image_Middle, &map->view);
}
