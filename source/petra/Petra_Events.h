// Petra_Events: the riddle-giver's house's conversation scripts and the visit's puzzle progress.
#pragma once

#include "engine/GameEvents.h"
#include "engine/LevelEvents.h"
#include "util/Pointf.h"
#include "util/Tick.h"

class Map;
class Petra_Petra;
class Player;

// The riddle-giver's puzzle introductions, spoken over the puzzle room.
enum Petra_Chat_Id : int
{
    Petra_Chat_None = 0,
    Petra_Chat_Scales = 1,
    Petra_Chat_Motel = 2,
    Petra_Chat_Staff = 3,
};

// The three puzzles, by their place in the level's flag row and in solvedTime.
enum Petra_Event : int
{
    Petra_Event_Scales = 0,
    Petra_Event_Motel = 1,
    Petra_Event_Staff = 2,
};
constexpr int Petra_Event_Count = 3;

// A conversation, 0 to Petra_Conversation_Count - 1: the riddle-giver's 0 to 12, then one clue per guest.
using Petra_Conversations = int;
constexpr int Petra_Conversation_Count = 21;
constexpr Petra_Conversations Petra_Conversation_FirstGuest = 13;

// The motel guests' talk ids are their numbers; the riddle-giver's is this.
using Petra_Dude_Id = int;
constexpr int Petra_Dude_Count = 8;
constexpr int Petra_Petra_TalkId = 100;

// The level's row of the progress record's flag table, and the story event of the first meeting.
constexpr int Petra_LevelRow = 4;
constexpr GameEvent Event_MetPetra = 31;

// Where a visit stands: the riddle-giver offers the puzzles never solved before in a fixed order,
// each introduced, played and judged once per visit.
enum Petra_PuzzleState : int
{
    Petra_State_Start = 0,
    Petra_State_ScalesNext = 1,
    Petra_State_Scales = 2,
    Petra_State_MotelNext = 3,
    Petra_State_Motel = 4,
    Petra_State_StaffNext = 5,
    Petra_State_Staff = 6,
    Petra_State_Done = 7,
};

// The riddle-giver greets, introduces each puzzle and sends the hero into it, then judges it when
// the world brings the hero back, giving a gem for a puzzle solved for the first time ever. Each
// conversation that leads on to another starts it at once, so a visit's talk runs as one chain.
// The guests each say one clue. The level runs without time travel, so the progress is kept as
// plain state of the visit; what must outlast it goes into the progress record.
class Petra_Events final : public LevelEvents
{
public:
    Petra_Events(GameEvents* events, Message* messages);

    int Chatting(int talker, int chatTick, Event_ChatInfo* info, Tick t) override;
    int ChatLength(int talker, Tick t) override;
    static int ChatLength(Petra_Conversations conversation);
    Petra_Conversations FindTalkId(int talker, Tick t) const;
    // Moves puzzleState on to the next puzzle never solved before.
    void FindNextPuzzle();
    bool Happened(Petra_Event e, Tick t) const;

    Tick solvedTime[Petra_Event_Count];  // the world's verdicts: GameEvent_HasHappened when solved
    Map* map = nullptr;                  // set by the world
    Player* player = nullptr;            // set by the world
    Petra_Petra* riddleGiver = nullptr;  // set by the world
    int puzzleState = Petra_State_Start; // Petra_PuzzleState
    Petra_Conversations talkId = 0;      // chosen at the first step of the conversation running

private:
    void Effects(int chatTick, Event_ChatInfo* info);
    // Sends the hero into a puzzle room while the riddle-giver introduces the puzzle.
    void PuzzleStart(Petra_Chat_Id id, unsigned int refPoint, Pointf camera, double zoom, int newState);
    // Gives the gem of a puzzle, once ever.
    void Award(Petra_Event e);
    bool Solved(Petra_Event e) const;
    void ChatAgain();
};
