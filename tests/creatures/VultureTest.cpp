// The vulture: its drawn rhythm and patrol, the hashed swoops, the fall of a dead bird, too narrow a patrol.
#include "creatures/Vulture.h"

#include "support/SmallMap.h"
#include "util/Error.h"
#include "util/Util.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <string>

namespace
{

constexpr unsigned int Start = 1;
constexpr unsigned int End = 2;
constexpr unsigned int Swoop = 3;
constexpr double Width = 400.0;
constexpr double Dive = 200.0;

// Over the long floor: a beat 400 wide 300 up, with its swoop point 200 below.
std::unique_ptr<Map> VultureMap(double width = Width)
{
    MapWriter writer = FloorWriter();
    writer.AddRefPoint(Start, 0.0, 300.0);
    writer.AddRefPoint(End, width, 300.0);
    writer.AddRefPoint(Swoop, width / 2.0, 300.0 - Dive);
    return ReadSmallMap(writer);
}

// What a vulture built right after srand(seed) draws, in the order it must draw them.
struct Draws
{
    explicit Draws(unsigned int seed)
    {
        std::srand(seed);
        offset = (std::rand() & 127) - 64;
        flapPeriod = (std::rand() & 32) + 32;
        flapPhase = std::rand() % flapPeriod;
        patrolPeriod = static_cast<int>(Width * ((std::rand() & 127) + 128) / 64.0);
        patrolPhase = std::rand() % patrolPeriod;
        std::srand(seed);
    }
    // The first tick at which the patrol stands at p.
    Tick TickAt(int p) const { return ((p - patrolPhase) % patrolPeriod + patrolPeriod) % patrolPeriod; }

    int offset;
    int flapPeriod;
    int flapPhase;
    int patrolPeriod;
    int patrolPhase;
};

// A seed whose bird has a patrol period of the wanted parity.
unsigned int SeedWithEvenPeriod()
{
    unsigned int seed = 1;
    while (Draws(seed).patrolPeriod % 2 != 0)
        seed++;
    return seed;
}

double BaseY(Vulture const& bird)
{
    Pointf centre;
    double radius = 0.0;
    double scale = 0.0;
    EXPECT_TRUE(bird.ActivePoint(centre, radius, scale));
    return centre.y + Dive / 2.0;
}

} // namespace

TEST(Vulture, DrawsItsRhythmAndPatrolInOrderAndBirdsOnOnePointsDiffer)
{
    std::unique_ptr<Map> map = VultureMap();
    unsigned int const seed = SeedWithEvenPeriod();
    Draws const draws(seed);
    Vulture bird(map.get(), Start, End, Swoop, 1);
    Vulture other(map.get(), Start, End, Swoop, 1);

    EXPECT_DOUBLE_EQ(BaseY(bird), 300.0 + draws.offset);
    // The beat starts its rise at frame 4 and reaches frame 0 at its sinking part.
    Tick const beat = (draws.flapPeriod - draws.flapPhase) % draws.flapPeriod;
    int frame = -1;
    bird.PositionAtTime(map.get(), beat, &frame);
    EXPECT_EQ(frame, 4);
    bird.PositionAtTime(map.get(), beat + draws.flapPeriod / 3, &frame);
    EXPECT_EQ(frame, 0);
    for (Tick t = 0; t < 200; t++)
    {
        int later = -1;
        bird.PositionAtTime(map.get(), t, &frame);
        bird.PositionAtTime(map.get(), t + draws.flapPeriod, &later);
        ASSERT_EQ(frame, later) << "tick " << t;
    }

    // At the patrol's start it is at the start point, half a patrol later at the end point.
    EXPECT_DOUBLE_EQ(bird.PositionAtTime(map.get(), draws.TickAt(0), nullptr).x, 0.0);
    EXPECT_DOUBLE_EQ(bird.PositionAtTime(map.get(), draws.TickAt(draws.patrolPeriod / 2), nullptr).x, Width);

    bool differ = false;
    for (Tick t = 0; t < 1000 && !differ; t++)
        differ = bird.PositionAtTime(map.get(), t, nullptr) != other.PositionAtTime(map.get(), t, nullptr);
    EXPECT_TRUE(differ);
}

TEST(Vulture, SwoopsOnlyInItsHashedPatrolsAndWithinThem)
{
    std::unique_ptr<Map> map = VultureMap();
    Draws const draws(7);
    Vulture bird(map.get(), Start, End, Swoop, 1);
    double const base = BaseY(bird);
    int const period = draws.patrolPeriod;

    int swoops = 0;
    for (int cycle = 1; cycle < 400; cycle++)
    {
        std::int32_t const r = Util::Random(cycle, bird.Serial());
        int const s = r % (period - Vulture::Vulture_DiveTime);
        Tick const first = cycle * period - draws.patrolPhase;
        double lowest = 1e9;
        for (int p = 0; p < period; p++)
            lowest = std::fmin(lowest, bird.PositionAtTime(map.get(), first + p, nullptr).y - base);
        if ((r & 3) != 1 || s + Vulture::Vulture_DiveTime <= 0)
        {
            // The bob only ever lifts the bird.
            ASSERT_GE(lowest, 0.0) << "cycle " << cycle;
            continue;
        }
        if (s < -190)
            continue; // so little of a cut swoop is left that the bob may hide it
        swoops++;
        ASSERT_LT(lowest, 0.0) << "cycle " << cycle;
        double const atStart = bird.PositionAtTime(map.get(), first, nullptr).y - base;
        double const atEnd = bird.PositionAtTime(map.get(), first + period - 1, nullptr).y - base;
        EXPECT_GE(atEnd, 0.0) << "a swoop ends within its patrol; cycle " << cycle;
        if (s < 0)
            EXPECT_LT(atStart, 0.0) << "cycle " << cycle;
        else
            EXPECT_NEAR(bird.PositionAtTime(map.get(), first + s + 100, nullptr).y - base, -Dive, 6.0);
    }
    EXPECT_GT(swoops, 40);
}

