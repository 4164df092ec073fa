// Signs: a picture in the level with one text the player thinks when reading it.
#pragma once

#include "engine/Object.h"
#include "media/Image.h"
#include "util/Pointf.h"

class Sign final : public Object
{
public:
    // A null picture uses the shared sign picture, which must be loaded then.
    Sign(Pointf position, double signScale, Image const* img, Image_Render_Flags flags);
    ~Sign() override;
    Sign(Sign const&) = delete;
    Sign& operator=(Sign const&) = delete;

    static void Initialise();
    static void Finalise();

    // A sign takes one text, once.
    void AddText(char const* signText);
    char const* GetText() const { return text; }
    Pointf GetPos(Tick) const { return pos; }

    void Render(Map const* map, Tick t) const override;

private:
    Image const* image = nullptr; // not owned
    Image_Render_Flags renderFlags = Image_Centre | Image_Bottom;
    Pointf pos;
    double scale = 1.0;
    char* text = nullptr; // owned copy

    static Image* signImg;
};
