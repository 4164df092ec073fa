// The set of ticks at which a fact held, stored as sorted, disjoint half-open runs.
#pragma once

#include "util/PtrListSorted.h"
#include "util/RefObj.h"
#include "util/Tick.h"

// The ticks [start, end).
class TimeRange
{
public:
    TimeRange(Tick rangeStart, Tick rangeEnd) : start(rangeStart), end(rangeEnd) {}
    explicit TimeRange(Tick t) : start(t), end(t + 1) {}
    explicit TimeRange(TimeRange const* other) : start(other->start), end(other->end) {}

    bool Contains(Tick t) const { return start <= t && t < end; }
    bool Greater(TimeRange const* other) const { return start > other->start; }

    Tick start;
    Tick end; // one past the last tick
};

// Runs stay sorted by start, never empty and never touching, so every member tick
// belongs to exactly one run and a fact that holds for a long time costs one record.
// Shared between an object and its replay copies through TakeRef and Destroy.
class TimeSet : public RefObj
{
public:
    TimeSet();
    TimeSet(TimeSet const&) = delete;
    TimeSet& operator=(TimeSet const&) = delete;
    ~TimeSet() override;

    void Add(Tick t) { AddRange(TimeRange(t)); }
    // Merges with every run that overlaps or touches the range; an empty range is ignored.
    void AddRange(TimeRange range);
    // An empty range is ignored.
    void Remove(TimeRange range);

    bool Check(Tick t) const { return CheckRange(TimeRange(t)); }
    // Whether any tick of the range is a member.
    bool CheckRange(TimeRange range) const;
    // The latest member at or before t; found is null when only the flag is wanted.
    bool CheckDown(Tick t, Tick* found) const;
    // The earliest member at or after t.
    bool CheckUp(Tick t, Tick* found) const;
    // The latest non-member at or before t.
    Tick LastFreeTime(Tick t) const;
    // The earliest non-member at or after t.
    Tick NextFreeTime(Tick t) const;
    // How many members lie before t.
    Tick Count(Tick t) const;
    // Whether no member lies strictly inside (t - gap, t + gap).
    bool Safe(Tick t, int gap) const;
    bool AddIfSafe(Tick t, int gap);

private:
    // The run that holds t, or null.
    TimeRange const* RunAt(Tick t) const;
    // The runs stand sorted in the first slots, any empty slots behind them.
    int RunCount() const;
    // The index of the last run that starts at or before t, or -1.
    int LastRunFrom(Tick t) const;

    PtrListSorted<TimeRange> ranges;
};
