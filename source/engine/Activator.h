// Activator: anything that can work a door or a lift, answering whether it is on at a tick.
#pragma once

#include "util/Tick.h"

#include <algorithm>
#include <limits>
#include <vector>

class Activated;
class TimeSet;

// Every tick, far enough back to stand for "all of them".
constexpr Tick Activator_AllTicks = std::numeric_limits<Tick>::min();

// The base answers from a set of the ticks at which it was on; a derived class that keeps one
// creates and owns the set. Derived classes may answer the five questions from other records.
// Records may gain ticks in the past of the latest ones (a press after a travel back), so an
// activator that reports every change of its answers lets the things it works keep checkpoints
// of their movements; one that does not leaves them walking back over all its runs.
class Activator
{
public:
    Activator() = default;
    // A copy shares the records but works nothing.
    Activator(Activator const& other);
    Activator& operator=(Activator const& other);
    virtual ~Activator();

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

    // Whether every change of the answers is reported through Changed. False unless a derived
    // class promises it.
    virtual bool ReportsChanges() const;

protected:
    // The answers at t and after may have changed: the things worked forget what they kept
    // of those ticks. Answers before t must be the same as before.
    void Changed(Tick t);

    TimeSet* activeTimes = nullptr; // owned by the derived class that creates it

private:
    friend class Activated;

    std::vector<Activated*> worked; // told of changes; they unhook themselves when they go
};

// One step of a walk back over activity records: from tick at, the movement of n ticks that
// began at at - n, while on (active) or off.
struct Activator_Link
{
    Tick at;
    Tick n;
    bool active;
};

// Positions of a movement computed over activity records, kept at some of the ticks where a
// walk back over the records turns, so that later walks stop there instead of going on to where
// the movement began at rest. Only a cache: the answers never depend on what it holds.
class Activator_Checkpoints
{
public:
    // Links of a walk between two kept positions: a walk from near a tick asked before meets
    // one within about as many links.
    static constexpr int Spacing = 32;

    // The position kept for exactly tick at; value is left alone when there is none.
    bool Find(Tick at, double& value) const;
    // After the walk has played `played` links forward from where it began and reached tick at
    // with value: keeps it every Spacing links, except at the tick asked, which no other walk
    // needs to pass.
    void Played(int played, Tick at, Tick asked, double value);
    // Forgets the positions at t and after.
    void DropFrom(Tick t);

private:
    struct Entry
    {
        Tick tick;
        double value;
    };
    std::vector<Entry> entries; // sorted by tick
};

// The answers of a movement at single ticks, kept while the records they come from stay as they
// were: a level asks for the same ticks step after step while its creatures re-simulate their
// past. Only a cache, dropped from the tick of each change, as the checkpoints are.
class Activator_Answers
{
public:
    bool Find(Tick t, double& value) const
    {
        Entry const& e = entries[Slot(t)];
        if (!e.kept || e.tick != t)
            return false;
        value = e.value;
        return true;
    }
    void Keep(Tick t, double value)
    {
        entries[Slot(t)] = Entry{t, value, true};
        highest = std::max(highest, t);
    }
    // Forgets the answers at t and after.
    void DropFrom(Tick t);

private:
    static constexpr int Size = 256;
    static int Slot(Tick t) { return int(unsigned(t) % unsigned(Size)); }

    struct Entry
    {
        Tick tick;
        double value;
        bool kept;
    };
    Entry entries[Size] = {};
    Tick highest = Activator_AllTicks; // no answer kept is later
};
