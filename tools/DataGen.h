// Entry points of the placeholder-data generator: each writes one family of data files under dir.
#pragma once

#include "engine/Level_Type.h"
#include "tools/Figure.h"

#include <string>
#include <vector>

namespace DataGen
{

// A complete data folder: every family below, the puzzles, the test world, and each world's data.
void WriteAll(std::string const& dir);

// Creates path and its missing parents; throws std::runtime_error on failure.
void MakeDirs(std::string const& path);
// Writes canvas as dir/name, making the folders it lies in.
void SavePng(Canvas const& canvas, std::string const& dir, std::string const& name, PngFormat format = PngFormat::Rgba);

// One texture of a world's own in its image map: the picture "<world>/<name>.png" and its letters.
struct ImageMap_Entry
{
    unsigned int id;
    char const* name;
    char const* letters;
};
// Appends a world's own textures to "<world>/imagemap". A map the shared textures have not started
// is begun with the world's name and firstEntry (a line such as "0 final/rock.png hvs"). Throws
// std::runtime_error when the file cannot be written.
void AppendImageMap(std::string const& dir, std::string const& world, std::string const& firstEntry,
                    std::vector<ImageMap_Entry> const& entries);

// Splash screens, the player's sprite sets and axe, pick-ups, chests, signs, targets, the
// hint thumbs, the menu labels, the map-screen pictures and the grid-puzzle cells.
void WriteImages(std::string const& dir);
// The map textures under gfx/map/ and the image map of every world.
void WriteTextureLists(std::string const& dir);
// The three glyph sheets and gfx/text/textinfo.
void WriteFont(std::string const& dir);
// The two speech-bubble frames.
void WriteSpeechBubbles(std::string const& dir);

// The player: a figure in a blue tunic and a red cape.
Figure_Look PlayerLook();
// Past selves and the ghost wear these shades of violet, which no one else wears.
constexpr Rgba PastSelfColour{180, 60, 235, 255};
constexpr Rgba GhostColour{190, 110, 255, 255};

// The generator's world table: one row per world, in level order. A world writes its own data
// (map, pictures) with its writer; one without a writer gets the placeholder scene. A world joins
// the generator by filling in its row in DataGen.cpp.
struct World_Data
{
    Level_Type type;
    char const* folder;
    void (*write)(std::string const& dir); // throws std::runtime_error on failure; null: the placeholder
};
extern World_Data const worlds[9];

// The data folders of the nine worlds, in level order (the folders of the rows above).
extern char const* const worldDirs[9];

} // namespace DataGen
