// Axes: the player's record of every throw of the level.
#pragma once

#include "engine/Axe.h"
#include "util/PtrListSorted.h"
#include "util/Tick.h"

class Map;
class Pointf;
class Target;

constexpr double Axes_SpreadMin = 0.5235987755983;
constexpr double Axes_SpreadMax = 1.5707963267949;

// A throw is final when made: its noise and hit are stamped on the target at the arrival tick,
// which lies ahead of the clock, and the record stays so that past selves' throws fly again.
class Axes final
{
public:
    Axes();
    Axes(Axes const&) = delete;
    Axes& operator=(Axes const&) = delete;
    ~Axes();

    // Returns what the target's Hit gives back, or 0 without a target.
    int ThrowAxe(Map const* map, Tick t, Pointf const* from, Target* target, int strength, double throwerScale);
    int CalcThrowingDuration(Map const* map, Tick t, Pointf const* from, Target* target, double throwerScale);
    // Writes the curve's tangent angles at both ends; returns the distance of its control points.
    double CalcThrowingAngles(Pointf const* from, Pointf const* to, double& a1, double& a2);
    // time is the level clock in 1/256 ticks.
    void Render(Map const* map, Tick time) const;

    PtrListSorted<Axe>* axes = nullptr; // every throw in start order, owned
};
