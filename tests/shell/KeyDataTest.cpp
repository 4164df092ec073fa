// Key states as key messages and steps age them, the game keys, and the key-assignment file.
#include "engine/KeyData.h"

#include "platform/GameWindow.h"
#include "platform/KeyCodes.h"
#include "shell/Globals.h"
#include "shell/WndProc.h"
#include "support/TestFolder.h"

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace
{

void Key(unsigned vk, bool down)
{
    Window_Message message;
    message.type = down ? Window_KeyDown : Window_KeyUp;
    message.vk = vk;
    WndProc(message);
}

class KeyDataTest : public testing::Test
{
protected:
    void SetUp() override
    {
        keyData = KeyData();
        DefaultKeyAssign();
    }

    void TearDown() override { DefaultKeyAssign(); }
};

} // namespace

TEST_F(KeyDataTest, StatesRunFromPressThroughHeldToRelease)
{
    int const q = KeyIndex_A + 'Q' - 'A';
    Key('Q', true);
    EXPECT_EQ(KeyState_Pressed, keyData.keys[q]);
    EXPECT_EQ(KeyState_Pressed, keyData.keys[KeyIndex_GameLeft]);
    keyData.Clean();
    EXPECT_EQ(KeyState_Held, keyData.keys[KeyIndex_GameLeft]);
    Key('Q', true); // the keyboard repeating
    keyData.Clean();
    EXPECT_EQ(KeyState_Held, keyData.keys[KeyIndex_GameLeft]);
    Key('Q', false);
    EXPECT_EQ(KeyState_Released, keyData.keys[KeyIndex_GameLeft]);
    keyData.Clean();
    EXPECT_EQ(KeyState_Up, keyData.keys[KeyIndex_GameLeft]);
    EXPECT_EQ(KeyState_Up, keyData.keys[q]);

    // Pressed and released between two steps: the step sees only the release.
    Key(0x20, true);
    Key(0x20, false);
    EXPECT_EQ(KeyState_Released, keyData.keys[KeyIndex_Space]);
    EXPECT_EQ(KeyState_Released, keyData.keys[KeyIndex_GameJump]);
    keyData.Clean();
    EXPECT_EQ(KeyState_Up, keyData.keys[KeyIndex_GameJump]);

    // Released and pressed again: the new press is lost.
    Key(0x20, true);
    keyData.Clean();
    Key(0x20, false);
    Key(0x20, true);
    EXPECT_EQ(KeyState_Released, keyData.keys[KeyIndex_GameJump]);
    keyData.Clean();
    EXPECT_EQ(KeyState_Up, keyData.keys[KeyIndex_GameJump]);
}

TEST_F(KeyDataTest, GameKeysComeFromEitherAssignment)
{
    EXPECT_EQ(KeyIndex_GameAction, FindGameKey(0x50));
    EXPECT_EQ(KeyIndex_GameAction, FindGameKey(0x0D));
    EXPECT_EQ(KeyIndex_GameForwardInTime, FindGameKey(0x53));
    EXPECT_EQ(-1, FindGameKey(0x1B));
    EXPECT_EQ(KeyIndex_Delete, FindKey(0x08));

    // Every key the game reads can be pressed on the keyboard.
    for (std::uint16_t vk : keyAssign)
        EXPECT_GE(HM_VirtualKeyToScancode(vk), 0) << "bound code " << vk;
    for (unsigned vk = 0; vk < 0x100; vk++)
        if (FindKey(vk) >= 0)
        {
            EXPECT_GE(HM_VirtualKeyToScancode(vk), 0) << "raw key code " << vk;
        }

    // One code on left (key 1) and right (key 2) acts only as left.
    keyAssign[0] = 0x45;
    keyAssign[HM_Keys_Used + 1] = 0x45;
    Key(0x45, true);
    EXPECT_EQ(KeyState_Pressed, keyData.keys[KeyIndex_GameLeft]);
    EXPECT_EQ(KeyState_Up, keyData.keys[KeyIndex_GameRight]);
}

TEST_F(KeyDataTest, FileReplacesOnlyTheEntriesItHolds)
{
    TestFolder dir(true);
    LoadKeyAssign(HM_VirtualKeyKnown);
    EXPECT_EQ(0x51, keyAssign[0]) << "a missing file keeps the defaults";
    {
        std::ofstream out("keyassign", std::ios::binary);
        out.write("\x43\x00\x42\x00\x26\x00\x44\x00\x45\x00\x46", 11);
    }
    EXPECT_TRUE(LoadKeyAssign(HM_VirtualKeyKnown));
    EXPECT_EQ(0x43, keyAssign[0]);
    EXPECT_EQ(0x26, keyAssign[2]);
    EXPECT_EQ(0x45, keyAssign[4]);
    EXPECT_EQ(0x10, keyAssign[6]) << "entries beyond the file keep their values";

    keyAssign[17] = 0xBEEF; // not a key, but written as it stands
    SaveKeyAssign();
    std::ifstream in("keyassign", std::ios::binary);
    std::vector<unsigned char> bytes{std::istreambuf_iterator<char>(in), {}};
    ASSERT_EQ(36u, bytes.size());
    EXPECT_EQ(0x26, bytes[4]);
    EXPECT_EQ(0x00, bytes[5]);
    EXPECT_EQ(0xEF, bytes[34]);
    EXPECT_EQ(0xBE, bytes[35]);
}

// Random bytes once put actions on keys that do not exist, and the player could reach neither a
// level nor the options to mend it.
TEST_F(KeyDataTest, FileWithUnknownKeysOrOneKeyForTwoActionsGivesTheDefaults)
{
    TestFolder dir(true);
    auto load = [](std::string const& bytes) {
        keyAssign[0] = 0x43;
        std::ofstream("keyassign", std::ios::binary).write(bytes.data(), std::streamsize(bytes.size()));
        return LoadKeyAssign(HM_VirtualKeyKnown);
    };
    EXPECT_FALSE(load(std::string("\x34\x12", 2))) << "0x1234 is no key";
    EXPECT_EQ(0x51, keyAssign[0]) << "the defaults replace the whole assignment";
    EXPECT_FALSE(load(std::string("\x00\x00", 2)));
    EXPECT_FALSE(load(std::string("\x57\x00", 2))) << "W would be both left and right";
    EXPECT_FALSE(load(std::string(36, '\x41')));
    EXPECT_EQ(0x51, keyAssign[0]);

    // One key for the same action twice is fine: the defaults bind space to jump in both sets.
    std::string same(2 * KeyAssign_Count, '\0');
    DefaultKeyAssign();
    std::memcpy(same.data(), keyAssign, same.size());
    same[2 * 9] = 0x51; // key 2 of left: Q, as key 1
    EXPECT_TRUE(load(same));
    EXPECT_EQ(0x51, keyAssign[9]);
}
