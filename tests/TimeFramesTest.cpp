// Past selves: recordings across time travel, and carriers of items found by tick.
#include "TimeFrames.h"

#include <gtest/gtest.h>

#include "FloorMap.h"
#include "MediaTestSupport.h"
#include "Player_Sprites.h"
#include "tools/DataGen.h"

namespace {

// A recorded state whose x tells the tick it was recorded at.
Char_Base StateAt(Tick t, double scale = 1.0)
{
    Char_Base c;
    c.pos = Pointf(t, 2.0 * t);
    c.angle = 0.5;
    c.scale = scale;
    c.frame = 3 | LeftFrame;
    return c;
}

template <class Recording>
void Record(Recording& recording, Tick from, Tick to)
{
    for (Tick t = from; t < to; t++)
    {
        Char_Base const c = StateAt(t);
        recording.AddEcho(&c);
    }
}

double RecordedTick(std::optional<Char_Base> const& c)
{
    return c ? c->pos.x : -1.0;
}

} // namespace

TEST(TimeFrame, AnswersEachRecordedTickAndHoldsTheLastAfterTheEnd)
{
    TimeFrame frame(100);
    EXPECT_FALSE(frame.GetAtTime(100).has_value());
    for (Tick t = 100; t < 200; t++)
    {
        Char_Base const c = StateAt(t, 1.5);
        frame.AddEcho(&c);
    }
    std::optional<Char_Base> const at150 = frame.GetAtTime(150);
    ASSERT_TRUE(at150.has_value());
    EXPECT_EQ(at150->pos.x, 150.0);
    EXPECT_EQ(at150->pos.y, 300.0);
    EXPECT_EQ(at150->scale, 1.5);
    EXPECT_EQ(at150->frame, 3 | LeftFrame);
    EXPECT_FLOAT_EQ(static_cast<float>(at150->angle), 0.5f);

    // A self whose recording has ended stands where it ended, but is not drawn there.
    EXPECT_EQ(RecordedTick(frame.GetAtTime(250)), 199.0);
    EXPECT_TRUE(frame.ValidTime(100));
    EXPECT_TRUE(frame.ValidTime(199));
    EXPECT_FALSE(frame.ValidTime(200));
    EXPECT_FALSE(frame.ValidTime(99));
}

TEST(TimeFrame, GrowingKeepsEveryEarlierTickAndAnswersStayIndependent)
{
    TimeFrame frame(0);
    Record(frame, 0, 1000);
    ASSERT_EQ(frame.GetCount(), 1000);
    for (Tick t : {0, 1, 255, 256, 257, 511, 512, 999})
        EXPECT_EQ(RecordedTick(frame.GetAtTime(t)), t) << t;

    // Two answers held at once: the second query must not change the first.
    std::optional<Char_Base> const early = frame.GetAtTime(10);
    std::optional<Char_Base> const late = frame.GetAtTime(900);
    EXPECT_EQ(RecordedTick(early), 10.0);
    EXPECT_EQ(RecordedTick(late), 900.0);
}

TEST(TimeFrame, AskingBeforeTheStartIsABrokenInvariant)
{
    TimeFrame frame(50);
    Record(frame, 50, 60);
    EXPECT_DEATH(frame.GetAtTime(49), "time >= startTime");
}

TEST(TimeFrames, TravelBackLeavesTheOldSelfReplayingItsAbandonedFuture)
{
    TimeFrames frames;
    ASSERT_EQ(frames.Count(), 1);
    EXPECT_EQ(frames.GetCurrentFrame()->GetStartTime(), 0);
    EXPECT_EQ(frames.GetCurrentFrame()->GetCount(), 0);

    Record(frames, 0, 500);
    TimeFrame const* old = frames.GetCurrentFrame();
    frames.NewFrame(300);
    ASSERT_EQ(frames.Count(), 2);
    TimeFrame const* now = frames.GetCurrentFrame();
    EXPECT_NE(now, old);
    EXPECT_EQ(now->GetStartTime(), 300);
    Record(frames, 300, 320);

    EXPECT_EQ(old->GetCount(), 500);
    EXPECT_EQ(now->GetCount(), 20);
    for (Tick t : {300, 400, 499})
    {
        EXPECT_TRUE(old->ValidTime(t)) << t;
        EXPECT_EQ(RecordedTick(old->GetAtTime(t)), t);
    }
    EXPECT_FALSE(old->ValidTime(500));
    EXPECT_TRUE(now->ValidTime(319));
    EXPECT_FALSE(now->ValidTime(320));
}

