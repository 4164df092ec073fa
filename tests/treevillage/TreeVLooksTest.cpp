// What the village shows a player, read back from frames drawn from the generated data: Marbles'
// jars in their colours on their shelf, the patient's face with its coloured key pairs, and the
// doorways out of the rooms.
#include "engine/Map.h"
#include "engine/Player.h"
#include "support/PngPixels.h"
#include "support/WorldFixture.h"
#include "treevillage/FramePixels.h"
#include "treevillage/TreeV.h"
#include "treevillage/TreeV_Events.h"
#include "treevillage/TreeV_Ids.h"
#include "treevillage/TreeV_Patient.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

namespace
{

// The height of a jar from the shelf to its mouth, a little less than the picture's, and the
// middle of the plank of the shelf under it.
constexpr double Jar_Depth = 26.0;
constexpr double Shelf_Below = 35.0;
// The doorway's opening above a room's exit spot, in units: its half width and its height.
constexpr double Doorway_HalfWidth = 7.0;
constexpr double Doorway_Height = 36.0;
// Half the side of the square looked at inside a spot on the patient's face, in units.
constexpr double Spot_Inside = 0.03;
constexpr double Jar_HalfWidth = 10.0;

class TreeVLooks : public WorldFixture
{
protected:
    void SetUp() override
    {
        WorldFixture::SetUp();
        sounds.mute = 1;
    }

    // The village with the player put at p and the camera settled on him.
    TreeV& StandIn(Pointf p)
    {
        Build(Level_TreeV, events);
        TreeV& village = As<TreeV>();
        village.GetPlayer()->SetPos(&p);
        Steps(90);
        return village;
    }
};

} // namespace

TEST_F(TreeVLooks, MarblesJarsShowRedBlueGreenAndYellowFromTheLeftOnAShelfSetOffFromTheWall)
{
    TreeV& village = StandIn(Pointf(2300.0, 2665.0));
    FramePixels const frame = FramePixels::Draw(village);
    Map const* map = village.GetMap();
    double const s = map->view.scale;
    for (int jar = 0; jar < Marbles_Jars; jar++)
    {
        Pointf const mouth = map->WorldToScreen(map->GetRefPoint(Jar_Points[jar]));
        std::array<int, FramePixels_Hues> counts{};
        frame.ForEach(mouth.x - Jar_HalfWidth * s, mouth.y - Jar_Depth * s, mouth.x + Jar_HalfWidth * s, mouth.y,
                      [&](FramePixels_Rgb c) {
                          int const hue = FramePixels::HueOf(c);
                          if (hue >= 0)
                              counts[std::size_t(hue)]++;
                      });
        int const mostly = int(std::max_element(counts.begin(), counts.begin() + Marbles_Jars) - counts.begin());
        EXPECT_EQ(mostly, jar) << "jar " << jar << " shows red " << counts[0] << ", blue " << counts[1] << ", green "
                               << counts[2] << ", yellow " << counts[3];
        EXPECT_GT(counts[std::size_t(jar)], 60) << "jar " << jar;
    }

    // Under the jars the shelf is darker than the boards of the wall above them, all along.
    Pointf const first = map->WorldToScreen(map->GetRefPoint(Jar_Points[0]));
    Pointf const last = map->WorldToScreen(map->GetRefPoint(Jar_Points[Marbles_Jars - 1]));
    int shelf = 0;
    int wall = 0;
    int samples = 0;
    for (double x = first.x - 20.0 * s; x <= last.x + 10.0 * s; x += 5.0, samples++)
    {
        int const plank = FramePixels::Brightness(frame.At(x, first.y - Shelf_Below * s));
        EXPECT_LT(plank, 260) << "the shelf at x " << x;
        shelf += plank;
        wall += FramePixels::Brightness(frame.At(x, first.y + 40.0 * s));
    }
    EXPECT_LT(shelf + 60 * samples, wall) << "over " << samples << " points";
}

