// MoveObject: one move order for a map group, kept by its issuer and updated by the moving-group driver.
#pragma once

#include "util/Pointf.h"

#include <cstdint>

constexpr std::uint32_t MoveObject_Translate = 0;
constexpr std::uint32_t MoveObject_Rotate = 1;

// Offsets and angles are absolute, measured from the group's place in the map file. Issuers keep
// their orders in a zeroed FlatList, so a fresh order says "the loaded position". The driver
// writes the old values after applying an order; everything else is the issuer's.
struct MoveObject
{
    std::uint32_t kind;  // MoveObject_Translate or MoveObject_Rotate; anything else is ignored
    std::uint32_t group; // the map group moved
    double newX;         // wanted offset
    double newY;
    double oldX; // offset last applied
    double oldY;
    Pointf centre;   // of the rotation
    double newAngle; // wanted angle
    double oldAngle; // angle last applied
};
