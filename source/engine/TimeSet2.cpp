// An integer value per tick, stored as sorted runs of ticks that carry the same value.
#include "engine/TimeSet2.h"

#include <cassert>
#include <cstdint>
#include <cstdio>

TimeSet2::TimeSet2() : ranges(PtrList_Variable, 32)
{
}

TimeSet2::~TimeSet2()
{
}

void TimeSet2::Add(Tick t, int v)
{
    bool placed = false;
    for (int i = 0; i < ranges.Count(); i++)
    {
        TimeRange2* run = ranges[i];
        if (run == nullptr)
            continue;
        if (run->Contains(t))
        {
            if (run->value == v)
                return;
            if (run->start < t)
                ranges.NewItem(new TimeRange2(run->start, t, run->value));
            if (run->end > t + 1)
                ranges.NewItem(new TimeRange2(t + 1, run->end, run->value));
            if (!placed)
            {
                *run = TimeRange2(t, v);
                placed = true;
            }
            else
                ranges.Delete(i);
        }
        else if (!placed && run->value == v)
        {
            if (run->start == t + 1)
            {
                run->start = t;
                placed = true;
            }
            else if (run->end == t)
            {
                run->end = t + 1;
                placed = true;
            }
        }
    }
    if (!placed)
        ranges.NewItem(new TimeRange2(t, v));
    ranges.SortList();
    Join();
    ranges.SortList();
}

void TimeSet2::Join()
{
    for (int i = 0; i + 1 < ranges.Count(); i++)
    {
        TimeRange2* run = ranges[i];
        TimeRange2* next = ranges[i + 1];
        if (run != nullptr && next != nullptr && run->value == next->value && run->end == next->start)
        {
            run->end = next->end;
            ranges.Delete(i + 1);
        }
    }
}

bool TimeSet2::Find(Tick t, int* value) const
{
    int hi = ranges.LastItem();
    if (hi < 0)
        return false;
    int lo = 0;
    while (hi - lo > 1)
    {
        int rangeMid = (lo + hi) / 2;
        if (ranges[rangeMid] == nullptr)
        {
            Print();
            assert(ranges[rangeMid] != nullptr);
        }
        TimeRange2 const* mid = ranges[rangeMid];
        if (mid->start > t)
            hi = rangeMid;
        else
        {
            lo = rangeMid;
            if (mid->Contains(t))
                hi = rangeMid;
        }
    }
    int const candidates[] = {lo, hi};
    for (int i : candidates)
    {
        TimeRange2 const* run = ranges[i];
        if (run != nullptr && run->Contains(t))
        {
            if (value != nullptr)
                *value = run->value;
            return true;
        }
    }
    return false;
}

bool TimeSet2::CheckDown(Tick t, int* value, Tick* tick) const
{
    int w = 0;
    bool covered = Find(t, &w);
    for (int i = ranges.Count() - 1; i >= 0; i--)
    {
        TimeRange2 const* run = ranges[i];
        if (run == nullptr || run->start > t || (covered && run->value == w))
            continue;
        if (value != nullptr)
            *value = run->value;
        if (tick != nullptr)
            *tick = run->end <= t ? run->end - 1 : t;
        return true;
    }
    return false;
}

bool TimeSet2::CheckUp(Tick t, int* value, Tick* tick) const
{
    int w = 0;
    bool covered = Find(t, &w);
    for (int i = 0; i < ranges.Count(); i++)
    {
        TimeRange2 const* run = ranges[i];
        if (run == nullptr || run->end <= t || (covered && run->value == w))
            continue;
        if (value != nullptr)
            *value = run->value;
        if (tick != nullptr)
            *tick = run->start >= t ? run->start : t;
        return true;
    }
    return false;
}

Tick TimeSet2::LastFreeTime(Tick t) const
{
    Tick x = t;
    for (int i = ranges.Count() - 1; i >= 0; i--)
    {
        TimeRange2 const* run = ranges[i];
        if (run != nullptr && run->Contains(x))
            x = run->start - 1;
    }
    return x;
}

Tick TimeSet2::NextFreeTime(Tick t) const
{
    Tick x = t;
    for (int i = 0; i < ranges.Count(); i++)
    {
        TimeRange2 const* run = ranges[i];
        if (run != nullptr && run->Contains(x))
            x = run->end;
    }
    return x;
}

bool TimeSet2::CheckRange(TimeRange2 range) const
{
    // An empty range holds no tick, so none of its ticks carries the value.
    if (range.end <= range.start)
        return false;
    for (int i = 0; i < ranges.Count(); i++)
    {
        TimeRange2 const* run = ranges[i];
        if (run == nullptr || run->value != range.value)
            continue;
        if (run->Contains(range.start) || run->Contains(range.end - 1) || range.Contains(run->start)
            || range.Contains(run->end - 1))
            return true;
    }
    return false;
}

bool TimeSet2::AddIfSafe(Tick t, int v, int gap)
{
    // Widened so that a gap near the ends of the tick range cannot overflow.
    Tick d = 0;
    if (CheckDown(t, nullptr, &d) && std::int64_t(d) + gap > t)
        return false;
    Tick u = 0;
    if (CheckUp(t, nullptr, &u) && std::int64_t(u) - gap < t)
        return false;
    Add(t, v);
    return true;
}

void TimeSet2::Print() const
{
    for (int i = 0; i < ranges.Count(); i++)
    {
        TimeRange2 const* run = ranges[i];
        if (run == nullptr)
            printf("NULL, ");
        else
            printf("%d-%d (%d), ", int(run->start), int(run->end), run->value);
    }
    printf("\n");
}
