// Kilig: the old master's house, where the hero learns time travel, and the training dungeon below it.
#pragma once

#include "engine/GameEvents.h"
#include "killig/Kilig_Ids.h"
#include "puzzles/World_Base.h"
#include "util/Pointf.h"

class Chest;
class Collectable;
class Door;
class Image;
class Imp;
class Kilig_CanDo;
class Kilig_Dude;
class Kilig_Events;
class Kilig_MapMove;
class Kilig_Podium;
class Kilig_Swivel;
class KillZone;
class Lift;
class PickUp;
class SpikeBall;
class Spikes;
class Switch;
class WavyBlob;

constexpr int Kilig_Object_Image_Count = 6;
constexpr int Kilig_CameraRoom_Count = 19;

// The story's events this world reads and stamps.
constexpr GameEvent Kilig_Event_SwivelHint = 8;
constexpr GameEvent Kilig_Event_PickUpHint = 9;
constexpr GameEvent Kilig_Event_IntroSeen = 29;
constexpr GameEvent Kilig_Event_RoomHint = 30;

constexpr double Kilig_HouseLine = 6700.0; // the house lies above it
constexpr double Kilig_ExitX = 14340.0;    // the dungeon is left beyond it
constexpr int Kilig_IntroEnd = 12125;      // the conversation's tick at which the world is rebuilt
constexpr int Kilig_RoomHintSteps = 1500;  // steps in the first room before it explains travel

// The introduction's states, from the hero walking in to the end of the master's talk.
constexpr int Kilig_Intro_WalkingIn = 0;
constexpr int Kilig_Intro_Waiting = 1;
constexpr int Kilig_Intro_Talking = 2;
constexpr int Kilig_Intro_Last = 14;

// On a first visit the hero walks in to the master, who talks him through the artefact of time
// travel while the two walk through the house together; at the end the world asks to be built
// again, now as the dungeon. Once that has happened the hero starts in the dungeon's first room:
// nineteen rooms, each with a camera of its own, of switches, doors, lifts, swivels and podiums
// that need time travel, with creatures and four chests in galleries off the road. Leaving the
// last room to the right completes the world.
class Kilig final : public World_Base
{
public:
    // Throws Error_OpenFile naming a file that can't be opened, and Error_ParseFile naming the map
    // and a reference point or group it lacks; whatever was built by then is freed.
    explicit Kilig(GameEvents* events);

    void Plot() override;
    Level_Action Poll(KeyData keys) override;

    // The camera room holding p (lower bounds included, upper ones not), or -1.
    static int CameraRoom(Pointf p);

    Kilig_Events* GetEvents() const { return events; }
    Kilig_MapMove* GetDriver() const { return driver; }
    Kilig_CanDo* GetCanDo() const { return panel; }
    Kilig_Dude* GetMaster() const { return master; }
    Image* GetBallImage(int i) const { return objectImages[i]; }
    Collectable* GetBall(int i) const { return balls[i]; }
    Switch* GetSwitch(int i) const { return switches[i]; }
    KillZone* GetKillZone() const { return killZone[0]; }
    Imp* GetImp(int i) const { return imps[i]; }
    Spikes* GetSpikes(int i) const { return spikes[i]; }
    WavyBlob* GetWavyBlob(int i) const { return wavyBlobs[i]; }
    PickUp* GetGem(int i) const { return pickUps[i]; }
    Chest* GetChest(int i) const { return chests[i]; } // null where the gem was taken before
    SpikeBall* GetSpikeBall(int i) const { return spikeBalls[i]; }
    Kilig_Podium* GetPodium(int i) const { return podiums[i]; }
    Door* GetDoor(int i) const { return doors[i]; }
    Lift* GetLift(int i) const { return lifts[i]; }
    Kilig_Swivel* GetSwivel(int i) const { return swivels[i]; }
    int GetIntroState() const { return introState; }
    int GetIntroTick() const { return introTick; }
    int GetCameraRoom() const { return cameraRoom; }
    int GetRoomSteps() const { return roomSteps; }

private:
    void Build();
    void BuildCreatures();
    void BuildMachines();
    // Runs the introduction's ticks of this step; true when it has ended and the world must be
    // built again.
    bool Introduce(KeyData const& keys, Tick t, Pointf p);
    void Walk(bool walking);
    void Hints();
    void Camera(Pointf p);

    // All of these are on the level's build list.
    Kilig_Events* events = nullptr;
    Kilig_MapMove* driver = nullptr; // the level's mapMove
    Kilig_CanDo* panel = nullptr;    // the level's canDo
    int introState = Kilig_Intro_WalkingIn;
    int introTick = 0;
    double stopMarkX = 0.0; // beyond it the walking hero is stopped
    Image* objectImages[Kilig_Object_Image_Count] = {};
    Collectable* balls[Kilig_Object_Count] = {};
    Switch* switches[Kilig_Switch_Count] = {};
    KillZone* killZone[Kilig_KillZone_Count] = {};
    Imp* imps[Kilig_Imp_Count] = {};
    Spikes* spikes[Kilig_Spikes_Count] = {};
    WavyBlob* wavyBlobs[Kilig_WavyBlob_Count] = {};
    Kilig_Dude* master = nullptr;
    PickUp* pickUps[Kilig_PickUp_Count] = {};
    Chest* chests[Kilig_Chest_Count] = {};
    SpikeBall* spikeBalls[Kilig_SpikeBall_Count] = {};
    Kilig_Podium* podiums[Kilig_Podium_Count] = {};
    Door* doors[Kilig_Door_Count] = {};
    Lift* lifts[Kilig_Lift_Count] = {};
    Kilig_Swivel* swivels[Kilig_Swivel_Count] = {};
    int cameraRoom = -1; // the room the player was last found in
    int roomSteps = 0;   // steps spent in it without a break
};
