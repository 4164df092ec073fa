// Crystal podiums: placing crystals let go near a free podium, and the pair active from the second.
#include "CastleSupport.h"
#include "castle/Casle_Podiums.h"
#include "engine/Player_Sprites.h"

#include <gtest/gtest.h>

#include <memory>

namespace
{

Pointf const Podium0(0.0, 0.0);
Pointf const Podium1(300.0, 0.0);
Pointf const Aside(-600.0, 12.0);

class CaslePodiumsTest : public CastleTest
{
protected:
    void SetUp() override
    {
        CastleTest::SetUp();
        MapWriter writer = CastleFloor();
        writer.AddRefPoint(16, Podium0.x, Podium0.y);
        writer.AddRefPoint(17, Podium1.x, Podium1.y);
        map = MapFiles::Load<Map>(writer);
    }
    void Play(Casle_Podiums& pair, Tick from, Tick to)
    {
        for (Tick t = from; t <= to; t++)
            pair.MoveToTime(map.get(), t);
    }

    std::unique_ptr<Map> map;
};

} // namespace

TEST_F(CaslePodiumsTest, ThePairIsActiveFromTheSecondPlacing)
{
    Collectable* first = MakeItem(Podium0 + Pointf(-40.0, 23.0), 0.0, Collectable_None);
    Collectable* second = MakeItem(Podium1 + Pointf(40.0, 24.0), 0.0, Collectable_None);
    Casle_Podiums pair(first, 16, second, 17);
    Play(pair, 10, 15);
    EXPECT_EQ(pair.PlacedTime(0), 10);
    EXPECT_EQ(pair.PlacedTime(1), -1) << "placed from 64 away";
    EXPECT_EQ(first->GetPosAtTime(10), Podium0 + Pointf(0.0, 67.0));
    EXPECT_FALSE(first->CanCollectAtTime(1000000));

    second->SetPosAtTime(16, Podium1, Vectorf(0.0, 0.0), 0.0, false);
    second->SetPlayerHolding(true);
    Play(pair, 16, 19);
    second->SetPlayerHolding(false);
    Play(pair, 20, 25);
    EXPECT_EQ(pair.PlacedTime(1), 20) << "placed while held";
    EXPECT_FALSE(pair.IsActive(19));
    EXPECT_TRUE(pair.IsActive(20));
    EXPECT_EQ(pair.LastActiveTime(19), -1);
    EXPECT_EQ(pair.LastActiveTime(25), 25);
    EXPECT_EQ(pair.LastInactiveTime(15), 15);
    EXPECT_EQ(pair.LastInactiveTime(100000), 19);
}

TEST_F(CaslePodiumsTest, OneCrystalTakesOnePodiumAndACarriedOneNone)
{
    // Both crystals by the first podium: the first takes it, the second waits for its own.
    Collectable* a = MakeItem(Podium0 + Pointf(10.0, 0.0), 0.0, Collectable_None);
    Collectable* b = MakeItem(Podium0 + Pointf(-10.0, 0.0), 0.0, Collectable_None);
    Casle_Podiums pair(a, 16, b, 17);
    Play(pair, 5, 5);
    EXPECT_EQ(pair.PlacedTime(1), -1);
    b->SetPosAtTime(8, Podium1, Vectorf(0.0, 0.0), 0.0, false);
    Play(pair, 6, 8);
    EXPECT_EQ(pair.PlacedTime(0), 5);
    EXPECT_EQ(pair.PlacedTime(1), 8);

    // A past self carrying a crystal over a free podium does not leave it there.
    Char_Base self;
    self.pos = Podium0 - Player_Sprites::GetHead(&self);
    for (Tick t = 0; t < 20; t++)
        frames.AddEcho(&self);
    Collectable* carried = MakeItem(Aside, 0.0, Collectable_None);
    for (Tick t = 5; t < 10; t++)
        carried->PlayerHold(t);
    carried->SetPosAtTime(10, Aside, Vectorf(0.0, 0.0), 0.0, true);
    Casle_Podiums passed(carried, 16, MakeItem(Aside, 0.0, Collectable_None), 17);
    Play(passed, 0, 19);
    EXPECT_EQ(passed.PlacedTime(0), -1);
}
