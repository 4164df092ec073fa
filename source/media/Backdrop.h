// Backdrop: a picture behind everything that fills the screen, drawn once and then put back.
#pragma once

#include "media/Image.h"
#include "util/Pointf.h"

// A world draws its backdrop first, frame after frame, the same way while the view does not
// change, and a software GL spends most of a frame filtering it. The screen the first picture
// made is kept, and after that, once a picture has been drawn the same way in two frames running;
// later frames drawing it the same way (the same picture, place, size, projection and window) put
// that screen back, pixel for pixel, at a fraction of the cost. Only an opaque picture that
// covers the whole window is kept, so that what lay beneath it cannot show; anything else is
// simply drawn.
class Backdrop final
{
public:
    Backdrop() = default;
    ~Backdrop();
    Backdrop(Backdrop const&) = delete;
    Backdrop& operator=(Backdrop const&) = delete;

    // As image->Render(pos, 0.0, scale, flags, nullptr).
    void Render(Image const* image, Pointf pos, double scale, Image_Render_Flags flags);
    // For a frame drawn in depth order, called with Render's arguments before anything in front of
    // the picture is drawn (the depth test still off): where this frame keeps the screen the
    // picture makes (the first frame, or the second of two alike), draws the picture whole now and
    // keeps it, and Render draws nothing. Render, with the depth test on, puts a kept screen back
    // or draws the picture, only where nothing in front of it lies.
    void Ahead(Image const* image, Pointf pos, double scale, Image_Render_Flags flags);

    // Whether the last Render put the kept screen back.
    bool PutBack() const { return putBack; }

private:
    // How a draw was made: the picture and its place, the window and the transforms.
    struct Backdrop_Key
    {
        Image const* image = nullptr;
        unsigned int texture = 0;
        double x = 0.0;
        double y = 0.0;
        double scale = 0.0;
        Image_Render_Flags flags = 0;
        int viewport[4] = {};
        double projection[16] = {};
        double modelview[16] = {};

        bool operator==(Backdrop_Key const& other) const;
    };

    Backdrop_Key KeyOf(Image const* image, Pointf pos, double scale, Image_Render_Flags flags) const;
    // Whether the picture drawn so covers the whole window.
    bool Covers(Backdrop_Key const& key) const;
    void Keep(Backdrop_Key const& key);
    void Blit() const;

    unsigned int kept = 0; // texture holding the kept screen; 0 before the first
    int keptWidth = 0;     // its size, the window's when kept
    int keptHeight = 0;
    bool holds = false; // it holds the screen of keptKey
    Backdrop_Key keptKey;
    Backdrop_Key lastKey; // of the frame before
    bool putBack = false;
    bool drawnAhead = false; // Ahead drew this frame's picture
};
