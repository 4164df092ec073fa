// Checked big-endian field reader for map files: every short read or impossible count is a parse error naming the file.
#pragma once

#include <cstdint>
#include <cstdio>

class MapReader final
{
public:
    MapReader(FILE* mapFile, char const* fileName);
    MapReader(MapReader const&) = delete;
    MapReader& operator=(MapReader const&) = delete;

    uint32_t ReadWord();
    double ReadDouble(); // finite values only
    // A position in the world: no map reaches this far, and turning points much farther out
    // loses the precision that tells a polygon's corners apart.
    static constexpr double MaxCoordinate = 1.0e7;
    double ReadCoordinate(); // within MaxCoordinate of the origin
    void SkipByte();
    // Reads a record count and checks that that many records of recordSize bytes can still follow.
    uint32_t ReadCount(uint32_t recordSize);
    void CheckRoom(uint32_t count, uint32_t recordSize) const;
    [[noreturn]] void Fail() const;
    char const* Name() const { return name; }

private:
    void ReadBytes(void* to, uint32_t size);

    FILE* file;
    char const* name;
    uint64_t remaining; // bytes left in the file after the read position
};
