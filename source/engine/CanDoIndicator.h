// CanDoIndicator: the hint panel that tells whether the world's current objective can still be reached.
#pragma once

#include "util/Pointf.h"
#include "util/Tick.h"

class GameFont;
class Image;
class Map;
class Player;

constexpr double CanDo_Image_Pad = 4.0; // screen units around the picture and the text

// One hint: the text to show and whether it is good news.
struct CanDo_Indicate
{
    char const* mess; // not owned; must be set when a hint is reported
    bool positive;    // thumbs up, else thumbs down
};

// The panel slides in from the right while the hint key is held and out again when it is
// released. Each world derives its own panel that reports the hint for the tick asked.
class CanDoIndicator
{
public:
    CanDoIndicator(Player const* player, Map const* map, GameFont const* font);
    CanDoIndicator(CanDoIndicator const&) = delete;
    CanDoIndicator& operator=(CanDoIndicator const&) = delete;
    virtual ~CanDoIndicator();

    void SetEnable(bool enable);
    // Moves the panel one step towards where it belongs.
    void Poll();
    void Render(Tick t);

    // Fills the hint for tick t; true when there is one to show.
    virtual bool FindMessage(CanDo_Indicate* indicate, Tick t) = 0;

    Pointf GetPanelPos() const { return panelPos; }

protected:
    Player const* player;
    Map const* map;
    GameFont const* font;

private:
    Image* thumbsUp;
    Image* thumbsDown;
    bool enabled = false;
    Pointf panelPos; // screen units; x parked off screen while hidden
};
