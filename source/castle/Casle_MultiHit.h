// Casle_MultiHit: a map group that rises with every hit on its mark and sinks back each period.
#pragma once

#include "engine/MapMoveObject.h"
#include "engine/MoveObject.h"
#include "engine/Object.h"
#include "engine/Target.h"
#include "util/FlatList.h"
#include "util/Pointf.h"
#include "util/Tick.h"

class Image;
class Map;

// The block rises a step with every hit on its target mark, past selves' hits too, up to its
// highest place, and, when it has a period, sinks back by a fixed amount at the end of each
// period. Its height at a tick follows from the tick and the hits alone.
class Casle_MultiHit final : public Object, public MapMoveObject, public Target
{
public:
    Casle_MultiHit(Pointf mark, unsigned int blockGroup, double highest, int fallPeriod, double rise, double fall);
    ~Casle_MultiHit() override = default;
    Casle_MultiHit(Casle_MultiHit const&) = delete;
    Casle_MultiHit& operator=(Casle_MultiHit const&) = delete;

    static void Initialise();
    static void Finalise();

    void Render(Map const* map, Tick t) const override;
    void MoveMapGroup(Map const* map, Tick t, FlatList<MoveObject>** orders) override;
    bool GetTargetPos(Map const* map, Tick t, Pointf& aim) const override;

    // The block's offset at t.
    double PosAtTime(Tick t) const;
    int GetLookBack() const { return lookBack; }

private:
    // Hits at or before t, one by one whatever their damage.
    int HitsUpTo(Tick t) const;

    static inline Image* targetImg = nullptr;

    FlatList<MoveObject> moves;
    Pointf pos;      // the target mark; it does not move with the block
    double maxDist;  // the highest offset
    int period;      // ticks between fall-backs; 0 never falls back
    double stepDist; // rise per hit
    double fallDist; // drop at the end of each period
    int lookBack;    // ticks within which a block at its highest has surely come down to rest
};
