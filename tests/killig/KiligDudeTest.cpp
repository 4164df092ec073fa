// The master: one physics step per move whatever the tick, turning without losing his walk frame, his frames.
#include "killig/KiligSupport.h"
#include "killig/Kilig_Dude.h"
#include "support/MediaTestSupport.h"
#include "support/SmallMap.h"
#include "support/SpeakingFixture.h"
#include "util/Error.h"

#include <gtest/gtest.h>

#include <GL/gl.h>

#include <algorithm>
#include <array>
#include <filesystem>
#include <memory>
#include <set>

namespace
{

constexpr unsigned int MasterRp = 2;

class KiligDudeTest : public SpeakingFixture
{
protected:
    static void SetUpTestSuite()
    {
        SpeakingFixture::SetUpTestSuite();
        WriteKiligImages(data->Path());
    }

    KiligDudeTest()
    {
        MapWriter writer = FloorWriter();
        writer.AddRefPoint(MasterRp, 30.0, 0.0);
        map = ReadSmallMap(writer);
        Kilig_Dude::Initialise();
    }

    ~KiligDudeTest() override { Kilig_Dude::Finalise(); }

    std::unique_ptr<Map> map;
};

} // namespace

TEST_F(KiligDudeTest, EachMoveIsOnePhysicsStepWhateverTheTick)
{
    Kilig_Dude master(map.get(), MasterRp);
    Kilig_Dude twin(map.get(), MasterRp);
    ASSERT_EQ(master.frame, LeftFrame);
    master.keys = Character_Right;
    twin.keys = Character_Right;
    // The clock moved back between the two calls: he walks on all the same.
    master.MoveToTime(map.get(), 500);
    master.MoveToTime(map.get(), 100);
    twin.Character::Move(map.get());
    twin.Character::Move(map.get());
    EXPECT_GT(master.GetPos().x, 30.0);
    EXPECT_EQ(master.GetPos().x, twin.GetPos().x);
    EXPECT_EQ(master.GetPos().y, twin.GetPos().y);
    EXPECT_EQ(master.speed, twin.speed);
    EXPECT_EQ(master.keys, std::uint32_t(Character_Right)) << "his keys are the world's, not a walk record's";
    EXPECT_EQ(master.frame & LeftFrame, 0u) << "walking right faces him right";
}

TEST_F(KiligDudeTest, PoseTurnsHimAndKeepsTheWalkFrame)
{
    Kilig_Dude master(map.get(), MasterRp);
    master.keys = Character_Right;
    std::set<std::uint32_t> seen;
    double fastest = 0.0;
    for (int i = 0; i < 400; i++)
    {
        master.MoveToTime(map.get(), 0);
        seen.insert(master.frame & FrameMask);
        fastest = std::max(fastest, master.speed);
    }
    EXPECT_EQ(seen, (std::set<std::uint32_t>{0, 1, 2, 3, 4})) << "standing, then his four walk frames";
    EXPECT_NEAR(fastest, 0.6, 1e-9);

    std::uint32_t const index = master.frame & FrameMask;
    ASSERT_NE(index, 0u);
    master.Pose(true);
    EXPECT_EQ(master.frame, index | LeftFrame);
    master.Pose(true);
    EXPECT_EQ(master.frame, index | LeftFrame);
    master.Pose(false);
    EXPECT_EQ(master.frame, index);
}

TEST_F(KiligDudeTest, DrawsTheFrameHeStandsInAndHisFramesLoadAgain)
{
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0.0, 640.0, 0.0, 480.0, -1.0, 1.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    auto colourAt = [](Rgba c) { return std::array<int, 3>{c.r, c.g, c.b}; };

    Kilig_Dude master(map.get(), MasterRp);
    glClear(GL_COLOR_BUFFER_BIT);
    master.Render(map.get(), 0);
    // He stands at (30, 0), 24 units tall, the view's corner at (-320, -240).
    EXPECT_EQ(Pixel(350, 252), colourAt(KiligFrameColour(0)));
    master.keys = Character_Right;
    for (int i = 0; i < 500 && (master.frame & FrameMask) != 3; i++)
        master.MoveToTime(map.get(), 0);
    ASSERT_EQ(master.frame & FrameMask, 3u);
    glClear(GL_COLOR_BUFFER_BIT);
    master.Render(map.get(), 0);
    Pointf const screen = map->WorldToScreen(master.GetPos());
    EXPECT_EQ(Pixel(int(screen.x), int(screen.y) + 12), colourAt(KiligFrameColour(3)));

    // A missing frame leaves none loaded, so that building the world again can load them all.
    Kilig_Dude::Finalise();
    std::filesystem::rename("gfx/killig/killig03.png", "gfx/killig/moved.png");
    EXPECT_THROW(Kilig_Dude::Initialise(), Error);
    std::filesystem::rename("gfx/killig/moved.png", "gfx/killig/killig03.png");
    Kilig_Dude::Initialise();
}
