// PolyBatch: map polygons drawn one after another with the GL's state changed only where needed.
#pragma once

#include "util/Tick.h"

#include <vector>

class Poly;
class Textures;
class WorldTransform;

// Draws polygons in the order given with exactly the pixels that Poly::Render gives each in turn,
// but leaves texturing on from one filled polygon to the next and turns blending off for a run of
// polygons whose texture has full alpha wherever it is sampled (such a polygon blends to itself).
// A software GL prepares its drawing afresh for the first polygon after any change of state, which
// costs more than filling a small polygon; a map's polygons mostly follow others of their kind.
// Outlines wait and are drawn together, in their order, before the first fill that could cover a
// pixel of one of them (a segment's screen bound widened by two pixels): no fill moves past a line
// it touches, so every pixel ends as drawing one by one leaves it.
class PolyBatch final
{
public:
    PolyBatch(Textures const* textures, WorldTransform const* view, Tick time);
    // Finishes the batch.
    ~PolyBatch();
    PolyBatch(PolyBatch const&) = delete;
    PolyBatch& operator=(PolyBatch const&) = delete;

    void Draw(Poly const* poly);
    // Leaves the state Poly::Render leaves after its polygon: texturing off, blending as it was,
    // colour white and opaque, lines one wide. Nothing changes when no polygon was drawn.
    void Finish();

private:
    // Screen bounds of one waiting outline segment, widened by the margin.
    struct Bound
    {
        float x0;
        float y0;
        float x1;
        float y1;
    };

    // Whether a fill within the bound could touch a waiting outline.
    bool Overlaps(Bound const& bound) const;
    // Draws the waiting outlines.
    void DrawOutlines();
    // Two pixels in the units drawn in, or below 0 when the GL's transform is not a plain scale
    // and outlines are drawn at once.
    static float PixelMargin();

    void SetTexturing(bool on);
    void SetBlending(bool on);
    // Turns a GL capability on or off where state, as the GL has it, differs.
    static void SetCapability(unsigned int capability, bool on, bool& state);

    Textures const* textures;
    WorldTransform const* view;
    Tick time;                  // the level clock, 1/256 steps: picks animation frames
    bool drawn = false;         // a polygon was drawn since the batch began or last finished
    bool texturing = false;     // as the GL has it while drawn
    bool blending = true;       // as the GL has it while drawn
    bool blendingBefore = true; // as the batch found it
    float margin = -1.0f;       // PixelMargin while drawn
    std::vector<float> lines;   // waiting outline segments, x0 y0 x1 y1 each
    std::vector<Bound> bounds;  // of each waiting segment
    Bound waiting{};            // all of bounds together
};
