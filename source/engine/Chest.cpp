// Chests: opening stamp, drawing until opened, and the sound of opening.
#include "engine/Chest.h"

#include "engine/GameEvents.h"
#include "engine/Map.h"
#include "engine/PickUp.h"
#include "media/Game_Sounds.h"
#include "media/Image.h"

#include <cassert>

namespace
{

constexpr double ActiveRadiusPerPixel = 4.0;

} // namespace

Image* Chest::image = nullptr;

Chest::Chest(Pointf position, int puzzleId, PickUp* pickUp, double chestScale)
    : pos(position), scale(chestScale), id(puzzleId), content(pickUp)
{
}

void Chest::Initialise()
{
    image = new Image("gfx/general/chest.png", Image_Mask, false);
    if (gameSounds != nullptr)
        gameSounds->InitSound(Sound_ChestOpen);
}

void Chest::Finalise()
{
    delete image;
    image = nullptr;
}

bool Chest::Openable(Pointf& point, double& pointScale) const
{
    point = pos;
    pointScale = scale;
    return openTime == GameEvent_HasntHappened;
}

void Chest::Open(Tick t)
{
    assert(openTime == GameEvent_HasntHappened && "openTime == GameEvent_HasntHappened");
    openTime = t;
    if (gameSounds != nullptr)
        gameSounds->Play(Sound_ChestOpen, nullptr, false, 1.0);
    if (content != nullptr)
        content->Found(t);
}

void Chest::Render(Map const* map, Tick t) const
{
    if (!ShownAt(t))
        return;
    image->Render(pos, 0.0, scale, Image_Centre | Image_Bottom, &map->view);
}

bool Chest::ActivePoint(Pointf& centre, double& radius, double& objScale) const
{
    centre = pos;
    radius = image->GetWidth() * ActiveRadiusPerPixel;
    objScale = scale;
    return true;
}
