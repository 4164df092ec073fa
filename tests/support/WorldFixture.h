// Test support: any world of the game built by its level type from the generated data folder, with
// a given progress record, stepped by scripted keys, and destroyed and built again.
#pragma once

#include "engine/GameEvents.h"
#include "engine/KeyData.h"
#include "engine/Level_Type.h"
#include "engine/Object.h"
#include "engine/ObjectList.h"
#include "puzzles/World_Base.h"
#include "shell/World_Table.h"
#include "support/LevelFixture.h"
#include "support/TestAudio.h"
#include "util/Error.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <vector>

struct WorldReplay;
struct WorldSweep;

class WorldFixture : public LevelFixture
{
    friend struct WorldReplay; // the whole-world replay run builds and steps through the fixture
    friend struct WorldSweep;  // and so does the missing-id sweep

protected:
    // Whatever a world places by the C library's generator, it places alike after this seed.
    static constexpr unsigned int Build_Seed = 1;

    static void SetUpTestSuite()
    {
        LevelFixture::SetUpTestSuite();
        TestAudio::WriteSounds(data->path, {"ticking", "success"});
    }

    void TearDown() override
    {
        Destroy();
        LevelFixture::TearDown();
    }

    // Builds the world of type as the game does with the progress record: the fixture's events
    // become a copy of it. Any world built before goes first. A build that throws fails the test
    // and passes the error on.
    World_Base& Build(Level_Type type, GameEvents const& record, bool ending = false)
    {
        events.Copy(&record);
        return Build(type, ending);
    }
    // The same with the fixture's events as they stand (as a later visit finds them).
    World_Base& Build(Level_Type type, bool ending = false)
    {
        Error const error = TryBuild(type, ending);
        if (error.Code() != Error_None)
        {
            ADD_FAILURE() << "building world " << type << ": " << error.Text();
            throw error;
        }
        return *world;
    }
    // Builds as Build does and returns the error the build threw, or Error_None once built.
    Error TryBuild(Level_Type type, bool ending = false)
    {
        Destroy();
        builtType = type;
        keyScript = KeyScript();
        std::srand(Build_Seed);
        try
        {
            world.reset(MakeWorld(&events, type, ending));
        }
        catch (Error const& e)
        {
            return e;
        }
        return Error(Error_None);
    }
    // Destroys the world and builds the same type again with the events as they stand.
    World_Base& Rebuild(bool ending = false) { return Build(builtType, ending); }
    void Destroy() { world.reset(); }

    // The world built, as its own class; the test fails where it is another.
    template <class World>
    World& As()
    {
        auto* built = dynamic_cast<World*>(world.get());
        EXPECT_NE(built, nullptr) << "world " << builtType << " is not of the class asked for";
        return *built;
    }

    // Every object and every enemy of the level, in the order the world added them.
    std::vector<Object*> Objects() const { return Present(world->GetObjects()->GetObjects()); }
    std::vector<Enemy*> Enemies() const { return Present(world->GetObjects()->GetEnemies()); }

    // One step with the keys held (pressed where they were up in the step before).
    Level_Action Step(std::vector<int> const& held = {}) { return world->Poll(keyScript.Next(held)); }
    // Up to count steps with the same keys held; the first result that ends the level, or
    // Level_Continue.
    Level_Action Steps(int count, std::vector<int> const& held = {})
    {
        for (int i = 0; i < count; i++)
            if (Level_Action const r = Step(held); r != Level_Continue)
                return r;
        return Level_Continue;
    }

    // The items of one of the level's lists, its empty slots left out.
    template <class Item>
    static std::vector<Item*> Present(PtrList<Item> const& list)
    {
        std::vector<Item*> all;
        for (int i = 0; i < list.Count(); i++)
            if (list[i] != nullptr)
                all.push_back(list[i]);
        return all;
    }

    std::unique_ptr<World_Base> world;
    Level_Type builtType = Level_None;
};
