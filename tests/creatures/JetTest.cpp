// The jet: its sound, the growing, full and receding flame, the puffs, the cone, the phases, and a
// jet without a period.
#include "creatures/CreatureTestSupport.h"
#include "support/TestAudio.h"

#include <cmath>
#include <cstdlib>
#include <limits>
#include <string>

namespace
{

constexpr int Size = 40;
constexpr int Wait = Jet::Jet_Wait_Duration;
constexpr int Fire = Jet::Jet_Fire_Duration;
Pointf const Nozzle(0.0, 0.0);

// The point at distance d from the nozzle, turned by off radians from the jet's direction.
Pointf Along(Direction direction, double d, double off)
{
    double const heading[4] = {0.0, Util::HalfTurn, -Util::QuarterTurn, Util::QuarterTurn};
    double const a = heading[direction] + off;
    return Pointf(Nozzle.x + d * std::sin(a), Nozzle.y + d * std::cos(a));
}

int Count(std::vector<Jet_Particle> const& particles, bool big)
{
    int n = 0;
    for (Jet_Particle const& p : particles)
        n += p.big == big ? 1 : 0;
    return n;
}

} // namespace

class JetTest : public CreatureTestSupport
{
protected:
    int HurtsAt(Jet& jet, Tick t, Direction direction, double d, double off = 0.0)
    {
        Pointf const p = Along(direction, d, off);
        return jet.IsPlayerHit(t, &p);
    }
};

TEST_F(JetTest, SoundsAtEachFiringStartAndHurtsInAGrowingThenRecedingFlame)
{
    std::filesystem::create_directories("sounds");
    TestAudio::WriteWav(Game_Sounds::FileName(Sound_SteamJet));
    ASSERT_TRUE(Audio::Open(Audio_Rate, Audio_Channels));
    Creature_World& w = MakeWorld({CreatureZone_Jets});
    sounds.SetCentrePoint(Nozzle, 1.0);
    Jet jet(w.GetPlayer(), Nozzle, Direction_Up, Size, Wait, Fire, 0);
    for (Tick t : {-1, 0, 1, 100, 349, 350, 700, 701})
    {
        jet.MoveToTime(w.GetMap(), t);
        bool const heard = TestAudio::ChannelOf(Game_Sounds::FileName(Sound_SteamJet)) >= 0;
        sounds.Stop(Sound_SteamJet);
        EXPECT_EQ(heard, t % 350 == 0) << "tick " << t;
    }

    double const full = Size * 4.0;
    EXPECT_EQ(HurtsAt(jet, 10, Direction_Up, 39.0), 1) << "a quarter grown";
    EXPECT_EQ(HurtsAt(jet, 10, Direction_Up, 41.0), 0);
    EXPECT_EQ(HurtsAt(jet, 0, Direction_Up, 0.5), 0) << "nothing has left yet";
    for (Tick t : {40, 70, 100})
    {
        EXPECT_EQ(HurtsAt(jet, t, Direction_Up, full - 1.0), 1) << "tick " << t;
        EXPECT_EQ(HurtsAt(jet, t, Direction_Up, full + 1.0), 0) << "tick " << t;
        EXPECT_EQ(HurtsAt(jet, t, Direction_Up, 1.0), 1) << "tick " << t;
    }
    // Fired 100 ticks, it recedes from the nozzle at 4 a tick and is gone after 100 + size.
    EXPECT_EQ(HurtsAt(jet, 110, Direction_Up, 39.0), 0);
    EXPECT_EQ(HurtsAt(jet, 110, Direction_Up, 41.0), 1);
    EXPECT_EQ(HurtsAt(jet, 139, Direction_Up, full - 2.0), 1);
    EXPECT_EQ(HurtsAt(jet, 141, Direction_Up, full - 1.0), 0);
    EXPECT_EQ(HurtsAt(jet, 350 + 70, Direction_Up, 100.0), 1) << "the next period";

    // The cone, whichever way the jet blows.
    for (Direction d : {Direction_Up, Direction_Down, Direction_Left, Direction_Right})
    {
        Jet turned(w.GetPlayer(), Nozzle, d, Size, Wait, Fire, 0);
        EXPECT_EQ(HurtsAt(turned, 70, d, 100.0), 1) << "direction " << d;
        EXPECT_EQ(HurtsAt(turned, 70, d, 100.0, 0.24), 1) << "direction " << d;
        EXPECT_EQ(HurtsAt(turned, 70, d, 100.0, 0.25), 0) << "direction " << d;
        EXPECT_EQ(HurtsAt(turned, 70, d, 100.0, -0.26), 0) << "direction " << d;
        EXPECT_EQ(HurtsAt(turned, 70, Direction((d + 2) % 4), 100.0), 0) << "direction " << d;
    }
}

