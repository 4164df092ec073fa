// Tower_CanDo: the areas of the tower's hints.
#include "tower/Tower_CanDo.h"

#include "engine/GameEvents.h"
#include "engine/Player.h"
#include "util/Util.h"

namespace
{

// lo <= v < hi, a value within the tolerance of a bound counting as on it.
bool Within(double v, double lo, double hi)
{
    return v >= lo - Util::Eps && v < hi - Util::Eps;
}

bool Inside(Pointf p, double x0, double x1, double y0, double y1)
{
    return Within(p.x, x0, x1) && Within(p.y, y0, y1);
}

} // namespace

Tower_CanDo::Tower_CanDo(Player const* hero, Map const* levelMap, GameFont const* gameFont, GameEvents const* progress)
    : CanDoIndicator(hero, levelMap, gameFont), gameEvents(progress)
{
}

bool Tower_CanDo::FindMessage(CanDo_Indicate* indicate, Tick t)
{
    Pointf const p = player->GetPos();
    auto const hint = [&](char const* text, bool positive) {
        indicate->mess = text;
        indicate->positive = positive;
    };
    // The areas do not overlap; were they to, the later would win.
    if (Inside(p, 730.0, 2050.0, 200.0, 1300.0))
        hint("Open door and get through", gameEvents->Happened(Event_Hint, t));
    if (Inside(p, 1730.0, 1980.0, 2700.0, 2800.0))
        hint("Raise lift to the top", true);
    if (Inside(p, 1551.5, 1612.0, 2810.0, 2850.0))
        hint("Open doors and get through", true);
    if (Inside(p, 1481.0, 1516.0, 2820.0, 2849.5))
        hint("Hit target and open door", true);
    return indicate->mess != nullptr;
}
