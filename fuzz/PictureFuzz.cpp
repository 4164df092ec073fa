// A PNG picture, loaded as the game loads its sprites (kept for cutting) and its masked textures.
#include "FuzzSupport.h"
#include "media/Image.h"

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    Fuzz::WorkDir();
    Fuzz::OpenGl();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(std::uint8_t const* data, std::size_t size)
{
    char const* const file = "picture.png";
    Fuzz::WriteFile(file, data, size);
    Fuzz::Load(file, [&] {
        Image const kept(file, Image_Plain, true);
        if (kept.GetWidth() >= 2 && kept.GetHeight() >= 2)
            Image const clip(&kept, 1, 1, kept.GetWidth() - 1, kept.GetHeight() - 1);
    });
    Fuzz::Load(file, [&] { Image const masked(file, Image_Mask | Image_PadX | Image_PadY, false); });
    return 0;
}
