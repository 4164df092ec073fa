// The game program itself, run headless with scripted input from the title into a level and out.
#include <gtest/gtest.h>
#include <png.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

struct Shot
{
    int width = 0;
    int height = 0;
    std::vector<unsigned char> rgb;

    // The colour at a logical point of the 640x480 screen, y from the bottom.
    std::array<int, 3> At(double x, double y) const
    {
        int const px = std::min(width - 1, static_cast<int>(x * width / 640.0));
        int const py = std::min(height - 1, static_cast<int>((480.0 - y) * height / 480.0));
        unsigned char const* p = &rgb[(static_cast<std::size_t>(py) * width + px) * 3];
        return {p[0], p[1], p[2]};
    }

    std::size_t Colours() const
    {
        std::set<int> seen;
        for (std::size_t i = 0; i + 2 < rgb.size(); i += 3)
            seen.insert(rgb[i] << 16 | rgb[i + 1] << 8 | rgb[i + 2]);
        return seen.size();
    }
};

Shot ReadShot(std::string const& file)
{
    Shot shot;
    png_image image = {};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, file.c_str()))
        return shot;
    image.format = PNG_FORMAT_RGB;
    shot.rgb.resize(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, shot.rgb.data(), 0, nullptr)) {
        shot.rgb.clear();
        return shot;
    }
    shot.width = static_cast<int>(image.width);
    shot.height = static_cast<int>(image.height);
    return shot;
}

std::string ReadText(std::filesystem::path const& file)
{
    std::ifstream in(file);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// The program and the data generator are built beside the tests' folder.
std::filesystem::path BuiltProgram(char const* name)
{
    return std::filesystem::absolute(std::filesystem::path("..") / name);
}

// Runs the game in folder with the environment given; its exit code, or -1 when it did not exit.
int RunProgram(std::filesystem::path const& folder, std::string const& environment, std::string* log)
{
    std::filesystem::path const logFile = folder / "game.log";
    std::string const command = "cd " + folder.string() + " && " + environment + " timeout 600 "
                                + BuiltProgram("hollowmere").string() + " > " + logFile.string() + " 2>&1";
    int const status = std::system(command.c_str());
    *log = ReadText(logFile);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// A scratch folder, removed with everything in it.
class ScratchFolder final
{
public:
    ScratchFolder()
    {
        char pattern[] = "/tmp/hm_play_XXXXXX";
        char* made = mkdtemp(pattern);
        EXPECT_NE(made, nullptr);
        path = made ? made : "";
    }
    ~ScratchFolder()
    {
        std::error_code ignored;
        if (!path.empty())
            std::filesystem::remove_all(path, ignored);
    }
    ScratchFolder(ScratchFolder const&) = delete;
    ScratchFolder& operator=(ScratchFolder const&) = delete;

    std::filesystem::path path;
};

} // namespace

TEST(Hollowmere, StartUpFailureIsReportedAndReleasesWhatItMade)
{
    ScratchFolder empty;
    std::string log;
    // Without data the title picture is missing; the sanitizer's leak check runs at the exit.
    EXPECT_EQ(1, RunProgram(empty.path, "XDG_CONFIG_HOME=" + empty.path.string(), &log)) << log;
    EXPECT_NE(std::string::npos, log.find("gfx/title.png")) << log;
}

TEST(Hollowmere, PlaysFromTheTitleThroughTheMapIntoALevelAndQuits)
{
    std::filesystem::path const game = BuiltProgram("hollowmere");
    std::filesystem::path const datagen = BuiltProgram("hm_datagen");
    ASSERT_TRUE(std::filesystem::exists(game)) << game;
    ASSERT_TRUE(std::filesystem::exists(datagen)) << datagen;

    ScratchFolder scratch;
    std::filesystem::path const& root = scratch.path;
    std::filesystem::path const data = root / "data";
    ASSERT_EQ(0, std::system((datagen.string() + " " + data.string() + " > " + (root / "datagen.log").string() + " 2>&1").c_str()));

    std::filesystem::create_directories(root / "config/hollowmere");
    std::ofstream(root / "config/hollowmere/registry") << "[Software\\Velmora\\Hollowmere]\nInstallPath=" << data.string() << "\n";

    // Title, two logos, the slots, world 1, its menu to leave it, the map, and Escape to quit.
    // Presses and releases lie apart, as a pass runs up to 8 steps before input is read.
    std::ofstream(root / "script") << "100 shot title.png\n"
                                      "330 shot logo.png\n"
                                      "790 shot slots.png\n"
                                      "800 key 0x0D down\n820 key 0x0D up\n"
                                      "900 key 0x50 down\n940 key 0x50 up\n"
                                      "1050 shot level.png\n"
                                      "1100 key 0x1B down\n1120 key 0x1B up\n"
                                      "1140 key 0x28 down\n1160 key 0x28 up\n"
                                      "1170 shot menu.png\n"
                                      "1180 key 0x0D down\n1200 key 0x0D up\n"
                                      "1320 shot map.png\n"
                                      "1350 key 0x1B down\n";

    std::string log;
    std::string const environment = "XDG_CONFIG_HOME=" + (root / "config").string() + " HM_INPUT_SCRIPT=" + (root / "script").string();
    EXPECT_EQ(0, RunProgram(data, environment, &log)) << log;
    EXPECT_EQ(std::string::npos, log.find("rror")) << log;

    Shot const title = ReadShot((data / "title.png").string());
    Shot const logo = ReadShot((data / "logo.png").string());
    Shot const slots = ReadShot((data / "slots.png").string());
    Shot const level = ReadShot((data / "level.png").string());
    Shot const menu = ReadShot((data / "menu.png").string());
    Shot const map = ReadShot((data / "map.png").string());
    for (Shot const* shot : {&title, &logo, &slots, &level, &menu, &map}) {
        ASSERT_FALSE(shot->rgb.empty());
        EXPECT_GT(shot->Colours(), 8u) << "a picture, not a cleared screen";
    }
    EXPECT_NE(title.rgb, logo.rgb);

    auto const plate = slots.At(90.0, 250.0);
    EXPECT_GT(plate[0], plate[1] + 40) << "the first slot's plate is highlighted red";
    auto const panel = menu.At(170.0, 110.0);
    auto const under = level.At(170.0, 110.0);
    EXPECT_GT(panel[0] + panel[1] + panel[2], under[0] + under[1] + under[2]) << "the menu's light panel lies over the level";
    EXPECT_NE(level.rgb, map.rgb);

    EXPECT_TRUE(std::filesystem::exists(data / "saves/save0")) << "the map saves as it opens after a level";
}
