#include "media/ImageFrames.h"

#include <cassert>
#include <cstdio>
#include <string>

void LoadImageFrames(Image** images, int count, char const* base, Image_Flags flags)
{
    std::string const stem = base;
    try
    {
        for (int i = 0; i < count; i++)
        {
            assert(images[i] == nullptr && "frames not loaded yet");
            char number[16];
            std::snprintf(number, sizeof number, "%.2d.png", i);
            images[i] = new Image((stem + number).c_str(), flags, false);
        }
    }
    catch (...)
    {
        FreeImageFrames(images, count);
        throw;
    }
}

void FreeImageFrames(Image** images, int count)
{
    for (int i = 0; i < count; i++)
    {
        delete images[i];
        images[i] = nullptr;
    }
}
