// The data generator as a program and as a painter: a signal leaves its output folder as it was,
// and the pictures a player sees first are not cut or covered.
#include "support/TestFolder.h"
#include "tools/DataGen.h"

#include <gtest/gtest.h>

#include <png.h>
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

struct Rgba8
{
    int width = 0;
    int height = 0;
    std::vector<unsigned char> pixels;

    explicit Rgba8(fs::path const& file)
    {
        png_image image = {};
        image.version = PNG_IMAGE_VERSION;
        if (!png_image_begin_read_from_file(&image, file.c_str()))
            return;
        image.format = PNG_FORMAT_RGBA;
        pixels.resize(PNG_IMAGE_SIZE(image));
        png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr);
        width = static_cast<int>(image.width);
        height = static_cast<int>(image.height);
    }
    int Alpha(int x, int y) const { return pixels[(static_cast<std::size_t>(y) * width + x) * 4 + 3]; }
    // The middle between the first and the last column with an opaque pixel.
    double InkCentre() const
    {
        int first = width;
        int last = -1;
        for (int y = 0; y < height; y++)
            for (int x = 0; x < width; x++)
                if (Alpha(x, y) > 128)
                {
                    first = std::min(first, x);
                    last = std::max(last, x);
                }
        return (first + last) / 2.0;
    }
};

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
    EXPECT_GT(Rgba8(dir.path / "gfx/title.png").width, 0) << "the old file was replaced";
}

TEST(GeneratorRun, TitleIsWholeAndNumbersSitInTheMiddleOfTheirSquares)
{
    TestFolder dir(false);
    DataGen::WriteImages(dir.Path());

    // No letter of the map screen's title reaches its picture's edges.
    Rgba8 const title(dir.path / "gfx/mapscreen/title.png");
    ASSERT_GT(title.width, 0);
    int edgeInk = 0;
    for (int y = 0; y < title.height; y++)
        for (int x : {0, 1, 2, title.width - 3, title.width - 2, title.width - 1})
            edgeInk += title.Alpha(x, y) > 0 ? 1 : 0;
    EXPECT_EQ(edgeInk, 0);
    EXPECT_NEAR(title.InkCentre(), title.width / 2.0, 3.0);

    // A number is drawn at its square's corner with the square's own size: it must be as wide
    // as the square and centred in it.
    Rgba8 const square(dir.path / "gfx/puzzle/unmarked.png");
    for (int d = 0; d < 10; d++)
    {
        Rgba8 const digit(dir.path / ("gfx/puzzle/num" + std::to_string(d) + ".png"));
        EXPECT_EQ(digit.width, square.width) << d;
        EXPECT_NEAR(digit.InkCentre(), square.width / 2.0, 3.0) << d;
    }
}
