// What the action key does, carrying and pick-ups, hanging, and the player's side of a conversation.
#include "engine/Axes.h"
#include "engine/CharStats.h"
#include "engine/Chest.h"
#include "engine/Collectable.h"
#include "engine/Dude.h"
#include "engine/Event_ChatInfo.h"
#include "engine/GameEvents.h"
#include "engine/HangOn.h"
#include "engine/LevelEvents.h"
#include "engine/Map.h"
#include "engine/ObjectList.h"
#include "engine/PickUp.h"
#include "engine/Player.h"
#include "engine/SpeechBubble.h"
#include "engine/Target.h"
#include "util/Util.h"

#include <cassert>
#include <cmath>

namespace
{

char const* const Refusal_Lines[] = {
    "They can't talk, they are already talking to a past version of me.",
    "They can't talk, they are about to talk to a past version of me.",
    "They can't talk, they seem busy.",
};

} // namespace

void Player::ClearTargets()
{
    delete targets;
    targets = nullptr;
}

void Player::MoveAttack(Tick t)
{
    if ((keys & Character_Aim) != 0)
    {
        ClearTargets();
        Target* nearest = nullptr;
        targets = objects->GetVisibleTargets(map, t, this, &nearest, scale);
        if (targets != nullptr && !targets->IsIn(target))
            target = nearest;
    }
    else if ((keys & Character_Fire) != 0)
    {
        Fire(map, t);
        ClearTargets();
    }
    else
    {
        ClearTargets();
    }
    if (targets == nullptr)
        return;
    int const count = targets->Count();
    int const at = targets->GetPos(target);
    if ((keys & Character_NextTarget) != 0)
        target = (*targets)[at < 0 ? 0 : (at + 1) % count];
    if ((keys & Character_PrevTarget) != 0)
        target = (*targets)[at <= 0 ? count - 1 : at - 1];
}

void Player::Fire(Map const* onMap, Tick t)
{
    if (chatMode != 0)
    {
        SkipChat(t);
        return;
    }
    if (Chest* chest = objects->FindChest(t, &pos))
    {
        openingChest = chest;
        return;
    }
    if (char const* text = objects->FindSign(t, &pos))
    {
        Think(text);
        return;
    }
    if (held != nullptr)
    {
        if (colourGroups)
        {
            unsigned int groups[2] = {0, 0};
            GetSafeGroups(groups[0], groups[1]);
            Pointf const feet = GetRelativePos(0, 0);
            Pointf const middle = GetRelativePos(0, 0.5);
            // An item that lets the player through a wall cannot be left inside it.
            for (unsigned int group : groups)
            {
                unsigned int poly = 0;
                if (onMap->CheckPoint(&feet, poly, false, group) || onMap->CheckPoint(&middle, poly, false, group))
                    return;
            }
        }
        double const rotation = held->GetRotationAtTime(t - 1);
        held->SetPosAtTime(t, GetRelativePos(0, 1.0), Vectorf(speed, 0.0), rotation, true);
        held->SetPlayerHolding(false);
        held = nullptr;
        return;
    }
    if (Collectable* item = objects->FindCollectable(t, &pos))
    {
        held = item;
        return;
    }
    unsigned int destination = 0;
    if (std::fabs(fallSpeed) < Util::Eps && objects->FindTeleport(onMap, this, destination))
    {
        teleporting = true;
        teleportTo = destination;
        return;
    }
    Dude* dude = nullptr;
    if (objects->Interact(this, &dude))
    {
        assert(levelEvents != nullptr && "levelEvents != NULL");
        int talker = 0;
        dude->Chat(talker);
        int const verdict = dude->CheckChat(levelEvents->ChatLength(talker, t), t);
        if (verdict == 0)
        {
            StartChat(dude);
        }
        else
        {
            chatMode = 2;
            chatTick = 0;
            chatRefusal = verdict - 1;
        }
        return;
    }
    if (targets != nullptr && target != nullptr)
    {
        Pointf const from = GetRelativePos(0, 0.5);
        int const strength = gameEvents->GetSwordStrength();
        Play(Sound_Throw);
        GiveEnergy(axes->ThrowAxe(onMap, t, &from, target, strength, scale));
    }
}

void Player::GetSafeGroups(unsigned int& a, unsigned int& b) const
{
    a = b = White_Group;
    if (held == nullptr)
        return;
    struct Pair
    {
        std::uint32_t bits;
        unsigned int first;
        unsigned int second;
    };
    static constexpr Pair pairs[] = {
        {Collectable_Red | Collectable_Blue, Red_Group, Blue_Group},
        {Collectable_Red | Collectable_Green, Red_Group, Green_Group},
        {Collectable_Red | Collectable_Yellow, Red_Group, Yellow_Group},
        {Collectable_Blue | Collectable_Green, Blue_Group, Green_Group},
        {Collectable_Blue | Collectable_Yellow, Blue_Group, Yellow_Group},
        {Collectable_Green | Collectable_Yellow, Green_Group, Yellow_Group},
    };
    std::uint32_t const info = held->GetInfo();
    for (Pair const& pair : pairs)
    {
        if ((info & pair.bits) == pair.bits)
        {
            a = pair.first;
            b = pair.second;
        }
    }
}

