// The game program itself, run headless with scripted input, from the title through the map into the
// riddle-giver's house, where the player walks up to the riddle-giver and is greeted, then leaves by
// the menu.
#include "engine/GameEvents.h"
#include "petra/Petra_Events.h"
#include "support/SaveSlotWriter.h"
#include "support/TestFolder.h"
#include "tools/DataGen.h"

#include <gtest/gtest.h>

#include <png.h>
#include <sys/wait.h>

#include <array>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
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

    // The pixels of the whole picture whose colour passes the test.
    int Count(std::function<bool(int, int, int)> const& test) const
    {
        int count = 0;
        for (std::size_t i = 0; i + 2 < rgb.size(); i += 3)
            count += test(rgb[i], rgb[i + 1], rgb[i + 2]) ? 1 : 0;
        return count;
    }
};

std::string ReadAll(std::filesystem::path const& file)
{
    std::stringstream text;
    text << std::ifstream(file).rdbuf();
    return text.str();
}

} // namespace

TEST(PetraProgram, EntersTheHouseFromTheMapGreetsThePlayerAndLeavesByTheMenu)
{
    TestFolder root(false);
    std::filesystem::path const data = root.path / "data";
    DataGen::WriteAll(data.string());
    std::filesystem::create_directories(root.path / "config/hollowmere");
    std::ofstream(root.path / "config/hollowmere/registry")
        << "[Software\\Velmora\\Hollowmere]\nInstallPath=" << data.string();
    SaveSlotWriter const slot(Level_Petra, GameEvents());
    slot.Write(data);

    // In the house: a look at the room, a walk right (W) to the riddle-giver, the action key (P) to
    // talk, a look at the greeting, then Escape, down to "Leave level", Enter; on the map, Escape quits.
    int const in = slot.LevelStep();
    auto at = [in](int offset) { return std::to_string(in + offset); };
    std::string const script = slot.Script() + at(100) + " shot room.png\n" + at(110) + " key 0x57 down\n" + at(165)
                               + " key 0x57 up\n" + at(230) + " key 0x50 down\n" + at(234) + " key 0x50 up\n" + at(300)
                               + " shot greeting.png\n" + at(310) + " key 0x1B down\n" + at(312) + " key 0x1B up\n"
                               + at(320) + " key 0x28 down\n" + at(322) + " key 0x28 up\n" + at(330)
                               + " key 0x0D down\n" + at(332) + " key 0x0D up\n" + at(500) + " key 0x1B down\n";
    std::ofstream(root.path / "script") << script;
    std::string const command = "cd " + data.string() + " && XDG_CONFIG_HOME=" + (root.path / "config").string()
                                + " HM_INPUT_SCRIPT=" + (root.path / "script").string() + " timeout 120 "
                                + std::filesystem::absolute("../hollowmere").string() + " > game.log 2>&1";
    int const status = std::system(command.c_str());
    std::string const log = ReadAll(data / "game.log");
    ASSERT_TRUE(WIFEXITED(status)) << log;
    EXPECT_EQ(WEXITSTATUS(status), 0) << log;
    EXPECT_EQ(log.find("rror"), std::string::npos) << log;

    // The riddle-giver's room: its wallpaper fills the view, the riddle-giver in its purple robe
    // stands on the floor; in the greeting its speech bubble covers much of the screen.
    Shot const room(data / "room.png"), greeting(data / "greeting.png");
    auto const wallpaper = [](int r, int g, int b) { return r > 225 && g > 215 && b > 180 && b < 200; };
    auto const robe = [](int r, int g, int b) { return r > 80 && r < 130 && g < 60 && b > 110 && b < 160; };
    auto const bubble = [](int r, int g, int b) { return r > 250 && g > 250 && b > 235 && b < 250; };
    EXPECT_GT(room.Count(wallpaper), 640 * 480 / 4) << "the riddle-giver's room";
    EXPECT_GT(room.Count(robe), 10) << "the riddle-giver";
    EXPECT_GT(greeting.Count(bubble), 640 * 480 / 20) << "the greeting's bubble";

    // The map saved the slot after the level: the greeting was cut short, so the riddle-giver
    // has not yet been met, and the level was left, not completed.
    GameEvents const saved((data / "saves/save0").c_str());
    EXPECT_FALSE(saved.damaged);
    EXPECT_EQ(saved[Event_MetPetra], GameEvent_HasntHappened);
    EXPECT_EQ(saved.gems, 0);
}
