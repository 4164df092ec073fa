// Scripted input for a headless run of the game: keys at given steps, pictures of given frames.
#pragma once

#include <string>
#include <vector>

// A text file of lines "STEP key VK down|up" (VK the virtual-key code of a key the game knows),
// "STEP close" and "STEP shot FILE", the numbers decimal (a leading zero too) or hex after 0x;
// blank lines and lines that do not start with a number are comments. A key or close is queued as
// the window system would queue it, after the step (step 0 is start-up, so its input reaches the
// first step); a shot writes the first frame drawn after the step as a PNG file. The game reads
// the script named by the environment variable HM_INPUT_SCRIPT; a run without it is untouched. A
// scripted run takes exactly one step per pass of the main loop, whatever the clock says, and
// each pass of the options screen's own loop counts as a step of the script too, so that a script
// goes on while that screen is open.
class InputScript final
{
public:
    // Throws Error naming the file when it cannot be read or is a folder, Error_ParseFile naming
    // the file when it holds no command at all, and Error_ParseFile naming the file and the line
    // when a line is malformed: a step that is not a number from 0 up, a key code the game does
    // not know, a word where a number belongs, an unknown command.
    explicit InputScript(char const* file);

    // The script of HM_INPUT_SCRIPT, or null when the variable is not set.
    static InputScript* FromEnvironment();

    // Queues the input of the step just taken.
    void AfterStep(int step);
    // Writes the frame in the back buffer for every shot due by the step.
    void BeforeSwap(int step);
    // The steps after which the script queues keys or a close, in the order of its lines.
    std::vector<int> InputSteps() const;

    // Writes the game's picture in the back buffer to a PNG file, by way of a scratch file beside it
    // as the game's other files are: a link at the name is replaced, not followed. False when it
    // cannot, the file then as it was.
    static bool WriteShot(char const* file);

private:
    enum Kind
    {
        Kind_KeyDown,
        Kind_KeyUp,
        Kind_Close,
        Kind_Shot,
    };

    struct Entry
    {
        int step = 0;
        Kind kind = Kind_Close;
        unsigned vk = 0;
        std::string file;
        bool done = false;
    };

    std::vector<Entry> entries;
};
