// The program's spine outside a level: start-up, the step loop, splash screens, fades, shut-down.
#include "shell/MainLoop.h"

#include "engine/GameEvents.h"
#include "engine/KeyData.h"
#include "engine/Level.h"
#include "media/Game_Sounds.h"
#include "media/Image.h"
#include "platform/Audio.h"
#include "platform/Clock.h"
#include "platform/GameWindow.h"
#include "platform/MessageBox.h"
#include "platform/Registry.h"
#include "shell/Digest.h"
#include "shell/Globals.h"
#include "shell/InputScript.h"
#include "shell/MainMenu.h"
#include "shell/MapScreen.h"
#include "shell/OptionsScreen.h"
#include "shell/ScreenFlow.h"
#include "shell/StepClock.h"
#include "shell/WndProc.h"
#include "util/Error.h"
#include "util/Util.h"

#include <GL/gl.h>
#include <GL/glu.h>

char const* const splashScreenFile = "gfx/title.png";
char const* const splashScreen2File = "gfx/tarviklogo.png";
char const* const splashScreen3File = "gfx/pelunora.png";

namespace
{

constexpr int SplashSteps = 200;
constexpr std::uint32_t InactiveSleepMs = 100;

InputScript* script = nullptr; // scripted input of a headless run, if any
// The script's time: steps taken since start-up, and passes of the options screen, during
// which the game takes no step but the script must go on.
int scriptStep = 0;

void DrawSplash()
{
    splashScr->Render(Pointf(0.0, 0.0), 0.0, 1.0, Image_Left | Image_Bottom, nullptr);
}

void NextSplash()
{
    delete splashScr;
    splashScr = nullptr;
    splashImg++;
    if (splashImg == 1 || splashImg == 2)
    {
        splashScr = new Image(splashImg == 1 ? splashScreen2File : splashScreen3File, 0, false);
        splashTimer = SplashSteps;
    }
    else if (splashImg == 3)
    {
        InitMap(Level_Continue);
    }
}

} // namespace

void MainProc(Window_Message const& message)
{
    if (!OptionsScreen::Swallows(message))
        WndProc(message);
}

void SetProjection()
{
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluOrtho2D(0.0, 640.0, 0.0, 480.0);
    glMatrixMode(GL_MODELVIEW);
}

void FadeScreen(double value)
{
    glDisable(GL_TEXTURE_2D);
    glColor4d(0.0, 0.0, 0.0, 1.0 - value);
    glBegin(GL_QUADS);
    glVertex2d(0.0, 0.0);
    glVertex2d(640.0, 0.0);
    glVertex2d(640.0, 480.0);
    glVertex2d(0.0, 480.0);
    glEnd();
}

bool PollFade()
{
    if (fading == 1)
    {
        fadeVal -= fadeSpeed;
        if (fadeVal < 0.0 || Util::Equal(fadeVal, 0.0))
        {
            fadeVal = 0.0;
            fading = 2;
            return true;
        }
    }
    else if (fading == 2)
    {
        fadeVal += fadeSpeed;
        if (fadeVal > 1.0 || Util::Equal(fadeVal, 1.0))
        {
            fadeVal = 1.0;
            fading = 0;
        }
    }
    return false;
}

void DrawFrame()
{
    if (level)
        level->SetProjection();
    else
        SetProjection();
    glClear(GL_COLOR_BUFFER_BIT);
    if (splashScr)
    {
        DrawSplash();
    }
    else if (level)
    {
        level->Plot();
        if (menuOn)
            menu->Plot();
    }
    else if (mapScreen)
    {
        mapScreen->Plot();
    }
    if (!Util::Equal(fadeVal, 1.0))
        FadeScreen(fadeVal);
}

