// Error codes, bounded text and the report seam.
#include "util/Error.h"

#include <gtest/gtest.h>
#include <string>

namespace
{
std::string seenCaption;
std::string seenText;

int RecordReport(char const* caption, char const* text)
{
    seenCaption = caption;
    seenText = text;
    return 7;
}
}

TEST(Error, ReportCaptionsAndTexts)
{
    Error::SetReporter(RecordReport);

    EXPECT_EQ(Error(Error_OpenFile, "chasm/map").Report(), 7);
    EXPECT_EQ(seenCaption, "Couldn't open file");
    EXPECT_EQ(seenText, "chasm/map");

    Error os("disk gone", 5);
    EXPECT_EQ(os.Code(), Error_OS);
    os.Report();
    EXPECT_EQ(seenCaption, "OS error - 5");
    EXPECT_EQ(seenText, "disk gone");

    Error bare;
    EXPECT_EQ(bare.Code(), Error_OutOfMemory);
    bare.Report();
    EXPECT_EQ(seenCaption, "Out of Memory");
    EXPECT_EQ(seenText, "");

    Error::SetReporter(nullptr);
    testing::internal::CaptureStderr();
    EXPECT_EQ(Error(Error_LineEquation).Report(), 1);
    EXPECT_NE(testing::internal::GetCapturedStderr().find("Couldn't calculate line equation"), std::string::npos);
}

TEST(Error, OverlongTextIsTruncatedNotOverflowed)
{
    std::string longText(1000, 'x');
    Error err(Error_ParseFile, longText.c_str());
    EXPECT_EQ(std::string(err.Text()), std::string(Error::TextSize - 1, 'x'));
    EXPECT_STREQ(Error(Error_ParseFile, nullptr).Text(), "");
}

TEST(Error, ThrownByValueKeepsCodeAndText)
{
    try
    {
        throw Error(Error_PngRead, "gfx/title.png");
    }
    catch (Error err)
    {
        EXPECT_EQ(err.Code(), Error_PngRead);
        EXPECT_STREQ(err.Text(), "gfx/title.png");
    }
}
