// Program entry, start-up and shut-down, the fixed-step main loop, the splash screens and fades.
#pragma once

struct Window_Message;

extern char const* const splashScreenFile;
extern char const* const splashScreen2File;
extern char const* const splashScreen3File;

// The whole program: start-up, the loop until the player quits or closes the window, and
// shut-down. Returns 0 after a normal quit and 1 after an error, which has been reported.
int RunGame();

// Start-up; throws Error. Whatever it made before a failure is released by ShutDown.
void Init();
// Frees everything start-up and the screen flow made, whatever exists of it.
void ShutDown();

// The frame of one pass: projection, clear, the current screen and the fade; not swapped.
void DrawFrame();
// One 15 ms game step.
void Step();
// Advances the fade by one step; true in the step in which a fade-out reaches black.
bool PollFade();
// Darkens the whole screen: 1.0 leaves it as it is, 0.0 makes it black.
void FadeScreen(double value);
// The plain screen projection used when no level exists.
void SetProjection();

// The game's window procedure: WndProc, minus the keys that the options screen took.
void MainProc(Window_Message const& message);
