// Door: the opening and falling of a door over the activators' runs, and its sounds.
#include "engine/Door.h"

#include "engine/Map.h"
#include "media/Game_Sounds.h"
#include "util/Util.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace
{
constexpr double Door_Bounce = 0.5;
constexpr int Door_Bounces = 10;
constexpr int Door_OpenSoundTick = 2; // ticks after the activators went on
constexpr int Door_ThudFade = 5;      // volume lost per tick since the first impact
constexpr int Door_MaxVolume = 255;
} // namespace

Door::Door(Map* map, unsigned int group, double openDistance, Direction openDirection, double openSpeed)
    : moves(1), direction(openDirection), distance(openDistance), speed(openSpeed), gravity(openSpeed * 0.5),
      bounce(Door_Bounce), openTicks(static_cast<int>(openDistance / openSpeed)), fallTicks(0), soundScale(openSpeed)
{
    map->RequireGroup(group);
    fallTicks = static_cast<int>(std::sqrt(2.0 * distance / gravity));
    double v = fallTicks * gravity * bounce;
    for (int i = 0; i < Door_Bounces; i++)
    {
        fallTicks += static_cast<int>((-v - std::sqrt(v * v)) / -gravity);
        v *= bounce;
    }

    moves[0].kind = MoveObject_Translate;
    moves[0].group = group;

    Rectf cover(0.0, 0.0, 0.0, 0.0);
    switch (direction)
    {
    case Direction_Up:
        cover.y1 = distance;
        break;
    case Direction_Down:
        cover.y0 = -distance;
        break;
    case Direction_Left:
        cover.x0 = -distance;
        break;
    case Direction_Right:
        cover.x1 = distance;
        break;
    }
    map->SetGroupCover(group, &cover);
    Rectf bound;
    map->FindGroupBound(group, &bound);
    centre = bound.Centre();

    if (gameSounds != nullptr)
    {
        gameSounds->InitSound(Sound_DoorOpen);
        gameSounds->InitSound(Sound_DoorOpen2);
    }
}

Door::~Door() = default;

void Door::MoveMapGroup(Map const*, Tick t, FlatList<MoveObject>** orders)
{
    Door_Sound sound = Door_Quiet;
    int thudTicks = 0;
    // Nothing plays while the sounds are muted, as they are when the groups are placed for
    // another tick than the step's own.
    bool const withSound = gameSounds != nullptr && gameSounds->mute == 0;
    // A door held open stands open and silent; its activators are not asked.
    double const p = HeldOpen(t) ? distance : Opening(t, withSound, sound, thudTicks);
    switch (direction)
    {
    case Direction_Up:
        moves[0].newY = p;
        break;
    case Direction_Down:
        moves[0].newY = -p;
        break;
    case Direction_Left:
        moves[0].newX = -p;
        break;
    case Direction_Right:
        moves[0].newX = p;
        break;
    }
    *orders = &moves;

    if (gameSounds == nullptr)
        return;
    if (sound == Door_Opening)
        gameSounds->Play(Sound_DoorOpen, &centre, false, soundScale);
    if (sound == Door_Thud)
    {
        // Each thud is quieter than the one before, counted from this fall's first impact.
        int const volume = std::clamp(Door_MaxVolume - Door_ThudFade * thudTicks, 0, Door_MaxVolume);
        gameSounds->PlayAtVolume(Sound_DoorThud, &centre, soundScale, volume);
    }
}

double Door::GetPos(Tick t) const
{
    Door_Sound sound = Door_Quiet;
    int thudTicks = 0;
    if (HeldOpen(t))
        return distance;
    return Opening(t, false, sound, thudTicks);
}

void Door::HoldOpenAfter(GameEvents const* record, GameEvent e)
{
    holdRecord = record;
    holdEvent = e;
}

bool Door::HeldOpen(Tick t) const
{
    return holdRecord != nullptr && holdRecord->Happened(holdEvent, t);
}

double Door::Opening(Tick t, bool withSound, Door_Sound& sound, int& thudTicks) const
{
    bool const cached = KeepsCheckpoints();
    double p = 0.0;
    if (cached && !withSound && answers.Find(t, p))
        return p;
    // Walk back over the switchings that came before the previous movement had finished, to
    // a movement that began at rest or ran its course, or to a kept position on the way, then
    // play the movements forward.
    std::vector<Activator_Link>& links = walk;
    links.clear();
    bool active = false;
    Tick ref = 0;
    for (Tick at = t; StepBack(at, active, ref); at = ref)
    {
        Tick const n = at - ref;
        if (active && n > openTicks)
        {
            p = distance;
            break;
        }
        if (!active && n > fallTicks)
            break;
        links.push_back({at, n, active});
        if (cached && checkpoints.Find(ref, p))
            break;
    }

    bool bounced = false;
    double fallFrom = 0.0;
    int played = 0;
    for (auto link = links.rbegin(); link != links.rend(); ++link)
    {
        if (link->active)
        {
            p += link->n * speed;
            if (p > distance || Util::Equal(p, distance))
                p = distance;
        }
        else
        {
            fallFrom = p;
            p = Util::BounceyFall(p, gravity, bounce, link->n, &bounced);
        }
        if (cached)
            checkpoints.Played(++played, link->at, t, p);
    }

    // Only the movement under way at t itself makes a sound.
    if (!links.empty() && links.front().active && links.front().n == Door_OpenSoundTick)
        sound = Door_Opening;
    else if (!links.empty() && !links.front().active && bounced)
    {
        sound = Door_Thud;
        thudTicks = static_cast<int>(links.front().n - std::sqrt(2.0 * fallFrom / gravity));
    }
    if (cached)
        answers.Keep(t, p);
    return p;
}
