// Shmoo: a small blob that sits on the ground and hops straight up and down on a fixed cycle.
#pragma once

#include "engine/Enemy.h"
#include "engine/Object.h"
#include "engine/Target.h"
#include "util/Pointf.h"

#include <cstdint>

class Image;

// It rests on the ground under its reference point and, once every cycle at a phase of its
// own, hops up to the height of a second point and back, hurting the player it touches. It can
// be shot. Everything it shows is a function of the tick, its phase and its hits.
class Shmoo final : public Object, public Target, public Enemy
{
public:
    static constexpr double Shmoo_Width = 16.0;
    static constexpr double Shmoo_Height = 16.0;
    static constexpr double Shmoo_Hit_Dist = 11.2;
    static constexpr int Shmoo_JumpDelay = 250; // ticks of one cycle
    static constexpr int Shmoo_JumpTime = 100;  // ticks in the air per cycle
    static constexpr double Shmoo_ActiveRadius = 64.0;

    // The ground is looked for below ref, so the map needs its collision grid.
    Shmoo(Map const* map, unsigned int ref, unsigned int topRef, int startHitPoints);
    Shmoo(Shmoo const&) = delete;
    Shmoo& operator=(Shmoo const&) = delete;
    ~Shmoo() override = default;

    static void Initialise();
    static void Finalise();
    // The two pictures loaded into a pair of empty slots, and freed from them: the splitting shmoo's
    // blobs show the same pictures from a pair of their own. A missing picture leaves both slots empty.
    static void LoadPictures(Image*& down, Image*& up);
    static void FreePictures(Image*& down, Image*& up);

    // Asks for the take-off sound; the step runs more often than frames are drawn.
    void MoveToTime(Map const* map, Tick t) override;
    void Render(Map const* map, Tick t) const override;
    bool ActivePoint(Pointf& centre, double& radius, double& objScale) const override;
    int Hit(Tick t, int damage, Target_Hit_Flags flags) override;
    int IsPlayerHit(Tick t, Pointf const* playerPos) override;
    bool GetTargetPos(Map const* map, Tick t, Pointf& out) const override;

    // The position at t: the ground point at rest, the sprite's centre in the air. up (when
    // not null) is 1 in the air and 0 on the ground; playSound asks for the take-off sound.
    Pointf PositionAtTime(Tick t, int* up, bool playSound) const;

    bool AliveAt(Tick t) const { return GetHitPoints(t, hitPoints) > 0; }

    Pointf GetGround() const { return position; }
    double GetGroundAngle() const { return groundAngle; }
    // The cycle tick after which it leaves the ground, 0 to Shmoo_JumpDelay - 1.
    int Phase() const { return phase; }

private:
    Pointf position;          // the ground point
    double groundAngle = 0.0; // of the surface there; 0 with no ground below
    int hitPoints = 0;        // at the start
    double jumpHeight = 0.0;  // top point's y less the ground's
    int phase = 0;            // from this shmoo's own hash

    static Image* downImg;
    static Image* upImg;
};
