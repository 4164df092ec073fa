// Enemy: the death tick and the record of hits given to the player.
#include "engine/Enemy.h"

#include "engine/GameEvents.h"

Enemy::Enemy() : deathTime(GameEvent_HasntHappened), givenHits(new PtrListSorted<GiveHitInfo>(PtrList_Variable, 32))
{
}

Enemy::Enemy(Enemy const* other) : deathTime(other->deathTime), givenHits(other->givenHits)
{
    givenHits->TakeRef();
}

Enemy& Enemy::operator=(Enemy const& other)
{
    if (givenHits != other.givenHits)
    {
        other.givenHits->TakeRef();
        givenHits->Destroy();
        givenHits = other.givenHits;
    }
    deathTime = other.deathTime;
    return *this;
}

Enemy::~Enemy()
{
    givenHits->Destroy();
}

int Enemy::IsPlayerHit(Tick, Pointf const*)
{
    return 0;
}

bool Enemy::ActivePoint(Pointf&, double&, double&) const
{
    return false;
}

void Enemy::TakenHit(Tick t, int damage)
{
    givenHits->AddItem(new GiveHitInfo(t, damage));
    givenHits->SortList();
}

bool Enemy::IsDead(Tick t) const
{
    return deathTime != GameEvent_HasntHappened && deathTime < t;
}

int Enemy::ChangeDeathTime(Tick newTime)
{
    if (newTime == GameEvent_HasntHappened)
        return 0;
    bool const wasDead = deathTime != GameEvent_HasntHappened;
    if (wasDead && deathTime <= newTime)
        return 0;
    int returned = 0;
    for (int i = 0; i < givenHits->Count(); i++)
    {
        GiveHitInfo const* hit = (*givenHits)[i];
        if (hit == nullptr || hit->time <= newTime)
            continue;
        if (wasDead && hit->time > deathTime)
            break;
        returned += hit->damage;
    }
    deathTime = newTime;
    DeathMoved(newTime);
    return returned;
}

void Enemy::DeathMoved(Tick)
{
}
