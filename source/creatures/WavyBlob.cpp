// WavyBlob: the arms' waves, flailing and curling, the colour cycle, the body's shake, blinking and fall.
#include "creatures/WavyBlob.h"

#include "engine/Map.h"
#include "engine/Path.h"
#include "media/Game_Sounds.h"
#include "media/Image.h"
#include "util/Error.h"
#include "util/Util.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <algorithm>
#include <cassert>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace
{
constexpr double Arm_CurlRate = 20.0;              // ticks per radian a dead arm's segment turns
constexpr double Arm_CurlBend = 0.392699081698725; // most a curled segment bends against the one before
constexpr double Blob_ActiveRadius = 300.0;
constexpr double Blob_ShakeHTurns = 37.6991118430776;   // six swings over the shake
constexpr double Blob_ShakeVTurns = 62.831853071796004; // ten swings
constexpr double Blob_FallGravity = 0.05;
constexpr double Blob_ReachFactor = 0.75; // of the face's width

struct Arm_Layout
{
    double angle;
    WavyArm_Colour colour;
};
constexpr Arm_Layout Arm_Layouts[WavyBlob_Arm_Count] = {
    {-1.0471975511966, WavyArm_Blue},  // up and left
    {1.0471975511966, WavyArm_Red},    // up and right
    {-2.0943951023932, WavyArm_Green}, // down and left
    {2.0943951023932, WavyArm_Purple}, // down and right
};

// a < b, values within Util::Eps counting as equal.
bool Less(double a, double b)
{
    return a < b && !Util::Equal(a, b);
}

Rectf CentredRect(Image const* image)
{
    assert(image != nullptr && "WavyBlob::Initialise before any blob");
    int const w = static_cast<int>(image->GetWidth()) / 2;
    int const h = static_cast<int>(image->GetHeight()) / 2;
    return Rectf(-w, -h, w, h);
}

double ActiveRadius(Path const* path)
{
    if (path == nullptr)
        return Blob_ActiveRadius;
    Rectf const bound = path->GetBound();
    return Blob_ActiveRadius + std::max(bound.x1 - bound.x0, bound.y1 - bound.y0);
}
} // namespace

Image* WavyBlob::armframe = nullptr;
Image* WavyBlob::greyblobframe = nullptr;
Image* WavyBlob::blueblobframe = nullptr;
Image* WavyBlob::redblobframe = nullptr;
Image* WavyBlob::greenblobframe = nullptr;
Image* WavyBlob::purpleblobframe = nullptr;
Image* WavyBlob::greyfaceframe = nullptr;
Image* WavyBlob::bluefaceframe = nullptr;
Image* WavyBlob::redfaceframe = nullptr;
Image* WavyBlob::greenfaceframe = nullptr;
Image* WavyBlob::purplefaceframe = nullptr;

WavyArm::WavyArm(Pointf root, double base, WavyArm_Colour armColour, TimeSet* flail, TimeSet* hurt, int startHitPoints)
    : Target(Sound_MonsterHit3), rootPos(root), baseAngle(base), colour(armColour), flailTimes(flail), hurtTimes(hurt),
      hitPoints(startHitPoints)
{
    rect = CentredRect(WavyBlob::TipFrame(WavyArm_Grey));
    // The draws stay in this order: arms built one after another take consecutive values of the
    // C library's sequence, so a level built again waves the same.
    for (int i = 0; i < WavyBlob_Arm_Sections; i++)
    {
        int const r = std::rand() & 0x3FF;
        wavePeriod[i] = r * (WavyBlob_Arm_MaxSpeed - WavyBlob_Arm_MinSpeed) / 1024.0 + WavyBlob_Arm_MinSpeed;
        wavePhase[i] = std::rand() & 0x3FF;
    }
    GetArmPos(0, &segmentPos, &segmentAngle);
}

void WavyArm::SetFamily(WavyArm* const (&arms)[WavyBlob_Arm_Count], WavyBlob const* blob)
{
    std::copy(std::begin(arms), std::end(arms), siblings);
    body = blob;
}

Pointf WavyArm::RootAt(Tick t) const
{
    if (body == nullptr)
        return rootPos;
    return body->GetBasePos() + body->GetPosAtTime(t);
}

WavyArm_Colour WavyArm::GetColourForTime(Tick t, bool const* dead)
{
    for (int k = 0; k < WavyBlob_Arm_Count; k++)
    {
        int const arm = (t & 0x600) >> 9;
        if (!dead[arm])
            return WavyArm_Colour(arm + 1);
        t += 0x200;
    }
    return WavyArm_Grey;
}

