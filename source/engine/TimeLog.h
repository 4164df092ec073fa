// Key-frame replay of a creature that can only be simulated one tick at a time.
#pragma once

#include "engine/Object.h"
#include "util/Tick.h"

#include <algorithm>
#include <cassert>
#include <memory>
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

// Copies the simulated state of one copy of a creature into another.
template <class T>
void TimeLog_Assign(T& to, T const& from)
{
    if constexpr (requires { to.CopyState(from); })
        to.CopyState(from);
    else
        to = from;
}

// A creature that can keep its simulated state apart from the rest of itself: T::Key holds that
// state, SaveKey fills one and LoadKey takes one. Its log keeps key frames as keys side by side,
// much smaller than whole copies.
template <class T>
concept TimeLog_Keyed = requires(T const& state, T& into, typename T::Key& key, typename T::Key const& kept)
{
    state.SaveKey(key);
    into.LoadKey(kept);
};

// The key frames of a log: whole copies, each made once and then overwritten.
template <class T>
class TimeLog_KeyFrames
{
public:
    TimeLog_KeyFrames() = default;
    TimeLog_KeyFrames(TimeLog_KeyFrames const&) = delete;
    TimeLog_KeyFrames& operator=(TimeLog_KeyFrames const&) = delete;
    ~TimeLog_KeyFrames()
    {
        for (T* frame : frames)
            delete frame;
    }

    unsigned Size() const { return unsigned(frames.size()); }
    // Sets frame id, at most one past the last.
    void Store(unsigned id, T const& state)
    {
        if (id >= frames.size())
            frames.resize(id + 1, nullptr);
        if (frames[id] == nullptr)
            frames[id] = new T(&state);
        else
            TimeLog_Assign(*frames[id], state);
    }
    void Load(unsigned id, T& into) const { TimeLog_Assign(into, *frames[id]); }
    // A new copy of frame id; like is any copy of the creature.
    T* Copy(unsigned id, T const&) const { return new T(frames[id]); }
    void DropLast()
    {
        delete frames.back();
        frames.pop_back();
    }

private:
    std::vector<T*> frames;
};

// The key frames of a creature that keeps its state apart: the kept states alone, in blocks that
// each hold the frames of a stretch of the level, so that a log never holds much more room than
// its frames take.
template <TimeLog_Keyed T>
class TimeLog_KeyFrames<T>
{
public:
    unsigned Size() const { return size; }
    void Store(unsigned id, T const& state)
    {
        if (id == size)
        {
            if (size % BlockSize == 0)
                blocks.push_back(std::make_unique<typename T::Key[]>(BlockSize));
            size++;
        }
        state.SaveKey(At(id));
    }
    void Load(unsigned id, T& into) const { into.LoadKey(At(id)); }
    T* Copy(unsigned id, T const& like) const
    {
        T* c = new T(&like);
        c->LoadKey(At(id));
        return c;
    }
    void DropLast()
    {
        size--;
        if (size % BlockSize == 0)
            blocks.pop_back();
    }

private:
    static constexpr unsigned BlockSize = 64; // frames of 4096 ticks

    typename T::Key& At(unsigned id) const { return blocks[id / BlockSize][id % BlockSize]; }

    std::vector<std::unique_ptr<typename T::Key[]>> blocks;
    unsigned size = 0;
};

// The states of the ticks a log keeps at hand: slots of whole copies, which the log's current
// state may borrow in place.
template <class T>
class TimeLog_Cache
{
public:
    static constexpr int Size = 2 * Enemy_MaxFrameGap;

    TimeLog_Cache() = default;
    TimeLog_Cache(TimeLog_Cache const&) = delete;
    TimeLog_Cache& operator=(TimeLog_Cache const&) = delete;
    ~TimeLog_Cache()
    {
        for (T* state : slots)
            delete state;
    }

    void Store(int slot, T const& state)
    {
        T*& kept = slots[slot];
        if (kept == nullptr)
            kept = new T(&state);
        else
            TimeLog_Assign(*kept, state);
    }
    // The state of the slot, to be read in place: the slot's own copy (owned false), which a later
    // Store into that slot overwrites.
    T* Borrow(int slot, T*, bool& owned) const
    {
        owned = false;
        return slots[slot];
    }
    // Whether state is the slot's own copy.
    bool Lends(int slot, T const* state) const { return slots[slot] == state; }
    // A new copy of the slot's state; like is any copy of the creature.
    T* Copy(int slot, T const&) const { return new T(slots[slot]); }

private:
    T* slots[Size] = {};
};

// The same for a creature that keeps its state apart: the kept states side by side, so that
// re-simulating a window writes one run of memory instead of a whole copy per tick. A state is
// read by loading it into the log's own copy.
template <TimeLog_Keyed T>
class TimeLog_Cache<T>
{
public:
    static constexpr int Size = 2 * Enemy_MaxFrameGap;

