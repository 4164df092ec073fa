// The plateau's stations played by keys on the generated map: the player is put beside each and
// talks, tunes, rides, shoots and solves with the game keys. The hermit's aerial tuned earns the
// boots; the mine lift carries its rider down the shaft and back; the miner's sandwich mends a hurt
// player; a chest opens through its grid puzzle and gives its gem; the mortar, as it stands, blasts
// the rock that closes the road, in view while the player aims.
#include "engine/Chest.h"
#include "engine/GameEvents.h"
#include "engine/KeyData.h"
#include "engine/Map.h"
#include "engine/PickUp.h"
#include "engine/Player.h"
#include "plateau/Plato.h"
#include "plateau/Plato_Aerial.h"
#include "plateau/Plato_Dude.h"
#include "plateau/Plato_Events.h"
#include "plateau/Plato_MapMove.h"
#include "plateau/Plato_Mortar.h"
#include "puzzles/Grid_Puzzle.h"
#include "support/LevelFixture.h"
#include "tools/worlds/plateau.h"

#include <gtest/gtest.h>

#include <cmath>
#include <initializer_list>
#include <memory>
#include <vector>

namespace
{

constexpr int SandwichMiner = 3;
constexpr int Puzzle_Limit = 2000;   // steps the chest's puzzle may take to open and close
constexpr unsigned int Mast_Rp = 24; // the aerial's mast

class PlatoStory : public LevelFixture
{
protected:
    void SetUp() override
    {
        LevelFixture::SetUp();
        sounds.mute = 1;
    }
    void TearDown() override
    {
        world.reset();
        LevelFixture::TearDown();
    }

    Plato& Make()
    {
        world = std::make_unique<Plato>(&events);
        player = world->GetPlayer();
        return *world;
    }

    Tick Now() const { return world->GetTick(); }

    Level_Action Step(std::initializer_list<int> held = {})
    {
        result = world->Poll(keyScript.Next(std::vector<int>(held)));
        return result;
    }
    void Idle(int steps)
    {
        for (int i = 0; i < steps; i++)
            Step();
    }
    void Press(int key)
    {
        Step({key});
        Step();
    }

    // Puts the player at p, lets him fall to the floor below and turns him to face the way given.
    void StandAt(Pointf p, bool facingRight)
    {
        player->SetPos(&p);
        Idle(40);
        Step({facingRight ? KeyIndex_GameRight : KeyIndex_GameLeft});
        Idle(20);
    }

    // Walks up to the person from its left, talks to it and waits for the end; the conversation.
    int Talk(Dude* person)
    {
        Pointf const at = person->GetPos();
        StandAt(Pointf(at.x - 25.0, at.y + 2.0), true);
        int talker = 0;
        person->Chat(talker);
        Plato_Events* scripts = world->GetEvents();
        int const conversation = scripts->FindTalkId(talker, Now());
        int const length = scripts->ChatLength(talker, Now());
        Press(KeyIndex_GameAction);
        Idle(length + 5);
        return conversation;
    }

    std::unique_ptr<Plato> world;
    Player* player = nullptr;
    Level_Action result = Level_Continue;
};

} // namespace

TEST_F(PlatoStory, TheHermitsAerialTunedByKeysEarnsTheBoots)
{
    Make();
    Plato_Hermit* hermit = world->GetHermit();
    EXPECT_EQ(Talk(hermit), 0);
    EXPECT_FALSE(world->GetEvents()->NotHappened(Plato_Event_AskedAerial, Now()));
    EXPECT_EQ(Talk(hermit), 1);

    // At the mast a release of the action key takes the aerials; each is turned to its best
    // picture, the next one taken with the change-target key, and jump leaves.
    Plato_Aerial* aerial = world->GetAerial();
    Pointf const mast = world->GetMap()->GetRefPoint(Mast_Rp);
    StandAt(Pointf(mast.x - 10.0, mast.y + 2.0), true);
    Press(KeyIndex_GameAction);
    ASSERT_TRUE(aerial->active);
    EXPECT_TRUE(player->scripted);
    for (int i = 0; i < 3; i++)
    {
        ASSERT_EQ(aerial->current, i);
        for (int steps = 0; aerial->angles[i] > Aerial_Correct_Angles[i] + Aerial_Step / 2 && steps < 200; steps++)
            Step({KeyIndex_GameLeft});
        for (int steps = 0; aerial->angles[i] < Aerial_Correct_Angles[i] - Aerial_Step / 2 && steps < 200; steps++)
            Step({KeyIndex_GameRight});
        Step();
        if (i < 2)
            Press(KeyIndex_GamePrevTarget);
    }
    EXPECT_TRUE(aerial->IsAerialTuned());
    Press(KeyIndex_GameJump);
    EXPECT_FALSE(aerial->active);
    EXPECT_FALSE(player->scripted);

    EXPECT_FALSE(events.Happened(Event_DoubleJump, Now()));
    EXPECT_EQ(Talk(hermit), 2);
    EXPECT_TRUE(events.Happened(Event_DoubleJump, Now()));
    EXPECT_EQ(Talk(hermit), 3);
}

