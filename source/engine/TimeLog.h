// Key-frame replay of a creature that can only be simulated one tick at a time.
#pragma once

#include "engine/Object.h"
#include "util/Tick.h"

#include <algorithm>
#include <cassert>
#include <vector>

class Map;

// The spacing of key frames and the length of a rebuilt window, in ticks.
constexpr int Enemy_MaxFrameGap = 64;
// Consecutive logs of a kind take key-frame offsets this far apart, modulo the gap. Coprime with
// the gap, so that every offset is used once before any repeats; near the gap over the golden
// ratio, so that the offsets of any number of logs spread evenly and their window rebuilds while
// the clock is moved fall on different steps.
constexpr int Enemy_OffsetStride = 39;
// Ticks a culled log is stepped in one step of play: more than the clock's one tick, so that a
// log left behind catches up and a creature coming back into view costs an ordinary step.
constexpr int TimeLog_SleepBudget = 2;
// A culled log that play has left ahead of the present (after a travel back) starts again from
// the present within this many steps, on a step of its own.
constexpr int TimeLog_CatchUpSpread = 16;
// Key frames left over from an abandoned future that are freed in one call.
constexpr int TimeLog_FreeBudget = 2;

// Counts the restarts of the key-frame offsets; a log made after one starts its kind at offset 0.
inline int TimeLog_OffsetEpoch = 0;

// Every kind of log hands out its offsets from 0 again, so that a level built a second time in
// one process takes its key frames on the ticks it took them the first time.
inline void TimeLog_RestartOffsets()
{
    TimeLog_OffsetEpoch++;
}

// Gives the state of a creature at any tick: a copy every Enemy_MaxFrameGap ticks (a key frame)
// and a cache of up to two windows of consecutive states. A tick not cached is reached by
// stepping on from the current state when it lies a window ahead at most, else by re-simulating
// its window from the key frame at or before it.
//
// Live play (a step that is not replaying) makes a new future: the cached states and key frames
// after the tick are no longer valid. The key frames are only marked stale and freed a few per
// call, and states of live play stay cached, so that a travel starts from them.
//
// T provides T(T const*), a copy that shares the creature's time records and has no log of its
// own; Move(Map const*, Tick t), which advances a state from t - 1 to t; and a virtual destructor.
// The log owns every copy it holds.
template <class T>
class TimeLog
{
public:
    TimeLog()
    {
        if (offsetEpoch != TimeLog_OffsetEpoch)
        {
            offsetEpoch = TimeLog_OffsetEpoch;
            Enemy_PastOffset = 0;
        }
        offset = Enemy_PastOffset;
        Enemy_PastOffset = (Enemy_PastOffset + Enemy_OffsetStride) % Enemy_MaxFrameGap;
    }
    TimeLog(TimeLog const&) = delete;
    TimeLog& operator=(TimeLog const&) = delete;
    ~TimeLog()
    {
        DropCache(cacheFirst, cacheLast);
        if (owns)
            delete current;
        for (T* frame : keyFrames)
            delete frame;
    }

    // Takes a copy of initial as the state of tick 0; the pointer is not kept.
    void Init(T const* initial)
    {
        StoreKeyFrame(0, new T(initial));
        if (offset == 0)
            StoreKeyFrame(1, new T(initial));
        curTime = 0;
        current = new T(initial);
        owns = true;
    }

    // The state at tick t, borrowed until the next call on the log.
    T* GetPos(Map const* map, Tick t, Object_Step const& step = {})
    {
        FreeStale();
        if (resumeFrom >= 0)
            CatchUp(map, step);
        if (!step.replaying && t < curTime && t >= 1)
        {
            // Play goes on from a tick before the log's: anew from the tick before it.
            Seek(map, t - 1, Object_Step{true, step.groups});
            StepForward(map, t, step);
        }
        else
            Seek(map, t, step);
        if (step.groups != nullptr)
            step.groups->RestoreGroups();
        return current;
    }

    // One step of play while the creature is culled: its state is not shown, but the log keeps up
    // with the clock a few ticks at a time. A replayed tick needs nothing: the log holds it. When
    // play goes on from a tick before the log's (after a travel back), the log starts again from
    // there in a step of its own among the next TimeLog_CatchUpSpread, so that culled creatures
    // do not all re-simulate a window in the same step.
    void Sleep(Map const* map, Tick t, Object_Step const& step = {})
    {
        FreeStale();
        if (step.replaying || (t == curTime && resumeFrom < 0))
            return;
        if (t < curTime && resumeFrom < 0 && t >= 1)
            resumeFrom = t - 1;
        if (resumeFrom >= 0)
        {
            // Another travel back may have come before the log's turn.
            resumeFrom = std::min(resumeFrom, std::max(t - 1, 0));
            resumeTo = t;
            if ((t + offset) % TimeLog_CatchUpSpread != 0)
                return;
            CatchUp(map, step);
        }
        else if (t > curTime)
            StepForward(map, std::min(t, curTime + TimeLog_SleepBudget), step);
        if (step.groups != nullptr)
            step.groups->RestoreGroups();
    }

