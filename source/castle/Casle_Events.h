// Casle_Events: the castle owner's conversations, with the entrance fee and the opening of his dungeon.
#pragma once

#include "castle/Casle_Ids.h"
#include "engine/LevelEvents.h"
#include "util/Tick.h"

class Casle_Dude;
class Map;
class Player;

// The owner's conversations.
using Casle_Conversations = int;
constexpr Casle_Conversations Casle_Talk_Introduction = 0;
constexpr Casle_Conversations Casle_Talk_Paying = 1;
constexpr Casle_Conversations Casle_Talk_NotEnough = 2;
constexpr Casle_Conversations Casle_Talk_AfterPaying = 3;
constexpr Casle_Conversations Casle_Talk_AfterSocks = 4;
constexpr int Casle_Conversation_Count = 5;

// The progress record's events the owner reads and stamps.
constexpr int Casle_Event_FeePaid = 32;
constexpr int Casle_Event_Introduced = 33;

constexpr int Casle_EntranceFee = 7;            // gems

// The owner's conversation is chosen at its first tick from the progress record as it stands at
// that level time: the introduction until it was heard, which runs straight on into the fee;
// then paying with seven gems or more, else a refusal; then greetings after paying and after the
// socks. The stamps are level ticks, so a travel back before one makes him choose as before it.
class Casle_Events final : public LevelEvents
{
public:
    Casle_Events(GameEvents* events, Message* messages);

    int Chatting(int talker, int chatTick, Event_ChatInfo* info, Tick t) override;
    int ChatLength(int talker, Tick t) override;

    static int ChatLength(Casle_Conversations conversation);
    Casle_Conversations FindTalkId(int talker, Tick t) const;

    Player* player = nullptr;
    Map* map = nullptr;
    Casle_Dude* dude = nullptr;
    Casle_Conversations talkId = Casle_Talk_Introduction; // chosen at tick 0 of the current conversation

private:
    void PayFee(Tick t);
};
