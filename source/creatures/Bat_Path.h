// Bat_Path: the smooth flight path a flock of bats shares, and where a bat is on it after leaving its roost.
#pragma once

#include "util/Pointf.h"
#include "util/PtrList.h"
#include "util/Tick.h"

class Bezier;
class Map;

// Cubic sections through waypoints taken from pairs of map reference points, each waypoint passed
// heading from its first point towards its second. A bat reaches the path's start along a curve
// that leaves its roost straight down, flies the sections at a steady speed and stays at the end
// when the path runs out. Built once by the world and shared, unowned, by many bats.
class Bat_Path final
{
public:
    static constexpr double Bat_Speed = 8.0;       // units per tick along the sections
    static constexpr double Bat_Start_Speed = 4.0; // units per tick of the curve from the roost
    // The direction a bat leaves its roost in: straight down.
    static constexpr double Bat_Drop_Angle = 3.1415926535898;

    Bat_Path();
    Bat_Path(Bat_Path const&) = delete;
    Bat_Path& operator=(Bat_Path const&) = delete;
    ~Bat_Path();

    // The waypoint at reference point a, heading towards reference point b.
    void AddSection(Map const* map, unsigned int a, unsigned int b);
    // n waypoints from the pairs (r, r + 1), (r + 2, r + 3), ...
    void AddSections(Map const* map, unsigned int r, int n);
    // A curve to the other path's start along its first direction, then copies of its sections.
    void AddPath(Bat_Path const* other);
    // Measures the sections; called once, after the last addition.
    void ClosePath();

    // Where a bat that left the roost k ticks ago is.
    Pointf GetPos(Pointf const* roost, Tick k) const;

    int SectionCount() const { return sections.Count(); }
    // Ticks a bat takes over section i; valid once closed.
    int SectionTicks(int i) const;
    Bezier const* Section(int i) const { return sections[i]; }
    bool IsClosed() const { return sectionTicks != nullptr; }
    // A path a bat can fly: closed, with at least one section.
    bool Flyable() const { return IsClosed() && SectionCount() > 0; }

private:
    PtrList<Bezier> sections;    // in flight order, owned
    int* sectionTicks = nullptr; // per section, from ClosePath (malloc)
    bool first = true;           // no waypoint yet
    Pointf lastPoint;            // the last waypoint
    double lastAngle = 0.0;      // direction of travel at the last waypoint
    double startAngle = 0.0;     // the direction a curve must arrive at the first waypoint with
};
