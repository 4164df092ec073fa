// Petra_Factory_Tube: a factory machine that drops one of its jars each time its plate goes down.
#pragma once

#include "engine/Object.h"
#include "util/Pointf.h"
#include "util/Tick.h"

class Activator;
class Collectable;
class Map;

// Each press of its plate, as seen between two steps, puts the tube's next jar at its mouth, at
// rest, and pops; once the stock is used up the plate does nothing. The tube keeps no record of
// its presses: it is right only in a level without time travel. The jar keeps its own record
// from the placing on.
class Petra_Factory_Tube final : public Object
{
public:
    // jars is borrowed, not copied: count jars placed in array order.
    Petra_Factory_Tube(Collectable** jars, int count, Pointf mouth, Activator* plate);
    ~Petra_Factory_Tube() override = default;
    Petra_Factory_Tube(Petra_Factory_Tube const&) = delete;
    Petra_Factory_Tube& operator=(Petra_Factory_Tube const&) = delete;

    void MoveToTime(Map const* map, Tick t) override;

private:
    Activator* activator;
    Pointf pos;            // the mouth
    Collectable** nextJar; // the next jar to place
    int jarsLeft;
    bool wasActive = false; // the plate was down at the previous step
};
