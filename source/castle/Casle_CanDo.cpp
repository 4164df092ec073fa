// Casle_CanDo: the hint of each puzzle room from the player's place and the castle's objects.
#include "castle/Casle_CanDo.h"

#include "castle/Casle.h"
#include "castle/Casle_Machine_Switch.h"
#include "engine/Collectable.h"
#include "engine/GameEvents.h"
#include "engine/Map.h"
#include "engine/Player.h"
#include "util/Rectf.h"
#include "util/Util.h"

namespace
{

constexpr char const* GetThrough = "Open door and get through";
constexpr char const* ShineBeam = "Shine beam onto target";
constexpr char const* RetrieveCrystal = "Retrieve crystal";
constexpr double Room18_CrystalX = 1800.0; // the crystal is out of reach this side of it

bool InRoom(Pointf p, int room)
{
    for (Casle_RoomRect const& r : Casle_RoomRects)
        if (r.room == room && Casle_InArea(p, r.x0, r.x1, r.y0, r.y1))
            return true;
    return false;
}

void Say(CanDo_Indicate* indicate, char const* text, bool positive)
{
    indicate->mess = text;
    indicate->positive = positive;
}

} // namespace

Casle_CanDo::Casle_CanDo(Player const* hero, Map const* levelMap, GameFont const* gameFont, GameEvents const* progress,
                         Casle_Events const* script)
    : CanDoIndicator(hero, levelMap, gameFont), gameEvents(progress), casleEvents(script)
{
}

bool Casle_CanDo::IsObjectInArea(Collectable const* item, Rectf const* area, Tick t)
{
    Pointf const at = item->GetPosAtTime(t);
    return area->Contains(&at);
}

int Casle_CanDo::CountMirrorsInArea(Rectf const* area, Tick t) const
{
    int count = 0;
    for (Collectable const* mirror : mirrors)
        if (IsObjectInArea(mirror, area, t))
            count++;
    return count;
}

bool Casle_CanDo::FindMessage(CanDo_Indicate* indicate, Tick t)
{
    Pointf const p = player->GetPos();
    auto startX = [this](unsigned int rp) { return map->GetRefPoint(rp).x; };

    if (InRoom(p, 4))
        Say(indicate, GetThrough, true);
    if (InRoom(p, 5) && cog->GetPosAtTime(t).x == startX(Casle_Rp_Cog))
        Say(indicate, "Retrieve cog", true);
    if (InRoom(p, 6) && machineSwitch->ActiveTime() == GameEvent_HasntHappened)
        Say(indicate, "Operate machine and open door", player->GetHeldObject() == cog || machineSwitch->HasCog(t));
    if (InRoom(p, 9))
        Say(indicate, "Open door and get crystal", true);
    if (InRoom(p, 10))
    {
        Rectf const area(2240.0, 3650.0, 2870.0, 4120.0);
        Say(indicate, ShineBeam, CountMirrorsInArea(&area, t) == 1);
    }
    if (InRoom(p, 9) && crystals[1]->GetPosAtTime(t).x == startX(Casle_Objects[Casle_CrystalObjects[1]].rp))
        Say(indicate, RetrieveCrystal, true);
    if (Casle_InArea(p, 3350.0, 3900.0, 4640.0, 5090.0))
    {
        Rectf const area(3350.0, 4640.0, 3900.0, 5090.0);
        Say(indicate, GetThrough, IsObjectInArea(crystals[0], &area, t) && IsObjectInArea(crystals[1], &area, t));
    }
    if (InRoom(p, 17))
        Say(indicate, GetThrough, true);
    if (InRoom(p, 18))
    {
        double const x = crystals[0]->GetPosAtTime(t).x;
        if (x < Room18_CrystalX && !Util::Equal(x, Room18_CrystalX))
            Say(indicate, RetrieveCrystal, true);
    }
    if (InRoom(p, 20))
        Say(indicate, GetThrough, *visitedRoom28 && *visitedRoom31);
    if (InRoom(p, 21))
        Say(indicate, "Negotiate platforms", true);
    if (InRoom(p, 26))
    {
        Say(indicate, ShineBeam, true);
    }
    else if (InRoom(p, 27))
    {
        Rectf const area(6370.0, 5200.0, 7090.0, 5600.0);
        Say(indicate, ShineBeam, CountMirrorsInArea(&area, t) == 3);
    }
    if (InRoom(p, 29) || InRoom(p, 30))
        Say(indicate, GetThrough, true);
    if (InRoom(p, 32))
        Say(indicate, GetThrough, true);
    if (InRoom(p, 34))
    {
        Rectf const area(4460.0, 4200.0, 4980.0, 4470.0);
        if (IsObjectInArea(crystals[2], &area, t) || IsObjectInArea(crystals[3], &area, t))
            Say(indicate, "Retrieve crystals", true);
    }
    if (InRoom(p, 35))
    {
        Rectf const area(4980.0, 4100.0, 5490.0, 4350.0);
        Say(indicate, GetThrough, IsObjectInArea(crystals[2], &area, t) && IsObjectInArea(crystals[3], &area, t));
    }
    if (InRoom(p, 33))
    {
        Rectf const area(5490.0, 4110.0, 5930.0, 4560.0);
        Say(indicate, ShineBeam, CountMirrorsInArea(&area, t) == 2);
    }
    return indicate->mess != nullptr;
}
