// The hint panel of the master's house: it slides in with the hint key and never has anything to show.
#include "engine/GameEvents.h"
#include "killig/KiligScene.h"
#include "killig/KiligSupport.h"
#include "support/LevelFixture.h"
#include "support/MediaTestSupport.h"
#include "support/ReplayLevelFixture.h"

#include <gtest/gtest.h>

#include <GL/gl.h>

class KiligCanDoTest : public ReplayLevelFixture<LevelFixture, Kilig_Scene>
{
protected:
    static void SetUpTestSuite()
    {
        LevelFixture::SetUpTestSuite();
        WriteKiligImages(data->Path());
    }
};

TEST_F(KiligCanDoTest, WithTheHintKeyHeldThePanelComesInAndDrawsNothing)
{
    events.eventTimes[Event_Hint] = GameEvent_HasHappened;
    ASSERT_TRUE(BuildLevel());
    constexpr int HintKey = KeyIndex_A + 8;
    for (int i = 0; i < 80; i++)
        level->Poll(keyScript.Next({HintKey}));
    ASSERT_EQ(level->panel->GetPanelPos().x, CanDo_Image_Pad) << "the panel did not come in";

    level->SetProjection();
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    level->Plot(Level_Plot_Panel);
    for (int x = 0; x < 200; x += 3)
        for (int y = 0; y < 80; y += 3)
            ASSERT_TRUE(IsBlack(x, y)) << "drawn at " << x << ", " << y;

    // What it answers is only whether it was handed a text already.
    CanDo_Indicate empty{nullptr, false};
    EXPECT_FALSE(level->panel->FindMessage(&empty, 10));
    CanDo_Indicate given{"given", true};
    EXPECT_TRUE(level->panel->FindMessage(&given, 10));
    EXPECT_STREQ(given.mess, "given");
}
