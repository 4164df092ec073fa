// Kilig_CanDo: the master's house and dungeon have no hints to give.
#pragma once

#include "engine/CanDoIndicator.h"

class GameEvents;
class Kilig_Events;

// The panel still slides in and out with the hint key, but it never has a message, so it never
// draws anything. It takes the progress record and the conversation script as every world's
// panel does, but with no hint to choose it has no use for them.
class Kilig_CanDo final : public CanDoIndicator
{
public:
    Kilig_CanDo(Player const* player, Map const* map, GameFont const* font, GameEvents const* gameEvents,
                Kilig_Events const* events);

    // True only when the record already holds a text; the panel clears it before asking.
    bool FindMessage(CanDo_Indicate* indicate, Tick t) override;
};
