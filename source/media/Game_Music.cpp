// Music streams over the platform's mixer.
#include "media/Game_Music.h"

#include "platform/Audio.h"
#include "util/DataFile.h"
#include "util/Error.h"

int Game_Music::volume = 255;
int Game_Music::sndVolume = 255;
int Game_Music::channel = -1;

Game_Music::Game_Music(char const* file)
{
    stream = Audio::OpenStream(HM_GetFullPath(file));
    if (!stream)
        throw Error(Error_OpenFile, file);
    channel = Audio::PlayStream(stream);
    SetActualVolume();
}

Game_Music::~Game_Music()
{
    Audio::CloseStream(stream);
    // Later volume changes must not reach whatever the channel number is given to next.
    channel = -1;
}

void Game_Music::SetVolume(int v)
{
    volume = v;
    SetActualVolume();
}

int Game_Music::GetVolume()
{
    return volume;
}

void Game_Music::SetSecondVolume(int v)
{
    sndVolume = v;
    SetActualVolume();
}

int Game_Music::GetSecondVolume()
{
    return sndVolume;
}

void Game_Music::SetActualVolume()
{
    if (channel != -1)
        Audio::SetVolume(channel, volume * sndVolume / 255);
}

void Game_Music::Poll()
{
}
