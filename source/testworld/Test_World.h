// Test_World: the engine's own small level, built from the generator's "testworld" data, for tests and the shell.
#pragma once

#include "puzzles/World_Base.h"

class CharStats;
class Chest;
class Collectable;
class Door;
class Hit_Target;
class Image;
class KillZone;
class Lift;
class PickUp;
class Switch;
class Test_Walker;

// Reference points of the test world's map.
enum Test_World_RefPoint : unsigned int
{
    Test_World_Start = 0,
    Test_World_Collectable = 1,
    Test_World_HitTarget = 2,
    Test_World_BlockTarget = 3,
    Test_World_Gem = 4,
    Test_World_Chest = 5,
    Test_World_KillZoneA = 6,
    Test_World_KillZoneB = 7,
    Test_World_WalkerA = 8, // each walker: its start, then its left and right limits
    Test_World_WalkerB = 11,
    Test_World_WalkerC = 14,
};

// Map groups of the test world's map.
enum Test_World_Group : unsigned int
{
    Test_World_SwitchGroup = 1,
    Test_World_DoorGroup = 2,
    Test_World_LiftGroup = 3,
};

constexpr int Test_World_WalkerCount = 3;
constexpr int Test_World_ChestId = 1; // the grid puzzle that locks the chest

// A floor with a slope and walls; a plate that opens a door; a lift that runs while a target
// stands hit, until its block target is hit; a collectable and an item lying on the lift; a gem
// in the open and one in a chest; a kill zone; and three walkers, one of them pacing beside the
// lift. Building it marks time travel as learnt in the progress record. A gem taken on an
// earlier visit is not placed again, and the chest of a taken gem is not built (GetChest is
// then null).
class Test_World final : public World_Base
{
public:
    explicit Test_World(GameEvents* events);

    Level_Action Poll(KeyData keys) override;

    Switch* GetSwitch() const { return plate; }
    Door* GetDoor() const { return door; }
    Lift* GetLift() const { return lift; }
    Hit_Target* GetHitTarget() const { return hitTarget; }
    Hit_Target* GetBlockTarget() const { return blockTarget; }
    Collectable* GetCollectable() const { return collectable; }
    Collectable* GetLiftItem() const { return liftItem; }
    PickUp* GetGem() const { return gem; }
    PickUp* GetChestGem() const { return chestGem; }
    Chest* GetChest() const { return chest; }
    Test_Walker* GetWalker(int i) const { return walkers[i]; }

private:
    // All of these are on the level's build list.
    Image* itemImage = nullptr;
    CharStats* walkerStats = nullptr;
    Switch* plate = nullptr;
    Door* door = nullptr;
    Lift* lift = nullptr;
    Hit_Target* hitTarget = nullptr;
    Hit_Target* blockTarget = nullptr;
    Collectable* collectable = nullptr;
    Collectable* liftItem = nullptr; // falls onto the lift and rides it
    PickUp* gem = nullptr;
    PickUp* chestGem = nullptr;
    Chest* chest = nullptr;
    KillZone* killZone = nullptr;
    Test_Walker* walkers[Test_World_WalkerCount] = {};
};
