// HangOn: the interface of a point the player can hang from, such as a vine or a floating flower.
#pragma once

#include "util/Pointf.h"
#include "util/Tick.h"

#include <cstdint>

// The player's feet are held at hangPos while he hangs; the hooks let the thing he hangs from
// react. Bit 0 of GetInfo says whether a fan item works here.
class HangOn
{
public:
    HangOn();
    HangOn(HangOn const&) = default;
    HangOn& operator=(HangOn const&) = default;
    virtual ~HangOn() = default;

    virtual void PlayerHanging(Tick t);
    virtual void PlayerHangingWithFan(Tick t);
    virtual void PlayerJumped(Tick t);
    virtual std::uint32_t GetInfo(Tick t);

    Pointf hangPos; // where the player's feet are held
};
