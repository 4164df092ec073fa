// The wavy blob: the colour cycle, arm and body hits, flailing, curling, the body's shake, blinking and fall.
#include "creatures/WavyBlob.h"

#include "creatures/CreatureTestSupport.h"
#include "engine/Path.h"
#include "support/SmallMap.h"
#include "tools/creatures/CreatureSizes.h"
#include "util/Util.h"

#include <GL/gl.h>

#include <cmath>
#include <cstdlib>

namespace
{

constexpr unsigned int Home = 1;
Pointf const HomePos(0.0, 200.0);

std::unique_ptr<Map> BlobMap()
{
    MapWriter writer = FloorWriter();
    writer.AddRefPoint(Home, HomePos.x, HomePos.y);
    return ReadSmallMap(writer);
}

struct Shape
{
    Pointf pos[WavyBlob_Arm_Sections];
    double angle[WavyBlob_Arm_Sections];
};

Shape ShapeAt(WavyArm const* arm, Tick t)
{
    Shape s;
    arm->GetArmPos(t, &s.pos, &s.angle);
    return s;
}

// Where the arm left the body at its last move.
Pointf RootOf(WavyArm const* arm)
{
    double const a = arm->GetSegmentAngle(0);
    double const l = CreatureSize_WavySkin.height;
    return arm->GetSegmentPos(0) - Pointf(l * std::sin(a), l * std::cos(a));
}

// The root segment's direction of a living arm at t after flailing for f ticks.
double FirstAngle(WavyArm const* arm, Tick t, Tick f)
{
    double const period = arm->GetWavePeriod(0);
    return arm->GetBaseAngle()
           + WavyBlob_Arm_MaxAngle * std::sin((t + arm->GetWavePhase(0)) / period + 3.0 * f / period);
}

} // namespace

class WavyBlobTest : public CreatureTestSupport
{
protected:
    void SetUp() override
    {
        CreatureTestSupport::SetUp();
        WavyBlob::Initialise();
        map = BlobMap();
    }
    void TearDown() override
    {
        map.reset();
        WavyBlob::Finalise();
        CreatureTestSupport::TearDown();
    }

    std::unique_ptr<Map> map;
};

TEST_F(WavyBlobTest, ColoursCycleEvery512TicksSkippingDeadArms)
{
    bool dead[WavyBlob_Arm_Count] = {};
    WavyArm_Colour const cycle[] = {WavyArm_Blue, WavyArm_Red, WavyArm_Green, WavyArm_Purple, WavyArm_Blue};
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(WavyArm::GetColourForTime(512 * i, dead), cycle[i]) << i;
    dead[1] = true;
    for (Tick t : {512, 700, 1023})
        EXPECT_EQ(WavyArm::GetColourForTime(t, dead), WavyArm_Green) << t;
    dead[3] = true;
    EXPECT_EQ(WavyArm::GetColourForTime(1536, dead), WavyArm_Blue);
    dead[0] = dead[2] = true;
    EXPECT_EQ(WavyArm::GetColourForTime(100, dead), WavyArm_Grey);
}

TEST_F(WavyBlobTest, ArmsAndBodyTakeTheirSizesFromThePictures)
{
    WavyBlob blob(map.get(), Home, true, 1, 1);
    WavyArm* arm = blob.GetArm(1);
    Shape const s = ShapeAt(arm, 0);
    Pointf prev = HomePos;
    for (Pointf const& p : s.pos)
    {
        EXPECT_NEAR(std::hypot(p.x - prev.x, p.y - prev.y), CreatureSize_WavySkin.height, 1e-9);
        prev = p;
    }
    Pointf aim;
    EXPECT_TRUE(arm->GetTargetPos(map.get(), 0, aim));
    Pointf const tip = s.pos[WavyBlob_Arm_Sections - 1];
    EXPECT_NEAR(std::hypot(aim.x - tip.x, aim.y - tip.y), CreatureSize_WavyTip.width / 2, 1e-9);
    // The arm hurts within the skin's width of a segment end, the body within 0.75 of the face's.
    Pointf const near(tip.x + CreatureSize_WavySkin.width - 0.5, tip.y);
    Pointf const far(tip.x + CreatureSize_WavySkin.width, tip.y);
    EXPECT_EQ(arm->IsPlayerHit(0, &near), 1);
    EXPECT_EQ(arm->IsPlayerHit(0, &far), 0);
    blob.MoveToTime(map.get(), 0);
    Pointf const body(HomePos.x, HomePos.y + 0.75 * CreatureSize_WavyFace.width - 0.5);
    Pointf const beyond(HomePos.x, HomePos.y + 0.75 * CreatureSize_WavyFace.width);
    EXPECT_EQ(blob.IsPlayerHit(0, &body), 1);
    EXPECT_EQ(blob.IsPlayerHit(0, &beyond), 0);
}

