// Every world's frames drawn in depth order (the map's opaque polygons first) against the same
// frames drawn layer by layer in order, along each world's road and while travelling in time.
#include "engine/KeyData.h"
#include "engine/Map.h"
#include "puzzles/World_Base.h"
#include "shell/World_Table.h"
#include "support/LevelFrame.h"
#include "support/RoadWalker.h"
#include "support/WorldFixture.h"
#include "tools/Road.h"

#include <gtest/gtest.h>

#include <GL/gl.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

class DepthOrderFrames : public WorldFixture
{
protected:
    // The frame drawn both ways, in depth order three times running (a backdrop drawn the same
    // way is kept and then put back); the most pixels that differ.
    int Differing()
    {
        world->SetOpaqueFirst(false);
        LevelFrame const inOrder = LevelFrame::Draw(*world);
        world->SetOpaqueFirst(true);
        int most = 0;
        for (int i = 0; i < 3; ++i)
        {
            LevelFrame const depthOrder = LevelFrame::Draw(*world);
            most = std::max(most, DifferingPixels(depthOrder.rgba, inOrder.rgba));
        }
        EXPECT_EQ(glIsEnabled(GL_DEPTH_TEST), GL_FALSE) << "the frame left the depth test on";
        // The projection the frame was drawn with allows drawing in depth order.
        EXPECT_TRUE(world->GetMap()->RenderOpaqueFirst(world->GetTime()));
        world->GetMap()->EndDepthOrder();
        return most;
    }
};

// The backdrops, the objects and the player between the layers, the fore layer, the clocks and
// the travel's wobble and tint all come out as drawing in order leaves them, in every world.
TEST_F(DepthOrderFrames, EveryWorldAlongItsRoadAndInTimeTravelShowsThePixelsOfDrawingInOrder)
{
    GLint depthBits = 0;
    glGetIntegerv(GL_DEPTH_BITS, &depthBits);
    ASSERT_GE(depthBits, 24) << "the game's window has no depth buffer to draw in depth order with";
    int travelled = 0;
    for (World_Row const& row : World_Table)
    {
        Build(row.type);
        Road road;
        std::string const roads = std::string(row.folder) + "/road";
        if (std::filesystem::exists(roads) && !Road::ReadAll(roads).empty())
            road = Road::ReadAll(roads).front();
        RoadWalker walker(*world, road);
        int frames = 0;
        for (int step = 0; step < 900; ++step)
        {
            std::vector<int> held;
            if (!walker.Done() && !walker.Stuck())
                held = walker.NextKeys();
            if (walker.Done() || walker.Stuck())
                held = {KeyIndex_GameRight};
            if (Step(held) != Level_Continue)
                break;
            if (step % 150 == 75)
            {
                EXPECT_EQ(Differing(), 0) << row.folder << " at step " << step;
                frames++;
            }
        }
        // Travelling back, where the world lets the player: the picture wobbles and takes the tint.
        for (int step = 0; step < 40 && world->GetTick() > 0; ++step)
            Step({KeyIndex_GameBackInTime});
        if (world->IsTimeTravelling())
        {
            EXPECT_EQ(Differing(), 0) << row.folder << " travelling in time";
            travelled++;
        }
        EXPECT_GE(frames, 1) << row.folder;
    }
    EXPECT_GE(travelled, 5) << "too few worlds were drawn while travelling in time";
}
