// The data generator as a program and as a painter: a signal leaves its output folder as it was,
// the pictures a player sees first are not cut or covered, and text fits inside its bubble.
#include "support/PngPixels.h"
#include "support/TestFolder.h"
#include "tools/DataGen.h"
#include "tools/FontSheet.h"

#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

namespace
{

namespace fs = std::filesystem;

// The generator's folder of unfinished files inside dir, or an empty path.
fs::path Staging(fs::path const& dir)
{
    std::error_code error;
    for (auto const& entry : fs::directory_iterator(dir, error))
        if (entry.path().filename().string().rfind(".hm_datagen-", 0) == 0)
            return entry.path();
    return {};
}

pid_t StartGenerator(fs::path const& dir)
{
    std::string const program = fs::absolute("../hm_datagen").string();
    pid_t const child = fork();
    if (child == 0)
    {
        execl(program.c_str(), program.c_str(), dir.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    return child;
}

} // namespace

TEST(GeneratorRun, ASignalLeavesTheFolderAsItWasAndAWholeRunLeavesNoStaging)
{
    TestFolder dir(false);
    dir.WriteText("gfx/title.png", "the old title");

    pid_t const child = StartGenerator(dir.path);
    ASSERT_GT(child, 0);
    auto const deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (Staging(dir.path).empty() && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    ASSERT_FALSE(Staging(dir.path).empty()) << "the generator never started writing";
    ASSERT_EQ(0, kill(child, SIGTERM));
    // The exit status tells a run stopped by the signal from one that finished first; how soon it
    // stops depends on the machine's load, so no time is asserted.
    int status = 0;
    ASSERT_EQ(child, waitpid(child, &status, 0));
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(128 + SIGTERM, WEXITSTATUS(status));
    EXPECT_TRUE(Staging(dir.path).empty());
    std::vector<fs::path> left;
    for (auto const& entry : fs::recursive_directory_iterator(dir.path))
        if (entry.is_regular_file())
            left.push_back(fs::relative(entry.path(), dir.path));
    EXPECT_EQ(left, std::vector<fs::path>{"gfx/title.png"});
    std::ifstream old(dir / "gfx/title.png");
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(old), {}), "the old title");

    pid_t const whole = StartGenerator(dir.path);
    ASSERT_EQ(whole, waitpid(whole, &status, 0));
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(0, WEXITSTATUS(status));
    EXPECT_TRUE(Staging(dir.path).empty());
    EXPECT_GT(PngPixels(dir.path / "gfx/title.png").width, 0) << "the old file was replaced";
}

TEST(GeneratorRun, TitleIsWholeAndNumbersSitInTheMiddleOfTheirSquares)
{
    TestFolder dir(false);
    DataGen::WriteImages(dir.Path());

    // No letter of the map screen's title reaches its picture's edges.
    PngPixels const title(dir.path / "gfx/mapscreen/title.png");
    ASSERT_GT(title.width, 0);
    int edgeInk = 0;
    for (int y = 0; y < title.height; y++)
        for (int x : {0, 1, 2, title.width - 3, title.width - 2, title.width - 1})
            edgeInk += title.Alpha(x, y) > 0 ? 1 : 0;
    EXPECT_EQ(edgeInk, 0);
    EXPECT_NEAR(title.InkCentre(), title.width / 2.0, 3.0);

    // A number is drawn at its square's corner with the square's own size: it must be as wide
    // as the square and centred in it.
    PngPixels const square(dir.path / "gfx/puzzle/unmarked.png");
    for (int d = 0; d < 10; d++)
    {
        PngPixels const digit(dir.path / ("gfx/puzzle/num" + std::to_string(d) + ".png"));
        EXPECT_EQ(digit.width, square.width) << d;
        EXPECT_NEAR(digit.InkCentre(), square.width / 2.0, 3.0) << d;
    }
}

TEST(GeneratorRun, BubblesKeepAMarginRoundTheRowsTheGameTypesInto)
{
    TestFolder dir(false);
    DataGen::WriteSpeechBubbles(dir.Path());
    int const line = FontSheet(20).Sheet(0).Height();
    // The game's four rows: their tops counted up from the picture's foot, their left and right ends.
    struct Row
    {
        int top, left, right;
    };
    Row const rows[4] = {{160, 129, 265}, {128, 93, 303}, {98, 93, 303}, {65, 129, 265}};
    int const margin = 6;
    for (int type = 0; type < 2; ++type)
    {
        PngPixels const bubble(dir.path / ("gfx/text/speechbubble0" + std::to_string(type) + ".png"));
        ASSERT_GT(bubble.width, 0);
        // A bubble drawn for a speaker on the right is mirrored and its rows move 76 columns left.
        for (bool mirrored : {false, true})
            for (Row const& r : rows)
                for (int y = bubble.height - r.top - margin; y < bubble.height - r.top + line + margin; ++y)
                    for (int x = r.left - margin; x <= r.right + margin; ++x)
                    {
                        int const column = mirrored ? bubble.width - 1 - (x - 76) : x;
                        unsigned char const* p = bubble.At(column, y);
                        ASSERT_TRUE(p[3] == 255 && std::min({p[0], p[1], p[2]}) >= 200)
                            << "type " << type << (mirrored ? " mirrored" : "") << ": the rim or the outside at ("
                            << column << ", " << y << ")";
                    }
    }
}
