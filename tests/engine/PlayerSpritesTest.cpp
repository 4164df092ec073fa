// Drawing recorded player states: the sprite set and frame chosen, facing, scale and the head point.
#include "engine/Char_Base.h"
#include "engine/Map.h"
#include "engine/Player_Sprites.h"
#include "support/MapFiles.h"
#include "support/MediaTestSupport.h"

#include <cstdio>

namespace
{
// Each sprite a solid colour that names its set (red) and frame (green).
Rgba Colour(int set, int frame)
{
    return Rgba{static_cast<std::uint8_t>(60 + 60 * set), static_cast<std::uint8_t>(40 + 40 * frame), 90, 255};
}

void WriteSet(char const* pattern, int set, int count)
{
    for (int i = 0; i < count; i++)
    {
        char name[64];
        std::snprintf(name, sizeof name, pattern, i);
        Canvas(16, 16, Colour(set, i)).WritePng(name);
    }
}
} // namespace

class PlayerSprites : public MediaTestSupport_Gl
{
protected:
    void SetUp() override
    {
        MediaTestSupport_Gl::SetUp();
        std::filesystem::create_directories("gfx/player");
        WriteSet("gfx/player/player%.2d.png", 0, Player_Frames);
        WriteSet("gfx/player/playerghost%.2d.png", 1, Player_Frames);
        WriteSet("gfx/player/playerpast%.2d.png", 2, Player_Frames);
        WriteSet("gfx/player/playerdie%.2d.png", 3, Player_Dying_Frames);
        Canvas(8, 8, Rgba{255, 255, 255, 255}).WritePng("gfx/player/sword.png");
        MapWriter writer;
        writer.SetView(0.0, 0.0, 1.0);
        writer.AddBox(0.0, 0.0, 10.0, 10.0, 0, 0, true, false, 64.0);
        map = MapFiles::Load<Map>(writer);
        Player_Sprites::Initialise();
    }
    void TearDown() override
    {
        Player_Sprites::Finalise();
        map.reset();
        MediaTestSupport_Gl::TearDown();
    }

    static std::array<int, 3> Expected(int set, int frame)
    {
        Rgba const c = Colour(set, frame);
        return {c.r, c.g, c.b};
    }

    std::unique_ptr<Map> map;
};

TEST_F(PlayerSprites, RecordedStateIsDrawnFromItsSetAndFrame)
{
    Char_Base past;
    past.pos = Pointf(100.0, 100.0);
    past.frame = 3 | LeftFrame;
    Player_Sprites::Render(map.get(), &past, Player_Render_Past);

    Char_Base ghost;
    ghost.pos = Pointf(300.0, 100.0);
    ghost.frame = 1;
    Player_Sprites::Render(map.get(), &ghost, Player_Render_Ghost);

    Char_Base present;
    present.pos = Pointf(500.0, 100.0);
    present.scale = 2.0;
    Player_Sprites::Render(map.get(), &present, Player_Render_Present);

    // The feet stand on the point, the body reaches Player_Height times the scale above it.
    EXPECT_EQ(Pixel(100, 110), Expected(2, 3));
    EXPECT_TRUE(IsBlack(100, 97));
    EXPECT_TRUE(IsBlack(100, 123));
    EXPECT_EQ(Pixel(300, 110), Expected(1, 1));
    EXPECT_EQ(Pixel(500, 135), Expected(0, 0));
    EXPECT_TRUE(IsBlack(500, 143));
}
