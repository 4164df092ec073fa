// Activated: combining the answers of several activators.
#include "engine/Activated.h"

#include <algorithm>
#include <vector>

namespace
{
constexpr int Activated_ListSize = 4;
}

Activated::Activated() : activators(PtrList_Variable, Activated_ListSize)
{
    activators.owns = false;
}

Activated::~Activated()
{
    for (int i = 0; i < activators.Count(); i++)
    {
        if (activators[i] == nullptr)
            continue;
        std::vector<Activated*>& worked = activators[i]->worked;
        worked.erase(std::remove(worked.begin(), worked.end(), this), worked.end());
    }
}

void Activated::AddActivator(Activator* activator)
{
    activators.AddItem(activator);
    checkpoints.DropFrom(Activator_AllTicks);
    answers.DropFrom(Activator_AllTicks);
    // Listed once however often it is added: one report is enough.
    if (activator != nullptr
        && std::find(activator->worked.begin(), activator->worked.end(), this) == activator->worked.end())
        activator->worked.push_back(this);
}

bool Activated::KeepsCheckpoints() const
{
    for (int i = 0; i < activators.Count(); i++)
        if (activators[i] != nullptr && !activators[i]->ReportsChanges())
            return false;
    return true;
}

void Activated::ActivatorChanged(Tick t)
{
    checkpoints.DropFrom(t);
    answers.DropFrom(t);
}

void Activated::ActivatorGone(Activator const* activator)
{
    for (int i = 0; i < activators.Count(); i++)
        if (activators[i] == activator)
            activators[i] = nullptr;
    checkpoints.DropFrom(Activator_AllTicks);
    answers.DropFrom(Activator_AllTicks);
}

bool Activated::IsActive(Tick t) const
{
    for (int i = 0; i < activators.Count(); i++)
        if (activators[i] != nullptr && !activators[i]->IsActive(t))
            return false;
    return true;
}

Tick Activated::LastActiveTime(Tick t) const
{
    Tick earliest = -1;
    bool any = false;
    for (int i = 0; i < activators.Count(); i++)
    {
        if (activators[i] == nullptr)
            continue;
        Tick const last = activators[i]->LastActiveTime(t);
        if (last == -1)
            return -1;
        earliest = any ? std::min(earliest, last) : last;
        any = true;
    }
    return earliest;
}

Tick Activated::LastInactiveTime(Tick t) const
{
    Tick latest = 0;
    for (int i = 0; i < activators.Count(); i++)
        if (activators[i] != nullptr)
            latest = std::max(latest, activators[i]->LastInactiveTime(t));
    return latest;
}

Tick Activated::NextActiveTime(Tick t) const
{
    Tick latest = -1;
    for (int i = 0; i < activators.Count(); i++)
    {
        if (activators[i] == nullptr)
            continue;
        Tick const next = activators[i]->NextActiveTime(t);
        if (next == -1)
            return -1;
        latest = std::max(latest, next);
    }
    return latest;
}

Tick Activated::ActiveCount(Tick t) const
{
    for (int i = 0; i < activators.Count(); i++)
        if (activators[i] != nullptr)
            return activators[i]->ActiveCount(t);
    return 0;
}

bool Activated::StepBack(Tick t, bool& active, Tick& ref) const
{
    if (t <= 0)
        return false;
    active = IsActive(t);
    ref = active ? LastInactiveTime(t) : LastActiveTime(t);
    if (ref < t)
        return active || ref != -1;
    // An activator that answers inconsistently (on at t, yet last off at t) is read the other
    // way round rather than being allowed to refer a tick to itself.
    active = !active;
    ref = active ? LastInactiveTime(t) : LastActiveTime(t);
    return ref < t && (active || ref != -1);
}
