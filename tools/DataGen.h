// Entry points of the placeholder-data generator: each writes one family of data files under dir.
#pragma once

#include "tools/Figure.h"

#include <string>

namespace DataGen
{

// A complete data folder: every family below, the puzzles, the test world, the tree village and a
// placeholder map for each other world.
void WriteAll(std::string const& dir);

// Creates path and its missing parents; throws std::runtime_error on failure.
void MakeDirs(std::string const& path);

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

// The data folders of the nine worlds, in level order.
extern char const* const worldDirs[9];

} // namespace DataGen
