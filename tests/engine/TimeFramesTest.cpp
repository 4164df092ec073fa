// Past selves: recordings across time travel, and carriers of items by tick.
#include "engine/TimeFrames.h"

#include <gtest/gtest.h>

namespace
{

// Records ticks [from, to) with x telling the tick and y the given height.
template <class Recording>
void Record(Recording& recording, Tick from, Tick to, double y = 0.0)
{
    for (Tick t = from; t < to; t++)
    {
        Char_Base c;
        c.pos = Pointf(t, y);
        c.angle = 0.5;
        c.scale = 1.5;
        c.frame = 3 | LeftFrame;
        recording.AddEcho(&c);
    }
}

double At(std::optional<Char_Base> const& c)
{
    return c ? c->pos.x : -1.0;
}

} // namespace

TEST(TimeFrame, AnswersEveryRecordedTickByValueAndHoldsTheLast)
{
    TimeFrame frame(100);
    EXPECT_FALSE(frame.GetAtTime(100).has_value());
    Record(frame, 100, 700); // grows past its first 256 slots
    std::optional<Char_Base> const early = frame.GetAtTime(150);
    std::optional<Char_Base> const late = frame.GetAtTime(600);
    ASSERT_TRUE(early.has_value());
    EXPECT_EQ(At(early), 150.0);
    EXPECT_EQ(At(late), 600.0);
    EXPECT_EQ(early->scale, 1.5);
    EXPECT_EQ(early->frame, 3 | LeftFrame);
    EXPECT_FLOAT_EQ(static_cast<float>(early->angle), 0.5f);
    for (Tick t : {100, 355, 356, 357, 611, 699})
        EXPECT_EQ(At(frame.GetAtTime(t)), t);

    // A self whose recording has ended stands where it ended, but is not drawn there.
    EXPECT_EQ(At(frame.GetAtTime(900)), 699.0);
    EXPECT_TRUE(frame.ValidTime(699));
    EXPECT_FALSE(frame.ValidTime(700));
    EXPECT_FALSE(frame.ValidTime(99));
    EXPECT_DEATH(frame.GetAtTime(99), "time >= startTime");
}

TEST(TimeFrames, TravelBackLeavesTheOldSelfReplayingItsAbandonedFuture)
{
    TimeFrames frames;
    EXPECT_EQ(frames.GetCurrentFrame()->GetStartTime(), 0);
    Record(frames, 0, 500);
    TimeFrame const* old = frames.GetCurrentFrame();
    frames.NewFrame(300);
    TimeFrame const* now = frames.GetCurrentFrame();
    EXPECT_NE(now, old);
    EXPECT_EQ(now->GetStartTime(), 300);
    Record(frames, 300, 320);
    EXPECT_TRUE(old->ValidTime(300));
    EXPECT_EQ(At(old->GetAtTime(499)), 499.0);
    EXPECT_FALSE(old->ValidTime(500));
    EXPECT_EQ(now->GetCount(), 20);
}

TEST(PastFollower, CarryingRunsFollowTheirOwnRecording)
{
    TimeFrames frames;
    Record(frames, 0, 100);
    Past_Follower follower;
    for (Tick t : {10, 11, 13}) // a gap of one tick starts a new run
        follower.AddFollow(&frames, t);
    EXPECT_FALSE(follower.FindAtTime(9).has_value());
    EXPECT_EQ(At(follower.FindAtTime(11)), 11.0);
    EXPECT_FALSE(follower.FindAtTime(12).has_value());
    EXPECT_EQ(At(follower.FindAtTime(13)), 13.0);
    EXPECT_FALSE(follower.FindAtTime(14).has_value());

    // After travelling back, a new carry follows the new recording and the old runs the old
    // one; a carry over a tick another run holds is a broken invariant.
    frames.NewFrame(5);
    Record(frames, 5, 20, -1.0);
    follower.AddFollow(&frames, 14);
    EXPECT_EQ(follower.FindAtTime(14)->pos.y, -1.0);
    EXPECT_EQ(follower.FindAtTime(13)->pos.y, 0.0);
    EXPECT_DEATH(follower.AddFollow(&frames, 10), "FindAtTime");
}
