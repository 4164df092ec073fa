// The in-game menu: rows that wrap, volumes held to their ends, confirming on release.
#include "shell/MainMenu.h"

#include "media/Game_Music.h"
#include "media/Game_Sounds.h"
#include "shell/Globals.h"
#include "shell/OptionsScreen.h"
#include "shell/WndProc.h"
#include "support/ShellTestSupport.h"

#include <GL/gl.h>

#include <algorithm>
#include <memory>
#include <utility>
#include <vector>

namespace
{

class MainMenuTest : public ShellTestSupport
{
protected:
    // Holds a key on the menu for a number of steps, from its press to its hold.
    void Hold(int index, int steps)
    {
        Feed(*menu, index, KeyState_Pressed);
        for (int i = 1; i < steps; i++)
            Feed(*menu, index, KeyState_Held);
    }

    // A key message through the window procedure, then a step of the menu, aged as the main loop ages it.
    MainMenu_Result Step(unsigned vk, bool down)
    {
        Window_Message message;
        message.type = down ? Window_KeyDown : Window_KeyUp;
        message.vk = vk;
        WndProc(message);
        MainMenu_Result const result = menu->Poll(&keyData);
        keyData.Clean();
        return result;
    }
    // A press and a release, each a step; the results of both.
    std::pair<MainMenu_Result, MainMenu_Result> Tap(unsigned vk)
    {
        MainMenu_Result const pressed = Step(vk, true);
        return {pressed, Step(vk, false)};
    }

    void SetUp() override
    {
        ShellTestSupport::SetUp();
        keyData = KeyData();
        OptionsScreen::ForgetKeys();
        menu = std::make_unique<MainMenu>();
    }
    void TearDown() override
    {
        menu.reset();
        ShellTestSupport::TearDown();
    }

    std::unique_ptr<MainMenu> menu;
};

} // namespace

TEST_F(MainMenuTest, RowsWrapAndConfirmOnTheRelease)
{
    Feed(*menu, KeyIndex_Up, KeyState_Pressed);
    EXPECT_EQ(MainMenu_Quit, menu->Selection());
    Feed(*menu, KeyIndex_GameNextTarget, KeyState_Pressed);
    Feed(*menu, KeyIndex_Down, KeyState_Held);
    EXPECT_EQ(MainMenu_Resume, menu->Selection()) << "wraps, and a held key moves only on its press";

    EXPECT_EQ(MainMenu_Nothing, Feed(*menu, KeyIndex_Enter, KeyState_Pressed));
    EXPECT_EQ(MainMenu_Nothing, Feed(*menu, KeyIndex_GameAction, KeyState_Held));
    EXPECT_EQ(MainMenu_Close, Feed(*menu, KeyIndex_GameAction, KeyState_Released));
    Feed(*menu, KeyIndex_Down, KeyState_Pressed);
    EXPECT_EQ(MainMenu_LeaveLevel, Feed(*menu, KeyIndex_Enter, KeyState_Released));
    EXPECT_EQ(MainMenu_Resume, menu->Selection()) << "the next level's menu opens on resume";
    Feed(*menu, KeyIndex_Up, KeyState_Pressed);
    EXPECT_EQ(MainMenu_QuitGame, Feed(*menu, KeyIndex_Enter, KeyState_Released));
}

// A key file may put Up's code on change target (next) and Down's on (previous): one press is then
// both an arrow and the opposite game key, and once moved nowhere, so that Options was out of reach.
TEST_F(MainMenuTest, ArrowsMoveWhateverGameKeyTheirCodesAreBoundTo)
{
    KeyData up = Keys({KeyIndex_Up, KeyIndex_GameNextTarget}, KeyState_Pressed);
    menu->Poll(&up);
    EXPECT_EQ(MainMenu_Quit, menu->Selection());
    KeyData down = Keys({KeyIndex_Down, KeyIndex_GamePrevTarget}, KeyState_Pressed);
    for (int i = 0; i < 3; i++)
        menu->Poll(&down);
    EXPECT_EQ(MainMenu_Options, menu->Selection());
    KeyData targets = Keys({KeyIndex_GamePrevTarget, KeyIndex_GameNextTarget}, KeyState_Pressed);
    menu->Poll(&targets);
    EXPECT_EQ(MainMenu_Options, menu->Selection()) << "the two game keys alone still cancel out";
}