TEST_F(TreeVLooks, ThePatientsCloseViewShowsHisKeyPairsWhiteBlueGreenAndYellowTheOtherSpotsRedAndTheLinks)
{
    TreeV& village = StandIn(Pointf(2360.0, 3065.0));
    village.GetEvents()->patientRunning = true;
    TreeV_Patient const* patient = village.GetPatient();
    Map const* map = village.GetMap();
    for (int i = 0; i < 400 && (patient->State() != 2 || map->view.scale < 281.0); i++)
        Step();
    ASSERT_EQ(patient->State(), 2);
    FramePixels const frame = FramePixels::Draw(village);
    double const s = map->view.scale;
    auto spotAt = [&](int spot) { return map->WorldToScreen(map->GetRefPoint(unsigned(Spot_RefPt_Start + spot))); };

    int const pairHues[Patient_Pairs] = {FramePixels_White, FramePixels_Blue, FramePixels_Green, FramePixels_Yellow};
    for (int spot = 0; spot < Spot_Count; spot++)
    {
        int want = FramePixels_Red;
        for (int pair = 0; pair < Patient_Pairs; pair++)
            if (Patient_KeySpots[pair][0] == spot || Patient_KeySpots[pair][1] == spot)
                want = pairHues[pair];
        Pointf const c = spotAt(spot);
        ASSERT_TRUE(c.x > 0.0 && c.x < 640.0 && c.y > 0.0 && c.y < 480.0) << "spot " << spot << " off the screen";
        double const r = Spot_Inside * s;
        std::array<int, FramePixels_Hues> counts{};
        frame.ForEach(c.x - r, c.y - r, c.x + r, c.y + r, [&](FramePixels_Rgb px) {
            if (int const hue = FramePixels::HueOf(px); hue >= 0)
                counts[std::size_t(hue)]++;
        });
        int const mostly = int(std::max_element(counts.begin(), counts.end()) - counts.begin());
        EXPECT_EQ(mostly, want) << "spot " << spot;
        EXPECT_GT(counts[std::size_t(want)], int(2.0 * r * r)) << "spot " << spot;
    }

    // Each line the player may still draw shows darker than the skin on either side of it.
    int lines = 0;
    for (int a = 0; a < Spot_Count; a++)
        for (int b = a + 1; b < Spot_Count; b++)
        {
            if (!patient->Linked(a, b))
                continue;
            lines++;
            Pointf const pa = spotAt(a), pb = spotAt(b);
            Pointf const mid((pa.x + pb.x) / 2.0, (pa.y + pb.y) / 2.0);
            double const length = std::hypot(pb.x - pa.x, pb.y - pa.y);
            Pointf const across(-(pb.y - pa.y) / length * 8.0, (pb.x - pa.x) / length * 8.0);
            int line = 1000;
            frame.ForEach(mid.x - 1.0, mid.y - 1.0, mid.x + 2.0, mid.y + 2.0,
                          [&](FramePixels_Rgb px) { line = std::min(line, FramePixels::Brightness(px)); });
            int const skin = std::max(FramePixels::Brightness(frame.At(mid.x + across.x, mid.y + across.y)),
                                      FramePixels::Brightness(frame.At(mid.x - across.x, mid.y - across.y)));
            EXPECT_LT(line + 30, skin) << "the line from spot " << a << " to spot " << b;
        }
    EXPECT_GT(lines, 50);
}

TEST_F(TreeVLooks, EachRoomShowsItsWayOutAsADoorwayOntoDaylightAtItsExitSpot)
{
    auto isDaylight = [](FramePixels_Rgb c) { return c[2] > 225 && c[2] > c[0] + 20 && c[1] > 180; };
    for (auto const& teleport : TreeV_Teleports)
    {
        unsigned int const spot = teleport[1];
        Build(Level_TreeV, events);
        TreeV& village = As<TreeV>();
        Map const* map = village.GetMap();
        Pointf const exit = map->GetRefPoint(spot);
        // Standing well inside the room, out of the doorway's way.
        Pointf inside(exit.x + 120.0, exit.y + 5.0);
        if (TreeV::CameraZone(inside) != TreeV::CameraZone(exit))
            inside.x = exit.x - 120.0;
        village.GetPlayer()->SetPos(&inside);
        Steps(90);
        FramePixels const frame = FramePixels::Draw(village);
        double const s = map->view.scale;
        Pointf const foot = map->WorldToScreen(exit);
        int light = 0;
        frame.ForEach(foot.x - Doorway_HalfWidth * s, foot.y, foot.x + Doorway_HalfWidth * s,
                      foot.y + Doorway_Height * s, [&](FramePixels_Rgb c) { light += isDaylight(c) ? 1 : 0; });
        EXPECT_GT(light, int(2.0 * Doorway_HalfWidth * Doorway_Height * s * s / 3.0)) << "at the exit spot " << spot;
        // Nowhere else along the room's wall.
        int elsewhere = 0;
        Pointf const other = map->WorldToScreen(inside);
        frame.ForEach(other.x - Doorway_HalfWidth * s, foot.y, other.x + Doorway_HalfWidth * s,
                      foot.y + Doorway_Height * s, [&](FramePixels_Rgb c) { elsewhere += isDaylight(c) ? 1 : 0; });
        EXPECT_EQ(elsewhere, 0) << "beside the exit spot " << spot;
    }
}

TEST_F(TreeVLooks, EveryVillagerTypeWearsALookOfItsOwn)
{
    // The first frame of each of the eleven types, as the villagers load them.
    std::vector<std::string> files;
    for (char row = 'A'; row <= 'D'; row++)
        files.push_back(std::string("gfx/treevillage/dudes/treedude") + row + "00.png");
    for (char const* single : {"doctor", "king", "wiseman"})
        files.push_back(std::string("gfx/treevillage/dudes/") + single + ".png");
    for (int child = 0; child < 4; child++)
        files.push_back("gfx/treevillage/dudes/dudesmall0" + std::to_string(child) + ".png");
    std::vector<std::vector<unsigned char>> looks;
    for (std::string const& file : files)
    {
        looks.push_back(PngPixels(file).pixels);
        ASSERT_FALSE(looks.back().empty()) << file;
    }
    // Two looks differ in a good part of the pixels either shows.
    for (std::size_t a = 0; a < looks.size(); a++)
        for (std::size_t b = a + 1; b < looks.size(); b++)
        {
            ASSERT_EQ(looks[a].size(), looks[b].size()) << files[a] << " and " << files[b];
            int shown = 0, differ = 0;
            for (std::size_t k = 0; k + 3 < looks[a].size(); k += 4)
            {
                if (looks[a][k + 3] < 128 && looks[b][k + 3] < 128)
                    continue;
                shown++;
                int d = 0;
                for (std::size_t c = 0; c < 4; c++)
                    d += std::abs(int(looks[a][k + c]) - int(looks[b][k + c]));
                differ += d > 60 ? 1 : 0;
            }
            EXPECT_GT(differ, shown / 5) << files[a] << " looks like " << files[b];
        }
}
