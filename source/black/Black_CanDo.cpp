// Black_CanDo: the two areas of the ogre's objectives.
#include "black/Black_CanDo.h"

#include "engine/GameEvents.h"
#include "engine/Player.h"
#include "util/Util.h"

namespace
{
// lo <= v < hi, a value within the tolerance of a bound counting as on it.
bool Within(double v, double lo, double hi)
{
    return (v > lo || Util::Equal(v, lo)) && v < hi && !Util::Equal(v, hi);
}

bool Inside(Pointf p, double x0, double x1, double y0, double y1)
{
    return Within(p.x, x0, x1) && Within(p.y, y0, y1);
}
} // namespace

Black_CanDo::Black_CanDo(Player const* hero, Map const* levelMap, GameFont const* gameFont, GameEvents const* progress)
    : CanDoIndicator(hero, levelMap, gameFont), gameEvents(progress)
{
}

bool Black_CanDo::FindMessage(CanDo_Indicate* indicate, Tick t)
{
    Pointf const p = player->GetPos();
    if (Inside(p, 11700.0, 12300.0, 5250.0, 5600.0))
    {
        indicate->mess = "Get past the Ogre";
        indicate->positive = gameEvents->Happened(Event_Socks, t);
    }
    if (Inside(p, 13300.0, 14200.0, 6550.0, 7300.0))
    {
        indicate->mess = "Kill the Ogre";
        indicate->positive = true;
    }
    return indicate->mess != nullptr;
}
