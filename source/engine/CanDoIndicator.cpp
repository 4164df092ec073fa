// CanDoIndicator: sliding the hint panel and drawing the world's hint in it.
#include "engine/CanDoIndicator.h"

#include "media/FlatBox.h"
#include "media/GameFont.h"
#include "media/Image.h"
#include "util/Util.h"

#include <GL/gl.h>

#include <cassert>
#include <cstddef>

namespace
{
constexpr double CanDo_Shown = CanDo_Image_Pad;
constexpr double CanDo_Parked = 1280.0;
constexpr double CanDo_Ease = 8.0; // the panel covers 1/8 of the remaining way per step
constexpr double CanDo_Snap = 1.0; // close enough to snap to the end of the slide
constexpr double CanDo_BoxPad = 2.0;
} // namespace

CanDoIndicator::CanDoIndicator(Player const* hero, Map const* levelMap, GameFont const* gameFont)
    : player(hero), map(levelMap), font(gameFont), thumbsUp(new Image("gfx/general/thumbsup.png", 0, false)),
      thumbsDown(nullptr), panelPos(CanDo_Parked, 0.0)
{
    try
    {
        thumbsDown = new Image("gfx/general/thumbsdown.png", 0, false);
    }
    catch (...)
    {
        delete thumbsUp;
        throw;
    }
    panelPos.y = static_cast<int>(thumbsDown->GetHeight() / 2) + CanDo_Image_Pad;
}

CanDoIndicator::~CanDoIndicator()
{
    delete thumbsUp;
    delete thumbsDown;
}

void CanDoIndicator::SetEnable(bool enable)
{
    enabled = enable;
}

void CanDoIndicator::Poll()
{
    if (enabled)
    {
        if (Util::Equal(panelPos.x, CanDo_Shown))
            return;
        panelPos.x += (CanDo_Shown - panelPos.x) / CanDo_Ease;
        if (panelPos.x <= CanDo_Shown + CanDo_Snap || Util::Equal(panelPos.x, CanDo_Shown + CanDo_Snap))
            panelPos.x = CanDo_Shown;
    }
    else
    {
        if (Util::Equal(panelPos.x, CanDo_Parked))
            return;
        panelPos.x += (CanDo_Parked - panelPos.x) / CanDo_Ease;
        if (panelPos.x >= CanDo_Parked - CanDo_Snap || Util::Equal(panelPos.x, CanDo_Parked - CanDo_Snap))
            panelPos.x = CanDo_Parked;
    }
}

void CanDoIndicator::Render(Tick t)
{
    if (Util::Equal(panelPos.x, CanDo_Parked))
        return;
    CanDo_Indicate mess{nullptr, false};
    if (!FindMessage(&mess, t))
        return;
    assert(mess.mess != NULL);

    Image const* picture = mess.positive ? thumbsUp : thumbsDown;
    picture->Render(panelPos, 0.0, 1.0, Image_Left | Image_Middle, nullptr);

    Pointf const text(panelPos.x + picture->GetWidth() + CanDo_Image_Pad, panelPos.y);
    double const w = font->MeasureText(mess.mess, -1);
    double const h = font->GetHeight();
    double const x0 = text.x - CanDo_BoxPad;
    double const y0 = text.y - h * 0.5 - CanDo_BoxPad;
    double const x1 = text.x + w + CanDo_BoxPad;
    double const y1 = text.y + h * 0.5 + CanDo_BoxPad;
    glLineWidth(1.0f);
    FlatBox::Plot(x0, y0, x1, y1, 1.0f, 1.0f, 1.0f, 0.4f);

    font->Render(mess.mess, -1, Font_Left | Font_Middle, &text, 1.0);
}
