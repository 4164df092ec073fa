// Casle: the castle world, the owner's hall and the dungeon of time-travel puzzle rooms behind it.
#pragma once

#include "castle/Casle_Ids.h"
#include "engine/GameEvents.h"
#include "puzzles/World_Base.h"
#include "util/Pointf.h"

class Casle_CanDo;
class Casle_Dude;
class Casle_Events;
class Casle_Eye;
class Casle_Laser;
class Casle_Laser_Target;
class Casle_Lights;
class Casle_Machine_Switch;
class Casle_MapMove;
class Casle_MultiHit;
class Casle_Podiums;
class Casle_Swivel;
class Casle_Symbols;
class Chest;
class Collectable;
class Door;
class Image;
class Lift;
class PickUp;
class PushOver;
class Switch;

constexpr int Casle_GemRow = 5; // of the saved level flags
constexpr int Casle_ChestPuzzle1 = 9;
constexpr int Casle_ChestPuzzle2 = 10;

// Whether p lies in the area x0 <= x < x1, y0 <= y < y1, a coordinate within the tolerance of a
// bound counting as on it: the test of the rooms and of the hint panel's areas.
bool Casle_InArea(Pointf p, double x0, double x1, double y0, double y1);

// The owner asks seven gems to let the player through the gate of his hall; behind it lie 38
// rooms of switches, doors, lifts, lasers and mirrors, watching eyes, lamps, crystal podiums, a
// symbol lock, a cog machine, a swivel and blocks that rise when hit, and at the far end the
// socks. Each step finds the room the player stands in, frames it with the camera, counts how long
// he has stayed and gives a hint once when he seems stuck; the level ends at the far exit, or
// back out of the entrance. Every object is placed at the map's reference points or made of its
// groups.
class Casle final : public World_Base
{
public:
    explicit Casle(GameEvents* events);
    ~Casle() override;

    void Plot() override;
    Level_Action Poll(KeyData keys) override;

    // The room whose rectangle holds p, tested in table order; -1 in none. The top zone is none.
    static int FindRoom(Pointf p);

    // For tests: the objects by their number in the castle's tables, counted from 0.
    Casle_Events* GetEvents() const { return events; }
    Casle_MapMove* GetDriver() const { return driver; }
    Switch* GetSwitch(int i) const { return switches[i]; }
    Door* GetDoor(int i) const { return doors[i]; }
    Lift* GetLift(int i) const { return lifts[i]; }
    Casle_Machine_Switch* GetMachine() const { return machineSwitch; }
    PushOver* GetPushOver(int i) const { return pushOvers[i]; }
    Collectable* GetCastleObject(int i) const { return castleObjects[i]; }
    Casle_Lights* GetLights(int i) const { return lights[i]; }
    Casle_Laser* GetLaser(int i) const { return lasers[i]; }
    Casle_Laser_Target* GetLaserTarget(int i) const { return laserTargets[i]; }
    Casle_Eye* GetEye(int i) const { return eyes[i]; }
    Casle_Podiums* GetPodiums(int i) const { return podiums[i]; }
    Casle_Symbols* GetSymbols() const { return symbols; }
    Casle_MultiHit* GetMultiHit(int i) const { return multiHits[i]; }
    Casle_Swivel* GetSwivel() const { return swivel; }
    Casle_Dude* GetDude() const { return dude; }
    PickUp* GetPickUp(int i) const { return pickUps[i]; } // gem 1, gem 2, the socks (null once found)
    Chest* GetChest(int i) const { return chests[i]; }    // null where its gem was taken before
    Casle_CanDo* GetCanDo() const { return hints; }
    int GetCurRoom() const { return curRoom; }
    int GetRoomFrames() const { return roomFrames; }
    bool VisitedRoom28() const { return visitedRoom28; }
    bool VisitedRoom31() const { return visitedRoom31; }
    bool SocksMessageShown() const { return socksMessageShown; }

private:
    void Build();
    void BuildMechanisms();
    void BuildLasersAndEyes();
    void BuildDoors();
    // Frees the objects in the order the castle has always freed them; the build list then runs
    // the finalisers and frees the rest.
    void FreeObjects();

    void RoomHint(int room, Tick t);
    void MirrorHint();
    void SetCamera(int room);
    // Door 1 stands open at every tick once the fee has been paid at any tick: the gate's record
    // says so from the first payment on.
    void HoldGateIfPaid();

    // All of these are on the level's build list, and freed by FreeObjects first.
    Casle_Events* events = nullptr;
    Casle_MapMove* driver = nullptr; // the level's mapMove
    Casle_CanDo* hints = nullptr;    // the level's canDo
    Switch* switches[Casle_Switch_Count] = {};
    Door* doors[Casle_Door_Count] = {};
    Lift* lifts[Casle_Lift_Count] = {};
    Casle_Machine_Switch* machineSwitch = nullptr;
    PushOver* pushOvers[Casle_PushOver_Count] = {};
    Collectable* castleObjects[Casle_Object_Count] = {};
    Image* objectImages[Casle_Object_Image_Count] = {};
    Casle_Lights* lights[Casle_Lights_Count] = {};
    Casle_Laser* lasers[Casle_Lasers_Count] = {};
    Casle_Laser_Target* laserTargets[Casle_Laser_Targets_Count] = {};
    Casle_Eye* eyes[Casle_Eyes_Count] = {};
    Casle_Podiums* podiums[Casle_Podiums_Count] = {};
    Casle_Symbols* symbols = nullptr;
    Casle_MultiHit* multiHits[Casle_MultiHits_Count] = {};
    Casle_Swivel* swivel = nullptr;
    Casle_Dude* dude = nullptr;
    PickUp* pickUps[Casle_PickUp_Count] = {};
    Chest* chests[Casle_Chest_Count] = {};

    // The step rules' counters and latches: real steps, untouched by time travel.
    int curRoom = -1;   // the room the player was last found in; -1 before the first
    int roomFrames = 0; // steps spent in curRoom since the step it was entered
    bool visitedRoom28 = false;
    bool visitedRoom31 = false;
    bool socksMessageShown = false; // or not to be shown: the socks were found before
    // Door 1's own record: the fee event as happened in an earlier level once it has been stamped
    // at all, so that a travel back to before the payment finds the gate standing open.
    GameEvents gateRecord;
};
