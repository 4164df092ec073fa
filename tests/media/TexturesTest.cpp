// Textures: image-map entries of every form, animation frames by clock, fall-backs and
// malformed files rejected with the file named.
#include "media/Textures.h"

#include "media/Image.h"
#include "support/MediaTestSupport.h"
#include "tools/Canvas.h"
#include "util/DataFile.h"
#include "util/Error.h"

#include <gmock/gmock.h>

#include <atomic>
#include <cstdint>
#include <dlfcn.h>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>
#include <zlib.h>

namespace
{

// Set, the next glGetError of this program reports the GL out of memory, as a GL does when a
// picture is more than it can hold.
std::atomic<bool> glOutOfMemory{false};

} // namespace

// Stands in for the GL's own, which it calls otherwise.
extern "C" GLenum glGetError()
{
    using GetError = GLenum (*)();
    static GetError const gl = reinterpret_cast<GetError>(dlsym(RTLD_NEXT, "glGetError"));
    if (glOutOfMemory.exchange(false))
        return GL_OUT_OF_MEMORY;
    return gl();
}

namespace
{

void WritePicture(char const* name, int w, int h, PngFormat format = PngFormat::Rgb)
{
    std::filesystem::create_directories("gfx/map");
    Canvas c(w, h, Rgba{90, 60, 30, 255});
    c.Set(1, 1, Rgba{200, 0, 0, 255});
    c.WritePng(std::string("gfx/map/") + name, format);
}

// A picture whose header gives side x side pixels and whose pixels are missing: its size is read,
// and loading it fails.
void WriteClaimedPicture(char const* name, std::uint32_t side)
{
    WritePicture(name, 4, 4);
    std::string const path = std::string("gfx/map/") + name;
    std::ifstream in(path, std::ios::binary);
    std::vector<unsigned char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    in.close();
    unsigned char* ihdr = bytes.data() + 12; // chunk type, then width and height
    for (int k = 0; k < 2; ++k)
        for (int b = 0; b < 4; ++b)
            ihdr[4 + 4 * k + b] = static_cast<unsigned char>(side >> (24 - 8 * b));
    std::uint32_t const crc = static_cast<std::uint32_t>(crc32(0, ihdr, 17));
    for (int b = 0; b < 4; ++b)
        ihdr[17 + b] = static_cast<unsigned char>(crc >> (24 - 8 * b));
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<char const*>(bytes.data()), bytes.size());
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

// A village image map of sixty lines naming one picture of 4096x4096 made sixty textures, and the
// GL ran out of memory: the lines that name a picture with the same letters share it, each with its
// own id, solidity and animation.
TEST_F(TexturesTest, LinesNamingOnePictureShareIt)
{
    WritePicture("rock.png", 16, 8);
    for (int i = 0; i < 2; ++i)
        WritePicture(("lava0" + std::to_string(i) + ".png").c_str(), 8, 8);
    std::string text = "world\n";
    for (int id = 0; id < 60; ++id)
        text += std::to_string(id) + " rock.png hv\n";
    text += "60 rock.png hvs\n61 rock.png\n62 lava**.png m 2 256\n63 lava**.png m 2 512\n";
    dir.WriteText("world/imagemap", text);
    int const before = Image::LiveCount();
    {
        Textures textures("world/imagemap");
        EXPECT_EQ(Image::LiveCount(), before + 4);
        Image const* rock = textures.GetImage(0);
        for (unsigned id = 1; id <= 60; ++id)
            EXPECT_EQ(textures.GetImage(id), rock) << id;
        EXPECT_FALSE(textures.DefaultSolid(59));
        EXPECT_TRUE(textures.DefaultSolid(60));
        // Other letters make another picture: this one padded.
        EXPECT_NE(textures.GetImage(61), rock);
        EXPECT_EQ(textures.GetImage(61)->GetWidth(), 20u);
        EXPECT_EQ(rock->GetWidth(), 16u);
        // One set of frames, each line at its own pace.
        Textures_Texture const& fast = textures.GetEntry(62);
        Textures_Texture const& slow = textures.GetEntry(63);
        EXPECT_EQ(fast.frames[1], slow.frames[1]);
        textures.Associate(256, 62);
        EXPECT_EQ(BoundTexture(), fast.frames[1]->GetTexture());
        textures.Associate(256, 63);
        EXPECT_EQ(BoundTexture(), fast.frames[0]->GetTexture());
    }
    EXPECT_EQ(Image::LiveCount(), before);
}

// What an image map asks of the GL is bounded: its pictures together have a budget of pixels, told
// from their headers before any is made, and a picture the GL cannot hold is one that cannot be
// read, never a failed assertion; both name the image map and the picture.
TEST_F(TexturesTest, PicturesPastWhatAnImageMapMayHoldAreUnreadable)
{
    WritePicture("rock.png", 8, 8);
    // Each claims the largest size a picture may have, and is padded both ways.
    std::uint64_t const padded = (Image::MaxSide / 2 + 4) * std::uint64_t(Image::MaxSide / 2 + 4);
    int const fitting = static_cast<int>(Textures::MaxPixels / padded);
    std::string text = "world\n0 rock.png\n";
    for (int i = 0; i <= fitting; ++i)
    {
        std::string const name = "big" + std::to_string(i) + ".png";
        WriteClaimedPicture(name.c_str(), Image::MaxSide / 2);
        // Named again in the same way, a picture counts once.
        text += std::to_string(2 * i + 1) + " " + name + "\n" + std::to_string(2 * i + 2) + " " + name + " s\n";
    }
    int const before = Image::LiveCount();
    Error const tooMany = Failure(text);
    EXPECT_EQ(tooMany.Code(), Error_PngRead);
    EXPECT_THAT(tooMany.Text(),
                testing::StartsWith("world/imagemap: gfx/map/big" + std::to_string(fitting) + ".png: "));
    EXPECT_EQ(Image::LiveCount(), before);
    // Those that fit are loaded, and this one cannot be.
    Error const unreadable = Failure("world\n0 rock.png\n1 big0.png\n");
    EXPECT_EQ(unreadable.Code(), Error_PngRead);
    EXPECT_THAT(unreadable.Text(), testing::StartsWith("world/imagemap: gfx/map/big0.png: "));

    glOutOfMemory = true;
    Error const noMemory = Failure("world\n0 rock.png\n");
    EXPECT_FALSE(glOutOfMemory);
    EXPECT_EQ(noMemory.Code(), Error_PngRead);
    EXPECT_STREQ(noMemory.Text(), "world/imagemap: gfx/map/rock.png: out of memory");
    EXPECT_EQ(Image::LiveCount(), before);
    EXPECT_EQ(Failure("world\n0 rock.png\n").Code(), Error_None);
}