TEST(Vulture, KilledItFallsFromItsPatrolSpeedAndIsGoneAfter128Ticks)
{
    std::unique_ptr<Map> map = VultureMap();
    unsigned int const seed = SeedWithEvenPeriod();
    Draws const draws(seed);
    Vulture bird(map.get(), Start, End, Swoop, 1);
    // Killed flying right, in a patrol without a swoop, high above the floor.
    Tick death = draws.TickAt(10) + 3 * draws.patrolPeriod;
    while ((Util::Random((draws.patrolPhase + death) / draws.patrolPeriod, bird.Serial()) & 3) == 1)
        death += draws.patrolPeriod;
    double const speed = Width / (draws.patrolPeriod / 2);

    bird.MoveToTime(map.get(), death - 1);
    Pointf const before = bird.GetPosition();
    EXPECT_EQ(bird.IsPlayerHit(death - 1, &before), 1);
    EXPECT_EQ(bird.Hit(death, 1, 0), 0);
    EXPECT_EQ(bird.IsPlayerHit(death - 1, &before), 1);

    Pointf const fell = bird.PositionAtTime(map.get(), death, nullptr);
    for (Tick k = 1; fell.y - 0.2 * k * (k + 1) / 2.0 > 1.0; k++)
    {
        Pointf const at = bird.PositionAtTime(map.get(), death + k, nullptr);
        ASSERT_NEAR(at.x, fell.x + speed * k, 1e-9);
        ASSERT_NEAR(at.y, fell.y - 0.2 * k * (k + 1) / 2.0, 1e-9);
    }
    // It lands on the floor, bounces and lies still once its 128 ticks are spent.
    bool bounced = false;
    double previous = fell.y;
    for (Tick k = 1; k <= Vulture::Vulture_DeathTime; k++)
    {
        double const y = bird.PositionAtTime(map.get(), death + k, nullptr).y;
        ASSERT_GE(y, -1e-9) << "tick " << death + k;
        bounced = bounced || y > previous;
        previous = y;
    }
    EXPECT_TRUE(bounced);
    EXPECT_EQ(bird.PositionAtTime(map.get(), death + 128, nullptr),
              bird.PositionAtTime(map.get(), death + 900, nullptr));

    Pointf out(-1.0, -1.0);
    EXPECT_TRUE(bird.GetTargetPos(map.get(), death - 1, out));
    EXPECT_FALSE(bird.GetTargetPos(map.get(), death, out));
    EXPECT_FALSE(bird.GetTargetPos(map.get(), death + 1, out));
    EXPECT_NE(out, Pointf(-1.0, -1.0)) << "still falling, it still answers where it is";
    out = Pointf(-1.0, -1.0);
    EXPECT_FALSE(bird.GetTargetPos(map.get(), death + 128, out));
    EXPECT_EQ(out, Pointf(-1.0, -1.0));

    bird.MoveToTime(map.get(), death + 50);
    Pointf const falling = bird.GetPosition();
    EXPECT_EQ(bird.GetFrame(), 4);
    EXPECT_EQ(bird.IsPlayerHit(death + 50, &falling), 0);
    bird.MoveToTime(map.get(), death + 200);
    EXPECT_EQ(bird.GetPosition(), falling) << "gone birds are not moved";
}

TEST(Vulture, APatrolNarrowerThan100AndAHalfIsRejected)
{
    std::unique_ptr<Map> narrow = VultureMap(100.0);
    try
    {
        Vulture bird(narrow.get(), Start, End, Swoop, 1);
        FAIL() << "a patrol 100 wide was accepted";
    }
    catch (Error const& e)
    {
        EXPECT_EQ(e.Code(), Error_ParseFile);
        std::string const text = e.Text();
        EXPECT_NE(text.find("test/map"), std::string::npos) << text;
        EXPECT_NE(text.find("1, 2, 3"), std::string::npos) << text;
    }

    // The narrowest patrol works whatever the draws give.
    std::unique_ptr<Map> map = VultureMap(100.5);
    std::srand(3);
    for (int i = 0; i < 50; i++)
    {
        Vulture bird(map.get(), Start, End, Swoop, 1);
        for (Tick t = 0; t < 2000; t += 7)
        {
            Pointf const at = bird.PositionAtTime(map.get(), t, nullptr);
            ASSERT_TRUE(std::isfinite(at.x) && std::isfinite(at.y)) << "tick " << t;
        }
    }
}
