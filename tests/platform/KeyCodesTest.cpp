// The table between physical keys and the codes stored in the key-assignment file.
#include "platform/KeyCodes.h"

#include <gtest/gtest.h>

TEST(KeyCodes, EveryKeyRoundTripsThroughItsCode)
{
    int mapped = 0;
    for (int scancode = 0; scancode < KeyCodes_ScancodeCount; scancode++) {
        unsigned vk = HM_ScancodeToVirtualKey(scancode);
        if (vk == 0)
            continue;
        mapped++;
        int back = HM_VirtualKeyToScancode(vk);
        ASSERT_GE(back, 0) << "scancode " << scancode;
        EXPECT_EQ(vk, HM_ScancodeToVirtualKey(back)) << "scancode " << scancode;
    }
    EXPECT_GT(mapped, 100);
    for (unsigned vk = 0; vk < 0x10000; vk++) {
        int scancode = HM_VirtualKeyToScancode(vk);
        if (scancode >= 0) {
            EXPECT_EQ(vk, HM_ScancodeToVirtualKey(scancode)) << "code " << vk;
        }
    }
    EXPECT_EQ(0, HM_ScancodeToVirtualKey(-1));
    EXPECT_EQ(0, HM_ScancodeToVirtualKey(KeyCodes_ScancodeCount));
    EXPECT_EQ(-1, HM_VirtualKeyToScancode(0));
}

TEST(KeyCodes, EveryNamedKeyCanBePressed)
{
    // Letters, digits, keypad digits and function keys come in runs.
    for (unsigned vk = 0x41; vk <= 0x5A; vk++)
        EXPECT_GE(HM_VirtualKeyToScancode(vk), 0) << vk;
    for (unsigned vk = 0x30; vk <= 0x39; vk++)
        EXPECT_GE(HM_VirtualKeyToScancode(vk), 0) << vk;
    for (unsigned vk = 0x60; vk <= 0x69; vk++)
        EXPECT_GE(HM_VirtualKeyToScancode(vk), 0) << vk;
    for (unsigned vk = 0x70; vk <= 0x87; vk++)
        EXPECT_GE(HM_VirtualKeyToScancode(vk), 0) << vk;
    unsigned const others[] = {0x08, 0x09, 0x0D, 0x10, 0x11, 0x1B, 0x20, 0x23, 0x24, 0x25, 0x26, 0x27, 0x28,
                               0x2D, 0x2E, 0x6A, 0x6B, 0x6D, 0x6E, 0x6F, 0xBA, 0xBB, 0xBC, 0xBD, 0xBE, 0xBF,
                               0xC0, 0xDB, 0xDD, 0xDE, 0xDF};
    for (unsigned vk : others)
        EXPECT_GE(HM_VirtualKeyToScancode(vk), 0) << vk;
}
