// Key-frame replay of a creature that can only be simulated one tick at a time.
#pragma once

#include "util/PtrList.h"
#include "util/Tick.h"

#include <cassert>

class Map;

// The spacing of key frames and the length of the cached window, in ticks.
constexpr int Enemy_MaxFrameGap = 64;

// Gives the state of a creature at any tick: a copy every Enemy_MaxFrameGap ticks (a
// key frame) and a window of Enemy_MaxFrameGap consecutive cached states, rebuilt by
// re-simulating from the key frame at or before the asked tick. The tick after the
// current one is stepped live.
//
// T provides T(T const*), a copy that shares the creature's time records and has no log
// of its own; Move(Map const*, Tick t), which advances a state from t - 1 to t; and a
// virtual destructor. The log owns every copy it holds.
template <class T>
class TimeLog
{
public:
    TimeLog()
        : startTime(-Enemy_MaxFrameGap), frames(PtrList_Fixed, Enemy_MaxFrameGap), curTime(0), current(nullptr),
          owns(false), keyFrames(PtrList_Variable, 32), keyCount(0), offset(Enemy_PastOffset)
    {
        // Consecutive creatures of one kind take their key frames on consecutive ticks,
        // so that their copies and rebuilds do not all fall on the same step.
        Enemy_PastOffset = (Enemy_PastOffset + 1) % Enemy_MaxFrameGap;
    }
    TimeLog(TimeLog const&) = delete;
    TimeLog& operator=(TimeLog const&) = delete;
    ~TimeLog()
    {
        if (owns)
            delete current;
    }

    // Takes a copy of initial as the state of tick 0; the pointer is not kept.
    void Init(T const* initial)
    {
        StoreKeyFrame(0, new T(initial));
        if (offset == 0)
            StoreKeyFrame(1, new T(initial));
        startTime = -Enemy_MaxFrameGap;
        curTime = 0;
        current = new T(initial);
        owns = true;
    }

    // The state at tick t, borrowed until the next call on the log.
    T* GetPos(Map const* map, Tick t)
    {
        if (t == curTime + 1)
        {
            LiveStep(map, t);
            return current;
        }
        if (t == curTime)
            return current;
        if (!InWindow(t))
            CalcTimeFrames(map, FrameIdFromTime(t));
        assert(InWindow(t));
        if (owns)
            delete current;
        curTime = t;
        current = frames[t - startTime];
        owns = false;
        return current;
    }

    // A new copy of the state at t (not before the current tick), stepped on from the
    // current state without changing the log. The caller deletes it.
    T* GetPosAtTime(Map const* map, Tick t) const
    {
        assert(t >= curTime);
        T* c = new T(current);
        for (Tick k = curTime + 1; k <= t; k++)
            c->Move(map, k);
        return c;
    }

    // A new copy of the state at any tick t, without changing the log: stepped on from the current
    // state at or after the current tick, else taken from the cached window or stepped on from the
    // nearest key frame at or before t. The caller deletes it.
    T* GetCopyAtTime(Map const* map, Tick t) const
    {
        if (t >= curTime)
            return GetPosAtTime(map, t);
        if (InWindow(t))
            return new T(frames[t - startTime]);
        unsigned id = FrameIdFromTime(t);
        if (id >= unsigned(keyCount))
            id = unsigned(keyCount) - 1;
        T* c = new T(keyFrames[int(id)]);
        for (Tick k = TimeFromFrameId(id) + 1; k <= t; k++)
            c->Move(map, k);
        return c;
    }

    unsigned FrameIdFromTime(Tick t) const
    {
        if (t < offset)
            return 0;
        return unsigned(t - offset) / Enemy_MaxFrameGap + 1;
    }

    Tick TimeFromFrameId(unsigned id) const
    {
        if (id == 0)
            return 0;
        return Tick(id - 1) * Enemy_MaxFrameGap + offset;
    }

    bool IsKeyTime(Tick t) const { return t == 0 || (t - offset) % Enemy_MaxFrameGap == 0; }

    // Rebuilds the window of key frame id, first building every missing key frame before it.
    void CalcTimeFrames(Map const* map, unsigned id)
    {
        // The windows on the way would be dropped at once, so they are only stepped through
        // for their key frames: a creature culled for a long time comes back within a step.
        while (unsigned(keyCount) <= id)
            SimulateWindow(map, unsigned(keyCount) - 1, false);
        DropWindow();
        startTime = TimeFromFrameId(id);
        SimulateWindow(map, id, true);
    }

    // The key-frame phase of this log, 0 to Enemy_MaxFrameGap - 1.
    int Offset() const { return offset; }
    // The number of key frames of the present history.
    int KeyFrameCount() const { return keyCount; }

private:
    bool InWindow(Tick t) const { return t >= startTime && t < startTime + Enemy_MaxFrameGap; }

    void LiveStep(Map const* map, Tick t)
    {
        // The window was simulated from the past before this live step; after a travel
        // back and different play it would show the old future.
        if (InWindow(t))
            DropWindow();
        // Stepping a borrowed state would change the cached tick under it.
        if (!owns)
        {
            current = new T(current);
            owns = true;
        }
        current->Move(map, t);
        curTime = t;
        // Key frames after t were simulated from the past before this step, like the window.
        unsigned id = FrameIdFromTime(t);
        for (int k = int(id) + 1; k < keyCount; k++)
        {
            delete keyFrames[k];
            keyFrames[k] = nullptr;
        }
        if (keyCount > int(id) + 1)
            keyCount = int(id) + 1;
        if (IsKeyTime(t))
            StoreKeyFrame(id, new T(current));
    }

    // Sets key frame id, at most one past the last one of the present history; a slot
    // emptied by a live step is reused.
    void StoreKeyFrame(unsigned id, T* state)
    {
        assert(unsigned(keyCount) >= id);
        if (unsigned(keyFrames.Count()) == id)
            keyFrames.AddItem(state);
        else
        {
            delete keyFrames[int(id)];
            keyFrames[int(id)] = state;
        }
        if (keyCount == int(id))
            keyCount++;
    }

    // Steps the state of key frame id through its window, keeping a copy of every tick in the
    // cache when asked, and stores the key frames met on the way.
    void SimulateWindow(Map const* map, unsigned id, bool cache)
    {
        Tick const first = TimeFromFrameId(id);
        T* s = new T(keyFrames[int(id)]);
        for (int i = 0; i < Enemy_MaxFrameGap; i++)
        {
            if (cache)
                frames[i] = new T(s);
            if (id == 0 && keyCount == 1 && i == offset)
                StoreKeyFrame(1, new T(s));
            s->Move(map, first + i + 1);
        }
        if (id == 0)
            delete s;
        else
            StoreKeyFrame(id + 1, s);
    }

    void DropWindow()
    {
        // A state borrowed from the window must outlive it.
        if (!owns && current != nullptr)
        {
            current = new T(current);
            owns = true;
        }
        for (int i = 0; i < Enemy_MaxFrameGap; i++)
        {
            delete frames[i];
            frames[i] = nullptr;
        }
        startTime = -Enemy_MaxFrameGap;
    }

    // Each kind of creature counts its own logs.
    inline static int Enemy_PastOffset = 0;

    Tick startTime;       // first tick of the cached window
    PtrList<T> frames;    // slot i: the state at startTime + i, owned
    Tick curTime;         // tick of current
    T* current;           // the state at curTime
    bool owns;            // current is the log's own copy, not a cached one
    PtrList<T> keyFrames; // slot k: the state at TimeFromFrameId(k), owned
    int keyCount;         // key frames of the present history; later slots are empty
    int offset;           // key-frame phase
};
