// TreeV_Events: the tree village's conversation scripts and the visit's event slots.
#pragma once

#include "engine/LevelEvents.h"
#include "util/Tick.h"

class Grid_Puzzle;
class Player;
class Sprinkler;
class TreeV_DoorSwitch;
class TreeV_MainLift;
class TreeV_MarketSign;

// The visit's own events, each a tick on the level clock.
enum TreeV_Event : int
{
    TreeV_Event_GateExplained = 0,
    TreeV_Event_RangeIntro = 1,
    TreeV_Event_RangeStarted = 2,
    TreeV_Event_RangeAllHit = 3,
    TreeV_Event_RangeResult = 4,
    TreeV_Event_LiftExplained = 5,
    TreeV_Event_MarblesLost = 6,
    TreeV_Event_MarblesWon = 7,
    TreeV_Event_PatientAsked = 8,
    TreeV_Event_PatientFailed = 9,
    TreeV_Event_PatientSolved = 10,
    TreeV_Event_Bandage = 11,
    TreeV_Event_SignDeal = 12,
    TreeV_Event_Oil = 13,
    TreeV_Event_SlideyGem = 14,
    TreeV_Event_HeartPrice = 15,
    TreeV_Event_AttackPrice = 16,
    TreeV_Event_Count = 17,
};

// A conversation, 0 to TreeV_Conversation_Count - 1.
using TreeV_Conversations = int;
constexpr int TreeV_Conversation_Count = 73;
constexpr int TreeV_DoorTalker = 29; // the voice behind a closed door

// One line of a conversation: who says it, and at which step.
struct TreeV_ChatLine
{
    TreeV_Conversations conversation;
    int chatTick;
    bool hero; // else the villager speaks
    char const* text;
};

// Which conversation a villager has depends on the progress record and on the slots at the
// tick asked, so travelling back within the visit un-says what the slots recorded, and a past
// self's booked conversation shows through to the present. Chosen lines change the world:
// they set slots and progress events, give rewards, open Marbles' door, mend the lift, start
// the two mini-games and open the example grid puzzle. Each effect belongs to one step of its
// conversation and fires on that step only, also when the player skips through.
class TreeV_Events final : public LevelEvents
{
public:
    TreeV_Events(GameEvents* events, Message* messages);
    ~TreeV_Events() override;

    int Chatting(int talker, int chatTick, Event_ChatInfo* info, Tick t) override;
    int ChatLength(int talker, Tick t) override;
    static int ChatLength(TreeV_Conversations conversation);
    TreeV_Conversations FindTalkId(int talker, Tick t) const;

    bool Happened(TreeV_Event e, Tick t) const;
    bool NotHappened(TreeV_Event e, Tick t) const;
    Tick GetSlot(TreeV_Event e) const;
    void SetSlot(TreeV_Event e, Tick t);
    // Steps from booking the range to the last target, or -1 while either is unset.
    Tick Shooting_CompleteTime() const;

    // The whole script, in conversation order; for checks of the data.
    static TreeV_ChatLine const* Lines(int* count);

    // The example grid puzzle while it is open; the world closes it by CloseGridPuzzle.
    Grid_Puzzle* GetGridPuzzle() const { return gridPuzzle; }
    void CloseGridPuzzle();

    Player* player = nullptr;
    TreeV_DoorSwitch* marblesDoor = nullptr;
    TreeV_MarketSign* marketSign = nullptr;
    TreeV_MainLift* mainLift = nullptr;
    // The world's sprinkler field while the lift is broken, else null; mending the lift deletes
    // the sprinkler and clears the field.
    Sprinkler** sprinklerSlot = nullptr;
    bool ending = false;
    bool marblesRunning = false;
    bool patientRunning = false;

private:
    void Effects(int chatTick, Event_ChatInfo* info, Tick t);
    void Display(char const* text) const;
    void OpenGridPuzzle();

    Tick slots[TreeV_Event_Count];
    Grid_Puzzle* gridPuzzle = nullptr; // owned while open
    TreeV_Conversations conversation = 0;
    char* lineBuffer = nullptr; // the formatted range result, owned
};
