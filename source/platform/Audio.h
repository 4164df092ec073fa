// Sound effects on mixer channels and one looping music stream.
#pragma once

#include <cstdint>

constexpr int Audio_Rate = 44100;  // mixing rate, Hz
constexpr int Audio_Channels = 32; // effect channels
// The channel number the music stream is given, apart from the effect channels.
constexpr int Audio_StreamChannel = 0x10000;
// The longest sound effect decoded, in seconds: effects last a few seconds, long ones some tens.
// A longer one, and one that is neither WAV nor MP3, is told from its file before any of it is
// decoded and plays as a missing file does: not at all.
constexpr int Audio_SampleSeconds = 60;

// An open music file.
struct Audio_Stream;

// Sees every block of mixed output: signed 16-bit stereo samples at the mixing rate.
using Audio_PostMix = void (*)(void* userData, std::uint8_t* stream, int length);

// Until Open succeeds (and after Close) every call is a silent no-op: nothing plays, channels
// are -1, and nothing is playing. The game runs on without sound then.
class Audio final
{
public:
    static bool Open(int rate, int channels);
    static void Close();
    static bool IsOpen();

    // Starts the file once or looping on a free channel and returns the channel, or -1 when
    // the file cannot be decoded, is longer than Audio_SampleSeconds, or every channel is busy.
    // A file is loaded at its first play and kept until Close.
    static int Play(char const* file, bool loop);
    // Volume from 0 (silent) to 255 (full), for an effect channel or the stream channel.
    static void SetVolume(int channel, int volume);
    // The volume last set on the channel, 0 to 255; 0 for a channel that does not exist.
    static int Volume(int channel);
    static bool IsPlaying(int channel);
    // Whether the channel still plays the file, and not another sound started on it since.
    static bool Plays(int channel, char const* file);
    static void Stop(int channel);

    // Null when the file cannot be opened; a stream needs CloseStream.
    static Audio_Stream* OpenStream(char const* file);
    // Starts the stream looping, in place of any other; returns Audio_StreamChannel, or -1.
    static int PlayStream(Audio_Stream* stream);
    static void StopStream(Audio_Stream* stream);
    static void CloseStream(Audio_Stream* stream);

    // Null removes the hook.
    static void SetPostMix(Audio_PostMix hook, void* userData);
};
