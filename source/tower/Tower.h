// Tower: the great tower, a world of sizes, built from its map with its switches, doors, targets,
// scaling zones, scales and creatures, and its camera zones and exits.
#pragma once

#include "puzzles/World_Base.h"
#include "tower/Tower_Ids.h"

class Chest;
class Door;
class Hit_Target;
class KillZone;
class Path;
class PickUp;
class Shmoo;
class Spider;
class SpikeBall;
class Spikes;
class SplitShmoo;
class Switch;
class Tower_CanDo;
class Tower_MapMove;
class Tower_Scaler;
class Tower_Scales;
class Wasp;

constexpr double Target_Path_Width = 100.0;  // of the round track
constexpr double Target_Path_Height = 250.0; // of the round track
constexpr double Target_Path_Speed = 1.0;    // units per tick round the track
constexpr Tick Target_Path_Time = 700;       // ticks of one lap
// The slot on the round track of track target k (hit target 1 + k), and the track target in slot s.
constexpr int Target_Positions[Tower_TrackTarget_Count] = {0, 2, 3, 5, 8, 10, 1, 4, 6, 7, 9, 11};
constexpr int Target_InvPositions[Tower_TrackTarget_Count] = {0, 6, 1, 2, 7, 3, 8, 9, 4, 10, 5, 11};

constexpr double Tower_StartScale = 64.0;
constexpr double Tower_OverviewZoom = 0.023;
constexpr int Tower_OverviewBudget = 150; // steps of overview the spot may show in a visit
constexpr int Tower_ScalesHintSteps = 10000;

// The player arrives as a giant, 64 times his size, before a tower seen whole, and is made
// smaller and larger by scaling zones down to 1/32 of his size. Switches, doors, spikes, wasps,
// blobs, gems and chests are each made for the size at which he meets them; three groups of
// targets are puzzles of their own (twelve circling a track, one ringed by anti-targets, fourteen
// popping in and out), and the balance scales are weighed by his past selves. Forty camera zones
// frame the tower region by region; walking out beyond either end leaves it.
//
// The tower owns what it places and frees it in a fixed order (the objects, then their kinds'
// shared pictures, then the hint panel and the driver); a build that fails part-way frees the
// same, and the tower can be built again.
class Tower final : public World_Base
{
public:
    explicit Tower(GameEvents* events);
    ~Tower() override;

    void Plot() override;
    Level_Action Poll(KeyData keys) override;

    Switch* GetSwitch(int i) const;
    Tower_Scaler* GetScaler(int i) const;
    Spikes* GetSpikes(int i) const;
    SpikeBall* GetSpikeBall(int i) const;
    KillZone* GetKillZone(int i) const;
    Wasp* GetWasp(int i) const;
    Door* GetDoor(int i) const;
    Tower_Scales* GetScales() const;
    Shmoo* GetShmoo(int i) const;
    SplitShmoo* GetSplitShmoo(int i) const;
    Hit_Target* GetHitTarget(int i) const;
    PickUp* GetPickUp(int i) const;
    Chest* GetChest(int i) const; // null where the gem was taken on an earlier visit
    Spider* GetSpider(int i) const;
    Path const* GetTargetPath(int i) const;
    Tower_MapMove* GetDriver() const;
    Tower_CanDo* GetCanDo() const;

    int GetCameraZone() const { return cameraZone; }
    int GetZoneSteps() const { return zoneSteps; }
    int GetOverviewSteps() const { return overviewSteps; }

private:
    struct Parts;

    void BuildSwitchesAndZones();
    void BuildHazards();
    void BuildTargets();
    void BuildDoors();
    void BuildPickUps();
    void BuildCreatures();
    // Applies the first camera zone that holds the player's position p and scale s.
    void FindCameraZone(Pointf p, double s);

    Parts* parts = nullptr;                   // on the build list: every object the tower placed
    int cameraZone = -1;                      // the camera zone of the last step; 0 the whole tower
    int zoneSteps = 0;                        // steps spent in that zone since entering it
    int overviewSteps = Tower_OverviewBudget; // left for the overview spot; never refilled
};
