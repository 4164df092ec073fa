// Casle_Dude: the castle's owner, who stands in his hall and talks.
#pragma once

#include "engine/Dude.h"
#include "util/Tick.h"

class Image;
class Map;

constexpr int Casle_Dude_FrameCount = 5;
constexpr int Casle_Dude_TalkId = 0; // the person number his conversations are asked by

// He never walks and always faces left, into his hall.
class Casle_Dude final : public Dude
{
public:
    Casle_Dude(Map const* map, int refPoint);
    ~Casle_Dude() override = default;
    Casle_Dude(Casle_Dude const&) = delete;
    Casle_Dude& operator=(Casle_Dude const&) = delete;

    static void Initialise();
    static void Finalise();

    void MoveToTime(Map const* map, Tick t) override;
    void Render(Map const* map, Tick t) const override;

private:
    static inline Image* frames[Casle_Dude_FrameCount] = {};
};
