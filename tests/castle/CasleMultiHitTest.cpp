// Multi-hit blocks: the height from the hits counted one by one, and the fall-back at period ends.
#include "castle/Casle_MultiHit.h"

#include <gtest/gtest.h>

TEST(CasleMultiHitTest, WithoutAPeriodEachHitLiftsTheBlockUpToItsHighest)
{
    // As the castle's first block: no fall-back and no fall distance.
    Casle_MultiHit block(Pointf(10.0, 20.0), 40, 50.0, 0, 1.0, 0.0);
    EXPECT_EQ(block.GetLookBack(), 0);
    block.Hit(10, 1, 0);
    EXPECT_EQ(block.PosAtTime(9), 0.0);
    EXPECT_EQ(block.PosAtTime(10), 1.0);
    block.Hit(20, 5, 0);
    block.Hit(20, 5, 0);
    EXPECT_EQ(block.PosAtTime(20), 3.0) << "hits are counted one by one, not by damage";
    for (Tick t = 21; t < 70; t++)
        block.Hit(t, 1, 0);
    EXPECT_EQ(block.PosAtTime(66), 49.0);
    EXPECT_EQ(block.PosAtTime(67), 50.0);
    EXPECT_EQ(block.PosAtTime(100000), 50.0);
}

TEST(CasleMultiHitTest, APeriodsEndDropsTheBlockAndItsTickAlreadyShowsTheDrop)
{
    Casle_MultiHit slow(Pointf(10.0, 20.0), 40, 50.0, 100, 0.4, 2.0);
    EXPECT_EQ(slow.GetLookBack(), 2600);
    EXPECT_EQ(Casle_MultiHit(Pointf(), 40, 50.0, 60, 0.4, 3.0).GetLookBack(), 1060);
    for (Tick t : {1, 20, 40, 60, 99})
        slow.Hit(t, 1, 0);
    EXPECT_DOUBLE_EQ(slow.PosAtTime(99), 2.0);
    EXPECT_EQ(slow.PosAtTime(100), 0.0);

    // At its highest it sinks by the fall at each period's end, and hits beyond it are lost.
    Casle_MultiHit strong(Pointf(), 40, 50.0, 100, 10.0, 2.0);
    for (Tick t = 1; t <= 10; t++)
        strong.Hit(t, 1, 0);
    EXPECT_EQ(strong.PosAtTime(99), 50.0);
    EXPECT_EQ(strong.PosAtTime(100), 48.0);
    EXPECT_EQ(strong.PosAtTime(2400), 2.0);
    EXPECT_EQ(strong.PosAtTime(2500), 0.0);
    strong.Hit(2450, 1, 0);
    EXPECT_EQ(strong.PosAtTime(2450), 12.0);
    EXPECT_EQ(strong.PosAtTime(2500), 10.0);

    // A thousand periods of hits in a row are followed all the way back.
    Casle_MultiHit busy(Pointf(), 40, 50.0, 60, 0.4, 3.0);
    for (Tick t = 1; t < 60000; t += 6)
        busy.Hit(t, 1, 0);
    EXPECT_DOUBLE_EQ(busy.PosAtTime(120), 2.0);
    EXPECT_DOUBLE_EQ(busy.PosAtTime(59999), 50.0);
    EXPECT_DOUBLE_EQ(busy.PosAtTime(60000), 47.0);
}
