// The set of ticks at which a fact held, stored as sorted, disjoint half-open runs.
#include "engine/TimeSet.h"

#include <cstdint>

TimeSet::TimeSet() : ranges(PtrList_Variable, 32)
{
}

TimeSet::~TimeSet()
{
}

void TimeSet::AddRange(TimeRange range)
{
    Tick s = range.start;
    Tick e = range.end;
    // Stored, an empty run would swallow the next tick added at its position.
    if (e <= s)
        return;
    // A set recorded over a whole level holds thousands of runs, and nearly every addition
    // widens one run or follows the last: those are found by search and made in place.
    int const runs = RunCount();
    int const near = LastRunFrom(e);
    bool const nearJoins = near >= 0 && ranges[near]->end >= s;
    bool const beforeFree = near < 1 || ranges[near - 1]->end < s;
    if (nearJoins && beforeFree)
    {
        TimeRange* run = ranges[near];
        if (s < run->start)
            run->start = s;
        if (e > run->end)
            run->end = e;
        return;
    }
    if (!nearJoins && near == runs - 1)
    {
        // The first empty slot is the one behind the runs: no need to search for it from the
        // front, which would cost a step of every level for each run already recorded.
        if (runs < ranges.Count())
            ranges[runs] = new TimeRange(s, e);
        else
            ranges.AddItem(new TimeRange(s, e));
        return;
    }
    for (int i = 0; i < ranges.Count(); i++)
    {
        TimeRange* run = ranges[i];
        if (run == nullptr)
            continue;
        if (run->start <= s && e < run->end)
            return;
        Tick last = run->end - 1;
        if ((run->start >= s && run->start < e) || run->start == e)
        {
            if (!(last >= s && last < e))
                e = run->end;
            ranges.Delete(i);
        }
        else if ((last >= s && last < e) || run->end == s)
        {
            s = run->start;
            ranges.Delete(i);
        }
    }
    ranges.NewItem(new TimeRange(s, e));
    ranges.SortList();
}

void TimeSet::Remove(TimeRange range)
{
    Tick s = range.start;
    Tick e = range.end;
    if (e <= s)
        return;
    for (int i = 0; i < ranges.Count(); i++)
    {
        TimeRange* run = ranges[i];
        if (run == nullptr || !(s < run->end && run->start < e))
            continue;
        if (s <= run->start && run->end <= e)
        {
            delete ranges.RemoveItem(i);
            i--;
        }
        else if (run->start < s && e < run->end)
        {
            Tick oldEnd = run->end;
            run->end = s;
            AddRange(TimeRange(e, oldEnd));
            return;
        }
        else if (run->start < s)
            run->end = s;
        else
            run->start = e;
    }
}

int TimeSet::RunCount() const
{
    int n = ranges.Count();
    while (n > 0 && ranges[n - 1] == nullptr)
        n--;
    return n;
}

int TimeSet::LastRunFrom(Tick t) const
{
    int lo = 0;
    int hi = RunCount();
    while (lo < hi)
    {
        int const mid = lo + (hi - lo) / 2;
        if (ranges[mid]->start <= t)
            lo = mid + 1;
        else
            hi = mid;
    }
    return lo - 1;
}

TimeRange const* TimeSet::RunAt(Tick t) const
{
    // Runs are disjoint: only the last one starting at or before t can hold it.
    int const i = LastRunFrom(t);
    return i >= 0 && ranges[i]->Contains(t) ? ranges[i] : nullptr;
}

bool TimeSet::CheckRange(TimeRange range) const
{
    // An empty range holds no tick, so none of its ticks is a member.
    if (range.end <= range.start)
        return false;
    // The range shares a tick with a run exactly when the last run starting inside or before
    // it reaches past its start.
    int const i = LastRunFrom(range.end - 1);
    return i >= 0 && ranges[i]->end > range.start;
}

bool TimeSet::CheckDown(Tick t, Tick* found) const
{
    int const i = LastRunFrom(t);
    if (i < 0)
        return false;
    if (found != nullptr)
        *found = ranges[i]->Contains(t) ? t : ranges[i]->end - 1;
    return true;
}

bool TimeSet::CheckUp(Tick t, Tick* found) const
{
    // Ends grow with starts: the first run ending after t is the one holding t, else the next.
    int i = LastRunFrom(t);
    if (i < 0 || ranges[i]->end <= t)
        i++;
    if (i >= RunCount())
        return false;
    if (found != nullptr)
        *found = ranges[i]->Contains(t) ? t : ranges[i]->start;
    return true;
}

Tick TimeSet::LastFreeTime(Tick t) const
{
    TimeRange const* run = RunAt(t);
    return run == nullptr ? t : run->start - 1;
}

Tick TimeSet::NextFreeTime(Tick t) const
{
    TimeRange const* run = RunAt(t);
    return run == nullptr ? t : run->end;
}

Tick TimeSet::Count(Tick t) const
{
    Tick total = 0;
    for (int i = 0; i < ranges.Count(); i++)
    {
        TimeRange const* run = ranges[i];
        if (run == nullptr)
            continue;
        if (run->start >= t)
            break;
        total += (run->end < t ? run->end : t) - run->start;
        if (run->end >= t)
            break;
    }
    return total;
}

bool TimeSet::Safe(Tick t, int gap) const
{
    // Widened so that a gap near the ends of the tick range cannot overflow.
    Tick d = 0;
    if (CheckDown(t, &d) && std::int64_t(d) + gap > t)
        return false;
    Tick u = 0;
    if (!CheckUp(t, &u))
        return true;
    return std::int64_t(u) - gap >= t;
}

bool TimeSet::AddIfSafe(Tick t, int gap)
{
    if (!Safe(t, gap))
        return false;
    Add(t);
    return true;
}
