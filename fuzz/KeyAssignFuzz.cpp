// The key-assignment file, and the game keys looked up through it.
#include "FuzzSupport.h"
#include "engine/KeyData.h"

extern "C" int LLVMFuzzerTestOneInput(std::uint8_t const* data, std::size_t size)
{
    Fuzz::WriteFile("keyassign", data, size);
    DefaultKeyAssign();
    std::uint16_t defaults[KeyAssign_Count];
    std::memcpy(defaults, keyAssign, sizeof defaults);
    LoadKeyAssign();
    // The file's whole entries as they stand, the defaults past its end.
    for (std::size_t i = 0; i < KeyAssign_Count; ++i)
    {
        std::uint16_t const expected =
            2 * i + 1 < size ? static_cast<std::uint16_t>(data[2 * i] | data[2 * i + 1] << 8) : defaults[i];
        if (keyAssign[i] != expected)
            std::abort();
    }
    // Whatever codes were read, a key found for them is a game key.
    auto check = [](unsigned vk) {
        int const key = FindGameKey(vk);
        if (key != -1 && (key < KeyData_FirstGameKey || key >= KeyData_Count))
            std::abort();
    };
    for (unsigned vk = 0; vk < 0x100; ++vk)
        check(vk);
    for (std::uint16_t code : keyAssign)
        check(code);
    return 0;
}
