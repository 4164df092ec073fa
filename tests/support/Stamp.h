// A tick-stamped test item that counts how many of its kind are alive.
#pragma once

#include "util/Tick.h"

struct Stamp
{
    static inline int alive = 0;

    explicit Stamp(Tick at = 0, int stampId = 0) : time(at), id(stampId) { alive++; }
    Stamp(Stamp const&) = delete;
    Stamp& operator=(Stamp const&) = delete;
    ~Stamp() { alive--; }

    bool Greater(Stamp const* other) const { return time > other->time; }

    Tick time;
    int id;
};
