// A shared, reference-counted pointer list kept in the order of the items' Greater.
#pragma once

#include "util/PtrList.h"
#include "util/Sort.h"

#include <cassert>

// Items stand in ascending order of T::Greater once SortList has run; the searches
// require empty slots only before the first or after the last item.
template <class T>
class PtrListSorted
{
public:
    PtrListSorted() : refs(1) {}
    PtrListSorted(PtrList_Type listType, int listSize) : refs(1) { list.Init(listType, listSize); }
    PtrListSorted(PtrListSorted const&) = delete;
    PtrListSorted& operator=(PtrListSorted const&) = delete;
    virtual ~PtrListSorted() {}

    void Init(PtrList_Type listType, int listSize)
    {
        list.Init(listType, listSize);
        refs = 1;
    }

    // Appends at the end without keeping the order: call SortList after adding out of order.
    void AddItem(T* item) { list.AddItem(item); }
    virtual void NewItem(T* item) { list.NewItem(item); }
    int Count() const { return list.Count(); }
    T*& operator[](int i) const { return list[i]; }
    bool ListFull() const { return list.ListFull(); }

    // A further holder now shares the list.
    void TakeRef() { refs++; }
    // Drops one holder's share; the last one deletes the list (and its items when it owns them).
    // Kept out of line so that callers' code is not analysed as if every call freed the list.
    [[gnu::noinline]] void Destroy()
    {
        assert(refs > 0);
        if (--refs == 0)
            delete this;
    }
    int Refs() const { return refs; }

    void SortList() { Sort(list.items, list.count); }

    // Floor search: the last item that is not Greater than key, or -1 when there is none.
    int FindItem(T const* key) const
    {
        int n = Count();
        if (n == 0)
            return -1;
        T** items = list.items;
        int lo = 0;
        int hi = n - 1;
        while (lo <= hi && items[lo] == nullptr)
            lo++;
        while (lo <= hi && items[hi] == nullptr)
            hi--;
        if (lo > hi)
            return -1;
        if (items[lo]->Greater(key))
            return -1;
        while (hi - lo > 1)
        {
            int mid = lo + (hi - lo) / 2;
            if (items[mid]->Greater(key))
                hi = mid - 1;
            else
                lo = mid;
        }
        return items[hi]->Greater(key) ? lo : hi;
    }

    // The last non-empty slot, or -1.
    int LastItem() const
    {
        int i = Count() - 1;
        while (i >= 0 && list.items[i] == nullptr)
            i--;
        return i;
    }

    // Deletes item i when the list owns its items and leaves a hole; the count stays.
    void Delete(int i)
    {
        assert(i >= 0 && i < Count());
        if (list.owns)
            delete list.items[i];
        list.items[i] = nullptr;
    }

    // Takes item i out without deleting it and closes the gap; the caller owns the item.
    T* RemoveItem(int i)
    {
        int const count = list.count;
        assert(list.type == PtrList_Variable);
        assert(i >= 0);
        assert(i < count);
        T* item = list.items[i];
        for (int j = i + 1; j < count; j++)
            list.items[j - 1] = list.items[j];
        list.count = count - 1;
        list.items[count - 1] = nullptr;
        return item;
    }

private:
    PtrList<T> list;
    int refs; // holders sharing the list
};
