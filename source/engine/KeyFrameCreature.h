// KeyFrameCreature: the replay plumbing of a creature whose state comes from a key-frame log.
#pragma once

#include "engine/TimeLog.h"
#include "util/Tick.h"

#include <memory>

class Map;

// A creature that can only be simulated one step at a time derives from this as its last base
// and keeps its history in a TimeLog of copies of itself. The live creature owns the log; the
// copies the log keeps have none and share the live creature's time records (hits, stats).
//
// T provides T(T const*), the copy, which leaves this base default-constructed; Move(Map const*,
// Tick), one step; and CopyState(T const&), which takes the simulated state of another copy and
// leaves the records, the death time and the log alone.
template <class T>
class KeyFrameCreature
{
public:
    KeyFrameCreature(KeyFrameCreature const&) = delete;
    KeyFrameCreature& operator=(KeyFrameCreature const&) = delete;

    bool HasLog() const { return log != nullptr; }

protected:
    KeyFrameCreature() = default;
    ~KeyFrameCreature() { delete log; }

    // Starts the history with the creature's present state as tick 0; the leaf's constructor
    // calls it once everything the step reads is set.
    void StartLog()
    {
        log = new TimeLog<T>();
        log->Init(static_cast<T const*>(this));
    }
    // Puts the creature into its state at tick t.
    void StateAt(Map const* map, Tick t) { static_cast<T*>(this)->CopyState(*log->GetPos(map, t)); }
    // A private copy of the state at any tick, the log unchanged.
    std::unique_ptr<T> CopyAt(Map const* map, Tick t) const { return std::unique_ptr<T>(log->GetCopyAtTime(map, t)); }

private:
    TimeLog<T>* log = nullptr; // only the live creature has one
};
