// Vulture: a flying enemy that patrols between two points, flaps, now and then swoops, and falls when killed.
#pragma once

#include "engine/Enemy.h"
#include "engine/Object.h"
#include "engine/Target.h"
#include "util/Pointf.h"

#include <cstdint>

class Image;

// A bird that flies back and forth between a start and an end point with a flapping bob and,
// in about one patrol in four, dives towards a swoop point in a half-sine. It hurts the player
// on contact; killed, it tumbles to the ground with the speed it had and vanishes. Its rhythm,
// height and patrol are drawn once when it is built, so birds on the same points differ; which
// patrols hold a swoop comes from the tick hash, and everything else from the tick and its hits.
class Vulture final : public Object, public Target, public Enemy
{
public:
    static constexpr int Vulture_Frame_Count = 5;
    static constexpr double Vulture_Width = 32.0;
    static constexpr double Vulture_Height = 32.0;
    static constexpr double Vulture_Hit_Dist = 24.0;
    static constexpr double Vulture_RiseDist = 6.0; // height of the flapping bob
    static constexpr int Vulture_DiveTime = 200;    // ticks of one swoop
    static constexpr int Vulture_DeathTime = 128;   // ticks a dead bird falls and stays visible
    static constexpr double Vulture_FallGravity = 0.2;
    static constexpr double Vulture_FallBounce = 0.3; // speed kept at each bounce
    // Narrower patrols leave no room for a swoop inside a patrol and no patrol period at all.
    static constexpr double Vulture_MinWidth = 100.5;

    // Throws Error_ParseFile when the end lies less than Vulture_MinWidth right of the start.
    Vulture(Map const* map, unsigned int start, unsigned int end, unsigned int swoop, int startHitPoints);
    Vulture(Vulture const&) = delete;
    Vulture& operator=(Vulture const&) = delete;
    ~Vulture() override = default;

    static void Initialise();
    static void Finalise();

    void MoveToTime(Map const* map, Tick t) override;
    void Render(Map const* map, Tick t) const override;
    bool ActivePoint(Pointf& centre, double& radius, double& objScale) const override;
    int Hit(Tick t, int damage, Target_Hit_Flags flags) override;
    int IsPlayerHit(Tick t, Pointf const* playerPos) override;
    bool GetTargetPos(Map const* map, Tick t, Pointf& out) const override;

    // The bird's centre at t and, when frame is not null, its sprite frame.
    Pointf PositionAtTime(Map const* map, Tick t, int* frame) const;

    // Alive until the hit that spends its hit points; drawn and aimed at for Vulture_DeathTime more.
    bool AliveAt(Tick t) const { return GetHitPoints(t, hitPoints) > 0; }
    bool ShownAt(Tick t) const { return GetHitPoints(t - Vulture_DeathTime, hitPoints) > 0; }

    Pointf GetPosition() const { return position; }
    int GetFrame() const { return frame; }
    // The number its swoops are hashed with.
    std::uint32_t Serial() const { return serial; }

private:
    Pointf base;              // the start point raised or lowered by the drawn offset
    int flapPhase = 0;        // ticks
    int flapPeriod = 0;       // ticks of one wing beat
    int patrolPhase = 0;      // ticks
    int patrolPeriod = 0;     // ticks of one flight there and back
    int upTicks = 0;          // the rising part of a beat
    int downTicks = 0;        // the sinking part of a beat
    double dive = 0.0;        // depth of a swoop
    double startX = 0.0;      // left end of the patrol
    double endX = 0.0;        // right end of the patrol
    Pointf position;          // centre of the sprite at the last move
    int frame = 0;            // sprite frame at the last move
    int hitPoints = 0;        // at the start
    std::uint32_t serial = 0; // this bird's own tick hash

    static Image* frames[Vulture_Frame_Count];
};
