// Key states as key messages and steps age them, the game keys, and the key-assignment file.
#include "engine/KeyData.h"

#include "platform/GameWindow.h"
#include "platform/KeyCodes.h"
#include "shell/Globals.h"
#include "shell/WndProc.h"
#include "support/TestFolder.h"
#include "util/DataFile.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
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
    std::vector<std::uint16_t> const defaults(keyAssign, keyAssign + KeyAssign_Count);
    LoadKeyAssign();
    EXPECT_EQ(defaults, std::vector<std::uint16_t>(keyAssign, keyAssign + KeyAssign_Count))
        << "a missing file keeps the defaults";
    // What is no regular file counts as none: a link to a device once read as zeros, no key acting,
    // and a FIFO held the start for good (and the options' OK).
    std::filesystem::create_symlink("/dev/zero", "keyassign");
    LoadKeyAssign();
    EXPECT_EQ(defaults, std::vector<std::uint16_t>(keyAssign, keyAssign + KeyAssign_Count)) << "a link to a device";
    std::filesystem::remove("keyassign");
    ASSERT_EQ(0, mkfifo("keyassign", 0600));
    LoadKeyAssign();
    EXPECT_EQ(defaults, std::vector<std::uint16_t>(keyAssign, keyAssign + KeyAssign_Count)) << "a FIFO";
    EXPECT_FALSE(SaveKeyAssign());
    EXPECT_TRUE(std::filesystem::is_fifo("keyassign"));
    std::filesystem::remove("keyassign");
    std::ofstream("keyassign", std::ios::binary).write("\x43\x00\x42\x00\x26\x00\x44\x00\x45\x00", 10);
    LoadKeyAssign();
    std::vector<std::uint16_t> expected = defaults;
    expected[0] = 0x43;
    expected[1] = 0x42;
    expected[2] = 0x26;
    expected[3] = 0x44;
    expected[4] = 0x45;
    EXPECT_EQ(expected, std::vector<std::uint16_t>(keyAssign, keyAssign + KeyAssign_Count))
        << "10 bytes are entries 0 to 4; 5 to 17 keep their values";
    std::ofstream("keyassign", std::ios::binary).write("\x43\x00\x42\x00\x26\x00\x44\x00\x45\x00\x46", 11);
    LoadKeyAssign();
    EXPECT_EQ(0x4B, keyAssign[5]) << "half an entry is none";
    // Past any key file's size it is none, whatever its first entries.
    std::vector<std::uint16_t> const held(keyAssign, keyAssign + KeyAssign_Count);
    std::filesystem::resize_file("keyassign", DataFile_KeysLimit + 1);
    LoadKeyAssign();
    EXPECT_EQ(held, std::vector<std::uint16_t>(keyAssign, keyAssign + KeyAssign_Count));

    keyAssign[17] = 0xBEEF; // not a key, but written as it stands
    // Links planted at the file and its scratch name once carried the write to the file they named.
    std::ofstream("outside") << "outside";
    std::filesystem::remove("keyassign");
    std::filesystem::create_symlink("outside", "keyassign");
    std::filesystem::create_symlink("outside", "keyassign.tmp");
    EXPECT_TRUE(SaveKeyAssign());
    std::ifstream outside("outside");
    EXPECT_EQ("outside", std::string(std::istreambuf_iterator<char>(outside), {}));
    EXPECT_FALSE(std::filesystem::is_symlink("keyassign"));
    std::ifstream in("keyassign", std::ios::binary);
    std::vector<unsigned char> bytes{std::istreambuf_iterator<char>(in), {}};
    ASSERT_EQ(36u, bytes.size());
    EXPECT_EQ(0x26, bytes[4]);
    EXPECT_EQ(0x00, bytes[5]);
    EXPECT_EQ(0xEF, bytes[34]);
    EXPECT_EQ(0xBE, bytes[35]);
}

