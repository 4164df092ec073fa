// TreeV_DoorSwitch and TreeV_Switch: the village's house doors that fall open when a switch is shot.
#pragma once

#include "engine/Hit_Target.h"
#include "engine/MapMoveObject.h"
#include "engine/Object.h"
#include "engine/Target.h"
#include "util/FlatList.h"
#include "util/Pointf.h"
#include "util/Rectf.h"
#include "util/Tick.h"

#include <cstdint>

class GameFont;
class Image;
class Map;
class TimeSet;

// The name plate's animation: 0 idle, 1 waiting, 2 sliding in, 3 showing, 4 sliding out.
using TreeV_DoorSwitch_TextMode = int;
constexpr TreeV_DoorSwitch_TextMode TreeV_Plate_Idle = 0;
constexpr TreeV_DoorSwitch_TextMode TreeV_Plate_Waiting = 1;
constexpr TreeV_DoorSwitch_TextMode TreeV_Plate_SlidingIn = 2;
constexpr TreeV_DoorSwitch_TextMode TreeV_Plate_Showing = 3;
constexpr TreeV_DoorSwitch_TextMode TreeV_Plate_SlidingOut = 4;

// Bit 0: the door falls to the left of its pivot.
using TreeV_DoorSwitch_Flags = std::uint32_t;
constexpr TreeV_DoorSwitch_Flags TreeV_Door_FallsLeft = 0x1;

constexpr int Door_TimeToFall = 17;
constexpr int Door_TimeToBounce1 = 20;
constexpr int Door_TimeToBounce2 = 10;
constexpr int Door_RestTime = 500;
constexpr int Door_ReturnTime = 60;
constexpr int Door_TotalTime =
    Door_TimeToFall + Door_TimeToBounce1 + Door_TimeToBounce2 + Door_RestTime + Door_ReturnTime;
constexpr double Door_Acceleration = 0.01;
constexpr double Door_Bounce1Speed = -0.1;
constexpr double Door_Bounce2Speed = -0.05;
constexpr double Door_Upright = 1.5707963267949;

// A small round target beside a door. A hit opens the door unless the door is disabled, still
// falling from an earlier hit, or someone stands (or stood, for a past self) where it would fall
// within the coming fall; the first switch of a door also brings up its name plate.
class TreeV_Switch final : public Object, public Target
{
public:
    // blocked and plate belong to the door; plate is null for a switch that shows none.
    TreeV_Switch(Map const* map, unsigned int refPoint, TimeSet* blockedTicks, TreeV_DoorSwitch_TextMode* plate);
    TreeV_Switch(TreeV_Switch const&) = delete;
    TreeV_Switch& operator=(TreeV_Switch const&) = delete;
    ~TreeV_Switch() override = default;

    void Render(Map const* map, Tick t) const override;
    int Hit(Tick t, int damage, Target_Hit_Flags flags) override;
    bool GetTargetPos(Map const* map, Tick t, Pointf& out) const override;

    // The tick of the latest hit at or before t, or GameEvent_HasntHappened.
    Tick FindClosestHit(Tick t) const;

    bool enabled = true;

private:
    friend class TreeV_DoorSwitch;
    static inline Image* image = nullptr; // loaded by the door's Initialise

    Pointf position;
    TimeSet* blocked;                 // the door's, shared
    TreeV_DoorSwitch_TextMode* plate; // the door's, or null
};

// A house door that stands upright and falls flat like a drawbridge when one of its two switches
// is shot, bounces twice, lies for a while and rises again. Its angle follows at every tick from
// the switches' hits, so it replays after time travel; the name plate that the first switch
// slides onto the screen is a live animation and does not.
class TreeV_DoorSwitch : public Object, public MapMoveObject
{
public:
    // The group is authored lying flat on its fall side; flags bit 0: it falls to the left.
    TreeV_DoorSwitch(Map* map, int group, unsigned int pivotRp, unsigned int switch0Rp, unsigned int switch1Rp,
                     TreeV_DoorSwitch_Flags doorFlags);
    TreeV_DoorSwitch(TreeV_DoorSwitch const&) = delete;
    TreeV_DoorSwitch& operator=(TreeV_DoorSwitch const&) = delete;
    ~TreeV_DoorSwitch() override;

    static void Initialise(GameFont* font);
    static void Finalise();

    // Copies both lines; a null line stays unset.
    void SetMessage(char const* line1, char const* line2);
    void SetEnable(bool enable);
    TreeV_Switch* GetSwitch(int id) const;

    // Advances the plate by one step, whatever t is.
    void MoveToTime(Map const* map, Tick t) override;
    void RenderFore(Map const* map, Tick t) const override;
    // Records the ticks at which the live player stands where the door falls.
    void PlayerAtPos(Tick t, Pointf const* playerPos) override;
    void MoveMapGroup(Map const* map, Tick t, FlatList<MoveObject>** orders) override;

    // The angle d steps after a hit: upright (P) before and after the fall, 0 lying flat.
    static double CalcRotation(int d);
    // Plays a sound beside the pivot on the fall side.
    virtual void Sound(Sound_Id id);

    TreeV_DoorSwitch_TextMode PlateState() const { return textMode; }
    int PlateX() const { return textX; } // 24.8 screen pixels

private:
    static constexpr Tick Door_NoTick = -2147483647 - 1;
    static inline GameFont* gameFont = nullptr;

    FlatList<MoveObject> moves;
    Rectf* fallArea = nullptr;
    TimeSet* blocked = nullptr; // fall-area ticks and the runs of accepted hits
    TreeV_Switch* switches[2] = {nullptr, nullptr};
    TreeV_DoorSwitch_Flags flags = 0;
    char* line1 = nullptr;
    char* line2 = nullptr;
    std::int32_t textX = 0;  // plate's left edge, 24.8 screen pixels
    std::int32_t timer = 30; // steps
    TreeV_DoorSwitch_TextMode textMode = TreeV_Plate_Idle;
    Pointf pivot;
    Tick soundTick = Door_NoTick; // the tick whose sounds were played last
};
