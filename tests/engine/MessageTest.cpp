// The message queue: sliding in and out, handing over between lines, and a full queue.
#include "engine/Message.h"

#include <gtest/gtest.h>

#include <string>

namespace
{

std::string Shown(Message const& message)
{
    return message.GetShownText() != nullptr ? message.GetShownText() : "";
}

// Polls while the given line is shown; returns the steps taken.
int PollWhileShowing(Message& message, std::string const& text)
{
    int steps = 0;
    for (; steps < 1000 && Shown(message) == text; steps++)
        message.Poll();
    return steps;
}

} // namespace

TEST(Message, LineSlidesUpStaysItsTimeThenSlidesAwayAndIsRemoved)
{
    Message message(nullptr);
    message.Display("hello", 100);
    double previous = message.GetPos().y;
    for (int i = 0; i < 100; i++)
    {
        message.Poll();
        EXPECT_GT(message.GetPos().y, previous);
        previous = message.GetPos().y;
    }
    EXPECT_NEAR(message.GetPos().y, Message_OnPos, 0.01);
    EXPECT_LT(PollWhileShowing(message, "hello"), 1000);
    EXPECT_LT(message.GetPos().y, -9.0);
    EXPECT_GT(message.GetPos().y, -10.0);
}

TEST(Message, NextLineTakesOverAtOnceAndALineWithNoTimeDoesNotStall)
{
    Message message(nullptr);
    message.Display("first", 20);
    message.Display("second", 20);
    EXPECT_EQ(PollWhileShowing(message, "first"), 21);
    EXPECT_EQ(Shown(message), "second");
    double const handover = message.GetPos().y;
    message.Poll();
    EXPECT_GT(message.GetPos().y, handover);

    Message quiet(nullptr);
    quiet.Display("instant", 0);
    quiet.Display("after", 5);
    quiet.Poll();
    EXPECT_EQ(Shown(quiet), "after");
}

TEST(Message, FullQueueDropsTheNewLineAndKeepsTheOthers)
{
    Message message(nullptr);
    for (int i = 0; i < Message_Queue_Size; i++)
        message.Display(std::to_string(i).c_str(), 1);
    testing::internal::CaptureStderr();
    message.Display("dropped", 1);
    message.Display("dropped too", 1);
    std::string const err = testing::internal::GetCapturedStderr();
    EXPECT_NE(err.find("dropped"), std::string::npos);
    EXPECT_EQ(err.find("dropped too"), std::string::npos) << "reported more than once";

    std::string shown;
    for (int i = 0; i < 100 && !Shown(message).empty(); i++, message.Poll())
        if (shown.empty() || shown.back() != Shown(message)[0])
            shown += Shown(message);
    EXPECT_EQ(shown, "01234");
}

TEST(Message, WaitingLinesReadInQueueOrderWithTheirTimesLeft)
{
    Message message(nullptr);
    EXPECT_EQ(message.Waiting(), 0);
    message.Display("first", 2);
    message.Display("second", 7);
    ASSERT_EQ(message.Waiting(), 2);
    EXPECT_STREQ(message.GetWaiting(0).text, "first");
    EXPECT_STREQ(message.GetWaiting(1).text, "second");
    EXPECT_EQ(message.GetWaiting(1).time, 7);

    message.Poll();
    EXPECT_EQ(message.GetWaiting(0).time, 1) << "the shown line's time runs down";
    message.Poll();
    message.Poll();
    ASSERT_EQ(message.Waiting(), 1);
    EXPECT_STREQ(message.GetWaiting(0).text, "second");
    EXPECT_DEATH(message.GetWaiting(1), "i >= 0 && i < Waiting\\(\\)");
}
