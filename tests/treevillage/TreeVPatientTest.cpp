// The patient puzzle: offered lines, the key pairs, dead ends, giving up and success.
#include "engine/GameEvents.h"
#include "engine/KeyData.h"
#include "engine/ObjectList.h"
#include "engine/Player.h"
#include "media/Game_Sounds.h"
#include "support/SmallMap.h"
#include "support/SpeakingFixture.h"
#include "treevillage/TreeV_Patient.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <set>
#include <vector>

namespace
{

class TreeVPatientTest : public SpeakingFixture
{
protected:
    TreeVPatientTest()
    {
        MapWriter writer = FloorWriter();
        for (int i = 0; i < Spot_Count; i++)
            writer.AddRefPoint(static_cast<unsigned int>(Spot_RefPt_Start + i), 10.0 * (i % 6), 10.0 * (i / 6));
        writer.AddRefPoint(200, 0.0, 0.0);
        map = ReadSmallMap(writer);
        Pointf const start = map->GetRefPoint(200);
        player = std::make_unique<Player>(map.get(), &objects, &progress, &sounds, &start, 1.0);
        patient = std::make_unique<TreeV_Patient>(player.get());
    }

    int Press(int key = -1)
    {
        KeyData keys;
        if (key >= 0)
            keys.keys[key] = KeyState_Pressed;
        return patient->Poll(map.get(), &keys);
    }

    // Zooms in until the keys act.
    void StartPlay()
    {
        while (patient->State() != 2)
            Press();
        EXPECT_TRUE(player->hidden);
        EXPECT_TRUE(player->scripted);
        map->view.scale = 300.0;
    }

    // Every spot offered from the current one, by going round with the right key.
    std::set<int> Offers()
    {
        std::set<int> seen;
        for (int i = 0; i < 6; i++)
        {
            seen.insert(patient->OfferedSpot());
            Press(KeyIndex_GameRight);
        }
        return seen;
    }

    // Draws the line to spot s.
    void JoinTo(int s)
    {
        for (int i = 0; i < 6 && patient->OfferedSpot() != s; i++)
            Press(KeyIndex_GameRight);
        ASSERT_EQ(patient->OfferedSpot(), s) << "from " << patient->CurrentSpot();
        Press(KeyIndex_GameAction);
    }

    // Steps through the result; the steps taken and the result.
    std::pair<int, int> Finish()
    {
        for (int n = 1; n < 1000; n++)
            if (int r = Press(); r != 0)
                return {n, r};
        return {0, 0};
    }

    GameEvents progress;
    Game_Sounds sounds;
    ObjectList objects;
    std::unique_ptr<Map> map;
    std::unique_ptr<Player> player;
    std::unique_ptr<TreeV_Patient> patient;
};

TEST_F(TreeVPatientTest, OffersFollowTheTableAndSkipOtherPairs)
{
    StartPlay();
    map->view.scale = 280.0;
    Press(KeyIndex_GameRight);
    EXPECT_EQ(patient->OfferedSpot(), 4) << "keys wait for the zoom";
    map->view.scale = 300.0;
    std::vector<int> order;
    for (int i = 0; i < 6; i++)
    {
        order.push_back(patient->OfferedSpot());
        Press(KeyIndex_GameRight);
    }
    EXPECT_EQ(order, (std::vector<int>{4, 5, 11, 17, 9, 4}));
    Press(KeyIndex_GameLeft);
    EXPECT_EQ(patient->OfferedSpot(), 4);
    Press(KeyIndex_GameLeft);
    EXPECT_EQ(patient->OfferedSpot(), 9) << "wraps past the empty slot";

    for (int s : {11, 12, 19})
        JoinTo(s);
    EXPECT_EQ(Offers(), std::set<int>{13}) << "12 was left; 18 and 23 belong to later pairs";
}

TEST_F(TreeVPatientTest, TheFourPairsJoinedSucceed)
{
    StartPlay();
    std::vector<std::vector<int>> const chains = {
        {10, 5, 2, 6, 12, 7}, {16, 17, 11, 18}, {25, 26, 28, 27, 20, 13, 8, 3}, {23, 22, 21, 24, 15, 9, 4, 1, 0}};
    std::set<int> left;
    for (std::size_t p = 0; p < chains.size(); p++)
    {
        EXPECT_EQ(patient->Pair(), int(p));
        EXPECT_EQ(patient->CurrentSpot(), chains[p][0]);
        for (std::size_t i = 1; i < chains[p].size(); i++)
        {
            std::set<int> const offers = Offers();
            for (int s : offers)
            {
                EXPECT_EQ(left.count(s), 0u) << s << " was left";
                for (int q = 0; q < 4; q++)
                {
                    bool const key = s == Patient_KeySpots[q][0] || s == Patient_KeySpots[q][1];
                    EXPECT_FALSE(q != int(p) && key) << s;
                }
            }
            left.insert(chains[p][i - 1]);
            JoinTo(chains[p][i]);
            EXPECT_EQ(patient->DrawnTo(chains[p][i - 1]), chains[p][i]);
        }
        left.insert(chains[p].back());
        // Nothing leads into a spot left or reached, so no line into it is offered or drawn.
        for (int into : left)
            for (int s = 0; s < Spot_Count; s++)
                EXPECT_FALSE(patient->Linked(s, into)) << s << " to " << into;
    }
    EXPECT_EQ(patient->State(), 3);
    EXPECT_EQ(Finish(), std::make_pair(Patient_ResultSteps, 1));
    EXPECT_EQ(patient->State(), 0);
}

TEST_F(TreeVPatientTest, DeadEndsAndTheJumpKeyFail)
{
    StartPlay();
    for (int s : {4, 5, 1})
        JoinTo(s);
    EXPECT_EQ(patient->State(), 3) << "spot 1 has nowhere left to go";
    EXPECT_EQ(Finish(), std::make_pair(Patient_ResultSteps, 2));

    // A new start resets the tables; the jump key gives up at the first step of play.
    StartPlay();
    EXPECT_EQ(patient->DrawnTo(10), -1);
    EXPECT_EQ(patient->OfferedSpot(), 4);
    Press(KeyIndex_GameJump);
    EXPECT_EQ(Finish(), std::make_pair(Patient_ResultSteps, 2));

    StartPlay();
    for (int s : {5, 2, 6, 12, 7, 17})
        JoinTo(s);
    Press(KeyIndex_GameJump);
    EXPECT_EQ(Finish().second, 2);
}

} // namespace
