// Guards the build itself: assertions stay compiled in every build type.
#include <gtest/gtest.h>

#include <cassert>

TEST(Build, AssertionsAreOn)
{
#ifdef NDEBUG
    FAIL() << "NDEBUG is defined: assertions would be compiled out";
#endif
    EXPECT_DEATH(assert(1 + 1 == 3), "1 \\+ 1 == 3");
}
