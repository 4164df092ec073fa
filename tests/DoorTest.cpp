// Doors: opening and falling over the activators' runs, the sounds of the step itself, long histories.
#include "Door.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <random>
#include <vector>

#include "Game_Sounds.h"
#include "Globals.h"
#include "RandomSeed.h"
#include "GroupTestSupport.h"
#include "platform/Audio.h"
#include "platform/TestAudio.h"
#include "platform/TestFolder.h"
#include "util/Util.h"

namespace {

// The door every test builds: 100 units at 2 per tick, so it opens in 50 ticks, falls with
// gravity 1 and, from fully open, has finished its fall with its bounces after 39 ticks.
constexpr double Distance = 100.0;
constexpr double Speed = 2.0;
constexpr double Gravity = 1.0;
constexpr double Bounce = 0.5;
constexpr Tick OpenTicks = 50;
constexpr Tick FallTicks = 39;

// The movement read as a plain recursion over the switchings, for comparison wherever the
// recursion ends (activity that begins after tick 0).
double RecursivePos(Door const& door, Tick t)
{
    if (door.IsActive(t))
    {
        Tick const b = door.LastInactiveTime(t);
        if (t - b > OpenTicks)
            return Distance;
        double const p = RecursivePos(door, b) + (t - b) * Speed;
        return p > Distance || Util::Equal(p, Distance) ? Distance : p;
    }
    Tick const a = door.LastActiveTime(t);
    if (a == -1 || t - a > FallTicks)
        return 0.0;
    return Util::BounceyFall(RecursivePos(door, a), Gravity, Bounce, t - a, nullptr);
}

class DoorTest : public testing::Test
{
protected:
    void SetUp() override
    {
        std::filesystem::create_directory("sounds");
        for (char const* name : {"dooropen", "doorthud"})
            TestAudio::WriteWav(std::string("sounds/") + name + ".wav");
        gameSounds = &sounds;
    }

    void TearDown() override
    {
        gameSounds = nullptr;
        Audio::Close();
    }

    // Steps the door's orders from tick `from` up to `to` (exclusive) and returns, per tick,
    // the volume of the sound that started then, -1 for none.
    std::vector<int> StepSounds(Door& door, Sound_Id id, char const* file, Tick from, Tick to)
    {
        std::vector<int> started;
        for (Tick t = from; t < to; t++)
        {
            FlatList<MoveObject>* orders = nullptr;
            door.MoveMapGroup(map.get(), t, &orders);
            int volume = -1;
            for (int channel = 0; channel < Audio_Channels; channel++)
                if (Audio::Plays(channel, file))
                    volume = Audio::Volume(channel);
            sounds.Stop(id);
            started.push_back(volume);
        }
        return started;
    }

    TestFolder dir{true};
    Game_Sounds sounds;
    std::unique_ptr<Map> map = GroupMap::Make();
};

} // namespace

TEST_F(DoorTest, OpensAtItsSpeedAndFallsShutWithBounces)
{
    Door door(map.get(), GroupMap::Group, Distance, Direction_Up, Speed);
    ScriptedActivator plate;
    door.AddActivator(&plate);
    plate.On(100, 200);

    EXPECT_EQ(door.GetPos(99), 0.0);
    for (Tick k = 0; k < 49; k++)
        EXPECT_EQ(door.GetPos(100 + k), 2.0 * (k + 1)) << "tick " << 100 + k;
    EXPECT_EQ(door.GetPos(149), Distance);
    EXPECT_EQ(door.GetPos(199), Distance);

    EXPECT_EQ(door.GetPos(200), 99.5);
    EXPECT_GT(door.GetPos(238), 0.0) << "still in its last little hop";
    EXPECT_EQ(door.GetPos(239), 0.0);

    // Switched on again halfway down, it opens from where it was.
    plate.On(210, 215);
    double const from = door.GetPos(209);
    EXPECT_GT(from, 0.0);
    EXPECT_EQ(door.GetPos(212), from + 3 * Speed);
}

TEST_F(DoorTest, OrdersFollowTheDirection)
{
    struct
    {
        Direction direction;
        double x;
        double y;
    } const cases[] = {{Direction_Up, 0.0, 20.0},
                       {Direction_Down, 0.0, -20.0},
                       {Direction_Left, -20.0, 0.0},
                       {Direction_Right, 20.0, 0.0}};
    for (auto const& c : cases)
    {
        Door door(map.get(), GroupMap::Group, Distance, c.direction, Speed);
        FlatList<MoveObject>* orders = nullptr;
        door.MoveMapGroup(map.get(), 10, &orders);
        ASSERT_NE(orders, nullptr);
        ASSERT_EQ(orders->Count(), 1);
        EXPECT_EQ((*orders)[0].kind, MoveObject_Translate);
        EXPECT_EQ((*orders)[0].group, GroupMap::Group);
        EXPECT_EQ((*orders)[0].newX, c.x) << "direction " << c.direction;
        EXPECT_EQ((*orders)[0].newY, c.y) << "direction " << c.direction;
    }
}

