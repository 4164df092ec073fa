// Saved progress: event stamps across a level's end, and the save-slot file.
#include "GameEvents.h"

#include <csignal>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <sys/resource.h>
#include <vector>

#include <gtest/gtest.h>

#include "util/Error.h"

namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<unsigned char>;

class GameEventsFiles : public testing::Test
{
protected:
    void SetUp() override
    {
        std::string pattern = (fs::temp_directory_path() / "hm-gameevents-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        dir = pattern;
    }
    void TearDown() override { fs::remove_all(dir); }

    std::string Path(char const* name) const { return (dir / name).string(); }

    static Bytes ReadAll(std::string const& path)
    {
        std::ifstream in(path, std::ios::binary);
        return Bytes(std::istreambuf_iterator<char>(in), {});
    }
    static void WriteAll(std::string const& path, Bytes const& bytes)
    {
        std::ofstream out(path, std::ios::binary);
        out.write(reinterpret_cast<char const*>(bytes.data()), std::streamsize(bytes.size()));
    }
    bool OnlyFileIs(char const* name) const
    {
        std::vector<std::string> names;
        for (auto const& entry : fs::directory_iterator(dir))
            names.push_back(entry.path().filename().string());
        return names == std::vector<std::string>{name};
    }

    fs::path dir;
};

using GameEventsFile = GameEventsFiles;

} // namespace

TEST(GameEvents, StampsCountFromTheirTickUntilTheLevelEnds)
{
    GameEvents events;
    EXPECT_TRUE(events.IsNew());
    events[9] = 500;
    events[10] = GameEvent_HasHappened;
    EXPECT_FALSE(events.IsNew());

    EXPECT_FALSE(events.Happened(9, 0));
    EXPECT_FALSE(events.Happened(9, 499));
    EXPECT_TRUE(events.Happened(9, 500));
    EXPECT_TRUE(events.Happened(9, 600));
    EXPECT_TRUE(events.NotHappened(9, 499));
    EXPECT_TRUE(events.Happened(10, -5));
    for (Tick t : {-2, -1, 0, 1000})
        EXPECT_FALSE(events.Happened(8, t)) << t;

    events.LevelComplete();
    EXPECT_EQ(events[9], GameEvent_HasHappened);
    EXPECT_TRUE(events.Happened(9, 0));
    EXPECT_EQ(events[8], GameEvent_HasntHappened);
}

TEST(GameEvents, HeartsAndSwordCountOnlyWhatHappenedBeforeTheLevel)
{
    GameEvents events;
    EXPECT_EQ(events.GetHeartCount(), 4);
    EXPECT_EQ(events.GetSwordStrength(), 1);

    events[6] = GameEvent_HasHappened;
    events[7] = 30; // given later in this level: not yet worn
    events[2] = GameEvent_HasHappened;
    EXPECT_EQ(events.GetHeartCount(), 5);
    EXPECT_EQ(events.GetSwordStrength(), 2);

    events[1] = 0;
    events.LevelComplete();
    EXPECT_EQ(events.GetHeartCount(), 6);
    EXPECT_EQ(events.GetSwordStrength(), 4);
}

TEST(GameEvents, CopyTakesEveryPartAndNewClearsIt)
{
    GameEvents from;
    from[41] = 7;
    from.levelFlags[8][4] = 1;
    from.gems = 3;
    GameEvents to;
    to.Copy(&from);
    EXPECT_EQ(to[41], 7);
    EXPECT_EQ(to.levelFlags[8][4], 1);
    EXPECT_EQ(to.gems, 3);
    to.New();
    EXPECT_TRUE(to.IsNew());
    to.gems = 1;
    EXPECT_FALSE(to.IsNew());
}

TEST_F(GameEventsFile, NewRecordIsAllEventsUnsetAndNothingElse)
{
    GameEvents().Save(Path("save0").c_str());
    Bytes expected(168, 0xFF);
    expected.resize(222, 0);
    EXPECT_EQ(ReadAll(Path("save0")), expected);
    EXPECT_TRUE(OnlyFileIs("save0"));
}

