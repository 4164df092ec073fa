// Petra_Factory_Scales: counting the jars on the pan, the faulty tube, the choice and its drawing.
#include "petra/Petra_Factory_Scales.h"

#include "engine/Activator.h"
#include "engine/Collectable.h"
#include "engine/KeyData.h"
#include "engine/Map.h"
#include "engine/Message.h"
#include "media/GameFont.h"
#include "media/Image.h"
#include "util/Util.h"

#include <cstdio>
#include <cstdlib>

namespace
{

// a lies above b by at least the tolerance.
bool Beyond(double a, double b)
{
    return a - b >= Util::Eps;
}

bool Pressed(KeyData const* keys, int key)
{
    return (keys->keys[key] & KeyState_Pressed) != 0;
}

} // namespace

Petra_Factory_Scales::Petra_Factory_Scales(Collectable** jarList, int perTube, Activator* plate, Message* messages,
                                           GameFont* textFont)
    : message(messages), font(textFont), activator(plate), jars(jarList), jarsPerTube(perTube)
{
    arrow = new Image(arrowfile, 0, false);
}

Petra_Factory_Scales::~Petra_Factory_Scales()
{
    delete arrow;
}

void Petra_Factory_Scales::MoveToTime(Map const* map, Tick t)
{
    if (!activator->IsActive(t))
    {
        wasActive = false;
        return;
    }
    if (wasActive)
        return;
    wasActive = true;
    active = true;
    message->Display("Press left, right and then use to select the malfunctioning factory pipe.", 200);
    CalcWeights(map, t);
}

void Petra_Factory_Scales::CalcWeights(Map const* map, Tick t)
{
    int counts[Factory_Scales_Tube_Count] = {};
    Pointf const left = map->GetRefPoint(Factory_Scales_LeftPt);
    Pointf const right = map->GetRefPoint(Factory_Scales_RightPt);
    for (int j = 0; j < Factory_Scales_Tube_Count * jarsPerTube; j++)
    {
        // A carried jar is at its carrier's head: over the pan it weighs however high it is.
        Pointf const p = jars[j]->GetPosAtTime(t);
        if (Beyond(p.x, left.x) && Beyond(right.x, p.x) && Beyond(p.y, left.y))
            counts[j / jarsPerTube]++;
    }
    valid = true;
    faultyTube = std::rand() % Factory_Scales_Tube_Count;
    // Two tubes with the same count cannot be told apart by the weight.
    for (int i = 0; i < Factory_Scales_Tube_Count - 1; i++)
        for (int k = i + 1; k < Factory_Scales_Tube_Count; k++)
            if (counts[i] == counts[k])
            {
                faultyTube = i;
                valid = false;
            }
    weight = counts[faultyTube];
    for (int count : counts)
        weight += count;
}

int Petra_Factory_Scales::Poll(Map const*, KeyData const* keys)
{
    if (Pressed(keys, KeyIndex_GameAction))
    {
        active = false;
        return Complete() ? 2 : 1;
    }
    if (Pressed(keys, KeyIndex_GameLeft) && selected > 0)
        selected--;
    if (Pressed(keys, KeyIndex_GameRight) && selected < Factory_Scales_Tube_Count - 1)
        selected++;
    return 0;
}

bool Petra_Factory_Scales::Complete() const
{
    return valid && faultyTube == selected;
}

void Petra_Factory_Scales::Plot(Map const* map, Tick) const
{
    Pointf const mouth = map->GetRefPoint(Factory_Scales_Tube_RefPt + static_cast<unsigned int>(selected));
    arrow->Render(mouth, 0.0, 1.0, Image_Centre | Image_Top, &map->view);
    char text[16];
    std::snprintf(text, sizeof text, "%d", weight);
    Pointf const at = map->GetRefPoint(Factory_Scales_TextPt).WorldToScreen(&map->view);
    font->Render(text, -1, Font_Centre | Font_Middle, &at, map->view.scale);
}
