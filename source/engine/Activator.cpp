// The activator's answers over its set of active ticks, and the reports of its changes.
#include "engine/Activator.h"

#include "engine/Activated.h"
#include "engine/TimeSet.h"

#include <algorithm>

Activator::Activator(Activator const& other) : activeTimes(other.activeTimes)
{
}

Activator& Activator::operator=(Activator const& other)
{
    activeTimes = other.activeTimes;
    Changed(Activator_AllTicks);
    return *this;
}

Activator::~Activator()
{
    for (Activated* thing : worked)
        thing->ActivatorGone(this);
}

bool Activator::IsActive(Tick t) const
{
    return activeTimes != nullptr && activeTimes->Check(t);
}

Tick Activator::LastActiveTime(Tick t) const
{
    Tick when = -1;
    if (activeTimes == nullptr || !activeTimes->CheckDown(t, &when))
        return -1;
    return when;
}

Tick Activator::LastInactiveTime(Tick t) const
{
    if (activeTimes == nullptr)
        return t;
    return activeTimes->LastFreeTime(t);
}

Tick Activator::NextActiveTime(Tick t) const
{
    Tick when = -1;
    if (activeTimes == nullptr || !activeTimes->CheckUp(t, &when))
        return -1;
    return when;
}

Tick Activator::ActiveCount(Tick t) const
{
    if (activeTimes == nullptr)
        return 0;
    return activeTimes->Count(t);
}

Tick Activator::LastSwitchOnTime(Tick t) const
{
    if (IsActive(t))
        return LastInactiveTime(t);
    Tick const last = LastActiveTime(t);
    if (last == -1)
        return -1;
    return LastInactiveTime(last);
}

bool Activator::ReportsChanges() const
{
    return false;
}

void Activator::Changed(Tick t)
{
    for (Activated* thing : worked)
        thing->ActivatorChanged(t);
}

bool Activator_Checkpoints::Find(Tick at, double& value) const
{
    auto const it =
        std::lower_bound(entries.begin(), entries.end(), at, [](Entry const& e, Tick tick) { return e.tick < tick; });
    if (it == entries.end() || it->tick != at)
        return false;
    value = it->value;
    return true;
}

void Activator_Checkpoints::Played(int played, Tick at, Tick asked, double value)
{
    if (played % Spacing != 0 || at == asked)
        return;
    // Walks in live play end near the latest tick, so nearly every position goes at the end.
    if (entries.empty() || entries.back().tick < at)
    {
        entries.push_back({at, value});
        return;
    }
    auto const it =
        std::lower_bound(entries.begin(), entries.end(), at, [](Entry const& e, Tick tick) { return e.tick < tick; });
    if (it != entries.end() && it->tick == at)
        it->value = value;
    else
        entries.insert(it, {at, value});
}

void Activator_Answers::DropFrom(Tick t)
{
    if (t > highest)
        return;
    for (Entry& e : entries)
        if (e.kept && e.tick >= t)
            e.kept = false;
    highest = t == Activator_AllTicks ? t : t - 1;
}

void Activator_Checkpoints::DropFrom(Tick t)
{
    if (entries.empty() || entries.back().tick < t)
        return;
    auto const it =
        std::lower_bound(entries.begin(), entries.end(), t, [](Entry const& e, Tick tick) { return e.tick < tick; });
    entries.erase(it, entries.end());
}
