// The key-assignment file, and the game keys looked up through it.
#include "FuzzSupport.h"
#include "engine/KeyData.h"
#include "platform/KeyCodes.h"

extern "C" int LLVMFuzzerTestOneInput(std::uint8_t const* data, std::size_t size)
{
    Fuzz::WriteFile("keyassign", data, size);
    DefaultKeyAssign();
    bool const taken = LoadKeyAssign(HM_VirtualKeyKnown);
    // Whatever the file held, the game is left with keys the player can press.
    if (!KeyAssignValid(keyAssign, HM_VirtualKeyKnown))
        std::abort();
    (void)taken;
    for (unsigned vk = 0; vk < 0x100; ++vk)
    {
        int const key = FindGameKey(vk);
        if (key != -1 && (key < KeyData_FirstGameKey || key >= KeyData_Count))
            std::abort();
    }
    return 0;
}
