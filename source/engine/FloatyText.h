// A text label standing at a point of a level, drawn with the level's objects.
#pragma once

#include "engine/Object.h"
#include "media/GameFont.h"
#include "util/Pointf.h"

class FloatyText final : public Object
{
public:
    FloatyText(GameFont const* gamefont, Pointf position, char const* labelText, double textScale,
               Font_Render_Flags renderFlags);
    ~FloatyText() override;
    FloatyText(FloatyText const&) = delete;
    FloatyText& operator=(FloatyText const&) = delete;

    void SetBackplate(bool on, int plateMargin);
    char const* GetText() const { return text; }

    void Render(Map const* map, Tick t) const override;
    bool ActivePoint(Pointf& centre, double& radius, double& objScale) const override;

private:
    GameFont const* font = nullptr; // not owned
    Font_Render_Flags flags = Font_Centre | Font_Middle;
    Pointf pos;
    char* text = nullptr; // owned copy
    double scale = 1.0;   // world units per font pixel
    bool backplate = false;
    int margin = 0; // pixels the plate reaches beyond the text
    int width = 0;  // text width at scale 1
};
