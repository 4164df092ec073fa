// A world's looping music stream and the music volumes.
#pragma once

struct Audio_Stream;

// Each world builds one for its own music and the level deletes it.
class Game_Music final
{
public:
    // Throws Error(Error_OpenFile) when the file cannot be opened; worlds play on without music.
    explicit Game_Music(char const* file);
    ~Game_Music();
    Game_Music(Game_Music const&) = delete;
    Game_Music& operator=(Game_Music const&) = delete;

    static void SetVolume(int v);
    static int GetVolume();
    // A second factor on the music volume, with which the last world fades its music out.
    static void SetSecondVolume(int v);
    static int GetSecondVolume();
    static void SetActualVolume();

    void Poll();

private:
    Audio_Stream* stream = nullptr;

    static int volume;
    static int sndVolume;
    static int channel; // of the stream started last, -1 while none plays
};
