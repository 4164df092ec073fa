// Den test support: the fight as keys, shared by the tests that play the den in process and the run of the
// real program: the walk from the start to the throwing spot and the throws from there.
#pragma once

#include "engine/KeyData.h"

#include <vector>

// The steps the left key is held from the start to bring the hero into the throwing spot's foothold,
// where he comes to rest against its far side.
constexpr int Final_WalkToSpotSteps = 100;

// The fight's keys, step by step: action pressed, held (the hero aims) and let go (he throws), over
// and over, one throw every third step.
inline std::vector<int> FinalThrowKeys(int step)
{
    return step % 3 == 2 ? std::vector<int>{} : std::vector<int>{KeyIndex_GameAction};
}
