// The game program itself, run headless with scripted input from the title through the map into the master's
// world, once on a first visit (the house) and once after it (the dungeon), and out by the menu.
#include "killig/Kilig.h"
#include "support/SaveSlotWriter.h"
#include "support/TestFolder.h"

#include <gtest/gtest.h>

#include <png.h>
#include <sys/wait.h>

#include <array>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace
{

// The program and the data generator are built beside the tests' folder.
std::string Built(char const* name)
{
    return std::filesystem::absolute(std::filesystem::path("..") / name).string();
}

// A generated data folder with its registry entry and a first slot whose map opens on the master's world.
class KiligGame final
{
public:
    explicit KiligGame(GameEvents const& progress) : slot(Level_Kilig, progress)
    {
        EXPECT_EQ(0, std::system((Built("hm_datagen") + " " + data.string() + " > /dev/null").c_str()));
        std::filesystem::create_directories(root.path / "config/hollowmere");
        std::ofstream(root / "config/hollowmere/registry")
            << "[Software\\Velmora\\Hollowmere]\nInstallPath=" << data.string();
        slot.Write(data);
    }

    // Into the world, a picture 100 steps in, then out by the menu ("Leave level") and quit from
    // the map. Its exit code, or -1 when it did not exit.
    int Run()
    {
        auto at = [this](int offset) { return std::to_string(slot.LevelStep() + offset); };
        std::ofstream(root / "script") << slot.Script() << at(100) << " shot level.png\n"
                                       << at(110) << " key 0x1B down\n"
                                       << at(112) << " key 0x1B up\n"
                                       << at(120) << " key 0x28 down\n"
                                       << at(122) << " key 0x28 up\n"
                                       << at(130) << " key 0x0D down\n"
                                       << at(132) << " key 0x0D up\n"
                                       << at(300) << " key 0x1B down\n";
        std::string const command = "cd " + data.string() + " && XDG_CONFIG_HOME=" + (root.path / "config").string()
                                    + " HM_INPUT_SCRIPT=" + (root.path / "script").string() + " timeout 120 "
                                    + Built("hollowmere") + " > game.log 2>&1";
        int const status = std::system(command.c_str());
        std::stringstream text;
        text << std::ifstream(data / "game.log").rdbuf();
        log = text.str();
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    // The share of the picture's points, on a grid, whose colour passes the test.
    double Share(bool (*test)(std::array<int, 3>)) const
    {
        png_image image = {};
        image.version = PNG_IMAGE_VERSION;
        if (!png_image_begin_read_from_file(&image, (data / "level.png").c_str()))
            return 0.0;
        image.format = PNG_FORMAT_RGB;
        std::vector<unsigned char> rgb(PNG_IMAGE_SIZE(image));
        png_image_finish_read(&image, nullptr, rgb.data(), 0, nullptr);
        int hits = 0;
        int all = 0;
        for (std::size_t i = 0; i + 2 < rgb.size(); i += 3 * 7, ++all)
            hits += test({rgb[i], rgb[i + 1], rgb[i + 2]}) ? 1 : 0;
        return all == 0 ? 0.0 : double(hits) / all;
    }

    TestFolder root{false};
    std::filesystem::path data = root.path / "data";
    SaveSlotWriter slot;
    std::string log;
};

// The dungeon's dark back wall and its grey-brown stone.
bool DungeonWall(std::array<int, 3> c)
{
    return c[0] < 80 && c[1] < 80 && c[2] < 85 && c[2] >= c[1];
}
bool DungeonStone(std::array<int, 3> c)
{
    return c[0] > 90 && c[0] < 140 && c[1] > 85 && c[1] < 135 && c[2] > 75 && c[2] < 125;
}
// The house's plastered walls and its boards.
bool HouseWall(std::array<int, 3> c)
{
    return c[0] > 160 && c[1] > 130 && c[1] < 185 && c[2] > 90 && c[2] < 140;
}

} // namespace

TEST(KiligProgram, EntersTheHouseOnAFirstVisitAndTheDungeonAfterItFromTheMap)
{
    GameEvents learnt;
    learnt[Event_TimeTravel] = GameEvent_HasHappened;
    learnt[Kilig_Event_IntroSeen] = GameEvent_HasHappened;
    KiligGame house{GameEvents()};
    KiligGame dungeon{learnt};
    int houseCode = -1;
    std::thread second([&] { houseCode = house.Run(); });
    int const dungeonCode = dungeon.Run();
    second.join();

    EXPECT_EQ(0, houseCode) << house.log;
    EXPECT_EQ(std::string::npos, house.log.find("rror")) << house.log;
    EXPECT_GT(house.Share(&HouseWall), 0.3) << "the house's walls fill the picture";
    EXPECT_EQ(0, dungeonCode) << dungeon.log;
    EXPECT_EQ(std::string::npos, dungeon.log.find("rror")) << dungeon.log;
    EXPECT_GT(dungeon.Share(&DungeonWall), 0.2) << "the dungeon's back wall";
    EXPECT_GT(dungeon.Share(&DungeonStone), 0.2) << "the first room's floor";

    // Left by the menu: nothing learnt on the first visit, nothing forgotten after it.
    GameEvents const first((house.data / "saves/save0").c_str());
    EXPECT_EQ(first[Kilig_Event_IntroSeen], GameEvent_HasntHappened);
    EXPECT_EQ(first[Event_TimeTravel], GameEvent_HasntHappened);
    GameEvents const later((dungeon.data / "saves/save0").c_str());
    EXPECT_EQ(later[Kilig_Event_IntroSeen], GameEvent_HasHappened);
    EXPECT_EQ(later[Event_TimeTravel], GameEvent_HasHappened);
}
