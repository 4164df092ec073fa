// Plato_Mortar: taking and leaving the mortar, aiming, firing, the shells' traces and the rocks.
#include "plateau/Plato_Mortar.h"

#include "engine/GameEvents.h"
#include "engine/KeyData.h"
#include "engine/Map.h"
#include "engine/Message.h"
#include "engine/Player.h"
#include "engine/TimeSet.h"
#include "engine/TimeSet2.h"
#include "media/Game_Sounds.h"
#include "media/Image.h"
#include "util/Util.h"

#include <GL/gl.h>

#include <algorithm>
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

constexpr double Mortar_Right = 1.5707963267949;
constexpr double Mortar_StartAngle = 0.78539816339745;
constexpr double Mortar_AngleScale = 65536.0;

} // namespace

Plato_Mortar::Plato_Mortar(Map const* map, Message* messages, Player* hero, unsigned int rp)
    : message(messages), player(hero), moves(Mortar_NumRocks), pos(map->GetRefPoint(rp)), useTimes(nullptr),
      angleLog(nullptr), attacks(PtrList_Variable, 32)
{
    // Every rock it can blast away, before anything is built: a constructor that throws runs no
    // destructor.
    for (int i = 0; i < Mortar_NumRocks; i++)
        map->RequireGroup(static_cast<unsigned int>(i) + Mortar_RockGroupOffset);
    try
    {
        standImage = new Image("gfx/plateau/mortar-stand.png", Image_Mask, false);
        gunImage = new Image("gfx/plateau/mortar-gun.png", Image_Mask, false);
        explodeImage = new Image("gfx/general/explosion.png", Image_Mask, false);
    }
    catch (...)
    {
        delete standImage;
        delete gunImage;
        throw;
    }
    for (int i = 0; i < Mortar_NumRocks; i++)
    {
        moves[i].kind = MoveObject_Translate;
        moves[i].group = static_cast<unsigned int>(i) + Mortar_RockGroupOffset;
        rockFallTime[i] = GameEvent_HasntHappened;
    }
    useTimes = new TimeSet();
    angleLog = new TimeSet2();
    if (gameSounds != nullptr)
        gameSounds->InitSound(Sound_Explode2);
}

Plato_Mortar::~Plato_Mortar()
{
    useTimes->Destroy();
    angleLog->Destroy();
    delete standImage;
    delete gunImage;
    delete explodeImage;
}

double Plato_Mortar::FindAngle(Tick t) const
{
    int v = 0;
    if (angleLog->Find(t - 1, &v) || angleLog->CheckDown(t - 1, &v, nullptr))
        return v / Mortar_AngleScale;
    return Mortar_StartAngle;
}

Pointf Plato_Mortar::ShellPos(Mortar_Attack const* attack, int m) const
{
    double const speed = attack->strength * Mortar_Strength + Mortar_Strength_Offset;
    double const vx = std::sin(attack->angle) * speed;
    double const vy = std::cos(attack->angle) * speed;
    Pointf const gun = GetGunPos();
    return Pointf(gun.x + m * vx, gun.y + m * vy - Mortar_Gravity / 2 * m * m);
}

void Plato_Mortar::FindAttackLength(Map const* map, Mortar_Attack* attack)
{
    double const speed = attack->strength * Mortar_Strength + Mortar_Strength_Offset;
    double const vx = std::sin(attack->angle) * speed;
    double vy = std::cos(attack->angle) * speed;
    Pointf q = GetGunPos();
    int n = 0;
    unsigned int poly = 0;
    bool landed = false;
    // A map that is not closed around the mortar would let a shell fly for ever: it is given up
    // once below everything or after a bound on its flight, and then blasts nothing.
    while (n < Mortar_MaxTraceSteps && !(q.y < map->minY))
    {
        Pointf const from = q;
        q.x += vx;
        q.y += vy;
        vy -= Mortar_Gravity;
        n++;
        Pointf to = q;
        if (map->TryMove(&from, &to, &poly, nullptr))
        {
            landed = true;
            break;
        }
    }
    attack->length = n - 1;
    if (!landed)
        return;
    unsigned int const g = map->GetGroup(poly);
    if (g < Mortar_RockGroupOffset || g >= Mortar_RockGroupOffset + Mortar_NumRocks)
        return;
    Tick& fall = rockFallTime[g - Mortar_RockGroupOffset];
    Tick const blast = attack->time + n;
    if (fall == GameEvent_HasntHappened || blast < fall)
        fall = blast;
}

