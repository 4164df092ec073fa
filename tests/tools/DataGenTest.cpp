// DataGen: the generated data folder is complete for the loaders: every picture decodes,
// every world's image map loads, and the font and bubbles come up and draw.
#include "tools/DataGen.h"

#include "engine/SpeechBubble.h"
#include "media/GameFont.h"
#include "media/Image.h"
#include "media/Textures.h"
#include "support/MediaTestSupport.h"
#include "util/Pointf.h"

#include <memory>
#include <string>

using DataGenTest = MediaTestSupport_Gl;

TEST_F(DataGenTest, WrittenFolderLoadsWithTheGameLoaders)
{
    DataGen::WriteAll(".");

    int pictures = 0;
    for (auto const& entry : std::filesystem::recursive_directory_iterator("gfx"))
        if (entry.path().extension() == ".png")
        {
            std::string file = std::filesystem::relative(entry.path()).string();
            SCOPED_TRACE(file);
            Image img(file.c_str(), Image_Mask | Image_PadX | Image_PadY, false);
            EXPECT_TRUE(img.HasAlpha());
            ++pictures;
        }
    EXPECT_GT(pictures, 60);

    // Keyed by pure blue and by the bottom-right colour: the corners come out clear.
    for (char const* file : {"gfx/general/chest.png", "gfx/general/sign.png"})
    {
        Image img(file, Image_Mask, true);
        EXPECT_EQ(img.GetData()[3], 0) << file;
    }

    for (char const* world : DataGen::worldDirs)
    {
        std::string file = std::string(world) + "/imagemap";
        Textures textures(file.c_str());
        EXPECT_STREQ(textures.GetPrefix(), world);
        EXPECT_EQ(textures.GetEntry(3).numFrames, 4);
        EXPECT_EQ(textures.GetEntry(6).numFrames, 3);
        EXPECT_TRUE(textures.DefaultSolid(0));
    }

    GameFont font;
    EXPECT_GT(font.GetHeight(), 10);
    char all[numglyphs + 1] = {};
    for (int id = 0; id < numglyphs; ++id)
        all[id] = static_cast<char>(font.IdToChar(id));
    EXPECT_GT(font.MeasureText(all, -1), numglyphs * 4);

    SpeechBubble::Initialise(&font);
    SpeechBubble bubble("Hello there", -1, 100, Bubble_Speech);
    Pointf point(100, 100);
    for (int i = 0; i < 30; ++i)
        bubble.Poll();
    bubble.Render(static_cast<WorldTransform const*>(nullptr), &point);
    EXPECT_FALSE(IsBlack(250, 180));
    SpeechBubble::Finalise();
}
