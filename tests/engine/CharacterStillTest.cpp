// Character_Still: a body whose steps it skips ends every step as the step itself would leave it,
// whatever its keys, place and constants do and wherever a group it stands on is moved.
#include "engine/Character.h"

#include "engine/CharStats.h"
#include "support/RandomSeed.h"
#include "support/SmallMap.h"

#include <gtest/gtest.h>

#include <bit>
#include <memory>
#include <random>
#include <string>

namespace
{

constexpr unsigned int Still_Group = 5;

class Still_Body final : public Character
{
public:
    Still_Body()
    {
        stats = new CharStats;
        stats->width = 10.0;
        stats->height = 20.0;
        stats->accel = 0.5;
        stats->maxSpeed = 2.0;
        stats->decel = 0.5;
        stats->gravity = 0.2;
        stats->jumpDecay = 0.5;
        stats->jumpSpeed = 6.0;
        stats->frameCount = 5;
        stats->frameDist = 4.0;
    }
    Still_Body(Still_Body const&) = delete;
    Still_Body& operator=(Still_Body const&) = delete;
    ~Still_Body() override { stats->Destroy(); }
};

// The long floor with a block of Still_Group on it over x 300 to 400, 50 high, whose cover lets it
// rise 100.
std::unique_ptr<Map> ReadStillMap()
{
    MapWriter writer = FloorWriter();
    writer.AddBox(300.0, 0.0, 400.0, 50.0, 0, Still_Group, true, false, 64.0);
    std::unique_ptr<Map> map = MapFiles::Load<Map>(writer);
    Rectf const cover(0.0, 0.0, 0.0, 100.0);
    map->SetGroupCover(Still_Group, &cover);
    map->PreprocessCollision();
    return map;
}

// Every field of the body, bit for bit.
std::string Differs(Character const& a, Character const& b)
{
    auto same = [](double x, double y) { return std::bit_cast<std::uint64_t>(x) == std::bit_cast<std::uint64_t>(y); };
    std::string out;
    if (!same(a.pos.x, b.pos.x) || !same(a.pos.y, b.pos.y) || !same(a.angle, b.angle) || !same(a.scale, b.scale))
        out += " place";
    if (!same(a.speed, b.speed) || !same(a.fallSpeed, b.fallSpeed) || !same(a.jumpAngle, b.jumpAngle)
        || !same(a.jumpSpeed, b.jumpSpeed))
        out += " speeds";
    if (a.frame != b.frame || a.walkFrame != b.walkFrame || !same(a.walkPhase, b.walkPhase))
        out += " frame";
    if (a.onGround != b.onGround || a.groundPoly != b.groundPoly || a.groundEdge != b.groundEdge
        || a.airJumped != b.airJumped || a.jumped != b.jumped || a.keys != b.keys)
        out += " ground";
    return out;
}

} // namespace

TEST(CharacterStill, SkippedStepsLeaveTheBodyAsTheStepsWouldUnderRandomChanges)
{
    std::unique_ptr<Map> map = ReadStillMap();
    ForEachSeed(TestSeeds_Default, [&](unsigned seed) {
        std::mt19937 random(seed);
        auto chance = [&](int n) { return std::uniform_int_distribution<int>(0, n - 1)(random) == 0; };
        Still_Body stepped;
        Still_Body skipping;
        Character_Still still;
        double lift = 0.0;
        map->MoveGroup(Still_Group, 0.0, 0.0);
        int unchanged = 0;
        for (int step = 0; step < 3000; step++)
        {
            // Long stretches standing, now and then keys, a jump to another place (on the floor,
            // on the block or in the air), new constants or the block lifted.
            std::uint32_t keys = 0;
            if (chance(20))
                keys = std::uniform_int_distribution<std::uint32_t>(0, 15)(random);
            if (chance(150))
            {
                double const x = std::uniform_real_distribution<double>(200.0, 450.0)(random);
                double const y = chance(2) ? 0.0 : std::uniform_real_distribution<double>(0.0, 80.0)(random);
                stepped.pos = skipping.pos = Pointf(x, y);
            }
            if (chance(300))
                stepped.stats->maxSpeed = skipping.stats->maxSpeed = chance(2) ? 2.0 : 3.0;
            if (chance(100))
            {
                lift = chance(3) ? 0.0 : std::uniform_real_distribution<double>(0.0, 20.0)(random);
                map->MoveGroup(Still_Group, 0.0, lift);
            }
            stepped.keys = skipping.keys = keys;
            Character const before = skipping;
            stepped.Move(map.get());
            still.Move(skipping, map.get());
            unchanged += Differs(before, skipping).empty() ? 1 : 0;
            std::string const d = Differs(stepped, skipping);
            ASSERT_TRUE(d.empty()) << "step " << step << ":" << d;
        }
        EXPECT_GT(unchanged, 1000) << "the body mostly stands still";
    });
}