TEST(PastFollower, CarryingRunsFollowTheirOwnRecording)
{
    TimeFrames frames;
    Record(frames, 0, 100);
    Past_Follower follower;
    follower.AddFollow(&frames, 10);
    follower.AddFollow(&frames, 11);
    follower.AddFollow(&frames, 13); // a gap of one tick starts a new run
    EXPECT_FALSE(follower.FindAtTime(9).has_value());
    EXPECT_EQ(RecordedTick(follower.FindAtTime(10)), 10.0);
    EXPECT_EQ(RecordedTick(follower.FindAtTime(11)), 11.0);
    EXPECT_FALSE(follower.FindAtTime(12).has_value());
    EXPECT_EQ(RecordedTick(follower.FindAtTime(13)), 13.0);
    EXPECT_FALSE(follower.FindAtTime(14).has_value());

    // After travelling back, a new carry belongs to the new recording while the old runs
    // still follow the old one; a carry over a tick another run holds is a broken invariant.
    frames.NewFrame(5);
    Char_Base elsewhere = StateAt(7);
    elsewhere.pos.y = -1.0;
    for (Tick t = 5; t < 20; t++)
        frames.AddEcho(&elsewhere);
    follower.AddFollow(&frames, 14);
    follower.AddFollow(&frames, 15);
    EXPECT_EQ(follower.FindAtTime(15)->pos.y, -1.0);
    EXPECT_EQ(follower.FindAtTime(13)->pos.y, 26.0);
    EXPECT_EQ(follower.FindAtTime(10)->pos.y, 20.0);
    EXPECT_FALSE(follower.FindAtTime(16).has_value());

    EXPECT_DEATH(follower.AddFollow(&frames, 10), "FindAtTime");
}

namespace {

class TimeFramesDrawing : public MediaTestSupport_Gl
{
protected:
    void SetUp() override
    {
        MediaTestSupport_Gl::SetUp();
        DataGen::WriteImages(dir.Path());
        Player_Sprites::Initialise();
    }
    void TearDown() override
    {
        Player_Sprites::Finalise();
        MediaTestSupport_Gl::TearDown();
    }

    // Whether anything was drawn over the body box of a self standing at the screen's centre.
    bool SelfDrawn(int size)
    {
        for (int x = 320 - size / 2 + 2; x < 320 + size / 2; x += 3)
            for (int y = 242; y < 240 + size; y += 3)
                if (!IsBlack(x, y))
                    return true;
        return false;
    }
};

} // namespace

TEST_F(TimeFramesDrawing, SelvesAreDrawnOnlyOverTheirRecordedTicks)
{
    auto map = FloorMap::Make(); // world (0, 0) is the screen's centre at scale 1
    double const scale = 3.0;
    TimeFrames frames;
    frames.NewFrame(100);
    Char_Base self;
    self.pos = Pointf(0.0, 0.0);
    self.scale = scale;
    for (Tick t = 100; t < 200; t++)
        frames.AddEcho(&self);
    int const size = int(Player_Height * scale);

    frames.Render(map.get(), 250);
    EXPECT_FALSE(SelfDrawn(size)) << "a self whose recording has ended is still drawn";
    frames.Render(map.get(), 99);
    EXPECT_FALSE(SelfDrawn(size)) << "a self is drawn before its recording starts";
    frames.Render(map.get(), 150);
    EXPECT_TRUE(SelfDrawn(size));
}