TEST_F(WavyBlobTest, AColouredArmTakesHitsOnlyInItsColourAndEachHitOpensTheBody)
{
    WavyBlob blob(map.get(), Home, true, 5, 1);
    WavyArm* red = blob.GetArm(1);
    Shape const before = ShapeAt(red, 300);
    // Blue phase: the red arm takes nothing, the body stays shut.
    EXPECT_EQ(red->Hit(100, 1, 0), 0);
    EXPECT_EQ(red->GetHitPoints(100, 1), 1);
    EXPECT_FALSE(blob.IsOpen(100));
    EXPECT_EQ(ShapeAt(red, 300).angle[0], before.angle[0]);
    EXPECT_EQ(blob.Hit(150, 1, 0), 0);
    EXPECT_EQ(blob.GetHitPoints(150, 5), 5);

    // Red phase: it dies, and the body is open for [600, 800).
    red->Hit(600, 1, 0);
    EXPECT_TRUE(red->AliveAt(600));
    EXPECT_FALSE(red->AliveAt(601));
    EXPECT_FALSE(blob.IsOpen(599));
    EXPECT_TRUE(blob.IsOpen(799));
    EXPECT_FALSE(blob.IsOpen(800));
    // The dead red arm's phase now shows green; the body takes hits 200 apart.
    bool dead[WavyBlob_Arm_Count] = {false, true, false, false};
    EXPECT_EQ(WavyArm::GetColourForTime(700, dead), WavyArm_Green);
    blob.Hit(700, 1, 0);
    EXPECT_EQ(blob.GetHitPoints(700, 5), 4);
    EXPECT_EQ(blob.Hit(899, 1, 0), 0);
    EXPECT_EQ(blob.Hit(501, 1, 0), 0);
    blob.GetArm(2)->Hit(1100, 1, 0);   // green phase, the green arm: open again
    EXPECT_EQ(blob.Hit(900, 1, 0), 0); // open no longer
    blob.Hit(1101, 1, 0);
    EXPECT_EQ(blob.GetHitPoints(1101, 5), 3);
    // Once every arm is dead the body is open at every tick not within 200 of a body hit.
    blob.GetArm(3)->Hit(1600, 1, 0);
    blob.GetArm(0)->Hit(2100, 1, 0);
    blob.MoveToTime(map.get(), 5000);
    EXPECT_EQ(blob.GetFace(), WavyBlob::FaceFrame(WavyArm_Grey));
    EXPECT_TRUE(blob.IsOpen(5000));
    EXPECT_EQ(blob.Hit(2050, 1, 0), 0); // before the last arm died, outside any hurt range
    blob.Hit(5000, 1, 0);
    EXPECT_EQ(blob.GetHitPoints(5000, 5), 2);
    EXPECT_EQ(blob.Hit(4801, 1, 0), 0); // 199 before a recorded hit
    blob.Hit(4800, 1, 0);
    EXPECT_EQ(blob.GetHitPoints(5000, 5), 1);
}