void WavyArm::WaveAngles(Tick t, double (*angle)[WavyBlob_Arm_Sections]) const
{
    // Flail ticks already passed advance the phase three times more, so the wave runs four
    // times as fast while flailing and goes on from where it got to afterwards.
    double const flailed = 3.0 * flailTimes->Count(t);
    double a = baseAngle;
    for (int i = 0; i < WavyBlob_Arm_Sections; i++)
    {
        double const wave = (t + wavePhase[i]) / wavePeriod[i] + flailed / wavePeriod[i];
        a += WavyBlob_Arm_MaxAngle * std::sin(wave);
        (*angle)[i] = a;
    }
}

void WavyArm::GetArmPos(Tick t, Pointf (*pos)[WavyBlob_Arm_Sections], double (*angle)[WavyBlob_Arm_Sections]) const
{
    Pointf p = RootAt(t);
    if (path != nullptr)
        p += path->PositionAtTime(t).pos;
    if (AliveAt(t))
        WaveAngles(t, angle);
    else
    {
        // Curls from the shape it died in, each segment towards hanging straight down.
        WaveAngles(deathTime, angle);
        double const turn = (t - deathTime) / Arm_CurlRate;
        double prev = baseAngle;
        bool const right = baseAngle > -Util::Eps;
        for (int i = 0; i < WavyBlob_Arm_Sections; i++)
        {
            double& a = (*angle)[i];
            if (right)
            {
                a += turn;
                if (a - prev > Arm_CurlBend)
                    a = prev + Arm_CurlBend;
                if (a > Util::HalfTurn)
                    a = Util::HalfTurn;
            }
            else
            {
                a -= turn;
                if (prev - a > Arm_CurlBend)
                    a = prev - Arm_CurlBend;
                if (a < -Util::HalfTurn)
                    a = -Util::HalfTurn;
            }
            prev = a;
        }
    }
    double const length = WavyBlob::ArmFrame()->GetHeight();
    for (int i = 0; i < WavyBlob_Arm_Sections; i++)
    {
        p.x += length * std::sin((*angle)[i]);
        p.y += length * std::cos((*angle)[i]);
        (*pos)[i] = p;
    }
}

void WavyArm::MoveToTime(Map const*, Tick t)
{
    GetArmPos(t, &segmentPos, &segmentAngle);
}

void WavyArm::Render(Map const* map, Tick) const
{
    Image const* skin = WavyBlob::ArmFrame();
    skin->Associate();
    glEnable(GL_TEXTURE_2D);
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    double const half = skin->GetWidth() / 2.0;
    Pointf prevA;
    Pointf prevB;
    for (int i = 0; i < WavyBlob_Arm_Sections; i++)
    {
        double const b = Util::Angle(segmentAngle[i] - Util::QuarterTurn);
        Pointf const side(half * std::sin(b), half * std::cos(b));
        Pointf const a = map->WorldToScreen(segmentPos[i] + side);
        Pointf const c = map->WorldToScreen(segmentPos[i] - side);
        if (i > 0)
        {
            glBegin(GL_QUADS);
            glTexCoord2f(0.0f, 0.0f);
            glVertex2f(static_cast<float>(prevA.x), static_cast<float>(prevA.y));
            glTexCoord2f(1.0f, 0.0f);
            glVertex2f(static_cast<float>(prevB.x), static_cast<float>(prevB.y));
            glTexCoord2f(1.0f, 1.0f);
            glVertex2f(static_cast<float>(c.x), static_cast<float>(c.y));
            glTexCoord2f(0.0f, 1.0f);
            glVertex2f(static_cast<float>(a.x), static_cast<float>(a.y));
            glEnd();
            // A driver's complaint is reported, once, and the game goes on.
            GLenum const error = glGetError();
            if (error != GL_NO_ERROR && !glErrorShown)
            {
                glErrorShown = true;
                char text[Error::TextSize];
                std::snprintf(text, sizeof text, "OpenGL error: %s",
                              reinterpret_cast<char const*>(gluErrorString(error)));
                Error(Error_None, text).Report();
            }
        }
        prevA = a;
        prevB = c;
    }
    Image const* tip = WavyBlob::TipFrame(colour);
    Image_Render_Flags flags = Image_Right | Image_Middle;
    if (Less(0.0, baseAngle))
        flags |= Image_MirrorY;
    tip->Render(segmentPos[WavyBlob_Arm_Sections - 1],
                Util::Angle(segmentAngle[WavyBlob_Arm_Sections - 1] + Util::QuarterTurn), 1.0, flags, &map->view);
}

bool WavyArm::ActivePoint(Pointf& centre, double& radius, double& objScale) const
{
    // The body's resting place: the root set at the last move falls with a dead body, and an
    // arm culled on that account would miss the moves that follow it back.
    centre = body != nullptr ? body->GetBasePos() : rootPos;
    radius = ActiveRadius(path);
    objScale = 1.0;
    return true;
}

