// Object: the interface of everything placed in a level that moves, is drawn or reacts to the player.
#pragma once

#include "util/Tick.h"

class Map;
class Pointf;

// Everything is asked about one tick at a time: MoveToTime puts the object into its state at
// that tick and the two Render calls draw that state. An object whose ActivePoint answers false
// is never culled by distance from the view.
class Object
{
public:
    Object() = default;
    Object(Object const&) = default;
    virtual ~Object() = default;

    // Copies nothing: an object has no state of its own here, and derived copies for replay
    // must not depend on what the base would copy.
    Object& operator=(Object const&) { return *this; }

    virtual void MoveToTime(Map const* map, Tick t);
    virtual void Render(Map const* map, Tick t) const;
    virtual void RenderFore(Map const* map, Tick t) const;
    virtual void PlayerAtPos(Tick t, Pointf const* playerPos);
    // When true, writes the centre (world units), a radius and the object's scale for culling.
    virtual bool ActivePoint(Pointf& centre, double& radius, double& objScale) const;
};
