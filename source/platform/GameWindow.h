// The one game window with its OpenGL context, and the messages it receives.
#pragma once

#include <cstdint>

// The game draws a 640x480 picture; the window shows it as large as it fits, keeping its
// aspect, with black bars on the sides left over (the letterbox). Mouse positions arrive in
// the picture's pixels on the window, and the size message gives the picture's size in the
// same units, so that x * 640 / width is a logical position.
//
// How a test opens a window with a current GL context and reads pixels back (the tests run
// with SDL_VIDEODRIVER=offscreen, which renders with Mesa and shows nothing):
//
//     ASSERT_TRUE(GameWindow::Open(640, 480)) << GameWindow::FailureText();
//     glClear(GL_COLOR_BUFFER_BIT);              // the context is current, state as the game sets it
//     ... draw ...
//     unsigned char rgba[4];
//     glReadPixels(x, y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba);   // from the back buffer, y from the bottom
//     GameWindow::Close();
//
// Read before GameWindow::SwapBuffers: after the swap the back buffer holds nothing useful.
// A 640x480 window has no bars, so window pixels are logical units. The context starts with
// blending on (source alpha, one minus source alpha), texture environment replace, flat
// shading, the clear colour (0, 0, 0.8, 1) and no depth buffer. The viewport and a scissor
// test (left on, so that clears stay off the bars) are fitted to the picture by the layer.

constexpr int GameWindow_Width = 640; // the logical screen
constexpr int GameWindow_Height = 480;

enum Window_MessageType
{
    Window_KeyDown, // also sent while a held key repeats
    Window_KeyUp,
    Window_MouseMove,
    Window_LButtonDown,
    Window_LButtonUp,
    Window_RButtonDown,
    Window_RButtonUp,
    Window_Size,
    Window_Activate,
    Window_Close,
};

struct Window_Message
{
    Window_MessageType type = Window_Close;
    unsigned vk = 0; // key messages: the virtual-key code
    int x = 0;       // mouse messages: pixels from the picture's left edge
    int y = 0;       // mouse messages: pixels from the picture's top edge
    int width = 0;   // size: the picture's size on the window, in the units of x and y
    int height = 0;
    bool minimized = false; // size
    bool active = false;    // activate
};

using Window_Proc = void (*)(Window_Message const& message);

struct GameWindow_Rect
{
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

class GameWindow final
{
public:
    // A borderless window titled "Hollowmere" covering the desktop when width and height are 0,
    // else a window of that size. Also makes Error::Report use message boxes. False when no
    // window or context could be made; FailureText says why.
    static bool Open(int width, int height);
    static void Close();
    static bool IsOpen();
    static char const* FailureText();

    static void SwapBuffers();

    // Hands every pending message to proc, in order, and a close message once a stop signal has
    // come (StopSignal). True once a quit has been posted; quitCode then holds its code.
    static bool PumpMessages(Window_Proc proc, int* quitCode);
    static void PostQuit(int code);

    // The cursor is shown while the counter is 0 or more; returns the new counter.
    static int ShowCursor(bool show);

    // The largest 640x480-shaped rectangle centred in a width x height area.
    static GameWindow_Rect Letterbox(int width, int height);

    // Queue input as the window system would, for tests; x and y are window pixels.
    static void PushKey(unsigned vk, bool down);
    static void PushMouse(Window_MessageType type, int x, int y);
    static void PushClose();
};
