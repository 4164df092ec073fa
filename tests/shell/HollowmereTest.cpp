// The game program itself, run headless with scripted input from the title into a level and out.
// A scripted run takes one step per pass, so its frames and its end are the same on any machine.
#include "support/SaveSlotWriter.h"
#include "support/TestFolder.h"

#include <gtest/gtest.h>

#include <png.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdint>
#include <fstream>
#include <functional>
#include <set>
#include <sstream>
#include <thread>
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

    // The colour at a logical point of the 640x480 screen, y from the bottom.
    std::array<int, 3> At(double x, double y) const
    {
        int const px = std::clamp(static_cast<int>(x * width / 640.0), 0, width - 1);
        int const py = std::clamp(static_cast<int>((480.0 - y) * height / 480.0), 0, height - 1);
        std::size_t const i = (static_cast<std::size_t>(py) * width + px) * 3;
        return {rgb[i], rgb[i + 1], rgb[i + 2]};
    }
    int Sum(double x, double y) const
    {
        std::array<int, 3> const c = At(x, y);
        return c[0] + c[1] + c[2];
    }

    // Logical points of a box (x0 to x1, y0 to y1, one unit apart) whose colour passes the test.
    int Count(double x0, double y0, double x1, double y1, std::function<bool(std::array<int, 3>)> const& test) const
    {
        int count = 0;
        for (double y = y0; y < y1; y += 1.0)
            for (double x = x0; x < x1; x += 1.0)
                count += test(At(x, y)) ? 1 : 0;
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

bool GemGreen(std::array<int, 3> c)
{
    return c[0] < 70 && c[1] > 140 && c[2] < 90;
}

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

// Runs the game in folder; its exit code, or -1 when it did not exit.
int RunGame(std::filesystem::path const& folder, std::string const& environment, std::string* log)
{
    std::filesystem::path const logFile = folder / "game.log";
    std::string const command = "cd " + folder.string() + " && " + environment + " timeout 120 " + Built("hollowmere")
                                + " > " + logFile.string() + " 2>&1";
    int const status = std::system(command.c_str());
    *log = ReadAll(logFile);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// The world these tests play: the village, whose street runs right from the start.
constexpr Level_Type SmokeWorld = Level_TreeV;

// The progress of a player who has earned a heart and a sword upgrade and holds three gems.
GameEvents Seasoned()
{
    GameEvents record;
    record[1] = record[6] = GameEvent_HasHappened;
    record.gems = 3;
    return record;
}

// A generated data folder with its registry entry and, in slot 0, a player whose map opens on
// world (by default the smoke tests' world) with the progress given.
class GameFolder final
{
public:
    explicit GameFolder(Level_Type world = SmokeWorld, GameEvents const& progress = Seasoned()) : slot(world, progress)
    {
        EXPECT_EQ(0, std::system((Built("hm_datagen") + " " + data.string() + " > /dev/null").c_str()));
        std::filesystem::create_directories(root.path / "config/hollowmere");
        std::ofstream(root / "config/hollowmere/registry")
            << "[Software\\Velmora\\Hollowmere]\nInstallPath=" << data.string();
        slot.Write(data);
    }

    // Writes the script and gives the environment of a run with it.
    std::string Scripted(char const* name, std::string const& script) const
    {
        std::ofstream(root / name) << script;
        return "XDG_CONFIG_HOME=" + root / "config" + " HM_INPUT_SCRIPT=" + root / name;
    }

    std::string Slot() const { return ReadAll(data / "saves/save0"); }

    TestFolder root{false};
    std::filesystem::path data = root.path / "data";
    SaveSlotWriter slot;
};

// Into the first slot's world (Enter, then P on the map) and right along the floor towards
// the gate.
std::string IntoTheLevel()
{
    return SaveSlotWriter(SmokeWorld).Script() + "1000 key 0x57 down\n";
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
    GameFolder game;
    // The level near the gate; the menu, down to Options, which opens and is cancelled with
    // Escape; up to "Leave level"; the map after the level, and Escape to quit.
    std::string const script =
        std::string("100 shot title.png\n330 shot logo.png\n790 shot slots.png\n880 shot map.png\n") + IntoTheLevel()
        + "1350 shot level.png\n1360 key 0x57 up\n"
          "1370 key 0x1B down\n1372 key 0x1B up\n"
          "1380 key 0x28 down\n1382 key 0x28 up\n1384 key 0x28 down\n1386 key 0x28 up\n"
          "1390 shot menu.png\n1400 key 0x0D down\n1402 key 0x0D up\n1420 shot options.png\n"
          "1430 key 0x1B down\n1432 key 0x1B up\n1440 key 0x26 down\n1442 key 0x26 up\n"
          "1450 key 0x0D down\n1452 key 0x0D up\n1560 shot after.png\n1570 key 0x1B down\n";
    std::string log;
    EXPECT_EQ(0, RunGame(game.data, game.Scripted("script", script), &log)) << log;
    EXPECT_EQ(std::string::npos, log.find("rror")) << log;

    std::filesystem::path const& d = game.data;
    Shot const title(d / "title.png"), logo(d / "logo.png"), slots(d / "slots.png"), map(d / "map.png");
    Shot const level(d / "level.png"), menu(d / "menu.png"), options(d / "options.png"), after(d / "after.png");
    for (Shot const* shot : {&title, &logo, &slots, &map, &level, &menu, &options, &after})
        EXPECT_GT(shot->Colours(), 8u) << "a picture, not a cleared screen";
    EXPECT_NE(title.rgb, logo.rgb);

    // The slot plates: the first, with its progress, is highlighted; its rows of hearts, swords
    // and held gems lie inside it, none in the gap below it.
    EXPECT_GT(slots.At(90.0, 250.0)[0], slots.At(90.0, 250.0)[1] + 40) << "the first slot's plate is highlighted";
    EXPECT_GT(slots.Count(400.0, 250.0, 540.0, 272.0, GemGreen), 10) << "held gems on the plate";
    EXPECT_EQ(slots.Count(400.0, 223.0, 540.0, 238.0, GemGreen), 0) << "held gems below the plate";
    // The map's plate lies on the bottom edge: its gem row must be inside it.
    EXPECT_GT(map.Count(400.0, 11.0, 540.0, 29.0, GemGreen), 10) << "held gems on the map's plate";

    // In the level: the trunks and the gate are drawn in wood, nothing in black, and the player is tall enough
    // to see.
    auto const wood = [](std::array<int, 3> c) {
        return c[0] > 110 && c[0] < 190 && c[1] > 70 && c[1] < 130 && c[2] < 80;
    };
    auto const black = [](std::array<int, 3> c) { return c[0] + c[1] + c[2] < 30; };
    EXPECT_GT(level.Count(0.0, 0.0, 640.0, 480.0, wood), 300) << "the trunks and the gate";
    EXPECT_LT(level.Count(0.0, 0.0, 640.0, 480.0, black), 600) << "black where wood or street should be";
    auto const tunic = [](std::array<int, 3> c) { return c[0] < 70 && c[1] > 70 && c[1] < 120 && c[2] > 170; };
    auto const skin = [](std::array<int, 3> c) {
        return c[0] > 220 && c[1] > 180 && c[1] < 220 && c[2] > 140 && c[2] < 180;
    };
    int top = -1, bottom = 480;
    for (int y = 0; y < 480; y++)
        if (level.Count(0.0, y, 640.0, y + 1.0, tunic) + level.Count(0.0, y, 640.0, y + 1.0, skin) > 0)
        {
            top = std::max(top, y);
            bottom = std::min(bottom, y);
        }
    EXPECT_GE(top - bottom, 14) << "the player's head and tunic span only " << top - bottom << " units";

    EXPECT_GT(menu.Sum(170.0, 110.0), level.Sum(170.0, 110.0)) << "the menu's light panel lies over the level";
    EXPECT_NE(options.rgb, menu.rgb) << "the options screen opened over the menu, and the script went on";
    // Left by the menu with nothing done: the map again, as it was, and the slot it saved whole.
    EXPECT_EQ(after.rgb, map.rgb);
    std::string const saved = game.Slot();
    ASSERT_EQ(saved.size(), 222u);
    GameEvents const record((game.data / "saves/save0").c_str());
    EXPECT_FALSE(record.damaged);
    EXPECT_EQ(record.gems, 3);
}

TEST(Hollowmere, TwoRunsOfOneScriptEndInTheSameState)
{
    // Walking, a jump, time run back with 1 and the travel ended with Space, then closed in the
    // level. Each run prints its digest as it ends; both run at once.
    std::string const script = IntoTheLevel()
                               + "1100 key 0x20 down\n1110 key 0x20 up\n1150 key 0x57 up\n"
                                 "1160 key 0x31 down\n1200 key 0x31 up\n1210 key 0x20 down\n1212 key 0x20 up\n"
                                 "1260 close\n";
    GameFolder games[2];
    std::string logs[2];
    std::thread second(
        [&] { EXPECT_EQ(0, RunGame(games[1].data, "HM_DIGEST=1 " + games[1].Scripted("script", script), &logs[1])); });
    EXPECT_EQ(0, RunGame(games[0].data, "HM_DIGEST=1 " + games[0].Scripted("script", script), &logs[0]));
    second.join();
    std::size_t const at = logs[0].find("digest ");
    ASSERT_NE(at, std::string::npos) << logs[0];
    EXPECT_EQ(logs[0].substr(at, 15), logs[1].substr(logs[1].find("digest "), 15)) << logs[0] << logs[1];
}

TEST(Hollowmere, ASignalMidLevelEndsTheGameWithItsSlotWhole)
{
    GameFolder game;
    std::string const slot = game.Slot();
    // The script leaves the player walking left in the level for good, away from the gem that
    // would save; the shot says it got there.
    std::string const environment =
        game.Scripted("script", game.slot.Script() + "960 key 0x51 down\n1000 shot inlevel.png\n");
    pid_t const child = fork();
    ASSERT_GE(child, 0);
    if (child == 0)
    {
        std::string const command =
            "cd " + game.data.string() + " && " + environment + " exec " + Built("hollowmere") + " > game.log 2>&1";
        execl("/bin/sh", "sh", "-c", command.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    auto const deadline = std::chrono::steady_clock::now() + std::chrono::minutes(5);
    while (!std::filesystem::exists(game.data / "inlevel.png") && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    ASSERT_EQ(0, kill(child, SIGTERM));
    auto const signalled = std::chrono::steady_clock::now();
    int status = 0;
    ASSERT_EQ(child, waitpid(child, &status, 0));
    // About a second on a quiet machine; the bound only tells an ending from a game that goes on
    // playing, and leaves room for a sanitized build on a loaded machine.
    EXPECT_LT(std::chrono::steady_clock::now() - signalled, std::chrono::seconds(60));
    ASSERT_TRUE(WIFEXITED(status)) << ReadAll(game.data / "game.log");
    EXPECT_EQ(0, WEXITSTATUS(status)) << ReadAll(game.data / "game.log");
    EXPECT_EQ(slot, game.Slot());
    for (auto const& entry : std::filesystem::directory_iterator(game.data / "saves"))
        EXPECT_EQ(entry.path().filename(), "save0") << "left behind";
}

TEST(Hollowmere, EntersTheVillageAndThePlateauFromTheMapAndLeavesByTheMenu)
{
    // A first game for the village and one with the plateau's path open; both run at once. In
    // each the level is left by the menu ("Leave level", one down from Resume) and the game
    // quits from the map that follows.
    Level_Type const worlds[2] = {Level_TreeV, Level_Plato};
    GameFolder games[2] = {GameFolder(worlds[0], GameEvents()), GameFolder(worlds[1], GameEvents())};
    std::string logs[2];
    int codes[2] = {-1, -1};
    auto run = [&](int i) {
        int const in = games[i].slot.LevelStep();
        auto at = [in](int offset) { return std::to_string(in + offset); };
        std::string const script = games[i].slot.Script() + at(100) + " shot level.png\n" + at(110)
                                   + " key 0x1B down\n" + at(112) + " key 0x1B up\n" + at(120) + " key 0x28 down\n"
                                   + at(122) + " key 0x28 up\n" + at(130) + " key 0x0D down\n" + at(132)
                                   + " key 0x0D up\n" + at(300) + " key 0x1B down\n";
        codes[i] = RunGame(games[i].data, games[i].Scripted("script", script), &logs[i]);
    };
    std::thread second(run, 1);
    run(0);
    second.join();

    for (int i = 0; i < 2; i++)
    {
        SCOPED_TRACE(worlds[i] == Level_TreeV ? "the village" : "the plateau");
        EXPECT_EQ(0, codes[i]) << logs[i];
        EXPECT_EQ(std::string::npos, logs[i].find("rror")) << logs[i];
        EXPECT_GT(Shot(games[i].data / "level.png").Colours(), 8u) << "a picture, not a cleared screen";
        // The map saved the slot after the level. The test world, which stands in for worlds not
        // yet built, would have taught time travel; the village shows its first hint at once.
        GameEvents const saved((games[i].data / "saves/save0").c_str());
        EXPECT_FALSE(saved.damaged);
        EXPECT_EQ(saved[Event_TimeTravel], GameEvent_HasntHappened);
        if (worlds[i] == Level_TreeV)
        {
            EXPECT_EQ(saved[26], GameEvent_HasHappened) << "the village's first hint";
        }
        EXPECT_EQ(saved[Path_FirstEvent + 1], GameEvent_HasntHappened) << "left, not completed";
    }
}
