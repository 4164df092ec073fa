// The bubble that shows one line of conversation over a speaker: it pops open, types its
// text into four rows one character per step, and shrinks away at the end of its time. A text
// too long for the rows at the font's size is set smaller, so that every word shows.
#include "engine/SpeechBubble.h"

#include "engine/Map.h"
#include "media/GameFont.h"
#include "media/Image.h"
#include "util/DataFile.h"
#include "util/Error.h"
#include "util/Pointf.h"
#include "util/WorldTransform.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

Image* SpeechBubble::frames[Bubble_Frames] = {};
GameFont const* SpeechBubble::font = nullptr;

namespace
{

Bubble_Text_Spec const textspace[Bubble_Frames][Bubble_Row_Count] = {
    {{160, 129, 265}, {128, 93, 303}, {98, 93, 303}, {65, 129, 265}},
    {{160, 129, 265}, {128, 93, 303}, {98, 93, 303}, {65, 129, 265}},
};

// The text of a flipped bubble moves this far left, in frame pixels.
int const flipTextShift = 76;

double const screenScale = 0.75;

// The width of the screen the game draws on.
double const screenWidth = 640.0;

// A text that does not fit is tried this much smaller at a time.
double const textSizeStep = 0.05;

} // namespace

SpeechBubble::SpeechBubble(char const* newText, int maxChars, int displayTime, Bubble_Type bubbleType)
    : type(bubbleType)
{
    NewText(newText, maxChars, displayTime);
    counter = 0;
    end = displayTime;
    flip = 0;
}

SpeechBubble::~SpeechBubble()
{
    std::free(text);
}

void SpeechBubble::Initialise(GameFont const* textFont)
{
    font = textFont;
    for (int i = 0; i < Bubble_Frames; ++i)
    {
        char file[64];
        std::snprintf(file, sizeof file, "%s%.2d.png", bubblebasefile, i);
        frames[i] = new Image(file, Image_Mask, false);
    }
}

void SpeechBubble::Finalise()
{
    for (Image*& frame : frames)
    {
        delete frame;
        frame = nullptr;
    }
}

int SpeechBubble::FitOnLine(char const* line, int count, Bubble_Text_Spec const* row, double textSize)
{
    // The row holds as much text as a row 1 / textSize times as wide at the font's size.
    int const room = static_cast<int>((row->right - row->left) / textSize);
    int fit = font->FitText(line, count, room, 1.0);
    if (fit >= count)
        return fit;
    int k = fit;
    while (k > 0 && line[k] != ' ' && line[k] != '\0')
        --k;
    // No space before the row's end: the word alone is wider than the row, so it breaks there.
    if (k == 0 && line[0] != ' ')
        return fit;
    while (k > 0 && line[k - 1] == ' ')
        --k;
    return k;
}

int SpeechBubble::LayOutAt(char const* line, int limit, Bubble_Type bubbleType, double size, Row* out)
{
    int pos = 0;
    for (int r = 0; r < Bubble_Row_Count; ++r)
    {
        out[r].start = pos;
        out[r].length = FitOnLine(line + pos, limit - pos, &textspace[bubbleType][r], size);
        pos += out[r].length;
        while (pos < limit && line[pos] == ' ')
            ++pos;
    }
    return pos;
}

int SpeechBubble::LayOut(char const* line, int limit, Bubble_Type bubbleType, Row* out, double* size)
{
    int const steps = static_cast<int>((1.0 - Bubble_SmallestText) / textSizeStep + 0.5);
    int taken = 0;
    for (int k = 0; k <= steps; ++k)
    {
        *size = 1.0 - k * textSizeStep;
        taken = LayOutAt(line, limit, bubbleType, *size, out);
        if (taken >= limit)
            break;
    }
    return taken;
}

int SpeechBubble::FitText(char const* line, int maxChars, Bubble_Type bubbleType)
{
    int all = static_cast<int>(std::strlen(line));
    int limit = maxChars < 0 || maxChars > all ? all : maxChars;
    Row scratch[Bubble_Row_Count];
    double size = 1.0;
    return LayOut(line, limit, bubbleType, scratch, &size);
}

void SpeechBubble::NewText(char const* newText, int maxChars, int displayTime)
{
    int all = static_cast<int>(std::strlen(newText));
    int limit = maxChars < 0 || maxChars > all ? all : maxChars;
    std::free(text);
    text = nullptr;
    int taken = LayOut(newText, limit, type, rows, &textSize);
    text = HM_strndup(newText, taken);
    if (text == nullptr)
        throw Error(Error_OutOfMemory);
    length = all;
    counter = Bubble_Anim_StartText;
    end = displayTime + Bubble_Anim_StartText;
}

int SpeechBubble::Poll()
{
    ++counter;
    int result = 0;
    if (counter == end)
        result |= 1;
    if (counter == static_cast<int>(std::strlen(text)) + Bubble_Anim_StartText)
        result |= 2;
    return result;
}

void SpeechBubble::Render(Map const* map, Pointf const* pos) const
{
    Render(map != nullptr ? &map->view : nullptr, pos);
}

void SpeechBubble::Render(WorldTransform const* view, Pointf const* pos) const
{
    if (counter < 0)
        return;
    double scale = view != nullptr ? Bubble_Scale : screenScale;
    if (counter < Bubble_Anim_StartText)
        scale = scale * counter / Bubble_Anim_StartText;
    else if (counter > end - Bubble_Anim_StartText)
        scale = scale * (end - counter) / Bubble_Anim_StartText;

    Image const* frame = frames[type];
    Pointf p = *pos;
    Image_Render_Flags flags = Image_Left | Image_Bottom;
    if (flip == 0)
        p.x += 4;
    else
    {
        flags |= Image_MirrorX;
        p.x = p.x - frame->GetWidth() * scale - 4;
    }
    // A bubble that would run off the side of the screen moves back onto it, so no word is lost.
    double const unit = view != nullptr ? view->scale : 1.0;
    double const left = p.WorldToScreen(view).x;
    double const right = left + frame->GetWidth() * scale * unit;
    if (right > screenWidth)
        p.x -= std::min(right - screenWidth, left) / unit;
    else if (left < 0.0)
        p.x -= std::max(left, right - screenWidth) / unit;
    frame->Render(p, 0.0, scale, flags, view);

    if (counter <= Bubble_Anim_StartText)
        return;
    int chars = counter - Bubble_Anim_StartText;
    double textScale = (view != nullptr ? scale * view->scale : scale) * textSize;
    // Smaller text sits in the middle of its row's height.
    double const drop = (1.0 - textSize) * font->GetHeight() / 2.0;
    for (int r = 0; r < Bubble_Row_Count; ++r)
    {
        Bubble_Text_Spec const& spec = textspace[type][r];
        Row const& row = rows[r];
        int w = static_cast<int>(font->MeasureText(text + row.start, row.length) * textSize + 0.5);
        Pointf at((spec.right - spec.left - w) / 2 + spec.left, spec.y - drop);
        if (flip != 0)
            at.x -= flipTextShift;
        at.Scale(nullptr, scale);
        at += p;
        if (view != nullptr)
            at = at.WorldToScreen(view);
        int n = std::min(chars, row.length);
        chars -= n;
        font->Render(text + row.start, n, Font_Left | Font_Top, &at, textScale);
    }
}
