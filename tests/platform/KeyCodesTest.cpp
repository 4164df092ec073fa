// The table between physical keys and the codes stored in the key-assignment file.
#include "platform/KeyCodes.h"

#include <gtest/gtest.h>

TEST(KeyCodes, EveryKeyRoundTripsThroughItsCode)
{
    int mapped = 0;
    for (int scancode = 0; scancode < KeyCodes_ScancodeCount; scancode++)
    {
        unsigned vk = HM_ScancodeToVirtualKey(scancode);
        if (vk == 0)
            continue;
        mapped++;
        int back = HM_VirtualKeyToScancode(vk);
        ASSERT_GE(back, 0) << "scancode " << scancode;
        EXPECT_EQ(vk, HM_ScancodeToVirtualKey(back)) << "scancode " << scancode;
    }
    EXPECT_GT(mapped, 100);
    for (unsigned vk = 0; vk < 0x10000; vk++)
    {
        int scancode = HM_VirtualKeyToScancode(vk);
        if (scancode >= 0)
        {
            EXPECT_EQ(vk, HM_ScancodeToVirtualKey(scancode)) << "code " << vk;
        }
    }
    EXPECT_EQ(0, HM_ScancodeToVirtualKey(-1));
    EXPECT_EQ(0, HM_ScancodeToVirtualKey(KeyCodes_ScancodeCount));
    EXPECT_EQ(-1, HM_VirtualKeyToScancode(0));
}