bool Plato_Mortar::Poll(Map const* map, Tick t, KeyData* keys, bool travelling)
{
    BurstSounds(t);
    if (travelling)
    {
        barX += ((active ? 4.0 : -320.0) - barX) / 8;
        return active;
    }
    if (!active && Down(keys, KeyIndex_GameAction, KeyState_Released))
    {
        Pointf const p = player->GetPos();
        if (Less(pos.DistanceEst(&p), Mortar_Reach))
        {
            keys->keys[KeyIndex_GameAction] = 0;
            Tick u = 0;
            bool const used = useTimes->CheckUp(t, &u);
            if (!used || t + Mortar_UseGap < u)
            {
                active = true;
                player->scripted = true;
                Pointf const view(pos.x + 500.0, pos.y + 200.0);
                player->SetCameraPos(&view, CameraMove_Ease8, 0);
                player->SetCameraScale(0.5, CameraMove_Ease8);
                // Queued unchecked: a full queue drops what does not fit.
                message->Display("Press left and right to adjust the mortar angle", 200);
                message->Display("Press change target to adjust the launch strength", 200);
                message->Display("Press fire to launch a shell and jump to finish", 200);
            }
            else
                player->Think(u == t ? "I'm already using it!" : "I'm about to use it!");
        }
    }

    double a = FindAngle(t);
    if (!active)
    {
        // The gun follows the angles a past self recorded. A tick at which a past self uses it
        // holds that self's own angle, which stays as it was.
        int v = 0;
        if (!useTimes->Check(t) && angleLog->CheckUp(t + 1, &v, nullptr))
        {
            double const g = v / Mortar_AngleScale;
            a += (g - a) / 8;
            if (Less(std::fabs(a - g), 0.01))
                a = g;
            angleLog->Add(t, static_cast<int>(a * Mortar_AngleScale));
        }
        barX += (-320.0 - barX) / 8;
        return false;
    }

    if (Down(keys, KeyIndex_GameLeft, KeyState_Held) && Less(0.0, a))
        a -= 0.01;
    if (Down(keys, KeyIndex_GameRight, KeyState_Held) && Less(a, Mortar_Right))
        a += 0.01;
    if (Down(keys, KeyIndex_GamePrevTarget, KeyState_Held) && Less(strength, 1.0))
        strength += 0.01;
    if (Down(keys, KeyIndex_GameNextTarget, KeyState_Held) && Less(0.0, strength))
        strength -= 0.01;
    if (Down(keys, KeyIndex_GameAction, KeyState_Released))
    {
        auto* attack = new Mortar_Attack(t);
        attack->angle = a;
        attack->strength = strength;
        FindAttackLength(map, attack);
        attacks.NewItem(attack);
        attacks.SortList();
    }
    Tick u = 0;
    bool const finish =
        (useTimes->CheckUp(t, &u) && u <= t + Mortar_UseGap) || Down(keys, KeyIndex_GameJump, KeyState_Pressed);
    barX += (4.0 - barX) / 8;
    if (finish)
    {
        active = false;
        player->scripted = false;
        player->SetCameraPos(nullptr, CameraMove_None, 0);
        player->SetCameraScale(1.0, CameraMove_None);
        message->Clear();
    }
    useTimes->Add(t);
    angleLog->Add(t, static_cast<int>(a * Mortar_AngleScale));
    return active;
}

