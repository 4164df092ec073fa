// The state checksum of a headless run.
#include "shell/Digest.h"

#include "engine/Char_Base.h"
#include "engine/Enemy.h"
#include "engine/GameEvents.h"
#include "engine/Level.h"
#include "engine/ObjectList.h"
#include "engine/Player.h"
#include "puzzles/World_Base.h"

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

    // The active point, where the thing has one (a point it also culls by).
    template <class Thing>
    void AddActivePoint(Thing const* thing)
    {
        Pointf centre;
        double radius = 0.0;
        double scale = 0.0;
        bool const active = thing->ActivePoint(centre, radius, scale);
        Add(active);
        if (!active)
            return;
        Add(centre.x);
        Add(centre.y);
        Add(radius);
        Add(scale);
    }

    void AddObject(Object const* object)
    {
        AddActivePoint(object);
        if (auto const* character = dynamic_cast<Char_Base const*>(object))
        {
            Pointf const pos = character->GetPos();
            Add(pos.x);
            Add(pos.y);
            Add(character->frame);
        }
    }

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
    auto const* world = dynamic_cast<World_Base const*>(level);
    if (world == nullptr)
        return fnv.Value();
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

    Tick const t = level->GetTick();
    ObjectList const* objects = world->GetObjects();
    PtrList<Object> const& placed = objects->GetObjects();
    for (int i = 0; i < placed.Count(); i++)
        if (placed[i] != nullptr)
            fnv.AddObject(placed[i]);
    PtrList<Enemy> const& enemies = objects->GetEnemies();
    for (int i = 0; i < enemies.Count(); i++)
        if (enemies[i] != nullptr)
        {
            fnv.AddActivePoint(enemies[i]);
            fnv.Add(enemies[i]->IsDead(t));
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

void PrintStepDigestIfAsked(int step, GameEvents const* events, Level const* level)
{
    // Read once: the main loop asks every step.
    static bool const asked = [] {
        char const* value = std::getenv("HM_DIGEST");
        return value != nullptr && std::strcmp(value, "steps") == 0;
    }();
    if (!asked || events == nullptr)
        return;
    std::printf("step %d %08x\n", step, static_cast<unsigned>(StateDigest(*events, level)));
}
