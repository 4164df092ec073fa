// Black_PushRock: the boulder that the player pushes off its ledge to kill the ogre.
#pragma once

#include "engine/Object.h"
#include "media/Game_Sounds.h"
#include "util/FlatList.h"
#include "util/Pointf.h"

#include <vector>

class Black_Ogre;
class Image;
class TimeSet;

// One thud of a rolling copy: which sound, and where.
struct Black_Thud
{
    Sound_Id sound;
    Pointf at;
};

// A boulder rests on a ledge. A player who runs into it from its right faster than 3 units a
// step pushes it: a copy of it rolls away along a path worked out once against the map, and
// 215 ticks after the push the ogre dies. A fresh boulder always rests in its place, so every
// push launches a copy of its own. Everything follows from the push ticks, so the copies replay
// under time travel; a copy vanishes once it has used up its path. The damage the ogre's death
// hands back is kept until the level collects it.
class Black_PushRock final : public Object
{
public:
    static constexpr Tick PushRock_KillDelay = 215; // from a push to the ogre's death
    static constexpr int PushRock_PushGap = 20;     // least ticks between two pushes

    // Rests at the reference point; a copy is launched in the direction angle (0 up, towards +x
    // as it grows) at speed units per tick and rolls for steps ticks (at least 1). The map's
    // collision grid must be built. Throws Error_ParseFile for a path of no steps.
    Black_PushRock(Map const* map, unsigned int ref, double angle, double speed, int steps, Black_Ogre* target);
    Black_PushRock(Black_PushRock const&) = delete;
    Black_PushRock& operator=(Black_PushRock const&) = delete;
    ~Black_PushRock() override;

    static void Initialise();
    static void Finalise();

    // The copies' thuds.
    void MoveToTime(Map const* map, Tick t) override;
    void Render(Map const* map, Tick t) const override;
    // Tells a push from the player's move since the last call.
    void PlayerAtPos(Tick t, Pointf const* playerPos) override;

    // The energy banked by the ogre's death, given once: the next call answers 0.
    int GetHits();

    // Where the copies are at t, latest push first.
    std::vector<Pointf> CopiesAt(Tick t) const;
    // What the copies sound at t, latest push first.
    std::vector<Black_Thud> ThudsAt(Tick t) const;

    FlatList<Pointf> const& GetPath() const { return path; }
    TimeSet const& GetPushes() const { return *pushes; }

private:
    Black_Ogre* ogre;          // killed by every push; not owned
    TimeSet* pushes = nullptr; // ticks of the pushes; owned
    FlatList<Pointf> path;     // a copy's centre at each tick after its push; 0 is the resting place
    Pointf lastPlayerPos;      // at the last call of PlayerAtPos
    bool seenPlayer = false;   // lastPlayerPos holds a position
    int hits = 0;              // energy to give back to the player

    static Image* img;
};
