// Textures: image-map entries of every form, animation frames by clock, fall-backs and
// malformed files rejected with the file named.
#include "media/Textures.h"

#include "media/Image.h"
#include "support/MediaTestSupport.h"
#include "tools/Canvas.h"
#include "util/DataFile.h"
#include "util/Error.h"

#include <gmock/gmock.h>

#include <filesystem>
#include <string>

namespace
{

void WritePicture(char const* name, int w, int h, PngFormat format = PngFormat::Rgb)
{
    std::filesystem::create_directories("gfx/map");
    Canvas c(w, h, Rgba{90, 60, 30, 255});
    c.Set(1, 1, Rgba{200, 0, 0, 255});
    c.WritePng(std::string("gfx/map/") + name, format);
}

GLuint BoundTexture()
{
    GLint bound = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    return static_cast<GLuint>(bound);
}

} // namespace

class TexturesTest : public MediaTestSupport_Gl
{
protected:
    // The error of loading the image map with the given text.
    Error Failure(std::string const& text)
    {
        dir.WriteText("world/imagemap", text);
        return ThrownError([] { Textures textures("world/imagemap"); });
    }
};

TEST_F(TexturesTest, EntriesOfEveryFormLoadWithTheirLettersAndFrames)
{
    for (char const* name : {"rock.png", "brick.png", "tile.png", "sky.png", "old.png", "new.png"})
        WritePicture(name, 16, 8);
    for (int i = 0; i < 4; ++i)
        WritePicture(("lava0" + std::to_string(i) + ".png").c_str(), 8, 8);
    dir.WriteText("world/imagemap", "world\n"
                                    "# a comment line\n"
                                    "0 rock.png s\n"
                                    "7 brick.png hv\n"
                                    "8 tile.png hvp\n"
                                    "4 sky.png\n"
                                    "3 lava**.png m 4 2560\n"
                                    "5 old.png\n"
                                    "5 new.png hsh\n");
    Textures textures("world/imagemap");
    EXPECT_STREQ(textures.GetPrefix(), "world");
    ASSERT_EQ(textures.GetNumTextures(), 9);

    // Unrepeated directions are padded; "p" drops the padding.
    Image const* rock = textures.GetImage(0);
    EXPECT_EQ(rock->GetWidth(), 20u);
    EXPECT_EQ(rock->GetHeight(), 12u);
    EXPECT_TRUE(textures.DefaultSolid(0));
    EXPECT_EQ(textures.GetImage(7)->GetWidth(), 16u);
    EXPECT_EQ(textures.GetImage(7)->GetHeight(), 8u);
    EXPECT_FALSE(textures.DefaultSolid(7));
    EXPECT_EQ(textures.GetImage(8)->GetWidth(), 16u);
    EXPECT_EQ(textures.GetImage(8)->GetHeight(), 8u);
    EXPECT_EQ(textures.GetImage(4)->GetWidth(), 20u);
    EXPECT_EQ(textures.GetImage(4)->GetHeight(), 12u);

    // The later line of an id replaces the earlier one.
    EXPECT_EQ(textures.GetImage(5)->GetWidth(), 16u);
    EXPECT_EQ(textures.GetImage(5)->GetHeight(), 12u);
    EXPECT_TRUE(textures.DefaultSolid(5));

    // Ids that no line names draw as entry 0.
    for (unsigned id : {1u, 2u, 6u})
    {
        EXPECT_EQ(textures.GetImage(id), rock);
        textures.Associate(0, id);
        EXPECT_EQ(BoundTexture(), rock->GetTexture());
    }

    Textures_Texture const& lava = textures.GetEntry(3);
    ASSERT_EQ(lava.numFrames, 4);
    EXPECT_EQ(lava.ticksPerFrame, 2560);
    EXPECT_TRUE(lava.frames[0]->HasAlpha());
    EXPECT_EQ(lava.frames[0]->GetWidth(), 12u);
    struct
    {
        Tick clock;
        int frame;
    } const steps[] = {{0, 0}, {2559, 0}, {2560, 1}, {39 * 256, 3}, {40 * 256, 0}, {5 * 2560 + 7, 1}};
    for (auto const& step : steps)
    {
        textures.Associate(step.clock, 3);
        EXPECT_EQ(BoundTexture(), lava.frames[step.frame]->GetTexture()) << step.clock;
    }
}

TEST_F(TexturesTest, MalformedImageMapsAreRejectedNamingTheFile)
{
    WritePicture("rock.png", 8, 8);
    Error noZero = Failure("world\n1 rock.png\n");
    EXPECT_EQ(noZero.Code(), Error_ParseFile);
    EXPECT_STREQ(noZero.Text(), "world/imagemap");
    EXPECT_EQ(Failure("world\n0 rock.png\n4096 rock.png\n").Code(), Error_ParseFile);
    EXPECT_EQ(Failure("world\n0 rock.png\n-1 rock.png\n").Code(), Error_ParseFile);
    EXPECT_EQ(Failure("world\n0 rock.png\n1 w**.png 0 10\n").Code(), Error_ParseFile);
    EXPECT_EQ(Failure("world\n0 rock.png\n1 w**.png 101 10\n").Code(), Error_ParseFile);
    EXPECT_EQ(Failure("world\n0 rock.png\n1 w**.png 2 -5\n").Code(), Error_ParseFile);
    EXPECT_EQ(Failure("world\n0 rock.png\n1 w**.png\n").Code(), Error_ParseFile);
    EXPECT_EQ(Failure("world\n0 rock.png\n1 w* 2 10\n").Code(), Error_ParseFile);
    EXPECT_EQ(Failure("").Code(), Error_ParseFile);

    // Names longer than any path are cut, and then simply not found.
    Error const longName = Failure("world\n0 " + std::string(5000, 'x') + "\n");
    EXPECT_EQ(longName.Code(), Error_OpenFile);
    EXPECT_THAT(longName.Text(), testing::StartsWith("world/imagemap: gfx/map/xxx"));
    EXPECT_EQ(Failure(std::string(5000, 'w') + "\n0 rock.png\n").Code(), Error_None);

    Error gone = Failure("world\n0 rock.png\n2 gone**.png 2 10\n");
    EXPECT_EQ(gone.Code(), Error_OpenFile);
    EXPECT_STREQ(gone.Text(), "world/imagemap: gfx/map/gone00.png");

    // A good start and zeros past any texture list's size: a sparse terabyte was read on for ever.
    EXPECT_EQ(Failure("world\n0 rock.png\n").Code(), Error_None);
    std::filesystem::resize_file("world/imagemap", DataFile_ImageMapLimit + 1);
    Error const large = ThrownError([] { Textures textures("world/imagemap"); });
    EXPECT_EQ(large.Code(), Error_OpenFile);
    EXPECT_STREQ(large.Text(), "world/imagemap");

    std::filesystem::remove("world/imagemap");
    Error missing = ThrownError([] { Textures textures("world/imagemap"); });
    EXPECT_EQ(missing.Code(), Error_OpenFile);
    EXPECT_STREQ(missing.Text(), "world/imagemap");
}
