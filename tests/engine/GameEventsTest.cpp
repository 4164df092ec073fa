// Saved progress: event stamps across a level's end, and the save-slot file.
#include "engine/GameEvents.h"

#include "support/TestFolder.h"
#include "util/Error.h"

#include <gtest/gtest.h>

#include <sys/resource.h>

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace
{

namespace fs = std::filesystem;
using Bytes = std::vector<unsigned char>;

class GameEventsFile : public testing::Test
{
protected:
    Bytes Slot() const
    {
        std::ifstream in(slot, std::ios::binary);
        return Bytes(std::istreambuf_iterator<char>(in), {});
    }
    void WriteSlot(Bytes const& bytes) const
    {
        std::ofstream(slot, std::ios::binary).write(reinterpret_cast<char const*>(bytes.data()), bytes.size());
    }
    bool OnlySlotLeft() const { return std::distance(fs::directory_iterator(dir.path), {}) == 1; }

    TestFolder dir{false};
    std::string slot = dir / "save0";
};

} // namespace

TEST(GameEvents, StampsCountFromTheirTickUntilTheLevelMakesThemPermanent)
{
    GameEvents events;
    events[9] = 500;
    events[7] = 30; // a heart given during this level is worn from the next one
    events[6] = events[2] = GameEvent_HasHappened;
    EXPECT_FALSE(events.Happened(9, 499));
    EXPECT_TRUE(events.Happened(9, 500));
    EXPECT_TRUE(events.NotHappened(9, 0));
    EXPECT_TRUE(events.Happened(6, -5));
    for (Tick t : {-2, -1, 0, 1000})
        EXPECT_FALSE(events.Happened(8, t)) << t;
    EXPECT_EQ(events.GetHeartCount(), 5);
    EXPECT_EQ(events.GetSwordStrength(), 2);

    events[1] = 0;
    events.LevelComplete();
    EXPECT_TRUE(events.Happened(9, 0));
    EXPECT_EQ(events[8], GameEvent_HasntHappened);
    EXPECT_EQ(events.GetHeartCount(), 6);
    EXPECT_EQ(events.GetSwordStrength(), 4);
}

TEST_F(GameEventsFile, SlotIsLittleEndianAndStampsReadBackPermanent)
{
    GameEvents().Save(slot.c_str());
    Bytes expected(222, 0);
    std::fill_n(expected.begin(), 168, 0xFF);
    EXPECT_EQ(Slot(), expected);

    GameEvents events;
    events[3] = 1234;
    events.levelFlags[1][2] = 1;
    events.gems = 0x01020304;
    events.Save(slot.c_str());
    Bytes const bytes = Slot();
    ASSERT_EQ(bytes.size(), 222u);
    EXPECT_EQ(Bytes(bytes.begin() + 12, bytes.begin() + 16), (Bytes{0xD2, 0x04, 0x00, 0x00}));
    EXPECT_EQ(bytes[168 + 7], 1);
    EXPECT_EQ(Bytes(bytes.begin() + 218, bytes.end()), (Bytes{0x04, 0x03, 0x02, 0x01}));
    EXPECT_TRUE(OnlySlotLeft());

    GameEvents const read(slot.c_str());
    EXPECT_EQ(read[3], GameEvent_HasHappened);
    EXPECT_EQ(read[4], GameEvent_HasntHappened);
    EXPECT_EQ(read.levelFlags[1][2], 1);
    EXPECT_EQ(read.gems, 0) << "more gems than the game holds";
    EXPECT_TRUE(read.damaged);

    // A slot of a game played far keeps every event, gem flag and the gem count, and one of a game
    // begun keeps what has not happened yet: every other event and flag done, then the others.
    for (int half : {-1, 0, 1})
    {
        GameEvents played;
        for (int e = 0; e < Event_Count; ++e)
            if (half < 0 || e % 2 == half)
                played[e] = e % 3 == 0 ? GameEvent_HasHappened : Tick(100 + e);
        for (int r = 0; r < GameEvents_LevelRows; ++r)
            for (int c = 0; c < GameEvents_GemSlots; ++c)
                played.levelFlags[r][c] = half < 0 || (r + c) % 2 == half ? 1 : 0;
        played.gems = half < 0 ? GameEvents_MaxGems : 7;
        played.Save(slot.c_str());
        GameEvents const back(slot.c_str());
        EXPECT_FALSE(back.damaged) << "half " << half;
        for (int e = 0; e < Event_Count; ++e)
            EXPECT_EQ(back.Happened(e, 0), played[e] != GameEvent_HasntHappened) << "event " << e << ", half " << half;
        for (int r = 0; r < GameEvents_LevelRows; ++r)
            for (int c = 0; c < GameEvents_GemSlots; ++c)
                EXPECT_EQ(back.levelFlags[r][c], played.levelFlags[r][c]) << "row " << r << ", slot " << c;
        EXPECT_EQ(back.gems, played.gems) << "half " << half;
    }
}

