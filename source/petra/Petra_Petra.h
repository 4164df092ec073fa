// Petra_Petra: the riddle-giver, who talks on over the puzzle rooms to introduce each puzzle.
#pragma once

#include "engine/Dude.h"
#include "petra/Petra_Events.h"
#include "util/Tick.h"

class Image;
class Map;
class Message;
class Player;
class SpeechBubble;

// The riddle-giver stands in its house and talks as any villager does. When a puzzle starts, the
// conversation script sends the hero into the puzzle room, holds him still and starts an
// introduction here: the riddle-giver's voice goes on in a bubble at the screen's right edge,
// the instructions go into the message queue at the end, and the hero is let go when the last
// text's time is up. The introduction counts steps; the level has no time travel.
class Petra_Petra final : public Dude
{
public:
    Petra_Petra(Map const* map, unsigned int refPoint, Player* hero, Message* messages);
    ~Petra_Petra() override;
    Petra_Petra(Petra_Petra const&) = delete;
    Petra_Petra& operator=(Petra_Petra const&) = delete;

    // Starts introduction id (1 to 3) from its first step, dropping one that runs.
    void StartTalkOver(Petra_Chat_Id id);

    void MoveToTime(Map const* map, Tick t) override;
    void Render(Map const* map, Tick t) const override;
    void RenderFore(Map const* map, Tick t) const override;

    Petra_Chat_Id talkOver = Petra_Chat_None; // the introduction running
    SpeechBubble* talkOverBubble = nullptr;   // owned; its bubble, null when none
    int talkOverTick = 0;                     // steps since the introduction started

private:
    void TalkOverStep();

    Image* image = nullptr;
    Message* message; // the level's queue
    Player* player;   // held still through an introduction
};
