// Doors: opening and falling over the activators' runs, long histories, and the sounds of the step itself.
#include "Door.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <random>
#include <vector>

#include "Game_Sounds.h"
#include "Globals.h"
#include "GroupTestSupport.h"
#include "RandomSeed.h"
#include "platform/Audio.h"
#include "platform/TestAudio.h"
#include "platform/TestFolder.h"
#include "util/Util.h"

namespace {

// 100 units at 2 per tick: open in 50 ticks, gravity 1, a fall with its bounces lasts 39 ticks.
constexpr Tick OpenTicks = 50;
constexpr Tick FallTicks = 39;

// The movement read as a plain recursion, for comparison wherever that ends.
double RecursivePos(Door const& door, Tick t)
{
    if (door.IsActive(t))
    {
        Tick const b = door.LastInactiveTime(t);
        if (t - b > OpenTicks)
            return 100.0;
        double const p = RecursivePos(door, b) + (t - b) * 2.0;
        return p > 100.0 || Util::Equal(p, 100.0) ? 100.0 : p;
    }
    Tick const a = door.LastActiveTime(t);
    if (a == -1 || t - a > FallTicks)
        return 0.0;
    return Util::BounceyFall(RecursivePos(door, a), 1.0, 0.5, t - a, nullptr);
}

class DoorTest : public testing::Test
{
protected:
    DoorTest()
    {
        std::filesystem::create_directory("sounds");
        TestAudio::WriteWav("sounds/dooropen.wav");
        TestAudio::WriteWav("sounds/doorthud.wav");
        gameSounds = &sounds;
    }
    ~DoorTest() override
    {
        gameSounds = nullptr;
        Audio::Close();
    }

    // Steps the door over [from, to): per tick, the starting volume of the sound, -1 for none.
    std::vector<int> Heard(Door& door, Sound_Id id, Tick from, Tick to, bool skipSilence = false)
    {
        std::vector<int> volumes;
        for (Tick t = from; t < to; t++)
        {
            FlatList<MoveObject>* orders = nullptr;
            door.MoveMapGroup(map.get(), t, &orders);
            int volume = -1;
            for (int channel = 0; channel < Audio_Channels; channel++)
                if (Audio::Plays(channel, id == Sound_DoorThud ? "sounds/doorthud.wav" : "sounds/dooropen.wav"))
                    volume = Audio::Volume(channel);
            sounds.Stop(id);
            if (volume >= 0 || !skipSilence)
                volumes.push_back(volume);
        }
        return volumes;
    }

    TestFolder dir{true};
    Game_Sounds sounds;
    std::unique_ptr<Map> map = GroupMap::Make();
};

} // namespace

TEST_F(DoorTest, OpensAtItsSpeedAndFallsShutWithBounces)
{
    Door door(map.get(), GroupMap::Group, 100.0, Direction_Down, 2.0);
    ScriptedActivator plate;
    door.AddActivator(&plate);
    plate.On(100, 200);
    EXPECT_EQ(door.GetPos(99), 0.0);
    for (Tick k = 0; k < 49; k++)
        EXPECT_EQ(door.GetPos(100 + k), 2.0 * (k + 1)) << "tick " << 100 + k;
    EXPECT_EQ(door.GetPos(149), 100.0);
    EXPECT_EQ(door.GetPos(200), 99.5);
    EXPECT_GT(door.GetPos(238), 0.0) << "still in its last little hop";
    EXPECT_EQ(door.GetPos(239), 0.0);
    FlatList<MoveObject>* orders = nullptr;
    door.MoveMapGroup(map.get(), 110, &orders);
    EXPECT_EQ((*orders)[0].newY, -22.0) << "a door opening downwards";

    // Without activators, or with activity since tick 0, it opens from rest at tick 0.
    Door always(map.get(), GroupMap::Group, 100.0, Direction_Up, 2.0);
    plate.On(0, 50);
    for (Door const* d : {&always, &door})
        EXPECT_EQ(d->GetPos(0), 0.0);
    EXPECT_EQ(always.GetPos(10), 20.0);
    EXPECT_EQ(door.GetPos(10), 20.0);
    EXPECT_EQ(door.GetPos(50), 97.5);
}

TEST_F(DoorTest, ThousandsOfSwitchingsMatchTheRecursiveReading)
{
    unsigned const seed = TestSeed();
    SCOPED_TRACE(testing::Message() << "HM_TEST_SEED=" << seed);
    std::mt19937 random(seed);
    std::uniform_int_distribution<Tick> run(1, 40);

    // Two plates in short runs cut most movements short, so each answer rests on a long chain.
    Door door(map.get(), GroupMap::Group, 100.0, Direction_Up, 2.0);
    ScriptedActivator plates[2];
    Tick end = 0;
    for (ScriptedActivator& plate : plates)
    {
        door.AddActivator(&plate);
        Tick t = 1 + run(random);
        for (int cycle = 0; cycle < 1000; cycle++, t += run(random) / 4 + 1)
        {
            Tick const on = run(random);
            plate.On(t, t + on);
            t += on;
        }
        end = std::max(end, t);
    }
    for (Tick t = 0; t < end + 100; t += 271)
        ASSERT_EQ(door.GetPos(t), RecursivePos(door, t)) << "tick " << t;
}

TEST_F(DoorTest, SoundsBelongToTheStepItself)
{
    ASSERT_TRUE(Audio::Open(Audio_Rate, Audio_Channels));
    sounds.SetCentrePoint(Pointf(0.0, 55.0), 1.0);
    Door door(map.get(), GroupMap::Group, 100.0, Direction_Up, 2.0);
    ScriptedActivator plate;
    door.AddActivator(&plate);
    plate.On(100, 200);
    std::vector<int> const opens = Heard(door, Sound_DoorOpen, 95, 150);
    for (Tick t = 95; t < 150; t++)
        EXPECT_EQ(opens[t - 95] >= 0, t == 101) << "tick " << t;
    EXPECT_EQ(Heard(door, Sound_DoorThud, 200, 260, true), (std::vector<int>{255, 185, 150, 135}));

    // Ticks whose movement began with an earlier step's sound play nothing themselves.
    plate.On(300, 302);
    plate.On(400, 500);
    plate.On(515, 600);
    EXPECT_EQ(Heard(door, Sound_DoorOpen, 305, 306)[0], -1);
    EXPECT_EQ(Heard(door, Sound_DoorThud, 530, 531)[0], -1);

    // A slow, tall door thuds long after its first impact: silently, never below zero.
    sounds.SetCentrePoint(Pointf(0.0, 505.0), 1.0);
    Door slow(map.get(), GroupMap::Group, 1000.0, Direction_Up, 0.2);
    ScriptedActivator lever;
    slow.AddActivator(&lever);
    lever.On(1, 6000);
    std::vector<int> const thuds = Heard(slow, Sound_DoorThud, 6000, 6300, true);
    ASSERT_GE(thuds.size(), 2u);
    EXPECT_EQ(thuds[1], 0);
    EXPECT_GE(sounds.GetSoundVolume(Sound_DoorThud), 0);
}
