// A test world built from broken data: each failure is an error naming its files, and frees what
// the level had built before it (the sanitized run's leak check sees anything left behind).
#include "support/TestWorldSupport.h"

#include <gmock/gmock.h>

#include <fstream>
#include <iterator>
#include <string>

namespace
{

class TestWorldBuild : public TestWorldSupport
{
protected:
    static std::string Read(char const* file)
    {
        std::ifstream in(file, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    static void Write(char const* file, std::string const& bytes)
    {
        std::ofstream(file, std::ios::binary).write(bytes.data(), std::streamsize(bytes.size()));
    }
    Error BuildFailure()
    {
        world.reset();
        return ThrownErrorOf([this] { world = std::make_unique<Test_World>(&events); });
    }
    template <class Build>
    static Error ThrownErrorOf(Build build)
    {
        try
        {
            build();
        }
        catch (Error const& e)
        {
            return e;
        }
        return Error(Error_None);
    }
};

} // namespace

TEST_F(TestWorldBuild, BrokenMapOrImageMapFailsNamingTheFilesAndLeavesNothingBuilt)
{
    std::string const map = Read("testworld/map");
    std::string const imageMap = Read("testworld/imagemap");
    ASSERT_GT(map.size(), 100u);

    Write("testworld/map", map.substr(0, map.size() / 2));
    Error cut = BuildFailure();
    EXPECT_EQ(cut.Code(), Error_ParseFile);
    EXPECT_STREQ(cut.Text(), "testworld/map");

    // Without its reference points the map reads whole, and the level fails after building it.
    std::string noPoints;
    for (std::size_t n = 1; n < 64 && noPoints.empty(); ++n)
    {
        std::size_t const at = map.size() - 4 - 21 * n;
        if (static_cast<unsigned char>(map[at + 3]) == n && map.compare(at, 3, std::string(3, '\0')) == 0)
            noPoints = map.substr(0, at) + std::string(4, '\0');
    }
    ASSERT_FALSE(noPoints.empty());
    Write("testworld/map", noPoints);
    Error lost = BuildFailure();
    EXPECT_EQ(lost.Code(), Error_ParseFile);
    EXPECT_THAT(lost.Text(), testing::HasSubstr("testworld/map"));
    Write("testworld/map", map);

    // A texture the map uses but the image map no longer names was drawn as texture 0.
    std::size_t const brick = imageMap.find("2 brick.png");
    ASSERT_NE(brick, std::string::npos);
    Write("testworld/imagemap", imageMap.substr(0, brick) + imageMap.substr(imageMap.find('\n', brick) + 1));
    Error unnamed = BuildFailure();
    Write("testworld/imagemap", imageMap);
    EXPECT_EQ(unnamed.Code(), Error_ParseFile);
    EXPECT_THAT(unnamed.Text(), testing::HasSubstr("testworld/map"));
    EXPECT_THAT(unnamed.Text(), testing::HasSubstr("testworld/imagemap"));

    EXPECT_FALSE(world);
    MakeWorld();
}
