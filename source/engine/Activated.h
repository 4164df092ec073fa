// Activated: something worked by a list of activators, on while every one of them is on.
#pragma once

#include "engine/Activator.h"
#include "util/PtrList.h"
#include "util/Tick.h"

#include <vector>

// The activators belong to the world; this only refers to them. With no activators the
// thing counts as always on. Whichever of an activator and the things it works goes first
// unhooks itself from the other.
class Activated
{
public:
    Activated();
    Activated(Activated const&) = delete;
    Activated& operator=(Activated const&) = delete;
    virtual ~Activated();

    void AddActivator(Activator* activator);

    bool IsActive(Tick t) const;
    // The earliest of the activators' latest active ticks; -1 when any has none, or with none.
    Tick LastActiveTime(Tick t) const;
    // The latest of the activators' last inactive ticks, never below 0.
    Tick LastInactiveTime(Tick t) const;
    // The latest of the activators' next active ticks; -1 when any has none, or with none.
    Tick NextActiveTime(Tick t) const;
    // The first activator's count; 0 with none.
    Tick ActiveCount(Tick t) const;

protected:
    // One step back over the activators' runs, for movements computed from where they stood when
    // the activity last changed: active tells the state at t and ref the tick that state refers
    // to, always before t. False when t is at rest: at or before tick 0, never active before,
    // or when the activators give no earlier tick to refer to. Activity that began at or before
    // tick 0 therefore counts as a movement from rest at tick 0.
    bool StepBack(Tick t, bool& active, Tick& ref) const;
    // Whether the movement may keep checkpoints: every activator reports its changes.
    bool KeepsCheckpoints() const;

    // The movement's positions at turning ticks of its walks back, and its answers at ticks
    // asked, dropped from the earliest tick at which an activator's answers changed.
    mutable Activator_Checkpoints checkpoints;
    mutable Activator_Answers answers;
    // The links of a walk back, kept for the next walk.
    mutable std::vector<Activator_Link> walk;

private:
    friend class Activator;
    void ActivatorChanged(Tick t);
    void ActivatorGone(Activator const* activator);

    PtrList<Activator> activators;
};
