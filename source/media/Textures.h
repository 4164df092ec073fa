// A world's table of map textures, read from its image-map file: still pictures and animation loops.
#pragma once

#include "util/Tick.h"

#include <cstdint>
#include <cstdio>

class Image;
template <class T>
class FlatList;

// The letters of an image-map entry, as bits.
using Texture_Flags = unsigned int;
constexpr Texture_Flags Texture_RepeatX = 1; // "h"
constexpr Texture_Flags Texture_RepeatY = 2; // "v"
constexpr Texture_Flags Texture_Solid = 4;   // "s"
constexpr Texture_Flags Texture_Mask = 8;    // "m"
constexpr Texture_Flags Texture_Plain = 16;  // "p"

struct Textures_Texture
{
    Image** frames;    // numFrames pictures, held by the table (lines naming one picture share it)
    bool defaultSolid; // the "s" letter
    int numFrames;     // 0 for an id that no line names
    int ticksPerFrame; // level-clock units (1/256 step) per frame; 0 for a still texture
};

class Textures final
{
public:
    // Ids run from 0 to MaxId; an animation has 1 to MaxFrames frames (two digits name them).
    static constexpr int MaxId = 4095;
    static constexpr int MaxFrames = 100;
    // The pixels of every picture an image map names, together, pad bands included: some fifty
    // times what a world's own pictures hold, and as much as three of the largest pictures, which
    // the game holds in well under a gigabyte; a small file naming one such picture in many ways
    // asked for gigabytes.
    static constexpr std::uint64_t MaxPixels = std::uint64_t(48) << 20;

    // Reads the image-map file and loads every picture it names from gfx/map/, once for all
    // the lines that name it with the same picture letters. A missing file is Error_OpenFile,
    // a malformed entry or a file without entry 0 Error_ParseFile, both naming the file; a
    // missing picture is Error_OpenFile, an unreadable one, one the GL cannot hold, and one
    // past MaxPixels with those before it, Error_PngRead, naming the file and the picture.
    explicit Textures(char const* file);
    ~Textures();
    Textures(Textures const&) = delete;
    Textures& operator=(Textures const&) = delete;

    // Binds the frame of id shown at time, the level clock in 1/256 steps (never negative).
    void Associate(Tick time, unsigned int id) const;
    // The picture that Associate binds for id at time.
    Image const* GetFrame(Tick time, unsigned int id) const;
    // The first frame of id; ids without frames fall back to entry 0.
    Image const* GetImage(unsigned int id) const;
    bool DefaultSolid(unsigned int id) const;

    int GetNumTextures() const { return numTextures; }
    // Whether id lies inside the table (ids without frames included).
    bool IsTexture(unsigned int id) const { return id < static_cast<unsigned int>(numTextures); }
    // Whether a line of the file names id (ids without one are drawn with entry 0).
    bool HasEntry(unsigned int id) const { return IsTexture(id) && GetEntry(id).numFrames > 0; }
    char const* GetPrefix() const { return prefix; }
    // The image-map file, for errors about the ids it lacks.
    char const* FileName() const { return fileName; }
    // The entry as read, without the fall-back to entry 0.
    Textures_Texture const& GetEntry(unsigned int id) const;

private:
    struct Entry;
    struct Pictures;

    void ParseImageMap(char const* file, bool load);
    void CountTextures(Entry const& entry);
    void LoadImage(Entry const& entry);
    Textures_Texture const& Resolve(unsigned int id) const;
    // Frees every frames array and picture.
    void FreeAll();

    int numTextures = 0;
    FlatList<Textures_Texture>* textures = nullptr;
    Pictures* pictures = nullptr; // each picture the lines name, loaded once
    char prefix[128] = {};        // the file's first word
    bool hasEntryZero = false;
    char fileName[128] = {};
};
