// Sound over SDL2_mixer, with one decoded sample kept per file name.
#include "platform/Audio.h"

#include "util/DataFile.h"

#include <SDL.h>
#include <SDL_mixer.h>
#include <strings.h>

#include <cassert>
#include <cstdio>
#include <cstring>
#include <map>
#include <string>
#include <vector>

struct Audio_Stream
{
    Mix_Music* music = nullptr;       // null while no device is open
    std::vector<unsigned char> bytes; // the file, which the music reads from while it plays
};

namespace
{

constexpr int Audio_ChannelLimit = 256;

bool isOpen = false;
int channelCount = 0;
// A file that failed to load keeps its null here, so it is not read again at every play.
std::map<std::string, Mix_Chunk*> samples;
Audio_Stream* playingStream = nullptr;
int volumes[Audio_ChannelLimit];
int streamVolume = 255;

// The mixer is handed the file read here, never a name or a file to open: its own open would wait
// for good on a FIFO and read a device for ever, and it asks for memory for as much as a file says
// it holds. The bytes must outlive the stream over them.
SDL_RWops* ReadSoundFile(char const* file, std::uint64_t limit, std::vector<unsigned char>* bytes)
{
    if (!HM_ReadWhole(file, limit, bytes))
        return nullptr;
    return SDL_RWFromConstMem(bytes->data(), static_cast<int>(bytes->size()));
}

// The music type by the name's ending, as the mixer takes it from a name; found from the bytes
// for any other.
Mix_MusicType MusicType(char const* file)
{
    char const* dot = std::strrchr(file, '.');
    if (!dot)
        return MUS_NONE;
    static constexpr struct
    {
        char const* ending;
        Mix_MusicType type;
    } types[] = {{".wav", MUS_WAV}, {".ogg", MUS_OGG}, {".flac", MUS_FLAC}, {".mp3", MUS_MP3}};
    for (auto const& entry : types)
        if (strcasecmp(dot, entry.ending) == 0)
            return entry.type;
    return MUS_NONE;
}

Mix_Chunk* Sample(char const* file)
{
    auto found = samples.find(file);
    if (found != samples.end())
        return found->second;
    // The sample is decoded into memory of its own.
    std::vector<unsigned char> bytes;
    SDL_RWops* stream = ReadSoundFile(file, DataFile_SoundLimit, &bytes);
    Mix_Chunk* chunk = stream ? Mix_LoadWAV_RW(stream, 1) : nullptr;
    samples.emplace(file, chunk);
    return chunk;
}

bool IsEffectChannel(int channel)
{
    return isOpen && channel >= 0 && channel < channelCount;
}

int MixerVolume(int volume)
{
    return (volume * MIX_MAX_VOLUME + 127) / 255;
}

} // namespace

bool Audio::Open(int rate, int channels)
{
    assert(!isOpen);
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0)
    {
        SDL_TLSCleanup(); // the error text, which no caller reads
        return false;
    }
    Mix_Init(MIX_INIT_MP3);
    // Asking for no changes makes SDL convert to the device, so the post-mix hook always sees
    // signed 16-bit stereo.
    if (Mix_OpenAudioDevice(rate, AUDIO_S16SYS, 2, 1024, nullptr, 0) != 0)
    {
        Mix_Quit();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        SDL_TLSCleanup();
        return false;
    }
    channelCount = Mix_AllocateChannels(SDL_min(channels, Audio_ChannelLimit));
    for (int& volume : volumes)
        volume = 255;
    streamVolume = 255;
    isOpen = true;
    return true;
}

void Audio::Close()
{
    if (!isOpen)
        return;
    Mix_SetPostMix(nullptr, nullptr);
    Mix_HaltChannel(-1);
    Mix_HaltMusic();
    playingStream = nullptr;
    for (auto& entry : samples)
        if (entry.second)
            Mix_FreeChunk(entry.second);
    samples.clear();
    Mix_CloseAudio();
    Mix_Quit();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    isOpen = false;
    channelCount = 0;
    // As for the window: SDL's per-thread error block would look leaked to the leak checker.
    SDL_TLSCleanup();
}

bool Audio::IsOpen()
{
    return isOpen;
}

int Audio::Play(char const* file, bool loop)
{
    if (!isOpen)
        return -1;
    Mix_Chunk* chunk = Sample(file);
    if (!chunk)
        return -1;
    return Mix_PlayChannel(-1, chunk, loop ? -1 : 0);
}

void Audio::SetVolume(int channel, int volume)
{
    volume = SDL_clamp(volume, 0, 255);
    if (IsEffectChannel(channel))
    {
        volumes[channel] = volume;
        Mix_Volume(channel, MixerVolume(volume));
    }
    else if (isOpen && channel == Audio_StreamChannel)
    {
        streamVolume = volume;
        Mix_VolumeMusic(MixerVolume(volume));
    }
}

int Audio::Volume(int channel)
{
    if (IsEffectChannel(channel))
        return volumes[channel];
    if (isOpen && channel == Audio_StreamChannel)
        return streamVolume;
    return 0;
}

bool Audio::IsPlaying(int channel)
{
    if (IsEffectChannel(channel))
        return Mix_Playing(channel) != 0;
    if (isOpen && channel == Audio_StreamChannel)
        return Mix_PlayingMusic() != 0;
    return false;
}

bool Audio::Plays(int channel, char const* file)
{
    if (!IsEffectChannel(channel) || !Mix_Playing(channel))
        return false;
    auto found = samples.find(file);
    return found != samples.end() && found->second && Mix_GetChunk(channel) == found->second;
}

void Audio::Stop(int channel)
{
    if (IsEffectChannel(channel))
        Mix_HaltChannel(channel);
}

Audio_Stream* Audio::OpenStream(char const* file)
{
    Audio_Stream* stream = new Audio_Stream;
    if (isOpen)
    {
        // The mixer closes the memory stream with the music, before the bytes go with the stream.
        SDL_RWops* opened = ReadSoundFile(file, DataFile_MusicLimit, &stream->bytes);
        stream->music = opened ? Mix_LoadMUSType_RW(opened, MusicType(file), 1) : nullptr;
        if (!stream->music)
        {
            delete stream;
            return nullptr;
        }
    }
    else
    {
        // Without a device a missing file must still be told apart from a silent stream.
        std::FILE* probe = HM_OpenFile(file, "rb", DataFile_MusicLimit);
        if (!probe)
        {
            delete stream;
            return nullptr;
        }
        std::fclose(probe);
    }
    return stream;
}

int Audio::PlayStream(Audio_Stream* stream)
{
    assert(stream);
    if (!isOpen || !stream->music || Mix_PlayMusic(stream->music, -1) != 0)
        return -1;
    playingStream = stream;
    return Audio_StreamChannel;
}

void Audio::StopStream(Audio_Stream* stream)
{
    if (isOpen && stream && stream == playingStream)
    {
        Mix_HaltMusic();
        playingStream = nullptr;
    }
}

void Audio::CloseStream(Audio_Stream* stream)
{
    if (!stream)
        return;
    StopStream(stream);
    if (stream->music)
        Mix_FreeMusic(stream->music);
    delete stream;
}

void Audio::SetPostMix(Audio_PostMix hook, void* userData)
{
    if (isOpen)
        Mix_SetPostMix(hook, userData);
}
