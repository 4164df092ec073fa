// TumbleWeed: the trigger and the roll.
#include "plateau/TumbleWeed.h"

#include "engine/GameEvents.h"
#include "engine/Map.h"
#include "media/Image.h"
#include "util/Util.h"

#include <cassert>

TumbleWeed::TumbleWeed(Map const* map, unsigned startRp, unsigned endRp)
    : start(map->GetRefPoint(startRp)), end(map->GetRefPoint(endRp)), startTime(GameEvent_HasntHappened)
{
}

void TumbleWeed::Initialise()
{
    assert(image == nullptr && "image == NULL");
    image = new Image("gfx/plateau/tumbleweed.png", Image_Mask, false);
}

void TumbleWeed::Finalise()
{
    delete image;
    image = nullptr;
}

void TumbleWeed::PlayerAtPos(Tick t, Pointf const* playerPos)
{
    double const line = start.x - TumbleWeed_Trigger;
    if (startTime == GameEvent_HasntHappened && playerPos->x > line && !Util::Equal(playerPos->x, line))
        startTime = t;
}

bool TumbleWeed::PosAt(Tick t, Pointf& at) const
{
    if (startTime == GameEvent_HasntHappened || startTime > t)
        return false;
    at = Pointf(start.x - TumbleWeed_Speed * (t - startTime), start.y);
    return !(at.x < end.x && !Util::Equal(at.x, end.x));
}

void TumbleWeed::Render(Map const* map, Tick t) const
{
    Pointf at;
    if (PosAt(t, at))
        image->Render(at, -t / 12.0, TumbleWeed_Size, TumbleWeed_Size, Image_Centre | Image_Middle, &map->view);
}