// A key file may put action, left, right and the change-target keys on the arrows, Enter and Escape.
// Action on Down once left the level on Down's release, action on Escape closed the menu as the
// Escape that opened it was let go, and with every code of the menu bound no row could be chosen.
TEST_F(MainMenuTest, AKeyFileBindingGameKeysToTheMenusKeysLeavesEveryRowToTheArrowsAndEnter)
{
    struct KeyFile
    {
        char const* name;
        std::vector<std::pair<int, std::uint16_t>> entries; // over the defaults
    };
    std::vector<KeyFile> const files = {
        {"action on Down", {{3, 0x28}}},
        {"action on Up and Down", {{3, 0x26}, {12, 0x28}}},
        {"action on Escape", {{3, 0x1B}}},
        {"every game key the menu reads on one of its keys",
         {{0, 0x27},
          {9, 0x27},
          {1, 0x25},
          {10, 0x25},
          {3, 0x26},
          {12, 0x28},
          {4, 0x0D},
          {13, 0x0D},
          {5, 0x1B},
          {14, 0x1B}}},
    };
    constexpr unsigned up = 0x26, down = 0x28, enter = 0x0D, escape = 0x1B, right = 0x27;
    auto const nothing = std::make_pair(MainMenu_Nothing, MainMenu_Nothing);
    for (KeyFile const& file : files)
    {
        SCOPED_TRACE(file.name);
        auto const fresh = [&] {
            DefaultKeyAssign();
            for (auto [entry, code] : file.entries)
                keyAssign[entry] = code;
            keyData = KeyData();
            menu = std::make_unique<MainMenu>();
            // The press of Escape that opened the menu came in the level's step; the menu sees it let go.
            Window_Message open;
            open.type = Window_KeyDown;
            open.vk = escape;
            WndProc(open);
            keyData.Clean();
            EXPECT_EQ(MainMenu_Nothing, Step(escape, false));
        };
        auto const downTo = [&](int row) {
            for (int i = 0; i < row; i++)
                EXPECT_EQ(nothing, Tap(down));
            EXPECT_EQ(row, menu->Selection());
        };

        fresh();
        EXPECT_EQ(std::make_pair(MainMenu_Nothing, MainMenu_Close), Tap(enter));
        fresh();
        downTo(MainMenu_Leave);
        EXPECT_EQ(std::make_pair(MainMenu_Nothing, MainMenu_LeaveLevel), Tap(enter));
        fresh();
        EXPECT_EQ(nothing, Tap(up));
        EXPECT_EQ(MainMenu_Quit, menu->Selection());
        EXPECT_EQ(std::make_pair(MainMenu_Nothing, MainMenu_QuitGame), Tap(enter));

        // The options screen: down to the first button's neighbour, Space to bind it, J, and Enter is OK.
        fresh();
        downTo(MainMenu_Options);
        for (unsigned vk : {down, 0x20u, 0x4Au, enter})
        {
            GameWindow::PushKey(vk, true);
            GameWindow::PushKey(vk, false);
        }
        EXPECT_EQ(std::make_pair(MainMenu_Nothing, MainMenu_Nothing), Tap(enter)) << "the menu stays open";
        EXPECT_EQ(0x4A, keyAssign[1]) << "the options screen opened and took its keys as its own";
        EXPECT_EQ(MainMenu_Options, menu->Selection());

        // The volume rows: Right raises the music, whatever game key its code also is.
        fresh();
        downTo(MainMenu_Music);
        Game_Music::SetVolume(100);
        EXPECT_EQ(MainMenu_Nothing, Step(right, true));
        for (int i = 0; i < 10; i++)
            Step(right, true); // the keyboard repeating
        EXPECT_EQ(MainMenu_Nothing, Step(right, false));
        EXPECT_EQ(110, Game_Music::GetVolume());
        Game_Music::SetVolume(255);
    }
}

TEST_F(MainMenuTest, VolumesMoveWhileHeldAndStopAtTheEnds)
{
    Game_Music::SetVolume(200);
    Game_Sounds::SetVolume(100);
    Feed(*menu, KeyIndex_Down, KeyState_Pressed);
    Feed(*menu, KeyIndex_Down, KeyState_Pressed);
    Feed(*menu, KeyIndex_Down, KeyState_Pressed);
    ASSERT_EQ(MainMenu_Music, menu->Selection());

    Hold(KeyIndex_GameLeft, 300);
    EXPECT_EQ(0, Game_Music::GetVolume());
    EXPECT_EQ(100, Game_Sounds::GetVolume());

    Feed(*menu, KeyIndex_Down, KeyState_Pressed);
    Hold(KeyIndex_Right, 11);
    EXPECT_EQ(110, Game_Sounds::GetVolume()) << "one unit per held step, none on the press";

    Game_Music::SetVolume(255);
    Game_Sounds::SetVolume(255);
}

TEST_F(MainMenuTest, EveryRowsLettersLieInsideThePanel)
{
    // Over black, the panel is grey and the letters white: every white pixel lies between the panel's
    // edges, clear of its double border.
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    menu->Plot();
    std::vector<unsigned char> frame(640 * 480 * 4);
    glReadPixels(0, 0, 640, 480, GL_RGBA, GL_UNSIGNED_BYTE, frame.data());
    int lowest = 480, highest = -1;
    for (int y = 0; y < 480; y++)
        for (int x = 0; x < 640; x++)
        {
            unsigned char const* c = &frame[(y * 640 + x) * 4];
            if (c[0] > 240 && c[1] > 240 && c[2] > 240)
            {
                lowest = std::min(lowest, y);
                highest = std::max(highest, y);
            }
        }
    // The panel's extent, from a column near its left side that no row's letters reach.
    int foot = 480, head = -1;
    for (int y = 0; y < 480; y++)
        if (frame[(y * 640 + 170) * 4] > 40)
        {
            foot = std::min(foot, y);
            head = std::max(head, y);
        }
    ASSERT_GE(highest, 0) << "no letters drawn";
    ASSERT_GE(head, 0) << "no panel drawn";
    EXPECT_GE(lowest, foot + 4) << "the last row's letters reach the panel's foot";
    EXPECT_LE(highest, head - 4) << "the first row's letters reach the panel's head";
}
