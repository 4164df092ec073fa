// Villagers: characters who walk by recorded plans and hold conversations.
#pragma once

#include "engine/Character.h"
#include "engine/Object.h"
#include "util/Tick.h"

#include <cstdint>

class Image;
class Map;
class SpeechBubble;
class TimeSet;
struct Event_ChatInfo;

// Bits of Dude::dudeFlags.
constexpr std::uint32_t Dude_Busy = 0x1;     // refuses while any self talks to it now or later
constexpr std::uint32_t Dude_NoTurn = 0x2;   // does not turn towards whoever talks to it
constexpr std::uint32_t Dude_TurnSwap = 0x4; // its sprite faces the other way

// A villager stands at a map reference point, walks by the ticks recorded in its
// walk sets and talks through the world's conversation scripts. Every tick it was
// spoken to is kept, with the side the speaker stood on, so that past selves'
// conversations replay its turning and refuse a new conversation that would clash.
class Dude : public Object, public Character
{
public:
    Dude(Map const* map, int talker, int refPoint);
    explicit Dude(Dude const* other);
    ~Dude() override;

    Dude& operator=(Dude const& other);
    Dude(Dude const&) = delete;

    void Render(Map const* map, Tick t) const override;
    void RenderFore(Map const* map, Tick t) const override;

    // Names the conversation this villager holds; it is always willing to be asked.
    virtual bool Chat(int& talker) const;
    // 0 a conversation of the given length may start at t; 1 a past self talks to it
    // at t; 2 one will within the length; 3 it is busy (Dude_Busy) now or later.
    virtual int CheckChat(int length, Tick t);
    // Shows the villager's line and records the tick; true when the talker stands to its left.
    virtual bool TalkTo(Pointf const* talkerPos, Event_ChatInfo const* info, Tick t, bool& changed);

    // Sets the walk keys and the facing for tick t.
    void Move(Map const* map, Tick t);
    // Faces whoever spoke to it last before t, or its start facing when nobody had: for a
    // villager that is not re-simulated, so that a travel back also turns it back.
    void FaceFromTalk(Tick t);
    void Walk(bool right, Tick t);
    void RenderChar(Map const* map, Image const* image) const;

    int talkId;
    std::uint32_t dudeFlags;
    std::uint32_t startFacing = RightFrame; // LeftFrame or RightFrame before anyone speaks to it

protected:
    SpeechBubble* bubble;     // owned by the live villager only; copies have none
    TimeSet* talkedFromRight; // shared with replay copies
    TimeSet* talkedFromLeft;
    TimeSet* walkRight;
    TimeSet* walkLeft;
};
