// The game window over SDL2 with a legacy OpenGL context.
#include "platform/GameWindow.h"

#include "platform/KeyCodes.h"
#include "platform/MessageBox.h"
#include "platform/StopSignal.h"

#include <SDL.h>
#include <SDL_opengl.h>

#include <cassert>
#include <cstdio>
#include <cstring>

namespace
{

SDL_Window* window = nullptr;
SDL_GLContext context = nullptr;
GameWindow_Rect picture;      // in window coordinates, as mouse events are
GameWindow_Rect drawnPicture; // in drawable pixels, as the viewport is
bool letterboxed = false;
bool greetingPending = false; // the first size and activate messages
bool quitPosted = false;
int quitCodePosted = 0;
int cursorCounter = 0;
bool videoStarted = false;
// Whether a swap shows the frame. A driver that shows nothing (the offscreen one the headless
// runs use) never finishes the frames it is given: a software renderer then keeps the work of
// every frame, and the program grows by megabytes a second. Such frames are finished by hand.
bool swapPresents = true;

// Video and the GL library stay loaded once started: unloading them unloads the GL driver,
// whose own allocations would then show up as leaks of an unknown library.
bool StartVideo()
{
    if (videoStarted)
        return true;
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0)
        return false;
    if (SDL_GL_LoadLibrary(nullptr) != 0)
    {
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        return false;
    }
    videoStarted = true;
    return true;
}

char const* GLErrorText(GLenum code)
{
    switch (code)
    {
    case GL_INVALID_ENUM:
        return "invalid enumerant";
    case GL_INVALID_VALUE:
        return "invalid value";
    case GL_INVALID_OPERATION:
        return "invalid operation";
    case GL_STACK_OVERFLOW:
        return "stack overflow";
    case GL_STACK_UNDERFLOW:
        return "stack underflow";
    case GL_OUT_OF_MEMORY:
        return "out of memory";
    default:
        return "unknown error";
    }
}

// A context that fails its first settings cannot draw the game.
void CheckGL()
{
    GLenum code = glGetError();
    if (code != GL_NO_ERROR)
    {
        MessageBox::Show(GLErrorText(code), "OpenGL error");
        assert(code == GL_NO_ERROR);
    }
}

void FitPicture()
{
    int w = 0;
    int h = 0;
    SDL_GetWindowSize(window, &w, &h);
    picture = GameWindow::Letterbox(w, h);
    int dw = 0;
    int dh = 0;
    SDL_GL_GetDrawableSize(window, &dw, &dh);
    drawnPicture = GameWindow::Letterbox(dw, dh);
    letterboxed = drawnPicture.width != dw || drawnPicture.height != dh;
    // The scissor keeps the game's clears off the bars, which SwapBuffers paints black.
    glViewport(drawnPicture.x, drawnPicture.y, drawnPicture.width, drawnPicture.height);
    glScissor(drawnPicture.x, drawnPicture.y, drawnPicture.width, drawnPicture.height);
}

void ClearBars()
{
    GLfloat colour[4];
    glGetFloatv(GL_COLOR_CLEAR_VALUE, colour);
    glDisable(GL_SCISSOR_TEST);
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    glClearColor(colour[0], colour[1], colour[2], colour[3]);
    glEnable(GL_SCISSOR_TEST);
}

Window_Message SizeMessage(bool minimized)
{
    Window_Message message;
    message.type = Window_Size;
    message.width = picture.width;
    message.height = picture.height;
    message.minimized = minimized;
    return message;
}

Window_Message CloseMessage()
{
    Window_Message message;
    message.type = Window_Close;
    return message;
}

Window_Message ActivateMessage(bool active)
{
    Window_Message message;
    message.type = Window_Activate;
    message.active = active;
    return message;
}

// Positions outside the picture (on a bar) are held to its edge.
Window_Message MouseMessage(Window_MessageType type, int x, int y)
{
    Window_Message message;
    message.type = type;
    message.x = SDL_clamp(x - picture.x, 0, SDL_max(picture.width - 1, 0));
    message.y = SDL_clamp(y - picture.y, 0, SDL_max(picture.height - 1, 0));
    return message;
}

