// CreatureSizes: the picture sizes of the creatures' placeholder sprites, shared by the world generators.
#pragma once

struct CreatureSize
{
    int width;  // pixels
    int height; // pixels
};

constexpr CreatureSize CreatureSize_Goblin{24, 24};
constexpr CreatureSize CreatureSize_Rat{32, 16};
constexpr CreatureSize CreatureSize_Vulture{32, 32};
constexpr CreatureSize CreatureSize_Cactus{64, 96};
constexpr CreatureSize CreatureSize_Shmoo{16, 16};
constexpr CreatureSize CreatureSize_Spider{20, 20};
constexpr CreatureSize CreatureSize_GrethynEye{16, 8};
constexpr CreatureSize CreatureSize_GrethynMouth{32, 32};

constexpr int CreatureFrames_Goblin = 5;
constexpr int CreatureFrames_Vulture = 5;
constexpr int CreatureFrames_Cactus = 5;
constexpr int CreatureFrames_GrethynEye = 4;
constexpr int CreatureFrames_GrethynMouth = 5;

// Mozzies and wavy blobs. The wavy blob's sizes are its behaviour: the skin's width is an arm's
// strip width and reach and its height a segment's length; the grey tip gives every arm's target
// rectangle and aiming offset; the grey face the body's rectangle and reach.
constexpr CreatureSize CreatureSize_Mozzy{32, 32};
constexpr int CreatureFrames_Mozzy = 3;
constexpr CreatureSize CreatureSize_WavySkin{16, 16};
constexpr CreatureSize CreatureSize_WavyTip{24, 24};
constexpr CreatureSize CreatureSize_WavyFace{64, 64};

// The sliding puzzle's tiles and the leak sprinkler's drops (drawn as dots, no pictures).
constexpr CreatureSize CreatureSize_SlideyTile{32, 32};
constexpr int CreatureFrames_SlideyTile = 15;

// Spikes, spike balls, jets and vines: a spike's size sets a row's, a vine's its hang point and rectangle.
constexpr CreatureSize CreatureSize_Spike{32, 64};
constexpr CreatureSize CreatureSize_SpikeBall{32, 32};
constexpr CreatureSize CreatureSize_JetPuff{32, 32};
constexpr CreatureSize CreatureSize_Vine{16, 128};

// Rock-throwing goblin, imp: the goblin's frame-0 width sets its activity radius (4 x); the rock is
// drawn at its pixel size.
constexpr CreatureSize CreatureSize_GoblinDefend{32, 32};
constexpr CreatureSize CreatureSize_GoblinRock{12, 12};
constexpr CreatureSize CreatureSize_Imp{32, 32};
constexpr int CreatureFrames_GoblinDefend = 4;
constexpr int CreatureFrames_Imp = 4;
