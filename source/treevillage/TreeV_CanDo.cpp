#include "treevillage/TreeV_CanDo.h"

#include "engine/GameEvents.h"
#include "engine/Player.h"
#include "treevillage/TreeV_Events.h"

#include <limits>

namespace
{

constexpr double Tolerance = 1.0 / 8388608.0; // 2^-23
constexpr double NoBound = std::numeric_limits<double>::lowest();
constexpr GameEvent Progress_SwordBoost = 1;

// lo <= v < hi, a value within the tolerance of a bound counting as on it.
bool Within(double v, double lo, double hi)
{
    return v >= lo - Tolerance && v < hi - Tolerance;
}

bool Inside(Pointf p, double x0, double x1, double y0, double y1)
{
    return Within(p.x, x0, x1) && Within(p.y, y0, y1);
}

} // namespace

TreeV_CanDo::TreeV_CanDo(Player const* hero, Map const* levelMap, GameFont const* gameFont, GameEvents const* progress,
                         TreeV_Events const* village)
    : CanDoIndicator(hero, levelMap, gameFont), gameEvents(progress), events(village)
{
}

bool TreeV_CanDo::FindMessage(CanDo_Indicate* indicate, Tick t)
{
    Pointf const p = player->GetPos();
    auto const task = [&](bool active, char const* text, bool positive) {
        if (!active)
            return;
        indicate->mess = text;
        indicate->positive = positive;
    };
    // Later areas win where they overlap earlier ones.
    if (Inside(p, NoBound, 2360.0, 900.0, 2500.0))
        task(gameEvents->NotHappened(Progress_SwordBoost, t), "Complete the shooting range in under 20 seconds",
             gameEvents->Happened(Event_TimeTravel, t));
    if (Inside(p, 2090.0, 2444.0, 2648.0, 2850.0))
        task(events->Happened(TreeV_Event_LiftExplained, t) && events->NotHappened(TreeV_Event_MarblesWon, t),
             "Complete Marbles' task", true);
    if (Inside(p, 2090.0, 2444.0, 3048.0, 3250.0))
        task(events->Happened(TreeV_Event_PatientAsked, t) && events->NotHappened(TreeV_Event_PatientSolved, t),
             "Join dots on patient's face", true);
    if (Inside(p, 3350.0, 3600.0, 1180.0, 1450.0) || Inside(p, 3600.0, 3850.0, 1300.0, 1450.0))
        task(events->Happened(TreeV_Event_SignDeal, t) && events->NotHappened(TreeV_Event_Oil, t), "Fix market sign",
             true);
    if (Inside(p, 3690.0, 4100.0, 1100.0, 1300.0))
        task(true, "Complete sliding puzzle", true);
    return indicate->mess != nullptr;
}
