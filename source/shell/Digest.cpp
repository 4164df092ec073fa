// The state checksum of a headless run.
#include "shell/Digest.h"

#include "engine/GameEvents.h"
#include "engine/Level.h"
#include "engine/Player.h"
#include "testworld/Test_World.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace
{

class Fnv final
{
public:
    template <class T>
    void Add(T const& value)
    {
        unsigned char bytes[sizeof value];
        std::memcpy(bytes, &value, sizeof value);
        for (unsigned char b : bytes)
        {
            hash ^= b;
            hash *= 16777619u;
        }
    }
    std::uint32_t Value() const { return hash; }

private:
    std::uint32_t hash = 2166136261u;
};

} // namespace

std::uint32_t StateDigest(GameEvents const& events, Level const* level)
{
    Fnv fnv;
    for (Tick t : events.eventTimes)
        fnv.Add(t);
    for (auto const& row : events.levelFlags)
        for (std::uint8_t flag : row)
            fnv.Add(flag);
    fnv.Add(events.gems);
    if (level == nullptr)
        return fnv.Value();
    fnv.Add(level->GetTime());
    fnv.Add(level->GetRealSteps());
    fnv.Add(level->GetTimeSpeed());
    fnv.Add(level->IsTimeTravelling());
    if (auto const* world = dynamic_cast<Test_World const*>(level))
    {
        Player const* player = world->GetPlayer();
        Pointf const pos = player->GetPos();
        fnv.Add(pos.x);
        fnv.Add(pos.y);
        fnv.Add(player->speed);
        fnv.Add(player->fallSpeed);
        int hearts = 0;
        int most = 0;
        player->GetHitPoints(&hearts, &most);
        fnv.Add(hearts);
        fnv.Add(player->IsPlayerDead());
    }
    return fnv.Value();
}

void PrintDigestIfAsked(GameEvents const* events, Level const* level)
{
    char const* asked = std::getenv("HM_DIGEST");
    if (asked == nullptr || *asked == '\0' || events == nullptr)
        return;
    std::printf("digest %08x\n", static_cast<unsigned>(StateDigest(*events, level)));
    std::fflush(stdout);
}
