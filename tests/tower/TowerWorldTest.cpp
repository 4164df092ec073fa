// The tower built from the generated data.
#include "tower/Tower.h"

#include "engine/Player.h"
#include "support/WorldFixture.h"

#include <gtest/gtest.h>

class TowerWorld : public WorldFixture
{
protected:
    void SetUp() override
    {
        WorldFixture::SetUp();
        sounds.mute = 1;
    }
};

TEST_F(TowerWorld, Smoke)
{
    Build(Level_Tower);
    Tower& tower = As<Tower>();
    for (int i = 0; i < 200; i++)
        ASSERT_EQ(Step(), Level_Continue) << i;
    Pointf p = tower.GetPlayer()->GetPos();
    printf("pos %f %f scale %f zone %d\n", p.x, p.y, tower.GetPlayer()->GetScale(), tower.GetCameraZone());
}
