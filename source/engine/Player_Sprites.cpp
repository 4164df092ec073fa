// Player_Sprites: loading the player's sprite sets and drawing recorded player states.
#include "engine/Player_Sprites.h"

#include "engine/Axe.h"
#include "engine/Char_Base.h"
#include "media/Image.h"

#include <cassert>
#include <cstdio>
#include <memory>

PtrList<Image>* Player_Sprites::frames = nullptr;
PtrList<Image>* Player_Sprites::ghostFrames = nullptr;
PtrList<Image>* Player_Sprites::pastFrames = nullptr;
PtrList<Image>* Player_Sprites::dyingFrames = nullptr;
bool Player_Sprites::flick = true;
int Player_Sprites::flickdel = 0;

namespace
{
// The set owns the frames loaded so far, so a missing frame frees the ones before it.
PtrList<Image>* LoadSet(char const* pattern, int count)
{
    auto set = std::make_unique<PtrList<Image>>(PtrList_Fixed, count);
    char name[64];
    for (int i = 0; i < count; i++)
    {
        std::snprintf(name, sizeof name, pattern, i);
        (*set)[i] = new Image(name, Image_Mask, false);
    }
    return set.release();
}

void FreeSet(PtrList<Image>*& set)
{
    delete set;
    set = nullptr;
}
} // namespace

void Player_Sprites::Initialise()
{
    assert(frames == NULL && "frames == NULL");
    frames = LoadSet("gfx/player/player%.2d.png", Player_Frames);
    ghostFrames = LoadSet("gfx/player/playerghost%.2d.png", Player_Frames);
    pastFrames = LoadSet("gfx/player/playerpast%.2d.png", Player_Frames);
    dyingFrames = LoadSet("gfx/player/playerdie%.2d.png", Player_Dying_Frames);
    Axe::Initialise();
}

void Player_Sprites::Finalise()
{
    FreeSet(frames);
    FreeSet(ghostFrames);
    FreeSet(pastFrames);
    FreeSet(dyingFrames);
    Axe::Finalise();
}

void Player_Sprites::Render(Map const* map, Char_Base const* state, Player_Render_Frame set)
{
    PtrList<Image> const* images = set == Player_Render_Ghost  ? ghostFrames
                                   : set == Player_Render_Past ? pastFrames
                                                               : frames;
    assert(images != NULL && "frames != NULL");
    int const index = static_cast<int>(state->frame & FrameMask);
    assert(index >= 0 && index < Player_Frames && "frame < Player_Frames");
    state->Render(map, (*images)[index], Player_Width, Player_Height);
}

void Player_Sprites::RenderMidPoint(Map const* map, Char_Base const* state)
{
    state->RenderMidPoint(map, static_cast<int>(Player_Height));
}

Pointf Player_Sprites::GetHead(Char_Base const* state)
{
    return state->GetSpecificPos(0.0, Player_Height, nullptr);
}
