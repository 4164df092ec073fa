// Teleport: the record of a two-way teleport between two reference points of the map.
#pragma once

#include <cstdint>

// A player within `distance` (|dx| + |dy|) of one end is taken to the other end.
class Teleport final
{
public:
    Teleport(std::uint32_t idA, std::uint32_t idB, double useDistance) : refIdA(idA), refIdB(idB), distance(useDistance)
    {
    }

    std::uint32_t refIdA = 0; // reference point at one end
    std::uint32_t refIdB = 0; // reference point at the other end
    double distance = 0.0;    // how near an end the player must stand to use it
};
