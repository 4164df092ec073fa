// Kilig_CanDo: the panel without hints.
#include "killig/Kilig_CanDo.h"

Kilig_CanDo::Kilig_CanDo(Player const* hero, Map const* levelMap, GameFont const* gameFont, GameEvents const* progress,
                         Kilig_Events const* script)
    : CanDoIndicator(hero, levelMap, gameFont), gameEvents(progress), events(script)
{
}

bool Kilig_CanDo::FindMessage(CanDo_Indicate* indicate, Tick)
{
    return indicate->mess != nullptr;
}
