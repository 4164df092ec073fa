// Door: a map group that slides open while all its activators are on and falls shut when they are not.
#pragma once

#include "engine/Activated.h"
#include "engine/GameEvents.h"
#include "engine/MapMoveObject.h"
#include "util/Pointf.h"

class Map;

// Which way a door opens.
enum Direction : int
{
    Direction_Up = 0,    // +y
    Direction_Down = 1,  // -y
    Direction_Left = 2,  // -x
    Direction_Right = 3, // +x
};

// The opening at any tick follows from the activators' records alone: it opens at a steady
// speed from where it was when they went on, and falls shut with ten bounces from where it
// was when they went off. A door may also be held fully open by a story event: at every tick
// from the event's stamp on it stands open, whatever its activators do.
class Door : public MapMoveObject, public Activated
{
public:
    Door(Map* map, unsigned int group, double distance, Direction direction, double speed);
    Door(Door const&) = delete;
    Door& operator=(Door const&) = delete;
    ~Door() override;

    // Also plays the opening sound and the thuds that belong to the step at t itself.
    void MoveMapGroup(Map const* map, Tick t, FlatList<MoveObject>** orders) override;

    // The opening at t, from 0 (shut) to distance (open).
    double GetPos(Tick t) const;

    // Holds the door open at every tick at which event e of the record has happened; the record
    // is not owned and must outlive the door.
    void HoldOpenAfter(GameEvents const* record, GameEvent e);

private:
    enum Door_Sound
    {
        Door_Quiet,
        Door_Opening,
        Door_Thud,
    };

    // The opening at t, and, when asked for, which sound starts at t; thudTicks counts from the
    // first impact.
    double Opening(Tick t, bool withSound, Door_Sound& sound, int& thudTicks) const;
    bool HeldOpen(Tick t) const;

    FlatList<MoveObject> moves;
    Direction direction;
    Pointf centre;     // of the group's sweep, where the sounds play
    double distance;   // the opening when fully open
    double speed;      // units per tick while opening
    double gravity;    // units per tick squared while falling
    double bounce;     // fraction of speed kept at each bounce
    int openTicks;     // ticks for a full opening
    int fallTicks;     // ticks for a fall from fully open with its bounces
    double soundScale; // handed to the sound table with every sound
    GameEvents const* holdRecord = nullptr;
    GameEvent holdEvent = 0; // of holdRecord, when set
};