TEST_F(JetTest, DrawsTheFlameAndPuffsFromTheirEmissionTicks)
{
    Creature_World& w = MakeWorld({CreatureZone_Jets});
    Jet jet(w.GetPlayer(), Nozzle, Direction_Right, Size, Wait, Fire, 0);
    // The ticks before 0 belong to the period before: at 0 only the first particle has left.
    EXPECT_EQ(Count(jet.ParticlesAt(0), true), 1);
    EXPECT_EQ(Count(jet.ParticlesAt(100), true), Size + 1);
    EXPECT_EQ(Count(jet.ParticlesAt(140), true), 1);
    EXPECT_EQ(Count(jet.ParticlesAt(141), true), 0);
    // Puffs leave at 116, 132, ... and are drawn for 40 ticks each.
    EXPECT_EQ(Count(jet.ParticlesAt(115), false), 0);
    EXPECT_EQ(Count(jet.ParticlesAt(116), false), 1);
    EXPECT_EQ(Count(jet.ParticlesAt(155), false), 3);
    EXPECT_EQ(Count(jet.ParticlesAt(156), false), 2);
    EXPECT_EQ(jet.ParticlesAt(116).back().pos, Nozzle) << "a puff starts at the nozzle";

    // A particle stays where its emission tick puts it, whatever tick is drawn.
    std::vector<Jet_Particle> const at60 = jet.ParticlesAt(60);
    std::vector<Jet_Particle> const at61 = jet.ParticlesAt(61);
    ASSERT_EQ(at61.size(), std::size_t(Size + 1));
    EXPECT_EQ(at60.back().pos, Nozzle);
    EXPECT_EQ(at61[at61.size() - 2].pos, jet.ParticlePos(60, 1, true));
    EXPECT_DOUBLE_EQ(jet.ParticlePos(60, 10, true).x, 40.0);
    EXPECT_LE(std::fabs(jet.ParticlePos(60, 10, true).y), 10.0);

    // Drawn phases are the draws after the seed, in the order built; the others stand as given.
    std::srand(Fixed_Seed);
    int const first = std::rand();
    int const second = std::rand();
    EXPECT_EQ(w.jets[1]->GetPhase(), ((first & 0x3FF) * Jet::Jet_Cycle_Duration) / 1024);
    EXPECT_EQ(w.jets[2]->GetPhase(), Jets_Phases[2]);
    EXPECT_EQ(w.jets[3]->GetPhase(), ((second & 0x3FF) * Jet::Jet_Cycle_Duration) / 1024);
    Jet late(w.GetPlayer(), Nozzle, Direction_Right, Size, Wait, Fire, 350 + 30);
    EXPECT_EQ(late.CycleAt(0), 30);
}

TEST_F(JetTest, AJetWithoutAPeriodIsRefusedNamingItsValues)
{
    Creature_World& w = MakeWorld({CreatureZone_Jets});
    for (auto [wait, fire] :
         {std::pair{0, 0}, std::pair{-5, 5}, std::pair{-10, 3}, std::pair{std::numeric_limits<int>::max(), 1}})
    {
        try
        {
            Jet jet(w.GetPlayer(), Pointf(12.0, 34.0), Direction_Left, 20, wait, fire, -1);
            ADD_FAILURE() << "wait " << wait << " fire " << fire << " was taken";
        }
        catch (Error const& e)
        {
            EXPECT_EQ(e.Code(), Error_ParseFile);
            std::string const text = e.Text();
            std::string const values = "wait " + std::to_string(wait) + " and fire " + std::to_string(fire);
            EXPECT_NE(text.find(values), std::string::npos) << text;
            EXPECT_NE(text.find("(12, 34)"), std::string::npos) << text;
        }
    }
    Jet shortest(w.GetPlayer(), Nozzle, Direction_Up, 20, 0, 1, 0);
    EXPECT_EQ(shortest.CycleAt(7), 0);
}
