// Test helpers: map files built with the writer, kept in temporary files and read back; point checks.
#pragma once

#include "tools/MapWriter.h"
#include "util/Error.h"
#include "util/Pointf.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <memory>
#include <vector>

class Textures;

namespace MapFiles
{
inline std::vector<uint8_t> Bytes(MapWriter const& writer)
{
    FILE* file = tmpfile();
    writer.Write(file);
    std::vector<uint8_t> bytes(size_t(ftell(file)));
    rewind(file);
    size_t const got = fread(bytes.data(), 1, bytes.size(), file);
    fclose(file);
    bytes.resize(got);
    return bytes;
}

// Reads a map of type M from the given bytes; the file is named "test/map" in errors.
template <class M>
std::unique_ptr<M> Load(std::vector<uint8_t> const& bytes, Textures const* textures = nullptr)
{
    FILE* file = tmpfile();
    if (!bytes.empty())
        fwrite(bytes.data(), 1, bytes.size(), file);
    rewind(file);
    struct Closer
    {
        FILE* f;
        ~Closer() { fclose(f); }
    } closer{file};
    return std::make_unique<M>(textures, file, "test/map");
}

template <class M>
std::unique_ptr<M> Load(MapWriter const& writer, Textures const* textures = nullptr)
{
    return Load<M>(Bytes(writer), textures);
}

// The error reading these bytes as a map of type M throws; Error_None when it reads.
template <class M>
Error LoadError(std::vector<uint8_t> const& bytes, Textures const* textures = nullptr)
{
    try
    {
        Load<M>(bytes, textures);
    }
    catch (Error const& err)
    {
        return err;
    }
    return Error(Error_None);
}

inline void ExpectPoint(Pointf const& p, double x, double y)
{
    EXPECT_NEAR(p.x, x, 1e-9);
    EXPECT_NEAR(p.y, y, 1e-9);
}

inline void PutWord(std::vector<uint8_t>& bytes, size_t at, uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        bytes[at + size_t(i)] = uint8_t(value >> (24 - 8 * i));
}
} // namespace MapFiles
