// Movement paths: positions as pure functions of the tick.
#pragma once

#include "util/Pointf.h"
#include "util/Rectf.h"
#include "util/Tick.h"

// Where a path puts its user at one tick, and whether it is moving towards -x then.
struct Position_Info
{
    Pointf pos{0.0, 0.0};
    bool facingLeft = true;
};

// A route whose position depends on the tick alone, so whatever follows it is at the
// right place whenever the level clock is moved, with nothing recorded.
class Path
{
public:
    virtual ~Path() = default;

    virtual Position_Info PositionAtTime(Tick t) const = 0;
    // A rectangle holding every position the path can give.
    virtual Rectf GetBound() const = 0;
};

// Stands still.
class Path_None final : public Path
{
public:
    explicit Path_None(Pointf pt);

    Position_Info PositionAtTime(Tick t) const override;
    Rectf GetBound() const override;

private:
    Pointf point;
};

// Swings about a centre along a sine, on x, on y or both.
class Path_Sine final : public Path
{
public:
    // A phase of -1 picks one at random, fixed for the path's life.
    Path_Sine(Pointf centrePos, double amp, double speed, bool alongX, bool alongY, Tick startPhase);

    Position_Info PositionAtTime(Tick t) const override;
    Rectf GetBound() const override;

private:
    Pointf centre;
    double amplitude; // world units
    double rate;      // angle step per tick, times 2 pi
    bool onX;
    bool onY;
    Tick phase;
};

// Walks the edge of a rectangle, anticlockwise (clockwise when reversed).
class Path_Round final : public Path
{
public:
    Path_Round(Pointf centrePos, double w, double h, double unitsPerTick, bool backwards);

    Position_Info PositionAtTime(Tick t) const override;
    Rectf GetBound() const override;

private:
    Pointf centre;
    double width;
    double height;
    double speed; // world units per tick
    bool reversed;
};

// Eases from one random point of a rectangle to the next, a fixed time per point, in a loop.
class Path_MultiPoint final : public Path
{
public:
    Path_MultiPoint(Pointf corner1, Pointf corner2, int pointCount, Tick ticksPerPoint, double ease, Tick startPhase);
    ~Path_MultiPoint() override;

    Path_MultiPoint(Path_MultiPoint const&) = delete;
    Path_MultiPoint& operator=(Path_MultiPoint const&) = delete;

    Position_Info PositionAtTime(Tick t) const override;
    Rectf GetBound() const override;

private:
    Pointf* points = nullptr; // count points, owned
    int count;
    Tick interval; // ticks from one point to the next
    double easing; // kept as given; the positions ease by a fixed factor
    Rectf bound;
    Tick phase;
};

// Moves from A to B, rests, moves back and rests at A; a cycle lasts timeToA + timeToB ticks.
class Path_Bob final : public Path
{
public:
    Path_Bob(Pointf a, Pointf b, Tick ticksAtA, Tick ticksAtB, Tick startPhase);

    Position_Info PositionAtTime(Tick t) const override;
    Rectf GetBound() const override;

private:
    Pointf pointA;
    Pointf pointB;
    Tick timeToA;
    Tick timeToB;
    Tick phase;
};