TEST_F(WavyBlobTest, AnArmHitMakesEveryArmFlailFourTimesAsFastThenGoOnWithoutAJump)
{
    WavyBlob blob(map.get(), Home, false, 5, 3);
    WavyArm* hit = blob.GetArm(0);
    WavyArm* other = blob.GetArm(3);
    hit->Hit(1000, 1, 0);
    for (Tick t : {1000, 1001, 1100, 1199})
        EXPECT_DOUBLE_EQ(ShapeAt(other, t).angle[0], FirstAngle(other, t, t - 1000)) << t;
    EXPECT_DOUBLE_EQ(ShapeAt(other, 1200).angle[0], FirstAngle(other, 1200, 200));
    // A second hit inside the range merges with it.
    hit->Hit(1100, 1, 0);
    EXPECT_DOUBLE_EQ(ShapeAt(other, 1500).angle[0], FirstAngle(other, 1500, 300));

    // A hit before one already recorded (after travelling back) opens the body, adds no flail.
    WavyBlob late(map.get(), Home, false, 5, 3);
    late.GetArm(1)->Hit(3000, 1, 0);
    late.GetArm(1)->Hit(2000, 1, 0);
    EXPECT_TRUE(late.IsOpen(2000));
    EXPECT_DOUBLE_EQ(ShapeAt(late.GetArm(2), 2100).angle[0], FirstAngle(late.GetArm(2), 2100, 0));
    EXPECT_DOUBLE_EQ(ShapeAt(late.GetArm(2), 3100).angle[0], FirstAngle(late.GetArm(2), 3100, 100));
}

TEST_F(WavyBlobTest, ADeadArmCurlsFromItsShapeAtDeathAndStopsHurting)
{
    WavyBlob blob(map.get(), Home, false, 5, 1);
    for (int i : {1, 2})
    {
        WavyArm* arm = blob.GetArm(i);
        Tick const death = 1000 + 300 * i;
        arm->Hit(death, 1, 0);
        Shape const atDeath = ShapeAt(arm, death);
        EXPECT_DOUBLE_EQ(atDeath.angle[0], FirstAngle(arm, death, i == 1 ? 0 : 200)); // arm 1 flailed all
        bool const right = arm->GetBaseAngle() > 0.0;
        double const sign = right ? 1.0 : -1.0;
        // One tick on, the root segment has turned 1/20 from where it died, at most pi/8 off the base.
        double const turned = atDeath.angle[0] + sign / 20.0;
        double const limit = arm->GetBaseAngle() + sign * 0.392699081698725;
        EXPECT_DOUBLE_EQ(ShapeAt(arm, death + 1).angle[0], right ? std::min(turned, limit) : std::max(turned, limit));
        // Long after, each segment bends pi/8 further, never past straight down.
        Shape const curled = ShapeAt(arm, death + 5000);
        for (int k = 0; k < WavyBlob_Arm_Sections; ++k)
        {
            double const want = arm->GetBaseAngle() + sign * 0.392699081698725 * (k + 1);
            EXPECT_NEAR(curled.angle[k], right ? std::min(want, Util::HalfTurn) : std::max(want, -Util::HalfTurn),
                        1e-12);
        }
        EXPECT_EQ(arm->IsPlayerHit(death + 1, &curled.pos[3]), 0);
        Pointf aim;
        EXPECT_FALSE(arm->GetTargetPos(map.get(), death, aim));
    }
}

TEST_F(WavyBlobTest, AHitBodyShakesAndBlinksThenDiesDropsAndIsDrawnAHundredTicksMore)
{
    WavyBlob blob(map.get(), Home, true, 2, 1);
    blob.GetArm(0)->Hit(50, 1, 0);
    Tick const h = 100;
    ASSERT_EQ(blob.Hit(h, 1, 0), 0);
    Image const* grey = WavyBlob::FaceFrame(WavyArm_Grey);
    Image const* red = WavyBlob::FaceFrame(WavyArm_Red);
    for (Tick d = 0; d < 16; ++d)
    {
        blob.MoveToTime(map.get(), h + d);
        // Arm 0 is dead: the blue phase shows red.
        EXPECT_EQ(blob.GetFace(), d % 8 < 4 ? grey : red) << d;
    }
    blob.MoveToTime(map.get(), h + 200);
    EXPECT_EQ(blob.GetFace(), red);
    EXPECT_EQ(blob.GetPos(), HomePos);
    blob.MoveToTime(map.get(), h + 25);
    EXPECT_DOUBLE_EQ(blob.GetPos().x, HomePos.x + 16.0 * std::sin(25 * 37.6991118430776 / 200.0));
    EXPECT_DOUBLE_EQ(blob.GetPos().y, HomePos.y + 8.0 * std::sin(25 * 62.831853071796004 / 200.0));

    // The arms' shape during the shake is the same whichever tick was shown before, its root
    // where the body is at that tick.
    WavyArm* arm = blob.GetArm(3);
    Pointf const shown = HomePos + blob.GetPosAtTime(h + 25);
    for (Tick before : {h + 24, h + 9, h + 40, h + 25})
    {
        blob.MoveToTime(map.get(), before);
        arm->MoveToTime(map.get(), h + 25);
        EXPECT_EQ(RootOf(arm), shown) << before;
    }

    // Killed at 1750: drops by 0.05 e^2, drawn to 1850, not at 1851, and its arms drop with it.
    blob.GetArm(1)->Hit(600, 1, 0);
    ASSERT_EQ(blob.Hit(400, 1, 0), 0);
    EXPECT_EQ(blob.GetHitPoints(400, 2), 1);
    blob.GetArm(3)->Hit(1700, 1, 0); // purple phase
    blob.Hit(1750, 1, 0);
    EXPECT_TRUE(blob.AliveAt(1750));
    EXPECT_FALSE(blob.AliveAt(1751));
    EXPECT_TRUE(blob.ShownAt(1850));
    EXPECT_FALSE(blob.ShownAt(1851));
    EXPECT_DOUBLE_EQ(blob.GetPosAtTime(1760).y, 8.0 * std::sin(10 * 62.831853071796004 / 200.0) - 0.05 * 100);
    Pointf aim;
    EXPECT_FALSE(blob.GetTargetPos(map.get(), 1751, aim));
    arm->MoveToTime(map.get(), 2100);
    EXPECT_EQ(RootOf(arm), Pointf(HomePos.x, HomePos.y - 0.05 * 350 * 350));
}

