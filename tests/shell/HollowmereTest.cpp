// The game program itself, run headless with scripted input from the title into a level and out.
#include "support/TestFolder.h"

#include <gtest/gtest.h>

#include <png.h>
#include <sys/wait.h>

#include <algorithm>
#include <array>
#include <fstream>
#include <set>
#include <sstream>
#include <vector>

namespace
{

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

    // The brightness at a logical point of the 640x480 screen, y from the bottom.
    int At(double x, double y, int channel) const
    {
        int const px = std::min(width - 1, static_cast<int>(x * width / 640.0));
        int const py = std::min(height - 1, static_cast<int>((480.0 - y) * height / 480.0));
        return rgb[(static_cast<std::size_t>(py) * width + px) * 3 + channel];
    }
    int Sum(double x, double y) const { return At(x, y, 0) + At(x, y, 1) + At(x, y, 2); }

    std::size_t Colours() const
    {
        std::set<int> seen;
        for (std::size_t i = 0; i + 2 < rgb.size(); i += 3)
            seen.insert(rgb[i] << 16 | rgb[i + 1] << 8 | rgb[i + 2]);
        return seen.size();
    }
};

// The program and the data generator are built beside the tests' folder.
std::string Built(char const* name)
{
    return std::filesystem::absolute(std::filesystem::path("..") / name).string();
}

// Runs the game in folder; its exit code, or -1 when it did not exit.
int RunGame(std::filesystem::path const& folder, std::string const& environment, std::string* log)
{
    std::filesystem::path const logFile = folder / "game.log";
    std::string const command = "cd " + folder.string() + " && " + environment + " timeout 600 " + Built("hollowmere")
                                + " > " + logFile.string() + " 2>&1";
    int const status = std::system(command.c_str());
    std::stringstream text;
    text << std::ifstream(logFile).rdbuf();
    *log = text.str();
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

} // namespace

TEST(Hollowmere, StartUpFailureIsReportedAndReleasesWhatItMade)
{
    TestFolder empty(false);
    std::string log;
    // Without data the title picture is missing; the sanitizer's leak check runs at the exit.
    EXPECT_EQ(1, RunGame(empty.path, "XDG_CONFIG_HOME=" + empty.path.string(), &log)) << log;
    EXPECT_NE(std::string::npos, log.find("gfx/title.png")) << log;
}

TEST(Hollowmere, PlaysFromTheTitleThroughTheMapIntoALevelAndQuits)
{
    TestFolder root(false);
    std::filesystem::path const data = root.path / "data";
    ASSERT_EQ(0, std::system((Built("hm_datagen") + " " + data.string() + " > /dev/null").c_str()));
    std::filesystem::create_directories(root.path / "config/hollowmere");
    std::ofstream(root / "config/hollowmere/registry")
        << "[Software\\Velmora\\Hollowmere]\nInstallPath=" << data.string();

    // Title, two logos, the slots, world 1, its menu to leave it, the map, and Escape to quit.
    // Presses and releases lie apart, as a pass runs up to 8 steps before input is read.
    std::ofstream(root / "script") << "100 shot title.png\n330 shot logo.png\n790 shot slots.png\n"
                                      "800 key 0x0D down\n820 key 0x0D up\n900 key 0x50 down\n940 key 0x50 up\n"
                                      "1050 shot level.png\n1100 key 0x1B down\n1120 key 0x1B up\n"
                                      "1140 key 0x28 down\n1160 key 0x28 up\n1170 shot menu.png\n"
                                      "1180 key 0x0D down\n1200 key 0x0D up\n1320 shot map.png\n1350 key 0x1B down\n";
    std::string log;
    EXPECT_EQ(0, RunGame(data, "XDG_CONFIG_HOME=" + root / "config" + " HM_INPUT_SCRIPT=" + root / "script", &log))
        << log;
    EXPECT_EQ(std::string::npos, log.find("rror")) << log;

    Shot const title(data / "title.png"), logo(data / "logo.png"), slots(data / "slots.png");
    Shot const level(data / "level.png"), menu(data / "menu.png"), map(data / "map.png");
    for (Shot const* shot : {&title, &logo, &slots, &level, &menu, &map})
        EXPECT_GT(shot->Colours(), 8u) << "a picture, not a cleared screen";
    EXPECT_NE(title.rgb, logo.rgb);
    EXPECT_GT(slots.At(90.0, 250.0, 0), slots.At(90.0, 250.0, 1) + 40) << "the first slot's plate is highlighted";
    EXPECT_GT(menu.Sum(170.0, 110.0), level.Sum(170.0, 110.0)) << "the menu's light panel lies over the level";
    EXPECT_NE(level.rgb, map.rgb);
    EXPECT_TRUE(std::filesystem::exists(data / "saves/save0")) << "the map saves as it opens after a level";
}
