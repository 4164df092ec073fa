// Villager test support: the speaking fixture with the villagers' and the market sign's pictures,
// each picture a solid colour of its own, and a small map of the villagers' reference points.
#pragma once

#include "support/SmallMap.h"
#include "support/SpeakingFixture.h"
#include "tools/Canvas.h"
#include "treevillage/TreeV_Dude.h"

#include <cstdint>
#include <filesystem>
#include <string>

// The colour of the picture of villager type row r, frame f.
inline Rgba VillagerColour(int r, int f)
{
    return Rgba{std::uint8_t(20 * r + 15), std::uint8_t(40 * f + 15), 200, 255};
}

inline void WriteVillagerImages(std::string const& dir)
{
    std::filesystem::path const dudes = std::filesystem::path(dir) / "gfx/treevillage/dudes";
    std::filesystem::create_directories(dudes);
    for (int r = 0; r < 4; r++)
        for (int f = 0; f < TreeV_Dude_MaxFrames; f++)
        {
            std::string const name = std::string("treedude") + char('A' + r) + "0" + char('0' + f) + ".png";
            Canvas(8, 8, VillagerColour(r, f)).WritePng((dudes / name).string());
        }
    char const* const singles[] = {"doctor",      "king",        "wiseman",    "dudesmall00",
                                   "dudesmall01", "dudesmall02", "dudesmall03"};
    for (int r = 4; r < TreeV_Dude_TypeCount; r++)
        Canvas(8, 8, VillagerColour(r, 0)).WritePng((dudes / (std::string(singles[r - 4]) + ".png")).string());
    for (int i = 0; i < 6; i++)
        Canvas(8, 8, Rgba{200, 100, 50, 255})
            .WritePng(dir + "/gfx/treevillage/marketsign0" + std::to_string(i) + ".png");
}

// Reference points of the villagers the tests place, on the long floor: villager 0 at x 100,
// stroller 2 between 24 (x -1000) and its start 23 (x 0), stroller 3 from its start 58 (x -40)
// to 59 (x 300), Marbles at 53 (x 200), villager 9 at 105 (x 40), villager 8 in the air at 80.
inline std::unique_ptr<Map> ReadVillageMap()
{
    MapWriter writer = FloorWriter();
    writer.AddRefPoint(1, 100.0, 0.0);
    writer.AddRefPoint(23, 0.0, 0.0);
    writer.AddRefPoint(24, -1000.0, 0.0);
    writer.AddRefPoint(58, -40.0, 0.0);
    writer.AddRefPoint(59, 300.0, 0.0);
    writer.AddRefPoint(53, 200.0, 0.0);
    writer.AddRefPoint(105, 40.0, 0.0);
    writer.AddRefPoint(80, -200.0, 100.0);
    writer.AddRefPoint(200, 0.0, 0.0); // where the player starts
    return ReadSmallMap(writer);
}

class VillagerFixture : public SpeakingFixture
{
protected:
    static void SetUpTestSuite()
    {
        SpeakingFixture::SetUpTestSuite();
        WriteVillagerImages(data->Path());
    }
};
