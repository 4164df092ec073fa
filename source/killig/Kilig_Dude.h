// Kilig_Dude: the old master, who walks the hero through his house and hands him the artefact of time travel.
#pragma once

#include "engine/Dude.h"
#include "util/Tick.h"

class Image;
class Map;

constexpr int Kilig_Dude_NumFrames = 5;
constexpr double Kilig_Dude_Width = 24.0;
constexpr double Kilig_Dude_Height = 24.0;
constexpr double Kilig_Dude_FrameRate = 10.0; // distance walked per walk frame

// The master walks by plain character physics while the world's introduction sets his keys, one
// step for every call whatever the tick. He walks only before time travel is learnt, so he is the
// one thing in the world that keeps no record and does not replay. He faces left when posed so.
class Kilig_Dude final : public Dude
{
public:
    Kilig_Dude(Map const* map, int refPoint);
    ~Kilig_Dude() override = default;
    Kilig_Dude(Kilig_Dude const&) = delete;
    Kilig_Dude& operator=(Kilig_Dude const&) = delete;

    static void Initialise();
    static void Finalise();

    void MoveToTime(Map const* map, Tick t) override;
    void Render(Map const* map, Tick t) const override;

    // Turns him without touching the walk frame.
    void Pose(bool left);

private:
    static inline Image* images[Kilig_Dude_NumFrames] = {};
};