TEST_F(GameEventsFile, WrongSizesReadAsNewAndBadValuesAsNothingYet)
{
    for (std::size_t size : {0, 221, 223})
    {
        WriteSlot(Bytes(size, 1));
        GameEvents const read(slot.c_str());
        EXPECT_TRUE(read.IsNew()) << size;
        EXPECT_TRUE(read.damaged) << size;
        EXPECT_EQ(Slot().size(), size) << "the slot was changed by reading it";
    }
    // A sparse terabyte is a slot of the wrong size too, not one that cannot be opened.
    WriteSlot(Bytes(222, 0));
    fs::resize_file(slot, std::uintmax_t(1) << 40);
    GameEvents const terabyte(slot.c_str());
    EXPECT_TRUE(terabyte.IsNew());
    EXPECT_TRUE(terabyte.damaged);

    Bytes bytes(222, 0xFF);
    bytes[0] = 0xF9;     // event 0: -7
    bytes[4 + 3] = 0x80; // event 1: far below -2
    bytes[168] = 2;      // neither 0 nor 1
    bytes[169] = 1;
    std::fill(bytes.begin() + 170, bytes.begin() + 218, 0);
    bytes[218] = 0xFD; // gems: -3
    WriteSlot(bytes);
    GameEvents const read(slot.c_str());
    EXPECT_EQ(read[0], GameEvent_HasntHappened);
    EXPECT_EQ(read[1], GameEvent_HasntHappened);
    EXPECT_EQ(read.levelFlags[0][0], 0);
    EXPECT_EQ(read.levelFlags[0][1], 1);
    EXPECT_EQ(read.gems, 0);
    EXPECT_TRUE(read.damaged);

    fs::remove(slot);
    EXPECT_THROW(GameEvents missing(slot.c_str()), Error);
}

// The displays draw one icon per gem held: a count no game can reach hung the first level. A
// stamp later than a level's last step happened in no level, yet would count as happened.
TEST_F(GameEventsFile, GemCountsAndStampsNoGameReachesAreDamage)
{
    GameEvents record;
    record.gems = GameEvents_MaxGems;
    record[2] = 120000;
    record.Save(slot.c_str());
    GameEvents const full(slot.c_str());
    EXPECT_EQ(full.gems, GameEvents_MaxGems);
    EXPECT_EQ(full[2], GameEvent_HasHappened);
    EXPECT_FALSE(full.damaged);

    for (Tick stamp : {120001, 1000000, 2147483647})
    {
        record[2] = stamp;
        record.Save(slot.c_str());
        GameEvents const read(slot.c_str());
        EXPECT_EQ(read[2], GameEvent_HasntHappened) << stamp;
        EXPECT_FALSE(read.Happened(2, 0)) << stamp;
        EXPECT_TRUE(read.damaged) << stamp;
    }
    record[2] = GameEvent_HasntHappened;

    for (std::int32_t gems : {GameEvents_MaxGems + 1, 100000, 2147483647})
    {
        record.gems = gems;
        record.Save(slot.c_str());
        GameEvents const read(slot.c_str());
        EXPECT_EQ(read.gems, 0) << gems;
        EXPECT_TRUE(read.damaged) << gems;
    }
}

TEST_F(GameEventsFile, FailedSaveKeepsTheOldSlotAndLeavesNothingBehind)
{
    GameEvents changed;
    changed.gems = 5;
    GameEvents().Save(slot.c_str());
    Bytes const before = Slot();

    // A file-size limit below one slot makes the write fail part-way.
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    auto const oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit tiny = saved;
    tiny.rlim_cur = 100;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &tiny), 0);
    bool threw = false;
    try
    {
        changed.Save(slot.c_str());
    }
    catch (Error const& err)
    {
        threw = err.Code() == Error_OpenFile;
    }
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_TRUE(threw);
    EXPECT_EQ(Slot(), before);
    EXPECT_TRUE(OnlySlotLeft());

    // A slot that cannot be replaced (a folder holding a file stands in its place).
    fs::remove(slot);
    fs::create_directories(dir.path / "save0" / "keep");
    EXPECT_THROW(changed.Save(slot.c_str()), Error);
    EXPECT_TRUE(OnlySlotLeft());
    EXPECT_THROW(changed.Save((dir / "none/save0").c_str()), Error);
}

// A link planted at the slot's scratch name once carried the save to a file outside the folder.
TEST_F(GameEventsFile, SaveGoesThroughNoLinkAtTheSlotOrItsScratchName)
{
    std::string const outside = dir / "outside";
    std::ofstream(outside) << "outside";
    fs::create_symlink(outside, slot + ".tmp");
    fs::create_symlink(outside, slot);
    GameEvents record;
    record.gems = 5;
    record.Save(slot.c_str());
    EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(slot))) << "the link at the slot is replaced";
    EXPECT_EQ(5, GameEvents(slot.c_str()).gems);
    EXPECT_FALSE(fs::exists(fs::symlink_status(slot + ".tmp")));
    std::ifstream in(outside);
    EXPECT_EQ("outside", std::string(std::istreambuf_iterator<char>(in), {}));
}
