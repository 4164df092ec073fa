// Translation between the keyboard's scancodes and the 16-bit virtual-key codes the game stores.
#pragma once

// Scancodes are the physical key numbers of the window system (0 to KeyCodes_ScancodeCount - 1).
// The virtual-key codes are those of the key-assignment file; punctuation follows the UK layout,
// so the key right of ';' is 0xC0 and the key left of '1' is 0xDF.
constexpr int KeyCodes_ScancodeCount = 512;

// The code of a physical key, 0 when the game has none for it.
unsigned short HM_ScancodeToVirtualKey(int scancode);

// A physical key that produces the code, -1 when none does. Codes with two keys (the two
// shifts, return and keypad enter) answer with the main one.
int HM_VirtualKeyToScancode(unsigned vk);
