// A list of pointers, fixed in size or growing by doubling, deleting its items when it owns them.
#pragma once

#include "util/Error.h"

#include <cassert>
#include <cstdlib>
#include <cstring>

enum PtrList_Type
{
    PtrList_Fixed = 0,
    PtrList_Variable = 1
};

template <class T>
class PtrListSorted;

template <class T>
class PtrList
{
public:
    // The smallest array a growing list doubles from when it was created empty.
    static constexpr int MinGrowSize = 4;

    // An empty shell: Init follows before any use.
    PtrList() : owns(true), count(0), size(0), type(PtrList_Fixed), items(nullptr) {}
    PtrList(PtrList_Type listType, int listSize) : PtrList() { Init(listType, listSize); }
    PtrList(PtrList const&) = delete;
    PtrList& operator=(PtrList const&) = delete;
    virtual ~PtrList()
    {
        if (owns)
        {
            int n = Count();
            for (int i = 0; i < n; i++)
                delete items[i];
        }
        std::free(items);
    }

    // Called once, on an empty shell.
    void Init(PtrList_Type listType, int listSize)
    {
        assert(items == nullptr && size == 0);
        assert(listSize >= 0);
        if (listSize > 0)
        {
            items = static_cast<T**>(std::calloc(listSize, sizeof(T*)));
            if (items == nullptr)
                throw Error(Error_OutOfMemory);
        }
        size = listSize;
        type = listType;
        count = 0;
        owns = true;
    }

    // Appends at slot count, growing a variable list that is full.
    void AddItem(T* item)
    {
        if (type == PtrList_Fixed)
            assert(count < size);
        if (count == size)
            Grow();
        items[count] = item;
        count++;
    }

    // Fills the first empty slot, or appends when there is none.
    virtual void NewItem(T* item)
    {
        int n = Count();
        for (int i = 0; i < n; i++)
        {
            if (items[i] == nullptr)
            {
                items[i] = item;
                return;
            }
        }
        AddItem(item);
    }

    // Every slot of a fixed list, empty ones included; the item count of a variable list.
    int Count() const { return type == PtrList_Fixed ? size : count; }

    T*& operator[](int i) const
    {
        assert(i >= 0 && i < Count());
        return items[i];
    }

    // The first slot holding this very pointer, else -1.
    int GetPos(T const* item) const
    {
        int n = Count();
        for (int i = 0; i < n; i++)
            if (items[i] == item)
                return i;
        return -1;
    }

    bool IsIn(T const* item) const { return GetPos(item) != -1; }
    bool ListFull() const { return count == size; }
    PtrList_Type Type() const { return type; }

    bool owns; // the list deletes its items when destroyed

private:
    friend class PtrListSorted<T>;

    void Grow()
    {
        // A list created with size 0 would otherwise double to 0 and write past its array.
        int grownSize = size > 0 ? size * 2 : MinGrowSize;
        T** grown = static_cast<T**>(std::realloc(static_cast<void*>(items), grownSize * sizeof(T*)));
        if (grown == nullptr)
            throw Error(Error_OutOfMemory);
        std::memset(static_cast<void*>(grown + size), 0, (grownSize - size) * sizeof(T*));
        items = grown;
        size = grownSize;
    }

    int count; // slots filled by AddItem; a variable list's length
    int size;  // allocated slots
    PtrList_Type type;
    T** items; // NULL marks an empty slot
};
