// The font's metrics file, read beside the generated glyph sheets, then texts measured and fitted.
#include "FuzzSupport.h"
#include "media/GameFont.h"
#include "tools/DataGen.h"

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    Fuzz::WorkDir();
    DataGen::WriteFont(".");
    Fuzz::OpenGl();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(std::uint8_t const* data, std::size_t size)
{
    Fuzz::WriteFile(GameFont::infoFile, data, size);
    Fuzz::Load(GameFont::infoFile, [&] {
        GameFont const font;
        char const* const text = "Hollowmere: the Clock Runs Back! 0123456789 \"(;-)\"";
        int const width = font.MeasureText(text, -1);
        font.FitText(text, -1, width / 2, 1.0);
        font.FitText(text, -1, 640, 2.0);
    });
    return 0;
}
