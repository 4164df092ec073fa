// The game's bitmap font: 84 glyphs cut from three sheets, drawn, measured and fitted to widths.
#pragma once

class Image;
class Pointf;

// Anchors as for images: horizontal 1 left, 2 centre, 4 right; vertical 0x10 the point is the
// top of the text, 0x20 the middle, 0x40 the bottom. Exactly one of each group.
using Font_Render_Flags = unsigned int;
constexpr Font_Render_Flags Font_Left = 0x01;
constexpr Font_Render_Flags Font_Centre = 0x02;
constexpr Font_Render_Flags Font_Right = 0x04;
constexpr Font_Render_Flags Font_Top = 0x10;
constexpr Font_Render_Flags Font_Middle = 0x20;
constexpr Font_Render_Flags Font_Bottom = 0x40;

constexpr int numglyphs = 84;
constexpr int group1size = 32; // "!" to "@"
constexpr int group2size = 26; // "A" to "Z"
constexpr int group3size = 26; // "a" to "z"

class GameFont final
{
public:
    // Loads gfx/text/text0.png to text2.png and the metrics in gfx/text/textinfo.
    GameFont();
    ~GameFont();
    GameFont(GameFont const&) = delete;
    GameFont& operator=(GameFont const&) = delete;

    // Draws the first length characters (-1 or more than the text holds: all of it).
    void Render(char const* text, int length, Font_Render_Flags flags, Pointf const* pos, double scale) const;
    // Width in pixels at scale 1 of the first length characters; 0 for a null text.
    int MeasureText(char const* text, int length) const;
    // How many characters from the start fit into room pixels.
    int FitText(char const* text, int length, int room, double scale) const;
    int GetHeight() const { return height; }
    // Draws one character with its top-left at the pen and moves the pen on.
    void RenderGlyph(char c, Pointf* pen, double scale) const;

    int IdToChar(int id) const;
    // The glyph of c, or -1 when c has none (the space among them).
    int CharToId(char c) const;
    int CharToBlock(char c) const;

    static constexpr char const* infoFile = "gfx/text/textinfo";
    // The largest size or offset in pixels the metrics may give; far wider than the screen.
    static constexpr int MaxMetric = 1024;

private:
    struct Metrics
    {
        int originX = 0;    // the glyph's origin column in its sheet
        int width = 0;      // quad width; the glyph's image is one pixel wider
        int advance = 0;    // the pen moves advance + 1 past the glyph
        int leftOffset = 0; // the image starts this far left of the pen
    };

    void ParseInfoFile(char const* path);
    void ChopFont();
    // The glyph of c, or -1 for the space and for characters without a glyph; those are
    // drawn as a space and reported once.
    int GlyphOf(char c) const;
    void FreeAll();

    Image* sheets[3] = {};
    Image* glyphs[numglyphs] = {};
    int spaceWidth = 0;
    Metrics metrics[numglyphs];
    int height = 0;
    mutable bool reportedMissingGlyph = false;
};
