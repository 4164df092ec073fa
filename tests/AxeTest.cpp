// A thrown blade is drawn along its curve exactly from its start tick to its end tick.
#include "Axe.h"

#include "Map.h"
#include "MapFiles.h"
#include "MediaTestSupport.h"
#include "util/Bezier.h"

class AxeTest : public MediaTestSupport_Gl
{
protected:
    void SetUp() override
    {
        MediaTestSupport_Gl::SetUp();
        std::filesystem::create_directories(dir.Path() + "/gfx/player");
        Canvas(8, 8, Rgba{255, 255, 255, 255}).WritePng(dir.Path() + "/gfx/player/sword.png");
        MapWriter writer;
        writer.SetView(0.0, 0.0, 1.0);
        writer.AddBox(0.0, 0.0, 10.0, 10.0, 0, 0, true, false, 64.0);
        map = MapFiles::Load<Map>(writer);
        ::Axe::Initialise();
    }
    void TearDown() override
    {
        ::Axe::Finalise();
        map.reset();
        MediaTestSupport_Gl::TearDown();
    }

    // Whether the blade shows at a fixed-point time, and where.
    bool DrawnAt(::Axe const& axe, Tick time, int x, int y)
    {
        glClear(GL_COLOR_BUFFER_BIT);
        axe.Render(map.get(), time);
        return !IsBlack(x, y);
    }

    MediaTestSupport_Dir dir;
    std::unique_ptr<Map> map;
};

TEST_F(AxeTest, DrawnFromTheStartTickToTheEndTickInclusive)
{
    Pointf const p0(100.0, 100.0);
    Pointf const p1(150.0, 100.0);
    Pointf const p2(250.0, 100.0);
    Pointf const p3(300.0, 100.0);
    ::Axe const axe(10, 4, new Bezier(&p0, &p1, &p2, &p3), 5.0);

    EXPECT_FALSE(DrawnAt(axe, 10 * 256 - 1, 100, 100));
    EXPECT_TRUE(DrawnAt(axe, 10 * 256, 100, 100));
    EXPECT_TRUE(DrawnAt(axe, 12 * 256, 200, 100));
    EXPECT_FALSE(DrawnAt(axe, 12 * 256, 100, 100));
    EXPECT_TRUE(DrawnAt(axe, 14 * 256, 300, 100));
    EXPECT_FALSE(DrawnAt(axe, 14 * 256 + 1, 300, 100));
}