TEST_F(DoorTest, ActiveFromTheStartOpensFromRestAtTickZero)
{
    Door always(map.get(), GroupMap::Group, Distance, Direction_Up, Speed);
    Door fromZero(map.get(), GroupMap::Group, Distance, Direction_Up, Speed);
    ScriptedActivator ball;
    ball.On(0, 1000);
    fromZero.AddActivator(&ball);

    for (Door const* door : {&always, &fromZero})
    {
        EXPECT_EQ(door->GetPos(0), 0.0);
        EXPECT_EQ(door->GetPos(10), 20.0);
        EXPECT_EQ(door->GetPos(60), Distance);
    }
    EXPECT_EQ(fromZero.GetPos(1000), 99.5);
    EXPECT_EQ(fromZero.GetPos(2000), 0.0);
}

TEST_F(DoorTest, ThousandsOfSwitchingsMatchTheRecursiveReading)
{
    unsigned const seed = TestSeed();
    SCOPED_TRACE(testing::Message() << "HM_TEST_SEED=" << seed);
    std::mt19937 random(seed);
    std::uniform_int_distribution<Tick> run(1, 40);

    // Two plates switched on and off in short runs, so that most movements are cut short
    // and each answer rests on a long chain of earlier ones.
    Door door(map.get(), GroupMap::Group, Distance, Direction_Up, Speed);
    ScriptedActivator plates[2];
    Tick end = 0;
    for (ScriptedActivator& plate : plates)
    {
        door.AddActivator(&plate);
        Tick t = 1 + run(random);
        for (int cycle = 0; cycle < 1000; cycle++)
        {
            Tick const on = run(random);
            plate.On(t, t + on);
            t += on + run(random) / 4 + 1;
        }
        end = std::max(end, t);
    }
    for (Tick t = 0; t < end + 100; t += 271)
        ASSERT_EQ(door.GetPos(t), RecursivePos(door, t)) << "tick " << t;
}

TEST_F(DoorTest, SoundsBelongToTheStepItself)
{
    ASSERT_TRUE(Audio::Open(Audio_Rate, Audio_Channels));
    Door door(map.get(), GroupMap::Group, Distance, Direction_Up, Speed);
    sounds.SetCentrePoint(Pointf(0.0, 55.0), 1.0);
    ScriptedActivator plate;
    door.AddActivator(&plate);
    plate.On(100, 200);

    std::vector<int> const opens = StepSounds(door, Sound_DoorOpen, "sounds/dooropen.wav", 95, 150);
    for (Tick t = 95; t < 150; t++)
        EXPECT_EQ(opens[t - 95] >= 0, t == 101) << "tick " << t;

    // The thuds of a fall from fully open grow quieter and stay within the volume range.
    std::vector<int> const thuds = StepSounds(door, Sound_DoorThud, "sounds/doorthud.wav", 200, 260);
    std::vector<int> heard;
    for (int volume : thuds)
        if (volume >= 0)
            heard.push_back(volume);
    ASSERT_EQ(heard.size(), 4u);
    EXPECT_EQ(heard[0], 255);
    for (size_t i = 1; i < heard.size(); i++)
        EXPECT_LT(heard[i], heard[i - 1]);

    // After a travel back, evaluating a tick whose movement began with a sound of an earlier
    // step plays nothing: short runs leave the opening and a thud inside the chain.
    ScriptedActivator shortRun;
    Door second(map.get(), GroupMap::Group, Distance, Direction_Up, Speed);
    second.AddActivator(&shortRun);
    shortRun.On(300, 302);
    shortRun.On(400, 500);
    shortRun.On(515, 600);
    EXPECT_EQ(StepSounds(second, Sound_DoorOpen, "sounds/dooropen.wav", 305, 306)[0], -1);
    EXPECT_EQ(StepSounds(second, Sound_DoorThud, "sounds/doorthud.wav", 530, 531)[0], -1);
}

TEST_F(DoorTest, LateThudsAreSilentAndTheNextDoorStartsLoud)
{
    ASSERT_TRUE(Audio::Open(Audio_Rate, Audio_Channels));
    // A slow, tall door bounces for long after its first impact; it is heard from its centre.
    sounds.SetCentrePoint(Pointf(0.0, 505.0), 1.0);
    Door slow(map.get(), GroupMap::Group, 1000.0, Direction_Up, 0.2);
    ScriptedActivator plate;
    slow.AddActivator(&plate);
    plate.On(1, 6000);
    std::vector<int> const thuds = StepSounds(slow, Sound_DoorThud, "sounds/doorthud.wav", 6000, 6400);
    std::vector<int> heard;
    for (int volume : thuds)
        if (volume >= 0)
            heard.push_back(volume);
    ASSERT_GE(heard.size(), 2u);
    EXPECT_EQ(heard[0], 255);
    EXPECT_EQ(heard[1], 0) << "silent, not negative";
    EXPECT_GE(sounds.GetSoundVolume(Sound_DoorThud), 0);

    sounds.SetCentrePoint(Pointf(0.0, 55.0), 1.0);
    Door door(map.get(), GroupMap::Group, Distance, Direction_Up, Speed);
    ScriptedActivator other;
    door.AddActivator(&other);
    other.On(100, 200);
    std::vector<int> const next = StepSounds(door, Sound_DoorThud, "sounds/doorthud.wav", 200, 220);
    EXPECT_EQ(*std::max_element(next.begin(), next.end()), 255);
}
