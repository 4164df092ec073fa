// Test_Walker: patrol step, replay through the key-frame log and a plain box for drawing.
#include "testworld/Test_Walker.h"

#include "engine/CharStats.h"
#include "engine/Map.h"
#include "util/WorldTransform.h"

#include <GL/gl.h>

#include <cassert>

Test_Walker::Test_Walker(Pointf start, double leftLimit, double rightLimit, CharStats* sharedStats, double cullRadius)
    : left(leftLimit), right(rightLimit), cull(cullRadius)
{
    assert(sharedStats != nullptr && "sharedStats != NULL");
    stats = sharedStats;
    stats->TakeRef();
    pos = start;
    keys = Character_Right;
    StartLog();
}

Test_Walker::Test_Walker(Test_Walker const* source) : Character(*source)
{
    assert(source->stats != nullptr && "source->stats != NULL");
    stats->TakeRef();
    CopyState(*source);
}

Test_Walker::~Test_Walker()
{
    stats->Destroy();
}

void Test_Walker::CopyState(Test_Walker const& source)
{
    Character::operator=(source);
    left = source.left;
    right = source.right;
    walkingLeft = source.walkingLeft;
    cull = source.cull;
}

void Test_Walker::SaveKey(Key& key) const
{
    key.body = static_cast<Character const&>(*this);
    key.left = left;
    key.right = right;
    key.cull = cull;
    key.walkingLeft = walkingLeft;
}

void Test_Walker::LoadKey(Key const& key)
{
    Character::operator=(key.body);
    left = key.left;
    right = key.right;
    cull = key.cull;
    walkingLeft = key.walkingLeft;
}

void Test_Walker::Move(Map const* map, Tick)
{
    keys = walkingLeft ? Character_Left : Character_Right;
    Pointf before = pos;
    Character::Move(map);
    bool blocked = before == pos;
    if (blocked || (walkingLeft && pos.x <= left) || (!walkingLeft && pos.x >= right))
        walkingLeft = !walkingLeft;
}

void Test_Walker::Render(Map const* map, Tick) const
{
    Pointf a = GetSpecificPos(-stats->width / 2.0, 0.0, nullptr).WorldToScreen(&map->view);
    Pointf b = GetSpecificPos(stats->width / 2.0, stats->height, nullptr).WorldToScreen(&map->view);
    glDisable(GL_TEXTURE_2D);
    glColor4d(0.8, 0.3, 0.1, 1.0);
    glBegin(GL_QUADS);
    glVertex2d(a.x, a.y);
    glVertex2d(a.x, b.y);
    glVertex2d(b.x, b.y);
    glVertex2d(b.x, a.y);
    glEnd();
}

bool Test_Walker::ActivePoint(Pointf& centre, double& radius, double& objScale) const
{
    centre = pos;
    radius = cull;
    objScale = GetScale();
    return cull > 0.0;
}
