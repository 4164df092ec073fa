// Chasm_FireBall: a fireball thrown up from a fixed point of the canyon again and again, flying
// the same bouncing path each time.
#pragma once

#include "engine/Enemy.h"
#include "engine/Object.h"
#include "util/FlatList.h"
#include "util/Pointf.h"

class Image;

// The whole flight is worked out against the map when the ball is built; at any tick the ball is
// at the point of its flight that the tick's place in the period gives, or gone between flights.
// A warning sounds at the launch point 35 ticks before each launch, on a step that lands on that
// tick. It hurts a player whose body comes near it, and cannot be killed.
class Chasm_FireBall final : public Object, public Enemy
{
public:
    static constexpr double FireBall_Width = 24.0;  // drawn, in world units
    static constexpr double FireBall_Height = 24.0; // drawn, in world units
    static constexpr double FireBall_Hit_Dist = 18.0;
    static constexpr double FireBall_Gravity = 0.2; // units per tick per tick, downwards
    static constexpr double FireBall_Bounce = 0.9;  // speed kept at each bounce
    static constexpr int FireBall_Frame_Count = 3;
    static constexpr int FireBall_Frame_Ticks = 4; // each animation frame shown this long
    static constexpr int FireBall_Warning = 35;    // ticks of warning before a launch

    // Launched from the reference point in the direction angle (0 up, towards +x as it grows) at
    // speed units per tick; a flight lasts length ticks and starts every period ticks (at least
    // 1), offset by phase, or by a phase drawn from the C library's sequence when it is -1. The
    // map's collision grid must be built.
    Chasm_FireBall(Map const* map, unsigned int ref, double angle, double speed, int length, int period, int phase);
    Chasm_FireBall(Chasm_FireBall const&) = delete;
    Chasm_FireBall& operator=(Chasm_FireBall const&) = delete;
    ~Chasm_FireBall() override = default;

    static void Initialise();
    static void Finalise();

    // The tick of the present flight at t; negative while t + phase is.
    int GetFrame(Tick t) const;
    // Whether the ball flies at t, and where (when pos is not null).
    bool GetPosAtTime(Tick t, Pointf* pos) const;
    // The direction it is drawn facing while it flies at t: along its path, from the point before
    // to its own, or on a flight's first tick from its own to the next.
    double HeadingAt(Tick t) const;

    void MoveToTime(Map const* map, Tick t) override;
    void Render(Map const* map, Tick t) const override;
    int IsPlayerHit(Tick t, Pointf const* playerPos) override;

    FlatList<Pointf> const& GetPath() const { return path; }
    int GetPeriod() const { return period; }
    int GetPhase() const { return phase; }

private:
    FlatList<Pointf> path; // the place at each tick of one flight, the launch point first
    int period = 1;        // ticks from one launch to the next
    int phase = 0;         // ticks the cycle is offset by

    static Image* frames[FireBall_Frame_Count];
};
