// CharStats: the movement constants of one kind of character, shared by reference count.
#pragma once

#include "util/RefObj.h"

#include <cstdint>

class CharStats : public RefObj
{
public:
    CharStats() = default;
    CharStats(CharStats const&) = delete;
    CharStats& operator=(CharStats const&) = delete;
    ~CharStats() override = default;

    double width = 0.0; // body box, map units
    double height = 0.0;
    double accel = 0.0;           // speed added per step while left or right is held
    double decel = 0.0;           // speed removed per step while nothing pushes along the motion
    double maxSpeed = 0.0;        // bound of the ground speed either way
    double gravity = 0.0;         // fall speed added per step
    double jumpSpeed = 0.0;       // speed given by a jump
    double jumpDecay = 0.0;       // jump speed removed per step
    bool airJump = false;         // a second jump in the air is allowed
    int hearts = 1;               // the maximum of hit points
    std::uint32_t frameCount = 0; // frames of the walk cycle, frame 0 standing
    double frameDist = 0.0;       // distance walked per walk frame
};
