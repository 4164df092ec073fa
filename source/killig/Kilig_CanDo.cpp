// Kilig_CanDo: the panel without hints.
#include "killig/Kilig_CanDo.h"

Kilig_CanDo::Kilig_CanDo(Player const* hero, Map const* levelMap, GameFont const* gameFont, GameEvents const*,
                         Kilig_Events const*)
    : CanDoIndicator(hero, levelMap, gameFont)
{
}

bool Kilig_CanDo::FindMessage(CanDo_Indicate* indicate, Tick)
{
    return indicate->mess != nullptr;
}
