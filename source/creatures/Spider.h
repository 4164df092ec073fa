// Spider: hangs by a thread from a fixed point, lets itself down and climbs back, and swings when hit.
#pragma once

#include "engine/Enemy.h"
#include "engine/Object.h"
#include "engine/Target.h"
#include "util/Pointf.h"
#include "util/Rectf.h"

class Image;
class TimeSet;
class TimeSet2;

// The thread lengthens and shortens for ever at a steady speed; a hit sets the spider swinging
// to one side, the swing dying away over 100 ticks, unless the player was close by or another
// swing runs. It hurts the player it touches and dies when its hit points are spent. The thread
// follows from the tick and the swing from the recorded hits, so it replays after time travel.
class Spider final : public Object, public Target, public Enemy
{
public:
    static constexpr double Spider_Width = 20.0;
    static constexpr double Spider_Height = 20.0;
    static constexpr double Spider_Hit_Dist = 15.0;
    static constexpr double Spider_Speed = 0.2;      // thread units per tick
    static constexpr double Spider_SwingSpeed = 1.0; // starting amplitude, radians
    static constexpr double Spider_SwingDecel = 0.01;
    static constexpr double Spider_MinLength = 20.0; // the shortest thread
    static constexpr int Spider_SwingTime = 100;     // ticks of one swing

    // Throws Error_ParseFile when maxLength leaves no tick of climbing.
    Spider(Map const* map, unsigned int ref, double maxLength, int startHitPoints);
    Spider(Spider const&) = delete;
    Spider& operator=(Spider const&) = delete;
    ~Spider() override;

    static void Initialise();
    static void Finalise();

    void MoveToTime(Map const* map, Tick t) override;
    void Render(Map const* map, Tick t) const override;
    void PlayerAtPos(Tick t, Pointf const* playerPos) override;
    bool ActivePoint(Pointf& centre, double& radius, double& objScale) const override;
    int Hit(Tick t, int damage, Target_Hit_Flags flags) override;
    int IsPlayerHit(Tick t, Pointf const* playerPos) override;
    bool GetTargetPos(Map const* map, Tick t, Pointf& out) const override;

    Pointf PositionAtTime(Tick t) const;
    double ThreadLength(Tick t) const;
    // The swing's angle at t, 0 when none runs.
    double SwingAngle(Tick t) const;

    bool AliveAt(Tick t) const { return GetHitPoints(t, hitPoints) > 0; }

    Pointf GetPosition() const { return position; }
    Rectf GetReachBox() const { return reachBox; }

private:
    Pointf anchor;                   // where the thread is fixed
    double maximumLength = 0.0;      // the longest thread
    int wayTicks = 0;                // ticks of one way down or up
    Rectf reachBox;                  // the player inside it keeps hits from swinging the spider
    Pointf position;                 // at the last move
    int hitPoints = 0;               // at the start
    TimeSet* busyRecord = nullptr;   // owned: the player in reach, and the ticks of every swing
    TimeSet2* swingRecord = nullptr; // owned: at each swing's start, the hit's flags

    static Image* frame;
};
