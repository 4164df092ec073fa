// Wasp: a buzzing flyer of any size that wanders between random points of a rectangle and falls when killed.
#pragma once

#include "engine/Enemy.h"
#include "engine/Object.h"
#include "engine/Target.h"
#include "util/Pointf.h"
#include "util/Tick.h"

class Image;
class Path;

// Eases from one of ten points, drawn once inside the rectangle of two reference points, to the
// next, a fixed time each, round and round; it hurts the player on contact and, killed, falls and
// bounces from where it was going and vanishes. The scale sets its size, its reach, its target
// frame and how fast it falls. Its state follows from the tick and its hits alone.
class Wasp final : public Object, public Target, public Enemy
{
public:
    static constexpr int Wasp_Frame_Count = 4;
    static constexpr int Wasp_Frame_Dead = 3;
    static constexpr double Wasp_Width = 32.0;
    static constexpr double Wasp_Height = 32.0;
    static constexpr double Wasp_Hit_Dist = 16.0; // at scale 1
    static constexpr int Wasp_Moves = 10;         // points of its circuit
    static constexpr Tick Wasp_MoveTime = 200;    // ticks spent reaching each point
    static constexpr Tick Wasp_Cycle_Time = Wasp_Moves * Wasp_MoveTime;
    static constexpr int Wasp_DeathTime = 100;      // ticks a dead wasp falls and stays visible
    static constexpr double Wasp_FallGravity = 0.2; // at scale 1
    static constexpr double Wasp_FallBounce = 0.3;

    Wasp(Map const* map, unsigned int a, unsigned int b, int startHitPoints, double size);
    Wasp(Wasp const&) = delete;
    Wasp& operator=(Wasp const&) = delete;
    ~Wasp() override;

    static void Initialise();
    static void Finalise();

    void MoveToTime(Map const* map, Tick t) override;
    void Render(Map const* map, Tick t) const override;
    bool ActivePoint(Pointf& centre, double& radius, double& objScale) const override;
    int Hit(Tick t, int damage, Target_Hit_Flags flags) override;
    int IsPlayerHit(Tick t, Pointf const* playerPos) override;
    bool GetTargetPos(Map const* map, Tick t, Pointf& out) const override;

    // The wasp's centre at t; headingLeftOut may be null.
    Pointf PositionAtTime(Map const* map, Tick t, bool* headingLeftOut) const;
    // The sprite frame drawn at t.
    int FrameAt(Tick t) const;

    bool AliveAt(Tick t) const { return GetHitPoints(t, hitPoints) > 0; }
    bool ShownAt(Tick t) const { return GetHitPoints(t - Wasp_DeathTime, hitPoints) > 0; }
    Pointf GetPosition() const { return position; }
    bool HeadingLeft() const { return headingLeft; }
    double GetScale() const { return scale; }
    Rectf GetRect() const { return rect; }
    Path const* GetMover() const { return mover; }

private:
    Path* mover = nullptr;    // owned
    double scale;             // of size, reach, target frame and fall
    Pointf position;          // centre at the last move
    bool headingLeft = false; // at the last move
    int hitPoints;            // at the start

    static Image* frames[Wasp_Frame_Count];
};
