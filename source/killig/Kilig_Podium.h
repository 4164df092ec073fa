// Kilig_Podium: a spot in the dungeon where a ball set down works a door.
#pragma once

#include "engine/Activator.h"
#include "engine/Object.h"
#include "util/Pointf.h"
#include "util/PtrList.h"
#include "util/Tick.h"

class Collectable;
class Map;

constexpr double Kilig_Podium_Reach = 20.0; // |dx| + |dy| from the podium's point to a ball on it

// Any of the dungeon's balls lying on the podium makes it active; the door it is wired to opens
// then. It writes its own record of active ticks as play goes on, one step at a time, and only in
// play: what a tick shows again during time travel is what was played then, and the balls a
// past self carries over it now are where they were when the tick was played. The podium is part
// of the map and draws nothing.
class Kilig_Podium final : public Object, public Activator
{
public:
    explicit Kilig_Podium(Pointf podiumPos);
    ~Kilig_Podium() override;
    Kilig_Podium(Kilig_Podium const&) = delete;
    Kilig_Podium& operator=(Kilig_Podium const&) = delete;

    // Not owned; the object list must have moved the balls to the tick before the podium.
    void AddBall(Collectable* ball);

    // Brings the record up to t as live play does.
    void MoveToTime(Map const* map, Tick t) override;
    // As above, but a tick shown by time travel is not written.
    void MoveToTime(Map const* map, Tick t, Object_Step const& step) override;

    // Whether the ball lies on the podium at t: not in the live player's hands now, and within
    // reach at t (limit included).
    bool BallCounts(Collectable const* ball, Tick t) const;

    bool ReportsChanges() const override;

    Tick lastTime = -1;         // the tick the record is written up to
    Pointf pos;                 // the podium's point
    PtrList<Collectable> balls; // the balls that can work it, in the order added
};
