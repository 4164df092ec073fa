// The stable sort of pointer arrays by the items' Greater, empty slots last.
#pragma once

// Sorts the first n pointers in place: items in ascending order of T::Greater,
// equal items in their original order, NULL slots at the end.
template <class T>
void Sort(T** items, int n)
{
    bool exchanged = true;
    while (exchanged)
    {
        exchanged = false;
        for (int i = n - 1; i >= 1; i--)
        {
            if (items[i] != nullptr && (items[i - 1] == nullptr || items[i - 1]->Greater(items[i])))
            {
                T* held = items[i];
                items[i] = items[i - 1];
                items[i - 1] = held;
                exchanged = true;
            }
        }
    }
}
