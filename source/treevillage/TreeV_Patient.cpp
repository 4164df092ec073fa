#include "treevillage/TreeV_Patient.h"

#include "engine/KeyData.h"
#include "engine/Map.h"
#include "engine/Player.h"
#include "media/GameFont.h"
#include "media/Game_Sounds.h"

#include <GL/gl.h>

#include <cmath>
#include <cstring>

namespace
{

constexpr double Tolerance = 1.0 / 8388608.0; // 2^-23
constexpr double Patient_PlayScale = 300.0;
constexpr double Patient_KeysScale = 280.0; // the view must be this close before keys act
constexpr double Patient_PlotScale = 150.0;

// Spot s as its reference point id.
constexpr int R(int s)
{
    return s + Spot_RefPt_Start;
}

// The neighbours of each spot, as reference point ids.
constexpr int Patient_SpotLinks[Spot_Count][Patient_Links_Per_Spot] = {
    {R(1), R(2), R(5)},
    {R(0), R(5), R(4)},
    {R(0), R(3), R(6), R(5)},
    {R(2), R(8), R(7), R(6)},
    {R(1), R(5), R(10), R(9)},
    {R(1), R(0), R(2), R(6), R(10), R(4)},
    {R(2), R(3), R(12), R(11), R(5)},
    {R(3), R(8), R(13), R(12)},
    {R(3), R(14), R(13), R(7)},
    {R(4), R(10), R(16), R(15)},
    {R(4), R(5), R(11), R(17), R(9)},
    {R(6), R(12), R(18), R(17), R(10)},
    {R(6), R(7), R(19), R(18), R(11)},
    {R(7), R(8), R(14), R(20), R(19)},
    {R(8), R(20), R(13)},
    {R(9), R(16), R(24)},
    {R(9), R(17), R(21), R(24), R(15)},
    {R(10), R(11), R(22), R(21), R(16)},
    {R(11), R(12), R(19), R(22)},
    {R(12), R(13), R(23), R(18)},
    {R(13), R(14), R(27)},
    {R(16), R(17), R(22), R(25), R(24)},
    {R(17), R(18), R(23), R(26), R(25), R(21)},
    {R(19), R(27), R(28), R(26), R(22)},
    {R(15), R(16), R(21)},
    {R(21), R(22), R(26)},
    {R(22), R(23), R(28), R(25)},
    {R(20), R(28), R(23)},
    {R(23), R(27), R(26)},
};

bool Pressed(KeyData const* keys, int key)
{
    return (keys->keys[key] & KeyState_Pressed) != 0;
}

} // namespace

TreeV_Patient::TreeV_Patient(Player* thePlayer) : player(thePlayer)
{
    if (gameSounds != nullptr)
        gameSounds->InitSound(Sound_Success);
}

void TreeV_Patient::RequireSpots(Map const* map)
{
    map->GetRefPoint(TreeV_Rp_Patient);
    for (int s = 0; s < Spot_Count; s++)
        map->GetRefPoint(static_cast<unsigned int>(s + Spot_RefPt_Start));
}

int TreeV_Patient::Poll(Map const* map, KeyData const* keys)
{
    Pointf const camera = map->GetRefPoint(TreeV_Rp_Patient);
    player->SetCameraPos(&camera, CameraMove_Ease8, 0);
    switch (state)
    {
    case 0:
        Setup();
        state = 1;
        counter = 0;
        break;
    case 1:
        player->SetCameraScale(3.0, CameraMove_Ease8);
        if (++counter >= Patient_ZoomSteps)
        {
            state = 2;
            player->hidden = true;
        }
        break;
    case 2:
        player->SetCameraScale(Patient_PlayScale, CameraMove_Ease8);
        if (map->view.scale > Patient_KeysScale + Tolerance)
            CheckKeys(keys);
        break;
    case 3:
        player->SetCameraScale(Patient_PlayScale, CameraMove_Ease8);
        if (counter == 0)
            textPos = Pointf(320.0, 530.0);
        textPos.y += ((counter < 100 ? 240.0 : -100.0) - textPos.y) / 8.0;
        if (++counter >= Patient_ResultSteps)
        {
            state = 0;
            return pair == Patient_Pairs ? 1 : 2;
        }
        break;
    default:
        break;
    }
    return 0;
}

void TreeV_Patient::Setup()
{
    player->scripted = true;
    std::memset(drawnLines, 0, sizeof drawnLines);
    std::memcpy(links, Patient_SpotLinks, sizeof links);
    pair = 0;
    currentSpot = Patient_KeySpots[0][0];
    choice = 0;
}

bool TreeV_Patient::LinkValid(int spot, int j) const
{
    int const target = links[spot][j];
    if (target == 0)
        return false;
    for (int p = 0; p < Patient_Pairs; p++)
        if (p != pair && (target == R(Patient_KeySpots[p][0]) || target == R(Patient_KeySpots[p][1])))
            return false;
    return true;
}

