// CreatureSprites: the placeholder sprites of the creatures, one writer per kind.
#pragma once

#include "tools/Canvas.h"

#include <string>

namespace CreatureSprites
{

// Every kind's sprites under dir.
void WriteAll(std::string const& dir);

// Writes canvas as dir/name, making its folders.
void Save(Canvas const& canvas, std::string const& dir, std::string const& name);
// base followed by the two-digit frame number and ".png", as the creatures load their frames.
std::string FrameName(char const* base, int frame);
// The dark outline every creature is drawn with, so that it stands out from any ground.
Canvas_Pen Ink(double width = 1.0);

// One per kind, each defined in the kind's own file (GoblinSprites.cpp, ...) and called by
// WriteAll; a new kind adds its file, its line here and its line in WriteAll's table.
void WriteGoblin(std::string const& dir);
void WriteRat(std::string const& dir);
void WriteVulture(std::string const& dir);
void WriteCactus(std::string const& dir);
void WriteShmoo(std::string const& dir);
void WriteSpider(std::string const& dir);
void WriteGrethyn(std::string const& dir);
// Mozzies and wavy blobs.
void WriteMozzy(std::string const& dir);
void WriteWavyBlob(std::string const& dir);
// The sliding puzzle's tiles.
void WriteSlideyPuzzle(std::string const& dir);
// Spikes, spike balls, jets and vines.
void WriteSpikes(std::string const& dir);
void WriteJet(std::string const& dir);
void WriteVine(std::string const& dir);
// Rock-throwing goblin, imp.
void WriteGoblinDefend(std::string const& dir);
void WriteImp(std::string const& dir);
// Bats and wasps.
void WriteBat(std::string const& dir);
void WriteWasp(std::string const& dir);

} // namespace CreatureSprites
