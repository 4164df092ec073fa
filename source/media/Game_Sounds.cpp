// The sound-effect table over the platform's mixer.
#include "media/Game_Sounds.h"

#include "platform/Audio.h"
#include "util/DataFile.h"
#include "util/Util.h"

#include <algorithm>
#include <cassert>

Game_Sounds* gameSounds = nullptr;

int Game_Sounds::volume = 255;

char const* const Game_Sounds::files[Sound_Count] = {
    "sounds/jump.wav",        "sounds/dragon1.wav",  "sounds/dragon2.wav",    "sounds/dragon3.wav",
    "sounds/throw.wav",       "sounds/pickup.wav",   "sounds/vulture.wav",    "sounds/vulturehit.wav",
    "sounds/ticking.wav",     "sounds/success.wav",  "sounds/doorcreak.wav",  "sounds/doorthud.wav",
    "sounds/hit.wav",         "sounds/machine.wav",  "sounds/zoveduv.wav",    "sounds/playerhit.mp3",
    "sounds/monsterhit.wav",  "sounds/jump.wav",     "sounds/monsterhit.wav", "sounds/turtlecharge.wav",
    "sounds/explode.wav",     "sounds/boing.wav",    "sounds/dooropen.wav",   "sounds/dooropen.wav",
    "sounds/imp.wav",         "sounds/wavyblob.mp3", "sounds/monsterhit.wav", "sounds/wasp.wav",
    "sounds/squish.wav",      "sounds/pop.wav",      "sounds/scaledown.wav",  "sounds/scaleup.wav",
    "sounds/crisp.wav",       "sounds/explode.wav",  "sounds/recharge.wav",   "sounds/boulderland.wav",
    "sounds/boulderland.wav", "sounds/mozzy.wav",    "sounds/uiselect.wav",   "sounds/spike.wav",
    "sounds/chestopen.wav",   "sounds/steamjet.wav", "sounds/aerialturn.wav", "sounds/static.wav",
    "sounds/uimove.wav",      "sounds/uiselect.wav",
};

Game_Sounds::Game_Sounds()
{
    for (int i = 0; i < Sound_Count; i++)
        entries[i].file = files[i];
    entries[Sound_Boing].volume = 24;
    entries[Sound_Wasp].volume = 30;
    entries[Sound_SteamJet].volume = 30;
    entries[Sound_UiMove].volume = 160;
    entries[Sound_UiSelect2].volume = 160;
}

char const* Game_Sounds::FileName(Sound_Id id)
{
    assert(id >= 0 && id < Sound_Count);
    return files[id];
}

void Game_Sounds::InitSound(Sound_Id id)
{
    if (id == Sound_None)
        return;
    assert(id >= 0 && id < Sound_Count);
    entries[id].initialised = 1;
}

void Game_Sounds::SetVolume(int v)
{
    volume = v;
}

int Game_Sounds::GetVolume()
{
    return volume;
}

void Game_Sounds::SetSoundVolume(Sound_Id id, int v)
{
    if (id == Sound_None)
        return;
    assert(id >= 0 && id < Sound_Count);
    entries[id].volume = v;
    int channel = LiveChannel(id);
    if (channel >= 0)
        Audio::SetVolume(channel, GetTotalVolume(id));
}

int Game_Sounds::GetSoundVolume(Sound_Id id) const
{
    if (id == Sound_None)
        return 0;
    assert(id >= 0 && id < Sound_Count);
    return entries[id].volume;
}

int Game_Sounds::GetTotalVolume(Sound_Id id) const
{
    if (id == Sound_None)
        return 0;
    assert(id >= 0 && id < Sound_Count);
    return entries[id].volume * volume / 255;
}

void Game_Sounds::SetCentrePoint(Pointf p, double scale)
{
    listener = p;
    listenerScale = scale;
}

void Game_Sounds::Play(Sound_Id id, Pointf const* pos, bool skipIfPlaying, double scale)
{
    if (id == Sound_None)
        return;
    assert(id >= 0 && id < Sound_Count);
    Start(id, pos, skipIfPlaying, scale, entries[id].volume);
}

void Game_Sounds::PlayAtVolume(Sound_Id id, Pointf const* pos, double scale, int entryVolume)
{
    if (id == Sound_None)
        return;
    assert(id >= 0 && id < Sound_Count);
    Start(id, pos, false, scale, std::clamp(entryVolume, 0, 255));
}

void Game_Sounds::Start(Sound_Id id, Pointf const* pos, bool skipIfPlaying, double scale, int entryVolume)
{
    int v = entryVolume * volume / 255;
    Entry& entry = entries[id];
    if (mute == 1 || entry.initialised == 0)
        return;
    if (skipIfPlaying && LiveChannel(id) >= 0)
        return;
    if (pos)
    {
        // An unset or broken scale must not blow the distance up or turn it negative.
        double listenerDivisor = listenerScale > 0.0 ? listenerScale : 1.0;
        double callerDivisor = scale > 0.0 ? scale : 1.0;
        double d = listener.DistanceEst(pos) / std::min(listenerDivisor, callerDivisor);
        if (d - Sound_CutOffDist >= Util::Eps)
            return;
        if (d - Sound_AttenuateDist >= Util::Eps)
            v = v * (255 - static_cast<int>((d - Sound_AttenuateDist) / 400.0 * 255.0)) / 255;
    }
    entry.channel = Audio::Play(HM_GetFullPath(entry.file), false);
    if (entry.channel >= 0)
        Audio::SetVolume(entry.channel, v);
}

void Game_Sounds::Loop(Sound_Id id)
{
    if (id == Sound_None)
        return;
    assert(id >= 0 && id < Sound_Count);
    // A loop runs until stopped; a channel left over from an ended play must not block it.
    if (LiveChannel(id) >= 0)
        return;
    Entry& entry = entries[id];
    entry.channel = Audio::Play(HM_GetFullPath(entry.file), true);
    if (entry.channel >= 0)
        Audio::SetVolume(entry.channel, GetTotalVolume(id));
}

void Game_Sounds::Stop(Sound_Id id)
{
    if (id < 0 || id >= Sound_Count)
        return;
    int channel = LiveChannel(id);
    if (channel >= 0)
        Audio::Stop(channel);
    entries[id].channel = -1;
}

int Game_Sounds::LiveChannel(Sound_Id id) const
{
    Entry const& entry = entries[id];
    if (entry.channel >= 0 && Audio::Plays(entry.channel, HM_GetFullPath(entry.file)))
        return entry.channel;
    return -1;
}
