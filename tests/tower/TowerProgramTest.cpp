// The game program itself, run headless from the title through the map into the tower: the whole
// tower is shown, the giant walks right out of it and the map opens the path the tower earns.
#include "support/SaveSlotWriter.h"
#include "support/TestFolder.h"
#include "tools/DataGen.h"

#include <gtest/gtest.h>

#include <png.h>
#include <sys/wait.h>

#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace
{

// The program is built beside the tests' folder.
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

// How many colours a screenshot holds; 0 when it cannot be read.
std::size_t Colours(std::filesystem::path const& file)
{
    png_image image = {};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, file.c_str()))
        return 0;
    image.format = PNG_FORMAT_RGB;
    std::vector<unsigned char> rgb(PNG_IMAGE_SIZE(image));
    png_image_finish_read(&image, nullptr, rgb.data(), 0, nullptr);
    std::set<int> seen;
    for (std::size_t i = 0; i + 2 < rgb.size(); i += 3)
        seen.insert(rgb[i] << 16 | rgb[i + 1] << 8 | rgb[i + 2]);
    return seen.size();
}

} // namespace

TEST(TowerProgram, EntersTheTowerFromTheMapAndTheGiantWalksOutByTheMainExit)
{
    TestFolder root(false);
    std::filesystem::path const data = root.path / "data";
    DataGen::WriteAll(data.string());
    std::filesystem::create_directories(root.path / "config/hollowmere");
    std::ofstream(root.path / "config/hollowmere/registry")
        << "[Software\\Velmora\\Hollowmere]\nInstallPath=" << data.string();
    GameEvents progress;
    progress[Event_TimeTravel] = GameEvent_HasHappened;
    SaveSlotWriter const slot(Level_Tower, progress);
    slot.Write(data);

    // In the tower: a look at the whole tower, then right (W) out of it; the map follows, where
    // Escape quits.
    int const in = slot.LevelStep();
    auto at = [in](int offset) { return std::to_string(in + offset); };
    std::ofstream(root.path / "script") << slot.Script() << at(30) << " shot tower.png\n"
                                        << at(40) << " key 0x57 down\n"
                                        << at(400) << " key 0x57 up\n"
                                        << at(700) << " key 0x1B down\n";
    std::filesystem::path const log = data / "game.log";
    std::string const command = "cd " + data.string() + " && XDG_CONFIG_HOME=" + (root.path / "config").string()
                                + " HM_INPUT_SCRIPT=" + (root.path / "script").string() + " timeout 120 "
                                + Built("hollowmere") + " > " + log.string() + " 2>&1";
    int const status = std::system(command.c_str());
    std::string const text = ReadAll(log);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << text;
    EXPECT_EQ(std::string::npos, text.find("rror")) << text;
    EXPECT_GT(Colours(data / "tower.png"), 8u) << "a picture of the tower, not a cleared screen";
    GameEvents const saved((data / "saves/save0").c_str());
    EXPECT_FALSE(saved.damaged);
    EXPECT_EQ(saved[Path_FirstEvent + 6], GameEvent_HasHappened) << "the tower's main exit opens path 6";
}
