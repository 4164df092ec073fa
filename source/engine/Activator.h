// Activator: anything that can work a door or a lift, answering whether it is on at a tick.
#pragma once

#include "util/Tick.h"

class TimeSet;

// The base answers from a set of the ticks at which it was on; a derived class that keeps one
// creates and owns the set. Derived classes may answer the five questions from other records.
class Activator
{
public:
    Activator() = default;
    Activator(Activator const&) = default;
    Activator& operator=(Activator const&) = default;
    virtual ~Activator() = default;

    virtual bool IsActive(Tick t) const;
    // The latest active tick at or before t, or -1.
    virtual Tick LastActiveTime(Tick t) const;
    // t when inactive at t, else the tick just before the run of active ticks holding t.
    virtual Tick LastInactiveTime(Tick t) const;
    // The earliest active tick at or after t, or -1.
    virtual Tick NextActiveTime(Tick t) const;
    // How many active ticks lie before t.
    virtual Tick ActiveCount(Tick t) const;

    // The tick just before the latest switching on at or before t; -1 when never on by then.
    Tick LastSwitchOnTime(Tick t) const;

protected:
    TimeSet* activeTimes = nullptr; // owned by the derived class that creates it
};
