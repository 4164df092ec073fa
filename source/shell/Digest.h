// A checksum of the game's state, so that two headless runs of one input script can be compared.
#pragma once

#include <cstdint>

class GameEvents;
class Level;

// FNV-1a over the progress record and, when a level is given, its clocks, its player's position,
// motion and hearts, and every object and enemy of the level as the object interface shows it
// (its active point, and the position and frame of each character). Equal runs give equal
// digests; any step taken differently almost surely changes it.
std::uint32_t StateDigest(GameEvents const& events, Level const* level);

// Prints "digest XXXXXXXX" on stdout when the environment variable HM_DIGEST is set (to
// anything but empty); the main loop calls it as the run ends.
void PrintDigestIfAsked(GameEvents const* events, Level const* level);
// Prints "step N XXXXXXXX", the state after the script's step N, when HM_DIGEST is "steps"; the main
// loop calls it after every step, so that a run can be compared with a record of chosen steps.
void PrintStepDigestIfAsked(int step, GameEvents const* events, Level const* level);
