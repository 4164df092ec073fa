// The generated people, checked by their pixels: the player stands as tall as his box and walks,
// and no villager or miner dresses like him, his past selves or his ghost.
#include "support/PngPixels.h"
#include "support/TestFolder.h"
#include "tools/DataGen.h"
#include "tools/worlds/plateau.h"
#include "tools/worlds/treevillage.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <string>
#include <vector>

namespace
{

namespace fs = std::filesystem;

struct Colour
{
    double r, g, b;
};

// How far apart two colours look, light and shade aside: the distance between them once both are
// brought to the same brightness.
double Distance(Colour a, Colour b)
{
    double const sa = 384.0 / std::max(1.0, a.r + a.g + a.b);
    double const sb = 384.0 / std::max(1.0, b.r + b.g + b.b);
    return std::hypot(a.r * sa - b.r * sb, a.g * sa - b.g * sb, a.b * sa - b.b * sb);
}

// The colours that cover at least `share` of the visible pixels of a picture's rows first to last,
// the most used first: the mean of each group of pixels alike to within 32 in every channel. Outlines
// and deep shadows, which every figure has, are left out.
std::vector<Colour> Colours(PngPixels const& picture, double share, int first, int last)
{
    struct Sum
    {
        double r = 0, g = 0, b = 0;
        int n = 0;
    };
    std::map<int, Sum> bins;
    int visible = 0;
    for (int y = first; y <= last; ++y)
        for (int x = 0; x < picture.width; ++x)
        {
            unsigned char const* p = picture.At(x, y);
            if (p[3] < 64 || std::max({p[0], p[1], p[2]}) < 90)
                continue;
            Sum& s = bins[(p[0] >> 5) << 6 | (p[1] >> 5) << 3 | p[2] >> 5];
            s.r += p[0];
            s.g += p[1];
            s.b += p[2];
            ++s.n;
            ++visible;
        }
    std::vector<Sum> used;
    for (auto const& [bin, s] : bins)
        if (s.n >= share * visible)
            used.push_back(s);
    std::sort(used.begin(), used.end(), [](Sum const& a, Sum const& b) { return a.n > b.n; });
    std::vector<Colour> out;
    for (Sum const& s : used)
        out.push_back({s.r / s.n, s.g / s.n, s.b / s.n});
    return out;
}

std::vector<Colour> Colours(PngPixels const& picture, double share)
{
    return Colours(picture, share, 0, picture.height - 1);
}

// What a figure wears: the colour most used across its body, between its head and its knees.
Colour Main(PngPixels const& picture)
{
    std::vector<Colour> const colours = Colours(picture, 0.0, picture.height * 2 / 5, picture.height * 7 / 10);
    return colours.empty() ? Colour{} : colours.front();
}

class PeoplePictures : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        folder = new TestFolder(false);
        DataGen::WriteImages(folder->Path());
        TreeVillage::Write(folder->Path());
        PlateauWriter::Write(folder->Path());
    }
    static void TearDownTestSuite()
    {
        delete folder;
        folder = nullptr;
    }

    static PngPixels Picture(std::string const& name) { return PngPixels(folder->path / name); }

    static std::string Frame(char const* set, int i)
    {
        return "gfx/player/" + std::string(set) + "0" + std::to_string(i) + ".png";
    }

    static inline TestFolder* folder = nullptr;
};

} // namespace

TEST_F(PeoplePictures, ThePlayerStandsAsTallAsHisBoxAtLeastHalfAsWideAndHisLegsMove)
{
    for (char const* set : {"player", "playerpast", "playerghost"})
        for (int i = 0; i < 5; ++i)
        {
            PngPixels const frame = Picture(Frame(set, i));
            ASSERT_GT(frame.width, 0) << Frame(set, i);
            int left = frame.width, right = -1, top = frame.height, bottom = -1;
            for (int y = 0; y < frame.height; ++y)
                for (int x = 0; x < frame.width; ++x)
                    if (frame.Alpha(x, y) >= 48)
                    {
                        left = std::min(left, x);
                        right = std::max(right, x);
                        top = std::min(top, y);
                        bottom = std::max(bottom, y);
                    }
            EXPECT_GE(bottom - top + 1, 0.9 * frame.height) << Frame(set, i);
            EXPECT_GE(right - left + 1, 0.5 * frame.width) << Frame(set, i);
            EXPECT_GE(bottom, frame.height - 2) << Frame(set, i) << ": his feet on the picture's foot";
        }

    // Each walking frame shows the legs elsewhere: a good part of the lower half changes.
    for (int i = 0; i < 5; ++i)
    {
        PngPixels const a = Picture(Frame("player", i));
        PngPixels const b = Picture(Frame("player", (i + 1) % 5));
        int changed = 0;
        for (int y = a.height / 2; y < a.height; ++y)
            for (int x = 0; x < a.width; ++x)
                changed += std::abs(a.Alpha(x, y) - b.Alpha(x, y)) > 128 ? 1 : 0;
        EXPECT_GE(changed, 12) << "frames " << i << " and " << (i + 1) % 5;
    }
}

TEST_F(PeoplePictures, NoVillagerOrMinerWearsThePlayersColourOrThatOfHisPastSelvesAndGhost)
{
    std::vector<std::string> people;
    for (char row = 'A'; row <= 'D'; ++row)
        for (int f = 0; f < 5; ++f)
            people.push_back(std::string("gfx/treevillage/dudes/treedude") + row + "0" + std::to_string(f) + ".png");
    for (char const* one : {"doctor", "king", "wiseman", "dudesmall00", "dudesmall01", "dudesmall02", "dudesmall03"})
        people.push_back(std::string("gfx/treevillage/dudes/") + one + ".png");
    for (int f = 0; f < 6; ++f)
        people.push_back("gfx/plateau/miner0" + std::to_string(f) + ".png");
    people.push_back("gfx/plateau/hermit.png");

    // No one wears the player's colour; his past selves and ghost keep apart from anything anyone has
    // on, so that they stand out on a busy street.
    Colour const player = Main(Picture(Frame("player", 0)));
    Colour const pastSelf = Main(Picture(Frame("playerpast", 0)));
    Colour const ghost = Main(Picture(Frame("playerghost", 0)));
    for (std::string const& person : people)
    {
        PngPixels const picture = Picture(person);
        ASSERT_GT(picture.width, 0) << person;
        Colour const worn = Main(picture);
        EXPECT_GE(Distance(worn, player), 60.0) << person << " dresses like the player";
        for (Colour const c : Colours(picture, 0.06))
        {
            EXPECT_GE(Distance(c, pastSelf), 60.0)
                << person << " wears (" << c.r << ", " << c.g << ", " << c.b << "), close to a past self";
            EXPECT_GE(Distance(c, ghost), 60.0)
                << person << " wears (" << c.r << ", " << c.g << ", " << c.b << "), close to the ghost";
        }
    }
}
