// The key-assignment screen: binding, saving, cancelling, its modal run and the keys it takes.
#include "shell/OptionsScreen.h"

#include "puzzles/Grid_Puzzle.h"
#include "shell/Globals.h"
#include "shell/MainLoop.h"
#include "shell/MainMenu.h"
#include "shell/WndProc.h"
#include "support/ShellTestSupport.h"

#include <fstream>
#include <iterator>
#include <memory>
#include <vector>

namespace
{

Window_Message Key(unsigned vk, bool down)
{
    Window_Message message;
    message.type = down ? Window_KeyDown : Window_KeyUp;
    message.vk = vk;
    return message;
}

std::vector<unsigned char> ReadFile(char const* name)
{
    std::ifstream in(name, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class OptionsScreenTest : public ShellTestSupport
{
protected:
    void SetUp() override
    {
        ShellTestSupport::SetUp();
        OptionsScreen::ForgetKeys();
        keyData = KeyData();
    }

    // Runs the screen as the menu's options row does, with the input already queued.
    void RunFromMenu()
    {
        MainMenu menu;
        for (int i = 0; i < MainMenu_Options; i++)
            Feed(menu, KeyIndex_Down, KeyState_Pressed);
        EXPECT_EQ(MainMenu_Nothing, Feed(menu, KeyIndex_Enter, KeyState_Released)) << "the menu stays open";
    }

    static int CursorCounter()
    {
        int const counter = GameWindow::ShowCursor(true) - 1;
        GameWindow::ShowCursor(false);
        return counter;
    }
};

} // namespace

TEST_F(OptionsScreenTest, BindsAKeyAndOkWritesTheFile)
{
    OptionsScreen screen;
    screen.Click(HM_Keys_Used + 7);
    EXPECT_TRUE(screen.Waiting());
    EXPECT_STREQ("Press key for moving back in time", screen.Prompt());
    screen.Handle(Key(0x74, true));
    EXPECT_FALSE(screen.Waiting());
    EXPECT_STREQ("F5", screen.ButtonText(HM_Keys_Used + 7));
    EXPECT_EQ(0x41, keyAssign[HM_Keys_Used + 7]) << "only OK changes the assignment";

    screen.Click(Options_Ok);
    EXPECT_TRUE(screen.Ended());
    EXPECT_EQ(0x74, keyAssign[HM_Keys_Used + 7]);
    std::vector<unsigned char> const bytes = ReadFile("keyassign");
    ASSERT_EQ(36u, bytes.size());
    EXPECT_EQ(0x74, bytes[2 * (HM_Keys_Used + 7)]);
    EXPECT_EQ(0x00, bytes[2 * (HM_Keys_Used + 7) + 1]);
    EXPECT_EQ(0x51, bytes[0]);

    // A key file that cannot be written once lost the keys chosen without a word: it is said, and
    // the keys act until the game is closed.
    std::filesystem::remove("keyassign");
    std::filesystem::create_directory("keyassign");
    MessageBox::ClearRecorded();
    OptionsScreen again;
    again.Click(0);
    again.Handle(Key(0x75, true));
    again.Click(Options_Ok);
    EXPECT_TRUE(again.Ended());
    EXPECT_EQ(0x75, keyAssign[0]);
    ASSERT_EQ(1u, MessageBox::Recorded().size());
    EXPECT_EQ("Your keys could not be saved.\nThey are kept until the game is closed.", MessageBox::Recorded()[0].text);
    EXPECT_TRUE(std::filesystem::is_directory("keyassign"));
    MessageBox::ClearRecorded();

    // A folder at the scratch name the file is written under: the box names it, as a save's does,
    // at this change and every later one, until it is gone.
    std::filesystem::remove("keyassign");
    std::filesystem::create_directory("keyassign.tmp");
    for (std::uint16_t const vk : {0x76, 0x77})
    {
        OptionsScreen blocked;
        blocked.Click(0);
        blocked.Handle(Key(vk, true));
        blocked.Click(Options_Ok);
        EXPECT_EQ(vk, keyAssign[0]);
        ASSERT_EQ(1u, MessageBox::Recorded().size());
        EXPECT_EQ("Your keys could not be saved.\nThey are kept until the game is closed.\nkeyassign.tmp stands in the "
                  "way and could not be removed.",
                  MessageBox::Recorded()[0].text);
        MessageBox::ClearRecorded();
    }
    EXPECT_FALSE(std::filesystem::exists("keyassign"));
    std::filesystem::remove("keyassign.tmp");
}

TEST_F(OptionsScreenTest, OkWhileWaitingBindsEnterAndEscapeBacksOutStepByStep)
{
    OptionsScreen screen;
    screen.Click(0);
    screen.Click(Options_Ok);
    EXPECT_FALSE(screen.Ended());
    EXPECT_EQ(0x0D, screen.TempKey(0));
    EXPECT_EQ(0x0D, screen.TempKey(HM_Keys_Used + 3)) << "action keeps its second key, Enter, too";

    screen.Click(1);
    screen.Handle(Key(0x1B, true));
    EXPECT_FALSE(screen.Waiting());
    EXPECT_FALSE(screen.Ended());
    EXPECT_EQ(0x57, screen.TempKey(1)) << "Escape cancels the wait without binding itself";
    screen.Handle(Key(0x1B, true));
    EXPECT_FALSE(screen.Ended()) << "a repeat of the held Escape is not a second press";
    screen.Handle(Key(0x1B, false));
    screen.Handle(Key(0x1B, true));
    EXPECT_TRUE(screen.Ended());
    EXPECT_EQ(0x51, keyAssign[0]);
    EXPECT_FALSE(std::filesystem::exists("keyassign"));
}

// A key another action had was once swapped into that action, moving a key the player had not
// touched; the file with one key on two actions must then come back whole at the next start.
TEST_F(OptionsScreenTest, AKeyIsBoundToTheEntryChosenAloneAndTheNextStartKeepsIt)
{
    std::vector<std::uint16_t> chosen(keyAssign, keyAssign + KeyAssign_Count);
    OptionsScreen screen;
    screen.Click(0);
    screen.Handle(Key(0x4B, true)); // K for left, while it is change target (next)
    chosen[0] = 0x4B;
    for (int i = 0; i < KeyAssign_Count; i++)
        EXPECT_EQ(chosen[i], screen.TempKey(i)) << "entry " << i;
    EXPECT_STREQ("K", screen.ButtonText(0));
    EXPECT_STREQ("K", screen.ButtonText(5));
    screen.Click(Options_Ok);
    ASSERT_TRUE(screen.Ended());

    // Started again: the defaults, then the file.
    DefaultKeyAssign();
    LoadKeyAssign();
    EXPECT_EQ(chosen, std::vector<std::uint16_t>(keyAssign, keyAssign + KeyAssign_Count));
    WndProc(Key(0x4B, true));
    EXPECT_EQ(KeyState_Pressed, keyData.keys[KeyIndex_GameLeft]) << "K acts as left, the first in order";
    EXPECT_EQ(KeyState_Up, keyData.keys[KeyIndex_GameNextTarget]);
}

TEST_F(OptionsScreenTest, MouseClickOnOkSavesAndCloses)
{
    OptionsScreen screen;
    Pointf const ok = OptionsScreen::ControlCentre(Options_Ok);
    viewWidth = 640;
    viewHeight = 480;
    Window_Message click;
    click.x = static_cast<int>(ok.x);
    click.y = 480 - static_cast<int>(ok.y);
    click.type = Window_LButtonDown;
    screen.Handle(click);
    click.type = Window_LButtonUp;
    screen.Handle(click);
    EXPECT_TRUE(screen.Ended());
    EXPECT_TRUE(std::filesystem::exists("keyassign"));
}

TEST_F(OptionsScreenTest, ClosingKeyNeverReachesTheMenuAndTheCursorCountBalances)
{
    Grid_Puzzle::Initialise();
    auto puzzle = std::make_unique<Grid_Puzzle>(1); // open under the menu, with the cursor shown
    int const before = CursorCounter();

    keyData.keys[KeyIndex_Left] = KeyState_Held; // held since before the screen opened
    GameWindow::PushKey(0x1B, true);
    GameWindow::PushKey(0x25, false);
    RunFromMenu();
    EXPECT_EQ(before, CursorCounter());
    EXPECT_EQ(KeyState_Released, keyData.keys[KeyIndex_Left]) << "a release of a key held before reaches the game";
    keyData.Clean();

    GameWindow::PushKey(0x1B, true); // the closing key repeats, then is let go
    GameWindow::PushKey(0x1B, false);
    GameWindow::PumpMessages(MainProc, nullptr);
    EXPECT_EQ(KeyState_Up, keyData.keys[KeyIndex_Escape]);

    GameWindow::PushKey(0x1B, true);
    GameWindow::PumpMessages(MainProc, nullptr);
    EXPECT_EQ(KeyState_Pressed, keyData.keys[KeyIndex_Escape]) << "a new press after the release is the game's";
    puzzle.reset();
    Grid_Puzzle::Finalise();
}
