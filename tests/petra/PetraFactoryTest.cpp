// The factory: tubes dropping jars on their plates' presses, and the weighing machine's counts,
// faulty tube, weight, presses and choice.
#include "engine/KeyData.h"
#include "petra/PetraSupport.h"
#include "petra/Petra_Factory_Scales.h"
#include "petra/Petra_Factory_Tube.h"
#include "support/RandomSeed.h"
#include "support/TestAudio.h"
#include "util/Util.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <string>
#include <vector>

namespace
{

class PetraFactoryTest : public PetraFixture
{
protected:
    PetraFactoryTest()
        : jars(MakeItems(50, -1500.0)), list(Pointers(jars)), scales(list.data(), 10, &plate, &message, font)
    {
    }

    // From tick t: count[k] jars of tube k on the pan, the rest of them off it.
    void Load(std::array<int, 5> const& counts, Tick t)
    {
        for (int j = 0; j < 50; j++)
        {
            bool const on = j % 10 < counts[j / 10];
            jars[j]->SetPosAtTime(t, Pointf(on ? -550.0 + j : -1500.0, 20.0), Vectorf(0.0, 0.0), 0.0, false);
        }
    }

    // The choice after one step with the given keys pressed (or held, with state).
    int Choose(std::vector<int> const& pressed, std::uint8_t state = KeyState_Pressed)
    {
        KeyData keys;
        for (int k : pressed)
            keys.keys[k] = state;
        scales.active = true;
        return scales.Poll(map.get(), &keys);
    }

