// The "Options" screen opened from the in-game menu: the key assignment of the nine game keys.
#pragma once

#include "engine/KeyData.h"
#include "util/Pointf.h"

#include <cstddef>
#include <cstdint>

class GameFont;
struct Window_Message;

// Controls: the 18 key buttons (button i shows keyAssign entry i: "Key 1" of game key i for
// i < 9, "Key 2" of game key i - 9 above), then OK and Cancel.
enum OptionsScreen_Control
{
    Options_FirstKey = 0,
    Options_Ok = KeyAssign_Count,
    Options_Cancel = KeyAssign_Count + 1,
    Options_ControlCount = KeyAssign_Count + 2,
};

// A modal screen over the game, drawn with the bitmap font and used with the mouse (the
// cursor is shown while it is open) or the keyboard. A key button waits for the next key
// pressed and binds it to that one entry of a working copy; OK makes the copy the key
// assignment and writes "keyassign", Cancel drops it. Enter is OK, or binds Enter while
// waiting; Escape ends a wait, and otherwise cancels. The game loop does not run while the
// screen is open, and the keys pressed on it never reach the game, neither their repeats nor
// their release.
class OptionsScreen final
{
public:
    OptionsScreen();
    ~OptionsScreen();
    OptionsScreen(OptionsScreen const&) = delete;
    OptionsScreen& operator=(OptionsScreen const&) = delete;

    // Draws the game's frame under the screen while it runs; null draws nothing under it.
    static void (*drawUnder)();
    // Set by a scripted run, whose input and pictures must go on while the screen is open:
    // called before each frame of the screen is shown and after each pass of its loop, which
    // then does not sleep.
    static void (*beforeSwap)();
    static void (*afterPass)();

    // Opens the screen and runs its own message loop, drawing the game under it, until it ends.
    static void Run();
    // Whether the game's window procedure must not see the message: a repeat or the release
    // of a key whose press the screen took. Consumes the release.
    static bool Swallows(Window_Message const& message);
    // Forgets the keys still held from the screen, as a fresh start of the program has none.
    static void ForgetKeys();

    // One window message while the screen is open; messages it does not use go on to the
    // game's window procedure.
    void Handle(Window_Message const& message);
    // What a click on the control does.
    void Click(int control);
    // Binds the code to the button being waited for, and to nothing else.
    void AssignKey(std::uint16_t vk);
    void Plot() const;

    bool Ended() const { return ended; }
    bool Waiting() const { return keyWait; }
    std::uint16_t TempKey(int i) const { return tempKeyAssign[i]; }
    char const* Prompt() const { return prompt; }
    char const* ButtonText(int i) const { return keyText[i]; }
    int Focus() const { return focus; }

    // The control under a logical point (y from the bottom), or -1.
    static int ControlAt(Pointf pos);
    // The middle of a control, in logical units with y from the bottom.
    static Pointf ControlCentre(int control);
    // The name a key button shows for the code: "?" for codes without one.
    static void WriteKeyText(char* out, std::size_t size, std::uint16_t vk);

private:
    void WriteKeysText();
    void MoveFocus(int dx, int dy);
    void PlotButton(int control, char const* text) const;
    void PlotText(char const* text, double x, double y, unsigned flags) const;

    static constexpr int TextSize = 16;

    GameFont* font = nullptr;
    double textScale = 1.0; // fits the font to the rows
    std::uint16_t tempKeyAssign[KeyAssign_Count] = {};
    bool keyWait = false;    // a key button waits for a key
    int curKey = 0;          // the entry being bound
    int focus = 0;           // the control the keyboard acts on
    int pressedControl = -1; // under the left button when it went down
    bool ended = false;
    char prompt[64] = {};
    char keyText[KeyAssign_Count][TextSize] = {};
};
