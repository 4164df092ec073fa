// Final_Dragon: the boss of the dragon's den, whose whole fight is a function of the tick.
#pragma once

#include "engine/Enemy.h"
#include "engine/Object.h"
#include "engine/Target.h"
#include "util/Pointf.h"
#include "util/Tick.h"

class Game_Sounds;
class Image;
class Map;

// A large dragon standing at one point of the den. Its long neck sweeps the head from side to
// side through a fixed cycle: it breathes fire at four angles, screams while rocks fall from the
// roof, and after three such rounds rests and recharges. Only the head can be hit; every hit
// takes one of its 1000 points whatever the weapon, and the rest gives back up to 798, so it
// falls only to enough hits within one cycle. Its flames and its large rocks hurt the player.
//
// The action and the head come from the tick alone, the flames and rocks from the ticks they
// were born at and the tick hash, and the hit points from the tick and the hits recorded on the
// target: nothing is kept per step, so the dragon replays exactly. Only one dragon may exist at
// a time: its pictures are shared by the class and freed with it.
class Final_Dragon final : public Object, public Enemy, public Target
{
public:
    static constexpr int Dragon_HitPoints = 1000;
    static constexpr double Dragon_NeckWidth = 12.0; // half the neck's width
    static constexpr double Dragon_NeckLength = 130.0;
    static constexpr double Dragon_NeckInBody = 16.0; // the neck starts this far below the body's top
    static constexpr double Dragon_HeadNeckX = 0.2;   // the head picture's anchor fractions
    static constexpr double Dragon_HeadNeckY = 0.2;
    static constexpr double Dragon_MouthX = 80.0; // the mouth, across the head and along it
    static constexpr double Dragon_MouthY = 0.0;
    static constexpr int Dragon_Flame_Duration = 50;     // ticks a flame lives
    static constexpr int Dragon_RockFall_Duration = 200; // ticks a rock falls
    static constexpr int Dragon_Fire_Time = 200;
    static constexpr int Dragon_Scream_Time = 150;
    static constexpr int Dragon_Wait_Time = 100;
    static constexpr int Dragon_Recharge_Time = 400;
    static constexpr int Dragon_Move1_Time = 100;
    static constexpr int Dragon_Move2_Time = 50;
    static constexpr int Dragon_Move3_Time = 100;
    static constexpr int Dragon_Move4_Time = 50;
    static constexpr int Dragon_Move5_Time = 100;
    static constexpr int Dragon_Cycle_Time = 1450;     // one round of sweeps, fire and scream
    static constexpr int Dragon_FullCycle_Time = 4750; // three rounds and the rest
    static constexpr double Dragon_Near_Angle = 1.3;
    static constexpr double Dragon_Far_Angle = 0.4;

    // The actions of a cycle, in order; the rest closes each full cycle.
    enum Action
    {
        Action_SweepNear = 0,
        Action_FireNear = 1,
        Action_SweepFar = 2,
        Action_FireFar = 3,
        Action_SweepAcross = 4,
        Action_FireRightNear = 5,
        Action_SweepRightFar = 6,
        Action_FireRightFar = 7,
        Action_SweepUp = 8,
        Action_Scream = 9,
        Action_Wait = 10,
        Action_Rest = 11,
    };

    // Stands with the foot of its body at footPos and plays its sounds through soundTable (none
    // when null). Throws when a picture cannot be loaded, leaving nothing loaded.
    Final_Dragon(Pointf footPos, Game_Sounds* soundTable);
    Final_Dragon(Final_Dragon const&) = delete;
    Final_Dragon& operator=(Final_Dragon const&) = delete;
    ~Final_Dragon() override;

    bool Screaming(Tick t) const;
    bool Dead(Tick t) const;
    // From now on nothing of it is drawn.
    void Hide();

    // 0 to 1000: what the cycle began with, less one for every hit of the cycle up to t, and
    // during the rest two more per tick.
    int GetHitPoints(Tick t) const;
    // The action at t; elapsed (when given) receives the ticks since it began.
    int FindAction(Tick t, int* elapsed) const;
    double GetHeadAngle(Tick t) const;
    // From `from` at e = 0 towards `to`, eased by half a cosine over len ticks; `to` from len on.
    double SineMove(int e, int len, double from, double to) const;
    // The head point at t; angle (when given) receives the head's angle.
    Pointf GetHeadPos(Tick t, double* angle) const;

    // Where the flame born at tick s is at the given age, with the head at head and angle a;
    // rotation (when given) receives its drawn rotation.
    Pointf GetFlamePos(Tick s, int age, Pointf head, double a, double* rotation) const;
    bool HitFlames(Tick t, Pointf head, double a, Pointf const* p) const;
    void RenderFlames(Map const* map, Tick t, Pointf head, double a) const;
    // Where the rock born at tick s is at the given age; rotation and small (when given) receive
    // its drawn rotation and whether it is one of the small ones, which never hurt.
    Pointf GetRockPos(Tick s, int age, double* rotation, bool* small) const;
    bool HitRocks(Tick t, Pointf const* p) const;
    void RenderRocks(Map const* map, Tick t) const;
    void RenderNeck(Map const* map, Pointf base, Pointf head, double a) const;

    // Call visit(s, age) for every flame alive at t or rock falling at t, born at tick s, and
    // stop early when it answers true.
    template <class Visit>
    void ForLiveFlames(Tick t, Visit&& visit) const
    {
        for (int age = 1; age <= Dragon_Flame_Duration; ++age)
            if (FlameBorn(t - age) && visit(t - age, age))
                return;
    }
    template <class Visit>
    void ForLiveRocks(Tick t, Visit&& visit) const
    {
        for (int age = 1; age <= Dragon_RockFall_Duration; ++age)
            if (RockBorn(t - age) && visit(t - age, age))
                return;
    }

    void MoveToTime(Map const* map, Tick t) override;
    // Plays the sounds of t only on a step that lives it, not one that shows it again.
    void MoveToTime(Map const* map, Tick t, Object_Step const& step) override;
    void Render(Map const* map, Tick t) const override;
    // The health bar.
    void RenderFore(Map const* map, Tick t) const override;
    // 1 when a flame or a large rock is nearer than 16 (|dx| + |dy|) to the player at t.
    int IsPlayerHit(Tick t, Pointf const* playerPos) override;
    // The middle of the head.
    bool GetTargetPos(Map const* map, Tick t, Pointf& out) const override;

    Pointf GetPos() const { return pos; }
    bool IsHidden() const { return hidden; }

private:
    bool FlameBorn(Tick s) const;
    bool RockBorn(Tick s) const;
    // The point the neck leaves the body from.
    Pointf NeckBase() const;
    static void FreeImages();

    Game_Sounds* sounds = nullptr; // the program's table; not owned
    Pointf pos;                    // the foot of the body
    bool hidden = false;

    static Image* bodyImg;
    static Image* neckImg;
    static Image* look0Img;
    static Image* look1Img;
    static Image* headfwd0Img;
    static Image* headfwd1Img;
    static Image* gemImg;
    static Image* gemOnImg;
    static Image* flameImg;
    static Image* smallrockImg;
    static Image* largerockImg;
    static constexpr int Dragon_ImageCount = 11;
    static Image** const slots[Dragon_ImageCount]; // every picture above, in loading order
};
