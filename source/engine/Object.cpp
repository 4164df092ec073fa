// The default behaviour of level objects: nothing to move, nothing to draw, never culled.
#include "engine/Object.h"

void Object::MoveToTime(Map const*, Tick)
{
}

void Object::Render(Map const*, Tick) const
{
}

void Object::RenderFore(Map const*, Tick) const
{
}

void Object::PlayerAtPos(Tick, Pointf const*)
{
}

bool Object::ActivePoint(Pointf&, double&, double&) const
{
    return false;
}
