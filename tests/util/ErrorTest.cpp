// Error captions, bounded text and the report seam.
#include "util/Error.h"

#include <gtest/gtest.h>

#include <string>

namespace
{
std::string seen;

int Record(char const* caption, char const* text)
{
    seen = std::string(caption) + "|" + text;
    return 7;
}
} // namespace

// The reporter is program-wide: every test leaves it as it found it.
class ErrorReport : public testing::Test
{
protected:
    void TearDown() override { Error::SetReporter(nullptr); }
};

TEST_F(ErrorReport, ShowsCaptionAndText)
{
    Error::SetReporter(Record);
    EXPECT_EQ(Error(Error_OpenFile, "chasm/map").Report(), 7);
    EXPECT_EQ(seen, "Couldn't open file|chasm/map");
    Error("disk gone", 5).Report();
    EXPECT_EQ(seen, "OS error - 5|disk gone");
    Error().Report();
    EXPECT_EQ(seen, "Out of Memory|");

    Error::SetReporter(nullptr);
    testing::internal::CaptureStderr();
    EXPECT_EQ(Error(Error_LineEquation).Report(), 1);
    EXPECT_NE(testing::internal::GetCapturedStderr().find("Couldn't calculate line equation"), std::string::npos);
}

TEST(Error, OverlongTextIsTruncated)
{
    std::string longText(1000, 'x');
    EXPECT_EQ(Error(Error_ParseFile, longText.c_str()).Text(), longText.substr(0, Error::TextSize - 1));
    EXPECT_STREQ(Error(Error_ParseFile, nullptr).Text(), "");
}
