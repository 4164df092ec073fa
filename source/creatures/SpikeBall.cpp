// SpikeBall: following the path, contact and drawing.
#include "creatures/SpikeBall.h"

#include "engine/Map.h"
#include "engine/Path.h"
#include "media/Image.h"

#include <algorithm>
#include <cassert>
#include <cstdlib>

namespace
{
char const* const spikeballfile = "gfx/spikeball.png";
} // namespace

Image* SpikeBall::frame = nullptr;

SpikeBall::SpikeBall(Path* followed) : path(followed)
{
    assert(path != nullptr && "path != NULL");
    // The worlds' later construction draws follow this one, so it is drawn though unused.
    static_cast<void>(std::rand());
    position = PositionAtTime(0);
}

SpikeBall::~SpikeBall()
{
    delete path;
}

void SpikeBall::Initialise()
{
    assert(frame == nullptr && "frame == NULL");
    frame = new Image(spikeballfile, Image_Mask, false);
}

void SpikeBall::Finalise()
{
    delete frame;
    frame = nullptr;
}

Pointf SpikeBall::PositionAtTime(Tick t) const
{
    return path->PositionAtTime(t).pos;
}

void SpikeBall::MoveToTime(Map const*, Tick t)
{
    position = PositionAtTime(t);
}

void SpikeBall::Render(Map const* map, Tick) const
{
    assert(frame != nullptr && "frame != NULL");
    frame->Render(position, 0.0, SpikeBall_Width, SpikeBall_Height, Image_Centre | Image_Middle, &map->view);
}

bool SpikeBall::ActivePoint(Pointf& centre, double& radius, double& objScale) const
{
    Rectf const b = path->GetBound();
    centre = Pointf((b.x0 + b.x1) / 2.0, (b.y0 + b.y1) / 2.0);
    radius = 128.0 + std::max(b.x1 - b.x0, b.y1 - b.y0);
    objScale = 1.0;
    return true;
}

int SpikeBall::IsPlayerHit(Tick, Pointf const* playerPos)
{
    return playerPos->DistanceEst(&position) < SpikeBall_Hit_Dist ? 1 : 0;
}
