// Plato_Aerial: the hermit's television aerial and the mini-game that tunes it.
#pragma once

#include "util/Pointf.h"
#include "util/Tick.h"

class Image;
class Map;
class Message;
class Player;
struct KeyData;

constexpr double Aerial_Correct_Angles[3] = {-0.44, -0.1, -0.32};
constexpr double Aerial_Wrong_Angles[3] = {0.51, -0.4, 0.34};
constexpr double Aerial_TunedError = 0.12; // a summed error below this counts as tuned
constexpr double Aerial_Reach = 40.0;      // of the mast, for starting the game
constexpr double Aerial_Limit = 0.78539816339745;
constexpr double Aerial_Step = 0.01;
constexpr double Aerial_PanelHidden = 960.0;
constexpr double Aerial_PanelShown = 450.0;

// Three aerials on one mast, turned one at a time while the game holds the player, with a
// television panel whose noise follows each aerial's error. The angles are plain state, not
// recorded: travelling in time neither detunes nor retunes them.
class Plato_Aerial final
{
public:
    Plato_Aerial(Map const* map, Message* message, Player* player, unsigned int aerialRp, unsigned int tvRp,
                 bool tuned);
    ~Plato_Aerial();
    Plato_Aerial(Plato_Aerial const&) = delete;
    Plato_Aerial& operator=(Plato_Aerial const&) = delete;

    // One step; true while the game holds the player. While the level travels in time only the
    // panel eases: nothing starts and no key is read.
    bool Poll(Map const* map, KeyData const* keys, bool travelling);
    // back: the mast and the set in the hut, in the world; else the panel, on the screen.
    void Plot(Map const* map, Tick t, bool back) const;
    bool IsAerialTuned() const;
    double SummedError() const;

    bool active = false;
    int current = 0;
    double panelY = Aerial_PanelHidden;
    double angles[3];

private:
    void Stop();
    void FreeImages();

    Message* message;
    Player* player;
    Image* aerialImage = nullptr;
    Image* tvPicture = nullptr;
    Image* fuzz[3] = {};
    Image* mapTvTuned = nullptr;
    Image* mapTv[3] = {};
    Pointf aerialPos;
    Pointf tvPos;
};
