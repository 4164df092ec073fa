// A picture held as one OpenGL texture and drawn as a single textured quad.
#pragma once

#include <cstdint>

class Pointf;
class WorldTransform;

// Bits given when loading a picture from a file.
using Image_Flags = unsigned int;
constexpr Image_Flags Image_RepeatX = 0x01; // GL_REPEAT in s, else GL_CLAMP
constexpr Image_Flags Image_RepeatY = 0x02; // GL_REPEAT in t, else GL_CLAMP
constexpr Image_Flags Image_PadY = 0x04;    // a clear band of 2 rows at the bottom and top
constexpr Image_Flags Image_PadX = 0x08;    // a clear band of 2 columns at the left and right
constexpr Image_Flags Image_Mask = 0x10;    // a picture without alpha gets one from its key colour
constexpr Image_Flags Image_Plain = 0x40;   // one level, nearest filtering, no mipmaps

// Bits given when drawing. Exactly one horizontal and one vertical anchor bit must be set
// in the forms that take their anchors from the flags.
using Image_Render_Flags = unsigned int;
constexpr Image_Render_Flags Image_Left = 0x01;
constexpr Image_Render_Flags Image_Centre = 0x02;
constexpr Image_Render_Flags Image_Right = 0x04;
constexpr Image_Render_Flags Image_Top = 0x10;
constexpr Image_Render_Flags Image_Middle = 0x20;
constexpr Image_Render_Flags Image_Bottom = 0x40;
constexpr Image_Render_Flags Image_MirrorX = 0x80;
constexpr Image_Render_Flags Image_MirrorY = 0x100;
constexpr Image_Render_Flags Image_Outline = 0x200;

enum Image_Generated
{
    Image_TvFuzz = 0,
};

class Image final
{
public:
    // Reads the PNG file and uploads it; keep holds on to the pixel buffer for cutting
    // sub-images out of it afterwards. A file that cannot be read, and a picture that the GL
    // cannot make a texture of (out of memory, say), throw Error_PngRead naming the file.
    Image(char const* file, Image_Flags flags, bool keep);
    // Kind Image_TvFuzz fills and uploads random grey noise; any other kind only sets the size.
    Image(Image_Generated kind, unsigned int w, unsigned int h);
    // Copies the rectangle whose bottom-left corner is column x, row y of the source's kept
    // buffer (row 0 is the picture's bottom), and uploads it.
    Image(Image const* img, int x, int y, unsigned int w, unsigned int h);
    ~Image();
    Image(Image const&) = delete;
    Image& operator=(Image const&) = delete;

    void Associate() const;
    void SetTransparency(double alpha);

    // Size from the scale, anchors from the flags.
    void Render(Pointf pos, double rotation, double scale, Image_Render_Flags flags, WorldTransform const* t) const;
    // Explicit size, anchors from the flags.
    void Render(Pointf pos, double rotation, double drawWidth, double drawHeight, Image_Render_Flags flags,
                WorldTransform const* t) const;
    // Size from the scale, anchors as fractions (0 left or bottom, 1 right or top).
    void Render(Pointf pos, double rotation, double scale, double anchorX, double anchorY, Image_Render_Flags flags,
                WorldTransform const* t) const;
    void Render(Pointf pos, double rotation, double drawWidth, double drawHeight, double anchorX, double anchorY,
                Image_Render_Flags flags, WorldTransform const* t) const;

    unsigned int GetWidth() const { return width; }
    unsigned int GetHeight() const { return height; }
    bool HasAlpha() const { return hasAlpha; }
    // Every pixel covers what lies beneath when drawn: no alpha, or all of it full, and the
    // quad's colour not see-through.
    bool Opaque() const { return opaque && (hasAlpha || transparency == 1.0); }
    // Every sample the GL takes of the texture has full alpha, wherever the texture coordinates
    // fall: its pixels are all opaque and it repeats both ways, so that filtering never reaches
    // the clear border of a clamped side. Drawn with an opaque colour, it blends to itself.
    bool SamplesOpaque() const { return opaque && repeatsBothWays; }
    // Every sample the GL takes of the texture has full alpha while the texture coordinates stay
    // within [s0, s1] x [t0, t1] (0 to 1 spans the picture): also true of a picture that is opaque
    // but for its pad bands, or that does not repeat, where those coordinates keep the filter
    // clear of the bands and the clamped edge, with room for the scaling of the upload.
    bool SamplesOpaqueWithin(double s0, double s1, double t0, double t1) const;
    // The kept pixel buffer, bottom row first, rows tightly packed; null once uploaded unless kept.
    unsigned char const* GetData() const { return data; }
    unsigned int GetTexture() const { return texture; }
    double GetTransparency() const { return transparency; }

    // Shows a pending OpenGL error in a message box titled "OpenGL error" and stops on a
    // failed assertion; drawing and uploading code calls it after its work.
    static void CheckGlError();

    // Draws every picture that exists once, small, at a screen point (also with the outline, and
    // unblended where every sample is opaque, as map polygons fill with it), for a caller that
    // clears the picture away afterwards: the GL prepares its drawing of a kind of picture the
    // first time one is drawn, which a software GL takes milliseconds over.
    static void DrawEveryImage(Pointf const& at);
    // The pictures that exist now.
    static int LiveCount();

    // The largest picture file accepted, per side and in pixels; larger ones fail as
    // unreadable rather than asking for gigabytes.
    static constexpr std::uint32_t MaxSide = 8192;
    static constexpr std::uint32_t MaxPixels = 4096 * 4096;

    // The pixels, pad bands included, of the picture that the file loads as with these flags,
    // read from its header alone; 0 when that header cannot be read or gives a size out of
    // range, so that loading the file fails too.
    static std::uint64_t FilePixels(char const* file, Image_Flags flags);

private:
    void LoadImage(char const* file, bool padX, bool padY);
    void SetupOgl(Image_Flags flags, bool keep);
    void GenerateMask(bool padX, bool padY);
    void GenerateTvFuzz();
    void TakeImageClip(Image const* img, int x, int y);
    int BytesPerPixel() const { return hasAlpha ? 4 : 3; }
    // Joins the list of pictures that exist, once constructed.
    void Enlist();

    static inline Image* firstLive = nullptr;
    Image* prevLive = nullptr;
    Image* nextLive = nullptr;

    std::uint32_t width = 0;  // pixels, pad bands included
    std::uint32_t height = 0; // pixels, pad bands included
    unsigned char* data = nullptr;
    bool hasAlpha = false;
    bool opaque = false;          // the uploaded pixels are all of full alpha (or have none)
    bool repeatsBothWays = false; // GL_REPEAT in s and t
    bool repeatsX = false;        // GL_REPEAT in s
    bool repeatsY = false;        // GL_REPEAT in t
    int opaqueInsetX = -1;        // columns at each side outside which every pixel has full alpha; -1 none
    int opaqueInsetY = -1;        // rows likewise
    int glWidth = 0;              // of the texture as uploaded (mipmapped pictures are scaled to powers of two)
    int glHeight = 0;
    unsigned int texture = 0;     // OpenGL texture name
    double transparency = 1.0;    // alpha of the quad's colour
};
