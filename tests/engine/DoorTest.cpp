// Doors: opening and falling over the activators' runs, long histories, and the sounds of the step itself.
#include "engine/Door.h"

#include "engine/EnemyTarget.h"
#include "media/Game_Sounds.h"
#include "platform/Audio.h"
#include "support/GroupTestSupport.h"
#include "support/RandomSeed.h"
#include "support/TestAudio.h"
#include "support/TestFolder.h"
#include "util/Util.h"

#include <algorithm>
#include <memory>
#include <random>
#include <utility>
#include <vector>

namespace
{

// The movement of a door of 100 units at 2 per tick (open in 50 ticks, gravity 1, a full fall
// lasting 39 ticks) read as a plain recursion, for comparison wherever that ends.
double RecursivePos(Door const& door, Tick t)
{
    if (door.IsActive(t))
    {
        Tick const b = door.LastInactiveTime(t);
        if (t - b > 50)
            return 100.0;
        double const p = RecursivePos(door, b) + (t - b) * 2.0;
        return p > 100.0 || Util::Equal(p, 100.0) ? 100.0 : p;
    }
    Tick const a = door.LastActiveTime(t);
    return a == -1 || t - a > 39 ? 0.0 : Util::BounceyFall(RecursivePos(door, a), 1.0, 0.5, t - a, nullptr);
}

class DoorTest : public testing::Test
{
protected:
    DoorTest()
    {
        TestAudio::WriteSounds(".", {"dooropen", "doorthud"});
        gameSounds = &sounds;
    }
    ~DoorTest() override
    {
        gameSounds = nullptr;
        Audio::Close();
    }

