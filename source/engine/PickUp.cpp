// Pick-ups: found and taken stamps, bobbing, and the rise after being taken.
#include "engine/PickUp.h"

#include "engine/GameEvents.h"
#include "engine/Map.h"
#include "media/Image.h"

#include <cassert>
#include <cmath>

namespace
{

constexpr double BobHeight = 10.0;
constexpr double BobPeriod = 10.0;
constexpr double SpinPerTick = 0.4;
constexpr double ActiveRadius = 80.0;

} // namespace

Image* PickUp::heartImg = nullptr;
Image* PickUp::gemImg = nullptr;
Image* PickUp::socksImg = nullptr;

PickUp::PickUp(Pointf position, PickUp_Type pickUpType, bool hidden, double pickUpScale)
    : type(pickUpType), pos(position), scale(pickUpScale), foundTime(hidden ? GameEvent_HasntHappened : 0)
{
}

void PickUp::Initialise(PickUp_Type pickUpType)
{
    switch (pickUpType)
    {
    case PickUp_Heart:
        assert(heartImg == nullptr && "heartImg == NULL");
        heartImg = new Image("gfx/general/heartfull.png", Image_Mask, false);
        break;
    case PickUp_Gem:
        assert(gemImg == nullptr && "gemImg == NULL");
        gemImg = new Image("gfx/general/gem.png", Image_Mask, false);
        break;
    case PickUp_Socks:
        assert(socksImg == nullptr && "socksImg == NULL");
        socksImg = new Image("gfx/general/socks.png", Image_Mask, false);
        break;
    }
}

void PickUp::Finalise()
{
    delete heartImg;
    delete gemImg;
    delete socksImg;
    heartImg = gemImg = socksImg = nullptr;
}

void PickUp::Found(Tick t)
{
    assert(foundTime == GameEvent_HasntHappened && "foundTime == GameEvent_HasntHappened");
    foundTime = t;
}

void PickUp::Collect(Tick t)
{
    assert(collectTime == GameEvent_HasntHappened && "collectTime == GameEvent_HasntHappened");
    collectTime = t;
}

bool PickUp::CanCollect(Tick t) const
{
    return foundTime != GameEvent_HasntHappened && foundTime <= t && collectTime == GameEvent_HasntHappened;
}

bool PickUp::DrawnAt(Tick t, Pointf& at, double& rotation) const
{
    if (foundTime == GameEvent_HasntHappened || foundTime > t)
        return false;
    if (collectTime != GameEvent_HasntHappened && t > collectTime + PickUp_RiseTime)
        return false;
    // Once taken, the bob freezes where it was and the pick-up rises from there.
    Tick rising = 0;
    if (collectTime != GameEvent_HasntHappened && collectTime < t)
    {
        rising = t - collectTime;
        t = collectTime;
    }
    at = Pointf(pos.x, pos.y + std::fabs(std::sin(t / BobPeriod)) * scale * BobHeight);
    rotation = 0.0;
    if (rising > 0)
    {
        at.y += rising * PickUp_RiseSpeed * scale;
        rotation = rising * SpinPerTick;
    }
    return true;
}

void PickUp::Render(Map const* map, Tick t) const
{
    Pointf at;
    double rotation = 0.0;
    if (!DrawnAt(t, at, rotation))
        return;
    Image const* img = type == PickUp_Heart ? heartImg : type == PickUp_Gem ? gemImg : socksImg;
    assert(img != nullptr && "img != NULL");
    img->Render(at, rotation, scale * PickUp_Width, scale * PickUp_Height, Image_Centre | Image_Bottom, &map->view);
}

bool PickUp::ActivePoint(Pointf& centre, double& radius, double& objScale) const
{
    centre = pos;
    radius = ActiveRadius * scale;
    objScale = scale;
    return true;
}
