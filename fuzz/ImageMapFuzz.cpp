// A world's image map: the texture table and the pictures it names under gfx/map/.
#include "FuzzSupport.h"
#include "media/Image.h"
#include "media/Textures.h"
#include "tools/DataGen.h"

#include <memory>

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    Fuzz::WorkDir();
    DataGen::WriteTextureLists(".");
    Fuzz::OpenGl();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(std::uint8_t const* data, std::size_t size)
{
    char const* const file = "imagemap";
    Fuzz::WriteFile(file, data, size);
    Fuzz::Load(file, [&] {
        Textures const textures(file);
        for (int id = 0; id < textures.GetNumTextures(); ++id)
        {
            textures.Associate(12345, static_cast<unsigned int>(id));
            (void)textures.GetImage(static_cast<unsigned int>(id))->GetWidth();
        }
    });
    return 0;
}