TEST_F(PlatoStory, TheMineLiftTheSandwichAndAChestThroughItsPuzzle)
{
    Make();

    // Stood on at the top, the lift takes its rider down the shaft and brings him back up.
    Rectf shaft;
    world->GetMap()->FindGroupBound(Plato_MineLift, &shaft);
    double const centre = (std::fmin(shaft.x0, shaft.x1) + std::fmax(shaft.x0, shaft.x1)) / 2.0;
    while (Now() % Mine_Lift_Period < Mine_Lift_Period - Mine_Lift_Wait)
        Step();
    StandAt(Pointf(centre, 2.0), true);
    double const top = player->GetPos().y;
    double lowest = top;
    for (int i = 0; i < Mine_Lift_Period; i++)
    {
        Step();
        lowest = std::min(lowest, player->GetPos().y);
        EXPECT_LE(std::fabs(player->GetPos().x - centre), 30.0) << "left the lift at " << i;
    }
    EXPECT_NEAR(lowest, top - Mine_Lift_Dist, 2.0);
    EXPECT_NEAR(player->GetPos().y, top, 2.0);

    // A hurt player gets the miner's sandwich and his energy back.
    player->GiveEnergy(-1);
    int current = 0;
    int most = 0;
    player->GetHitPoints(&current, &most);
    ASSERT_LT(current, most);
    EXPECT_EQ(Talk(world->GetMiner(SandwichMiner)), 7);
    player->GetHitPoints(&current, &most);
    EXPECT_EQ(current, most);
    EXPECT_EQ(Talk(world->GetMiner(SandwichMiner)), 8);

    // The first chest opens through grid puzzle 02, solved by the cursor keys and the action key,
    // and its gem is taken.
    Chest* chest = world->GetChest(0);
    ASSERT_NE(chest, nullptr);
    EXPECT_EQ(chest->GetId(), 2);
    PickUp const* gem = world->GetGem(0);
    Pointf const at = gem->GetPos(); // the chest holds it where it stands
    StandAt(Pointf(at.x - 5.0, at.y + 2.0), true);
    Press(KeyIndex_GameAction);
    auto const* puzzle = dynamic_cast<Grid_Puzzle const*>(world->GetChestPuzzle());
    ASSERT_NE(puzzle, nullptr) << "the chest did not open its puzzle";
    // Once the last square is filled the puzzle takes no more keys.
    for (int y = 0; y < puzzle->GetHeight() && !puzzle->CheckGrid(); y++)
        for (int x = 0; x < puzzle->GetWidth() && !puzzle->CheckGrid(); x++)
        {
            for (int moves = 0; puzzle->GetCursorX() != x && moves < Grid_Puzzle_MaxSide; moves++)
                Press(puzzle->GetCursorX() < x ? KeyIndex_GameRight : KeyIndex_GameLeft);
            for (int moves = 0; puzzle->GetCursorY() < y && moves < Grid_Puzzle_MaxSide; moves++)
                Press(KeyIndex_GameNextTarget);
            ASSERT_EQ(puzzle->GetCursorX(), x);
            ASSERT_EQ(puzzle->GetCursorY(), y);
            if (puzzle->GetOrigGrid(x, y) != 0)
                Press(KeyIndex_GameAction);
        }
    EXPECT_TRUE(puzzle->CheckGrid());
    int steps = 0;
    for (; world->GetChestPuzzle() != nullptr && steps < Puzzle_Limit; steps++)
        Step();
    ASSERT_LT(steps, Puzzle_Limit);
    int const gemsBefore = events.gems;
    for (steps = 0; events.levelFlags[Level_Plato - 1][0] == 0 && steps < 300; steps++)
        Step();
    EXPECT_EQ(events.levelFlags[Level_Plato - 1][0], 1);
    EXPECT_EQ(events.gems, gemsBefore + 1);
    EXPECT_FALSE(gem->CanCollect(Now()));
}

TEST_F(PlatoStory, TheMortarAsItStandsBlastsTheRockClosingTheRoadInViewWhileAiming)
{
    Make();
    Plato_Mortar* mortar = world->GetMortar();
    Map const* map = world->GetMap();
    Pointf const gun = mortar->GetGunPos();
    StandAt(Pointf(gun.x - 10.0, gun.y), true);
    Press(KeyIndex_GameAction);
    ASSERT_TRUE(mortar->active);
    Idle(100); // the camera moves out

    Rectf rock;
    world->GetMap()->FindGroupBound(1, &rock);
    Pointf const low = map->WorldToScreen(Pointf(std::fmin(rock.x0, rock.x1), std::fmin(rock.y0, rock.y1)));
    Pointf const high = map->WorldToScreen(Pointf(std::fmax(rock.x0, rock.x1), std::fmax(rock.y0, rock.y1)));
    EXPECT_GE(low.x, 0.0);
    EXPECT_LE(high.x, 640.0);
    EXPECT_GE(std::fmin(low.y, high.y), 0.0);
    EXPECT_LE(std::fmax(low.y, high.y), 480.0);

    Tick const fired = Now();
    Press(KeyIndex_GameAction);
    Press(KeyIndex_GameJump);
    EXPECT_FALSE(mortar->active);
    ASSERT_NE(mortar->rockFallTime[0], GameEvent_HasntHappened);
    EXPECT_GT(mortar->rockFallTime[0], fired);
    for (int i = 1; i < Mortar_NumRocks; i++)
        EXPECT_EQ(mortar->rockFallTime[i], GameEvent_HasntHappened) << "rock " << i + 1;

    // Once it has landed the road is open: a walk right passes where the rock stood.
    while (Now() <= mortar->rockFallTime[0])
        Step();
    double const rockRight = std::fmax(rock.x0, rock.x1);
    int steps = 0;
    for (; player->GetPos().x < rockRight + 100.0 && steps < 2000; steps++)
        Step({KeyIndex_GameRight});
    EXPECT_LT(steps, 2000) << "stopped at " << player->GetPos().x;
}
