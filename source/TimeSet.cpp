// The set of ticks at which a fact held, stored as sorted, disjoint half-open runs.
#include "TimeSet.h"

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

TimeRange const* TimeSet::RunAt(Tick t) const
{
    for (int i = 0; i < ranges.Count(); i++)
    {
        TimeRange const* run = ranges[i];
        if (run != nullptr && run->Contains(t))
            return run;
    }
    return nullptr;
}

bool TimeSet::CheckRange(TimeRange range) const
{
    // An empty range holds no tick, so none of its ticks is a member.
    if (range.end <= range.start)
        return false;
    for (int i = 0; i < ranges.Count(); i++)
    {
        TimeRange const* run = ranges[i];
        if (run == nullptr)
            continue;
        Tick last = run->end - 1;
        if (run->Contains(range.start) || run->Contains(range.end - 1) || range.Contains(run->start) ||
            range.Contains(last))
            return true;
    }
    return false;
}

bool TimeSet::CheckDown(Tick t, Tick* found) const
{
    TimeRange const* best = nullptr;
    for (int i = 0; i < ranges.Count(); i++)
    {
        TimeRange const* run = ranges[i];
        if (run == nullptr)
            continue;
        if (run->start > t)
            break;
        best = run;
    }
    if (best == nullptr)
        return false;
    if (found != nullptr)
        *found = best->Contains(t) ? t : best->end - 1;
    return true;
}

bool TimeSet::CheckUp(Tick t, Tick* found) const
{
    for (int i = 0; i < ranges.Count(); i++)
    {
        TimeRange const* run = ranges[i];
        if (run == nullptr || run->end <= t)
            continue;
        if (found != nullptr)
            *found = run->Contains(t) ? t : run->start;
        return true;
    }
    return false;
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