void Plato_Mortar::BurstSounds(Tick t)
{
    // The burst is heard from the step before it is shown, once per shell: drawing may show a
    // tick any number of times, or not at all.
    Mortar_Attack const key(t);
    for (int i = attacks.FindItem(&key); i >= 0; i--)
    {
        Mortar_Attack const* attack = attacks[i];
        if (attack == nullptr)
            continue;
        if (attack->time + Mortar_MaxProjectTime <= t)
            break;
        if (t - attack->time == attack->length - 1)
        {
            Pointf const q = ShellPos(attack, attack->length - 1);
            if (gameSounds == nullptr || gameSounds->mute == 0)
                bursts++;
            if (gameSounds != nullptr)
                gameSounds->Play(Sound_Explode2, &q, false, 1.0);
        }
    }
}

void Plato_Mortar::MoveMapGroup(Map const*, Tick t, FlatList<MoveObject>** orders)
{
    for (int i = 0; i < Mortar_NumRocks; i++)
    {
        bool const gone = rockFallTime[i] != GameEvent_HasntHappened && t >= rockFallTime[i];
        moves[i].newX = 0.0;
        moves[i].newY = gone ? Mortar_RockLift : 0.0;
    }
    *orders = &moves;
}

void Plato_Mortar::PlotMortars(Map const* map, Tick t) const
{
    Mortar_Attack const key(t);
    for (int i = attacks.FindItem(&key); i >= 0; i--)
    {
        Mortar_Attack const* attack = attacks[i];
        if (attack == nullptr)
            continue;
        if (attack->time + Mortar_MaxProjectTime <= t)
            break;
        int const k = static_cast<int>(t - attack->time);
        if (k >= attack->length + Mortar_ExplodeTime)
            continue;
        int const m = std::min(k, attack->length);
        Pointf const q = ShellPos(attack, m);
        if (m == attack->length)
        {
            std::int32_t const r1 = Util::Random(t);
            std::int32_t const r2 = Util::Random(t + 1);
            std::int32_t const r3 = Util::Random(t + 2);
            std::int32_t const r4 = Util::Random(t + 4);
            Pointf const at(q.x + ((r3 & 0x3FF) - 512) / 128.0, q.y + ((r4 & 0x3FF) - 512) / 128.0);
            explodeImage->Render(at, r1 / 1024.0, (r2 & 0x3FF) / 2048.0 + 1.0, Image_Centre | Image_Middle, &map->view);
            continue;
        }
        Pointf const s = q.WorldToScreen(&map->view);
        double const half = 3.0 * map->view.scale;
        glDisable(GL_TEXTURE_2D);
        glColor4d(0.6, 0.6, 0.6, 1.0);
        glBegin(GL_QUADS);
        glVertex2d(s.x - half, s.y - half);
        glVertex2d(s.x + half, s.y - half);
        glVertex2d(s.x + half, s.y + half);
        glVertex2d(s.x - half, s.y + half);
        glEnd();
        glEnable(GL_TEXTURE_2D);
    }
}

void Plato_Mortar::Plot(Map const* map, Tick t) const
{
    PlotMortars(map, t);
    gunImage->Render(GetGunPos(), FindAngle(t), 1.0, 0.5, 0.3, 0, &map->view);
    standImage->Render(pos, 0.1, 1.0, Image_Centre | Image_Bottom, &map->view);
    if (!Less(-256.0, barX))
        return;
    glDisable(GL_TEXTURE_2D);
    glColor4d(1.0, 0.0, 0.0, 1.0);
    glBegin(GL_QUADS);
    glVertex2d(barX, 160.0);
    glVertex2d(barX + 26.0, 160.0);
    glVertex2d(barX + 26.0, 160.0 + 240.0 * strength);
    glVertex2d(barX, 160.0 + 240.0 * strength);
    glEnd();
    glColor4d(0.0, 0.0, 0.0, 1.0);
    glBegin(GL_LINE_LOOP);
    glVertex2d(barX, 160.0);
    glVertex2d(barX + 26.0, 160.0);
    glVertex2d(barX + 26.0, 400.0);
    glVertex2d(barX, 400.0);
    glEnd();
    glColor4d(1.0, 1.0, 1.0, 1.0);
    glEnable(GL_TEXTURE_2D);
}
