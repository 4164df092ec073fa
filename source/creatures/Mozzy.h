// Mozzy: a large insect that beats along a line, now and then dives at the player below and circles him.
#pragma once

#include "engine/EnemyTarget.h"
#include "engine/Object.h"
#include "engine/TimeSet.h"
#include "util/Pointf.h"
#include "util/PtrListSorted.h"

class Image;

// One dive: when it began, the centre it circles (40 above where the player stood) and which
// way round it circles.
struct Mozzy_Attack
{
    Mozzy_Attack(Tick attackTime, Pointf attackPoint, bool playerLeft)
        : time(attackTime), point(attackPoint), facing(playerLeft)
    {
    }
    bool Greater(Mozzy_Attack const* other) const { return time > other->time; }

    Tick time;
    Pointf point;
    bool facing; // the player stood left of the mozzy
};

// It flies back and forth at a fixed height, bobbing in step with every other mozzy. When the
// player walks under its beat it may attack: the attack is decided with the C library's
// generator while time runs forward and recorded at once, so its position at any tick is a
// function of the tick, the recorded attacks, the phase drawn when built and the recorded hits.
// Dead, it vanishes.
class Mozzy final : public Object, public EnemyTarget
{
public:
    static constexpr int Mozzy_Frame_Count = 3;
    static constexpr double Mozzy_Width = 32.0;
    static constexpr double Mozzy_Height = 32.0;
    static constexpr double Mozzy_Hit_Dist = 24.0;
    static constexpr double Mozzy_Speed = 6.0; // units per tick along the beat
    static constexpr double Mozzy_CircleDist = 40.0;
    static constexpr int Mozzy_Attack1Time = 60;  // the dive
    static constexpr int Mozzy_Attack2Time = 150; // circling
    static constexpr int Mozzy_Attack3Time = 60;  // the return
    static constexpr int Mozzy_AttackTime = Mozzy_Attack1Time + Mozzy_Attack2Time + Mozzy_Attack3Time;
    // A narrower beat has no period to draw a phase from, or no half to divide by.
    static constexpr double Mozzy_MinWidth = Mozzy_Speed;

    // Throws Error_ParseFile when b lies less than Mozzy_MinWidth right of a.
    Mozzy(Map const* map, unsigned int a, unsigned int b, int startHitPoints);
    Mozzy(Mozzy const&) = delete;
    Mozzy& operator=(Mozzy const&) = delete;
    ~Mozzy() override = default;

    static void Initialise();
    static void Finalise();

    void MoveToTime(Map const* map, Tick t) override;
    void Render(Map const* map, Tick t) const override;
    // Called only while time runs forward: may record an attack at t.
    void PlayerAtPos(Tick t, Pointf const* playerPos) override;
    bool ActivePoint(Pointf& centre, double& radius, double& objScale) const override;
    int Hit(Tick t, int damage, Target_Hit_Flags flags) override;
    int IsPlayerHit(Tick t, Pointf const* playerPos) override;
    // Always writes where it is (or would be); answers whether it is alive.
    bool GetTargetPos(Map const* map, Tick t, Pointf& out) const override;

    Pointf PositionAtTime(Tick t, bool* mirror) const;
    // The beat alone, without attacks.
    Pointf CyclePosition(Tick t, bool* mirror) const;

    bool AliveAt(Tick t) const { return !IsDead(t); }
    Pointf GetPosition() const { return position; }
    bool Mirrored() const { return mirror; }
    static int FrameAt(Tick t);
    int AttackCount() const { return attacks.Count(); }
    Mozzy_Attack const* GetAttack(int i) const { return attacks[i]; }
    int Period() const { return period; }
    int Phase() const { return phase; }

private:
    // The circle's point k ticks into circling, and whether it moves towards -x there.
    static Pointf CirclePoint(Mozzy_Attack const* attack, int k, bool* mirror);

    PtrListSorted<Mozzy_Attack> attacks{PtrList_Variable, 4}; // sorted by tick
    TimeSet hitTicks;
    double leftX = 0.0;
    double rightX = 0.0;
    double height = 0.0;
    int period = 0; // ticks of the beat there and back
    int phase = 0;
    Pointf position; // centre of the sprite at the last move
    bool mirror = true;

    static Image* frames[Mozzy_Frame_Count];
};