TEST_F(WavyBlobTest, ABlobOnAPathCarriesItsBodyArmsAndAimingPoints)
{
    std::srand(5);
    WavyBlob still(map.get(), Home, false, 1, 1);
    std::srand(5);
    WavyBlob moving(map.get(), Home, false, 1, 1);
    moving.AssociatePath(new Path_Round(Pointf(0.0, 0.0), 120.0, 60.0, 1.0, false));
    Path_Round const path(Pointf(0.0, 0.0), 120.0, 60.0, 1.0, false);
    for (Tick t : {0, 50, 130, 200})
    {
        Pointf const offset = path.PositionAtTime(t).pos;
        still.MoveToTime(map.get(), t);
        moving.MoveToTime(map.get(), t);
        EXPECT_EQ(moving.GetPos(), still.GetPos() + offset) << t;
        Pointf a;
        Pointf b;
        still.GetTargetPos(map.get(), t, a);
        moving.GetTargetPos(map.get(), t, b);
        EXPECT_EQ(b, a + offset) << t;
        for (int i = 0; i < WavyBlob_Arm_Count; ++i)
        {
            EXPECT_EQ(ShapeAt(moving.GetArm(i), t).pos[0], ShapeAt(still.GetArm(i), t).pos[0] + offset);
            still.GetArm(i)->GetTargetPos(map.get(), t, a);
            moving.GetArm(i)->GetTargetPos(map.get(), t, b);
            EXPECT_EQ(b, a + offset) << t << " arm " << i;
        }
    }
    Pointf centre;
    double radius = 0.0;
    double scale = 0.0;
    still.GetArm(2)->ActivePoint(centre, radius, scale);
    EXPECT_DOUBLE_EQ(radius, 300.0);
    moving.ActivePoint(centre, radius, scale);
    EXPECT_DOUBLE_EQ(radius, 420.0);
    EXPECT_EQ(centre, HomePos);
}

TEST_F(WavyBlobTest, AnOpenGLErrorWhileDrawingAnArmIsReportedOnceAndDrawingGoesOn)
{
    WavyBlob blob(map.get(), Home, true, 1, 1);
    WavyArm* arm = blob.GetArm(0);
    arm->MoveToTime(map.get(), 0);
    glEnable(0x7FFF);
    ASSERT_NE(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    MessageBox::ClearRecorded();
    for (int i = 0; i < 3; ++i)
    {
        glEnable(0x7FFF); // a pending error, as a driver might leave one
        arm->Render(map.get(), 0);
    }
    int boxes = 0;
    for (MessageBox_Record const& box : MessageBox::Recorded())
        boxes += box.text.rfind("OpenGL error", 0) == 0 ? 1 : 0;
    EXPECT_EQ(boxes, 1);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}
