// Petra_Petra: the riddle-giver's body and the timing of its puzzle introductions.
#include "petra/Petra_Petra.h"

#include "engine/CharStats.h"
#include "engine/Map.h"
#include "engine/Message.h"
#include "engine/Player.h"
#include "engine/SpeechBubble.h"
#include "media/Image.h"

namespace
{

enum Petra_TalkOver_Action
{
    TalkOver_NewBubble,
    TalkOver_NewText,
    TalkOver_Message,
};

struct Petra_TalkOver_Line
{
    Petra_Chat_Id id;
    int tick;
    Petra_TalkOver_Action action;
    char const* text;
    int time; // display time, steps
};

// Each introduction's last text runs out on the step of its last entry, which releases the hero
// once the instructions are queued.
constexpr Petra_TalkOver_Line Petra_TalkOver_Lines[] = {
    {Petra_Chat_Scales, 0, TalkOver_NewBubble, "He has access to a weighing machine but it is very low", 300},
    {Petra_Chat_Scales, 250, TalkOver_NewText, "on power and can only perform one weigh in.", 300},
    {Petra_Chat_Scales, 500, TalkOver_NewText, "How can he discover which product weighs two kilos?", 251},
    {Petra_Chat_Scales, 750, TalkOver_Message, "Press the switches on the left to make some of each product", 200},
    {Petra_Chat_Scales, 750, TalkOver_Message, "Once you've put the products you need on the weighing machine", 200},
    {Petra_Chat_Scales, 750, TalkOver_Message, "push the switch on the right to perform the weighing", 200},
    {Petra_Chat_Motel, 0, TalkOver_NewBubble, "Speak to the people in the motel and see if you can", 300},
    {Petra_Chat_Motel, 250, TalkOver_NewText, "find the answers to the questions in this room.", 251},
    {Petra_Chat_Motel, 500, TalkOver_Message, "Press the switch by the door when you have answered each question.",
     200},
    {Petra_Chat_Staff, 0, TalkOver_NewBubble, "To open the entrance you must align each staff so", 300},
    {Petra_Chat_Staff, 250, TalkOver_NewText, "there are five lines containing four staffs in each.", 251},
    {Petra_Chat_Staff, 500, TalkOver_Message, "Press the switch when you are finished or want to give up", 200},
};

// The bubble's place on the screen: the right edge, halfway up, the bubble mirrored to its left.
constexpr double TalkOver_ScreenX = 640.0;
constexpr double TalkOver_ScreenY = 240.0;

} // namespace

Petra_Petra::Petra_Petra(Map const* map, unsigned int refPoint, Player* hero, Message* messages)
    : Dude(map, Petra_Petra_TalkId, static_cast<int>(refPoint)), message(messages), player(hero)
{
    keys = 0;
    startFacing = LeftFrame;
    frame = LeftFrame;
    stats->width = 28.0;
    stats->height = 28.0;
    stats->accel = 0.06;
    stats->decel = 0.2;
    stats->maxSpeed = 2.0;
    stats->gravity = 0.2;
    stats->jumpSpeed = 6.0;
    stats->jumpDecay = 0.1;
    stats->hearts = 1;
    stats->frameCount = 1;
    image = new Image("gfx/petra/petra.png", 0, false);
}

Petra_Petra::~Petra_Petra()
{
    delete image;
    delete talkOverBubble;
}

void Petra_Petra::StartTalkOver(Petra_Chat_Id id)
{
    delete talkOverBubble;
    talkOverBubble = nullptr;
    talkOver = id;
    talkOverTick = 0;
}

void Petra_Petra::MoveToTime(Map const* map, Tick t)
{
    Character::Move(map);
    Dude::Move(map, t);
    if (talkOver != Petra_Chat_None)
        TalkOverStep();
}

void Petra_Petra::TalkOverStep()
{
    for (Petra_TalkOver_Line const& line : Petra_TalkOver_Lines)
    {
        if (line.id != talkOver || line.tick != talkOverTick)
            continue;
        switch (line.action)
        {
        case TalkOver_NewBubble:
            delete talkOverBubble;
            talkOverBubble = new SpeechBubble(line.text, -1, line.time, Bubble_Speech);
            talkOverBubble->flip = 1;
            break;
        case TalkOver_NewText:
            talkOverBubble->NewText(line.text, -1, line.time);
            break;
        case TalkOver_Message:
            message->Display(line.text, line.time);
            break;
        }
    }
    talkOverTick++;
    if (talkOverBubble == nullptr)
        return;
    // The end of the display time releases the hero, also on a step on which the text has
    // just been typed in full.
    if ((talkOverBubble->Poll() & 1) == 0)
        return;
    talkOver = Petra_Chat_None;
    delete talkOverBubble;
    talkOverBubble = nullptr;
    player->scripted = false;
}

void Petra_Petra::Render(Map const* map, Tick) const
{
    RenderChar(map, image);
}

void Petra_Petra::RenderFore(Map const* map, Tick t) const
{
    Dude::RenderFore(map, t);
    if (talkOverBubble == nullptr)
        return;
    Pointf const at(TalkOver_ScreenX, TalkOver_ScreenY);
    talkOverBubble->Render(static_cast<Map const*>(nullptr), &at);
}
