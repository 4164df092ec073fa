// The default hang point: holds the player and reacts to nothing.
#include "engine/HangOn.h"

HangOn::HangOn() : hangPos(0.0, 0.0)
{
}

void HangOn::PlayerHanging(Tick)
{
}

void HangOn::PlayerHangingWithFan(Tick)
{
}

void HangOn::PlayerJumped(Tick)
{
}

std::uint32_t HangOn::GetInfo(Tick)
{
    return 0;
}
