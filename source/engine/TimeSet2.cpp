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
    int const n = ranges.Count();
    int const i = Floor(t);
    bool const covered = i >= 0 && ranges[i]->Contains(t);
    if (covered && ranges[i]->value == v)
        return;
    // Neighbours that touch t and carry v grow over it; with no run covering t they are the
    // runs on either side of it.
    int const left = covered ? i - 1 : i;
    int const right = i + 1;
    bool const joinLeft = left >= 0 && ranges[left]->end == t && ranges[left]->value == v;
    bool const joinRight = right < n && ranges[right]->start == t + 1 && ranges[right]->value == v;
    if (covered)
    {
        TimeRange2* run = ranges[i];
        if (run->start < t && run->end > t + 1)
        {
            InsertRun(i + 1, new TimeRange2(t, v));
            InsertRun(i + 2, new TimeRange2(t + 1, run->end, run->value));
            run->end = t;
            return;
        }
        if (run->start < t)
        {
            // The run ends at t: what is left of it keeps its front.
            run->end = t;
            if (joinRight)
                ranges[right]->start = t;
            else
                InsertRun(i + 1, new TimeRange2(t, v));
            return;
        }
        if (run->end > t + 1)
        {
            run->start = t + 1;
            if (joinLeft)
                ranges[left]->end = t + 1;
            else
                InsertRun(i, new TimeRange2(t, v));
            return;
        }
        // The run is t alone.
        if (!joinLeft && !joinRight)
        {
            run->value = v;
            return;
        }
        RemoveRun(i);
        if (joinLeft && joinRight)
        {
            ranges[left]->end = ranges[left + 1]->end;
            RemoveRun(left + 1);
        }
        else if (joinLeft)
            ranges[left]->end = t + 1;
        else
            ranges[i]->start = t;
        return;
    }
    if (joinLeft && joinRight)
    {
        ranges[left]->end = ranges[right]->end;
        RemoveRun(right);
    }
    else if (joinLeft)
        ranges[left]->end = t + 1;
    else if (joinRight)
        ranges[right]->start = t;
    else
        InsertRun(i + 1, new TimeRange2(t, v));
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
            // Closing the gap keeps the runs together at the front of the list.
            RemoveRun(i + 1);
            i--;
        }
    }
}

int TimeSet2::Floor(Tick t) const
{
    int lo = 0;
    int hi = ranges.Count();
    // The first run that starts after t lies in [lo, hi).
    while (lo < hi)
    {
        int const mid = lo + (hi - lo) / 2;
        TimeRange2 const* run = ranges[mid];
        if (run == nullptr)
        {
            Print();
            assert(run != nullptr);
        }
        if (run->start > t)
            hi = mid;
        else
            lo = mid + 1;
    }
    return lo - 1;
}

void TimeSet2::InsertRun(int at, TimeRange2* run)
{
    ranges.AddItem(run);
    for (int j = ranges.Count() - 1; j > at; j--)
        ranges[j] = ranges[j - 1];
    ranges[at] = run;
}

void TimeSet2::RemoveRun(int at)
{
    delete ranges.RemoveItem(at);
}

bool TimeSet2::Find(Tick t, int* value) const
{
    int const i = Floor(t);
    if (i < 0 || !ranges[i]->Contains(t))
        return false;
    if (value != nullptr)
        *value = ranges[i]->value;
    return true;
}

bool TimeSet2::CheckDown(Tick t, int* value, Tick* tick) const
{
    int i = Floor(t);
    if (i >= 0 && ranges[i]->Contains(t))
    {
        int const w = ranges[i]->value;
        while (i >= 0 && ranges[i]->value == w)
            i--;
    }
    if (i < 0)
        return false;
    TimeRange2 const* run = ranges[i];
    if (value != nullptr)
        *value = run->value;
    if (tick != nullptr)
        *tick = run->end - 1;
    return true;
}

bool TimeSet2::CheckUp(Tick t, int* value, Tick* tick) const
{
    int const n = ranges.Count();
    int i = Floor(t);
    if (i >= 0 && ranges[i]->Contains(t))
    {
        int const w = ranges[i]->value;
        while (i < n && ranges[i]->value == w)
            i++;
    }
    else
        i++;
    if (i >= n)
        return false;
    TimeRange2 const* run = ranges[i];
    if (value != nullptr)
        *value = run->value;
    if (tick != nullptr)
        *tick = run->start;
    return true;
}

Tick TimeSet2::RunStart(Tick t) const
{
    int const i = Floor(t);
    return i >= 0 && ranges[i]->Contains(t) ? ranges[i]->start : t + 1;
}

Tick TimeSet2::LastFreeTime(Tick t) const
{
    Tick x = t;
    for (int i = Floor(t); i >= 0 && ranges[i]->Contains(x); i--)
        x = ranges[i]->start - 1;
    return x;
}

Tick TimeSet2::NextFreeTime(Tick t) const
{
    Tick x = t;
    int i = Floor(t);
    for (i = i < 0 ? 0 : i; i < ranges.Count() && ranges[i]->Contains(x); i++)
        x = ranges[i]->end;
    return x;
}

bool TimeSet2::CheckRange(TimeRange2 range) const
{
    // An empty range holds no tick, so none of its ticks carries the value.
    if (range.end <= range.start)
        return false;
    int i = Floor(range.start);
    for (i = i < 0 ? 0 : i; i < ranges.Count() && ranges[i]->start < range.end; i++)
    {
        TimeRange2 const* run = ranges[i];
        if (run->value == range.value && run->end > range.start)
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
