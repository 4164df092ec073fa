#include "treevillage/TreeV_Marbles.h"

#include "engine/KeyData.h"
#include "engine/Map.h"
#include "engine/Player.h"
#include "media/Game_Sounds.h"
#include "media/Image.h"
#include "treevillage/TreeV_Dude.h"
#include "util/Bezier.h"

#include <cstdio>
#include <cstdlib>

namespace
{

constexpr double Tolerance = 1.0 / 8388608.0; // 2^-23
constexpr double Marbles_Scale = 0.5;

bool Pressed(KeyData const* keys, int key)
{
    return (keys->keys[key] & KeyState_Pressed) != 0;
}

void PlaySound(Sound_Id id)
{
    if (gameSounds != nullptr)
        gameSounds->Play(id, nullptr, false, 1.0);
}

} // namespace

TreeV_Marbles::TreeV_Marbles(Player* thePlayer, TreeV_Dude* marblesDude) : player(thePlayer), marbles(marblesDude)
{
    try
    {
        arrow = new Image("gfx/treevillage/arrow.png", Image_Mask, false);
        for (int i = 0; i < Marbles_Jars; i++)
        {
            char name[64];
            std::snprintf(name, sizeof name, "gfx/treevillage/marble%d.png", i + 1);
            marbleImages[i] = new Image(name, Image_Mask, false);
        }
    }
    catch (...)
    {
        // A missing picture: the destructor does not run for a constructor that throws.
        delete arrow;
        for (Image* image : marbleImages)
            delete image;
        throw;
    }
    if (gameSounds != nullptr)
    {
        gameSounds->InitSound(Sound_Success);
        gameSounds->InitSound(Sound_Throw);
    }
}

void TreeV_Marbles::RequireJars(Map const* map)
{
    for (unsigned int rp : Jar_Points)
        map->GetRefPoint(rp);
}

TreeV_Marbles::~TreeV_Marbles()
{
    delete arrow;
    for (Image* image : marbleImages)
        delete image;
    delete throwCurve;
    for (Bezier* curve : jarCurves)
        delete curve;
}

bool TreeV_Marbles::Arrived(bool atPlace)
{
    if (atPlace || walkSteps >= Marbles_WalkCap)
    {
        walkSteps = 0;
        return true;
    }
    walkSteps++;
    return false;
}

int TreeV_Marbles::Poll(Map const* map, Tick t, KeyData const* keys)
{
    player->scripted = true;
    player->Pose(false);
    int result = 0;
    switch (state)
    {
    case 0:
        state = 1;
        chosenJar = 0;
        thrown = 0;
        successes = 0;
        walkSteps = 0;
        break;
    case 1:
        if (Arrived(marbles->GetPos().x >= Marbles_ThrowX - Tolerance))
        {
            marbles->Walk(false, t);
            state = 2;
            speed = Marbles_StartSpeed;
            currentMarble = -1;
            NewMarble();
            CalcBeziers(map);
        }
        else
        {
            marbles->Walk(true, t);
        }
        break;
    case 2:
        Throwing();
        break;
    case 3:
        Finishing();
        break;
    case 4:
        if (Arrived(marbles->GetPos().x <= Marbles_HomeX + Tolerance))
        {
            marbles->Walk(true, t);
            state = 0;
            result = Misses() > Marbles_MaxMisses ? 2 : 1;
        }
        else
        {
            marbles->Walk(false, t);
        }
        break;
    default:
        break;
    }
    if (result != 0)
        return result;
    if (Pressed(keys, KeyIndex_GameLeft) && chosenJar > 0)
        chosenJar--;
    if (Pressed(keys, KeyIndex_GameRight) && chosenJar < Marbles_Jars - 1)
        chosenJar++;
    return 0;
}

void TreeV_Marbles::CalcBeziers(Map const* map)
{
    Pointf const h = player->GetRelativePos(0.0, 0.8);
    Pointf const m = marbles->GetRelativePos(0.0, 0.8);
    Pointf const m1 = m + Pointf(-100.0, 150.0);
    Pointf const h1 = h + Pointf(100.0, 150.0);
    delete throwCurve;
    throwCurve = new Bezier(&m, &m1, &h1, &h);
    for (int i = 0; i < Marbles_Jars; i++)
    {
        Pointf const j = map->GetRefPoint(Jar_Points[i]);
        Pointf const h2 = h + Pointf(0.0, 100.0);
        Pointf const j1 = j + Pointf(0.0, 100.0);
        delete jarCurves[i];
        jarCurves[i] = new Bezier(&h, &h2, &j1, &j);
    }
}

void TreeV_Marbles::NewMarble()
{
    previousMarble = currentMarble;
    previousJar = chosenJar;
    PlaySound(Sound_Throw);
    if (previousMarble == previousJar)
        successes++;
    u = 0.0;
    if (thrown == Marbles_Count || Misses() > Marbles_MaxMisses)
    {
        state = 3;
        return;
    }
    thrown++;
    do
        currentMarble = std::rand() & 3;
    while (currentMarble == previousMarble);
    speed *= Marbles_SpeedUp;
}

void TreeV_Marbles::Throwing()
{
    u += speed;
    if (u >= 1.0 + Tolerance)
        NewMarble();
}

void TreeV_Marbles::Finishing()
{
    u += speed;
    if (u >= 1.0 - Tolerance)
    {
        state = 4;
        if (Misses() <= Marbles_MaxMisses)
        {
            PlaySound(Sound_Success);
            successSounds++;
        }
    }
}

void TreeV_Marbles::Plot(Map const* map) const
{
    if (state == 0)
        return;
    if (state == 1 || state == 2)
        arrow->Render(map->GetRefPoint(Jar_Points[chosenJar]), 0.0, Marbles_Scale, Image_Centre | Image_Bottom,
                      &map->view);
    if ((state == 2 || state == 3) && previousMarble >= 0)
    {
        double const v = (16 + 2 * (3 - previousJar)) * u / 10.0;
        if (v < 1.0 - Tolerance)
            marbleImages[previousMarble]->Render(jarCurves[previousJar]->Eval(v), 0.0, Marbles_Scale,
                                                 Image_Centre | Image_Middle, &map->view);
    }
    if (state == 2 && currentMarble >= 0)
        marbleImages[currentMarble]->Render(throwCurve->Eval(u), 0.0, Marbles_Scale, Image_Centre | Image_Middle,
                                            &map->view);
}
