// The player's saved progress: when each story event happened, the gems taken in each world and the gems held.
#pragma once

#include "util/Tick.h"

#include <cstdint>
#include <string>

// A story event number, 0 to Event_Count - 1.
using GameEvent = int;

constexpr int Event_Count = 42;

// The story events the code names; each world adds its own as it lands.
enum GameEvent_Story : GameEvent
{
    Event_Hint = 0,       // the hint panel is shown from here on
    Event_DoubleJump = 3, // the player may jump a second time in the air
    Event_TimeTravel = 4, // time travel has been learnt
    Event_Socks = 5,      // the socks were found: from then on the player cannot die
};
constexpr Tick GameEvent_HasntHappened = -1;
constexpr Tick GameEvent_HasHappened = -2; // happened in an earlier, finished level

constexpr int GameEvents_LevelRows = 10; // row = Level_Type - 1
constexpr int GameEvents_GemSlots = 5;
constexpr int GameEvents_FileSize = Event_Count * 4 + GameEvents_LevelRows * GameEvents_GemSlots + 4;
// Every gem of every level: no record can hold more, and the displays never draw more.
constexpr int GameEvents_MaxGems = GameEvents_LevelRows * GameEvents_GemSlots;

class GameEvents final
{
public:
    GameEvents();
    // Reads a save slot. A slot that cannot be opened throws Error_OpenFile. One of the wrong size
    // reads as a new record and out-of-range values are brought back to their "nothing yet" value;
    // either way the record is marked as damaged.
    explicit GameEvents(char const* path);

    void New();
    bool IsNew() const;
    void Copy(GameEvents const* other);
    // Replaces the slot only once the whole record is safely on disk; on any failure the old
    // slot stays as it was and Error_OpenFile is thrown. When what stands at the scratch name the
    // record is written under cannot be removed (a folder), inTheWay, if given, gets that name.
    void Save(char const* path, std::string* inTheWay = nullptr) const;

    // Makes every stamp of the level being played permanent.
    void LevelComplete();

    bool Happened(GameEvent e, Tick t) const;
    bool NotHappened(GameEvent e, Tick t) const;
    Tick& operator[](int i);
    Tick operator[](int i) const;

    int GetHeartCount() const;
    int GetSwordStrength() const;

    Tick eventTimes[Event_Count] = {};
    std::uint8_t levelFlags[GameEvents_LevelRows][GameEvents_GemSlots] = {}; // 1 once that gem is taken
    std::int32_t gems = 0;                                                   // gems the player holds
    bool damaged = false; // read from a slot that was not a well-formed record; never saved
};

// The one progress record, made by the shell for the whole run.
extern GameEvents* gameEvents;
// Set during a step to have the shell save the progress at the end of it.
extern bool saveGame;