    void Store(int slot, T const& state) { state.SaveKey(keys[slot]); }
    T* Borrow(int slot, T* own, bool& owned) const
    {
        own->LoadKey(keys[slot]);
        owned = true;
        return own;
    }
    bool Lends(int, T const*) const { return false; }
    T* Copy(int slot, T const& like) const
    {
        T* c = new T(&like);
        c->LoadKey(keys[slot]);
        return c;
    }

private:
    std::unique_ptr<typename T::Key[]> keys = std::make_unique<typename T::Key[]>(Size);
};

// A creature whose step asks the map through its grid's queries alone (Map::groupsDue), and so
// needs the map groups placed for a past tick only where those queries meet them, says so by
// T::StepAsksGridOnly.
template <class T>
concept TimeLog_AsksGrid = requires { requires T::StepAsksGridOnly; };

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
// own; CopyState(T const&) or an assignment, which takes the simulated state of another copy;
// Move(Map const*, Tick t), which advances a state from t - 1 to t; and a virtual destructor.
// The log owns every copy it holds. The copies of the cache (or, for a creature that keeps its
// state apart, its keys), the current state and the state a window is re-simulated in are made
// once and then overwritten, so that re-simulating allocates nothing.
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
        delete own;
        delete work;
    }

    // Takes a copy of initial as the state of tick 0; the pointer is not kept.
    void Init(T const* initial)
    {
        StoreKeyFrame(0, *initial);
        if (offset == 0)
            StoreKeyFrame(1, *initial);
        curTime = 0;
        own = new T(initial);
        work = new T(initial);
        current = own;
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

    // Shares the re-simulation that GetPos(map, t, step) needs with other logs, so that the level
    // places the map groups once for each tick any of them steps through. When the way to t is a
    // single run of steps, it is begun, (from, to] are the ticks it steps through, and true is
    // returned; StepPlanned then steps each of them in order, with the groups standing at the tick
    // before, and FinishPlanned ends it. GetPos(map, t, step) then finds t reached. Otherwise the
    // log is left as it was and GetPos does all the work.
    bool Plan(Tick t, Object_Step const& step, Tick& from, Tick& to)
    {
        if (resumeFrom >= 0 || (!step.replaying && t < curTime && t >= 1))
            return false;
        planned = step;
        plannedTime = t;
        switch (WayTo(t, step))
        {
        case TimeLog_Way::There:
        case TimeLog_Way::Cached:
            return false;
        case TimeLog_Way::FromCacheEnd:
            Borrow(cacheLast);
            [[fallthrough]];
        case TimeLog_Way::Forward:
            plannedWindow = false;
            from = BeginForward(step) - 1;
            to = t;
            return true;
        case TimeLog_Way::Window:
            if (unsigned(keyCount) <= FrameIdFromTime(t))
                return false;
            plannedWindow = true;
            from = TimeFromFrameId(FrameIdFromTime(t));
            to = BeginWindow(FrameIdFromTime(t), t);
            return true;
        }
        return false;
    }

    void StepPlanned(Map const* map, Tick k)
    {
        // The caller has placed the groups for the tick before: the step places none itself.
        Object_Step const placed{planned.replaying, nullptr};
        if (plannedWindow)
            WindowTick(map, k, placed);
        else
            ForwardTick(map, k, placed);
    }

    void FinishPlanned()
    {
        if (!plannedWindow)
            return;
        FinishWindow();
        assert(Cached(plannedTime));
        Borrow(plannedTime);
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
            return cache.Copy(Slot(t), *current);
        unsigned const id = std::min(FrameIdFromTime(t), unsigned(keyCount) - 1);
        T* c = keyFrames.Copy(id, *current);
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
    int StaleKeyFrames() const { return int(keyFrames.Size()) - keyCount; }
    // The tick of the latest state simulated.
    Tick CurrentTime() const { return curTime; }

private:
    static constexpr int CacheSize = TimeLog_Cache<T>::Size;

    bool Cached(Tick t) const { return t >= cacheFirst && t <= cacheLast; }
    static int Slot(Tick t) { return int(t % CacheSize); }

    // How the log reaches a tick from where it stands.
    enum class TimeLog_Way
    {
        There,        // the current state is that of the tick
        Forward,      // stepping on from the current state
        Cached,       // a cached state
        FromCacheEnd, // stepping on from the last state cached, in the tick's window
        Window,       // re-simulating the tick's window from its key frame
    };

    TimeLog_Way WayTo(Tick t, Object_Step const& step) const
    {
        if (t == curTime)
            return TimeLog_Way::There;
        // Live play goes on from the current state, whatever the cache held of the old future.
        bool const ahead = t > curTime && t - curTime <= Enemy_MaxFrameGap;
        if (ahead && !step.replaying)
            return TimeLog_Way::Forward;
        if (Cached(t))
            return TimeLog_Way::Cached;
        // A window re-simulated only up to the ticks asked so far goes on from where it stopped.
        if (step.replaying && cacheFirst <= cacheLast && cacheLast < t
            && cacheLast >= TimeFromFrameId(FrameIdFromTime(t)))
            return TimeLog_Way::FromCacheEnd;
        if (ahead)
            return TimeLog_Way::Forward;
        return TimeLog_Way::Window;
    }

    void Seek(Map const* map, Tick t, Object_Step const& step)
    {
        switch (WayTo(t, step))
        {
        case TimeLog_Way::There:
            return;
        case TimeLog_Way::Cached:
            Borrow(t);
            return;
        case TimeLog_Way::FromCacheEnd:
            Borrow(cacheLast);
            StepForward(map, t, step);
            return;
        case TimeLog_Way::Forward:
            StepForward(map, t, step);
            return;
        case TimeLog_Way::Window:
            Rebuild(map, FrameIdFromTime(t), t, step);
            assert(Cached(t));
            Borrow(t);
            return;
        }
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
        for (Tick k = BeginForward(step); k <= t; k++)
            ForwardTick(map, k, step);
    }

    // Readies the current state to be stepped on; returns the first tick to step to.
    Tick BeginForward(Object_Step const& step)
    {
        if (!step.replaying)
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
        return curTime + 1;
    }

    void ForwardTick(Map const* map, Tick k, Object_Step const& step)
    {
        assert(k == curTime + 1 && owns);
        curTime = k;
        MoveState(current, map, curTime, step);
        if (IsKeyTime(curTime))
        {
            unsigned const id = FrameIdFromTime(curTime);
            if (!step.replaying || int(id) >= keyCount)
                StoreKeyFrame(id, *current);
        }
        CacheAppend(curTime, *current);
    }

    // Re-simulates the window of key frame id from that key frame up to tick upTo, first building
    // every missing key frame before it: travel back shows no later tick of the window, and one
    // asked later goes on from the last tick re-simulated. Cached states of the window before,
    // which join it, are kept.
    void Rebuild(Map const* map, unsigned id, Tick upTo, Object_Step const& step)
    {
        // The windows on the way would be dropped at once, so they are only stepped through for
        // their key frames.
        while (unsigned(keyCount) <= id)
            SimulateWindow(map, unsigned(keyCount) - 1, step);
        Tick const to = BeginWindow(id, upTo);
        for (Tick k = TimeFromFrameId(id) + 1; k <= to; k++)
            WindowTick(map, k, step);
        FinishWindow();
    }

    // Readies the re-simulation of the window of key frame id, which must exist, up to upTo; the
    // state of its first tick is the key frame. Returns the last tick to step to.
    Tick BeginWindow(unsigned id, Tick upTo)
    {
        assert(unsigned(keyCount) > id);
        Own();
        Tick const first = TimeFromFrameId(id);
        Tick const last = first + Enemy_MaxFrameGap - 1;
        assert(upTo >= first && upTo <= last);
        window = Window_Run{id, first, upTo, first, upTo, false};
        if (cacheFirst < first && cacheLast >= first - 1)
        {
            window.keepFirst = std::max(cacheFirst, id >= 1 ? TimeFromFrameId(id - 1) : 0);
            DropCache(cacheFirst, window.keepFirst - 1);
            DropCache(first, cacheLast);
        }
        else if (upTo == last && cacheFirst == last + 1 && cacheLast > last)
        {
            window.keepLast = std::min(cacheLast, last + Enemy_MaxFrameGap);
            DropCache(window.keepLast + 1, cacheLast);
        }
        else
            DropCache(cacheFirst, cacheLast);
        keyFrames.Load(id, *work);
        KeepWindowState(first);
        // A whole window ends next to the key frame after it, unless this is window 0.
        window.nextKeyFrame = upTo == last && id >= 1 && keyCount == int(id) + 1;
        return window.nextKeyFrame ? last + 1 : upTo;
    }

    void WindowTick(Map const* map, Tick k, Object_Step const& step)
    {
        MoveState(work, map, k, step);
        if (k <= window.upTo)
            KeepWindowState(k);
        else
            StoreKeyFrame(window.id + 1, *work);
    }

    // The re-simulated state of tick k of the window goes into the cache.
    void KeepWindowState(Tick k)
    {
        StoreCache(k, *work);
        if (window.id == 0 && keyCount == 1 && k - window.first == offset)
            StoreKeyFrame(1, *work);
    }

    void FinishWindow()
    {
        cacheFirst = window.keepFirst;
        cacheLast = window.keepLast;
    }

    // Steps a copy of key frame id through its window for the key frames met on the way.
    void SimulateWindow(Map const* map, unsigned id, Object_Step const& step)
    {
        Tick const first = TimeFromFrameId(id);
        keyFrames.Load(id, *work);
        for (int i = 0; i < Enemy_MaxFrameGap; i++)
        {
            if (id == 0 && keyCount == 1 && i == offset)
                StoreKeyFrame(1, *work);
            MoveState(work, map, first + i + 1, step);
        }
        if (id >= 1 && keyCount == int(id) + 1)
            StoreKeyFrame(id + 1, *work);
    }

    // Advances s from tick k - 1 to k against the map groups as they stood when k was played.
    static void MoveState(T* s, Map const* map, Tick k, Object_Step const& step)
    {
        if (step.groups != nullptr)
        {
            if constexpr (TimeLog_AsksGrid<T>)
                step.groups->PlaceGroupsForGrid(k - 1);
            else
                step.groups->PlaceGroups(k - 1);
        }
        s->Move(map, k);
    }

    // Sets key frame id, at most one past the last of the present history; a stale slot is
    // overwritten.
    void StoreKeyFrame(unsigned id, T const& state)
    {
        assert(unsigned(keyCount) >= id);
        keyFrames.Store(id, state);
        keyCount = std::max(keyCount, int(id) + 1);
    }

    void FreeStale()
    {
        for (int i = 0; i<TimeLog_FreeBudget&& int(keyFrames.Size())> keyCount; i++)
            keyFrames.DropLast();
    }

    // Appends the state of tick t to the cache, which then keeps the window of t alone: the cache
    // of every log begins on its own key frame, so that travelling back runs past the caches of
    // different logs on different steps.
    void CacheAppend(Tick t, T const& state)
    {
        if (cacheFirst <= cacheLast && cacheLast != t - 1)
            DropCache(cacheFirst, cacheLast);
        unsigned const id = FrameIdFromTime(t);
        Tick const keep = TimeFromFrameId(id);
        DropCache(cacheFirst, keep - 1);
        if (cacheFirst > cacheLast)
            cacheFirst = t;
        StoreCache(t, state);
        cacheLast = t;
    }

    // Copies a state into the cache's slot for tick t, which current does not borrow.
    void StoreCache(Tick t, T const& state)
    {
        assert(owns || !cache.Lends(Slot(t), current));
        cache.Store(Slot(t), state);
    }

    // Forgets the cached states of ticks from to last, which must lie at an end of the cache.
    void DropCache(Tick from, Tick last)
    {
        from = std::max(from, cacheFirst);
        last = std::min(last, cacheLast);
        if (from > last)
            return;
        assert(from == cacheFirst || last == cacheLast);
        // A state borrowed from the cache must outlive it.
        if (!owns && curTime >= from && curTime <= last)
            Own();
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
        current = cache.Borrow(Slot(t), own, owns);
        curTime = t;
    }

    // Makes current the log's own copy, so that stepping it leaves the cache untouched.
    void Own()
    {
        if (owns)
            return;
        TimeLog_Assign(*own, *current);
        current = own;
        owns = true;
    }

    // Each kind of creature counts its own logs.
    inline static int Enemy_PastOffset = 0;
    inline static int offsetEpoch = 0; // the restart the counter last followed

    TimeLog_Cache<T> cache; // slot t % CacheSize: the state at t, for t in [cacheFirst, cacheLast]
    Tick cacheFirst = 0;
    Tick cacheLast = -1;            // empty while below cacheFirst
    Tick curTime = 0;               // tick of current
    T* current = nullptr;           // the state at curTime: own, or a cached state
    T* own = nullptr;               // the log's own state, stepped by live play
    T* work = nullptr;              // the state a window is re-simulated in
    bool owns = false;              // current is own, not a cached state
    TimeLog_KeyFrames<T> keyFrames; // frame k: the state at TimeFromFrameId(k)
    int keyCount = 0;               // key frames of the present history; later slots are stale
    // The window being re-simulated.
    struct Window_Run
    {
        unsigned id;
        Tick first;
        Tick upTo;      // the last tick kept
        Tick keepFirst; // the cache once the run is done
        Tick keepLast;
        bool nextKeyFrame; // the run goes on one tick for the missing key frame after the window
    };
    Window_Run window = {};
    Object_Step planned;        // the step of a planned run
    Tick plannedTime = 0;       // the tick it reaches
    bool plannedWindow = false; // it re-simulates a window, else it steps on
    Tick resumeFrom = -1;       // while culled: play went on from this tick, before the log's
    Tick resumeTo = 0;          // and has reached this one
    int offset = 0;             // key-frame phase
};
