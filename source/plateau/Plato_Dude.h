// Plato_Dude and Plato_Hermit: the plateau's miners and the hermit by the aerial.
#pragma once

#include "engine/Dude.h"
#include "plateau/Plato_Events.h"
#include "util/Tick.h"

class Image;
class Map;

constexpr int Plato_Dude_FrameCount = 6;

// A miner swinging his pick-axe where he stands. All miners swing in step, the frame a function
// of the tick alone, and none turns to whoever talks to him.
class Plato_Dude final : public Dude
{
public:
    Plato_Dude(Map const* map, Plato_Dude_Id id, int rp, bool facingRight);
    ~Plato_Dude() override = default;
    Plato_Dude(Plato_Dude const&) = delete;
    Plato_Dude& operator=(Plato_Dude const&) = delete;

    static void Initialise();
    static void Finalise();

    void MoveToTime(Map const* map, Tick t) override;
    void Render(Map const* map, Tick t) const override;

    // The pick falls over ticks 0 to 5 of each 42, rests for 30 and rises over the last 6.
    static int CalcFrame(Tick t);

private:
    static inline Image* frames[Plato_Dude_FrameCount] = {};

    Character_Still still; // the steps of standing at work are skipped
};

// The hermit, who turns towards whoever talked to him last.
class Plato_Hermit final : public Dude
{
public:
    Plato_Hermit(Map const* map, unsigned rp);
    ~Plato_Hermit() override;
    Plato_Hermit(Plato_Hermit const&) = delete;
    Plato_Hermit& operator=(Plato_Hermit const&) = delete;

    void MoveToTime(Map const* map, Tick t) override;
    void Render(Map const* map, Tick t) const override;

private:
    Image* image;
    Character_Still still; // his steps of standing are skipped
};
