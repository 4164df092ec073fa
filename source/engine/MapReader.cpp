// Checked big-endian field reader for map files.
#include "engine/MapReader.h"

#include "util/DataFile.h"
#include "util/Error.h"

#include <cmath>

MapReader::MapReader(FILE* mapFile, char const* fileName)
    : file(mapFile), name(fileName != nullptr ? fileName : "map"), remaining(0)
{
    if (file == nullptr)
        Fail();
    // The size bounds every count in the file, so a corrupt count can never ask for a huge allocation.
    long const at = ftell(file);
    if (at < 0 || fseek(file, 0, SEEK_END) != 0)
        Fail();
    long const end = ftell(file);
    if (end < at || fseek(file, at, SEEK_SET) != 0)
        Fail();
    remaining = uint64_t(end - at);
}

void MapReader::ReadBytes(void* to, uint32_t size)
{
    if (remaining < size || fread(to, 1, size, file) != size)
        Fail();
    remaining -= size;
}

uint32_t MapReader::ReadWord()
{
    uint32_t raw = 0;
    ReadBytes(&raw, sizeof raw);
    return FlipWord(raw);
}

double MapReader::ReadDouble()
{
    double raw = 0.0;
    ReadBytes(&raw, sizeof raw);
    double const value = FlipDouble(raw);
    if (!std::isfinite(value))
        Fail();
    return value;
}

double MapReader::ReadCoordinate()
{
    double const value = ReadDouble();
    if (!(std::fabs(value) <= MaxCoordinate))
        Fail();
    return value;
}

void MapReader::SkipByte()
{
    uint8_t spare = 0;
    ReadBytes(&spare, 1);
}

uint32_t MapReader::ReadCount(uint32_t recordSize)
{
    uint32_t const count = ReadWord();
    CheckRoom(count, recordSize);
    return count;
}

void MapReader::CheckRoom(uint32_t count, uint32_t recordSize) const
{
    if (uint64_t(count) * recordSize > remaining)
        Fail();
}

void MapReader::Fail() const
{
    throw Error(Error_ParseFile, name);
}
