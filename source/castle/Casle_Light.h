// Casle_Light: a lamp on a castle wall, lit for a while by each hit.
#pragma once

#include "engine/Object.h"
#include "engine/Target.h"
#include "util/Pointf.h"
#include "util/Tick.h"

class Image;
class Map;

// The player lights a lamp by hitting it like any target. It stays lit for its duration after
// its latest hit, or for good when the duration is 0; once its group has seen all its lamps lit
// together, the lamp is lit for good after that tick, whatever its hits.
class Casle_Light final : public Target, public Object
{
public:
    Casle_Light(Pointf lampPos, int burnTime, Image const* on, Image const* off);
    ~Casle_Light() override = default;
    Casle_Light(Casle_Light const&) = delete;
    Casle_Light& operator=(Casle_Light const&) = delete;

    bool IsOn(Tick t) const;
    // Keeps the earliest tick given.
    void SetAlwaysOnTime(Tick t);
    Tick GetAlwaysOnTime() const { return alwaysOnTime; }

    bool GetTargetPos(Map const* map, Tick t, Pointf& aim) const override;
    void Render(Map const* map, Tick t) const override;

private:
    Image const* onImg;  // the group's
    Image const* offImg; // the group's
    Pointf pos;
    int duration;           // ticks a hit keeps it lit; 0 for good
    Tick alwaysOnTime = -1; // lit for good after this tick; -1 until the group latches
};
