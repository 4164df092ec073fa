// The game program itself, run headless with scripted input from the title through the map into the
// canyon.
#include "support/SaveSlotWriter.h"
#include "support/TestFolder.h"

#include <gtest/gtest.h>

#include <png.h>
#include <sys/wait.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace
{

// The program and the data generator are built beside the tests' folder.
std::string Built(char const* name)
{
    return std::filesystem::absolute(std::filesystem::path("..") / name).string();
}

std::string ReadAll(std::filesystem::path const& file)
{
    std::stringstream text;
    text << std::ifstream(file).rdbuf();
    return text.str();
}

struct Shot
{
    int width = 0;
    int height = 0;
    std::vector<unsigned char> rgb;

    explicit Shot(std::filesystem::path const& file)
    {
        png_image image = {};
        image.version = PNG_IMAGE_VERSION;
        if (!png_image_begin_read_from_file(&image, file.c_str()))
            return;
        image.format = PNG_FORMAT_RGB;
        rgb.resize(PNG_IMAGE_SIZE(image));
        png_image_finish_read(&image, nullptr, rgb.data(), 0, nullptr);
        width = static_cast<int>(image.width);
        height = static_cast<int>(image.height);
    }

    // Pixels of the warm sky over the canyon.
    int Canyon() const
    {
        int count = 0;
        for (std::size_t i = 0; i + 2 < rgb.size(); i += 3)
            count += rgb[i] > 190 && rgb[i + 1] > 120 && rgb[i + 1] < 200 && rgb[i + 2] < 150 ? 1 : 0;
        return count;
    }

    std::size_t Colours() const
    {
        std::set<int> seen;
        for (std::size_t i = 0; i + 2 < rgb.size(); i += 3)
            seen.insert(rgb[i] << 16 | rgb[i + 1] << 8 | rgb[i + 2]);
        return seen.size();
    }
};

} // namespace

TEST(ChasmProgram, EntersTheCanyonFromTheMapAndPlaysIt)
{
    TestFolder root(false);
    std::filesystem::path const data = root.path / "data";
    ASSERT_EQ(0, std::system((Built("hm_datagen") + " " + data.string() + " > /dev/null").c_str()));
    std::filesystem::create_directories(root.path / "config/hollowmere");
    std::ofstream(root.path / "config/hollowmere/registry")
        << "[Software\\Velmora\\Hollowmere]\nInstallPath=" << data.string();
    SaveSlotWriter const slot(Level_Chasm);
    slot.Write(data);

    int const in = slot.LevelStep();
    auto at = [in](int step, std::string const& what) { return std::to_string(in + step) + " " + what + "\n"; };
    std::string const script = slot.Script() + at(150, "shot start.png") + at(160, "key 0x57 down")
                               + at(460, "shot road.png") + at(615, "key 0x57 up") + at(700, "shot gap.png")
                               + at(710, "close");
    std::ofstream(root.path / "script") << script;
    std::filesystem::path const log = root.path / "game.log";
    std::string const command = "cd " + data.string() + " && XDG_CONFIG_HOME=" + (root.path / "config").string()
                                + " HM_INPUT_SCRIPT=" + (root.path / "script").string() + " timeout 120 "
                                + Built("hollowmere") + " > " + log.string() + " 2>&1";
    int const status = std::system(command.c_str());
    std::string const text = ReadAll(log);
    ASSERT_TRUE(WIFEXITED(status)) << text;
    EXPECT_EQ(WEXITSTATUS(status), 0) << text;
    EXPECT_EQ(text.find("rror"), std::string::npos) << text;
    for (char const* name : {"start.png", "road.png", "gap.png"})
        EXPECT_GT(Shot(data / name).Colours(), 20u) << name << ": a picture of the canyon, not a cleared screen";
    EXPECT_GT(Shot(data / "start.png").Canyon(), 20000) << "the canyon's sky behind the start";
    EXPECT_NE(Shot(data / "start.png").rgb, Shot(data / "road.png").rgb) << "the walk went down the road";
}
