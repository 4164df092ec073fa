// The reference-counted base of shared records.
#include "util/RefObj.h"

#include <cassert>

bool RefObj::Destroy()
{
    assert(refs > 0);
    if (--refs == 0)
    {
        delete this;
        return true;
    }
    return false;
}
