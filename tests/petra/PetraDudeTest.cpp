// The motel guests: their facing at the start and towards the hero, standing, drawing and aiming.
#include "engine/Event_ChatInfo.h"
#include "petra/PetraSupport.h"
#include "petra/Petra_Dude.h"
#include "support/MediaTestSupport.h"

#include <gtest/gtest.h>

#include <GL/gl.h>

namespace
{

class PetraDudeTest : public PetraFixture
{
protected:
    static void TalkFrom(Dude& dude, double x, Tick t)
    {
        Event_ChatInfo info;
        Pointf const at(x, 0.0);
        bool changed = false;
        dude.TalkTo(&at, &info, t, changed);
    }
};

TEST_F(PetraDudeTest, GuestsStartFacingRightButGaskAndTurnToTheHeroOneStepAfterATalk)
{
    for (int g = 0; g < Petra_Dude_Count; g++)
        EXPECT_EQ(Petra_Dude(map.get(), g).frame, g == 2 ? RightFrame : LeftFrame) << g;

    Petra_Dude guest(map.get(), 4);
    double const x = guest.GetPos().x;
    // From the left, the unmirrored picture faces left; from the right or the same x, mirrored.
    std::pair<double, std::uint32_t> const talks[] = {
        {x - 20.0, RightFrame}, {x + 20.0, LeftFrame}, {x - 1e-3, RightFrame}, {x, LeftFrame}};
    Tick t = 10;
    for (auto const& [from, facing] : talks)
    {
        std::uint32_t const before = guest.frame;
        TalkFrom(guest, from, t);
        guest.MoveToTime(map.get(), t);
        EXPECT_EQ(guest.frame, before) << from;
        guest.MoveToTime(map.get(), t + 1);
        EXPECT_EQ(guest.frame, facing) << from;
        t += 10;
    }
}

TEST_F(PetraDudeTest, AGuestStandsDrawsItsOnePictureEveryStepAndIsNoTarget)
{
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0.0, 640.0, 0.0, 480.0, -1.0, 1.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    Petra_Dude guest(map.get(), 0);
    Pointf const stood = guest.GetPos();
    Rgba const colour = GuestColour(0);
    for (Tick t = 1; t < 120; t++)
    {
        if (t == 60)
            TalkFrom(guest, stood.x - 20.0, t);
        guest.MoveToTime(map.get(), t);
        EXPECT_EQ(guest.GetPos(), stood) << t;
        glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT);
        guest.Render(map.get(), t);
        // The view's lower-left corner is (-320, -240) at scale 1; the body is 24 high.
        std::array<int, 3> const seen = Pixel(int(stood.x) + 320, int(stood.y) + 240 + 12);
        ASSERT_EQ(seen, (std::array<int, 3>{colour.r, colour.g, colour.b})) << t;
        Pointf at;
        EXPECT_FALSE(guest.GetTargetPos(map.get(), t, at));
        EXPECT_EQ(at, stood);
    }
}

} // namespace
