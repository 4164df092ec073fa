// An integer value per tick, stored as sorted runs of ticks that carry the same value.
#pragma once

#include "util/PtrListSorted.h"
#include "util/RefObj.h"
#include "util/Tick.h"

// The ticks [start, end), each carrying value.
class TimeRange2
{
public:
    TimeRange2(Tick rangeStart, Tick rangeEnd, int rangeValue) : value(rangeValue), start(rangeStart), end(rangeEnd) {}
    TimeRange2(Tick t, int rangeValue) : value(rangeValue), start(t), end(t + 1) {}
    explicit TimeRange2(TimeRange2 const* other) : value(other->value), start(other->start), end(other->end) {}

    bool Contains(Tick t) const { return start <= t && t < end; }
    bool Greater(TimeRange2 const* other) const { return start > other->start; }

    int value;
    Tick start;
    Tick end; // one past the last tick
};

// Runs stay sorted, disjoint and non-empty in the first slots of the list, with no empty
// slot between them; touching runs carry different values. Queries search by start and walk
// only over runs next to the answer; Add changes one run or its neighbours in place. A tick that no run covers has no value. Shared between
// an object and its replay copies through TakeRef and Destroy.
class TimeSet2 : public RefObj
{
public:
    TimeSet2();
    TimeSet2(TimeSet2 const&) = delete;
    TimeSet2& operator=(TimeSet2 const&) = delete;
    ~TimeSet2() override;

    void Add(Tick t, int v);
    // Whether t is covered; value (when not null) receives its value.
    bool Find(Tick t, int* value) const;
    // The nearest run at or before t whose value differs from the value at t (any run
    // when t is uncovered): its value and its latest tick not after t.
    bool CheckDown(Tick t, int* value, Tick* tick) const;
    // The nearest run at or after t whose value differs: its value and its earliest tick not before t.
    bool CheckUp(Tick t, int* value, Tick* tick) const;
    // The first tick of the run that covers t, or t + 1 when none does.
    Tick RunStart(Tick t) const;
    // The latest uncovered tick at or before t, walking back across touching runs.
    Tick LastFreeTime(Tick t) const;
    // The earliest uncovered tick at or after t.
    Tick NextFreeTime(Tick t) const;
    bool Check(Tick t, int v) const { return CheckRange(TimeRange2(t, v)); }
    // Whether a run carrying the range's value shares a tick with the range.
    bool CheckRange(TimeRange2 range) const;
    // Sets the value at t unless a run of another value lies closer than gap.
    bool AddIfSafe(Tick t, int v, int gap);
    // Joins neighbouring runs of equal value that touch.
    void Join();
    void Print() const;

private:
    // The last run that starts at or before t, or -1.
    int Floor(Tick t) const;
    // Puts a run at slot at, moving the later ones up one slot.
    void InsertRun(int at, TimeRange2* run);
    // Deletes the run at slot at and moves the later ones down.
    void RemoveRun(int at);

    PtrListSorted<TimeRange2> ranges;
};
