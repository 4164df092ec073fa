// The game program itself, run headless from the title through the map into the tower: the whole
// tower is shown, and the giant walks left out of it by the second exit, back to the map, which
// opens nothing (only the main exit earns a path); and a player who runs right into the tower,
// jumping, can still walk back.
#include "engine/Player_Sprites.h"
#include "support/GameRun.h"
#include "support/PngPixels.h"
#include "support/Shot.h"

#include <gtest/gtest.h>

#include <png.h>

#include <algorithm>
#include <string>

TEST(TowerProgram, EntersTheTowerFromTheMapAndTheGiantWalksOutByTheSecondExit)
{
    GameEvents progress;
    progress[Event_TimeTravel] = GameEvent_HasHappened;
    GameRun game(Level_Tower, progress);

    // In the tower: a look at the whole tower, then left (Q) out of it; the map follows, where
    // Escape quits.
    std::string const script = game.At(30, "shot tower.png") + game.At(40, "key 0x51 down")
                               + game.At(400, "key 0x51 up") + game.At(700, "key 0x1B down");
    EXPECT_EQ(0, game.Run(script)) << game.log;
    EXPECT_EQ(std::string::npos, game.log.find("rror")) << game.log;
    EXPECT_GT(Shot(game.data / "tower.png").Colours(), 8u) << "a picture of the tower, not a cleared screen";
    GameEvents const saved((game.data / "saves/save0").c_str());
    EXPECT_FALSE(saved.damaged);
    EXPECT_EQ(saved[Path_FirstEvent + 6], GameEvent_HasntHappened) << "only the tower's main exit opens path 6";
}

namespace
{

// The player's own pictures painted magenta where they are not clear, so that a screenshot shows
// where he stands.
constexpr int Magenta_Low = 60;   // green at most
constexpr int Magenta_High = 200; // red and blue at least
void PaintPlayerMagenta(std::filesystem::path const& data)
{
    for (int i = 0; i < Player_Frames; ++i)
    {
        char name[40];
        std::snprintf(name, sizeof name, "gfx/player/player%.2d.png", i);
        PngPixels picture(data / name);
        ASSERT_GT(picture.width, 0) << name;
        for (std::size_t p = 0; p < picture.pixels.size(); p += 4)
            if (picture.pixels[p + 3] != 0)
            {
                picture.pixels[p] = 255;
                picture.pixels[p + 1] = 0;
                picture.pixels[p + 2] = 255;
            }
        png_image image = {};
        image.version = PNG_IMAGE_VERSION;
        image.width = png_uint_32(picture.width);
        image.height = png_uint_32(picture.height);
        image.format = PNG_FORMAT_RGBA;
        ASSERT_TRUE(png_image_write_to_file(&image, (data / name).c_str(), 0, picture.pixels.data(), 0, nullptr));
    }
}

// The box round the magenta pixels of a screenshot; x1 < 0 when there are none.
struct PlayerBox
{
    int x0, y0, x1, y1;
    bool Seen() const { return x1 >= 0; }
};
PlayerBox PlayerOnScreen(Shot const& shot)
{
    PlayerBox box{shot.width, shot.height, -1, -1};
    for (int y = 0; y < shot.height; ++y)
        for (int x = 0; x < shot.width; ++x)
            if (Shot::Colour const c = shot.Pixel(x, y);
                c[0] >= Magenta_High && c[2] >= Magenta_High && c[1] <= Magenta_Low)
                box = {std::min(box.x0, x), std::min(box.y0, y), std::max(box.x1, x), std::max(box.y1, y)};
    return box;
}

// Whether the player moved between two screenshots: his box's middle by half its size, or the view
// with him (most of the screen changed). A walk on the spot only changes his picture.
constexpr double Moved_ScreenShare = 0.25;
bool Moved(Shot const& before, PlayerBox const& a, Shot const& after, PlayerBox const& b)
{
    if (!a.Seen() || !b.Seen())
        return a.Seen() != b.Seen();
    double const dx = std::abs((a.x0 + a.x1) - (b.x0 + b.x1)) / 2.0;
    double const dy = std::abs((a.y0 + a.y1) - (b.y0 + b.y1)) / 2.0;
    if (dx >= (a.x1 - a.x0) / 2.0 || dy >= (a.y1 - a.y0) / 2.0)
        return true;
    int changed = 0;
    for (int y = 0; y < before.height; ++y)
        for (int x = 0; x < before.width; ++x)
            changed += before.Pixel(x, y) != after.Pixel(x, y) ? 1 : 0;
    return changed > Moved_ScreenShare * before.width * before.height;
}

} // namespace

// Right and jump pressed in the same step on coming in, right held with a jump every 40 steps, then
// left held as long: wherever the right hold leaves the giant, shrinking on his way, the left hold
// moves him on.
TEST(TowerProgram, AGiantRunningRightAndJumpingIntoTheTowerCanWalkBackLeft)
{
    GameEvents progress;
    progress[Event_TimeTravel] = GameEvent_HasHappened;
    GameRun game(Level_Tower, progress);
    PaintPlayerMagenta(game.data);

    constexpr int Start = 30;
    constexpr int Hold = 600;
    constexpr int Every = 40;
    constexpr int Jump = 10;
    std::string script;
    // W and Q walk right and left, Space jumps.
    for (auto const& [from, key] : {std::pair{Start, "0x57"}, std::pair{Start + Hold + 1, "0x51"}})
    {
        script += game.At(from, std::string("key ") + key + " down");
        for (int t = 0; t < Hold; t += Every)
            script += game.At(from + t, "key 0x20 down") + game.At(from + t + Jump, "key 0x20 up");
        script += game.At(from + Hold, std::string("key ") + key + " up");
    }
    script += game.At(Start + Hold, "shot right.png") + game.At(Start + 2 * Hold + 1, "shot left.png")
              + game.At(Start + 2 * Hold + 10, "close");
    EXPECT_EQ(0, game.Run(script)) << game.log;
    Shot const right(game.data / "right.png");
    Shot const left(game.data / "left.png");
    PlayerBox const there = PlayerOnScreen(right);
    PlayerBox const back = PlayerOnScreen(left);
    EXPECT_TRUE(there.Seen()) << "the player seen after the right hold";
    EXPECT_TRUE(Moved(right, there, left, back))
        << "the left hold left him at " << back.x0 << " " << back.y0 << " " << back.x1 << " " << back.y1
        << " on the screen, as the right hold did";
}
