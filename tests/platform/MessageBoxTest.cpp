// Message boxes in record-only mode, as error reports reach them.
#include "platform/MessageBox.h"

#include "util/Error.h"

#include <gtest/gtest.h>

TEST(MessageBox, RecordsBoxesAndErrorReports)
{
    MessageBox::SetRecordOnly(true);
    MessageBox::ClearRecorded();
    MessageBox::Register();

    EXPECT_EQ(1, MessageBox::Show("Running from protected volume.", nullptr));
    EXPECT_EQ(1, Error(Error_OpenFile, "chasm/map").Report());

    ASSERT_EQ(2u, MessageBox::Recorded().size());
    EXPECT_EQ("", MessageBox::Recorded()[0].caption);
    EXPECT_EQ("Running from protected volume.", MessageBox::Recorded()[0].text);
    EXPECT_EQ("Couldn't open file", MessageBox::Recorded()[1].caption);
    EXPECT_EQ("chasm/map", MessageBox::Recorded()[1].text);
    MessageBox::ClearRecorded();
}
