// Casle_Machine_Switch: the gear train with a missing cog that, once mended and started, opens a door.
#pragma once

#include "engine/Activated.h"
#include "engine/Activator.h"
#include "engine/Object.h"
#include "util/Tick.h"

class Collectable;
class Image;
class Map;

// The cog the player carries to the machine snaps in when it is let go close enough to it. The
// start switch (the machine's activator) then runs the machine from the tick after its first
// press at or after the cog went in, for good. Everything is answered from the tick the cog went
// in and the switch's record, so a travel back shows the machine as it stood then.
class Casle_Machine_Switch final : public Object, public Activator, public Activated
{
public:
    Casle_Machine_Switch(Collectable* machineCog, unsigned int refPoint);
    ~Casle_Machine_Switch() override;
    Casle_Machine_Switch(Casle_Machine_Switch const&) = delete;
    Casle_Machine_Switch& operator=(Casle_Machine_Switch const&) = delete;

    bool HasCog(Tick t) const;
    // The tick at which the machine started: the first tick at or after the cog went in at which
    // the start switch was on; -1 while it has not.
    Tick ActiveTime() const;
    Tick GetCogTime() const { return cogTime; }

    void MoveToTime(Map const* map, Tick t) override;
    void Render(Map const* map, Tick t) const override;

    bool IsActive(Tick t) const override;
    Tick LastActiveTime(Tick t) const override;
    Tick LastInactiveTime(Tick t) const override;
    using Activator::ActiveCount;
    using Activator::NextActiveTime;

private:
    Collectable* cog;        // the world's
    Image* cogImg = nullptr; // owned
    unsigned int ref;        // the reference point the machine stands at
    Tick cogTime = -1;       // when the cog went in; -1 until then
};
