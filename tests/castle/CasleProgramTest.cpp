// The game program itself, run headless with scripted input: from the title through the map into the
// castle, where the owner stands in his hall, and closed there.
#include "castle/Casle_Ids.h"
#include "support/SaveSlotWriter.h"
#include "support/TestFolder.h"

#include <gtest/gtest.h>

#include <png.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace
{

// The program and the data generator are built beside the tests' folder.
std::string Built(char const* name)
{
    return std::filesystem::absolute(std::filesystem::path("..") / name).string();
}

struct Picture
{
    int width = 0;
    int height = 0;
    std::vector<unsigned char> rgb;

    explicit Picture(std::filesystem::path const& file)
    {
        png_image image = {};
        image.version = PNG_IMAGE_VERSION;
        if (!png_image_begin_read_from_file(&image, file.c_str()))
            return;
        image.format = PNG_FORMAT_RGB;
        rgb.resize(PNG_IMAGE_SIZE(image));
        png_image_finish_read(&image, nullptr, rgb.data(), 0, nullptr);
        width = static_cast<int>(image.width);
        height = static_cast<int>(image.height);
    }

    // Pixels of the owner's robe, a strong red.
    int Robe() const
    {
        int count = 0;
        for (std::size_t i = 0; i + 2 < rgb.size(); i += 3)
            count += rgb[i] > 140 && rgb[i + 1] < 60 && rgb[i + 2] < 70 ? 1 : 0;
        return count;
    }
    std::size_t Colours() const
    {
        std::set<int> seen;
        for (std::size_t i = 0; i + 2 < rgb.size(); i += 3)
            seen.insert(rgb[i] << 16 | rgb[i + 1] << 8 | rgb[i + 2]);
        return seen.size();
    }
};

} // namespace

TEST(CasleProgram, TheMapOpensTheCastleWhereTheOwnerStandsInHisHall)
{
    TestFolder root(false);
    std::filesystem::path const data = root.path / "data";
    ASSERT_EQ(0, std::system((Built("hm_datagen") + " " + data.string() + " > /dev/null").c_str()));
    std::filesystem::create_directories(root.path / "config/hollowmere");
    std::ofstream(root.path / "config/hollowmere/registry")
        << "[Software\\Velmora\\Hollowmere]\nInstallPath=" << data.string();
    GameEvents progress;
    progress[1] = GameEvent_HasHappened;
    progress.gems = 7;
    SaveSlotWriter const slot(Level_Casle, progress);
    slot.Write(data);
    // In the hall, a little way right towards the owner, then a picture and the end.
    int const in = slot.LevelStep();
    std::string const script = slot.Script() + std::to_string(in + 20) + " key 0x57 down\n" + std::to_string(in + 40)
                               + " key 0x57 up\n" + std::to_string(in + 200) + " shot hall.png\n"
                               + std::to_string(in + 210) + " close\n";
    std::ofstream(root.path / "script") << script;
    std::string const command = "cd " + data.string() + " && XDG_CONFIG_HOME=" + (root.path / "config").string()
                                + " HM_INPUT_SCRIPT=" + (root.path / "script").string() + " timeout 120 "
                                + Built("hollowmere") + " > game.log 2>&1";
    int const status = std::system(command.c_str());
    std::stringstream log;
    log << std::ifstream(data / "game.log").rdbuf();
    ASSERT_TRUE(WIFEXITED(status)) << log.str();
    EXPECT_EQ(0, WEXITSTATUS(status)) << log.str();
    EXPECT_EQ(std::string::npos, log.str().find("rror")) << log.str();
    Picture const hall(data / "hall.png");
    EXPECT_GT(hall.Colours(), 8u) << "a picture, not a cleared screen";
    EXPECT_GT(hall.Robe(), 40) << "the owner in his red robe";
    if (char const* keep = std::getenv("HM_KEEP_SHOT"))
        std::filesystem::copy_file(data / "hall.png", keep, std::filesystem::copy_options::overwrite_existing);
}
