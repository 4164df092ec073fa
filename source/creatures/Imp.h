// Imp: a small enemy that hops to and fro along an arc and tumbles away when killed.
#pragma once

#include "engine/Enemy.h"
#include "engine/Object.h"
#include "engine/Target.h"
#include "util/Pointf.h"

class Image;

// Its hop is a function of the tick and a phase drawn at construction; its death follows from its
// hits: it finishes its hop to the top of the arc, tumbles off, slides away and is gone 60 ticks
// after the killing hit. Only its squeak, drawn at every step, does not replay.
class Imp final : public Object, public Target, public Enemy
{
public:
    static constexpr int Imp_Frame_Count = 4;
    static constexpr double Imp_Width = 32.0;
    static constexpr double Imp_Height = 32.0;
    static constexpr double Imp_Hit_Dist = 24.0;
    static constexpr double Imp_Jump_Dist = 40.0; // radius of the arc
    static constexpr int Imp_CycleTime = 50;      // one hop there and back
    static constexpr Tick Imp_DeathTime = 60;     // moved and drawn this long after the killing hit
    static constexpr double Imp_ActiveRadius = 160.0;

    Imp(Map const* map, unsigned int ref, int startHitPoints);
    Imp(Imp const&) = delete;
    Imp& operator=(Imp const&) = delete;
    ~Imp() override = default;

    // Loads "gfx/imp/imp00" to "03" and readies the squeak.
    static void Initialise();
    static void Finalise();

    void MoveToTime(Map const* map, Tick t) override;
    void Render(Map const* map, Tick t) const override;
    bool ActivePoint(Pointf& centre, double& radius, double& objScale) const override;
    int Hit(Tick t, int damage, Target_Hit_Flags flags) override;
    int IsPlayerHit(Tick t, Pointf const* playerPos) override;
    bool GetTargetPos(Map const* map, Tick t, Pointf& out) const override;

    // The tick the tumble starts (the first top of the arc at or after the death) and, through
    // towardsMinusX, its side; -1 while no death is recorded.
    Tick StartDieAnim(bool* towardsMinusX) const;
    // Where it is at t; each of the others may be null.
    Pointf PositionAtTime(Tick t, int* frameOut, double* angleOut, bool* mirroredOut) const;

    bool AliveAt(Tick t) const { return GetHitPoints(t, hitPoints) > 0; }
    // Moved, drawn and aimed at until Imp_DeathTime after the killing hit.
    bool MovedAt(Tick t) const { return GetHitPoints(t - Imp_DeathTime, hitPoints) > 0; }

    int Phase() const { return phase; }
    Pointf GetBase() const { return basePos; }
    // The state of the last step.
    Pointf GetPosition() const { return pos; }
    int GetFrame() const { return frame; }
    double GetAngle() const { return angle; }
    bool Mirrored() const { return mirrored; }

private:
    Pointf basePos; // the centre of the arc
    int phase = 0;
    Pointf pos;
    double angle = 0.0;
    bool mirrored = false;
    int frame = 0;
    int hitPoints = 0;

    static Image* frames[Imp_Frame_Count];
};
