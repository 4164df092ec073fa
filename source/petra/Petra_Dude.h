// Petra_Dude: the eight motel guests, who each give a clue to the motel puzzle.
#pragma once

#include "engine/Dude.h"
#include "petra/Petra_Events.h"
#include "petra/Petra_Ids.h"
#include "util/Tick.h"

class Image;
class Map;
class Pointf;

constexpr double Petra_Dude_Width = 24.0;
constexpr double Petra_Dude_Height = 24.0;
static_assert(sizeof Petra_Dude_StartPts / sizeof Petra_Dude_StartPts[0] == Petra_Dude_Count,
              "a start point for every guest");

// A guest stands where it was placed and turns to face the hero while they talk. Its picture
// faces left, so it is drawn mirrored to face right: a guest swaps the facing a villager would
// take (Dude_TurnSwap).
class Petra_Dude final : public Dude
{
public:
    Petra_Dude(Map const* map, Petra_Dude_Id id);
    ~Petra_Dude() override;
    Petra_Dude(Petra_Dude const&) = delete;
    Petra_Dude& operator=(Petra_Dude const&) = delete;

    void MoveToTime(Map const* map, Tick t) override;
    void Render(Map const* map, Tick t) const override;
    // Writes the guest's position; a guest is never a target.
    bool GetTargetPos(Map const* map, Tick t, Pointf& at) const;

private:
    Image* image = nullptr;
};
