// Signs: their picture and their one text.
#include "engine/Sign.h"

#include "engine/Map.h"
#include "util/DataFile.h"
#include "util/Error.h"

#include <cassert>
#include <cstdlib>

Image* Sign::signImg = nullptr;

Sign::Sign(Pointf position, double signScale, Image const* img, Image_Render_Flags flags)
    : image(img != nullptr ? img : signImg), renderFlags(flags), pos(position), scale(signScale)
{
    assert(image != nullptr && "img != NULL");
}

Sign::~Sign()
{
    std::free(text);
}

void Sign::Initialise()
{
    assert(signImg == nullptr && "signImg == NULL");
    signImg = new Image("gfx/general/sign.png", Image_Mask, false);
}

void Sign::Finalise()
{
    delete signImg;
    signImg = nullptr;
}

void Sign::AddText(char const* signText)
{
    assert(this->text == nullptr && "this->text == NULL");
    text = HM_strdup(signText);
    if (text == nullptr)
        throw Error();
}

void Sign::Render(Map const* map, Tick) const
{
    image->Render(pos, 0.0, scale, renderFlags, &map->view);
}