// The file was once refused whole, and every key the player had chosen went back to its default,
// for a code no key produces or one code on two actions. Neither harms: the first is never
// matched, the second acts as the first action in the assignment's order.
TEST_F(KeyDataTest, FileIsTakenAsItStandsWhateverItsCodes)
{
    TestFolder dir(true);
    auto load = [](std::string const& bytes) {
        DefaultKeyAssign();
        std::ofstream("keyassign", std::ios::binary).write(bytes.data(), std::streamsize(bytes.size()));
        LoadKeyAssign();
    };
    load(std::string("\x34\x12\x00\x00\xFF\xFF", 6));
    EXPECT_EQ(0x1234, keyAssign[0]);
    EXPECT_EQ(0x0000, keyAssign[1]);
    EXPECT_EQ(0xFFFF, keyAssign[2]);
    EXPECT_EQ(0x50, keyAssign[3]) << "entries past the file keep the defaults";
    Key(0x51, true);
    EXPECT_EQ(KeyState_Up, keyData.keys[KeyIndex_GameLeft]) << "Q was replaced";
    Key(0x5A, true);
    EXPECT_EQ(KeyState_Pressed, keyData.keys[KeyIndex_GameLeft]) << "left's second key still works";
    Key(0x5A, false);
    Key(0x51, false);
    keyData.Clean();

    load(std::string("\x57\x00", 2)); // W for left, and still right's
    EXPECT_EQ(0x57, keyAssign[0]);
    EXPECT_EQ(0x57, keyAssign[1]);
    Key(0x57, true);
    EXPECT_EQ(KeyState_Pressed, keyData.keys[KeyIndex_GameLeft]);
    EXPECT_EQ(KeyState_Up, keyData.keys[KeyIndex_GameRight]) << "the first in the assignment's order";
    Key(0x57, false);
    keyData.Clean();

    load(std::string(2 * KeyAssign_Count, '\x41'));
    for (std::uint16_t code : keyAssign)
        EXPECT_EQ(0x4141, code);
    Key(0x41, true);
    EXPECT_EQ(KeyState_Pressed, keyData.keys[KeyIndex_A]);
    for (int key = KeyData_FirstGameKey; key < KeyData_Count; key++)
        EXPECT_EQ(KeyState_Up, keyData.keys[key]) << "game key " << key;
}

// A screen whose arrows and Enter mean something of their own hides a game key the key file puts on
// them, but only for the change that key made: the game key's other code still acts, and a code that
// an earlier entry takes does not count for the later one.
TEST_F(KeyDataTest, AGameKeyOnAScreensOwnKeyIsHiddenThereOnlyForThatKeysChange)
{
    static constexpr int screen[] = {KeyIndex_Down, KeyIndex_Enter};
    auto hidden = [](int gameKey) { return CameWithScreenKey(keyData, gameKey, screen); };
    keyAssign[HM_Keys_Used + 3] = 0x28; // action on P and Down
    keyAssign[HM_Keys_Used + 5] = 0x28; // change target (next) on K and, but action takes it first, Down

    Key(0x28, true);
    EXPECT_EQ(KeyState_Pressed, keyData.keys[KeyIndex_GameAction]);
    EXPECT_TRUE(hidden(KeyIndex_GameAction));
    EXPECT_EQ(KeyState_Up, ScreenKeysAlone(keyData, screen).keys[KeyIndex_GameAction]);
    EXPECT_EQ(KeyState_Pressed, ScreenKeysAlone(keyData, screen).keys[KeyIndex_Down]) << "the screen's key stays";
    keyData.Clean();
    EXPECT_TRUE(hidden(KeyIndex_GameAction)) << "held";
    Key(0x28, false);
    EXPECT_TRUE(hidden(KeyIndex_GameAction)) << "let go";
    keyData.Clean();

    // K pressed with Down: Down is the second code of change target (next) only on paper, so its
    // press is K's.
    Key(0x4B, true);
    Key(0x28, true);
    EXPECT_EQ(KeyState_Pressed, keyData.keys[KeyIndex_GameNextTarget]);
    EXPECT_FALSE(hidden(KeyIndex_GameNextTarget));
    Key(0x4B, false);
    Key(0x28, false);
    keyData.Clean();
    // Action from P while Down is held: the press of Down hides it, P's release is action's own.
    Key(0x50, true);
    EXPECT_FALSE(hidden(KeyIndex_GameAction));
    keyData.Clean();
    Key(0x28, true);
    keyData.Clean();
    Key(0x50, false);
    EXPECT_EQ(KeyState_Held, keyData.keys[KeyIndex_Down]);
    EXPECT_FALSE(hidden(KeyIndex_GameAction));
    Key(0x28, false);
    keyData.Clean();
    // With the defaults Enter is action's second code and a key of the screen; P is not.
    DefaultKeyAssign();
    Key(0x0D, true);
    EXPECT_TRUE(hidden(KeyIndex_GameAction));
    Key(0x0D, false);
    keyData.Clean();
    static constexpr int none[] = {KeyIndex_Escape};
    Key(0x0D, true);
    EXPECT_FALSE(CameWithScreenKey(keyData, KeyIndex_GameAction, none)) << "not a key of that screen";
}
