// The input record each step reads: key states, the mouse and its clicks; and the key assignment.
#pragma once

#include "util/Pointf.h"

#include <cstdint>
#include <span>
#include <string>

constexpr int KeyData_Count = 61; // raw keys 0 to 51, then the game keys
constexpr int KeyData_FirstGameKey = 52;
constexpr int HM_Keys_Used = 9; // game keys
constexpr int KeyAssign_Count = 2 * HM_Keys_Used;

// Key states are bits, and readers test single bits. A key is never pressed and held in the
// same step: held starts in the step after the press.
enum KeyData_State : std::uint8_t
{
    KeyState_Up = 0,
    KeyState_Pressed = 1,  // went down in this step
    KeyState_Released = 2, // went up in this step
    KeyState_Held = 4,     // down since an earlier step
};

// Indices into KeyData::keys. Letters A to Z are 0 to 25.
enum KeyData_Index
{
    KeyIndex_A = 0,
    KeyIndex_Space = 26,
    KeyIndex_Delete = 39, // backspace and delete
    KeyIndex_Shift = 40,
    KeyIndex_Up = 43,
    KeyIndex_Down = 44,
    KeyIndex_Left = 45,
    KeyIndex_Right = 46,
    KeyIndex_Enter = 47,
    KeyIndex_Quote = 48, // the key with code 0xC0
    KeyIndex_Slash = 49,
    KeyIndex_Control = 50,
    KeyIndex_Escape = 51,
    KeyIndex_GameLeft = 52,
    KeyIndex_GameRight = 53,
    KeyIndex_GameJump = 54,
    KeyIndex_GameAction = 55,
    KeyIndex_GamePrevTarget = 56,
    KeyIndex_GameNextTarget = 57,
    KeyIndex_GameView = 58,
    KeyIndex_GameBackInTime = 59,
    KeyIndex_GameForwardInTime = 60,
};

// Copied whole into each step.
struct KeyData
{
    KeyData();

    // Ages the states at the end of a step: released keys go up, pressed keys become held.
    void Clean();

    std::uint8_t keys[KeyData_Count];
    Pointf mouse;               // logical units, x from the left edge, y down from the top edge
    std::uint8_t leftClick = 0; // the left button went down since the previous step
    std::uint8_t rightClick = 0;
};

// Game key g is bound to codes keyAssign[g] and keyAssign[g + 9].
extern std::uint16_t keyAssign[KeyAssign_Count];

// The raw key index of a virtual-key code, or -1.
int FindKey(unsigned vk);
// The game key (52 to 60) of the first assignment entry holding the code, or -1. A code bound
// to two game keys only ever reaches the first of them.
int FindGameKey(unsigned vk);

// Whether the game key's state in this step came with one of a screen's own raw keys: a code that
// reaches the game key is one of them, and that raw key went the same way in this step.
bool CameWithScreenKey(KeyData const& keys, int gameKey, std::span<int const> screenKeys);
// The record as a screen with keys of its own reads it: a game key that came with one of them is
// up, so that a key file putting a game key on an arrow, Enter or Escape makes no press act twice.
KeyData ScreenKeysAlone(KeyData const& keys, std::span<int const> screenKeys);

void DefaultKeyAssign();
// Replaces as many entries as the file "keyassign" holds, up to the 18, with the codes as they
// stand; a missing file changes nothing. A code no key produces is never matched, and one on two
// game keys acts as the first, so no code read needs refusing.
void LoadKeyAssign();
// Writes the 18 entries to "keyassign" whole, by way of a scratch file, or leaves the file as it
// was; false then, and the caller tells the player. When what stands at the scratch name cannot be
// removed (a folder), inTheWay, if given, gets that name.
bool SaveKeyAssign(std::string* inTheWay = nullptr);