void TreeV_Patient::RemoveLinks(int s)
{
    for (auto& row : links)
        for (int& link : row)
            if (link == R(s))
                link = 0;
}

int TreeV_Patient::FirstValid() const
{
    for (int j = 0; j < Patient_Links_Per_Spot; j++)
        if (LinkValid(currentSpot, j))
            return j;
    return -1;
}

void TreeV_Patient::CheckKeys(KeyData const* keys)
{
    // In play the current spot always has a valid link (else the puzzle has ended), so the
    // searches stop.
    if (Pressed(keys, KeyIndex_GameLeft))
        do
            choice = choice <= 0 ? Patient_Links_Per_Spot - 1 : choice - 1;
        while (!LinkValid(currentSpot, choice));
    if (Pressed(keys, KeyIndex_GameRight))
        do
            choice = choice >= Patient_Links_Per_Spot - 1 ? 0 : choice + 1;
        while (!LinkValid(currentSpot, choice));
    if (Pressed(keys, KeyIndex_GameJump))
    {
        state = 3;
        counter = 0;
        return;
    }
    if (!Pressed(keys, KeyIndex_GameAction))
        return;
    int const targetRp = links[currentSpot][choice];
    drawnLines[currentSpot] = targetRp;
    int target = targetRp - Spot_RefPt_Start;
    RemoveLinks(currentSpot);
    if (target == Patient_KeySpots[pair][1])
    {
        RemoveLinks(target);
        pair++;
        if (pair == Patient_Pairs)
        {
            if (gameSounds != nullptr)
                gameSounds->Play(Sound_Success, nullptr, false, 1.0);
            state = 3;
            counter = 0;
            choice = -1;
            currentSpot = target;
            return;
        }
        target = Patient_KeySpots[pair][0];
    }
    currentSpot = target;
    choice = FirstValid();
    if (choice < 0)
    {
        state = 3;
        counter = 0;
    }
}

int TreeV_Patient::OfferedSpot() const
{
    if (state != 2 || choice < 0)
        return -1;
    return links[currentSpot][choice] - Spot_RefPt_Start;
}

int TreeV_Patient::DrawnTo(int s) const
{
    return drawnLines[s] == 0 ? -1 : drawnLines[s] - Spot_RefPt_Start;
}

bool TreeV_Patient::Linked(int from, int to) const
{
    for (int link : links[from])
        if (link == to + Spot_RefPt_Start)
            return true;
    return false;
}

Pointf TreeV_Patient::GetPoint(Map const* map, int i) const
{
    unsigned int const rp = static_cast<unsigned int>(i < Spot_RefPt_Start ? i + Spot_RefPt_Start : i);
    return map->WorldToScreen(map->GetRefPoint(rp));
}

void TreeV_Patient::Plot(Map const* map, GameFont const* font) const
{
    if ((state != 2 && state != 3) || !(map->view.scale > Patient_PlotScale + Tolerance))
        return;
    glDisable(GL_TEXTURE_2D);
    auto const line = [&](int from, int to) {
        Pointf const a = GetPoint(map, from);
        Pointf const b = GetPoint(map, to);
        glVertex2d(a.x, a.y);
        glVertex2d(b.x, b.y);
    };
    glLineWidth(1.0f);
    glColor4d(0.0, 0.0, 0.0, 0.1);
    glBegin(GL_LINES);
    for (int i = 0; i < Spot_Count; i++)
        for (int link : links[i])
            if (link != 0 && link - Spot_RefPt_Start >= i)
                line(i, link);
    glEnd();
    glLineWidth(4.0f);
    glColor4d(1.0, 0.0, 0.0, 1.0);
    glBegin(GL_LINES);
    for (int i = 0; i < Spot_Count; i++)
        if (drawnLines[i] != 0)
            line(i, drawnLines[i]);
    glEnd();
    if (state == 3)
    {
        glEnable(GL_TEXTURE_2D);
        glColor4d(1.0, 1.0, 1.0, 1.0);
        double const scale = 2.5 + 0.5 * std::sin(counter / 10.0);
        font->Render(pair == Patient_Pairs ? "SUCCESS!" : "FAIL!", -1, Font_Centre | Font_Middle, &textPos, scale);
    }
    else if (choice >= 0)
    {
        glLineWidth(6.0f);
        glBegin(GL_LINES);
        line(currentSpot, links[currentSpot][choice]);
        glEnd();
        glEnable(GL_TEXTURE_2D);
    }
    else
    {
        glEnable(GL_TEXTURE_2D);
    }
    glLineWidth(1.0f);
    glColor4d(1.0, 1.0, 1.0, 1.0);
}
