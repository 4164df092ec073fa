// Plato_Events: the plateau's conversation scripts, with the hermit's request and his reward.
#pragma once

#include "engine/LevelEvents.h"
#include "util/Tick.h"

class Player;
class Plato_Aerial;

// The plateau's own story events, ticks of this level.
using Plato_Event = int;
constexpr Plato_Event Plato_Event_AskedAerial = 0; // the hermit has asked for the aerial to be fixed
constexpr int Plato_Event_Count = 1;

// The conversations, 0 to 9: the hermit's four and one per miner (miner 3 has two).
using Plato_Conversations = int;
constexpr int Plato_Conversation_Count = 10;

// The miners' talk ids are their numbers 0 to 4; the hermit's is this.
using Plato_Dude_Id = int;
constexpr int Plato_Dude_Count = 5;
constexpr int Plato_Hermit_TalkId = 100;

class Plato_Events final : public LevelEvents
{
public:
    Plato_Events(GameEvents* events, Message* messages);

    int Chatting(int talker, int chatTick, Event_ChatInfo* info, Tick t) override;
    int ChatLength(int talker, Tick t) override;

    // Which conversation talker holds when spoken to at t: the hermit's follows his request, the
    // aerial and the reward as they stand at t, so travel back brings his earlier answers back.
    Plato_Conversations FindTalkId(int talker, Tick t) const;
    static int ChatLength(Plato_Conversations conversation);
    bool NotHappened(Plato_Event e, Tick t) const;

    Tick events[Plato_Event_Count];
    Player* player = nullptr;       // set by the world
    Plato_Aerial* aerial = nullptr; // set by the world
    Plato_Conversations current = 0;
};
