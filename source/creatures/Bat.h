// Bat: one bat of a flock: roosts, flies the flock's path once woken, dodges early hits, falls when killed.
#pragma once

#include "engine/Enemy.h"
#include "engine/Object.h"
#include "engine/Target.h"
#include "util/Pointf.h"
#include "util/Tick.h"

class Bat_Group;
class Bat_Path;
class Image;
class TimeSet;

// A bat hangs from its roost until its flock wakes it (or a hit does), then drops off and flies the
// flock's path, hurting the player on contact; its wings beat in step with the whole flock. A hit
// that comes well before its recorded wake (possible only after travelling back) is dodged with a
// small circle below the roost. Killed, it falls and bounces for a while and then vanishes. Its
// state at a tick follows from the tick, its wake tick, its hits and its dodges.
class Bat final : public Object, public Target, public Enemy
{
public:
    static constexpr int Bat_Frame_Count = 7;
    static constexpr int Bat_Frame_Dead = 6;
    static constexpr double Bat_Width = 16.0;
    static constexpr double Bat_Height = 16.0;
    static constexpr double Bat_Hit_Dist = 12.0;
    static constexpr double Bat_Dodge_Dist = 10.0; // radius of the dodge circle
    static constexpr int Bat_Dodge_Time = 40;      // ticks of one dodge; also their least spacing
    static constexpr int Bat_Dodge_Lead = 20;      // a hit this far before the wake still lands
    static constexpr int Bat_DeathTime = 100;      // ticks a dead bat falls and stays visible
    static constexpr double Bat_Dead_Drop = 8.0;   // a bat dead on its roost falls from this far below
    static constexpr double Bat_FallGravity = 0.2;
    static constexpr double Bat_FallBounce = 0.3;

    // Throws Error_ParseFile when the path is not closed or has no section.
    Bat(Map const* map, unsigned int ref, Bat_Path const* flightPath, Bat_Group* flock, int startHitPoints);
    Bat(Bat const&) = delete;
    Bat& operator=(Bat const&) = delete;
    ~Bat() override;

    static void Initialise();
    static void Finalise();

    // Sets the wake tick when it is not set yet, and then, if asked, wakes the flock at t too.
    void ActivateAtTime(Tick t, bool wakeGroup);

    void MoveToTime(Map const* map, Tick t) override;
    void Render(Map const* map, Tick t) const override;
    int Hit(Tick t, int damage, Target_Hit_Flags flags) override;
    int IsPlayerHit(Tick t, Pointf const* playerPos) override;
    bool GetTargetPos(Map const* map, Tick t, Pointf& out) const override;

    // The bat's point at t; frameOut and mirrorOut may be null.
    Pointf PositionAtTime(Map const* map, Tick t, int* frameOut, bool* mirrorOut) const;

    bool AliveAt(Tick t) const { return GetHitPoints(t, hitPoints) > 0; }
    bool ShownAt(Tick t) const { return GetHitPoints(t - Bat_DeathTime, hitPoints) > 0; }
    Tick WakeTick() const { return wakeTick; }
    Pointf GetRoost() const { return roost; }
    Pointf GetPosition() const { return position; }
    int GetFrame() const { return frame; }
    bool Mirrored() const { return mirror; }
    Rectf GetRect() const { return rect; }

private:
    Bat_Path const* path;
    Bat_Group* group;    // may be null
    Pointf roost;        // the point it hangs from
    Pointf position;     // at the last move
    Tick wakeTick = -1;  // when it leaves the roost; set once
    TimeSet* dodges;     // start ticks of its dodges, owned
    bool mirror = false; // drawn flying towards -x
    int frame = 0;       // sprite frame at the last move
    int hitPoints;       // at the start

    static Image* frames[Bat_Frame_Count];
};
