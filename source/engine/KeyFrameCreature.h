// KeyFrameCreature: the replay plumbing of an object whose state comes from a key-frame log.
#pragma once

#include "engine/Object.h"
#include "engine/TimeLog.h"
#include "util/Tick.h"

#include <memory>

class Map;

// An object that can only be simulated one step at a time derives from this (in place of Object)
// and keeps its history in a TimeLog of copies of itself. The live object owns the log; the
// copies the log keeps have none and share the live object's time records (hits, stats). Moving
// to a tick, sleeping while culled and private copies at a tick are answered here once for every
// such object; a leaf adds its step and its drawing.
//
// T provides T(T const*), the copy, which leaves this base default-constructed; Move(Map const*,
// Tick), one step; and CopyState(T const&), which takes the simulated state of another copy and
// leaves the records, the death time and the log alone.
template <class T>
class KeyFrameCreature : public Object
{
public:
    ~KeyFrameCreature() override { delete log; }
    KeyFrameCreature(KeyFrameCreature const&) = delete;
    KeyFrameCreature& operator=(KeyFrameCreature const&) = delete;

    void MoveToTime(Map const* map, Tick t) override { MoveToTime(map, t, Object_Step{}); }
    void MoveToTime(Map const* map, Tick t, Object_Step const& step) override
    {
        groups = step.groups;
        static_cast<T*>(this)->CopyState(*log->GetPos(map, t, step));
    }
    void Sleep(Map const* map, Tick t, Object_Step const& step) override
    {
        groups = step.groups;
        log->Sleep(map, t, step);
    }
    bool PlanMove(Map const*, Tick t, Object_Step const& step, Tick& from, Tick& to) override
    {
        return log->Plan(t, step, from, to);
    }
    bool PlansMoves() const override { return true; }
    bool PlannedStepsAskGrid() const override { return TimeLog_AsksGrid<T>; }
    void StepPlanned(Map const* map, Tick k) override { log->StepPlanned(map, k); }
    void FinishPlanned() override { log->FinishPlanned(); }

    bool HasLog() const { return log != nullptr; }
    // The phase of the log's key frames, 0 to Enemy_MaxFrameGap - 1.
    int KeyFrameOffset() const { return log->Offset(); }

protected:
    KeyFrameCreature() = default;

    // Starts the history with the object's present state as tick 0; the leaf's constructor calls
    // it once everything the step reads is set.
    void StartLog()
    {
        log = new TimeLog<T>();
        log->Init(static_cast<T const*>(this));
    }
    // A private copy of the state at any tick, the log unchanged; earlier ticks are stepped
    // against the map groups as they stood then, as the log's own states are.
    std::unique_ptr<T> CopyAt(Map const* map, Tick t) const
    {
        return std::unique_ptr<T>(log->GetCopyAtTime(map, t, groups));
    }

private:
    TimeLog<T>* log = nullptr;       // only the live object has one
    Replay_Groups* groups = nullptr; // the level's groups, as handed in by its last step
};
