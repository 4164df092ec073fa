// Axe: one thrown blade, settled when thrown and drawn along its curve at any tick.
#pragma once

#include "util/Tick.h"

class Bezier;
class Image;
class Map;

class Axe final
{
public:
    Axe(Tick throwTime, int flightTicks, Bezier* path, double throwerScale);
    Axe(Axe const&) = delete;
    Axe& operator=(Axe const&) = delete;
    ~Axe();

    static void Initialise();
    static void Finalise();

    bool Greater(Axe const* other) const { return startTime > other->startTime; }
    Tick EndTime() const { return startTime + duration; }
    // time is the level clock in 1/256 ticks, so the blade moves smoothly while time travels.
    void Render(Map const* map, Tick time) const;

    static Image* frame; // the blade picture, shared by every throw

    Tick startTime = 0;      // the tick of the throw
    int duration = 1;        // flight time in ticks, at least 1
    Bezier* curve = nullptr; // the flight path, owned
    double scale = 1.0;      // the thrower's scale at the throw
    double spin = 0.0;       // the blade's own starting turn, fixed for the throw
};