void Step()
{
    CheckMouse();
    // Nothing is polled while a fade-out runs.
    if (fading != 1)
    {
        if (splashScr)
        {
            // Key presses do not skip a splash screen; it only times out.
            if (--splashTimer == 0)
                fading = 1;
        }
        else if (curLevel != Level_None)
        {
            if (LevelPoll(&keyData))
                fading = 1;
            if (saveGame)
            {
                saveGame = false;
                MapScreen::Save(gameEvents);
            }
        }
        else if (mapScreen)
        {
            curLevel = MapPoll(&keyData);
            if (curLevel != Level_None)
                fading = 1;
        }
    }
    if (fading != 0 && PollFade())
    {
        // Screens change at black.
        if (splashScr)
        {
            NextSplash();
        }
        else if (levelAction != Level_Continue)
        {
            FinishedLevel();
        }
        else
        {
            delete mapScreen;
            mapScreen = nullptr;
            InitLevel();
        }
    }
    keyData.Clean();
    scriptStep++;
    PrintStepDigestIfAsked(scriptStep, gameEvents, level);
    if (script)
        script->AfterStep(scriptStep);
}

void ScriptBeforeSwap()
{
    if (script)
        script->BeforeSwap(scriptStep);
}

void ScriptAfterPass()
{
    scriptStep++;
    if (script)
        script->AfterStep(scriptStep);
}

void Init()
{
    HM_FindInstallPath();
    if (!GameWindow::Open(0, 0))
        throw Error(GameWindow::FailureText(), 0);
    DefaultKeyAssign();
    LoadKeyAssign();
    if (!MapScreen::CheckSave())
        MessageBox::Show("Running from protected volume.\nYou will not be able to save the game.", "Error");
    GameWindow::ShowCursor(false);
    gameEvents = new GameEvents();
    // The game runs on silently when there is no sound device.
    Audio::Open(Audio_Rate, Audio_Channels);
    gameSounds = new Game_Sounds();
    CheckMouse();
    splashScr = new Image(splashScreenFile, 0, false);
    menu = new MainMenu();
    OptionsScreen::drawUnder = DrawFrame;
    script = InputScript::FromEnvironment();
    if (script)
    {
        OptionsScreen::beforeSwap = ScriptBeforeSwap;
        OptionsScreen::afterPass = ScriptAfterPass;
        // Start-up counts as step 0: its input is queued before the first step.
        scriptStep = 0;
        script->AfterStep(scriptStep);
    }
}

void ShutDown()
{
    delete script;
    script = nullptr;
    OptionsScreen::drawUnder = nullptr;
    OptionsScreen::beforeSwap = nullptr;
    OptionsScreen::afterPass = nullptr;
    delete menu;
    menu = nullptr;
    delete level;
    level = nullptr;
    delete mapScreen;
    mapScreen = nullptr;
    delete splashScr;
    splashScr = nullptr;
    delete gameEvents;
    gameEvents = nullptr;
    delete gameSounds;
    gameSounds = nullptr;
    Audio::Close();
    if (GameWindow::IsOpen())
        GameWindow::Close();
}

int RunGame()
{
    try
    {
        Init();
    }
    catch (Error const& e)
    {
        e.Report();
        ShutDown();
        return 1;
    }

    bool failed = false;
    try
    {
        StepClock clock(Clock::Ticks());
        bool done = false;
        while (!done && !quit)
        {
            if (GameWindow::PumpMessages(MainProc, nullptr))
                done = true;
            if (windMinimized)
            {
                // Nothing is drawn or stepped; wait for the window to come back.
                Clock::Sleep(InactiveSleepMs);
                continue;
            }
            DrawFrame();
            ScriptBeforeSwap();
            GameWindow::SwapBuffers();

            // A scripted run takes exactly one step per pass, as fast as it can: the same
            // steps and the same frames on any machine, whatever its speed.
            std::uint32_t const now = script ? clock.Time() + StepClock_StepMs : Clock::Ticks();
            clock.Catch(now);
            // Once quit is set the steps still due run; the loop stops at the next pass.
            while (clock.Due(now))
                Step();
            if (script)
                continue;
            // Frames drawn before the next step would all be the same picture; without a
            // display that waits for its refresh they would only pile up in the driver.
            if (!windActive)
                Clock::Sleep(InactiveSleepMs);
            else
                Clock::Sleep(clock.UntilDue(Clock::Ticks()));
        }
        PrintDigestIfAsked(gameEvents, level);
    }
    catch (Error const& e)
    {
        e.Report();
        failed = true;
    }
    ShutDown();
    return failed ? 1 : 0;
}
