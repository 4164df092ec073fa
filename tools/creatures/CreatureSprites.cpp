// CreatureSprites: the table of kinds and the helpers the kinds' writers share.
#include "tools/creatures/CreatureSprites.h"

#include "tools/Canvas.h"
#include "tools/DataGen.h"

#include <cstdio>

namespace CreatureSprites
{

void WriteAll(std::string const& dir)
{
    using Writer = void (*)(std::string const&);
    Writer const writers[] = {
        &WriteGoblin,       &WriteRat, &WriteVulture, &WriteCactus, &WriteShmoo, &WriteSpider, &WriteGrethyn,
        &WriteSlideyPuzzle, // the sliding puzzle's tiles
    };
    for (Writer write : writers)
        write(dir);
    // Mozzies and wavy blobs.
    WriteMozzy(dir);
    WriteWavyBlob(dir);
    // Spikes, spike balls, jets and vines.
    Writer const hazards[] = {&WriteSpikes, &WriteJet, &WriteVine};
    for (Writer write : hazards)
        write(dir);
    // Rock-throwing goblin, imps.
    WriteGoblinDefend(dir);
    WriteImp(dir);
    // Bats and wasps.
    WriteBat(dir);
    WriteWasp(dir);
}

void Save(Canvas const& canvas, std::string const& dir, std::string const& name)
{
    DataGen::SavePng(canvas, dir, name);
}

Canvas_Pen Ink(double width)
{
    return Canvas_Pen{Rgba{30, 22, 26, 255}, width};
}

std::string FrameName(char const* base, int frame)
{
    char buffer[128];
    std::snprintf(buffer, sizeof buffer, "%s%.2d.png", base, frame);
    return buffer;
}

} // namespace CreatureSprites
