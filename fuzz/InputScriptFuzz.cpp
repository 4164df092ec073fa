// The input script of a headless run.
#include "FuzzSupport.h"
#include "shell/InputScript.h"

extern "C" int LLVMFuzzerTestOneInput(std::uint8_t const* data, std::size_t size)
{
    char const* const file = "script";
    Fuzz::WriteFile(file, data, size);
    Fuzz::Load(file, [&] { InputScript const script(file); });
    return 0;
}