TEST_F(GameEventsFile, StampedRecordIsLittleEndianAndReadsBackPermanent)
{
    GameEvents events;
    events[3] = 1234;
    events[5] = GameEvent_HasHappened;
    events.levelFlags[1][2] = 1;
    events.levelFlags[8][4] = 1;
    events.gems = 0x01020304;
    events.Save(Path("save1").c_str());

    Bytes const bytes = ReadAll(Path("save1"));
    ASSERT_EQ(bytes.size(), 222u);
    EXPECT_EQ(Bytes(bytes.begin() + 12, bytes.begin() + 16), (Bytes{0xD2, 0x04, 0x00, 0x00}));
    EXPECT_EQ(Bytes(bytes.begin() + 20, bytes.begin() + 24), (Bytes{0xFE, 0xFF, 0xFF, 0xFF}));
    EXPECT_EQ(bytes[168 + 7], 1);
    EXPECT_EQ(bytes[168 + 44], 1);
    EXPECT_EQ(Bytes(bytes.begin() + 218, bytes.end()), (Bytes{0x04, 0x03, 0x02, 0x01}));

    GameEvents const read(Path("save1").c_str());
    EXPECT_EQ(read[3], GameEvent_HasHappened);
    EXPECT_EQ(read[5], GameEvent_HasHappened);
    EXPECT_EQ(read[4], GameEvent_HasntHappened);
    EXPECT_EQ(read.levelFlags[1][2], 1);
    EXPECT_EQ(read.levelFlags[8][4], 1);
    EXPECT_EQ(read.levelFlags[1][3], 0);
    EXPECT_EQ(read.gems, 0x01020304);
}

TEST_F(GameEventsFile, SlotOfTheWrongSizeReadsAsNewAndIsLeftAlone)
{
    GameEvents stamped;
    stamped[0] = GameEvent_HasHappened;
    stamped.gems = 2;
    stamped.Save(Path("save0").c_str());
    Bytes good = ReadAll(Path("save0"));

    Bytes const shorter(good.begin(), good.end() - 1);
    WriteAll(Path("save0"), shorter);
    EXPECT_TRUE(GameEvents(Path("save0").c_str()).IsNew());
    EXPECT_EQ(ReadAll(Path("save0")), shorter);

    good.push_back(0);
    WriteAll(Path("save0"), good);
    EXPECT_TRUE(GameEvents(Path("save0").c_str()).IsNew());

    WriteAll(Path("save0"), {});
    EXPECT_TRUE(GameEvents(Path("save0").c_str()).IsNew());
}

TEST_F(GameEventsFile, OutOfRangeValuesReadAsNothingYet)
{
    Bytes bytes(222, 0);
    for (int i = 0; i < 42 * 4; i++)
        bytes[i] = 0xFF;
    bytes[0] = 0xF9;  // event 0: -7
    bytes[4] = 0x00;  // event 1: 0x80FFFF00, far below -2
    bytes[7] = 0x80;
    bytes[168] = 2;   // flag that is neither 0 nor 1
    bytes[169] = 0xFF;
    bytes[170] = 1;
    bytes[218] = 0xFD; // gems -3
    bytes[219] = bytes[220] = bytes[221] = 0xFF;
    WriteAll(Path("save2"), bytes);

    GameEvents const read(Path("save2").c_str());
    EXPECT_EQ(read[0], GameEvent_HasntHappened);
    EXPECT_EQ(read[1], GameEvent_HasntHappened);
    EXPECT_EQ(read.levelFlags[0][0], 0);
    EXPECT_EQ(read.levelFlags[0][1], 0);
    EXPECT_EQ(read.levelFlags[0][2], 1);
    EXPECT_EQ(read.gems, 0);
}

TEST_F(GameEventsFile, MissingSlotOrUnwritableFolderThrowsOpenFile)
{
    std::string const missing = Path("save0");
    try
    {
        GameEvents read(missing.c_str());
        FAIL() << "reading a missing slot did not throw";
    }
    catch (Error const& err)
    {
        EXPECT_EQ(err.Code(), Error_OpenFile);
    }
    EXPECT_THROW(GameEvents().Save(Path("nowhere/save0").c_str()), Error);
}

TEST_F(GameEventsFile, FailedWriteKeepsTheOldSlot)
{
    GameEvents old;
    old[12] = GameEvent_HasHappened;
    old.Save(Path("save0").c_str());
    Bytes const before = ReadAll(Path("save0"));

    // A file-size limit below one slot makes the write of the new record fail part-way.
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    auto const oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit tiny = saved;
    tiny.rlim_cur = 100;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &tiny), 0);
    GameEvents changed;
    changed.gems = 5;
    bool threw = false;
    try
    {
        changed.Save(Path("save0").c_str());
    }
    catch (Error const& err)
    {
        threw = err.Code() == Error_OpenFile;
    }
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_TRUE(threw);
    EXPECT_EQ(ReadAll(Path("save0")), before);
    EXPECT_TRUE(OnlyFileIs("save0"));
}

TEST_F(GameEventsFile, FailedRenameLeavesNoTemporaryFile)
{
    // A slot path taken by a folder that holds a file cannot be replaced.
    fs::create_directories(dir / "save0" / "keep");
    EXPECT_THROW(GameEvents().Save(Path("save0").c_str()), Error);
    EXPECT_TRUE(OnlyFileIs("save0"));
    EXPECT_TRUE(fs::is_directory(dir / "save0" / "keep"));
}
