// The placeholder sounds and music: short tones for every effect file and a looping tune per world.
#include "tools/SoundWriter.h"

#include "media/Game_Sounds.h"
#include "tools/DataGen.h"
#include "tools/WavWriter.h"

#include <lame/lame.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

namespace
{
constexpr int SoundWriter_Rate = 22050;
constexpr double SoundWriter_Pi = 3.14159265358979323846;

// A tone of a pitch and length that tell the effects apart: the pitch from the file's name,
// falling slightly, with a short fade in and a longer fade out so nothing clicks.
std::vector<std::int16_t> Tone(std::string const& name, double seconds)
{
    std::uint32_t hash = 2166136261u;
    for (unsigned char c : name)
        hash = (hash ^ c) * 16777619u;
    double const pitch = 220.0 + (hash % 660);
    size_t const count = size_t(seconds * SoundWriter_Rate);
    std::vector<std::int16_t> samples(count);
    double phase = 0.0;
    for (size_t i = 0; i < count; i++)
    {
        double const t = double(i) / SoundWriter_Rate;
        double const envelope = std::fmin(1.0, t / 0.01) * std::fmin(1.0, (seconds - t) / (seconds * 0.6));
        phase += 2.0 * SoundWriter_Pi * pitch * (1.0 - 0.3 * t / seconds) / SoundWriter_Rate;
        samples[i] = std::int16_t(std::sin(phase) * envelope * 12000.0);
    }
    return samples;
}

// A short arpeggio that loops without a gap, one per world.
std::vector<std::int16_t> Tune(int world)
{
    static double const steps[4] = {1.0, 1.25, 1.5, 1.25};
    double const root = 196.0 * std::pow(2.0, world / 12.0);
    size_t const noteLength = SoundWriter_Rate / 4;
    std::vector<std::int16_t> samples(noteLength * 16);
    for (size_t i = 0; i < samples.size(); i++)
    {
        size_t const note = i / noteLength;
        double const t = double(i % noteLength) / SoundWriter_Rate;
        double const pitch = root * steps[note % 4] * (note / 4 % 2 ? 1.5 : 1.0);
        double const envelope = std::fmin(1.0, t / 0.01) * std::exp(-t * 6.0);
        samples[i] = std::int16_t(std::sin(2.0 * SoundWriter_Pi * pitch * t) * envelope * 8000.0);
    }
    return samples;
}

void WriteFile(std::string const& path, void const* data, size_t size)
{
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f)
        throw std::runtime_error("cannot write " + path);
    bool const ok = std::fwrite(data, 1, size, f) == size;
    if (std::fclose(f) != 0 || !ok)
        throw std::runtime_error("cannot write " + path);
}

void WriteWav(std::string const& path, std::vector<std::int16_t> const& samples)
{
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    WavWriter::Write(path, SoundWriter_Rate, samples);
}

void WriteMp3(std::string const& path, std::vector<std::int16_t> samples)
{
    lame_global_flags* lame = lame_init();
    if (!lame)
        throw std::runtime_error("cannot start the MP3 encoder");
    lame_set_in_samplerate(lame, SoundWriter_Rate);
    lame_set_num_channels(lame, 1);
    lame_set_mode(lame, MONO);
    lame_set_brate(lame, 64);
    lame_set_quality(lame, 5);
    if (lame_init_params(lame) < 0)
    {
        lame_close(lame);
        throw std::runtime_error("cannot set up the MP3 encoder");
    }
    // The encoder's own worst case: 1.25 x samples + 7200 bytes.
    std::vector<unsigned char> out(samples.size() * 5 / 4 + 7200);
    int const size =
        lame_encode_buffer(lame, samples.data(), samples.data(), int(samples.size()), out.data(), int(out.size()));
    int const tail = size < 0 ? -1 : lame_encode_flush(lame, out.data() + size, int(out.size()) - size);
    lame_close(lame);
    if (size < 0 || tail < 0)
        throw std::runtime_error("cannot encode " + path);
    WriteFile(path, out.data(), size_t(size + tail));
}
} // namespace

void SoundWriter::WriteAll(std::string const& dir)
{
    std::set<std::string> written; // several ids share one file
    for (int id = 0; id < Sound_Count; id++)
    {
        std::string const file = Game_Sounds::FileName(Sound_Id(id));
        if (!written.insert(file).second)
            continue;
        std::string const path = dir + "/" + file;
        // The ticking warning loops, so it gets a short, even tick.
        double const seconds = id == Sound_Ticking ? 0.5 : 0.35;
        if (file.ends_with(".mp3"))
            WriteMp3(path, Tone(file, seconds));
        else
            WriteWav(path, Tone(file, seconds));
    }
    for (int world = 0; world < 9; world++)
        WriteMp3(dir + "/music/" + DataGen::worldDirs[world] + ".mp3", Tune(world));
}
