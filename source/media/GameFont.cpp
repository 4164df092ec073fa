// The game's bitmap font: 84 glyphs cut from three sheets, drawn, measured and fitted to widths.
#include "media/GameFont.h"

#include "media/Image.h"
#include "util/DataFile.h"
#include "util/Error.h"
#include "util/Pointf.h"

#include <GL/gl.h>

#include <cassert>
#include <cstdio>
#include <cstring>

namespace
{

int LengthOf(char const* text, int length)
{
    int all = static_cast<int>(std::strlen(text));
    return length < 0 || length > all ? all : length;
}

} // namespace

GameFont::GameFont()
{
    try
    {
        char file[] = "gfx/text/text#.png";
        char* digit = std::strchr(file, '#');
        for (int n = 0; n < 3; ++n)
        {
            *digit = static_cast<char>('0' + n);
            sheets[n] = new Image(file, 0, true);
        }
        height = static_cast<int>(sheets[0]->GetHeight());
        ParseInfoFile(infoFile);
        ChopFont();
    }
    catch (...)
    {
        // The destructor does not run for a constructor that throws.
        FreeAll();
        throw;
    }
}

GameFont::~GameFont()
{
    FreeAll();
}

void GameFont::FreeAll()
{
    for (Image*& sheet : sheets)
    {
        delete sheet;
        sheet = nullptr;
    }
    for (Image*& glyph : glyphs)
    {
        delete glyph;
        glyph = nullptr;
    }
}

int GameFont::IdToChar(int id) const
{
    if (id >= 0 && id < group1size + group2size)
        return id + 33;
    if (id >= group1size + group2size && id < numglyphs)
        return id + 39;
    assert(false);
    return ' ';
}

int GameFont::CharToId(char c) const
{
    if ((c >= '!' && c <= '@') || (c >= 'A' && c <= 'Z'))
        return c - 33;
    if (c >= 'a' && c <= 'z')
        return c - 39;
    return -1;
}

int GameFont::CharToBlock(char c) const
{
    unsigned char code = static_cast<unsigned char>(c);
    if (code <= '@')
        return 0;
    if (code < 'a')
        return 1;
    return 2;
}

int GameFont::GlyphOf(char c) const
{
    if (c == ' ')
        return -1;
    int id = CharToId(c);
    if (id < 0 && !reportedMissingGlyph)
    {
        std::fprintf(stderr, "Failed to find char '%c'\n", c);
        reportedMissingGlyph = true;
    }
    return id;
}

void GameFont::ParseInfoFile(char const* path)
{
    FILE* f = HM_OpenFile(path, "r", DataFile_FontLimit);
    if (f == nullptr)
        throw Error(Error_OpenFile, path);
    // A file that ends before every record is as malformed as one that does not match.
    bool parsed = std::fscanf(f, "%d", &spaceWidth) == 1;
    for (int id = 0; parsed && id < numglyphs; ++id)
    {
        Metrics& m = metrics[id];
        parsed = std::fscanf(f, " %d,%d,%d,%d", &m.originX, &m.leftOffset, &m.width, &m.advance) == 4;
    }
    std::fclose(f);
    // The pen and the measures add these up in int: bounded, no text can overflow them, and a
    // negative width would collapse every text.
    auto inRange = [](int value, int low) { return value >= low && value <= MaxMetric; };
    parsed = parsed && inRange(spaceWidth, 0);
    for (int id = 0; parsed && id < numglyphs; ++id)
    {
        Metrics const& m = metrics[id];
        parsed =
            inRange(m.originX, 0) && inRange(m.leftOffset, -MaxMetric) && inRange(m.width, 0) && inRange(m.advance, 0);
    }
    if (!parsed)
        throw Error(Error_ParseFile, path);
}

