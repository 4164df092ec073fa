// Black_Rock: a stream of rocks that roll for ever down one path through the Black mountains.
#pragma once

#include "engine/Enemy.h"
#include "engine/Object.h"
#include "util/FlatList.h"
#include "util/Pointf.h"

class Image;

// One path is worked out when the stream is made, by throwing a rock from a reference point and
// letting it fall, roll and bounce over the map. The stream's rocks run along it at equal spacing
// and start again at its beginning when they reach its end. Where a rock is follows from the tick
// and the stream's phase, drawn once when it is made, so the streams replay exactly. A rock hurts
// a player it touches; the rocks never die. Each landing is heard 4 ticks before the rock reaches
// the bottom of its bounce.
class Black_Rock final : public Object, public Enemy
{
public:
    static constexpr double Rock_Hit_Dist = 24.0;
    static constexpr Tick Rock_SoundAhead = 4; // ticks from the landing sound to the landing

    // From the reference point in the direction angle (0 up, towards +x as it grows) at speed
    // units per tick, a path of steps ticks carrying rocks rocks; the phase is drawn from the C
    // library's sequence. The map's collision grid must be built. Throws Error_ParseFile when
    // steps or rocks is not positive.
    Black_Rock(Map const* map, unsigned int ref, double angle, double speed, int steps, int rocks);
    Black_Rock(Black_Rock const&) = delete;
    Black_Rock& operator=(Black_Rock const&) = delete;
    ~Black_Rock() override = default;

    static void Initialise();
    static void Finalise();

    // Where rock k is at t and the angle it is drawn at (either may be null); always true.
    bool GetPosAtTime(Tick t, int k, Pointf* pos, double* angle) const;

    // Plays the landings.
    void MoveToTime(Map const* map, Tick t) override;
    void Render(Map const* map, Tick t) const override;
    int IsPlayerHit(Tick t, Pointf const* playerPos) override;

    int GetCount() const { return count; }
    int GetPhase() const { return phase; }
    FlatList<Pointf> const& GetPath() const { return path; }

private:
    FlatList<Pointf> path;  // a rock's centre at each step; 0 is the start
    FlatList<float> angles; // its drawing angle at each step
    int count = 1;          // rocks in the stream
    int phase = 0;          // the whole stream's offset along the path, 0 to 4095

    static Image* img;
};
