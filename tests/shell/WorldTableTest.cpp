// The world table (each type's row, the generator's row beside it), the world fixture that builds any
// row, and the state digest over a built world's objects.
#include "engine/Char_Base.h"
#include "engine/GameEvents.h"
#include "engine/Player.h"
#include "plateau/Plato.h"
#include "shell/Digest.h"
#include "shell/World_Table.h"
#include "support/WorldFixture.h"
#include "tools/DataGen.h"
#include "treevillage/TreeV.h"
#include "util/Error.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <typeinfo>

namespace
{

class WorldTable : public WorldFixture
{
};

} // namespace

TEST(WorldTableRows, EachTypeHasItsRowAndTheGeneratorWritesTheDataOfEachWorldBuilt)
{
    for (int i = 0; i < World_Count; i++)
    {
        Level_Type const type = static_cast<Level_Type>(Level_TreeV + i);
        World_Row const& row = WorldRow(type);
        SCOPED_TRACE(row.folder);
        EXPECT_EQ(row.type, type);
        EXPECT_EQ(DataGen::worlds[i].type, type);
        EXPECT_STREQ(DataGen::worlds[i].folder, row.folder);
        EXPECT_STREQ(DataGen::worldDirs[i], row.folder);
        // Every world is built and reads its own map.
        EXPECT_NE(row.make, nullptr);
        EXPECT_NE(DataGen::worlds[i].write, nullptr);
    }
    EXPECT_EQ(WorldRow(Level_TreeV).completedPath, 0);
    EXPECT_EQ(WorldRow(Level_TreeV).restartPath, 5);
    EXPECT_EQ(WorldRow(Level_Final).completedPath, -1) << "the final world leads to the closing village";

    // A type none of the rows has is refused, naming it, before anything is built.
    GameEvents events;
    for (int type : {int(Level_None), Level_Final + 1})
    {
        try
        {
            delete MakeWorld(&events, static_cast<Level_Type>(type), false);
            ADD_FAILURE() << "built a world of the type " << type;
        }
        catch (Error const& e)
        {
            EXPECT_NE(std::string(e.Text()).find("level type " + std::to_string(type)), std::string::npos) << e.Text();
        }
    }
}

TEST_F(WorldTable, TheFixtureBuildsEveryRowWithItsProgressAndBuildsTheSameAgain)
{
    GameEvents taken;
    taken.levelFlags[Level_Plato - 1][0] = 1;
    for (int i = 0; i < World_Count; i++)
    {
        Level_Type const type = static_cast<Level_Type>(Level_TreeV + i);
        SCOPED_TRACE(WorldRow(type).folder);
        World_Base& built = Build(type, taken);
        EXPECT_TRUE(type != Level_TreeV || typeid(built) == typeid(TreeV));
        EXPECT_TRUE(type != Level_Plato || typeid(built) == typeid(Plato));
        EXPECT_EQ(Steps(3), Level_Continue);
        EXPECT_FALSE(Objects().empty());
    }

    // The plateau places some creatures by the C library's generator: built again, with the
    // generator moved on between, it is built alike, to the digest of its objects.
    Plato& first = static_cast<Plato&>(Build(Level_Plato, taken));
    EXPECT_EQ(first.GetChest(0), nullptr) << "its gem was taken";
    EXPECT_NE(first.GetChest(1), nullptr);
    Steps(20);
    std::uint32_t const once = StateDigest(events, world.get());
    std::rand();
    Build(Level_Plato, taken);
    Steps(20);
    EXPECT_EQ(StateDigest(events, world.get()), once);
    Destroy();
    EXPECT_EQ(world, nullptr);
}

TEST_F(WorldTable, TheDigestTakesEveryCharacterPlacedAndThePlayer)
{
    Build(Level_Plato);
    Steps(5);
    std::uint32_t const before = StateDigest(events, world.get());
    Char_Base* character = nullptr;
    for (Object* object : Objects())
        if ((character = dynamic_cast<Char_Base*>(object)) != nullptr)
            break;
    ASSERT_NE(character, nullptr);

    Pointf const at = character->GetPos();
    Pointf const moved(at.x + 1.0, at.y);
    character->SetPos(&moved);
    EXPECT_NE(StateDigest(events, world.get()), before) << "a creature moved";
    character->SetPos(&at);
    EXPECT_EQ(StateDigest(events, world.get()), before);

    std::uint32_t const frame = character->frame;
    character->frame ^= 1;
    EXPECT_NE(StateDigest(events, world.get()), before) << "a creature's frame";
    character->frame = frame;

    Player* player = world->GetPlayer();
    Pointf const stand = player->GetPos();
    Pointf const further(stand.x + 71.0, stand.y);
    player->SetPos(&further);
    EXPECT_NE(StateDigest(events, world.get()), before) << "the player";
    player->SetPos(&stand);
    EXPECT_EQ(StateDigest(events, world.get()), before);
}

TEST_F(WorldTable, AWorldWithoutItsMusicPlaysSilentAndSaysSoOnce)
{
    std::filesystem::path const music = data->path / "music/treevillage.mp3";
    std::filesystem::path const aside = data->path / "music/aside.mp3";
    std::filesystem::rename(music, aside);
    testing::internal::CaptureStderr();
    Error const error = TryBuild(Level_TreeV);
    std::string const said = testing::internal::GetCapturedStderr();
    std::filesystem::rename(aside, music);
    EXPECT_EQ(error.Code(), Error_None) << error.Text();
    std::size_t const first = said.find("music/treevillage.mp3");
    EXPECT_NE(first, std::string::npos) << said;
    EXPECT_EQ(said.find("music/treevillage.mp3", first + 1), std::string::npos) << said;
    EXPECT_EQ(Steps(3), Level_Continue);
}
