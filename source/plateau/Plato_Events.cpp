// Plato_Events: the lines of each conversation and the effects that ride on them.
#include "plateau/Plato_Events.h"

#include "engine/Event_ChatInfo.h"
#include "engine/GameEvents.h"
#include "engine/Message.h"
#include "engine/Player.h"
#include "plateau/Plato_Aerial.h"

#include <cassert>

namespace
{

struct Plato_Line
{
    int tick;
    bool hero;
    char const* text;
};

// Every line, by conversation; each conversation ends 300 ticks after its last line.
constexpr Plato_Line Plato_Lines[] = {
    {0, true, "Hey there, do you live up here all on your own?"},
    {250, false, "Yes, I've had enough!  So long as I've got my TV then I'm fine."},
    {500, true, "You have a TV!  How does it work here without electricity?"},
    {750, false, "That's not important!"},
    {1000, false, "At the moment I can't watch anything because my aerial is broken."},
    {1250, false, "Is there any chance you could pop up and fix it for me?"},
    {1500, false, "If you manage it then I've got something which should help you"},
    {1750, false, "with crossing the plateau."},
    {2000, true, "Of course I'll try and fix it for you!"},
    // 1
    {0, false, "Let me know when you've fix the TV."},
    // 2
    {0, false, "Ah finally!  Thanks for that.  Here, you can have these jump"},
    {250, false, "boots.  They should let you jump higher than you can just now"},
    {500, false, "While you're in the air press jump again just as you start to"},
    {750, false, "fall.  The jump boots will propel you even higher!"},
    // 3
    {0, false, "Lovely day, isn't it?"},
    // 4
    {0, false, "Welcome to Camdo's mine!  We dig out valuable minerals and"},
    {250, false, "transport them back to the city via the tree houses in Ridaduvor."},
    {500, false, "Feel free to look around, but try not to touch anything."},
    // 5
    {0, false, "I'm glad we're working in this mine.  We used to work in another one"},
    {250, false, "but some strange creatures started living in it.  I saw a spider as"},
    {500, false, "big as my head one time and a friend of mine said a creature with"},
    {750, false, "spikes coming out of its shell charged at him."},
    // 6
    {0, false, "The mine carts you see going round collect the minerals we dig out"},
    {250, false, "and store them in the main hut.  Once we've got enough we'll make"},
    {500, false, "a trip back to the city with them."},
    {750, false, "...and no,... you can't have a ride in one of the carts!"},
    // 7
    {0, false, "You don't look too well!  Have you found getting here hard?"},
    {250, true, "I've got a few cuts and bruises but I should be fine."},
    {500, false, "Here, take this sandwich.  If you're going to continue across"},
    {750, false, "the plateau you're going to need all the energy you can get."},
    {1000, true, "Thank you very much, I feel better already."},
    // 8
    {0, false, "If you're going to continue past this mine then you'll come"},
    {250, false, "across a steep hill leading up to Camdo's point.  It's very steep"},
    {500, false, "so you probably won't be able to get past.  Instead, look for"},
    {750, false, "a disused mining shaft.  It leads to a network of tunnels that"},
    {1000, false, "should come out somewhere on the other side.  Be careful though,"},
    {1250, false, "that part of the mine hasn't been used for quite a long time"},
    {1500, false, "who knows what could be living in there now!"},
    // 9
    {0, false, "Are you heading towards old Dadodo's place?  You might find the"},
    {250, false, "way is blocked with some rocks just above us.  We've blocked that"},
    {500, false, "off because we were getting attacked by some weird looking things."},
    {750, false, "There's a mortar on the surface, you might be able to use that to"},
    {1000, false, "blow your way through.  We don't use it any more because it's too"},
    {1250, false, "dangerous.  It collapsed a whole tunnel full of people once!"},
};

// Where each conversation's lines begin in Plato_Lines; the last entry is the end of the table.
constexpr int Plato_FirstLine[Plato_Conversation_Count + 1] = {0, 9, 10, 14, 15, 18, 22, 26, 31, 38, 44};
static_assert(sizeof Plato_Lines / sizeof Plato_Lines[0] == 44);

constexpr int Plato_ChatLengths[Plato_Conversation_Count] = {2300, 300, 1050, 300, 800, 1050, 1050, 1300, 1800, 1550};

} // namespace

Plato_Events::Plato_Events(GameEvents* progress, Message* messages) : LevelEvents(progress, messages)
{
    for (Tick& e : events)
        e = GameEvent_HasntHappened;
}

bool Plato_Events::NotHappened(Plato_Event e, Tick t) const
{
    assert(e >= 0 && e < Plato_Event_Count && "event >= 0 && event < Plato_Event_Count");
    Tick const at = events[e];
    if (at == GameEvent_HasHappened)
        return false;
    return at == GameEvent_HasntHappened || at > t;
}

Plato_Conversations Plato_Events::FindTalkId(int talker, Tick t) const
{
    switch (talker)
    {
    case 0:
        return 4;
    case 1:
        return 5;
    case 2:
        return 6;
    case 3:
    {
        int hp = 0;
        int most = 0;
        player->GetHitPoints(&hp, &most);
        return hp >= most ? 8 : 7;
    }
    case 4:
        return 9;
    case Plato_Hermit_TalkId:
        if (gameEvents->Happened(Event_DoubleJump, t))
            return 3;
        if (NotHappened(Plato_Event_AskedAerial, t))
            return 0;
        return aerial->IsAerialTuned() ? 2 : 1;
    default:
        assert(false && "false");
        return 0;
    }
}

int Plato_Events::ChatLength(Plato_Conversations conversation)
{
    assert(conversation >= 0 && conversation < Plato_Conversation_Count && "false");
    return Plato_ChatLengths[conversation];
}

int Plato_Events::ChatLength(int talker, Tick t)
{
    return ChatLength(FindTalkId(talker, t));
}

int Plato_Events::Chatting(int talker, int chatTick, Event_ChatInfo* info, Tick t)
{
    if (chatTick == 0)
        current = FindTalkId(talker, t);
    if (chatTick == ChatLength(current))
        info->flags |= Chat_End;
    for (int i = Plato_FirstLine[current]; i < Plato_FirstLine[current + 1]; i++)
        if (Plato_Lines[i].tick == chatTick)
            (Plato_Lines[i].hero ? info->heroText : info->otherText) = Plato_Lines[i].text;

    if (current == 0 && chatTick == 1250)
        events[Plato_Event_AskedAerial] = t;
    else if (current == 2 && chatTick == 250)
    {
        message->Display("Received jump boots", 200);
        (*gameEvents)[Event_DoubleJump] = t;
        saveGame = true;
        player->CanDoubleJump();
    }
    else if (current == 7 && chatTick == 1000)
        player->GiveEnergy(128);
    return 0;
}
