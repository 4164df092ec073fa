// The game program itself, run headless with scripted input from the title into a level and out.
// A scripted run takes one step per pass, so its frames and its end are the same on any machine.
#include "engine/KeyData.h"
#include "support/GameRun.h"
#include "support/MapFiles.h"
#include "support/RecordedKeys.h"
#include "support/RoadWalker.h"
#include "support/Shot.h"
#include "support/WorldFixture.h"

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <poll.h>
#include <string>
#include <thread>
#include <vector>

namespace
{

bool GemGreen(std::array<int, 3> c)
{
    return c[0] < 70 && c[1] > 140 && c[2] < 90;
}

// The village's trunks and gate.
bool Wood(std::array<int, 3> c)
{
    return c[0] > 110 && c[0] < 190 && c[1] > 70 && c[1] < 130 && c[2] < 80;
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

// Into the first slot's world (Enter, then P on the map) and right along the floor towards
// the gate.
std::string IntoTheLevel()
{
    return SaveSlotWriter(SmokeWorld).Script() + "1000 key 0x57 down\n";
}

// A key file holding the codes, low byte first.
void WriteKeyFile(std::filesystem::path const& file, std::uint16_t const (&codes)[KeyAssign_Count])
{
    std::ofstream out(file, std::ios::binary);
    for (std::uint16_t code : codes)
        out.put(static_cast<char>(code & 0xFF)).put(static_cast<char>(code >> 8));
}

// Runs the program in the game's data folder as GameRun::RunIn does, its files limited to limit bytes
// as on a disk that fills up. The limit is set in the child alone, and the signal a write past it
// sends is left as a fresh process has it, so that only the game's own handling keeps it going. What
// it prints goes through a pipe, which no limit cuts. Its exit code, or -1 when it did not exit.
int RunUnderFileLimit(GameRun const& game, std::string const& environment, rlim_t limit, std::string* log)
{
    std::string const command =
        "cd " + game.data.string() + " && " + environment + " exec " + GameRun::Built("hollowmere") + " 2>&1";
    int out[2] = {-1, -1};
    if (pipe(out) != 0)
        return -1;
    pid_t const child = fork();
    if (child == 0)
    {
        rlimit bound = {};
        getrlimit(RLIMIT_FSIZE, &bound);
        bound.rlim_cur = limit;
        setrlimit(RLIMIT_FSIZE, &bound);
        signal(SIGXFSZ, SIG_DFL);
        dup2(out[1], STDOUT_FILENO);
        close(out[0]);
        close(out[1]);
        execl("/bin/sh", "sh", "-c", command.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    close(out[1]);
    log->clear();
    auto const deadline = std::chrono::steady_clock::now() + GameRun::RunLimit;
    pollfd ready = {out[0], POLLIN, 0};
    for (;;)
    {
        if (poll(&ready, 1, 100) > 0)
        {
            char buffer[4096];
            ssize_t const got = read(out[0], buffer, sizeof buffer);
            if (got > 0)
            {
                log->append(buffer, static_cast<std::size_t>(got));
                continue;
            }
            if (got == 0 || errno != EINTR)
                break;
        }
        if (std::chrono::steady_clock::now() >= deadline)
        {
            kill(child, SIGKILL);
            ADD_FAILURE() << "the program ran past " << GameRun::RunLimit.count() << " s: killed as hung";
            break;
        }
    }
    close(out[0]);
    int status = 0;
    if (child < 0 || waitpid(child, &status, 0) != child)
        return -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// Starts the program in the game's data folder, its output in game.log there, and returns at once:
// the child's pid, or -1.
pid_t StartGame(GameRun const& game, std::string const& environment)
{
    pid_t const child = fork();
    if (child == 0)
    {
        std::string const command = "cd " + game.data.string() + " && " + environment + " exec "
                                    + GameRun::Built("hollowmere") + " > game.log 2>&1";
        execl("/bin/sh", "sh", "-c", command.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    return child;
}

} // namespace

TEST(Hollowmere, StartUpFailureIsReportedAndReleasesWhatItMade)
{
    TestFolder empty(false);
    std::string log;
    // Without data the title picture is missing; the sanitizer's leak check runs at the exit.
    EXPECT_EQ(1, GameRun::RunIn(empty.path, "XDG_CONFIG_HOME=" + empty.path.string(), &log)) << log;
    EXPECT_NE(std::string::npos, log.find("gfx/title.png")) << log;
}

TEST(Hollowmere, PlaysFromTheTitleThroughTheMapIntoALevelAndQuits)
{
    GameRun game(SmokeWorld, Seasoned());
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
    // Keys the script does not use bound to codes no key produces: the file is taken as it stands,
    // with no word of damage, and the game plays on.
    std::uint16_t const codes[KeyAssign_Count] = {0x0000, 0x57, 0x20, 0x50, 0x4F, 0x4B, 0x10, 0x31, 0x32,
                                                  0xFFFF, 0x58, 0x20, 0x0D, 0xC0, 0xBF, 0x10, 0x41, 0x1234};
    WriteKeyFile(game.data / "keyassign", codes);
    std::string log;
    EXPECT_EQ(0, GameRun::RunIn(game.data, game.Scripted("script", script), &log)) << log;
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
    // Above the gems, a heart and a sword for each the record holds: the bought heart makes five,
    // the one upgrade two swords.
    auto const heartRed = [](std::array<int, 3> c) { return c[0] > 150 && c[1] < 70; };
    auto const steel = [](std::array<int, 3> c) { return c[0] > 170 && c[2] > 180 && std::abs(c[0] - c[1]) < 12; };
    EXPECT_GT(slots.Count(440.0, 292.0, 462.0, 310.0, heartRed), 20) << "the fifth heart";
    EXPECT_EQ(slots.Count(410.0, 292.0, 438.0, 310.0, heartRed), 0) << "a sixth heart";
    EXPECT_GT(slots.Count(519.0, 280.0, 530.0, 292.0, steel), 4) << "the second sword";
    EXPECT_EQ(slots.Count(500.0, 280.0, 518.0, 292.0, steel), 0) << "a third sword";
    // The map's plate lies on the bottom edge: its gem row must be inside it.
    EXPECT_GT(map.Count(400.0, 11.0, 540.0, 29.0, GemGreen), 10) << "held gems on the map's plate";

    // In the level: the trunks and the gate are drawn in wood, nothing in black, and the player is tall enough
    // to see.
    auto const black = [](std::array<int, 3> c) { return c[0] + c[1] + c[2] < 30; };
    EXPECT_GT(level.Count(0.0, 0.0, 640.0, 480.0, Wood), 300) << "the trunks and the gate";
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
    // The level's top left shows the record's five hearts and, under them, its three gems.
    EXPECT_GT(level.Count(194.0, 435.0, 237.0, 480.0, heartRed), 300) << "the fifth heart";
    EXPECT_EQ(level.Count(240.0, 435.0, 300.0, 480.0, heartRed), 0) << "a sixth heart";
    EXPECT_GT(level.Count(48.0, 405.0, 72.0, 435.0, GemGreen), 60) << "the third held gem";
    EXPECT_LT(level.Count(72.0, 405.0, 96.0, 435.0, GemGreen), 30) << "a fourth held gem";

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

// A key file of 36 zero bytes binds no game key to any key: the act key that entered a world on the
// map was gone, and with it the way to the menu's Options that could mend the file.
TEST(Hollowmere, AKeyFileOfZerosStillLeadsIntoAWorldAndToItsOptions)
{
    GameRun game(SmokeWorld);
    std::ofstream(game.data / "keyassign", std::ios::binary) << std::string(2 * KeyAssign_Count, '\0');
    // Enter on the title and on the map; in the level Escape, down twice to Options, Enter; Escape
    // cancels it.
    std::string const script =
        "800 key 0x0D down\n805 key 0x0D up\n900 key 0x0D down\n910 key 0x0D up\n" + game.At(100, "shot level.png")
        + game.At(110, "key 0x1B down") + game.At(112, "key 0x1B up") + game.At(120, "key 0x28 down")
        + game.At(122, "key 0x28 up") + game.At(124, "key 0x28 down") + game.At(126, "key 0x28 up")
        + game.At(130, "shot menu.png") + game.At(140, "key 0x0D down") + game.At(142, "key 0x0D up")
        + game.At(160, "shot options.png") + game.At(170, "key 0x1B down") + game.At(172, "key 0x1B up")
        + game.At(190, "close");
    std::string log;
    EXPECT_EQ(0, GameRun::RunIn(game.data, game.Scripted("script", script), &log)) << log;
    EXPECT_EQ(std::string::npos, log.find("rror")) << log;
    Shot const level(game.data / "level.png"), menu(game.data / "menu.png"), options(game.data / "options.png");
    EXPECT_GT(level.Count(0.0, 0.0, 640.0, 480.0, Wood), 300) << "the village's trunks: the world was entered";
    EXPECT_GT(menu.Sum(170.0, 110.0), level.Sum(170.0, 110.0)) << "the menu's light panel lies over the level";
    EXPECT_GT(options.Colours(), 8u);
    EXPECT_NE(options.rgb, menu.rgb) << "the options screen opened over the menu";
    EXPECT_EQ(std::string(2 * KeyAssign_Count, '\0'), GameRun::ReadAll(game.data / "keyassign"))
        << "cancelled: the file stands as it was";
}

// A key file putting action on Down: on the title Down's release once took the slot it moved to, and
// on the erase question moved to "yes" it wiped the slot; in the level's menu it left the level.
TEST(Hollowmere, ActionOnDownMovesInTheMenusAndNeitherChoosesNorErasesNorLeaves)
{
    GameRun game(SmokeWorld, Seasoned());
    std::uint16_t const codes[KeyAssign_Count] = {0x51, 0x57, 0x20, 0x28, 0x4F, 0x4B, 0x10, 0x31, 0x32,
                                                  0x5A, 0x58, 0x20, 0x0D, 0xC0, 0xBF, 0x10, 0x41, 0x53};
    WriteKeyFile(game.data / "keyassign", codes);
    // The title: Down to the second slot and a wait, Up; Delete, Down to "yes", Up to "no" and Enter;
    // Enter takes the first slot, and Enter on the map enters the village. In the level: Escape,
    // Down twice to Options and Enter; Escape cancels it, Up and Enter leave the level.
    auto key = [](int step, unsigned vk) {
        return std::to_string(step) + " key " + std::to_string(vk) + " down\n" + std::to_string(step + 5) + " key "
               + std::to_string(vk) + " up\n";
    };
    std::string const script = "790 shot slots.png\n" + key(800, 0x28) + "870 shot second.png\n" + key(880, 0x26)
                               + key(900, 0x2E) + key(920, 0x28) + "940 shot erase.png\n" + key(950, 0x26)
                               + key(970, 0x0D) + key(990, 0x0D) + "1100 shot map.png\n" + key(1110, 0x0D)
                               + "1290 shot level.png\n" + key(1300, 0x1B) + key(1310, 0x28) + "1330 shot menu.png\n"
                               + key(1340, 0x28) + key(1350, 0x0D) + "1370 shot options.png\n" + key(1380, 0x1B)
                               + key(1390, 0x26) + key(1400, 0x0D) + "1560 shot after.png\n1570 close\n";
    std::string log;
    EXPECT_EQ(0, GameRun::RunIn(game.data, game.Scripted("script", script), &log)) << log;
    EXPECT_EQ(std::string::npos, log.find("rror")) << log;

    std::filesystem::path const& d = game.data;
    Shot const slots(d / "slots.png"), second(d / "second.png"), erase(d / "erase.png"), map(d / "map.png");
    Shot const level(d / "level.png"), menu(d / "menu.png"), options(d / "options.png"), after(d / "after.png");
    auto const highlighted = [](Shot const& shot, double y) { return shot.At(90.0, y)[0] > shot.At(90.0, y)[1] + 40; };
    EXPECT_TRUE(highlighted(slots, 250.0) && !highlighted(slots, 150.0));
    EXPECT_TRUE(highlighted(second, 150.0) && !highlighted(second, 250.0)) << "the second slot, not taken";
    EXPECT_NE(erase.rgb, second.rgb) << "the erase question";
    EXPECT_GT(level.Count(0.0, 0.0, 640.0, 480.0, Wood), 300) << "the village entered from the first slot";
    EXPECT_GT(menu.Sum(170.0, 110.0), level.Sum(170.0, 110.0)) << "the menu still open after Down's release";
    EXPECT_NE(options.rgb, menu.rgb) << "the options screen opened over the menu";
    EXPECT_EQ(after.rgb, map.rgb) << "left by the menu's Leave row, and back on the map";
    GameEvents const record((d / "saves/save0").c_str());
    EXPECT_FALSE(record.IsNew()) << "the slot was wiped";
    EXPECT_EQ(3, record.gems);
    EXPECT_FALSE(std::filesystem::exists(d / "saves/save1")) << "the second slot was never taken";
}

// A FIFO with nothing at its other end in the place of the key file or of a slot held the start in
// its open for good, the window up and nothing ever drawn; one as the registry file held it too, one
// as a sound at its first play (the title's move), one as the village's music as the village
// opened. The key file counts as missing, the slot as damaged and not copied, the registry entry,
// the sound and the music as missing; the first slot plays with the default keys.
TEST(Hollowmere, AFifoForTheKeyFileOrASlotHoldsNothingUp)
{
    GameRun game(SmokeWorld);
    ASSERT_EQ(0, mkfifo((game.data / "keyassign").c_str(), 0600));
    ASSERT_EQ(0, mkfifo((game.data / "saves/save2").c_str(), 0600));
    std::filesystem::path const registry = game.root.path / "config/hollowmere/registry";
    for (std::filesystem::path const& file : {registry, game.data / "sounds/uimove.wav", game.data / "music/treevillage.mp3"})
    {
        std::filesystem::remove(file);
        ASSERT_EQ(0, mkfifo(file.c_str(), 0600)) << file;
    }
    // Down and back up on the title, each with the move's sound.
    std::string const script = "770 key 0x28 down\n772 key 0x28 up\n780 key 0x26 down\n782 key 0x26 up\n"
                               "790 shot slots.png\n"
                               + game.slot.Script() + game.At(100, "shot level.png") + game.At(110, "close");
    EXPECT_EQ(0, GameRun::RunIn(game.data, game.Scripted("script", script), &game.log)) << game.log;
    EXPECT_GT(Shot(game.data / "slots.png").Colours(), 8u);
    EXPECT_GT(Shot(game.data / "level.png").Count(0.0, 0.0, 640.0, 480.0, Wood), 300) << "entered with P";
    EXPECT_TRUE(std::filesystem::is_fifo(game.data / "keyassign"));
    EXPECT_TRUE(std::filesystem::is_fifo(game.data / "saves/save2"));
    EXPECT_NE(std::string::npos, game.log.find("registry entry missing")) << game.log;
    EXPECT_NE(std::string::npos, game.log.find("no music file music/treevillage.mp3")) << game.log;
}

// Sparse files of a terabyte, never written: as the registry file one grew the game to gigabytes
// and aborted the start, as the title's choice sound one crashed it at the first Enter, and as the
// village's texture list one held the village's opening for good. The registry entry, the sounds,
// the music and the key file count as missing, the slot as damaged; the texture list, without which
// the village cannot open, is an error naming it.
TEST(Hollowmere, ATerabyteAtAFileOfAnyKindIsNotRead)
{
    GameRun game(SmokeWorld);
    auto const terabyte = [](std::filesystem::path const& file) {
        std::ofstream(file, std::ios::app).close();
        std::filesystem::resize_file(file, std::uintmax_t(1) << 40);
    };
    for (char const* name :
         {"keyassign", "saves/save2", "sounds/uimove.wav", "sounds/uiselect.wav", "music/treevillage.mp3"})
        terabyte(game.data / name);
    terabyte(game.root.path / "config/hollowmere/registry");
    // Down and back up on the title, each with the move's sound, then the slot taken with the choice's.
    std::string const script = "770 key 0x28 down\n772 key 0x28 up\n780 key 0x26 down\n782 key 0x26 up\n"
                               + game.slot.Script() + game.At(100, "shot level.png") + game.At(110, "close");
    EXPECT_EQ(0, GameRun::RunIn(game.data, game.Scripted("script", script), &game.log, &game.peakKb)) << game.log;
    EXPECT_GT(Shot(game.data / "level.png").Count(0.0, 0.0, 640.0, 480.0, Wood), 300) << "the village entered";
    EXPECT_NE(std::string::npos, game.log.find("registry entry missing")) << game.log;
    EXPECT_NE(std::string::npos, game.log.find("no music file music/treevillage.mp3")) << game.log;
    EXPECT_NE(std::string::npos, game.log.find("save2: it is too large to copy")) << game.log;
    EXPECT_LT(game.peakKb, 1L << 20) << "a gigabyte or more held";
    for (char const* name : {"keyassign", "saves/save2"})
        EXPECT_EQ(std::uintmax_t(1) << 40, std::filesystem::file_size(game.data / name)) << name;

    std::filesystem::remove(game.root.path / "config/hollowmere/registry");
    terabyte(game.data / "treevillage/imagemap");
    EXPECT_EQ(1,
              GameRun::RunIn(game.data, game.Scripted("script", game.slot.Script() + game.At(110, "close")), &game.log))
        << game.log;
    EXPECT_NE(std::string::npos, game.log.find("treevillage/imagemap")) << game.log;
}

TEST(Hollowmere, AScriptItCannotPlayIsRefusedByNameBeforeItPlaysAndStartUpIsStepZero)
{
    GameRun game(SmokeWorld);
    std::string log;
    std::string const environment =
        game.Scripted("script", "100 shot title.png\n800 key 0x07 down\n810 key 0x07 up\n900 close\n");
    EXPECT_EQ(1, GameRun::RunIn(game.data, environment, &log)) << "an error, not an abort: " << log;
    EXPECT_NE(std::string::npos, log.find(game.root / "script" + ": line 2: ")) << log;
    EXPECT_FALSE(std::filesystem::exists(game.data / "title.png")) << "refused before the first step";
    // A test reading the picture the program did not leave fails, saying so; the picture shows no colour.
    Shot::Colour seen = {};
    EXPECT_NONFATAL_FAILURE(seen = Shot(game.data / "title.png").At(320.0, 240.0), "no picture");
    EXPECT_EQ(seen, (Shot::Colour{-1, -1, -1}));

    // A script of nothing but comments would play on until killed; a close at start-up, step 0, ends it.
    EXPECT_EQ(1, GameRun::RunIn(game.data, game.Scripted("comments", "# close at once\n"), &log)) << log;
    EXPECT_NE(std::string::npos, log.find(game.root / "comments" + ": ")) << log;
    EXPECT_EQ(0, GameRun::RunIn(game.data, game.Scripted("start", "0 close\n"), &log)) << log;

    // A run that goes on past its limit (here a close no run reaches in two seconds) is ended, and
    // fails its test saying so, where a hang once lasted until the test runner's hour.
    int code = 0;
    EXPECT_NONFATAL_FAILURE(code = GameRun::RunIn(game.data, game.Scripted("long", "1000000 close\n"), &log, nullptr,
                                                  std::chrono::seconds(2)),
                            "killed as hung");
    EXPECT_EQ(-1, code);
}

// The village's way out below, walked in the test's own process by the road walker; the keys of each
// of its steps are then played by the real program.
class HollowmerePath : public MutedWorldFixture
{
};

TEST_F(HollowmerePath, APathEarnedIsKeptWhenTheGameIsClosedWhileTheMapDrawsIt)
{
    // Out of the village by its way out below; the map opens and draws the path to the tower dot by
    // dot. The game is closed half way through.
    GameEvents progress;
    progress[Event_TimeTravel] = GameEvent_HasHappened;
    Build(Level_TreeV, progress);
    std::vector<std::vector<int>> steps;
    RoadWalker walker(*world, RoadWalker::WorldRoad(Level_TreeV, "exit3"));
    RoadWalk_Result const walk = walker.Walk([&](std::vector<int> const& held) {
        steps.push_back(held);
        return Step(held);
    });
    ASSERT_EQ(walk.action, Level_Restart) << walk.report;
    Destroy();
    std::filesystem::current_path(previous); // the program and the generator are built beside the tests

    GameRun game(Level_TreeV, progress);
    int const end = int(steps.size());
    EXPECT_EQ(0, game.Run(RecordedKeys::Script(game, steps) + game.At(end + 120, "shot drawing.png")
                          + game.At(end + 130, "close")))
        << game.log;
    EXPECT_EQ(std::string::npos, game.log.find("rror")) << game.log;
    auto red = [](Shot::Colour c) { return c[0] > 150 && c[1] < 90 && c[2] < 90; };
    // The tower's marker at the path's far end pops up last.
    constexpr double TowerX = 0.34 * 640.0, TowerY = 0.47 * 480.0;
    ASSERT_TRUE(std::filesystem::exists(game.data / "drawing.png"));
    Shot const drawing(game.data / "drawing.png");
    EXPECT_EQ(0, drawing.Count(TowerX - 3.0, TowerY - 3.0, TowerX + 3.0, TowerY + 3.0, red))
        << "closed before the path was drawn";
    EXPECT_EQ(GameEvents((game.data / "saves/save0").c_str())[Path_FirstEvent + 5], GameEvent_HasHappened);

    // Started again, the slot's map has the path, and the figure stands at its end.
    std::string log;
    std::string const again = "800 key 0x0D down\n805 key 0x0D up\n950 shot again.png\n960 close\n";
    EXPECT_EQ(0, GameRun::RunIn(game.data, game.Scripted("again", again), &log)) << log;
    ASSERT_TRUE(std::filesystem::exists(game.data / "again.png"));
    Shot const map(game.data / "again.png");
    EXPECT_GT(map.Count(TowerX - 3.0, TowerY - 3.0, TowerX + 3.0, TowerY + 3.0, red), 20);
}

TEST(Hollowmere, TwoRunsOfOneScriptEndInTheSameStateInBoundedMemory)
{
    // Walking, a jump, time run back with 1 and the travel ended with Space, then standing in the
    // level until closed at step 2000. Each run prints its digest as it ends; both run at once.
    std::string const script = IntoTheLevel()
                               + "1100 key 0x20 down\n1110 key 0x20 up\n1150 key 0x57 up\n"
                                 "1160 key 0x31 down\n1200 key 0x31 up\n1210 key 0x20 down\n1212 key 0x20 up\n"
                                 "2000 close\n";
    GameRun games[2] = {GameRun(SmokeWorld, Seasoned()), GameRun(SmokeWorld, Seasoned())};
    std::string logs[2];
    long peaks[2] = {};
    std::thread second([&] {
        EXPECT_EQ(0, GameRun::RunIn(games[1].data, "HM_DIGEST=1 " + games[1].Scripted("script", script), &logs[1],
                                    &peaks[1]));
    });
    EXPECT_EQ(0,
              GameRun::RunIn(games[0].data, "HM_DIGEST=1 " + games[0].Scripted("script", script), &logs[0], &peaks[0]));
    second.join();
    std::size_t const at = logs[0].find("digest ");
    ASSERT_NE(at, std::string::npos) << logs[0];
    EXPECT_EQ(logs[0].substr(at, 15), logs[1].substr(logs[1].find("digest "), 15)) << logs[0] << logs[1];
    // A headless run finishes each frame it draws, or the software renderer keeps every frame's
    // work: at the peak about 145 MB, where unfinished frames take some 1 GB by step 2000 (with the
    // sanitizers' shadow and quarantine 540 MB, and 1.27 GB).
#if defined(__SANITIZE_ADDRESS__)
    constexpr long MostKb = 800 * 1024;
#else
    constexpr long MostKb = 400 * 1024;
#endif
    for (long const peak : peaks)
        EXPECT_LT(peak, MostKb) << "kB at the peak of a 2000-step headless run";
}

TEST(Hollowmere, ASignalMidLevelEndsTheGameWithItsSlotWhole)
{
    GameRun game(SmokeWorld, Seasoned());
    std::string const slot = game.Slot();
    // The script leaves the player walking left in the level for good, away from the gem that
    // would save; the shot says it got there.
    std::string const environment =
        game.Scripted("script", game.slot.Script() + "960 key 0x51 down\n1000 shot inlevel.png\n");
    pid_t const child = StartGame(game, environment);
    ASSERT_GE(child, 0);
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
    ASSERT_TRUE(WIFEXITED(status)) << GameRun::ReadAll(game.data / "game.log");
    EXPECT_EQ(0, WEXITSTATUS(status)) << GameRun::ReadAll(game.data / "game.log");
    EXPECT_EQ(slot, game.Slot());
    for (auto const& entry : std::filesystem::directory_iterator(game.data / "saves"))
        EXPECT_EQ(entry.path().filename(), "save0") << "left behind";
}

TEST(Hollowmere, ASignalWhileAWorldIsBuiltEndsTheGameThereWithItsSlotWhole)
{
    GameRun game(SmokeWorld, Seasoned());
    std::string const slot = game.Slot();
    // The village's map with 100000 small triangles more, apart from it, below: the map stays
    // open some tenths of a second while it is read, time enough to be seen open.
    std::filesystem::path const mapFile = game.data / "treevillage/map";
    {
        MapWriter extra;
        for (int i = 0; i < 100000; i++)
        {
            double const x = 3.0 * (i % 300), y = -2000.0 - 3.0 * (i / 300);
            extra.AddPoly({0, 0, true, false, {{x, y, 0, 0, false}, {x, y + 1, 0, 0, false}, {x + 1, y, 0, 0, false}}});
        }
        std::vector<uint8_t> const added = MapFiles::Bytes(extra);
        std::string const text = GameRun::ReadAll(mapFile);
        std::vector<uint8_t> bytes(text.begin(), text.end());
        auto word = [&](std::size_t at) {
            return uint32_t(bytes[at]) << 24 | uint32_t(bytes[at + 1]) << 16 | uint32_t(bytes[at + 2]) << 8
                   | bytes[at + 3];
        };
        // The count, the view's three numbers, then each polygon: its head and its corners.
        constexpr std::size_t Header = 28, PolyHead = 20, Corner = 36;
        uint32_t const count = word(0);
        std::size_t end = Header;
        for (uint32_t i = 0; i < count; i++)
            end += PolyHead + Corner * word(end);
        // The added polygons' records lie between the header and the (empty) reference points.
        bytes.insert(bytes.begin() + long(end), added.begin() + long(Header), added.end() - 4);
        MapFiles::PutWord(bytes, 0, count + 100000);
        std::ofstream(mapFile, std::ios::binary).write(reinterpret_cast<char const*>(bytes.data()), long(bytes.size()));
    }
    // Should the signal miss the building, the level is shown and then closed.
    std::string const environment =
        game.Scripted("script", game.slot.Script() + game.At(20, "shot inlevel.png") + game.At(40, "close"));
    pid_t const child = StartGame(game, environment);
    ASSERT_GE(child, 0);
    // The game holds the map open while it reads it, in the building of the world.
    std::filesystem::path const fds = "/proc/" + std::to_string(child) + "/fd";
    std::filesystem::path const opened = std::filesystem::canonical(mapFile);
    auto const reading = [&] {
        std::error_code error;
        for (auto const& fd : std::filesystem::directory_iterator(fds, error))
        {
            std::filesystem::path const target = std::filesystem::read_symlink(fd.path(), error);
            if (!error && target == opened)
                return true;
        }
        return false;
    };
    bool seen = false;
    int status = 0;
    pid_t ended = 0;
    auto const deadline = std::chrono::steady_clock::now() + std::chrono::minutes(5);
    while (!seen && ended == 0 && std::chrono::steady_clock::now() < deadline)
    {
        seen = reading();
        if (!seen)
        {
            ended = waitpid(child, &status, WNOHANG);
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
    }
    if (seen)
        kill(child, SIGTERM);
    auto const signalled = std::chrono::steady_clock::now();
    if (ended == 0)
    {
        ASSERT_EQ(child, waitpid(child, &status, 0));
    }
    std::string const log = GameRun::ReadAll(game.data / "game.log");
    ASSERT_TRUE(seen) << "the map was never seen open\n" << log;
    // At once on any machine; the bound only tells an ending from a building that runs its course.
    EXPECT_LT(std::chrono::steady_clock::now() - signalled, std::chrono::seconds(60));
    ASSERT_TRUE(WIFEXITED(status)) << log;
    EXPECT_EQ(128 + SIGTERM, WEXITSTATUS(status)) << log;
    EXPECT_FALSE(std::filesystem::exists(game.data / "inlevel.png")) << "the world was shown";
    EXPECT_EQ(slot, game.Slot());
    for (auto const& entry : std::filesystem::directory_iterator(game.data / "saves"))
        EXPECT_EQ(entry.path().filename(), "save0") << "left behind";
}

TEST(Hollowmere, EntersTheVillageAndThePlateauFromTheMapAndLeavesByTheMenu)
{
    // A first game for the village and one with the plateau's path open; both run at once. In
    // each the level is left by the menu ("Leave level", one down from Resume) and the game
    // quits from the map that follows. On the plateau act (P) is pressed as the level ends and
    // held on: the map that follows stays, where it once entered the level again at once.
    Level_Type const worlds[2] = {Level_TreeV, Level_Plato};
    GameRun games[2] = {GameRun(worlds[0]), GameRun(worlds[1])};
    int codes[2] = {-1, -1};
    auto run = [&](int i) {
        std::string script = games[i].At(100, "shot level.png") + games[i].LeaveByMenu(110);
        if (worlds[i] == Level_Plato)
            script += games[i].At(-110, "shot map.png") + games[i].At(140, "key 0x50 down")
                      + games[i].At(280, "shot held.png") + games[i].At(320, "close");
        codes[i] = games[i].Run(script);
    };
    std::thread second(run, 1);
    run(0);
    second.join();

    for (int i = 0; i < 2; i++)
    {
        SCOPED_TRACE(worlds[i] == Level_TreeV ? "the village" : "the plateau");
        EXPECT_EQ(0, codes[i]) << games[i].log;
        EXPECT_EQ(std::string::npos, games[i].log.find("rror")) << games[i].log;
        EXPECT_GT(Shot(games[i].data / "level.png").Colours(), 8u) << "a picture, not a cleared screen";
        // The map saved the slot after the level: neither world teaches time travel, and the
        // village shows its first hint at once.
        GameEvents const saved((games[i].data / "saves/save0").c_str());
        EXPECT_FALSE(saved.damaged);
        EXPECT_EQ(saved[Event_TimeTravel], GameEvent_HasntHappened);
        if (worlds[i] == Level_TreeV)
        {
            EXPECT_EQ(saved[26], GameEvent_HasHappened) << "the village's first hint";
        }
        EXPECT_EQ(saved[Path_FirstEvent + 1], GameEvent_HasntHappened) << "left, not completed";
    }
    Shot const map(games[1].data / "map.png");
    Shot const held(games[1].data / "held.png");
    ASSERT_GT(held.width, 0);
    EXPECT_TRUE(held.rgb == map.rgb) << "the map, as before the plateau, while act is held";
}

// Under a file-size limit the game died of the signal a write past it sends, at the first such write,
// without a word: at the start-up's check (its scratch file left in the saves folder), at a save, at
// a damaged slot's copy or at the key file's OK (a scratch file cut short left). Each write fails as
// on a full disk, with the same box, and leaves every file as it was and no scratch file.
TEST(Hollowmere, AFileSizeLimitFailsEachWriteAsAFullDiskDoes)
{
    GameRun game(SmokeWorld, Seasoned());
    std::string const damaged(221, '\x07');
    std::ofstream(game.data / "saves/save1", std::ios::binary) << damaged;
    DefaultKeyAssign();
    WriteKeyFile(game.data / "keyassign", keyAssign);
    std::string const slot = game.Slot();
    std::string const keys = GameRun::ReadAll(game.data / "keyassign");
    auto const untouched = [&] {
        EXPECT_EQ(slot, game.Slot());
        EXPECT_EQ(damaged, GameRun::ReadAll(game.data / "saves/save1"));
        EXPECT_EQ(keys, GameRun::ReadAll(game.data / "keyassign"));
        for (auto const& entry : std::filesystem::directory_iterator(game.data / "saves"))
            EXPECT_TRUE(entry.path().filename() == "save0" || entry.path().filename() == "save1")
                << entry.path() << " left behind";
        EXPECT_FALSE(std::filesystem::exists(game.data / "keyassign.tmp"));
    };

    // Nothing may be written: the start-up's check fails and says so.
    std::string log;
    EXPECT_EQ(0, RunUnderFileLimit(game, game.Scripted("start", "0 close\n"), 0, &log)) << log;
    EXPECT_NE(std::string::npos, log.find("You will not be able to save the game.")) << log;
    untouched();

    // Files of 30 bytes at most: the check's passes, the damaged slot's copy on the title, the key
    // file at the options' OK and the slot as the map opens after the level are all cut short. In the
    // level: Escape, down twice to Options and Enter; Enter there is OK; up to "Leave level" and
    // Enter; Escape quits on the map (a close follows, should it not).
    std::string const script =
        game.slot.Script() + game.At(100, "key 0x1B down") + game.At(102, "key 0x1B up") + game.At(110, "key 0x28 down")
        + game.At(112, "key 0x28 up") + game.At(114, "key 0x28 down") + game.At(116, "key 0x28 up")
        + game.At(120, "key 0x0D down") + game.At(122, "key 0x0D up") + game.At(140, "key 0x0D down")
        + game.At(142, "key 0x0D up") + game.At(160, "key 0x26 down") + game.At(162, "key 0x26 up")
        + game.At(170, "key 0x0D down") + game.At(172, "key 0x0D up") + game.At(360, "key 0x1B down")
        + game.At(400, "close");
    EXPECT_EQ(0, RunUnderFileLimit(game, game.Scripted("script", script), 30, &log)) << log;
    EXPECT_EQ(std::string::npos, log.find("You will not be able to save the game.")) << log;
    EXPECT_NE(std::string::npos, log.find("cannot keep the damaged save slot saves/save1")) << log;
    EXPECT_NE(std::string::npos, log.find("Your keys could not be saved.\nThey are kept until the game is closed."))
        << log;
    EXPECT_NE(std::string::npos, log.find("Your progress could not be saved.\nThe saved game is as it was before."))
        << log;
    untouched();
}
