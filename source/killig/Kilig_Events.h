// Kilig_Events: the master's conversation, in which he questions the hero and hands over the artefact of time travel.
#pragma once

#include "engine/LevelEvents.h"
#include "util/Tick.h"

// The world's conversations; the master has the only one.
using Kilig_Conversations = int;
constexpr Kilig_Conversations Kilig_Conversation_Master = 0;

constexpr int Kilig_Master_TalkId = 0;
constexpr int Kilig_Master_ChatLength = 12300; // steps, to the end of the last line

// One long talk, the same whenever and however often it is held: the master's questions, the
// artefact, and how time travel behaves. It grants nothing itself: the world's step marks the
// artefact received at its own tick of the first conversation.
class Kilig_Events final : public LevelEvents
{
public:
    Kilig_Events(GameEvents* events, Message* messages);

    int Chatting(int talker, int chatTick, Event_ChatInfo* info, Tick t) override;
    int ChatLength(int talker, Tick t) override;

    Kilig_Conversations FindTalkId(int talker, Tick t) const;
    static int ChatLength(Kilig_Conversations conversation);

    Kilig_Conversations talkId = Kilig_Conversation_Master; // chosen at step 0 of the running talk
};