void GameFont::ChopFont()
{
    for (int id = 0; id < numglyphs; ++id)
    {
        Metrics const& m = metrics[id];
        Image const* sheet = sheets[CharToBlock(static_cast<char>(IdToChar(id)))];
        // The rectangles come from the metrics file, so one outside its sheet is bad data.
        long x = static_cast<long>(m.originX) - m.leftOffset;
        long w = static_cast<long>(m.width) + 1;
        if (x < 0 || w < 1 || x + w > static_cast<long>(sheet->GetWidth()))
            throw Error(Error_ParseFile, infoFile);
        glyphs[id] = new Image(sheet, static_cast<int>(x), 0, static_cast<unsigned int>(w), sheet->GetHeight());
    }
    for (Image*& sheet : sheets)
    {
        delete sheet;
        sheet = nullptr;
    }
}

void GameFont::RenderGlyph(char c, Pointf* pen, double scale) const
{
    int id = GlyphOf(c);
    if (id < 0)
    {
        pen->x += spaceWidth * scale;
        return;
    }
    Metrics const& m = metrics[id];
    glyphs[id]->Associate();
    pen->x -= m.leftOffset * scale;
    double right = pen->x + m.width * scale;
    double bottom = pen->y - height * scale;
    glBegin(GL_QUADS);
    glTexCoord2d(0.0, 1.0);
    glVertex2f(static_cast<GLfloat>(pen->x), static_cast<GLfloat>(pen->y));
    glTexCoord2d(1.0, 1.0);
    glVertex2f(static_cast<GLfloat>(right), static_cast<GLfloat>(pen->y));
    glTexCoord2d(1.0, 0.0);
    glVertex2f(static_cast<GLfloat>(right), static_cast<GLfloat>(bottom));
    glTexCoord2d(0.0, 0.0);
    glVertex2f(static_cast<GLfloat>(pen->x), static_cast<GLfloat>(bottom));
    glEnd();
    pen->x += (m.leftOffset + m.advance + 1) * scale;
}

int GameFont::MeasureText(char const* text, int length) const
{
    if (text == nullptr)
        return 0;
    int n = LengthOf(text, length);
    if (n == 0)
        return 0;
    int first = GlyphOf(text[0]);
    int width = first < 0 ? 0 : metrics[first].leftOffset;
    for (int i = 0; i < n; ++i)
    {
        int id = GlyphOf(text[i]);
        width += id < 0 ? spaceWidth : metrics[id].advance + 1;
    }
    return width;
}

int GameFont::FitText(char const* text, int length, int room, double scale) const
{
    if (text == nullptr)
        return 0;
    int n = LengthOf(text, length);
    int count = 0;
    for (; count < n; ++count)
    {
        int id = GlyphOf(text[count]);
        if (id < 0)
        {
            if (spaceWidth > room)
                break;
            room -= static_cast<int>(spaceWidth * scale);
        }
        else
        {
            Metrics const& m = metrics[id];
            if ((m.width - m.leftOffset) * scale > room)
                break;
            room -= static_cast<int>(m.advance * scale);
        }
    }
    return count;
}

void GameFont::Render(char const* text, int length, Font_Render_Flags flags, Pointf const* pos, double scale) const
{
    if (text == nullptr)
        return;
    Pointf pen = *pos;
    int width = MeasureText(text, length);
    switch (flags & 0x07)
    {
    case Font_Left:
        break;
    case Font_Centre:
        pen.x -= width / 2 * scale;
        break;
    case Font_Right:
        pen.x -= width * scale;
        break;
    default:
        assert(false);
        break;
    }
    switch (flags & 0x70)
    {
    case Font_Top:
        break;
    case Font_Middle:
        pen.y += height / 2 * scale;
        break;
    case Font_Bottom:
        pen.y += height * scale;
        break;
    default:
        assert(false);
        break;
    }
    glEnable(GL_TEXTURE_2D);
    glColor4f(0.0f, 0.0f, 0.0f, 1.0f);
    int n = LengthOf(text, length);
    for (int i = 0; i < n; ++i)
        RenderGlyph(text[i], &pen, scale);
}
