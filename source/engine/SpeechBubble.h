// The bubble that shows one line of conversation over a speaker: it pops open, types its
// text into four rows one character per step, and shrinks away at the end of its time. A text
// too long for the rows at the font's size is set smaller, so that every word shows.
#pragma once

class GameFont;
class Image;
class Map;
class Pointf;
class WorldTransform;

enum Bubble_Type
{
    Bubble_Speech = 0,
    Bubble_Thought = 1,
};

constexpr int Bubble_Frames = 2;
constexpr int Bubble_Row_Count = 4;
constexpr int Bubble_Anim_StartText = 12;   // steps to open and to close; typing starts after them
constexpr double Bubble_Scale = 0.25;       // in the world; 0.75 on the screen
constexpr double Bubble_SmallestText = 0.6; // the text's size in the frame, at the least
constexpr char const* bubblebasefile = "gfx/text/speechbubble";

// A row of the text area, in pixels of the frame image from its bottom-left corner.
struct Bubble_Text_Spec
{
    int y; // the top of the row
    int left;
    int right;
};

class SpeechBubble final
{
public:
    // maxChars -1 (or more than the text holds) takes the whole text.
    SpeechBubble(char const* newText, int maxChars, int displayTime, Bubble_Type bubbleType);
    ~SpeechBubble();
    SpeechBubble(SpeechBubble const&) = delete;
    SpeechBubble& operator=(SpeechBubble const&) = delete;

    // Replaces the text of an open bubble, which stays open and types it from the start.
    void NewText(char const* newText, int maxChars, int displayTime);
    // One step: bit 1 when the display time has just ended, bit 2 when the text has just
    // been typed in full.
    int Poll();
    // Draws at a world point through the map's camera, or at a screen point when map is null; a
    // bubble that would run off the side of the screen is moved along until it is on it.
    void Render(Map const* map, Pointf const* pos) const;
    // The same through a camera transform; null is the screen.
    void Render(WorldTransform const* view, Pointf const* pos) const;
    Bubble_Type GetType() const { return type; }
    // The part of the last text that the rows hold.
    char const* GetText() const { return text; }

    // Keeps the font (not owned) and loads the two frames.
    static void Initialise(GameFont const* textFont);
    static void Finalise();
    // How many characters of the text the four rows of that type take, the text set as small as
    // it must be (down to Bubble_SmallestText) for all of it to fit.
    static int FitText(char const* text, int maxChars, Bubble_Type bubbleType);
    // How many characters go on one row with the text at that size; a word wider than the row is
    // broken at its width.
    static int FitOnLine(char const* text, int count, Bubble_Text_Spec const* row, double textSize = 1.0);
    // The size the text is set at in the frame: 1 when it fits at the font's size.
    double GetTextSize() const { return textSize; }

    int flip = 0; // set by the owner: 1 draws the bubble mirrored, to the left of the point

private:
    struct Row
    {
        int start = 0;
        int length = 0;
    };

    // Splits the first limit characters into rows at the largest size that takes them all, or at
    // the smallest; returns how many characters the rows take and sets the size.
    static int LayOut(char const* text, int limit, Bubble_Type bubbleType, Row* out, double* size);
    static int LayOutAt(char const* text, int limit, Bubble_Type bubbleType, double size, Row* out);

    static Image* frames[Bubble_Frames];
    static GameFont const* font;

    Bubble_Type type = Bubble_Speech;
    char* text = nullptr; // the part of the last text that fits into the rows
    int length = 0;       // the length of the whole last text
    Row rows[Bubble_Row_Count];
    double textSize = 1.0;
    int counter = 0; // steps since the bubble was shown
    int end = 0;     // the counter value at which the bubble has ended
};
