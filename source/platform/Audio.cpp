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

std::uint32_t Le16(unsigned char const* p)
{
    return p[0] | p[1] << 8;
}

std::uint32_t Le32(unsigned char const* p)
{
    return p[0] | p[1] << 8 | p[2] << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

// Past any real sound's rate; a higher one counts as this, so that what is decoded stays bounded
// whatever rate a file gives.
constexpr double Audio_HighestRate = 192000.0;

// The most seconds of sound that the WAV file in bytes decodes to, or a negative number when it has
// no format the mixer would decode. Whatever its chunks say, the file holds no more frames than its
// size gives at a format's bits per sample (4 for ADPCM, which decodes no more); every format chunk
// is weighed, whichever the decoder takes.
double WavSeconds(std::vector<unsigned char> const& bytes)
{
    double longest = -1.0;
    std::size_t at = 12;
    while (at + 8 <= bytes.size())
    {
        std::uint32_t const length = Le32(&bytes[at + 4]);
        if (std::memcmp(&bytes[at], "fmt ", 4) == 0 && length >= 16 && at + 8 + 16 <= bytes.size())
        {
            unsigned char const* format = &bytes[at + 8];
            std::uint32_t const channels = Le16(format + 2);
            std::uint32_t const rate = Le32(format + 4);
            std::uint32_t const bits = SDL_max(Le16(format + 14), 4u);
            if (channels > 0 && rate > 0)
            {
                double const frames = 8.0 * static_cast<double>(bytes.size()) / (static_cast<double>(bits) * channels);
                longest = SDL_max(longest, frames / SDL_min(static_cast<double>(rate), Audio_HighestRate));
            }
        }
        // Chunks lie on even bytes.
        at += 8 + static_cast<std::size_t>(length) + (length & 1);
    }
    return longest;
}

// The samples and rate of the MPEG audio frame whose header is at p (4 bytes), and its length in
// bytes; false for no valid header. A free-format frame (no bitrate given) counts as its header.
bool MpegFrame(unsigned char const* p, int* frameSamples, int* rate, int* length)
{
    if (p[0] != 0xFF || (p[1] & 0xE0) != 0xE0)
        return false;
    int const version = (p[1] >> 3) & 3; // 0 MPEG 2.5, 1 none, 2 MPEG 2, 3 MPEG 1
    int const layer = 4 - ((p[1] >> 1) & 3);
    int const bitrateIndex = p[2] >> 4;
    int const rateIndex = (p[2] >> 2) & 3;
    if (version == 1 || layer == 4 || bitrateIndex == 15 || rateIndex == 3)
        return false;
    static constexpr int rates[3] = {44100, 48000, 32000};
    static constexpr short kbits[5][15] = {
        {0, 32, 64, 96, 128, 160, 192, 224, 256, 288, 320, 352, 384, 416, 448}, // MPEG 1 layer I
        {0, 32, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 384},    // MPEG 1 layer II
        {0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320},     // MPEG 1 layer III
        {0, 32, 48, 56, 64, 80, 96, 112, 128, 144, 160, 176, 192, 224, 256},    // MPEG 2 layer I
        {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160},         // MPEG 2 layers II, III
    };
    bool const mpeg1 = version == 3;
    *rate = rates[rateIndex] >> (mpeg1 ? 0 : version == 2 ? 1 : 2);
    int const bitrate = 1000 * kbits[mpeg1 ? layer - 1 : layer == 1 ? 3 : 4][bitrateIndex];
    int const padding = (p[2] >> 1) & 1;
    if (layer == 1)
    {
        *frameSamples = 384;
        *length = (12 * bitrate / *rate + padding) * 4;
    }
    else
    {
        int const perFrame = layer == 3 && !mpeg1 ? 72 : 144;
        *frameSamples = perFrame * 8;
        *length = perFrame * bitrate / *rate + padding;
    }
    if (*length < 4)
        *length = 4;
    return true;
}

// The most seconds of sound that the MPEG audio in bytes can decode to, more than limit as soon
// as that is certain. A decoder may take a frame at any byte where a header stands and goes on
// after it, skipping what it cannot read; so this is the longest run of frames, each after the end
// of the one before, over every place one may start. It is found from the end back, keeping the
// answer for the places within one frame's reach.
double MpegSeconds(std::vector<unsigned char> const& bytes, double limit)
{
    constexpr std::size_t reach = 4096; // past the longest frame
    double after[reach] = {};           // the answer from byte i on, at i % reach; 0 past the end
    std::size_t const size = bytes.size();
    for (std::size_t i = size; i-- > 0;)
    {
        double best = i + 1 < size ? after[(i + 1) % reach] : 0.0;
        int frameSamples = 0;
        int rate = 0;
        int length = 0;
        if (i + 4 <= size && MpegFrame(&bytes[i], &frameSamples, &rate, &length))
        {
            std::size_t const next = i + static_cast<std::size_t>(length);
            double const taken = static_cast<double>(frameSamples) / rate + (next < size ? after[next % reach] : 0.0);
            best = SDL_max(best, taken);
            if (best > limit)
                return best;
        }
        after[i % reach] = best;
    }
    return size > 0 ? after[0] : 0.0;
}

// The most seconds of sound that the sound file in bytes decodes to, told from the file alone;
// negative for a file that is neither WAV nor MP3, which the mixer would decode by other means
// whose length is not known before.
double SoundSeconds(std::vector<unsigned char> const& bytes, double limit)
{
    std::size_t const size = bytes.size();
    if (size >= 12 && std::memcmp(bytes.data(), "RIFF", 4) == 0)
        return std::memcmp(&bytes[8], "WAVE", 4) == 0 ? WavSeconds(bytes) : -1.0;
    // MP3 begins with its frames or with ID3 tags; after them must come frames, and nothing that
    // the mixer would take for another kind of file.
    std::size_t at = 0;
    while (at + 10 <= size && std::memcmp(&bytes[at], "ID3", 3) == 0)
    {
        unsigned char const* tag = &bytes[at];
        at += 10 + ((tag[6] & 0x7F) << 21 | (tag[7] & 0x7F) << 14 | (tag[8] & 0x7F) << 7 | (tag[9] & 0x7F))
              + ((tag[5] & 0x10) != 0 ? 10 : 0);
    }
    while (at < size && at > 0 && bytes[at] == 0)
        ++at;
    int frameSamples = 0;
    int rate = 0;
    int length = 0;
    if (at + 4 > size || !MpegFrame(&bytes[at], &frameSamples, &rate, &length))
        return -1.0;
    return MpegSeconds(bytes, limit);
}

Mix_Chunk* Sample(char const* file)
{
    auto found = samples.find(file);
    if (found != samples.end())
        return found->second;
    // The sample is decoded into memory of its own, only when its length is known to be within
    // bounds: the mixer decodes a file whole, whatever it holds.
    std::vector<unsigned char> bytes;
    SDL_RWops* stream = ReadSoundFile(file, DataFile_SoundLimit, &bytes);
    Mix_Chunk* chunk = nullptr;
    if (stream)
    {
        double const seconds = SoundSeconds(bytes, Audio_SampleSeconds);
        if (seconds >= 0.0 && seconds <= Audio_SampleSeconds)
            chunk = Mix_LoadWAV_RW(stream, 1);
        else
            SDL_RWclose(stream);
    }
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
