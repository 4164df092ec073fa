// Kilig_Events: the lines of the master's conversation, step by step.
#include "killig/Kilig_Events.h"

#include "engine/Event_ChatInfo.h"
#include "engine/Message.h"

#include <cassert>

namespace
{

enum Kilig_Speaker
{
    Kilig_Hero,
    Kilig_Master,
    Kilig_Notice, // a message on screen rather than a line
};

struct Kilig_Line
{
    int tick;
    Kilig_Speaker who;
    char const* text;
    int showTime; // the hero's bubble; 0 keeps the default
};

constexpr int Kilig_ShortAnswer = 133; // steps the hero's curt answers stay up
constexpr int Kilig_NoticeTime = 200;

constexpr Kilig_Line Kilig_Lines[] = {
    {0, Kilig_Master, "Welcome!            I trust you found the place ok?", 0},
    {250, Kilig_Hero, "A bit dangerous but I got here in the end.", 0},
    {500, Kilig_Master, "So, you'll be after the secret of time travelling?", 0},
    {750, Kilig_Hero, "Yes,.... sounds a bit strange now that I'm actually here.", 0},
    {1000, Kilig_Master, "Not at all.  It's good to pass down my knowledge to an apprentice.", 0},
    {1250, Kilig_Master, "Now,... time travelling can be very dangerous!  So there are a", 0},
    {1500, Kilig_Master, "few questions I need to ask you before I can give you the", 0},
    {1750, Kilig_Master, "artefact of time travel.  I can't let just anyone have it!", 0},
    {2000, Kilig_Hero, "OK, I understand!", 0},
    {2250, Kilig_Master, "Will you be using the artefact to kill any innocent people?", 0},
    {2500, Kilig_Hero, "No!", Kilig_ShortAnswer},
    {2583, Kilig_Master, "Will you be using the artefact for personal gain?", 0},
    {2833, Kilig_Hero, "No!", Kilig_ShortAnswer},
    {2916, Kilig_Master, "Will you use the artefact to change history, corrupt the time", 0},
    {3166, Kilig_Master, "line or unravel the fabric of the universe by creating a paradox?", 0},
    {3416, Kilig_Hero, "No!", Kilig_ShortAnswer},
    {3500, Kilig_Master, "Well done, you've passed.  Here's the artefact of time travel!", 0},
    {3625, Kilig_Notice, "Received artefact of time travel", 0},
    {3750, Kilig_Master, "I think it would be wise for you to practice with this skill before", 0},
    {4000, Kilig_Master, "heading out into the world with it.  My lower dungeon is specially", 0},
    {4250, Kilig_Master, "arranged for this so I'll let you experiment down there first.", 0},
    {4500, Kilig_Master, "When you want to travel in time press the A or S button.  This will", 0},
    {4750, Kilig_Master, "move you into the time travel mode.  Pressing A in this state will move", 0},
    {5000, Kilig_Master, "you back in time and S will move you forward in time.  You can use", 0},
    {5250, Kilig_Master, "these keys to pick the exact moment in time you wish to move to.", 0},
    {5500, Kilig_Master, "When you are time travelling nothing can harm you and you won't be", 0},
    {5750, Kilig_Master, "affected by any moving platforms.  When you have moved to the correct", 0},
    {6000, Kilig_Master, "moment in time pressing jump will cause time to flow normally.", 0},
    {6250, Kilig_Hero, "OK, I think I follow all of that.", 0},
    {6500, Kilig_Master, "It's worth pointing out a few of the basics of time travel as some", 0},
    {6750, Kilig_Master, "things may appear strange when you continually visit the same time.", 0},
    {7000, Kilig_Master, "When you go back in time you will see yourself doing just what", 0},
    {7250, Kilig_Master, "you did before and all your actions will happen just as before.", 0},
    {7500, Kilig_Master, "For example, if you stood on a switch which opened a door then the", 0},
    {7750, Kilig_Master, "door would open again when you went back in time.", 0},
    {8000, Kilig_Master, "A side-effect of time travel is that you may find you aren't able", 0},
    {8250, Kilig_Master, "to do everything you would normally when you go back in time.", 0},
    {8500, Kilig_Master, "Say you pick up an object and move it to a different room.  If you", 0},
    {8750, Kilig_Master, "go back in time then the object will be back in the original room", 0},
    {9000, Kilig_Master, "but you will not be able to pick it up as the past version of you", 0},
    {9250, Kilig_Master, "is about to come and move it.  The object has to be there because", 0},
    {9500, Kilig_Master, "that has already happened,..... in the future.", 0},
    {9750, Kilig_Hero, "Ummmm,... I think I understand.  It sounds a bit confusing.", 0},
    {10000, Kilig_Master, "It's perfectly simple my dear boy.  Look, here's another example.", 0},
    {10250, Kilig_Master, "Imagine there's a switch which makes a platform move up and down.", 0},
    {10500, Kilig_Master, "If you stand on the platform while no-one is pressing the switch", 0},
    {10750, Kilig_Master, "and then go back in time and try to press the switch yourself it", 0},
    {11000, Kilig_Master, "will not work.  You know the lift didn't move at that point in time", 0},
    {11250, Kilig_Master, "so there's nothing that can change that.", 0},
    {11500, Kilig_Master, "Once you have affected something it will always happen that way!", 0},
    {11750, Kilig_Hero, "I think I'm best just jumping in and hoping for the best!", 0},
    {12000, Kilig_Master, "Oh fine!", 0},
};

} // namespace

Kilig_Events::Kilig_Events(GameEvents* events, Message* messages) : LevelEvents(events, messages)
{
}

Kilig_Conversations Kilig_Events::FindTalkId(int, Tick) const
{
    return Kilig_Conversation_Master;
}

int Kilig_Events::ChatLength(Kilig_Conversations conversation)
{
    assert(conversation == Kilig_Conversation_Master && "false");
    return Kilig_Master_ChatLength;
}

int Kilig_Events::ChatLength(int talker, Tick t)
{
    return ChatLength(FindTalkId(talker, t));
}

int Kilig_Events::Chatting(int talker, int chatTick, Event_ChatInfo* info, Tick t)
{
    if (chatTick == 0)
        talkId = FindTalkId(talker, t);
    if (chatTick == ChatLength(talkId))
        info->flags |= Chat_End;
    if (talkId != Kilig_Conversation_Master)
        return 0;
    for (Kilig_Line const& line : Kilig_Lines)
    {
        if (line.tick != chatTick)
            continue;
        if (line.who == Kilig_Notice)
        {
            if (message != nullptr)
                message->Display(line.text, Kilig_NoticeTime);
        }
        else if (line.who == Kilig_Hero)
        {
            info->heroText = line.text;
            if (line.showTime != 0)
                info->showTime = line.showTime;
        }
        else
            info->otherText = line.text;
    }
    return 0;
}
