// The message queue: sliding in and out, handing over between lines, and a full queue.
#include "Message.h"

#include <string>

#include <gtest/gtest.h>

namespace {

// Polls until the shown line changes or the step limit runs out; returns the steps taken.
int PollWhileShowing(Message& message, char const* text, int limit)
{
    int steps = 0;
    while (steps < limit && message.GetShownText() != nullptr && std::string(message.GetShownText()) == text)
    {
        message.Poll();
        steps++;
    }
    return steps;
}

} // namespace

TEST(Message, LineSlidesUpStaysItsTimeThenSlidesAwayAndIsRemoved)
{
    Message message(nullptr);
    message.Poll();
    EXPECT_EQ(message.GetPos().y, Message_OffPos);

    message.Display("hello", 100);
    double previous = message.GetPos().y;
    for (int i = 0; i < 100; i++)
    {
        message.Poll();
        EXPECT_GT(message.GetPos().y, previous);
        previous = message.GetPos().y;
    }
    EXPECT_NEAR(message.GetPos().y, Message_OnPos, 0.01);
    ASSERT_NE(message.GetShownText(), nullptr);

    int const out = PollWhileShowing(message, "hello", 1000);
    EXPECT_LT(out, 1000);
    EXPECT_EQ(message.GetShownText(), nullptr);
    EXPECT_LT(message.GetPos().y, -9.0);
    EXPECT_GT(message.GetPos().y, -10.0);
    message.Poll();
    EXPECT_EQ(message.GetShownText(), nullptr);
}

TEST(Message, NextLineTakesOverAtOnceWithoutSlidingDown)
{
    Message message(nullptr);
    message.Display("first", 20);
    message.Display("second", 20);
    EXPECT_EQ(PollWhileShowing(message, "first", 1000), 21);
    ASSERT_NE(message.GetShownText(), nullptr);
    EXPECT_EQ(std::string(message.GetShownText()), "second");
    double const handover = message.GetPos().y;
    message.Poll();
    EXPECT_GT(message.GetPos().y, handover);
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
    EXPECT_EQ(err.find("dropped too"), std::string::npos);

    std::string shown;
    for (int i = 0; i < 100 && message.GetShownText() != nullptr; i++)
    {
        if (shown.empty() || shown.back() != message.GetShownText()[0])
            shown += message.GetShownText();
        message.Poll();
    }
    EXPECT_EQ(shown, "01234");
}

TEST(Message, ClearKeepsTheHeightAndALineWithNoTimeDoesNotStallTheQueue)
{
    Message message(nullptr);
    message.Display("sliding", 10);
    for (int i = 0; i < 5; i++)
        message.Poll();
    double const height = message.GetPos().y;
    message.Clear();
    EXPECT_EQ(message.GetShownText(), nullptr);
    EXPECT_EQ(message.GetPos().y, height);
    message.Display("next", 10);
    message.Poll();
    EXPECT_GT(message.GetPos().y, height);

    Message quiet(nullptr);
    quiet.Display("instant", 0);
    quiet.Display("after", 5);
    quiet.Poll();
    ASSERT_NE(quiet.GetShownText(), nullptr);
    EXPECT_EQ(std::string(quiet.GetShownText()), "after");
}
