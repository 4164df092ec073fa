// Target: anything the player can aim at and hit, keeping every hit with the tick it lands at.
#pragma once

#include "engine/HitInfo.h"
#include "media/Game_Sounds.h"
#include "util/PtrListSorted.h"
#include "util/Rectf.h"
#include "util/Tick.h"

class Map;
class Pointf;

// How a target's frame is drawn: 1 to 3 are growing strengths of selection, anything else faint.
using Character_Highlight = int;

// Hits may be stamped ahead of the clock (a thrown blade settles its hit when thrown), and every
// question is asked about a tick and counts only the records at or before it, so travelling back
// un-happens a hit without removing it. Copies made for replay share both record lists by
// reference count and therefore see hits recorded after they were made.
class Target
{
public:
    explicit Target(Sound_Id hitSound);
    explicit Target(Target const* other);
    Target(Target const&) = delete;
    // Shares the other's lists, the rect and the sound.
    Target& operator=(Target const& other);
    virtual ~Target();

    // Records the hit; returns the energy to give back to the thrower (none here).
    virtual int Hit(Tick t, int damage, Target_Hit_Flags flags);
    // Writes the point to aim at at tick t and says whether the target can be aimed at then.
    virtual bool GetTargetPos(Map const* map, Tick t, Pointf& pos) const;

    void NoiseHit(Tick t);
    // Plays the hit sound when a noise is stamped with exactly tick t. Asked of every target in
    // every step; most never make a noise.
    void MakeNoise(Map const* map, Tick t)
    {
        if (noises->Count() > 0)
            MakeNoiseFrom(map, t);
    }

    // start less the damage of every hit at or before t, never below 0.
    int GetHitPoints(Tick t, int start) const;
    // The tick of the hit that uses up hitPoints, or -1 when the hits never do.
    Tick GetDeathTime(int hitPoints) const;
    bool BeenHit(Tick t, Tick* when) const;
    // Whether any hit has a tick at or after t; when writes the earliest such tick.
    bool HitFrom(Tick t, Tick* when) const;
    bool GotHit(Tick t) const;
    // Whether a hit lies strictly within gap ticks of t on either side.
    bool HitClash(Tick t, int gap) const;
    // Forgets every hit from now on; copies that share the old list keep it.
    void RemoveHits();

    void RenderHighlight(Map const* map, Tick t, Character_Highlight h) const;

protected:
    PtrListSorted<HitInfo>* hits = nullptr;   // shared with replay copies
    PtrListSorted<HitInfo>* noises = nullptr; // only the ticks are used
    Rectf rect = Rectf(0.0, 0.0, 0.0, 0.0);   // frame relative to the target point
    Sound_Id sound{};                         // played at each noise

private:
    void MakeNoiseFrom(Map const* map, Tick t);
};
