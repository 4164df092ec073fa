// Past selves: the player's recordings tick by tick, and which self carries an item at a tick.
#pragma once

#include "engine/Char_Base.h"
#include "util/PtrList.h"
#include "util/Tick.h"

#include <cstdint>
#include <optional>

class Map;

// One recorded tick of the player, narrowed to floats to keep recordings small.
struct PastPos
{
    float x = 0.0f;
    float y = 0.0f;
    float angle = 0.0f;
    float scale = 0.0f;
    std::uint32_t frame = 0; // sprite frame word, facing bit included

    void Convert(Char_Base const* c);
    Char_Base GetChar() const;
};

// One recording: the consecutive ticks [startTime, startTime + count).
class TimeFrame final
{
public:
    explicit TimeFrame(Tick t);
    ~TimeFrame();
    TimeFrame(TimeFrame const&) = delete;
    TimeFrame& operator=(TimeFrame const&) = delete;

    void AddEcho(Char_Base const* c);
    // The recording grows no more: its room is cut to what it holds.
    void Close();
    // The state recorded at t; a tick past the end gives the last recorded state (the self stays
    // where its recording ended). Empty when nothing has been recorded yet.
    std::optional<Char_Base> GetAtTime(Tick t) const;
    bool ValidTime(Tick t) const;
    void Render(Map const* map, Tick t) const;
    void RenderTimeTrail(Map const* map, Tick t) const;

    Tick GetStartTime() const { return startTime; }
    int GetCount() const { return count; }

private:
    PastPos* data = nullptr; // C allocation, grown with realloc
    int count = 0;
    int capacity = 0;
    Tick startTime = 0;
};

// The level's recordings; the last one is the one that grows.
class TimeFrames final
{
public:
    TimeFrames();
    ~TimeFrames();
    TimeFrames(TimeFrames const&) = delete;
    TimeFrames& operator=(TimeFrames const&) = delete;

    void NewFrame(Tick t);
    void AddEcho(Char_Base const* c);
    TimeFrame* GetCurrentFrame() const;
    void Render(Map const* map, Tick t) const;

    int Count() const { return frames->Count(); }
    TimeFrame const* GetFrame(int i) const { return (*frames)[i]; }

private:
    PtrList<TimeFrame>* frames = nullptr;
};

// A run of ticks [start, end) during which an item follows one recording.
class Past_Follow final
{
public:
    Past_Follow(Tick t, TimeFrame const* f);

    std::optional<Char_Base> FindAtTime(Tick t) const;
    bool AddTime(TimeFrame const* f, Tick t);
    bool Covers(Tick t) const { return t >= start && t < end; }

private:
    Tick start = 0;
    Tick end = 0;
    TimeFrame const* frame = nullptr; // not owned
};

// Who carried an item, present or past self, tick by tick.
class Past_Follower final
{
public:
    Past_Follower();

    // The present player carries the item at tick t.
    void AddFollow(TimeFrames const* timeFrames, Tick t);
    // The carrier at t; when several runs cover t the last recorded one wins.
    std::optional<Char_Base> FindAtTime(Tick t) const;

private:
    PtrList<Past_Follow> follows;
};