void Player::PickItUp(Tick t, PickUp* pickUp)
{
    switch (pickUp->GetType())
    {
    case 0: // a heart, only when one is missing
        if (hitPoints >= stats->hearts)
            return;
        hitPoints++;
        pickUp->Collect(t);
        Play(Sound_Pickup);
        break;
    case 1: // a gem, only while alive
        if (IsPlayerDead() != 0)
            return;
        pickUp->Collect(t);
        gameEvents->levelFlags[pickUp->level][pickUp->slot] = 1;
        gameEvents->gems++;
        Play(Sound_Pickup);
        saveGame = true;
        break;
    default: // the socks
        pickUp->Collect(t);
        Play(Sound_Pickup);
        (*gameEvents)[Event_Socks] = t;
        break;
    }
}

void Player::MoveHolding(Tick t)
{
    Pointf to = hangOn->hangPos;
    bool const blocked = map->TryMove(&pos, &to, nullptr, nullptr);
    pos = to;
    angle = 0;
    if (blocked)
    {
        hangOn = nullptr;
        return;
    }
    if ((keys & Character_Left) != 0)
        frame |= LeftFrame;
    if ((keys & Character_Right) != 0)
        frame &= ~LeftFrame;
    if ((keys & Character_Jump) == 0)
    {
        if (held != nullptr && (held->GetInfo() & Collectable_Fan) != 0 && (hangOn->GetInfo(t) & 1) != 0)
            hangOn->PlayerHangingWithFan(t);
        else
            hangOn->PlayerHanging(t);
        return;
    }
    jumpAngle = 0;
    jumpSpeed = stats->jumpSpeed;
    hangOn->PlayerJumped(t);
    Play(Sound_Jump);
    lastHangOn = hangOn;
    hangDelay = Player_HangAgainDelay;
    hangOn = nullptr;
}

void Player::InfluenceObjects(Tick time, ObjectList* list)
{
    list->Influence(time / 256, &pos);
}

Chest* Player::OpeningChest()
{
    Chest* chest = openingChest;
    openingChest = nullptr;
    return chest;
}

void Player::StartChat(Dude* dude)
{
    chatMode = 1;
    chatDude = dude;
    chatTick = 0;
}

void Player::Think(char const* text)
{
    chatMode = 2;
    chatRefusal = 3;
    chatTick = 0;
    thought = text;
}

void Player::Chatting(int tick, Event_ChatInfo* info) const
{
    if (tick == 0)
        info->heroText = chatRefusal < 3 ? Refusal_Lines[chatRefusal] : thought.c_str();
    if (tick == ChatLen)
        info->flags |= Chat_End;
}

bool Player::CheckChatting(Tick t)
{
    Event_ChatInfo info;
    bool changed = false;
    int type = 0;
    if (chatMode == 1)
    {
        int const step = chatTick++;
        assert(levelEvents != nullptr && "levelEvents != NULL");
        int talker = 0;
        chatDude->Chat(talker);
        levelEvents->Chatting(talker, step, &info, t);
        type = (info.flags & Chat_HeroThinks) != 0 ? 1 : 0;
        if (!CanChatTo(chatDude, Character_ChatType(1), nullptr))
        {
            info = Event_ChatInfo();
            info.flags = Chat_End;
            changed = true;
        }
    }
    else if (chatMode == 2)
    {
        Chatting(chatTick, &info);
        chatTick++;
        type = 1;
    }
    else
    {
        return false;
    }

    if (bubble != nullptr)
    {
        int const state = bubble->Poll();
        if ((state & 1) != 0 || (info.flags & Chat_CloseHero) != 0)
        {
            delete bubble;
            bubble = nullptr;
        }
        if ((state & 2) != 0)
            changed = true;
    }
    if (info.heroText != nullptr)
    {
        changed = true;
        if (bubble != nullptr && bubble->GetType() != type)
        {
            delete bubble;
            bubble = nullptr;
        }
        if (bubble != nullptr)
            bubble->NewText(info.heroText, -1, info.showTime);
        else
            bubble = new SpeechBubble(info.heroText, -1, info.showTime, Bubble_Type(type));
    }
    if (chatMode == 1)
    {
        if (info.otherText != nullptr)
            changed = true;
        bool const dudeOnRight = chatDude->TalkTo(&pos, &info, t, changed);
        if (bubble != nullptr)
            bubble->flip = dudeOnRight ? 1 : 0;
    }
    if ((info.flags & Chat_End) != 0)
    {
        changed = true;
        delete bubble;
        bubble = nullptr;
        chatDude = nullptr;
        chatMode = 0;
    }
    return changed;
}

int Player::SkipChat(Tick t)
{
    if (chatMode == 0)
        return 0;
    // A script that never reports a change would hold the step for ever: give up and end the conversation.
    for (int calls = 1; calls <= Player_SkipLimit; calls++)
    {
        if (CheckChatting(t))
            return calls;
    }
    EndChat();
    return Player_SkipLimit;
}

void Player::EndChat()
{
    if (chatMode == 1 && chatDude != nullptr)
    {
        Event_ChatInfo info;
        info.flags = Chat_End;
        bool changed = false;
        chatDude->TalkTo(&pos, &info, -1, changed);
    }
    delete bubble;
    bubble = nullptr;
    chatDude = nullptr;
    chatMode = 0;
}
