// The reference-counted base of records shared between an object and its copies.
#pragma once

#include <cstdint>

class RefObj
{
public:
    RefObj() : refs(1) {}
    // A copy is a new holder's object: it starts with its own single reference.
    RefObj(RefObj const&) : refs(1) {}
    // Assigning a record copies its contents, never how many holders share it.
    RefObj& operator=(RefObj const&) { return *this; }
    virtual ~RefObj() {}

    void TakeRef() { refs++; }
    // Drops one reference; at zero the object deletes itself and the result is true.
    // A holder that calls Destroy stops using its pointer.
    bool Destroy();

    std::int32_t Refs() const { return refs; }

private:
    std::int32_t refs;
};
