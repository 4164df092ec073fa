// The test world as the worlds will be built: whatever its data lacks, a failed build leaves nothing behind.
#include "support/TestWorldSupport.h"

#include <filesystem>
#include <string>

namespace fs = std::filesystem;

using TestWorld = TestWorldSupport;

// Each picture is missed at a different stage: the level's own bubble frames, a map texture, a
// player frame, a kind initialised halfway through the world, a picture of the world's own, and
// the last of the chest puzzle's digits (the puzzle kind partly initialised when it fails). The
// leak checker of the sanitized run fails the test if anything built before the error is lost;
// building again proves every kind was finalised (a kind initialised twice asserts).
TEST_F(TestWorld, AMissingPictureFailsTheBuildNamingItAndTheWorldBuildsAgain)
{
    for (char const* name : {"gfx/text/speechbubble01.png", "gfx/map/brick.png", "gfx/player/player03.png",
                             "gfx/general/target.png", "gfx/general/socks.png", "gfx/puzzle/num9.png"})
    {
        SCOPED_TRACE(name);
        fs::path const picture = data->path / name;
        fs::path const aside = picture.string() + ".aside";
        ASSERT_TRUE(fs::exists(picture));
        fs::rename(picture, aside);
        try
        {
            Test_World failed(&events);
            ADD_FAILURE() << "the world built without its picture";
        }
        catch (Error const& e)
        {
            EXPECT_EQ(e.Code(), Error_OpenFile);
            EXPECT_NE(std::string(e.Text()).find(name), std::string::npos) << e.Text();
        }
        fs::rename(aside, picture);

        Test_World& w = MakeWorld();
        for (int i = 0; i < 20; ++i)
            Step();
        EXPECT_EQ(w.GetTick(), 20);
        world.reset();
    }
}
