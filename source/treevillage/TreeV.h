// TreeV: the tree village, the hub where the game begins, and its closing sequence with the credits.
#pragma once

#include "puzzles/World_Base.h"
#include "treevillage/TreeV_Ids.h"
#include "util/Pointf.h"

#include <vector>

class Chest;
class Dude;
class MapBase;
class PickUp;
class Sign;
class Slidey_Puzzle;
class Sprinkler;
class TreeV_DoorSwitch;
class TreeV_Dude;
class TreeV_Events;
class TreeV_MainLift;
class TreeV_MarketSign;
class TreeV_Marbles;
class TreeV_Patient;
class TreeV_RangeTarget;

constexpr int TreeV_DudeSlots = 28;
constexpr int TreeV_RangeTargets = 8;
constexpr int TreeV_Chest_Count = 1;
constexpr int TreeV_PickUp_Count = 2;

constexpr Tick ShootRange_ClockStart = 40;
constexpr Tick ShootRange_ClockHang = 100;
constexpr Tick ShootRange_ClockEnd = 200;
constexpr int Ending_StartCredits = 1500;
constexpr int Ending_CreditTime = 400;
constexpr int Ending_CreditOn = 300;
constexpr int Ending_LastMove = 5800; // the closing credit settles and stays

// The village is built from "treevillage/map" and "treevillage/bgmap". Its step adds to the
// level's: first-visit hints, the range's bookkeeping, Marbles' game and the patient's puzzle
// (the player held meanwhile), the example grid puzzle (alone, the clock standing), the
// sliding puzzle (nothing else while the player works it), nine camera zones and two exits.
// Built with ending set, it opens zoomed on the elder and the returning hero and runs the
// credits; the player never takes the game keys there.
class TreeV final : public World_Base
{
public:
    // Throws Error_OpenFile naming the map or background map that can't be opened; an error
    // part-way frees whatever was built and finalises each kind initialised.
    TreeV(GameEvents* events, bool ending);
    ~TreeV() override;

    using Level::Plot;
    void Plot() override;
    // The backdrop: copies of the background map's tile under parallax, covering the screen.
    void PlotBackground();
    Level_Action Poll(KeyData keys) override;

    bool NearTankLeak() const;

    // The camera zone (1 to 9) holding p, or 0; bounds are strict.
    static int CameraZone(Pointf p);
    static bool InsideTankLeak(Pointf p);
    // The exit that p earns, or Level_Continue.
    static Level_Action ExitAt(Pointf p, int dead);
    // The credit shown at endingTick (from Ending_StartCredits on).
    static void Credit(int endingTick, char const** heading, char const** second);
    // The credit's position after the ending's step endingTick.
    static void MoveCredit(int endingTick, Pointf& pos);

    MapBase* GetBgMap() const { return bgMap; }
    TreeV_Events* GetEvents() const { return events; }
    TreeV_Dude* GetDude(int i) const { return dudes[i]; }
    Dude* GetDoorDude() const { return doorDude; }
    TreeV_DoorSwitch* GetDoor(int i) const { return doorSwitches[i]; }
    TreeV_MainLift* GetMainLift() const { return mainLift; }
    TreeV_RangeTarget* GetRangeTarget(int i) const { return rangeTargets[i]; }
    TreeV_Marbles* GetMarbles() const { return marbles; }
    TreeV_Patient* GetPatient() const { return patient; }
    Sprinkler* GetSprinkler() const { return sprinkler; }
    TreeV_MarketSign* GetMarketSign() const { return marketSign; }
    Slidey_Puzzle* GetSlideyPuzzle() const { return slideyPuzzle; }
    Chest* GetChest() const { return chests[0]; }
    PickUp* GetGem(int i) const { return gems[i]; }
    Sign* GetSign(int i) const { return signs[i]; }
    bool IsEnding() const { return ending; }
    int GetEndingTick() const { return endingTick; }
    Pointf GetCreditPos() const { return creditPos; }

private:
    void Build();
    void PlotShootTimer();
    void PollEnding();
    void PlotEnding();

    // All of these are on the level's build list; the sprinkler through its field, which the
    // lift man's conversation may clear.
    MapBase* bgMap = nullptr;
    TreeV_Events* events = nullptr;
    TreeV_RangeTarget* rangeTargets[TreeV_RangeTargets] = {};
    TreeV_Marbles* marbles = nullptr;
    TreeV_Patient* patient = nullptr;
    TreeV_Dude* dudes[TreeV_DudeSlots] = {};
    Dude* doorDude = nullptr;
    TreeV_DoorSwitch* doorSwitches[TreeV_Door_Count] = {};
    Sprinkler* sprinkler = nullptr;
    TreeV_MarketSign* marketSign = nullptr;
    TreeV_MainLift* mainLift = nullptr;
    Slidey_Puzzle* slideyPuzzle = nullptr;
    Chest* chests[TreeV_Chest_Count] = {};
    PickUp* gems[TreeV_PickUp_Count] = {};
    Sign* signs[TreeV_Sign_Count] = {};
    bool ending;
    std::int32_t endingTick = 0;
    Pointf creditPos;
    std::vector<Pointf> bgCopies; // where each copy of the backdrop's tile goes, kept between frames
};
