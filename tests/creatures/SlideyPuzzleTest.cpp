// The sliding puzzle: its layout from the clicks, its pictures and shuffle, stepping in, clicking and out.
#include "creatures/CreatureTestSupport.h"
#include "creatures/Slidey_Puzzle.h"
#include "engine/Message.h"
#include "engine/Player.h"
#include "media/Image.h"
#include "tools/Canvas.h"
#include "tools/creatures/CreatureSprites.h"

#include <cstring>

namespace
{

char const* const Tiles = "gfx/treevillage/slideypuzzle";
constexpr int Last = Slidey_Puzzle_Segments - 1;

// The shown pointer counter, left as it was.
int CursorCounter()
{
    GameWindow::ShowCursor(true);
    return GameWindow::ShowCursor(false);
}

// Keys of one step: the action key let go, jump pressed, a left click at a world point.
KeyData Keys(bool action, bool jump)
{
    KeyData keys;
    if (action)
        keys.keys[KeyIndex_GameAction] = KeyState_Released;
    if (jump)
        keys.keys[KeyIndex_GameJump] = KeyState_Pressed;
    return keys;
}

KeyData Click(Map const* map, Pointf world)
{
    KeyData keys;
    Pointf const screen = world.WorldToScreen(&map->view);
    keys.mouse = Pointf(screen.x, 479.0 - screen.y);
    keys.leftClick = 1;
    return keys;
}

// A board's parity: the permutation's (the gap counted as a tile) and the gap's distance from
// its own place agree on every board reached by slides.
bool Solvable(Slidey_Puzzle const& p, int gap)
{
    int inversions = 0;
    for (int i = 0; i < Slidey_Puzzle_Segments; ++i)
        for (int j = i + 1; j < Slidey_Puzzle_Segments; ++j)
            inversions += p.GetStartLayout(i) > p.GetStartLayout(j) ? 1 : 0;
    int const at = p.FindTile(gap);
    int const distance = std::abs(at % 4 - gap % 4) + std::abs(at / 4 - gap / 4);
    return inversions % 2 == distance % 2;
}

} // namespace

class SlideyPuzzleTest : public CreatureTestSupport
{
protected:
    void SetUp() override
    {
        CreatureTestSupport::SetUp();
        MakeWorld({CreatureZone_SlideyPuzzle});
    }

    std::unique_ptr<Slidey_Puzzle> Make(char const* base, int gap, bool solved)
    {
        return std::make_unique<Slidey_Puzzle>(world->GetPlayer(), world->GetMessage(), world->GetMap(),
                                               CreatureWorld_Ref(CreatureZone_SlideyPuzzle, SlideyPuzzleRef_Place0),
                                               base, gap, solved);
    }

    // Every place shows the picture of the tile the layout puts there.
    static void ExpectPictures(Slidey_Puzzle const& p)
    {
        for (int i = 0; i < Slidey_Puzzle_Segments; ++i)
            EXPECT_EQ(p.GetTile(i)->GetImage(), p.GetTileImage(p.GetLayout(i))) << "place " << i;
    }

    Pointf PuzzlePos() const { return world->Ref(CreatureZone_SlideyPuzzle, SlideyPuzzleRef_Place0); }
};

TEST_F(SlideyPuzzleTest, TheLayoutFollowsTheClicksInTimeAndPlaceOrderWhereverThePlayerIs)
{
    std::unique_ptr<Slidey_Puzzle> p = Make(Tiles, Last, true);
    Map const* map = world->GetMap();
    EXPECT_TRUE(p->IsComplete());
    // The gap is in the bottom-right place; 11 above it and 14 left of it can slide.
    p->GetTile(10)->Hit(10, 1, 0); // diagonal to the gap
    p->GetTile(7)->Hit(20, 1, 0);  // two places above it
    p->GetTile(11)->Hit(30, 1, 0); // slides down
    // Both next to the gap, now at 11: the lower place goes first, and 10 is then diagonal.
    p->GetTile(10)->Hit(40, 1, 0);
    p->GetTile(7)->Hit(40, 1, 0);
    EXPECT_EQ(p->GetTile(10)->GetHitTime(1), 40);
    EXPECT_EQ(p->GetTile(10)->GetHitTime(2), GameEvent_HasntHappened);

    Player* player = world->GetPlayer();
    for (int pass = 0; pass < 2; ++pass)
    {
        if (pass == 1)
        {
            // Frozen for travel far away, the player sees the same tiles.
            Pointf const far = PuzzlePos() + Pointf(1500.0, 0.0);
            player->SetPos(&far);
            player->travelling = true;
        }
        p->MoveToTime(map, 30); // a click counts from the step after it
        EXPECT_TRUE(p->IsComplete());
        ExpectPictures(*p);
        p->MoveToTime(map, 31);
        EXPECT_FALSE(p->IsComplete());
        EXPECT_EQ(p->GetLayout(11), Last);
        EXPECT_EQ(p->GetLayout(Last), 11);
        p->MoveToTime(map, 100);
        EXPECT_EQ(p->GetLayout(7), Last);
        EXPECT_EQ(p->GetLayout(11), 7);
        EXPECT_EQ(p->GetLayout(10), 10);
        ExpectPictures(*p);
        p->MoveToTime(map, 25);
        EXPECT_TRUE(p->IsComplete());
    }
    player->travelling = false;
}

