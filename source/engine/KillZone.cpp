// KillZone: the zone's rectangle and its one question.
#include "engine/KillZone.h"

#include "engine/Map.h"
#include "util/Rectf.h"

KillZone::KillZone(Map const* map, unsigned int refA, unsigned int refB) : zone(nullptr)
{
    Pointf const a = map->GetRefPoint(refA);
    Pointf const b = map->GetRefPoint(refB);
    zone = new Rectf(&a, &b);
}

KillZone::~KillZone()
{
    delete zone;
}

int KillZone::IsPlayerHit(Tick, Pointf const* playerPos)
{
    return zone->Contains(playerPos) ? 1 : 0;
}
