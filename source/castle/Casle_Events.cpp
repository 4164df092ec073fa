// Casle_Events: the owner's lines, the choice of conversation and the fee.
#include "castle/Casle_Events.h"

#include "castle/Casle_Dude.h"
#include "engine/Event_ChatInfo.h"
#include "engine/GameEvents.h"
#include "engine/Map.h"
#include "engine/Player.h"

#include <cassert>

namespace
{

struct Casle_Line
{
    int tick;
    bool hero;
    char const* text;
};

constexpr Casle_Line Casle_Lines[] = {
    // The introduction and the price.
    {0, false, "A visitor, how splendid!  I suppose you've seen my brother?"},
    {250, true, "Yes, I got this thing which lets me travel through time."},
    {500, false, "Not another one!  I do wish he would be more careful sometimes."},
    {750, false, "I've heard about your exploits.  Killing a dragon eh?"},
    {1000, false, "You'll need to get past the goblin den in the black mountains first."},
    {1250, true, "I'm hoping being able to travel in time should make it a snap."},
    {1500, false, "The ogre guarding the way will be no match for you regardless."},
    {1750, false, "I've got something that might help you though."},
    {2000, false, "At the end of my dungeon through there are the socks of death."},
    {2250, true, "Socks of death?  Sorry, you did say socks of death?"},
    {2500, false, "That's right.  Don't worry, they're not as scary as they sound."},
    {2750, true, "I have to tell you, they really don't sound very scary."},
    {3000, false, "The socks of death allow the wearer to cheat death."},
    {3250, false, "I'm not sure if you've noticed but if you get hit by an enemy and"},
    {3500, false, "lose some health then you can actually get it back by travelling"},
    {3750, false, "back in time and killing the enemy before it harms you."},
    {4000, false, "If you are wearing the socks of death then you will never die."},
    {4250, false, "When your health is empty you can continue on your journey but"},
    {4500, false, "you will not be able to collect any gems or complete the level until"},
    {4750, false, "you have some health again.  If you go back in time and kill the"},
    {5000, false, "enemy that kills you before it has the chance then you will regain"},
    {5250, false, "the health you lost and return to life."},
    {5500, true, "Sounds good, do I have to complete your dungeon to get them?"},
    {5750, false, "That's correct, I'm not as much of a sap as Dadodo so before"},
    {6000, false, "I'll let you into my dungeon it'll cost you 7 gems."},
    // Paying the fee.
    {0, true, "It's been hard work to get these gems but you can have them."},
    {250, false, "Thank you, the entrance to the dungeon is just through there."},
    // Not enough gems.
    {0, false, "Do you have 7 gems for entrance to my dungeon?"},
    {250, true, "No, not yet.  I guess I'd better go and find some more."},
    // After paying.
    {0, false, "Good luck with the socks!"},
    // After the socks.
    {0, false, "I hope you find those socks useful!"},
};

// Where each conversation's lines begin in Casle_Lines; the last entry is the end of the table.
constexpr int Casle_FirstLine[Casle_Conversation_Count + 1] = {0, 25, 27, 29, 30, 31};
static_assert(sizeof Casle_Lines / sizeof Casle_Lines[0] == 31);

constexpr int Casle_ChatLengths[Casle_Conversation_Count] = {6300, 550, 550, 300, 300};

constexpr int Casle_IntroductionHandOver = 6250; // the introduction runs on into the fee here
constexpr int Casle_FeeTaken = 250;              // the owner takes the gems with his thanks

} // namespace

Casle_Events::Casle_Events(GameEvents* events, Message* messages) : LevelEvents(events, messages)
{
}

int Casle_Events::ChatLength(Casle_Conversations conversation)
{
    assert(conversation >= 0 && conversation < Casle_Conversation_Count && "false");
    return Casle_ChatLengths[conversation];
}

int Casle_Events::ChatLength(int talker, Tick t)
{
    return ChatLength(FindTalkId(talker, t));
}

Casle_Conversations Casle_Events::FindTalkId(int, Tick t) const
{
    if (gameEvents->NotHappened(Casle_Event_Introduced, t))
        return Casle_Talk_Introduction;
    if (gameEvents->Happened(Event_Socks, t))
        return Casle_Talk_AfterSocks;
    if (gameEvents->Happened(Casle_Event_FeePaid, t))
        return Casle_Talk_AfterPaying;
    if (gameEvents->gems >= Casle_EntranceFee)
        return Casle_Talk_Paying;
    return Casle_Talk_NotEnough;
}

int Casle_Events::Chatting(int talker, int chatTick, Event_ChatInfo* info, Tick t)
{
    if (chatTick == 0)
        talkId = FindTalkId(talker, t);
    if (chatTick == ChatLength(talkId))
        info->flags |= Chat_End;
    for (int i = Casle_FirstLine[talkId]; i < Casle_FirstLine[talkId + 1]; i++)
        if (Casle_Lines[i].tick == chatTick)
            (Casle_Lines[i].hero ? info->heroText : info->otherText) = Casle_Lines[i].text;

    if (talkId == Casle_Talk_Introduction && chatTick == Casle_IntroductionHandOver)
    {
        (*gameEvents)[Casle_Event_Introduced] = t;
        // The fee conversation starts at once, chosen afresh now that the introduction was heard.
        player->StartChat(dude);
    }
    else if (talkId == Casle_Talk_Paying && chatTick == Casle_FeeTaken)
    {
        PayFee(t);
    }
    return 0;
}

void Casle_Events::PayFee(Tick t)
{
    Tick& paid = (*gameEvents)[Casle_Event_FeePaid];
    // Paying again after a travel back before the fee was paid in this level only moves the
    // stamp earlier: the gems were taken the first time.
    bool const first = paid < 0;
    if (!first && t >= paid)
        return;
    paid = t;
    // Door 1 holds the gate open from the stamp on; it is raised now for the rest of this step,
    // which its driver has already placed.
    map->MoveGroup(Casle_EntranceGroup, 0.0, Casle_EntranceRise);
    if (first)
        gameEvents->gems -= Casle_EntranceFee;
}
