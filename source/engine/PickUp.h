// Hearts, gems and the socks: things lying in a level, maybe hidden in a chest, that the player takes.
#pragma once

#include "engine/Object.h"
#include "util/Pointf.h"

class Image;

enum PickUp_Type
{
    PickUp_Heart = 0,
    PickUp_Gem = 1,
    PickUp_Socks = 2
};

constexpr double PickUp_Width = 20.0; // drawn size at scale 1
constexpr double PickUp_Height = 20.0;
constexpr double PickUp_RiseSpeed = 1.5; // rise per tick once taken, at scale 1
constexpr Tick PickUp_RiseTime = 70;     // ticks it stays visible once taken

// A pick-up is hidden until found, then lies bobbing until taken, then rises and spins away.
// Both moments are stamped once, so the pick-up shows the right state at any tick.
class PickUp final : public Object
{
public:
    PickUp(Pointf position, PickUp_Type pickUpType, bool hidden, double pickUpScale);
    PickUp(PickUp const&) = delete;
    PickUp& operator=(PickUp const&) = delete;

    static void Initialise(PickUp_Type pickUpType);
    static void Finalise();

    void Found(Tick t);
    void Collect(Tick t);
    bool CanCollect(Tick t) const;
    Pointf GetPos() const { return pos; }
    PickUp_Type GetType() const { return type; }
    // Where the pick-up is drawn at t and how far it is turned; false while hidden or gone.
    bool DrawnAt(Tick t, Pointf& at, double& rotation) const;

    void Render(Map const* map, Tick t) const override;
    bool ActivePoint(Pointf& centre, double& radius, double& objScale) const override;

    int level = 0; // a gem's row in the saved level flags, set by its world
    int slot = 0;  // a gem's column in that row

private:
    PickUp_Type type = PickUp_Heart;
    Pointf pos;
    double scale = 1.0;
    Tick foundTime = -1;
    Tick collectTime = -1;

    static Image* heartImg;
    static Image* gemImg;
    static Image* socksImg;
};
