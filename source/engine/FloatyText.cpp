// Floating labels: the text with an optional plate behind it.
#include "engine/FloatyText.h"

#include "engine/Map.h"
#include "media/FlatBox.h"
#include "util/DataFile.h"
#include "util/Error.h"

#include <cassert>
#include <cstdlib>

FloatyText::FloatyText(GameFont const* gamefont, Pointf position, char const* labelText, double textScale,
                       Font_Render_Flags renderFlags)
    : font(gamefont), flags(renderFlags), pos(position), scale(textScale)
{
    assert(gamefont != nullptr && "gamefont != NULL");
    assert(labelText != nullptr && "text != NULL");
    text = HM_strdup(labelText);
    if (text == nullptr)
        throw Error();
    width = font->MeasureText(text, -1);
}

FloatyText::~FloatyText()
{
    std::free(text);
}

void FloatyText::SetBackplate(bool on, int plateMargin)
{
    backplate = on;
    margin = plateMargin;
}

void FloatyText::Render(Map const* map, Tick) const
{
    double const s = scale * map->view.scale;
    Pointf const q = pos.WorldToScreen(&map->view);
    if (backplate)
    {
        // The plate is centred on the point whatever the text's alignment.
        double const halfW = width * s / 2.0 + margin;
        double const halfH = font->GetHeight() * s / 2.0 + margin;
        FlatBox::Plot(q.x - halfW, q.y - halfH, q.x + halfW, q.y + halfH, 1.0f, 1.0f, 1.0f, 1.0f);
    }
    font->Render(text, -1, flags, &q, s);
}

bool FloatyText::ActivePoint(Pointf& centre, double& radius, double& objScale) const
{
    centre = pos;
    radius = 2.0 * width * scale;
    objScale = 1.0;
    return true;
}
