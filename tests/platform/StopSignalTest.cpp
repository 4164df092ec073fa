// The stop signals: a close handed on while the game runs, the end at once while a world is built.
#include "platform/StopSignal.h"

#include <gtest/gtest.h>

#include <signal.h>

#include <cstdlib>

// Each case runs in a child of its own: the handler stays with the process that installs it.
TEST(StopSignal, OneCloseForASignalOutsideABuildAndTheEndAtOnceDuringOrAfterOne)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            StopSignal::Install();
            bool const before = StopSignal::TakeClose();
            // A build that ended before the signal is no build while it comes.
            StopSignal::BeginLoading();
            StopSignal::EndLoading();
            raise(SIGTERM);
            raise(SIGTERM);
            bool const once = StopSignal::TakeClose() && !StopSignal::TakeClose();
            raise(SIGINT);
            std::exit(!before && once && StopSignal::TakeClose() ? 7 : 1);
        },
        testing::ExitedWithCode(7), "");
    EXPECT_EXIT(
        {
            StopSignal::Install();
            StopSignal_Loading const loading;
            raise(SIGTERM);
            std::exit(1);
        },
        testing::ExitedWithCode(128 + SIGTERM), "");
    // Already handed on as a close, it still ends a build that the steps still due begin.
    EXPECT_EXIT(
        {
            StopSignal::Install();
            raise(SIGINT);
            StopSignal::TakeClose();
            StopSignal_Loading const loading;
            std::exit(1);
        },
        testing::ExitedWithCode(128 + SIGINT), "");
}