    std::vector<std::unique_ptr<Collectable>> jars;
    std::vector<Collectable*> list;
    Test_Plate plate;
    Petra_Factory_Scales scales;
};

TEST_F(PetraFactoryTest, TiedCountsCannotBeAnsweredAndNameTheLastTie)
{
    struct Case
    {
        std::array<int, 5> counts;
        int faulty;
        int weight;
    };
    Case const cases[] = {{{0, 0, 0, 0, 0}, 3, 0}, {{1, 1, 2, 3, 4}, 0, 12}, {{2, 5, 2, 5, 0}, 1, 19}};
    Tick t = 1;
    for (Case const& c : cases)
    {
        Load(c.counts, t);
        scales.CalcWeights(map.get(), t++);
        EXPECT_FALSE(scales.valid);
        EXPECT_EQ(scales.faultyTube, c.faulty);
        EXPECT_EQ(scales.weight, c.weight);
        scales.selected = c.faulty;
        EXPECT_EQ(Choose({KeyIndex_GameAction}), 1);
        EXPECT_FALSE(scales.active);
    }
}

TEST_F(PetraFactoryTest, DifferentCountsWeighTheDrawnTubeTwiceAndOnlyItIsTheRightChoice)
{
    std::array<int, 5> const counts = {3, 0, 4, 1, 2};
    Load(counts, 1);
    unsigned const fresh = TestSeed();
    for (unsigned seed : TestSeedRun(TestSeeds_Default, fresh))
    {
        SCOPED_TRACE("HM_TEST_SEED=" + std::to_string(seed));
        std::srand(seed);
        int const drawn = std::rand() % 5;
        std::srand(seed);
        scales.CalcWeights(map.get(), 2);
        EXPECT_TRUE(scales.valid);
        EXPECT_EQ(scales.faultyTube, drawn);
        EXPECT_EQ(scales.weight, 10 + counts[drawn]);
        for (int s = 0; s < 5; s++)
        {
            scales.selected = s;
            EXPECT_EQ(Choose({KeyIndex_GameAction}), s == drawn ? 2 : 1);
        }
    }
}

TEST_F(PetraFactoryTest, AJarCountsOnlyWhenClearlyOverThePan)
{
    // Tubes 1 to 4 differ; a jar of tube 0 on the pan makes it tie with tube 1.
    Pointf const left = map->GetRefPoint(Factory_Scales_LeftPt);
    Pointf const right = map->GetRefPoint(Factory_Scales_RightPt);
    double const half = Util::Eps / 2.0;
    std::pair<Pointf, bool> const places[] = {{Pointf(left.x + half, 20.0), false},
                                              {Pointf(right.x - half, 20.0), false},
                                              {Pointf(-550.0, left.y + half), false},
                                              {Pointf(left.x + 2.0 * Util::Eps, 20.0), true},
                                              {Pointf(-550.0, left.y + 5000.0), true}};
    Tick t = 1;
    for (auto const& [at, counted] : places)
    {
        Load({0, 1, 2, 3, 4}, t);
        jars[0]->SetPosAtTime(t, at, Vectorf(0.0, 0.0), 0.0, false);
        scales.CalcWeights(map.get(), t++);
        EXPECT_EQ(scales.valid, !counted) << at.x << "," << at.y;
    }
}

TEST_F(PetraFactoryTest, EachPressWeighsOnceAndTheChoiceMovesWithinTheTubes)
{
    plate.Hold(10, 20);
    plate.Hold(30, 32);
    Load({0, 1, 2, 3, 4}, 1);
    std::srand(5);
    int const first = std::rand() % 5;
    int const second = std::rand() % 5;
    std::srand(5);
    for (Tick t = 1; t < 30; t++)
    {
        if (t == 15)
            Load({4, 3, 2, 1, 0}, t); // too late for the press at 10
        scales.MoveToTime(map.get(), t);
        EXPECT_EQ(scales.active, t >= 10) << t;
    }
    EXPECT_EQ(scales.faultyTube, first);
    EXPECT_EQ(scales.weight, 10 + first);
    scales.Plot(map.get(), 29);

    // Left stops at the first tube, right at the last, both at once leave it but at the first.
    scales.selected = 0;
    EXPECT_EQ(Choose({KeyIndex_GameLeft}), 0);
    EXPECT_EQ(scales.selected, 0);
    EXPECT_EQ(Choose({KeyIndex_GameLeft, KeyIndex_GameRight}), 0);
    EXPECT_EQ(scales.selected, 1);
    EXPECT_EQ(Choose({KeyIndex_GameLeft, KeyIndex_GameRight}), 0);
    EXPECT_EQ(scales.selected, 1);
    for (int i = 0; i < 5; i++)
        Choose({KeyIndex_GameRight});
    EXPECT_EQ(scales.selected, 4);
    EXPECT_EQ(Choose({KeyIndex_GameLeft}, KeyState_Held), 0);
    EXPECT_EQ(scales.selected, 4);
    scales.selected = first == 0 ? 1 : 0;
    EXPECT_EQ(Choose({KeyIndex_GameAction}), 1);

    // The next press weighs the new load with a new draw; the action key in that step answers it
    // with the tube left selected.
    int const kept = scales.selected;
    scales.MoveToTime(map.get(), 30);
    EXPECT_EQ(scales.faultyTube, second);
    EXPECT_EQ(scales.weight, 10 + 4 - second);
    EXPECT_EQ(Choose({KeyIndex_GameAction}), kept == second ? 2 : 1);
    EXPECT_EQ(scales.selected, kept);
    std::vector<std::string> messages;
    for (; message.GetShownText() != nullptr; message.AdvanceQueue())
        messages.emplace_back(message.GetShownText());
    EXPECT_EQ(messages, std::vector<std::string>(2, "Press left, right and then use to select the malfunctioning "
                                                    "factory pipe."));
}

TEST_F(PetraFactoryTest, ATubeDropsItsJarsInOrderOnePerPressAndFallsSilentWhenEmpty)
{
    TestAudio::WriteSounds(data->path, {"pop"});
    ASSERT_TRUE(Audio::Open(Audio_Rate, Audio_Channels));
    sounds.mute = 0;
    gameSounds = &sounds;
    Pointf const mouth = map->GetRefPoint(2);
    std::vector<std::unique_ptr<Collectable>> tubeJars = MakeItems(10, -1200.0);
    std::vector<Collectable*> tubeList = Pointers(tubeJars);
    Test_Plate tubePlate;
    Petra_Factory_Tube tube(tubeList.data(), 10, mouth, &tubePlate);
    tubePlate.Hold(5, 9); // held: one jar
    for (int press = 1; press < 11; press++)
        tubePlate.Hold(10 * press + 5, 10 * press + 6);

    Tick placed = -1;
    for (Tick t = 1; t < 120; t++)
    {
        // As the level moves them: the jars, then the tube.
        for (auto const& jar : tubeJars)
            jar->MoveToTime(map.get(), t);
        tube.MoveToTime(map.get(), t);
        bool const heard = TestAudio::ChannelOf(Game_Sounds::FileName(Sound_Pop)) >= 0;
        gameSounds->Stop(Sound_Pop);
        if (placed == t - 1) // at rest at the mouth, it starts falling from there
        {
            EXPECT_EQ(tubeJars[t / 10]->GetPosAtTime(t), Pointf(mouth.x, mouth.y - Collectable_Gravity)) << t;
        }
        int const press = t == 5 ? 0 : (t % 10 == 5 && t > 10 ? t / 10 : -1);
        EXPECT_EQ(heard, press >= 0 && press < 10) << t;
        if (press < 0 || press >= 10)
            continue;
        placed = t;
        Collectable const& jar = *tubeJars[press];
        EXPECT_EQ(jar.GetPosAtTime(t), mouth) << t;
        EXPECT_EQ(jar.GetPosAtTime(t - 1).x, -1200.0) << t;
        EXPECT_FALSE(jar.CanCollectAtTime(t));
        EXPECT_TRUE(jar.CanCollectAtTime(t + 1));
        if (press + 1 < 10)
        {
            EXPECT_EQ(tubeJars[press + 1]->GetPosAtTime(t).x, -1200.0) << t;
        }
    }
    gameSounds = nullptr;
    Audio::Close();
}

} // namespace