    // Steps the door over [from, to); the ticks at which the sound started, with its volume.
    std::vector<std::pair<Tick, int>> Heard(Door& door, Sound_Id id, Tick from, Tick to)
    {
        std::vector<std::pair<Tick, int>> heard;
        for (Tick t = from; t < to; t++)
        {
            FlatList<MoveObject>* orders = nullptr;
            door.MoveMapGroup(map.get(), t, &orders);
            char const* file = id == Sound_DoorThud ? "sounds/doorthud.wav" : "sounds/dooropen.wav";
            int const channel = TestAudio::ChannelOf(file);
            if (channel >= 0)
                heard.emplace_back(t, Audio::Volume(channel));
            sounds.Stop(id);
        }
        return heard;
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
    EXPECT_EQ(always.GetPos(0) + door.GetPos(0), 0.0);
    EXPECT_EQ(always.GetPos(10), 20.0);
    EXPECT_EQ(door.GetPos(10), 20.0);
    EXPECT_EQ(door.GetPos(50), 97.5);
}

TEST_F(DoorTest, HundredsOfSwitchingsMatchTheRecursiveReading)
{
    ForEachSeed([&](unsigned seed) {
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
            for (int cycle = 0; cycle < 300; cycle++, t += run(random) / 4 + 1)
            {
                Tick const on = run(random);
                plate.On(t, t + on);
                t += on;
            }
            end = std::max(end, t);
        }
        for (Tick t = 0; t < end + 100; t += 271)
            ASSERT_EQ(door.GetPos(t), RecursivePos(door, t)) << "tick " << t;
    });
}

TEST_F(DoorTest, PressesAtPastTicksDropTheLaterCheckpoints)
{
    ForEachSeed([&](unsigned seed) {
        std::mt19937 random(seed);

        // The second door's second activator does not report its changes, so that door may keep
        // nothing: no checkpoint of it would be dropped when that activator's records change.
        Door door(map.get(), GroupMap::Group, 100.0, Direction_Up, 2.0);
        Door uncached(map.get(), GroupMap::Group, 100.0, Direction_Up, 2.0);
        ScriptedActivator first;
        ScriptedActivator second;
        ScriptedActivator silent(false);
        door.AddActivator(&first);
        door.AddActivator(&second);
        uncached.AddActivator(&first);
        uncached.AddActivator(&silent);
        RandomPresses presses(random, 0.15, {&first, &second, &silent});
        int shown = 0;
        // Players pressing while the clock is shown anywhere, their presses landing at or near it.
        // Every tick shown is asked, as a level asks; every fourth is checked.
        PlayWithTravel(700, 200, 600, 200, [&](Tick t) {
            presses.At(t);
            double const pos = door.GetPos(t);
            if (++shown % 4 != 0)
                return;
            ASSERT_EQ(pos, RecursivePos(door, t)) << "tick " << t;
            ASSERT_EQ(uncached.GetPos(t), RecursivePos(uncached, t)) << "tick " << t;
        });
        for (Tick t = 0; t < 900; t += 7)
            ASSERT_EQ(door.GetPos(t), RecursivePos(door, t)) << "tick " << t;
    });
}

TEST_F(DoorTest, ACreatureKilledAtAPastTickMovesTheDoorFromItsNewDeath)
{
    // After a long press the plate goes on and off every 4 ticks: the door rises 8 and falls 8,
    // never finishing a movement, so that its walks run back to the creature's death and it
    // keeps checkpoints along them. Risen first it swings between 32 and 40; from rest it only
    // hops off the floor.
    Door door(map.get(), GroupMap::Group, 100.0, Direction_Up, 2.0);
    ScriptedActivator plate;
    EnemyTarget creature(1, Sound_None);
    door.AddActivator(&plate);
    door.AddActivator(&creature);
    plate.On(160, 180);
    for (Tick t = 184; t < 2000; t += 8)
        plate.On(t, t + 4);
    creature.Hit(300, 1, 0);
    bool struck = false;
    Tick latest = 0;
    PlayWithTravel(1500, 50, 1500, 200, [&](Tick t) {
        // An axe thrown in the past lands while the clock is shown back at 700.
        latest = std::max(latest, t);
        if (!struck && latest >= 1499 && t <= 700)
        {
            creature.Hit(150, 1, 0);
            struck = true;
        }
        ASSERT_EQ(door.GetPos(t), RecursivePos(door, t)) << "tick " << t;
    });
    ASSERT_TRUE(struck);
    EXPECT_EQ(door.GetPos(1003), 40.0);
}

TEST_F(DoorTest, EitherOfADoorAndItsActivatorMayGoFirst)
{
    auto door = std::make_unique<Door>(map.get(), GroupMap::Group, 100.0, Direction_Up, 2.0);
    auto plate = std::make_unique<ScriptedActivator>();
    door->AddActivator(plate.get());
    plate->On(0, 10);
    EXPECT_EQ(door->GetPos(100), 0.0);
    plate.reset();
    EXPECT_EQ(door->GetPos(100), 100.0) << "without activators it counts as always on";

    ScriptedActivator lever;
    door->AddActivator(&lever);
    door.reset();
    lever.On(0, 10);
}

TEST_F(DoorTest, SoundsBelongToTheStepItself)
{
    using Heard_List = std::vector<std::pair<Tick, int>>;
    ASSERT_TRUE(Audio::Open(Audio_Rate, Audio_Channels));
    sounds.SetCentrePoint(Pointf(0.0, 55.0), 1.0);
    Door door(map.get(), GroupMap::Group, 100.0, Direction_Up, 2.0);
    ScriptedActivator plate;
    door.AddActivator(&plate);
    plate.On(100, 200);
    EXPECT_EQ(Heard(door, Sound_DoorOpen, 95, 150), (Heard_List{{101, 255}}));
    EXPECT_EQ(Heard(door, Sound_DoorThud, 200, 260), (Heard_List{{214, 255}, {228, 185}, {235, 150}, {238, 135}}));

    // Ticks whose movement began with an earlier step's sound play nothing themselves.
    plate.On(300, 302);
    plate.On(400, 500);
    plate.On(515, 600);
    EXPECT_TRUE(Heard(door, Sound_DoorOpen, 305, 306).empty());
    EXPECT_TRUE(Heard(door, Sound_DoorThud, 530, 531).empty());

    // A slow, tall door thuds long after its first impact: silently, never below zero.
    sounds.SetCentrePoint(Pointf(0.0, 505.0), 1.0);
    Door slow(map.get(), GroupMap::Group, 1000.0, Direction_Up, 0.2);
    ScriptedActivator lever;
    slow.AddActivator(&lever);
    lever.On(1, 6000);
    Heard_List const thuds = Heard(slow, Sound_DoorThud, 6000, 6300);
    ASSERT_GE(thuds.size(), 2u);
    EXPECT_EQ(thuds[1].second, 0);
    // The table's own volume for the thud is left as it was for the next door.
    EXPECT_EQ(sounds.GetSoundVolume(Sound_DoorThud), 255);
}

TEST_F(DoorTest, ADoorOrLiftRefusesAMapWithoutItsGroupNamingTheMapAndTheGroup)
{
    constexpr unsigned int Absent = 9;
    for (int kind = 0; kind < 2; kind++)
    {
        try
        {
            if (kind == 0)
                Door(map.get(), Absent, 100.0, Direction_Up, 2.0);
            else
                Lift(map.get(), Absent, 50.0, 0.0);
            ADD_FAILURE() << (kind == 0 ? "a door" : "a lift") << " built without its group";
        }
        catch (Error const& err)
        {
            EXPECT_EQ(err.Code(), Error_ParseFile);
            EXPECT_STREQ(err.Text(), "test/map: no map group 9");
        }
    }
}
