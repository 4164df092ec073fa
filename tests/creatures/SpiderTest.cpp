// The spider: its climbing thread, the swings hits start and what blocks them, too short a thread.
#include "creatures/Spider.h"

#include "support/SmallMap.h"
#include "util/Error.h"

#include <gtest/gtest.h>

#include <string>

namespace
{

constexpr unsigned int Anchor = 1;
constexpr double Longest = 60.0; // 200 ticks down, 200 up

std::unique_ptr<Map> SpiderMap()
{
    MapWriter writer = FloorWriter();
    writer.AddRefPoint(Anchor, 0.0, 300.0);
    return ReadSmallMap(writer);
}

} // namespace

TEST(Spider, ThreadRunsFromShortestToLongestAndBack)
{
    std::unique_ptr<Map> map = SpiderMap();
    Spider spider(map.get(), Anchor, Longest, 1);
    EXPECT_DOUBLE_EQ(spider.ThreadLength(0), 20.0);
    EXPECT_DOUBLE_EQ(spider.ThreadLength(200), Longest);
    EXPECT_DOUBLE_EQ(spider.ThreadLength(400), 20.0);
    for (Tick t = 1; t < 400; t++)
    {
        ASSERT_LT(spider.ThreadLength(t), t == 200 ? 1e9 : Longest) << "tick " << t;
        ASSERT_GT(spider.ThreadLength(t), 20.0) << "tick " << t;
    }
    EXPECT_EQ(spider.PositionAtTime(200), Pointf(0.0, 300.0 - Longest));
}

TEST(Spider, HitsSwingItOnceWithin100TicksToTheSideTheHitCameFrom)
{
    std::unique_ptr<Map> map = SpiderMap();
    Spider once(map.get(), Anchor, Longest, 9);
    once.Hit(1000, 1, 0);
    EXPECT_GT(once.PositionAtTime(1010).x, 0.0);
    EXPECT_EQ(once.SwingAngle(1000), 0.0);
    EXPECT_EQ(once.SwingAngle(1100), 0.0) << "a swing lasts 100 ticks";

    Spider fiftyApart(map.get(), Anchor, Longest, 9);
    fiftyApart.Hit(1000, 1, 0);
    fiftyApart.Hit(1050, 1, 1);
    Spider hundredApart(map.get(), Anchor, Longest, 9);
    hundredApart.Hit(1000, 1, 0);
    hundredApart.Hit(1100, 1, 0);
    for (Tick t = 1000; t < 1200; t++)
    {
        ASSERT_EQ(fiftyApart.SwingAngle(t), once.SwingAngle(t)) << "tick " << t;
        ASSERT_EQ(hundredApart.SwingAngle(t), once.SwingAngle(t)) << "tick " << t;
    }
    Spider twoSwings(map.get(), Anchor, Longest, 9);
    twoSwings.Hit(1000, 1, 0);
    twoSwings.Hit(1101, 1, 0);
    EXPECT_EQ(twoSwings.SwingAngle(1111), once.SwingAngle(1010));

    Spider fromRight(map.get(), Anchor, Longest, 9);
    fromRight.Hit(1000, 1, Target_Hit_FromRight);
    EXPECT_EQ(fromRight.SwingAngle(1010), -once.SwingAngle(1010));
    EXPECT_LT(fromRight.PositionAtTime(1010).x, 0.0);
}

TEST(Spider, APlayerInReachOrARecordedBusyTickAheadBlocksASwing)
{
    std::unique_ptr<Map> map = SpiderMap();
    Rectf const box = Spider(map.get(), Anchor, Longest, 9).GetReachBox();
    Pointf const corner(box.x0, box.y0);
    Pointf const outside(box.x1 + 0.01, 300.0);

    Spider watched(map.get(), Anchor, Longest, 9);
    watched.PlayerAtPos(1000, &corner);
    watched.Hit(1000, 1, 0);
    EXPECT_EQ(watched.SwingAngle(1010), 0.0);

    Spider unwatched(map.get(), Anchor, Longest, 9);
    unwatched.PlayerAtPos(1000, &outside);
    unwatched.Hit(1000, 1, 0);
    EXPECT_NE(unwatched.SwingAngle(1010), 0.0);

    // Recorded at 2100 before travelling back: a hit at 2000 may not swing, one at 1999 may.
    Spider ahead(map.get(), Anchor, Longest, 9);
    ahead.PlayerAtPos(2100, &corner);
    ahead.Hit(2000, 1, 0);
    EXPECT_EQ(ahead.SwingAngle(2010), 0.0);
    ahead.Hit(1999, 1, 0);
    EXPECT_NE(ahead.SwingAngle(2009), 0.0);
}

TEST(Spider, DiesWhereItWasAndTooShortAThreadIsRejected)
{
    std::unique_ptr<Map> map = SpiderMap();
    Spider spider(map.get(), Anchor, Longest, 1);
    spider.MoveToTime(map.get(), 100);
    Pointf const at = spider.GetPosition();
    EXPECT_EQ(spider.IsPlayerHit(100, &at), 1);
    spider.Hit(100, 1, 0);
    spider.MoveToTime(map.get(), 150);
    EXPECT_EQ(spider.GetPosition(), at);
    EXPECT_EQ(spider.IsPlayerHit(150, &at), 0);
    Pointf aim;
    EXPECT_FALSE(spider.GetTargetPos(map.get(), 100, aim));

    try
    {
        Spider tooShort(map.get(), Anchor, 20.2, 1);
        FAIL() << "a thread of 20.2 was accepted";
    }
    catch (Error const& e)
    {
        EXPECT_EQ(e.Code(), Error_ParseFile);
        std::string const text = e.Text();
        EXPECT_NE(text.find("test/map"), std::string::npos) << text;
        EXPECT_NE(text.find("point 1"), std::string::npos) << text;
        EXPECT_NE(text.find("20.2"), std::string::npos) << text;
    }
    Spider shortest(map.get(), Anchor, 20.21, 1);
    EXPECT_DOUBLE_EQ(shortest.ThreadLength(1), 20.21);
    EXPECT_DOUBLE_EQ(shortest.ThreadLength(2), 20.0);
}
