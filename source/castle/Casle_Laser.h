// Casle_Laser: a fixed emitter whose beam is reflected by movable mirrors and lights laser targets.
#pragma once

#include "engine/Activator.h"
#include "engine/Object.h"
#include "util/Pointf.h"
#include "util/PtrList.h"
#include "util/Tick.h"

class Casle_Laser_Target;
class Collectable;
class Map;
class TimeSet;

constexpr double Laser_MaxTestDist = 250.0; // length of one probing step of a beam leg
constexpr int Laser_MaxLegs = 64;           // legs traced before a beam is given up as a loop

// How one leg of a beam ended.
enum Casle_Laser_Leg
{
    Casle_Laser_Leg_Mirror = 0,  // on a mirror: the beam goes on from there
    Casle_Laser_Leg_Map = 1,     // on a solid polygon of the map
    Casle_Laser_Leg_Nothing = 2, // out past everything the map holds
};

// A laser on a castle wall. While it is on, its beam runs straight until it meets a solid
// polygon, turned on the way by the mirrors (items the player carries, drops and turns). A beam
// that ends on a target's group, judged from where the mirrors stood the tick before as it is
// drawn, lights that target at the ticks since the laser was last moved on which it ended there,
// as long as the clock has not gone back, and fixes every mirror on its path up to the tick
// before, so that a travel back cannot take away a mirror a recorded success rests on.
// A laser is on always, or at the tick after each activation by a watching eye.
class Casle_Laser final : public Object, public Activator
{
public:
    Casle_Laser(Pointf emitterPos, double beamAngle, bool on);
    ~Casle_Laser() override;
    Casle_Laser(Casle_Laser const&) = delete;
    Casle_Laser& operator=(Casle_Laser const&) = delete;

    void AddMirror(Collectable* mirror);
    void AddTarget(Casle_Laser_Target* target);

    // Switches the laser on for the tick after t, and traces the beam for t at once.
    void Activate(Map const* map, Tick t);
    bool IsOn(Tick t) const;

    // Traces the beam for t and records what it hit.
    void MoveToTime(Map const* map, Tick t) override;
    // The picture at clock tick t shows the beam of tick t - 1.
    void Render(Map const* map, Tick t) const override;

    Tick LastActiveTime(Tick t) const override;
    Tick LastInactiveTime(Tick t) const override;

    // One leg from *point in direction angle at tick t: *point becomes the leg's end and angle the
    // direction out of it; poly names the polygon a leg that ends on the map met. With lock set,
    // the mirror that turned the beam is fixed up to t - 1.
    Casle_Laser_Leg AdvanceLaser(Map const* map, Tick t, Pointf* point, double& angle, unsigned int& poly,
                                 bool lock) const;
    // Whether the mirror at tick t crosses the leg from..*to strictly inside both; if so *to
    // becomes the crossing and outAngle the direction the beam leaves it.
    bool HitMirror(Collectable const* mirror, Tick t, Pointf const* from, Pointf* to, double inAngle,
                   double& outAngle) const;

    // The whole beam at tick t: the points from the emitter through every mirror to its end, and
    // the group of the polygon it ended on, or false when it met none (or turned too often).
    bool Trace(Map const* map, Tick t, bool lock, unsigned int& group, Pointf* points = nullptr,
               int* pointCount = nullptr) const;

private:
    PtrList<Collectable> mirrors;        // the world's
    PtrList<Casle_Laser_Target> targets; // the world's
    Pointf pos;                          // the emitter
    double angle;                        // of the beam, radians from +y
    bool alwaysOn;
    Tick lastTime = -1;         // of the previous MoveToTime
    TimeSet* onTimes = nullptr; // ticks of activation; owned
};