void Translate(SDL_Event const& event, Window_Proc proc)
{
    switch (event.type)
    {
    case SDL_QUIT:
        proc(CloseMessage());
        break;
    case SDL_KEYDOWN:
    case SDL_KEYUP:
    {
        Window_Message message;
        message.vk = HM_ScancodeToVirtualKey(event.key.keysym.scancode);
        if (message.vk == 0)
            break;
        message.type = event.type == SDL_KEYDOWN ? Window_KeyDown : Window_KeyUp;
        proc(message);
        break;
    }
    case SDL_MOUSEMOTION:
        proc(MouseMessage(Window_MouseMove, event.motion.x, event.motion.y));
        break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
    {
        bool down = event.type == SDL_MOUSEBUTTONDOWN;
        if (event.button.button == SDL_BUTTON_LEFT)
            proc(MouseMessage(down ? Window_LButtonDown : Window_LButtonUp, event.button.x, event.button.y));
        else if (event.button.button == SDL_BUTTON_RIGHT)
            proc(MouseMessage(down ? Window_RButtonDown : Window_RButtonUp, event.button.x, event.button.y));
        break;
    }
    case SDL_WINDOWEVENT:
        switch (event.window.event)
        {
        case SDL_WINDOWEVENT_SIZE_CHANGED:
            FitPicture();
            proc(SizeMessage(false));
            break;
        case SDL_WINDOWEVENT_MINIMIZED:
            proc(SizeMessage(true));
            break;
        case SDL_WINDOWEVENT_RESTORED:
        case SDL_WINDOWEVENT_MAXIMIZED:
            proc(SizeMessage(false));
            break;
        case SDL_WINDOWEVENT_FOCUS_GAINED:
            proc(ActivateMessage(true));
            break;
        case SDL_WINDOWEVENT_FOCUS_LOST:
            proc(ActivateMessage(false));
            break;
        case SDL_WINDOWEVENT_CLOSE:
            proc(CloseMessage());
            break;
        default:
            break;
        }
        break;
    default:
        break;
    }
}

} // namespace

bool GameWindow::Open(int width, int height)
{
    assert(!window);
    MessageBox::Register();
    if (!StartVideo())
        return false;

    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_COMPATIBILITY);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 2);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 1);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 24);
    SDL_GL_SetAttribute(SDL_GL_STENCIL_SIZE, 0);
    SDL_GL_SetAttribute(SDL_GL_RED_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, 8);

    Uint32 flags = SDL_WINDOW_OPENGL | SDL_WINDOW_SHOWN;
    if (width <= 0 || height <= 0)
    {
        SDL_DisplayMode mode;
        if (SDL_GetDesktopDisplayMode(0, &mode) != 0)
            return false;
        width = mode.w;
        height = mode.h;
        flags |= SDL_WINDOW_BORDERLESS | SDL_WINDOW_FULLSCREEN_DESKTOP;
    }
    window = SDL_CreateWindow("Hollowmere", SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED, width, height, flags);
    if (window)
        context = SDL_GL_CreateContext(window);
    if (!context)
    {
        if (window)
            SDL_DestroyWindow(window);
        window = nullptr;
        return false;
    }
    SDL_GL_MakeCurrent(window, context);
    SDL_GL_SetSwapInterval(1);
    char const* driver = SDL_GetCurrentVideoDriver();
    swapPresents = driver == nullptr || std::strcmp(driver, "offscreen") != 0;

    glEnable(GL_SCISSOR_TEST);
    FitPicture();
    CheckGL();
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
    glShadeModel(GL_FLAT);
    CheckGL();
    if (letterboxed)
        ClearBars();
    glClearColor(0.0f, 0.0f, 0.8f, 1.0f);

    greetingPending = true;
    quitPosted = false;
    quitCodePosted = 0;
    return true;
}

