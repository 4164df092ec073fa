// The placeholder sounds and music: short tones for every effect file and a looping tune per world.
#pragma once

#include <string>

namespace SoundWriter
{
// Writes every file of the sound table under DIR/sounds (WAV, or MP3 where the table names
// one) and one MP3 tune per world under DIR/music.
void WriteAll(std::string const& dir);
} // namespace SoundWriter
