// Casle_Lights: a group of three lamps that latches on once all three burn together.
#pragma once

#include "engine/Activator.h"
#include "engine/Object.h"
#include "util/Tick.h"

class Casle_Light;
class Image;
class Map;

constexpr int Casle_Light_Count = 3;

// The group becomes active at the first tick at which its three lamps are lit together, and its
// lamps stay lit for good after it. It records only while the clock goes forward: of the ticks
// since its previous move, those from which all three have burnt on.
class Casle_Lights final : public Object, public Activator
{
public:
    Casle_Lights(Map const* map, unsigned int ref0, unsigned int ref1, unsigned int ref2, int duration);
    ~Casle_Lights() override;
    Casle_Lights(Casle_Lights const&) = delete;
    Casle_Lights& operator=(Casle_Lights const&) = delete;

    Casle_Light* GetLight(unsigned int id) const;

    void MoveToTime(Map const* map, Tick t) override;
    bool IsActive(Tick t) const override;

private:
    bool AllOn(Tick t) const;

    Image* onImg = nullptr;  // owned, shared by the lamps
    Image* offImg = nullptr; // owned, shared by the lamps
    Casle_Light* lights[Casle_Light_Count] = {};
    Tick lastTime = -1; // of the previous MoveToTime
};