    // A new copy of the state at t (not before the current tick), stepped on from the current
    // state without changing the log. The caller deletes it.
    T* GetPosAtTime(Map const* map, Tick t) const
    {
        assert(t >= curTime);
        T* c = new T(current);
        for (Tick k = curTime + 1; k <= t; k++)
            c->Move(map, k);
        return c;
    }

    // A new copy of the state at any tick t, without changing the log: stepped on from the current
    // state at or after the current tick, else a cached state, else stepped on from the key frame
    // at or before t against the groups as they stood (put back afterwards). The caller deletes it.
    T* GetCopyAtTime(Map const* map, Tick t, Replay_Groups* groups) const
    {
        if (t >= curTime)
            return GetPosAtTime(map, t);
        if (Cached(t))
            return new T(cache[Slot(t)]);
        unsigned const id = std::min(FrameIdFromTime(t), unsigned(keyCount) - 1);
        T* c = new T(keyFrames[id]);
        Object_Step const step{true, groups};
        for (Tick k = TimeFromFrameId(id) + 1; k <= t; k++)
            MoveState(c, map, k, step);
        if (groups != nullptr)
            groups->RestoreGroups();
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

    // The key-frame phase of this log, 0 to Enemy_MaxFrameGap - 1.
    int Offset() const { return offset; }
    // Key frames of the present history.
    int KeyFrameCount() const { return keyCount; }
    // Key frames of an abandoned future not yet freed.
    int StaleKeyFrames() const { return int(keyFrames.size()) - keyCount; }
    // The tick of the latest state simulated.
    Tick CurrentTime() const { return curTime; }

private:
    static constexpr int CacheSize = 2 * Enemy_MaxFrameGap;

    bool Cached(Tick t) const { return t >= cacheFirst && t <= cacheLast; }
    static int Slot(Tick t) { return int(t % CacheSize); }

    void Seek(Map const* map, Tick t, Object_Step const& step)
    {
        if (t == curTime)
            return;
        // Live play goes on from the current state, whatever the cache held of the old future.
        bool const ahead = t > curTime && t - curTime <= Enemy_MaxFrameGap;
        if (ahead && !step.replaying)
        {
            StepForward(map, t, step);
            return;
        }
        if (Cached(t))
        {
            Borrow(t);
            return;
        }
        if (ahead)
        {
            StepForward(map, t, step);
            return;
        }
        Rebuild(map, FrameIdFromTime(t), step);
        assert(Cached(t));
        Borrow(t);
    }

    // The catch-up put off by Sleep: play went on from resumeFrom and has reached resumeTo.
    void CatchUp(Map const* map, Object_Step const& step)
    {
        Tick const to = resumeTo;
        Seek(map, resumeFrom, Object_Step{true, step.groups});
        resumeFrom = -1;
        StepForward(map, to, Object_Step{false, step.groups});
    }

    // Steps the current state on to tick t, caching each tick. Live play makes a new future from
    // the current tick on.
    void StepForward(Map const* map, Tick t, Object_Step const& step)
    {
        bool const live = !step.replaying;
        if (live)
        {
            DropCache(curTime + 1, cacheLast);
            keyCount = std::min(keyCount, int(FrameIdFromTime(curTime)) + 1);
        }
        else if (Cached(curTime) && cacheLast > curTime)
        {
            // Replaying changes nothing: start from the latest state already cached.
            Borrow(cacheLast);
        }
        Own();
        while (curTime < t)
        {
            curTime++;
            MoveState(current, map, curTime, step);
            if (IsKeyTime(curTime))
            {
                unsigned const id = FrameIdFromTime(curTime);
                if (live || int(id) >= keyCount)
                    StoreKeyFrame(id, new T(current));
            }
            CacheAppend(curTime, new T(current));
        }
    }

    // Re-simulates the window of key frame id from that key frame, first building every missing
    // key frame before it. Cached states in the window next to it that join it are kept.
    void Rebuild(Map const* map, unsigned id, Object_Step const& step)
    {
        // The windows on the way would be dropped at once, so they are only stepped through for
        // their key frames.
        while (unsigned(keyCount) <= id)
            SimulateWindow(map, unsigned(keyCount) - 1, step);
        Own();
        Tick const first = TimeFromFrameId(id);
        Tick const last = first + Enemy_MaxFrameGap - 1;
        Tick keepFirst = 0;
        Tick keepLast = -1;
        if (cacheFirst < first && cacheLast >= first - 1)
        {
            keepFirst = std::max(cacheFirst, id >= 1 ? TimeFromFrameId(id - 1) : 0);
            keepLast = first - 1;
        }
        else if (cacheFirst <= last + 1 && cacheLast > last)
        {
            keepFirst = last + 1;
            keepLast = std::min(cacheLast, last + Enemy_MaxFrameGap);
        }
        if (keepFirst <= keepLast)
        {
            DropCache(cacheFirst, keepFirst - 1);
            DropCache(keepLast + 1, cacheLast);
        }
        else
            DropCache(cacheFirst, cacheLast);

        T* s = new T(keyFrames[id]);
        for (int i = 0; i < Enemy_MaxFrameGap; i++)
        {
            cache[Slot(first + i)] = new T(s);
            if (id == 0 && keyCount == 1 && i == offset)
                StoreKeyFrame(1, new T(s));
            MoveState(s, map, first + i + 1, step);
        }
        cacheFirst = keepFirst <= keepLast ? std::min(first, keepFirst) : first;
        cacheLast = keepFirst <= keepLast ? std::max(last, keepLast) : last;
        // s is now the state at the next key frame, unless this is window 0.
        if (id >= 1 && keyCount == int(id) + 1)
            StoreKeyFrame(id + 1, s);
        else
            delete s;
    }

    // Steps a copy of key frame id through its window for the key frames met on the way.
    void SimulateWindow(Map const* map, unsigned id, Object_Step const& step)
    {
        Tick const first = TimeFromFrameId(id);
        T* s = new T(keyFrames[id]);
        for (int i = 0; i < Enemy_MaxFrameGap; i++)
        {
            if (id == 0 && keyCount == 1 && i == offset)
                StoreKeyFrame(1, new T(s));
            MoveState(s, map, first + i + 1, step);
        }
        if (id >= 1 && keyCount == int(id) + 1)
            StoreKeyFrame(id + 1, s);
        else
            delete s;
    }

    // Advances s from tick k - 1 to k against the map groups as they stood when k was played.
    static void MoveState(T* s, Map const* map, Tick k, Object_Step const& step)
    {
        if (step.groups != nullptr)
            step.groups->PlaceGroups(k - 1);
        s->Move(map, k);
    }

    // Sets key frame id, at most one past the last of the present history; a stale slot is
    // overwritten.
    void StoreKeyFrame(unsigned id, T* state)
    {
        assert(unsigned(keyCount) >= id);
        if (id >= keyFrames.size())
            keyFrames.resize(id + 1, nullptr);
        delete keyFrames[id];
        keyFrames[id] = state;
        keyCount = std::max(keyCount, int(id) + 1);
    }

    void FreeStale()
    {
        for (int i = 0; i<TimeLog_FreeBudget&& int(keyFrames.size())> keyCount; i++)
        {
            delete keyFrames.back();
            keyFrames.pop_back();
        }
    }

    // Appends the state of tick t to the cache, which then keeps the window of t alone: the cache
    // of every log begins on its own key frame, so that travelling back runs past the caches of
    // different logs on different steps.
    void CacheAppend(Tick t, T* state)
    {
        if (cacheFirst <= cacheLast && cacheLast != t - 1)
            DropCache(cacheFirst, cacheLast);
        unsigned const id = FrameIdFromTime(t);
        Tick const keep = TimeFromFrameId(id);
        DropCache(cacheFirst, keep - 1);
        if (cacheFirst > cacheLast)
            cacheFirst = t;
        cache[Slot(t)] = state;
        cacheLast = t;
    }

    // Deletes the cached states of ticks from to last, which must lie at an end of the cache.
    void DropCache(Tick from, Tick last)
    {
        from = std::max(from, cacheFirst);
        last = std::min(last, cacheLast);
        if (from > last)
            return;
        assert(from == cacheFirst || last == cacheLast);
        // A state borrowed from the cache must outlive it.
        if (!owns && current != nullptr && curTime >= from && curTime <= last)
            Own();
        for (Tick k = from; k <= last; k++)
        {
            delete cache[Slot(k)];
            cache[Slot(k)] = nullptr;
        }
        if (from == cacheFirst && last == cacheLast)
        {
            cacheFirst = 0;
            cacheLast = -1;
        }
        else if (from == cacheFirst)
            cacheFirst = last + 1;
        else
            cacheLast = from - 1;
    }

    void Borrow(Tick t)
    {
        if (owns)
            delete current;
        current = cache[Slot(t)];
        owns = false;
        curTime = t;
    }

    // Makes current the log's own copy, so that stepping it leaves the cache untouched.
    void Own()
    {
        if (owns)
            return;
        current = new T(current);
        owns = true;
    }

    // Each kind of creature counts its own logs.
    inline static int Enemy_PastOffset = 0;
    inline static int offsetEpoch = 0; // the restart the counter last followed

    T* cache[CacheSize] = {}; // slot t % CacheSize: the state at t, for t in [cacheFirst, cacheLast]
    Tick cacheFirst = 0;
    Tick cacheLast = -1;       // empty while below cacheFirst
    Tick curTime = 0;          // tick of current
    T* current = nullptr;      // the state at curTime
    bool owns = false;         // current is the log's own copy, not a cached one
    std::vector<T*> keyFrames; // slot k: the state at TimeFromFrameId(k), owned
    int keyCount = 0;          // key frames of the present history; later slots are stale
    Tick resumeFrom = -1;      // while culled: play went on from this tick, before the log's
    Tick resumeTo = 0;         // and has reached this one
    int offset = 0;            // key-frame phase
};
