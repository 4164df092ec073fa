// What a conversation script says for one step of a conversation.
#pragma once

#include <cstdint>

// Bits of Event_ChatInfo::flags.
constexpr std::uint32_t Chat_CloseHero = 0x1;  // the hero's bubble closes
constexpr std::uint32_t Chat_CloseOther = 0x2; // the villager's bubble closes
constexpr std::uint32_t Chat_End = 0x4;        // the conversation is over
constexpr std::uint32_t Chat_HeroThinks = 0x8; // the hero's line is a thought, not speech

struct Event_ChatInfo
{
    std::uint32_t flags = 0;
    char const* heroText = nullptr;  // a new line for the hero; not owned
    char const* otherText = nullptr; // a new line for the villager; not owned
    int showTime = 300;              // steps a new bubble stays up
};
