// Plato_Aerial: starting and ending the game, turning the aerials, the static and the panel.
#include "plateau/Plato_Aerial.h"

#include "engine/KeyData.h"
#include "engine/Map.h"
#include "engine/Message.h"
#include "engine/Player.h"
#include "media/Game_Sounds.h"
#include "media/Image.h"
#include "util/Util.h"

#include <cmath>

namespace
{

bool Less(double a, double b)
{
    return a < b && !Util::Equal(a, b);
}

bool Down(KeyData const* keys, int key, std::uint8_t state)
{
    return (keys->keys[key] & state) != 0;
}

constexpr char const* aerialfile = "gfx/plateau/aerial.png";
constexpr char const* tvfile = "gfx/plateau/tvpicture.png";
constexpr char const* maptvfile = "gfx/plateau/tv3.png";
constexpr char const* tvfuzzfiles[3] = {"gfx/plateau/tv0.png", "gfx/plateau/tv1.png", "gfx/plateau/tv2.png"};

} // namespace

Plato_Aerial::Plato_Aerial(Map const* map, Message* messages, Player* hero, unsigned int aerialRp, unsigned int tvRp,
                           bool tuned)
    : message(messages), player(hero)
{
    // Read before anything is loaded: a map without them throws, and the destructor of an object
    // whose construction failed does not run.
    aerialPos = map->GetRefPoint(aerialRp);
    tvPos = map->GetRefPoint(tvRp);
    try
    {
        aerialImage = new Image(aerialfile, 0, false);
        tvPicture = new Image(tvfile, 0, false);
        for (Image*& f : fuzz)
            f = new Image(Image_TvFuzz, tvPicture->GetWidth(), tvPicture->GetHeight());
        mapTvTuned = new Image(maptvfile, 0, false);
        for (int i = 0; i < 3; i++)
            mapTv[i] = new Image(tvfuzzfiles[i], 0, false);
    }
    catch (...)
    {
        FreeImages();
        throw;
    }
    if (gameSounds != nullptr)
    {
        gameSounds->InitSound(Sound_AerialTurn);
        gameSounds->InitSound(Sound_Static);
    }
    for (int i = 0; i < 3; i++)
        angles[i] = tuned ? Aerial_Correct_Angles[i] : Aerial_Wrong_Angles[i];
}

Plato_Aerial::~Plato_Aerial()
{
    // A level left through the menu while the game holds the player would leave the static
    // looping over the next screen.
    if (active && gameSounds != nullptr)
        gameSounds->Stop(Sound_Static);
    FreeImages();
}

void Plato_Aerial::FreeImages()
{
    delete aerialImage;
    delete tvPicture;
    delete mapTvTuned;
    aerialImage = tvPicture = mapTvTuned = nullptr;
    for (int i = 0; i < 3; i++)
    {
        delete fuzz[i];
        delete mapTv[i];
        fuzz[i] = mapTv[i] = nullptr;
    }
}

double Plato_Aerial::SummedError() const
{
    double s = 0.0;
    for (int i = 0; i < 3; i++)
        s += std::fabs(Aerial_Correct_Angles[i] - angles[i]);
    return s;
}

bool Plato_Aerial::IsAerialTuned() const
{
    return Less(SummedError(), Aerial_TunedError);
}

void Plato_Aerial::Stop()
{
    active = false;
    player->scripted = false;
    if (gameSounds != nullptr)
        gameSounds->Stop(Sound_Static);
    message->Clear();
}

bool Plato_Aerial::Poll(Map const*, KeyData const* keys, bool travelling)
{
    if (!travelling && !active && Down(keys, KeyIndex_GameAction, KeyState_Released))
    {
        Pointf const p = player->GetPos();
        if (Less(aerialPos.DistanceEst(&p), Aerial_Reach) && !IsAerialTuned())
        {
            active = true;
            player->scripted = true;
            player->SetCameraScale(2.5, CameraMove_Ease8);
            if (gameSounds != nullptr)
                gameSounds->Loop(Sound_Static);
            // Queued unchecked: a full queue drops what does not fit.
            message->Display("Press left and right to adjust the aerial", 200);
            message->Display("Press change target to move between aerials", 200);
            message->Display("Try to get a good picture and press jump when you're finished", 200);
        }
    }
    if (!active)
    {
        panelY += (Aerial_PanelHidden - panelY) / 8;
        return false;
    }
    panelY += (Aerial_PanelShown - panelY) / 8;
    if (travelling)
        return true;
    if (Down(keys, KeyIndex_GameJump, KeyState_Pressed))
    {
        Stop();
        return false;
    }
    if (Down(keys, KeyIndex_GameLeft, KeyState_Held) && Less(-Aerial_Limit, angles[current]))
    {
        angles[current] -= Aerial_Step;
        if (gameSounds != nullptr)
            gameSounds->Play(Sound_AerialTurn, nullptr, true, 1.0);
    }
    if (Down(keys, KeyIndex_GameRight, KeyState_Held) && Less(angles[current], Aerial_Limit))
    {
        angles[current] += Aerial_Step;
        if (gameSounds != nullptr)
            gameSounds->Play(Sound_AerialTurn, nullptr, true, 1.0);
    }
    if (Down(keys, KeyIndex_GamePrevTarget, KeyState_Pressed) && current < 2)
        current++;
    if (Down(keys, KeyIndex_GameNextTarget, KeyState_Pressed) && current > 0)
        current--;
    double const s = SummedError();
    if (gameSounds != nullptr)
        gameSounds->SetSoundVolume(Sound_Static, Less(s, 1.0) ? static_cast<int>(s * 255) : 255);
    return true;
}

void Plato_Aerial::Plot(Map const* map, Tick t, bool back) const
{
    int const f = static_cast<int>(((t % 6) + 6) % 6) / 2;
    bool const tuned = IsAerialTuned();
    if (back)
    {
        for (int i = 0; i < 3; i++)
        {
            Image_Render_Flags flags = Image_Left | Image_Middle;
            if (i == current && active)
                flags |= Image_Outline;
            aerialImage->Render(Pointf(aerialPos.x, aerialPos.y + 16.0 * (i + 1)), angles[i], 1.0, flags, &map->view);
        }
        (tuned ? mapTvTuned : mapTv[f])->Render(tvPos, 0.05, 1.0, Image_Centre | Image_Bottom, &map->view);
        return;
    }
    if (!Less(panelY, tvPicture->GetHeight() + 480.0))
        return;
    Pointf const at(320.0, panelY);
    tvPicture->Render(at, 0.0, 1.0, Image_Centre | Image_Top | (tuned ? Image_Outline : 0), nullptr);
    for (int i = 0; i < 3; i++)
    {
        double const error = std::fabs(Aerial_Correct_Angles[i] - angles[i]);
        fuzz[f]->SetTransparency(Less(error, 0.5) ? error * 0.8 / 0.5 : 0.8);
        fuzz[f]->Render(at, 0.0, 1.0, Image_Centre | Image_Top, nullptr);
    }
}
