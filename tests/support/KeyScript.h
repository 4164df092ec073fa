// KeyScript: the key records of scripted play, built step by step from the keys held in each.
#pragma once

#include "engine/KeyData.h"

#include <vector>

class KeyScript final
{
public:
    // The keys of the next step: those given are held, and pressed when they were up in the
    // last step; keys let go since then are released.
    KeyData Next(std::vector<int> const& held)
    {
        KeyData keys;
        for (int k : held)
            keys.keys[k] = Down(k) ? KeyState_Held : KeyState_Pressed;
        for (int k = 0; k < KeyData_Count; ++k)
            if (keys.keys[k] == KeyState_Up && Down(k))
                keys.keys[k] = KeyState_Released;
        last = keys;
        return keys;
    }

private:
    bool Down(int k) const { return (last.keys[k] & (KeyState_Pressed | KeyState_Held)) != 0; }

    KeyData last;
};
