// Petra_Events: the lines of each conversation, the puzzle order and the gems they give.
#include "petra/Petra_Events.h"

#include "engine/Event_ChatInfo.h"
#include "engine/Map.h"
#include "engine/Player.h"
#include "petra/Petra_Ids.h"
#include "petra/Petra_Petra.h"

#include <cassert>

namespace
{

struct Petra_Line
{
    Petra_Conversations conversation;
    int tick;
    bool hero; // else the riddle-giver or the guest speaks
    char const* text;
};

// Every fixed line, by conversation. The lines that depend on the puzzles solved are chosen in
// Effects.
constexpr Petra_Line Petra_Lines[] = {
    {0, 0, false, "A man works in a factory, there are five products which all weigh"},
    {0, 250, false, "one kilogram and each is produced by a different machine."},
    {0, 500, false, "However, the machine producing one of them has malfunctioned"},
    {0, 750, false, "and all the products it makes weigh two kilograms."},
    {1, 0, true, "....and the difference tells you which one is wrong!"},
    {1, 250, false, "Well done, that was very impressive.  Here's your gem."},
    {2, 0, false, "I don't think that's correct.  A reasonable attempt though"},
    {2, 250, false, "Maybe you'll fare better with the next puzzle."},
    {3, 0, false, "4 couples have all recently married and are staying in a motel."},
    {3, 250, false, "All the men proposed to their partners with different gifts."},
    {5, 0, false, "Looks like you're having problems.  Lets move on."},
    {6, 0, false, "This puzzle is from the entrance to the great tahom pyramid."},
    {6, 250, false, "There are 10 magical staffs there with many gold slots they fit into."},
    {7, 0, false, "Well done, I wonder how you would have fared at the real pyramid."},
    {7, 250, false, "I'm afraid all you'll get from me is a gem."},
    {7, 500, false, "Thanks for trying my puzzles."},
    {8, 0, false, "Never mind, you can always try again at some point."},
    {9, 0, false, "Well done, you've solved all my riddles."},
    {9, 250, false, "I hope you find a good use for all those gems."},
    {10, 0, false, "Come back if you want to try the puzzles again at some point."},
    {11, 0, false, "Hello there, I'm Petra."},
    {11, 250, true, "Pleased to meet you.  I'm on a quest to kill a dragon, have you got"},
    {11, 500, true, "anything that would help me out?"},
    {11, 750, false, "Hmmmmm,... killing a dragon.  That's a big task for one person."},
    {11, 1000, false, "I've got some gems, they're handy for all sorts of things."},
    {11, 1250, true, "That would be great.  Can I have some?"},
    {11, 1500, false, "I'm not just going to hand them out to anyone who wanders"},
    {11, 1750, false, "through the door.  I like to see people squirm a bit first. I'll give"},
    {11, 2000, false, "you three riddles, for each one you get right I'll give you a gem."},
    {11, 2250, false, "Don't worry if you can't get them all now, you can come back later."},
    {11, 2500, true, "OK, I'll give them a try.  What's the first one?"},
    {12, 0, true, "Hello again.  Can I have another stab at the puzzles please?"},
    {12, 250, false, "Why, certainly.  Of course you can."},
    {13, 0, false, "Hi, I'm Harnek.  I didn't propose with the quartz ring."},
    {14, 0, false, "Hi my name's Pellion and I married Imbra."},
    {15, 0, false, "I'm Gask.  I proposed with the pearl necklace."},
    {16, 0, false, "Hello, I'm Wendrel.  The girl I married isn't blonde."},
    {17, 0, false, "Hello, my name's Olvane."},
    {18, 0, false, "My name's Imbra.  I never got the ruby ring I really wanted."},
    {19, 0, false, "I'm Saffrin.  My husband got me a lovely present, but it wasn't a ring."},
    {20, 0, false, "Hi, I'm Yavenne.  My husband proposed with a silver dagger."},
};

constexpr int Petra_ChatLengths[Petra_Conversation_Count] = {1050, 800, 550, 550, 300, 300, 550, 550, 300, 550, 300,
                                                             2800, 800, 300, 300, 300, 300, 300, 300, 300, 300};

} // namespace

Petra_Events::Petra_Events(GameEvents* events, Message* messages) : LevelEvents(events, messages)
{
    for (Tick& solved : solvedTime)
        solved = GameEvent_HasntHappened;
}

bool Petra_Events::Happened(Petra_Event e, Tick t) const
{
    assert(e >= 0 && e < Petra_Event_Count && "event >= 0 && event < Petra_Event_Count");
    Tick const at = solvedTime[e];
    if (at == GameEvent_HasHappened)
        return true;
    if (at == GameEvent_HasntHappened)
        return false;
    return at <= t;
}

bool Petra_Events::Solved(Petra_Event e) const
{
    return gameEvents->levelFlags[Petra_LevelRow][e] != 0;
}

void Petra_Events::FindNextPuzzle()
{
    // Each step sees the state the one before left, so puzzles solved on earlier visits are
    // passed over one after the other.
    if (puzzleState == Petra_State_Start)
        puzzleState = Solved(Petra_Event_Scales) ? Petra_State_Scales : Petra_State_ScalesNext;
    if (puzzleState == Petra_State_Scales)
        puzzleState = Solved(Petra_Event_Motel) ? Petra_State_Motel : Petra_State_MotelNext;
    if (puzzleState == Petra_State_Motel)
        puzzleState = Solved(Petra_Event_Staff) ? Petra_State_Staff : Petra_State_StaffNext;
    if (puzzleState == Petra_State_Staff)
        puzzleState = Petra_State_Done;
}

