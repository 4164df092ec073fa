// Switch_Blocker: the interface of things that can hold a floor switch up.
#pragma once

#include "util/Tick.h"

class Map;

class Switch_Blocker
{
public:
    Switch_Blocker() = default;
    virtual ~Switch_Blocker() = default;

    // Whether the switches this blocks cannot be pressed at t. Switches ask every blocker, so an
    // implementation may act on the call as well as answer it.
    virtual bool IsBlocked(Map const* map, Tick t) = 0;

protected:
    Switch_Blocker(Switch_Blocker const&) = default;
    Switch_Blocker& operator=(Switch_Blocker const&) = default;
};
