// The title and the world map drawn frame after frame, their picture put back from the screen kept
// of it, against the same frames drawn afresh by a screen that has kept nothing.
#include "shell/MapScreen.h"

#include "engine/GameEvents.h"
#include "engine/KeyData.h"
#include "shell/Globals.h"
#include "shell/MainLoop.h"
#include "support/ShellTestSupport.h"

#include <GL/gl.h>

#include <cstddef>
#include <vector>

namespace
{

class MapScreenFrames : public ShellTestSupport
{
protected:
    void SetUp() override
    {
        ShellTestSupport::SetUp();
        saveSlot = -1;
        quit = false;
    }
    void TearDown() override
    {
        saveSlot = -1;
        ShellTestSupport::TearDown();
    }

    static std::vector<unsigned char> Frame(MapScreen& screen)
    {
        SetProjection();
        glClear(GL_COLOR_BUFFER_BIT);
        screen.Plot();
        std::vector<unsigned char> pixels(640 * 480 * 4);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadPixels(0, 0, 640, 480, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
        return pixels;
    }

    static int Differing(std::vector<unsigned char> const& a, std::vector<unsigned char> const& b)
    {
        int count = 0;
        for (std::size_t i = 0; i < a.size(); i += 4)
            count += a[i] != b[i] || a[i + 1] != b[i + 1] || a[i + 2] != b[i + 2] ? 1 : 0;
        return count;
    }

    // Frames of a screen drawn every step, from the second on over the kept picture, each compared
    // with a screen of the same steps drawing its first frame.
    void Compare(Level_Type type, Level_Action action, int steps)
    {
        KeyData const none;
        GameEvents liveA;
        GameEvents liveB;
        MapScreen kept(&liveA, type, action);
        for (int step = 1; step <= steps; ++step)
        {
            kept.Poll(&none);
            std::vector<unsigned char> const shown = Frame(kept);
            EXPECT_EQ(kept.PicturePutBack(), step >= 2) << "step " << step;
            if (step % 10 != 2)
                continue;
            MapScreen fresh(&liveB, type, action);
            for (int i = 0; i < step; ++i)
                fresh.Poll(&none);
            EXPECT_EQ(Differing(shown, Frame(fresh)), 0) << "step " << step;
            EXPECT_FALSE(fresh.PicturePutBack());
        }
    }
};

} // namespace

// The title's plates slide in over the map, and the map's figure walks over it.
TEST_F(MapScreenFrames, TheTitleAndTheMapShowThePixelsOfTheirPictureDrawnAfresh)
{
    Compare(Level_None, Level_Continue, 45);
    saveSlot = 0;
    Compare(Level_Tower, Level_Left, 25);
}
