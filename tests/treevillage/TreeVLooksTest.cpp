// What the village shows a player, read back from frames drawn from the generated data: Marbles'
// jars in their colours on their shelf, the patient's face with its coloured key pairs, and the
// doorways out of the rooms.
#include "engine/Map.h"
#include "engine/Player.h"
#include "support/WorldFixture.h"
#include "treevillage/FramePixels.h"
#include "treevillage/TreeV.h"
#include "treevillage/TreeV_Ids.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>

namespace
{

// The height of a jar from the shelf to its mouth, a little less than the picture's, and the
// middle of the plank of the shelf under it.
constexpr double Jar_Depth = 26.0;
constexpr double Shelf_Below = 35.0;
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
    for (double x = first.x - 20.0 * s; x <= last.x + 20.0 * s; x += 5.0, samples++)
    {
        int const plank = FramePixels::Brightness(frame.At(x, first.y - Shelf_Below * s));
        EXPECT_LT(plank, 260) << "the shelf at x " << x;
        shelf += plank;
        wall += FramePixels::Brightness(frame.At(x, first.y + 40.0 * s));
    }
    EXPECT_LT(shelf + 60 * samples, wall) << "over " << samples << " points";
}
