// The in-game menu that Escape lays over a running level.
#pragma once

#include "media/Game_Sounds.h"
#include "util/Pointf.h"

#include <string>

class Image;
struct KeyData;

constexpr double Arrow_Size = 10.0;
constexpr double Arrow_BounceDist = 20.0;

enum MainMenu_Row
{
    MainMenu_Resume = 0,
    MainMenu_Leave = 1,
    MainMenu_Options = 2,
    MainMenu_Music = 3,
    MainMenu_Sound = 4,
    MainMenu_Quit = 5,
    MainMenu_RowCount = 6,
};

// What a step of the open menu asks of the main loop.
enum MainMenu_Result
{
    MainMenu_Nothing = 0,
    MainMenu_Close = 1,
    MainMenu_LeaveLevel = 2,
    MainMenu_QuitGame = 3,
};

// Resume, leave the level, the options screen, the music and sound volumes, and quit. The
// rows are chosen with the arrows or the change-target keys and confirmed when Enter or
// action is released, so a key held from the level does nothing until it is let go. The
// arrows, Enter and Escape act only as themselves, whatever game key a key file puts on them.
class MainMenu final
{
public:
    MainMenu();
    ~MainMenu();
    MainMenu(MainMenu const&) = delete;
    MainMenu& operator=(MainMenu const&) = delete;

    // One step of the open menu. Confirming the options row runs the options screen to its
    // end before the step goes on.
    MainMenu_Result Poll(KeyData* input);
    void Plot();

    int Selection() const { return selection; }

    // Key tests and the interface sounds, shared with the map screen.
    static bool Pressed(KeyData const* keys, int k);
    static bool Held(KeyData const* keys, int k);
    static bool Released(KeyData const* keys, int k);
    static void PlayUiSound(Sound_Id id);
    // The move of a highlighted row in a step: -1 up, +1 down, 0 none. The arrows come first: a key
    // file may put an arrow's code on the opposite change-target key as well, and the arrows must
    // still move, whatever the file holds.
    static int UpDown(KeyData const* keys);
    // The line a box about a failed write adds when something the game cannot remove stands at the
    // scratch name the file is written under; empty when nothing does.
    static std::string InTheWayLine(std::string const& inTheWay);

    // A red chevron whose tip lies at tip and whose arms open in direction (-1 left, +1 right).
    static void PlotArrow(Pointf tip, double direction);

private:
    // Moves the volume of the selected row by step within 0 to 255.
    void NudgeVolume(int step);
    void PlotSlider(Pointf pos, int volume);

    Image* images[MainMenu_RowCount] = {}; // resume, leave, options, quit, music, sound
    int selection = 0;
    double arrowPhase = 0.0; // radians
};
