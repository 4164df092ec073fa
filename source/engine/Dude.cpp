// Villagers: recorded walking, facing and the villager's side of a conversation.
#include "engine/Dude.h"

#include "engine/CharStats.h"
#include "engine/Event_ChatInfo.h"
#include "engine/Map.h"
#include "engine/SpeechBubble.h"
#include "engine/TimeSet.h"
#include "util/Util.h"

namespace
{

constexpr double Dude_Height = 16.0;

// Points holder at shared, keeping the reference counts right when the two differ.
template <class T>
void Share(T*& holder, T* shared)
{
    if (holder == shared)
        return;
    shared->TakeRef();
    if (holder != nullptr)
        holder->Destroy();
    holder = shared;
}

} // namespace

Dude::Dude(Map const* map, int talker, int refPoint)
    : talkId(talker), dudeFlags(0), bubble(nullptr), talkedFromRight(nullptr), talkedFromLeft(nullptr),
      walkRight(nullptr), walkLeft(nullptr)
{
    // A map without the start point is refused before anything is built: the destructor does not
    // run for a constructor that throws.
    pos = map->GetRefPoint(static_cast<unsigned int>(refPoint));
    talkedFromRight = new TimeSet();
    talkedFromLeft = new TimeSet();
    walkRight = new TimeSet();
    walkLeft = new TimeSet();
    CharStats* own = new CharStats();
    own->height = Dude_Height;
    stats = own;
}

Dude::Dude(Dude const* other)
    : Object(), Character(), talkId(other->talkId), dudeFlags(other->dudeFlags), bubble(nullptr),
      talkedFromRight(nullptr), talkedFromLeft(nullptr), walkRight(nullptr), walkLeft(nullptr)
{
    *this = *other;
}

Dude::~Dude()
{
    delete bubble;
    if (stats != nullptr)
        stats->Destroy();
    talkedFromRight->Destroy();
    talkedFromLeft->Destroy();
    walkRight->Destroy();
    walkLeft->Destroy();
}

Dude& Dude::operator=(Dude const& other)
{
    if (this == &other)
        return *this;
    // Key-frame copies share the statistics and the records; the bubble stays with
    // the live villager, so it is neither taken over nor dropped here.
    CharStats* ownStats = stats;
    Character::operator=(other);
    stats = ownStats;
    Share(stats, other.stats);
    talkId = other.talkId;
    dudeFlags = other.dudeFlags;
    startFacing = other.startFacing;
    Share(talkedFromRight, other.talkedFromRight);
    Share(talkedFromLeft, other.talkedFromLeft);
    Share(walkRight, other.walkRight);
    Share(walkLeft, other.walkLeft);
    return *this;
}

bool Dude::Chat(int& talker) const
{
    talker = talkId;
    return true;
}

int Dude::CheckChat(int length, Tick t)
{
    if ((dudeFlags & Dude_Busy) != 0 && (talkedFromRight->CheckUp(t, nullptr) || talkedFromLeft->CheckUp(t, nullptr)))
        return 3;
    if (talkedFromRight->Check(t) || talkedFromLeft->Check(t))
        return 1;
    if (length > 0)
    {
        TimeRange range(t, t + length);
        if (talkedFromRight->CheckRange(range) || talkedFromLeft->CheckRange(range))
            return 2;
    }
    return 0;
}

bool Dude::TalkTo(Pointf const* talkerPos, Event_ChatInfo const* info, Tick t, bool& changed)
{
    if (bubble != nullptr)
    {
        int const state = bubble->Poll();
        if ((state & 2) != 0)
            changed = true;
        // An expired bubble goes before a new line is shown, so that the new line gets a bubble of its own.
        if ((state & 1) != 0)
        {
            delete bubble;
            bubble = nullptr;
        }
    }
    if (info->otherText != nullptr)
    {
        if (bubble != nullptr)
            bubble->NewText(info->otherText, -1, info->showTime);
        else
            bubble = new SpeechBubble(info->otherText, -1, info->showTime, Bubble_Type(0));
    }
    if ((info->flags & (Chat_End | Chat_CloseOther)) != 0)
    {
        delete bubble;
        bubble = nullptr;
        if ((info->flags & Chat_End) != 0)
            return false;
    }
    bool const left = talkerPos->x < pos.x - Util::Eps;
    if (bubble != nullptr)
        bubble->flip = left ? 0 : 1;
    if (left)
        talkedFromLeft->Add(t);
    else
        talkedFromRight->Add(t);
    return left;
}

void Dude::Move(Map const*, Tick t)
{
    keys &= ~static_cast<std::uint32_t>(Character_Left | Character_Right);
    if (walkRight->Check(t))
        keys |= Character_Right;
    if (walkLeft->Check(t))
        keys |= Character_Left;
    if ((dudeFlags & Dude_NoTurn) != 0)
        return;
    bool const swap = (dudeFlags & Dude_TurnSwap) != 0;
    if (talkedFromLeft->Check(t - 1))
        frame = swap ? RightFrame : LeftFrame;
    if (talkedFromRight->Check(t - 1))
        frame = swap ? LeftFrame : RightFrame;
}

void Dude::FaceFromTalk(Tick t)
{
    if ((dudeFlags & Dude_NoTurn) != 0)
        return;
    Tick fromLeft = 0;
    Tick fromRight = 0;
    bool const left = talkedFromLeft->CheckDown(t - 1, &fromLeft);
    bool const right = talkedFromRight->CheckDown(t - 1, &fromRight);
    std::uint32_t facing = startFacing;
    bool const swap = (dudeFlags & Dude_TurnSwap) != 0;
    // Move turns to the right last, so a tick spoken from both sides leaves it facing right.
    if (right && (!left || fromRight >= fromLeft))
        facing = swap ? LeftFrame : RightFrame;
    else if (left)
        facing = swap ? RightFrame : LeftFrame;
    frame = (frame & FrameMask) | facing;
}

void Dude::Walk(bool right, Tick t)
{
    (right ? walkRight : walkLeft)->Add(t);
}

void Dude::Render(Map const* map, Tick) const
{
    RenderChar(map, nullptr);
}

void Dude::RenderChar(Map const* map, Image const* image) const
{
    if (image != nullptr)
        Character::Render(map, image);
}

void Dude::RenderFore(Map const* map, Tick) const
{
    if (bubble == nullptr)
        return;
    Pointf const at = GetRelativePos(0, 0.8);
    bubble->Render(&map->view, &at);
}