TEST_F(SlideyPuzzleTest, PicturesAreNumberedPastTheGapAndEveryShuffleCanBeSolved)
{
    // Pictures told apart by their widths.
    for (int n = 0; n < Last; ++n)
        CreatureSprites::Save(Canvas(8 + n, 8, Rgba{0, 0, 0, 255}), ".", CreatureSprites::FrameName("slideytest/b", n));
    std::unique_ptr<Slidey_Puzzle> p = Make("slideytest/b", 3, true);
    int number = 0;
    for (int tile = 0; tile < Slidey_Puzzle_Segments; ++tile)
    {
        if (tile == 3)
        {
            EXPECT_EQ(p->GetTileImage(tile), nullptr);
            continue;
        }
        ASSERT_NE(p->GetTileImage(tile), nullptr);
        EXPECT_EQ(p->GetTileImage(tile)->GetWidth(), 8u + number++) << "tile " << tile;
    }
    EXPECT_THROW(Make("slideytest/none", 3, true), Error);

    for (unsigned int seed = 1; seed <= 6; ++seed)
    {
        std::srand(seed);
        std::unique_ptr<Slidey_Puzzle> shuffled = Make(Tiles, static_cast<int>(seed) % Slidey_Puzzle_Segments, false);
        std::srand(seed);
        std::unique_ptr<Slidey_Puzzle> again = Make(Tiles, static_cast<int>(seed) % Slidey_Puzzle_Segments, false);
        EXPECT_FALSE(shuffled->IsComplete()) << "seed " << seed;
        EXPECT_TRUE(Solvable(*shuffled, static_cast<int>(seed) % Slidey_Puzzle_Segments)) << "seed " << seed;
        for (int i = 0; i < Slidey_Puzzle_Segments; ++i)
        {
            EXPECT_EQ(shuffled->GetLayout(i), shuffled->GetStartLayout(i));
            EXPECT_EQ(again->GetStartLayout(i), shuffled->GetStartLayout(i));
        }
        ExpectPictures(*shuffled);
    }
}

TEST_F(SlideyPuzzleTest, EntersStrictlyWithinReachClicksStrictlyInsideAPlaceAndNeverWhileFrozen)
{
    std::unique_ptr<Slidey_Puzzle> p = Make(Tiles, Last, true);
    Player* player = world->GetPlayer();
    Map const* map = world->GetMap();
    Message const* message = world->GetMessage();
    int const counter = CursorCounter();
    KeyData const action = Keys(true, false);

    Pointf const edge = PuzzlePos() + Pointf(70.0, -50.0);
    player->SetPos(&edge);
    EXPECT_FALSE(p->Poll(map, &action, 5));
    Pointf const inside = PuzzlePos() + Pointf(70.0, -49.9);
    player->SetPos(&inside);
    KeyData const idle = Keys(false, false);
    EXPECT_FALSE(p->Poll(map, &idle, 5)); // only the action key's release steps in

    // Frozen for time travel, the player neither steps in nor clicks.
    player->travelling = true;
    EXPECT_FALSE(p->Poll(map, &action, 5));
    EXPECT_EQ(CursorCounter(), counter);
    EXPECT_FALSE(player->scripted);
    player->travelling = false;

    EXPECT_TRUE(p->Poll(map, &action, 6));
    EXPECT_TRUE(p->IsActive());
    EXPECT_EQ(CursorCounter(), counter + 1);
    EXPECT_TRUE(player->scripted);
    EXPECT_STREQ(message->GetShownText(), "Click tiles to move them, press jump to leave");
    EXPECT_TRUE(p->Poll(map, &action, 6)); // once in, the action key changes nothing
    EXPECT_EQ(CursorCounter(), counter + 1);

    Pointf const five = p->GetTile(5)->GetPos();
    KeyData const between = Click(map, five + Pointf(Slidey_Puzzle::Tile_Size, 0.0));
    EXPECT_TRUE(p->Poll(map, &between, 7));
    KeyData const corner = Click(map, five + Pointf(-5.9, 5.9));
    EXPECT_TRUE(p->Poll(map, &corner, 8));
    player->travelling = true;
    EXPECT_TRUE(p->Poll(map, &corner, 9));
    player->travelling = false;
    for (int i = 0; i < Slidey_Puzzle_Segments; ++i)
        EXPECT_EQ(p->GetTile(i)->GetHitTime(0), i == 5 ? 8 : GameEvent_HasntHappened) << "place " << i;
    EXPECT_EQ(p->GetTile(5)->GetHitTime(1), GameEvent_HasntHappened);

    KeyData const jump = Keys(false, true);
    EXPECT_FALSE(p->Poll(map, &jump, 10));
    EXPECT_FALSE(p->IsActive());
    EXPECT_EQ(CursorCounter(), counter);
    EXPECT_FALSE(player->scripted);
    EXPECT_EQ(message->GetShownText(), nullptr);

    // Gone while the player works it, it hides the pointer it showed.
    EXPECT_TRUE(p->Poll(map, &action, 11));
    EXPECT_EQ(CursorCounter(), counter + 1);
    p.reset();
    EXPECT_EQ(CursorCounter(), counter);
    player->scripted = false;
}
