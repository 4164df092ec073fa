// A walking creature for the key-frame benchmarks: every step depends on the last one.
#pragma once

#include <cmath>

#include "Map.h"
#include "TimeSet.h"
#include "util/Pointf.h"
#include "util/Tick.h"
#include "util/Util.h"

// Walks the floor, falls under gravity, clips against the map like a goblin would and
// turns at walls, on a hit recorded in its shared tick set, and now and then at random.
class Strider final
{
public:
    explicit Strider(TimeSet* sharedHits) : pos(0.0, 50.0), vel(2.0, 0.0), hits(sharedHits) { hits->TakeRef(); }
    explicit Strider(Strider const* other) : pos(other->pos), vel(other->vel), hits(other->hits) { hits->TakeRef(); }
    Strider(Strider const&) = delete;
    Strider& operator=(Strider const&) = delete;
    virtual ~Strider() { hits->Destroy(); }

    void Move(Map const* map, Tick t)
    {
        vel.y -= 0.5;
        Pointf target = pos + vel;
        unsigned int poly = 0;
        unsigned int edge = 0;
        if (map->TryMove(&pos, &target, &poly, &edge))
        {
            if (target.y < pos.y + 1e-9 && vel.y < 0.0)
                vel.y = (Util::Random(t) & 31) == 0 ? 8.0 : 0.0;
            else
                vel.x = -vel.x;
        }
        pos = target;
        if (hits->Check(t) || (Util::Random(t + 7) & 255) == 0)
            vel.x = -vel.x;
    }

    Pointf pos;
    Pointf vel;   // units per tick
    TimeSet* hits; // shared with copies
};