void GameWindow::Close()
{
    if (!window)
        return;
    SDL_GL_MakeCurrent(window, nullptr);
    SDL_GL_DeleteContext(context);
    SDL_DestroyWindow(window);
    context = nullptr;
    window = nullptr;
    cursorCounter = 0;
    // SDL keeps its error text in a block reached only through this thread's storage, which
    // the leak checker cannot scan in programs with a GL window; freeing it here keeps their
    // leak reports to real leaks.
    SDL_TLSCleanup();
}

bool GameWindow::IsOpen()
{
    return window != nullptr;
}

char const* GameWindow::FailureText()
{
    return SDL_GetError();
}

void GameWindow::SwapBuffers()
{
    assert(window);
    if (!swapPresents)
        glFinish();
    SDL_GL_SwapWindow(window);
    if (letterboxed)
        ClearBars();
}

bool GameWindow::PumpMessages(Window_Proc proc, int* quitCode)
{
    assert(window);
    if (greetingPending)
    {
        greetingPending = false;
        proc(SizeMessage(false));
        proc(ActivateMessage(true));
    }
    SDL_Event event;
    while (SDL_PollEvent(&event))
        Translate(event, proc);
    // A stop signal closes the game as closing its window does.
    if (StopSignal::TakeClose())
        proc(CloseMessage());
    if (quitPosted && quitCode)
        *quitCode = quitCodePosted;
    return quitPosted;
}

void GameWindow::PostQuit(int code)
{
    if (!quitPosted)
        quitCodePosted = code;
    quitPosted = true;
}

int GameWindow::ShowCursor(bool show)
{
    cursorCounter += show ? 1 : -1;
    SDL_ShowCursor(cursorCounter >= 0 ? SDL_ENABLE : SDL_DISABLE);
    return cursorCounter;
}

GameWindow_Rect GameWindow::Letterbox(int width, int height)
{
    GameWindow_Rect rect;
    // Compare the aspects in integers: width / height against 4 / 3.
    if (width * GameWindow_Height > height * GameWindow_Width)
    {
        rect.height = height;
        rect.width = height * GameWindow_Width / GameWindow_Height;
    }
    else
    {
        rect.width = width;
        rect.height = width * GameWindow_Height / GameWindow_Width;
    }
    rect.x = (width - rect.width) / 2;
    rect.y = (height - rect.height) / 2;
    return rect;
}

void GameWindow::PushKey(unsigned vk, bool down)
{
    int scancode = HM_VirtualKeyToScancode(vk);
    assert(scancode >= 0);
    SDL_Event event{};
    event.type = down ? SDL_KEYDOWN : SDL_KEYUP;
    event.key.state = down ? SDL_PRESSED : SDL_RELEASED;
    event.key.keysym.scancode = static_cast<SDL_Scancode>(scancode);
    event.key.keysym.sym = SDL_GetKeyFromScancode(event.key.keysym.scancode);
    SDL_PushEvent(&event);
}

void GameWindow::PushMouse(Window_MessageType type, int x, int y)
{
    SDL_Event event{};
    switch (type)
    {
    case Window_MouseMove:
        event.type = SDL_MOUSEMOTION;
        event.motion.x = x;
        event.motion.y = y;
        break;
    case Window_LButtonDown:
    case Window_LButtonUp:
    case Window_RButtonDown:
    case Window_RButtonUp:
        event.type = type == Window_LButtonDown || type == Window_RButtonDown ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
        event.button.button =
            type == Window_LButtonDown || type == Window_LButtonUp ? SDL_BUTTON_LEFT : SDL_BUTTON_RIGHT;
        event.button.state = event.type == SDL_MOUSEBUTTONDOWN ? SDL_PRESSED : SDL_RELEASED;
        event.button.x = x;
        event.button.y = y;
        break;
    default:
        assert(false && "not a mouse message");
        return;
    }
    SDL_PushEvent(&event);
}

void GameWindow::PushClose()
{
    SDL_Event event{};
    event.type = SDL_QUIT;
    SDL_PushEvent(&event);
}
