// The in-game menu: rows that wrap, volumes held to their ends, confirming on release.
#include "shell/MainMenu.h"

#include "media/Game_Music.h"
#include "media/Game_Sounds.h"
#include "support/ShellTestSupport.h"

#include <GL/gl.h>

#include <algorithm>
#include <memory>
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

    void SetUp() override
    {
        ShellTestSupport::SetUp();
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
