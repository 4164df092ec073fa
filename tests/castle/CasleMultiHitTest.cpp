// Multi-hit blocks: the height from the hits counted one by one, the fall-back at period ends.
#include "castle/Casle_MultiHit.h"
#include "engine/MoveObject.h"

#include <gtest/gtest.h>

namespace
{

Pointf const Mark(10.0, 20.0);
constexpr unsigned int BlockGroup = 40;

void HitAt(Casle_MultiHit& block, std::initializer_list<Tick> ticks, int damage = 1)
{
    for (Tick t : ticks)
        block.Hit(t, damage, 0);
}

} // namespace

TEST(CasleMultiHitTest, WithoutAPeriodEachHitLiftsTheBlockUpToItsHighest)
{
    // As the castle's first block: no fall-back and no fall distance.
    Casle_MultiHit block(Mark, BlockGroup, 50.0, 0, 1.0, 0.0);
    EXPECT_EQ(block.GetLookBack(), 0);
    EXPECT_EQ(block.PosAtTime(100), 0.0);
    HitAt(block, {10});
    EXPECT_EQ(block.PosAtTime(9), 0.0);
    EXPECT_EQ(block.PosAtTime(10), 1.0);
    HitAt(block, {20, 20}, 5); // two hits at one tick, each of five damage
    EXPECT_EQ(block.PosAtTime(20), 3.0) << "hits are counted one by one";
    for (Tick t = 21; t < 68; t++)
        HitAt(block, {t});
    EXPECT_EQ(block.PosAtTime(66), 49.0);
    EXPECT_EQ(block.PosAtTime(67), 50.0);
    EXPECT_EQ(block.PosAtTime(100000), 50.0) << "stays at its highest";
    EXPECT_EQ(block.PosAtTime(0), 0.0);

    FlatList<MoveObject>* orders = nullptr;
    block.MoveMapGroup(nullptr, 15, &orders);
    ASSERT_NE(orders, nullptr);
    EXPECT_EQ((*orders)[0].kind, MoveObject_Translate);
    EXPECT_EQ((*orders)[0].group, BlockGroup);
    EXPECT_EQ((*orders)[0].newY, 1.0);
    Pointf aim;
    EXPECT_TRUE(block.GetTargetPos(nullptr, 40, aim));
    EXPECT_EQ(aim, Mark) << "the mark moved with the block";
}

TEST(CasleMultiHitTest, APeriodsEndDropsTheBlockAndItsTickAlreadyShowsTheDrop)
{
    Casle_MultiHit slow(Mark, BlockGroup, 50.0, 100, 0.4, 2.0);
    EXPECT_EQ(slow.GetLookBack(), 2600);
    EXPECT_EQ(Casle_MultiHit(Mark, BlockGroup, 50.0, 60, 0.4, 3.0).GetLookBack(), 1060);

    HitAt(slow, {1, 20, 40, 60, 99});
    EXPECT_DOUBLE_EQ(slow.PosAtTime(99), 2.0);
    EXPECT_EQ(slow.PosAtTime(100), 0.0);
    HitAt(slow, {101, 150});
    EXPECT_DOUBLE_EQ(slow.PosAtTime(150), 0.8);
    EXPECT_DOUBLE_EQ(slow.PosAtTime(200), 0.0);

    // A block at its highest sinks by the fall at each period's end, and hits that would lift it
    // higher within a period are lost; it rests at 0 once the falls have used up the height.
    Casle_MultiHit strong(Mark, BlockGroup, 50.0, 100, 10.0, 2.0);
    for (Tick t = 1; t <= 10; t++)
        HitAt(strong, {t});
    EXPECT_EQ(strong.PosAtTime(99), 50.0);
    EXPECT_EQ(strong.PosAtTime(100), 48.0);
    EXPECT_EQ(strong.PosAtTime(199), 48.0);
    EXPECT_EQ(strong.PosAtTime(200), 46.0);
    EXPECT_EQ(strong.PosAtTime(2399), 4.0);
    EXPECT_EQ(strong.PosAtTime(2400), 2.0);
    EXPECT_EQ(strong.PosAtTime(2500), 0.0);
    HitAt(strong, {2450});
    EXPECT_EQ(strong.PosAtTime(2450), 12.0);
    EXPECT_EQ(strong.PosAtTime(2500), 10.0);
    EXPECT_EQ(strong.PosAtTime(7000), 0.0);

    // Many periods of hits in a row are followed all the way back.
    Casle_MultiHit busy(Mark, BlockGroup, 50.0, 60, 0.4, 3.0);
    for (Tick t = 1; t < 60000; t += 6)
        HitAt(busy, {t});
    EXPECT_DOUBLE_EQ(busy.PosAtTime(120), 2.0) << "four up and three down each period";
    EXPECT_DOUBLE_EQ(busy.PosAtTime(59999), 50.0);
    EXPECT_DOUBLE_EQ(busy.PosAtTime(60000), 47.0);
}