int WavyArm::Hit(Tick t, int damage, Target_Hit_Flags flags)
{
    bool dead[WavyBlob_Arm_Count];
    for (int j = 0; j < WavyBlob_Arm_Count; j++)
        dead[j] = siblings[j]->IsDead(t);
    if (colour != WavyArm_Grey && GetColourForTime(t, dead) != colour)
        return 0;
    Target::Hit(t, damage, flags);
    // A hit placed before one already recorded (after travelling back) opens the body but
    // leaves the flail as the later hit made it.
    HitInfo const key(t, 0, 0);
    if (hits->FindItem(&key) == hits->LastItem())
        flailTimes->AddRange(TimeRange(t, t + WavyBlob_Arm_FlailTime));
    hurtTimes->AddRange(TimeRange(t, t + WavyBlob_Arm_FlailTime));
    return ChangeDeathTime(GetDeathTime(hitPoints));
}

int WavyArm::IsPlayerHit(Tick t, Pointf const* playerPos)
{
    if (!AliveAt(t))
        return 0;
    Pointf pos[WavyBlob_Arm_Sections];
    double angle[WavyBlob_Arm_Sections];
    GetArmPos(t, &pos, &angle);
    double const reach = WavyBlob::ArmFrame()->GetWidth();
    for (Pointf const& p : pos)
        if (Less(playerPos->DistanceEst(&p), reach))
            return 1;
    return 0;
}

bool WavyArm::GetTargetPos(Map const*, Tick t, Pointf& out) const
{
    Pointf pos[WavyBlob_Arm_Sections];
    double angle[WavyBlob_Arm_Sections];
    GetArmPos(t, &pos, &angle);
    int const reach = static_cast<int>(WavyBlob::TipFrame(WavyArm_Grey)->GetWidth()) / 2;
    double const last = angle[WavyBlob_Arm_Sections - 1];
    out = pos[WavyBlob_Arm_Sections - 1] + Pointf(reach * std::sin(last), reach * std::cos(last));
    return deathTime == -1 || t < deathTime;
}

WavyBlob::WavyBlob(Map const* map, unsigned int ref, bool isColoured, int bodyHitPoints, int armHitPoints)
    : EnemyTarget(bodyHitPoints, Sound_MonsterHit), coloured(isColoured), basePos(map->GetRefPoint(ref)), pos(basePos),
      face(greyfaceframe)
{
    for (int i = 0; i < WavyBlob_Arm_Count; i++)
        arms[i] = new WavyArm(pos, Arm_Layouts[i].angle, coloured ? Arm_Layouts[i].colour : WavyArm_Grey, &flailTimes,
                              &hurtTimes, armHitPoints);
    for (WavyArm* arm : arms)
        arm->SetFamily(arms, this);
    rect = CentredRect(greyfaceframe);
}

WavyBlob::~WavyBlob()
{
    for (WavyArm* arm : arms)
        delete arm;
    delete path;
}

void WavyBlob::Initialise()
{
    struct Load
    {
        Image*& image;
        char const* file;
        Image_Flags flags;
        char const* check;
    };
    Load const loads[] = {
        {armframe, "gfx/wavyblob/skin.png", 0, "armframe == NULL"},
        {greyblobframe, "gfx/wavyblob/greyblob.png", Image_Mask, "greyblobframe == NULL"},
        {blueblobframe, "gfx/wavyblob/blueblob.png", Image_Mask, "blueblobframe == NULL"},
        {redblobframe, "gfx/wavyblob/redblob.png", Image_Mask, "redblobframe == NULL"},
        {greenblobframe, "gfx/wavyblob/greenblob.png", Image_Mask, "greenblobframe == NULL"},
        {purpleblobframe, "gfx/wavyblob/purpleblob.png", Image_Mask, "purpleblobframe == NULL"},
        {greyfaceframe, "gfx/wavyblob/greyface.png", Image_Mask, "greyfaceframe == NULL"},
        {bluefaceframe, "gfx/wavyblob/blueface.png", Image_Mask, "bluefaceframe == NULL"},
        {redfaceframe, "gfx/wavyblob/redface.png", Image_Mask, "redfaceframe == NULL"},
        {greenfaceframe, "gfx/wavyblob/greenface.png", Image_Mask, "greenfaceframe == NULL"},
        {purplefaceframe, "gfx/wavyblob/purpleface.png", Image_Mask, "purplefaceframe == NULL"},
    };
    for (Load const& load : loads)
        assert(load.image == nullptr && load.check);
    for (Load const& load : loads)
        load.image = new Image(load.file, load.flags, false);
    if (gameSounds != nullptr)
        gameSounds->InitSound(Sound_WavyBlob);
}

void WavyBlob::Finalise()
{
    for (Image** image : {&armframe, &greyblobframe, &blueblobframe, &redblobframe, &greenblobframe, &purpleblobframe,
                          &greyfaceframe, &bluefaceframe, &redfaceframe, &greenfaceframe, &purplefaceframe})
    {
        delete *image;
        *image = nullptr;
    }
}

