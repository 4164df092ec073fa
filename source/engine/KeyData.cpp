// Key states, the raw key table and the key-assignment file.
#include "engine/KeyData.h"

#include "util/DataFile.h"

#include <cstdio>
#include <cstring>
#include <string>

std::uint16_t keyAssign[KeyAssign_Count] = {};

namespace
{

char const* const keyAssignFile = "keyassign";

} // namespace

KeyData::KeyData() : mouse(0.0, 0.0)
{
    std::memset(keys, KeyState_Up, sizeof keys);
}

void KeyData::Clean()
{
    for (std::uint8_t& state : keys)
    {
        if (state & KeyState_Released)
            state = KeyState_Up;
        if (state & KeyState_Pressed)
            state = KeyState_Held;
    }
}

int FindKey(unsigned vk)
{
    if (vk >= 0x41 && vk <= 0x5A)
        return static_cast<int>(vk - 0x41);
    switch (vk)
    {
    case 0x20:
        return KeyIndex_Space;
    case 0x08:
    case 0x2E:
        return KeyIndex_Delete;
    case 0x10:
        return KeyIndex_Shift;
    case 0x26:
        return KeyIndex_Up;
    case 0x28:
        return KeyIndex_Down;
    case 0x25:
        return KeyIndex_Left;
    case 0x27:
        return KeyIndex_Right;
    case 0x0D:
        return KeyIndex_Enter;
    case 0xC0:
        return KeyIndex_Quote;
    case 0xBF:
        return KeyIndex_Slash;
    case 0x11:
        return KeyIndex_Control;
    case 0x1B:
        return KeyIndex_Escape;
    default:
        return -1;
    }
}

int FindGameKey(unsigned vk)
{
    for (int i = 0; i < KeyAssign_Count; i++)
        if (keyAssign[i] == vk)
            return KeyData_FirstGameKey + i % HM_Keys_Used;
    return -1;
}

bool CameWithScreenKey(KeyData const& keys, int gameKey, std::span<int const> screenKeys)
{
    std::uint8_t const state = keys.keys[gameKey];
    if (state == KeyState_Up)
        return false;
    for (int i = gameKey - KeyData_FirstGameKey; i < KeyAssign_Count; i += HM_Keys_Used)
    {
        unsigned const vk = keyAssign[i];
        // A code that an earlier entry takes never reaches this game key.
        if (FindGameKey(vk) != gameKey)
            continue;
        int const raw = FindKey(vk);
        // Only the same change: with a second code on the game key, the other one's press or
        // release, while the screen's key is held, is the game key's own.
        if (raw >= 0 && (keys.keys[raw] & state) != 0)
            for (int own : screenKeys)
                if (own == raw)
                    return true;
    }
    return false;
}

KeyData ScreenKeysAlone(KeyData const& keys, std::span<int const> screenKeys)
{
    KeyData seen = keys;
    for (int k = KeyData_FirstGameKey; k < KeyData_Count; k++)
        if (CameWithScreenKey(keys, k, screenKeys))
            seen.keys[k] = KeyState_Up;
    return seen;
}

void DefaultKeyAssign()
{
    static constexpr std::uint16_t defaults[KeyAssign_Count] = {
        0x51, 0x57, 0x20, 0x50, 0x4F, 0x4B, 0x10, 0x31, 0x32, // key 1: Q W space P O K shift 1 2
        0x5A, 0x58, 0x20, 0x0D, 0xC0, 0xBF, 0x10, 0x41, 0x53, // key 2: Z X space return ' / shift A S
    };
    std::memcpy(keyAssign, defaults, sizeof keyAssign);
}

void LoadKeyAssign()
{
    std::FILE* file = HM_OpenFile(keyAssignFile, "rb", DataFile_KeysLimit);
    if (!file)
        return;
    std::uint8_t bytes[2 * KeyAssign_Count];
    std::size_t const count = std::fread(bytes, 2, KeyAssign_Count, file);
    std::fclose(file);
    for (std::size_t i = 0; i < count; i++)
        keyAssign[i] = static_cast<std::uint16_t>(bytes[2 * i] | bytes[2 * i + 1] << 8);
}

bool SaveKeyAssign(std::string* inTheWay)
{
    std::uint8_t bytes[2 * KeyAssign_Count];
    for (int i = 0; i < KeyAssign_Count; i++)
    {
        bytes[2 * i] = static_cast<std::uint8_t>(keyAssign[i] & 0xFF);
        bytes[2 * i + 1] = static_cast<std::uint8_t>(keyAssign[i] >> 8);
    }
    return HM_WriteWhole(keyAssignFile, bytes, sizeof bytes, true, inTheWay);
}
