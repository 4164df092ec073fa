// The compressed per-tick history of one value (a position, a velocity or an angle).
#pragma once

#include "util/Error.h"
#include "util/PtrListSorted.h"
#include "util/Tick.h"

#include <cassert>
#include <cstdlib>
#include <memory>
#include <type_traits>

// One run of values for consecutive ticks from startTime on; the last value is held
// for every later tick.
template <class T>
class PositionSet
{
    // The values live in a realloc'ed array.
    static_assert(std::is_trivially_copyable_v<T>);

public:
    explicit PositionSet(Tick start) : startTime(start), count(0), positions(nullptr), capacity(0) {}
    PositionSet(PositionSet const&) = delete;
    PositionSet& operator=(PositionSet const&) = delete;
    ~PositionSet() { free(positions); }

    // Stores v at tick t when the run can take it: an overwrite, an append, or a value
    // equal to the held last one. A tick before the run or past a gap is refused.
    bool AddPos(Tick t, T const& v)
    {
        Tick i = t - startTime;
        if (i < 0)
            return false;
        if (i < count)
        {
            positions[i] = v;
            return true;
        }
        if (count > 0 && v == positions[count - 1])
            return true;
        if (i != count)
            return false;
        if (count == capacity)
        {
            int newCapacity = capacity == 0 ? 4 : capacity * 2;
            void* grown = realloc(static_cast<void*>(positions), sizeof(T) * newCapacity);
            if (grown == nullptr)
                throw Error(Error_OutOfMemory);
            positions = static_cast<T*>(grown);
            capacity = newCapacity;
        }
        positions[count++] = v;
        return true;
    }

    T GetPos(Tick t) const
    {
        Tick id = t - startTime;
        assert(id >= 0);
        assert(count > 0);
        if (id >= count)
            id = count - 1;
        return positions[id];
    }

    bool Greater(PositionSet const* other) const { return other != nullptr && startTime > other->startTime; }

    Tick startTime;
    int count;
    T* positions;
    int capacity; // allocated values
};

// The value at every tick: initial until the first run, then the run at or before the tick.
template <class T>
class Positioner
{
public:
    explicit Positioner(T const* initialValue) : initial(*initialValue), pos(PtrList_Variable, 32) {}
    Positioner(Positioner const&) = delete;
    Positioner& operator=(Positioner const&) = delete;

    T GetPos(Tick t) const
    {
        PositionSet<T> key(t);
        int id = pos.FindItem(&key);
        if (id < 0)
            return initial;
        assert(pos[id] != nullptr);
        return pos[id]->GetPos(t);
    }

    // While the value repeats nothing is stored; after time travel back the stored values
    // are overwritten one tick at a time.
    void SetPos(Tick t, T const& v)
    {
        PositionSet<T> key(t);
        int id = pos.FindItem(&key);
        if (id < 0 && v == initial)
            return;
        if (id >= 0)
        {
            assert(pos[id] != nullptr);
            assert(pos[id]->startTime <= t);
            if (pos[id]->AddPos(t, v))
                return;
        }
        // Filled before it joins the list, so that a failed allocation leaves no empty run behind.
        std::unique_ptr<PositionSet<T>> run = std::make_unique<PositionSet<T>>(t);
        bool addSuccess = run->AddPos(t, v);
        assert(addSuccess);
        pos.AddItem(run.get());
        run.release();
        pos.SortList();
    }

private:
    T initial;
    PtrListSorted<PositionSet<T>> pos; // runs by start tick, owned
};