Petra_Conversations Petra_Events::FindTalkId(int talker, Tick t) const
{
    if (talker >= 0 && talker < Petra_Dude_Count)
        return Petra_Conversation_FirstGuest + talker;
    assert(talker == Petra_Petra_TalkId && "false");
    switch (puzzleState)
    {
    case Petra_State_Start:
        return gameEvents->NotHappened(Event_MetPetra, 0) ? 11 : 12;
    case Petra_State_ScalesNext:
        return 0;
    case Petra_State_Scales:
        return Happened(Petra_Event_Scales, t) ? 1 : 2;
    case Petra_State_MotelNext:
        return 3;
    case Petra_State_Motel:
        return Happened(Petra_Event_Motel, t) ? 4 : 5;
    case Petra_State_StaffNext:
        return 6;
    case Petra_State_Staff:
        return Happened(Petra_Event_Staff, t) ? 7 : 8;
    default:
        return Solved(Petra_Event_Scales) && Solved(Petra_Event_Motel) && Solved(Petra_Event_Staff) ? 9 : 10;
    }
}

int Petra_Events::ChatLength(Petra_Conversations conversation)
{
    assert(conversation >= 0 && conversation < Petra_Conversation_Count && "false");
    return Petra_ChatLengths[conversation];
}

int Petra_Events::ChatLength(int talker, Tick t)
{
    return ChatLength(FindTalkId(talker, t));
}

int Petra_Events::Chatting(int talker, int chatTick, Event_ChatInfo* info, Tick t)
{
    // The conversation is chosen once and kept to its end, whatever its own effects change.
    if (chatTick == 0)
        talkId = FindTalkId(talker, t);
    if (chatTick == ChatLength(talkId))
        info->flags |= Chat_End;
    for (Petra_Line const& line : Petra_Lines)
    {
        if (line.conversation != talkId || line.tick != chatTick)
            continue;
        if (line.hero)
            info->heroText = line.text;
        else
            info->otherText = line.text;
    }
    Effects(chatTick, info);
    return 0;
}

void Petra_Events::Effects(int chatTick, Event_ChatInfo* info)
{
    auto const at = [&](Petra_Conversations c, int tick) { return talkId == c && chatTick == tick; };
    if (at(0, 1000))
        PuzzleStart(Petra_Chat_Scales, Petra_Rp_FactoryStart, Pointf(1890.0, 665.0), 1.2, Petra_State_Scales);
    if (at(1, 500))
    {
        Award(Petra_Event_Scales);
        info->otherText = Solved(Petra_Event_Motel) && Solved(Petra_Event_Staff)
                              ? "You've managed to complete all of my puzzles."
                              : "Now lets see how you get on with the next puzzle.";
    }
    if (at(1, 750))
    {
        FindNextPuzzle();
        if (puzzleState != Petra_State_Done)
            ChatAgain();
    }
    if (at(2, 500) || at(5, 250) || at(12, 500))
    {
        FindNextPuzzle();
        ChatAgain();
    }
    if (at(3, 500))
        PuzzleStart(Petra_Chat_Motel, Petra_Rp_MotelStart, Pointf(4346.5, 1730.0), 1.3, Petra_State_Motel);
    if (at(4, 0))
        info->otherText = Solved(Petra_Event_Staff) ? "Nicely done, here's your gem!"
                                                    : "Nicely done, here's your gem!  Now for the next one.";
    if (at(4, 250))
    {
        Award(Petra_Event_Motel);
        FindNextPuzzle();
        ChatAgain();
    }
    if (at(6, 500))
        PuzzleStart(Petra_Chat_Staff, Petra_Rp_StaffStart, Pointf(3500.0, 70.0), 0.9, Petra_State_Staff);
    if (at(7, 500))
    {
        Award(Petra_Event_Staff);
        FindNextPuzzle();
    }
    if (at(8, 250))
        FindNextPuzzle();
    if (at(11, 2750))
    {
        (*gameEvents)[Event_MetPetra] = GameEvent_HasHappened;
        FindNextPuzzle();
        ChatAgain();
    }
}

void Petra_Events::PuzzleStart(Petra_Chat_Id id, unsigned int refPoint, Pointf camera, double zoom, int newState)
{
    riddleGiver->StartTalkOver(id);
    // The hero waits in the room until the introduction is over; the riddle-giver lets him go.
    player->scripted = true;
    Pointf const start = map->GetRefPoint(refPoint);
    player->SetPos(&start);
    player->SetCameraPos(&camera, CameraMove_Ease8, 0);
    player->SetCameraScale(zoom, CameraMove_Ease8);
    map->MoveMap(&camera, CameraMove_Jump);
    map->ScaleMap(zoom, CameraMove_Jump);
    puzzleState = newState;
}

void Petra_Events::Award(Petra_Event e)
{
    // A verdict broken off after its gem and heard again must not give a second one.
    std::uint8_t& flag = gameEvents->levelFlags[Petra_LevelRow][e];
    if (flag != 0)
        return;
    flag = 1;
    gameEvents->gems++;
    saveGame = true;
}

void Petra_Events::ChatAgain()
{
    // The player's conversation starts again from its first step at the next step, with the
    // conversation of the new state.
    player->StartChat(riddleGiver);
}
