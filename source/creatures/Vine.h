// Vine: a hanging vine the player can hang from, which a hit drops to its next lower resting height.
#pragma once

#include "engine/HangOn.h"
#include "engine/Object.h"
#include "engine/Target.h"
#include "util/Pointf.h"

class Image;

// Up to four resting heights of its lower end; each accepted hit starts a fall with constant
// acceleration to the next. Its height is a function of the tick and its recorded hits, so the
// hanging point replays exactly. A hit is taken only at rest, above the lowest height, and while
// no later hit is recorded.
class Vine final : public Object, public HangOn, public Target
{
public:
    static constexpr double Vine_Accell = 0.5;
    static constexpr int Vine_Heights = 3; // resting heights below the first

    // The first reference point is the top resting position; of the other three only the y counts.
    Vine(Map const* map, unsigned int top, unsigned int second, unsigned int third, unsigned int fourth);
    Vine(Vine const&) = delete;
    Vine& operator=(Vine const&) = delete;
    ~Vine() override = default;

    static void Initialise();
    static void Finalise();

    // The y of the lower end at t.
    double GetPosAtTime(Tick t) const;
    // Resting height i, 0 (before any hit) to 3.
    double RestingHeight(int i) const
    {
        return i == 0 ? startPos.y : heights[i > Vine_Heights ? Vine_Heights - 1 : i - 1];
    }

    void MoveToTime(Map const* map, Tick t) override;
    void Render(Map const* map, Tick t) const override;
    bool ActivePoint(Pointf& centre, double& radius, double& objScale) const override;
    int Hit(Tick t, int damage, Target_Hit_Flags flags) override;
    bool GetTargetPos(Map const* map, Tick t, Pointf& out) const override;

    // The recorded hits, accepted ones only.
    int HitCount() const { return hits->Count(); }

private:
    Pointf startPos;
    double heights[Vine_Heights] = {};

    static Image* img;
};
