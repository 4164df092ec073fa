// The game program itself, run headless from the title through the map into the Black mountains and
// out again by the menu.
#include "support/SaveSlotWriter.h"
#include "support/TestFolder.h"

#include <gtest/gtest.h>

#include <png.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
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

// The screenshot's pixels, top row first; empty when it cannot be read.
std::vector<unsigned char> ReadShot(std::filesystem::path const& file, int& width)
{
    png_image image = {};
    image.version = PNG_IMAGE_VERSION;
    std::vector<unsigned char> rgb;
    width = 0;
    if (!png_image_begin_read_from_file(&image, file.c_str()))
        return rgb;
    image.format = PNG_FORMAT_RGB;
    rgb.resize(PNG_IMAGE_SIZE(image));
    png_image_finish_read(&image, nullptr, rgb.data(), 0, nullptr);
    width = static_cast<int>(image.width);
    return rgb;
}

} // namespace

TEST(BlackProgram, TheMapOpensTheMountainsUnderTheirNightSkyAndTheMenuLeavesThem)
{
    TestFolder root(false);
    std::filesystem::path const data = root.path / "data";
    ASSERT_EQ(0, std::system((Built("hm_datagen") + " " + data.string() + " > /dev/null").c_str()));
    std::filesystem::create_directories(root.path / "config/hollowmere");
    std::ofstream(root / "config/hollowmere/registry")
        << "[Software\\Velmora\\Hollowmere]\nInstallPath=" << data.string();
    SaveSlotWriter const slot(Level_Black);
    slot.Write(data);

    // In the level: a screenshot, then Escape, down to "Leave level", Enter; Escape quits the map.
    int const in = slot.LevelStep();
    auto at = [in](int offset) { return std::to_string(in + offset); };
    std::string const script = slot.Script() + at(100) + " shot level.png\n" + at(110) + " key 0x1B down\n" + at(112)
                               + " key 0x1B up\n" + at(120) + " key 0x28 down\n" + at(122) + " key 0x28 up\n" + at(130)
                               + " key 0x0D down\n" + at(132) + " key 0x0D up\n" + at(300) + " key 0x1B down\n";
    std::ofstream(root / "script") << script;
    std::filesystem::path const log = data / "game.log";
    std::string const command = "cd " + data.string() + " && XDG_CONFIG_HOME=" + root / "config"
                                + " HM_INPUT_SCRIPT=" + root / "script" + " timeout 120 " + Built("hollowmere") + " > "
                                + log.string() + " 2>&1";
    int const status = std::system(command.c_str());
    std::string const output = ReadAll(log);
    ASSERT_TRUE(WIFEXITED(status)) << output;
    EXPECT_EQ(0, WEXITSTATUS(status)) << output;
    EXPECT_EQ(std::string::npos, output.find("rror")) << output;

    // The mountains' night sky over the screen's top middle, the road's stone along its bottom.
    int width = 0;
    std::vector<unsigned char> const shot = ReadShot(data / "level.png", width);
    ASSERT_GT(width, 0) << "no screenshot";
    int const height = static_cast<int>(shot.size()) / (3 * width);
    auto pixel = [&](int x, int y) { return &shot[(static_cast<std::size_t>(y) * width + x) * 3]; };
    unsigned char const* sky = pixel(width / 2, height / 8);
    EXPECT_LT(sky[0] + sky[1], 200) << "a night sky";
    EXPECT_GT(sky[2], sky[1]) << "a night sky";
    unsigned char const* road = pixel(width / 2, height - 10);
    EXPECT_NEAR(road[0], road[2], 30) << "grey stone";
    EXPECT_GT(road[0] + road[1] + road[2], 200) << "grey stone";
    if (char const* keep = std::getenv("HM_BLACK_SHOT"))
        std::filesystem::copy_file(data / "level.png", keep, std::filesystem::copy_options::overwrite_existing);

    GameEvents const saved((data / "saves/save0").c_str());
    EXPECT_FALSE(saved.damaged);
    EXPECT_EQ(saved[Path_FirstEvent + 7], GameEvent_HasntHappened) << "left, not completed";
}
