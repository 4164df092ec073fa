// A counted array of plain values that grows one element at a time.
#pragma once

#include "util/Error.h"

#include <cassert>
#include <cstdlib>
#include <cstring>
#include <type_traits>

template <class T>
class FlatList
{
    // Elements are moved by realloc and zero-filled by calloc: no constructor or destructor runs.
    static_assert(std::is_trivially_copyable_v<T> && std::is_trivially_destructible_v<T>,
                  "FlatList holds plain values only");

public:
    FlatList() : count(0), items(nullptr) {}
    explicit FlatList(int n) : count(0), items(nullptr) { Init(n); }
    FlatList(FlatList const&) = delete;
    FlatList& operator=(FlatList const&) = delete;
    ~FlatList() { std::free(items); }

    // n zeroed elements; called once, on an empty list.
    void Init(int n)
    {
        assert(items == nullptr && count == 0);
        assert(n >= 0);
        if (n > 0)
        {
            items = static_cast<T*>(std::calloc(n, sizeof(T)));
            if (items == nullptr)
                throw Error(Error_OutOfMemory);
        }
        count = n;
    }

    // One more element at the end, for the caller to set.
    void Extend()
    {
        T* grown = static_cast<T*>(std::realloc(static_cast<void*>(items), (count + 1) * sizeof(T)));
        if (grown == nullptr)
            throw Error(Error_OutOfMemory);
        items = grown;
        // Zeroed so that an element the caller forgets to set is at least defined.
        std::memset(static_cast<void*>(&items[count]), 0, sizeof(T));
        count++;
    }

    int Count() const { return count; }

    T& operator[](int i) const
    {
        assert(i >= 0 && i < count);
        return items[i];
    }

private:
    int count;
    T* items;
};
