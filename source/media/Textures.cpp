// A world's table of map textures, read from its image-map file: still pictures and animation loops.
#include "media/Textures.h"

#include "media/Image.h"
#include "util/DataFile.h"
#include "util/Error.h"
#include "util/FlatList.h"

#include <GL/gl.h>

#include <cassert>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>
#include <utility>

struct Textures::Entry
{
    int id = 0;
    char name[256] = {};
    int frames = 1;
    int ticks = 0;
    Texture_Flags flags = 0;
};

struct Textures::Pictures
{
    // By path and image flags: the lines that name a picture with the same letters share it.
    // Null until the loading pass makes the picture.
    std::map<std::pair<std::string, Image_Flags>, Image*> byName;
    std::uint64_t pixels = 0; // of the pictures counted so far
    bool sized = true;        // false from the first picture whose size cannot be read
};

namespace
{

Image_Flags ImageFlagsOf(Texture_Flags letters)
{
    Image_Flags flags = 0;
    flags |= (letters & Texture_RepeatX) != 0 ? Image_RepeatX : Image_PadX;
    flags |= (letters & Texture_RepeatY) != 0 ? Image_RepeatY : Image_PadY;
    if ((letters & Texture_Mask) != 0)
        flags |= Image_Mask;
    if ((letters & Texture_Plain) != 0)
        flags = (flags & ~(Image_PadX | Image_PadY)) | Image_Plain;
    return flags;
}

Texture_Flags LettersOf(char const* letters)
{
    Texture_Flags flags = 0;
    for (char const* c = letters; *c != '\0'; ++c)
        switch (*c)
        {
        case 'h':
            flags |= Texture_RepeatX;
            break;
        case 'v':
            flags |= Texture_RepeatY;
            break;
        case 's':
            flags |= Texture_Solid;
            break;
        case 'm':
            flags |= Texture_Mask;
            break;
        case 'p':
            flags |= Texture_Plain;
            break;
        default:
            break;
        }
    return flags;
}

// Writes the two digits of frame over the "*" and the character after it.
void NumberFrame(char* star, int frame)
{
    star[0] = static_cast<char>('0' + frame / 10);
    star[1] = static_cast<char>('0' + frame % 10);
}

// The pictures belong to the table, not to the entries that show them.
void FreeFrames(Textures_Texture& entry)
{
    std::free(entry.frames);
    entry.frames = nullptr;
    entry.numFrames = 0;
}

// The path of frame i of the entry named name, which has frames frames.
std::string FramePath(char const* name, int frames, int i)
{
    std::string path = std::string("gfx/map/") + name;
    std::size_t const star = path.find('*');
    assert(frames == 1 || star != std::string::npos);
    if (frames > 1)
        NumberFrame(&path[star], i);
    return path;
}

} // namespace

Textures::Textures(char const* file)
{
    std::snprintf(fileName, sizeof fileName, "%s", file);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    pictures = new Pictures;
    try
    {
        ParseImageMap(file, false);
        if (!hasEntryZero)
            throw Error(Error_ParseFile, file);
        textures = new FlatList<Textures_Texture>(numTextures);
        ParseImageMap(file, true);
    }
    catch (...)
    {
        // The destructor does not run for a constructor that throws.
        FreeAll();
        throw;
    }
}

Textures::~Textures()
{
    FreeAll();
}

void Textures::FreeAll()
{
    if (textures != nullptr)
        for (int i = 0; i < numTextures; ++i)
            FreeFrames((*textures)[i]);
    delete textures;
    textures = nullptr;
    for (auto const& picture : pictures->byName)
        delete picture.second;
    delete pictures;
    pictures = nullptr;
}

void Textures::Associate(Tick time, unsigned int id) const
{
    GetFrame(time, id)->Associate();
}

Image const* Textures::GetFrame(Tick time, unsigned int id) const
{
    assert(id < static_cast<unsigned int>(numTextures));
    assert(time >= 0);
    Textures_Texture const& entry = Resolve(id);
    int frame = entry.ticksPerFrame >= 1 ? (time / entry.ticksPerFrame) % entry.numFrames : 0;
    return entry.frames[frame];
}

Image const* Textures::GetImage(unsigned int id) const
{
    return Resolve(id).frames[0];
}

bool Textures::DefaultSolid(unsigned int id) const
{
    return GetEntry(id).defaultSolid;
}

