// Player_Sprites: the player's class-wide sprite sets and body measures, for any recorded state.
#pragma once

#include "util/Pointf.h"
#include "util/PtrList.h"

class Char_Base;
class Image;
class Map;

enum Player_Render_Frame : int
{
    Player_Render_Present = 0,
    Player_Render_Ghost = 1,
    Player_Render_Past = 2,
};

constexpr double Player_Width = 20.0;
constexpr double Player_Height = 20.0;
constexpr int Player_Frames = 5;
constexpr int Player_Dying_Frames = 3;

// The present player, his ghost and every past self are drawn from these sets; they are loaded
// when a world is built and freed when it is destroyed. The player class derives from this one,
// so these are reached as Player::Initialise, Player::Render and so on.
class Player_Sprites
{
public:
    static void Initialise();
    static void Finalise();
    // Draws a recorded state with the sprite of its frame index from the chosen set.
    static void Render(Map const* map, Char_Base const* state, Player_Render_Frame set);
    // One vertex half the body up, for the line that traces a past self's path.
    static void RenderMidPoint(Map const* map, Char_Base const* state);
    // The point one body height up a recorded state, not scaled.
    static Pointf GetHead(Char_Base const* state);

    static PtrList<Image>* frames;      // the present player
    static PtrList<Image>* ghostFrames; // the player below zero energy who cannot die
    static PtrList<Image>* pastFrames;  // past selves
    static PtrList<Image>* dyingFrames;
    static bool flick; // blink state while invulnerable
    static int flickdel;
};