Image const* WavyBlob::TipFrame(WavyArm_Colour c)
{
    switch (c)
    {
    case WavyArm_Grey:
        return greyblobframe;
    case WavyArm_Blue:
        return blueblobframe;
    case WavyArm_Red:
        return redblobframe;
    case WavyArm_Green:
        return greenblobframe;
    case WavyArm_Purple:
        return purpleblobframe;
    }
    assert(false && "an arm colour is 0 to 4");
    return greyblobframe;
}

Image const* WavyBlob::FaceFrame(WavyArm_Colour c)
{
    switch (c)
    {
    case WavyArm_Grey:
        return greyfaceframe;
    case WavyArm_Blue:
        return bluefaceframe;
    case WavyArm_Red:
        return redfaceframe;
    case WavyArm_Green:
        return greenfaceframe;
    case WavyArm_Purple:
        return purplefaceframe;
    }
    assert(false && "a colour is 0 to 4");
    return greyfaceframe;
}

WavyArm* WavyBlob::GetArm(int id) const
{
    assert(id >= 0 && id < WavyBlob_Arm_Count && "id >= 0 && id < WavyBlob_Arm_Count");
    return arms[id];
}

void WavyBlob::AssociatePath(Path* blobPath)
{
    delete path;
    path = blobPath;
    for (WavyArm* arm : arms)
        arm->AssociatePath(path);
}

Pointf WavyBlob::GetPosAtTime(Tick t) const
{
    Pointf offset(0.0, 0.0);
    Tick hit = 0;
    if (BeenHit(t, &hit) && t < hit + WavyBlob_PanicTime)
    {
        double const d = t - hit;
        offset.x += WavyBlob_PanicHDist * std::sin(d * Blob_ShakeHTurns / WavyBlob_PanicTime);
        offset.y += WavyBlob_PanicVDist * std::sin(d * Blob_ShakeVTurns / WavyBlob_PanicTime);
    }
    if (IsDead(t))
    {
        double const e = t - deathTime;
        offset.y -= Blob_FallGravity * e * e;
    }
    return offset;
}

bool WavyBlob::IsOpen(Tick t) const
{
    if (hurtTimes.Check(t))
        return true;
    for (WavyArm const* arm : arms)
        if (arm->AliveAt(t))
            return false;
    return true;
}

void WavyBlob::MoveToTime(Map const*, Tick t)
{
    pos = basePos + GetPosAtTime(t);
    // The ambient sound is an effect only: it draws from the C library's sequence and changes nothing.
    if ((std::rand() & 0xFF) == 0xB6 && gameSounds != nullptr)
        gameSounds->Play(Sound_WavyBlob, &pos, false, 1.0);
    bool dead[WavyBlob_Arm_Count];
    for (int i = 0; i < WavyBlob_Arm_Count; i++)
    {
        arms[i]->SetRootPos(pos);
        dead[i] = arms[i]->IsDead(t);
    }
    if (path != nullptr)
        pos += path->PositionAtTime(t).pos;
    Image const* colourFace = coloured ? FaceFrame(WavyArm::GetColourForTime(t, dead)) : redfaceframe;
    face = hurtTimes.Check(t) ? greyfaceframe : colourFace;
    Tick hit = 0;
    if (BeenHit(t, &hit) && t < hit + WavyBlob_PanicTime)
        face = ((t - hit) & 4) == 0 ? greyfaceframe : colourFace;
}

void WavyBlob::Render(Map const* map, Tick t) const
{
    if (!ShownAt(t))
        return;
    face->Render(pos, 0.0, 1.0, Image_Centre | Image_Middle, &map->view);
}

bool WavyBlob::ActivePoint(Pointf& centre, double& radius, double& objScale) const
{
    centre = basePos;
    radius = ActiveRadius(path);
    objScale = 1.0;
    return true;
}

int WavyBlob::Hit(Tick t, int damage, Target_Hit_Flags flags)
{
    if (HitClash(t, WavyBlob_PanicTime))
        return 0;
    if (!IsOpen(t))
        return 0;
    return EnemyTarget::Hit(t, damage, flags);
}

int WavyBlob::IsPlayerHit(Tick t, Pointf const* playerPos)
{
    if (!AliveAt(t))
        return 0;
    double const reach = Blob_ReachFactor * greyfaceframe->GetWidth();
    return Less(playerPos->DistanceEst(&pos), reach) ? 1 : 0;
}

bool WavyBlob::GetTargetPos(Map const*, Tick t, Pointf& out) const
{
    out = basePos + GetPosAtTime(t);
    if (path != nullptr)
        out += path->PositionAtTime(t).pos;
    return AliveAt(t);
}