Textures_Texture const& Textures::GetEntry(unsigned int id) const
{
    assert(id < static_cast<unsigned int>(numTextures));
    return (*textures)[static_cast<int>(id)];
}

Textures_Texture const& Textures::Resolve(unsigned int id) const
{
    Textures_Texture const& entry = GetEntry(id);
    return entry.numFrames > 0 ? entry : (*textures)[0];
}

void Textures::ParseImageMap(char const* file, bool load)
{
    FILE* f = HM_OpenFile(file, "r", DataFile_ImageMapLimit);
    if (f == nullptr)
        throw Error(Error_OpenFile, file);
    bool malformed = false;
    try
    {
        prefix[0] = '\0';
        if (std::fscanf(f, "%127s\n", prefix) != 1)
            malformed = true;
        while (!malformed)
        {
            Entry entry;
            char letters[64] = {};
            int read = std::fscanf(f, "%d %255s %63[hvsmp]", &entry.id, entry.name, letters);
            if (read == EOF || read == 1)
                break;
            if (read < 1)
            {
                // Not an entry (a comment, say): drop the rest of the line.
                if (std::fscanf(f, "%*[^\n]") == EOF || std::fgetc(f) == EOF)
                    break;
                continue;
            }
            entry.flags = LettersOf(letters);
            char const* star = std::strchr(entry.name, '*');
            if (star != nullptr && (star[1] == '\0' || std::fscanf(f, "%d %d", &entry.frames, &entry.ticks) != 2))
                malformed = true;
            else if (entry.id < 0 || entry.id > MaxId || entry.frames < 1 || entry.frames > MaxFrames
                     || entry.ticks < 0)
                malformed = true;
            else if (load)
                LoadImage(entry);
            else
                CountTextures(entry);
        }
    }
    catch (...)
    {
        std::fclose(f);
        throw;
    }
    std::fclose(f);
    if (malformed)
        throw Error(Error_ParseFile, file);
}

void Textures::CountTextures(Entry const& entry)
{
    if (entry.id + 1 > numTextures)
        numTextures = entry.id + 1;
    if (entry.id == 0)
        hasEntryZero = true;

    // The pictures' sizes come from their headers, so that too many pixels are refused before
    // any is made. Past a picture whose size cannot be read nothing is counted: loading fails
    // there, or before it.
    Image_Flags const flags = ImageFlagsOf(entry.flags);
    for (int i = 0; i < entry.frames && pictures->sized; ++i)
    {
        std::string path = FramePath(entry.name, entry.frames, i);
        auto const added = pictures->byName.emplace(std::make_pair(std::move(path), flags), nullptr);
        if (!added.second)
            continue;
        std::uint64_t const pixels = Image::FilePixels(added.first->first.first.c_str(), flags);
        if (pixels == 0)
            pictures->sized = false;
        pictures->pixels += pixels;
        if (pictures->pixels > MaxPixels)
        {
            std::string const text = std::string(fileName) + ": " + added.first->first.first
                                     + ": more pixels than the image map's pictures may hold together";
            throw Error(Error_PngRead, text.c_str());
        }
    }
}

void Textures::LoadImage(Entry const& entry)
{
    Textures_Texture& texture = (*textures)[entry.id];
    // A later line with the same id replaces the earlier one.
    FreeFrames(texture);
    texture.frames = static_cast<Image**>(std::calloc(entry.frames, sizeof(Image*)));
    if (texture.frames == nullptr)
        throw Error(Error_OutOfMemory);
    texture.numFrames = entry.frames;
    texture.ticksPerFrame = entry.ticks;
    texture.defaultSolid = (entry.flags & Texture_Solid) != 0;

    Image_Flags flags = ImageFlagsOf(entry.flags);
    for (int i = 0; i < entry.frames; ++i)
    {
        auto const named =
            pictures->byName.emplace(std::make_pair(FramePath(entry.name, entry.frames, i), flags), nullptr);
        Image*& picture = named.first->second;
        if (picture == nullptr)
            try
            {
                picture = new Image(named.first->first.first.c_str(), flags, false);
            }
            catch (Error const& e)
            {
                // The image map that named the picture first: a long picture name may be cut short.
                std::string const text = std::string(fileName) + ": " + e.Text();
                throw Error(e.Code(), text.c_str());
            }
        texture.frames[i] = picture;
    }
    Image::CheckGlError();
}
