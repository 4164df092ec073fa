// The interface of a world's conversation scripts.
#pragma once

#include "util/Tick.h"

class GameEvents;
class Message;
struct Event_ChatInfo;

// Each world implements the lines of its villagers here: step by step it tells
// what the hero and the villager say and when the conversation ends.
class LevelEvents
{
public:
    LevelEvents(GameEvents* events, Message* messages) : gameEvents(events), message(messages) {}
    virtual ~LevelEvents() = default;

    LevelEvents(LevelEvents const&) = delete;
    LevelEvents& operator=(LevelEvents const&) = delete;

    // Fills info for step tick (0, 1, 2, ...) of conversation talker, at level tick t.
    virtual int Chatting(int talker, int tick, Event_ChatInfo* info, Tick t) = 0;
    // How many steps conversation talker would last when started at t.
    virtual int ChatLength(int talker, Tick t) = 0;

protected:
    GameEvents* gameEvents;
    Message* message;
};
