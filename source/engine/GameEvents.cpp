// The player's saved progress and its save-slot file.
#include "engine/GameEvents.h"

#include "engine/Level.h"
#include "util/DataFile.h"
#include "util/Error.h"

#include <cassert>
#include <cerrno>
#include <cstdio>
#include <cstring>

GameEvents* gameEvents = nullptr;
bool saveGame = false;

namespace
{

constexpr int FlagsOffset = Event_Count * 4;
constexpr int GemsOffset = FlagsOffset + GameEvents_LevelRows * GameEvents_GemSlots;

void PutInt32(unsigned char* out, std::int32_t value)
{
    std::uint32_t const u = static_cast<std::uint32_t>(value);
    out[0] = static_cast<unsigned char>(u);
    out[1] = static_cast<unsigned char>(u >> 8);
    out[2] = static_cast<unsigned char>(u >> 16);
    out[3] = static_cast<unsigned char>(u >> 24);
}

std::int32_t GetInt32(unsigned char const* in)
{
    std::uint32_t const u =
        std::uint32_t(in[0]) | std::uint32_t(in[1]) << 8 | std::uint32_t(in[2]) << 16 | std::uint32_t(in[3]) << 24;
    return static_cast<std::int32_t>(u);
}

} // namespace

GameEvents::GameEvents()
{
    New();
}

GameEvents::GameEvents(char const* path)
{
    New();
    FILE* f = HM_OpenFile(path, "rb", DataFile_SlotLimit);
    if (f == nullptr && errno == EFBIG)
    {
        // Far too large to be a slot: damaged, as a slot of any other wrong size is.
        damaged = true;
        return;
    }
    if (f == nullptr)
        throw Error(Error_OpenFile, path);
    // One byte more than a slot holds tells an oversized file from a good one.
    unsigned char bytes[GameEvents_FileSize + 1];
    std::size_t const got = std::fread(bytes, 1, sizeof bytes, f);
    std::fclose(f);
    if (got != GameEvents_FileSize)
    {
        damaged = true;
        return;
    }

    for (int i = 0; i < Event_Count; i++)
    {
        // A level stamps ticks within its steps; a later one can only come from a damaged slot.
        Tick const t = GetInt32(bytes + 4 * i);
        bool const valid = t >= GameEvent_HasHappened && t <= Level_TotalTime;
        damaged |= !valid;
        eventTimes[i] = valid ? t : GameEvent_HasntHappened;
    }
    LevelComplete();
    for (int r = 0; r < GameEvents_LevelRows; r++)
        for (int c = 0; c < GameEvents_GemSlots; c++)
        {
            unsigned char const flag = bytes[FlagsOffset + r * GameEvents_GemSlots + c];
            damaged |= flag > 1;
            levelFlags[r][c] = flag == 1 ? 1 : 0;
        }
    // The displays draw one icon per gem held, so a count no game can reach is refused here.
    std::int32_t const held = GetInt32(bytes + GemsOffset);
    bool const heldValid = held >= 0 && held <= GameEvents_MaxGems;
    damaged |= !heldValid;
    gems = heldValid ? held : 0;
}

void GameEvents::New()
{
    for (Tick& t : eventTimes)
        t = GameEvent_HasntHappened;
    std::memset(levelFlags, 0, sizeof levelFlags);
    gems = 0;
    damaged = false;
}

bool GameEvents::IsNew() const
{
    for (Tick t : eventTimes)
        if (t != GameEvent_HasntHappened)
            return false;
    for (auto const& row : levelFlags)
        for (std::uint8_t flag : row)
            if (flag != 0)
                return false;
    return gems == 0;
}

void GameEvents::Copy(GameEvents const* other)
{
    assert(other != nullptr);
    std::memcpy(eventTimes, other->eventTimes, sizeof eventTimes);
    std::memcpy(levelFlags, other->levelFlags, sizeof levelFlags);
    gems = other->gems;
}

void GameEvents::Save(char const* path, std::string* inTheWay) const
{
    unsigned char bytes[GameEvents_FileSize];
    for (int i = 0; i < Event_Count; i++)
        PutInt32(bytes + 4 * i, eventTimes[i]);
    std::memcpy(bytes + FlagsOffset, levelFlags, sizeof levelFlags);
    PutInt32(bytes + GemsOffset, gems);

    // Written beside the slot and renamed over it, so a failed or interrupted save never leaves a
    // truncated slot behind, nor writes through a link planted at either name.
    if (!HM_WriteWhole(path, bytes, sizeof bytes, true, inTheWay))
    {
        std::fprintf(stderr, "Couldn't save progress to %s: %s\n", path, std::strerror(errno));
        throw Error(Error_OpenFile, path);
    }
}

void GameEvents::LevelComplete()
{
    for (Tick& t : eventTimes)
        if (t != GameEvent_HasntHappened && t != GameEvent_HasHappened)
            t = GameEvent_HasHappened;
}

bool GameEvents::Happened(GameEvent e, Tick t) const
{
    assert(e >= 0 && e < Event_Count && "event >= 0 && event < Event_Count");
    Tick const stamp = eventTimes[e];
    if (stamp == GameEvent_HasHappened)
        return true;
    if (stamp == GameEvent_HasntHappened)
        return false;
    return stamp <= t;
}

bool GameEvents::NotHappened(GameEvent e, Tick t) const
{
    return !Happened(e, t);
}

Tick& GameEvents::operator[](int i)
{
    assert(i >= 0 && i < Event_Count && "i >= 0 && i < Event_Count");
    return eventTimes[i];
}

Tick GameEvents::operator[](int i) const
{
    assert(i >= 0 && i < Event_Count && "i >= 0 && i < Event_Count");
    return eventTimes[i];
}

int GameEvents::GetHeartCount() const
{
    return 4 + (Happened(6, 0) ? 1 : 0) + (Happened(7, 0) ? 1 : 0);
}

int GameEvents::GetSwordStrength() const
{
    bool const first = Happened(1, 0);
    bool const second = Happened(2, 0);
    if (first && second)
        return 4;
    return first || second ? 2 : 1;
}
