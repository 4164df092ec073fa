// Test support: a walk through a level as a list of tasks, each giving the keys of the next step
// from what the level (of type W) shows, or telling that it is done. A world's walk derives from it
// and adds the tasks its scene needs.
#pragma once

#include <cstddef>
#include <functional>
#include <utility>
#include <vector>

template <class W>
class StepTasks
{
public:
    using Task = std::function<bool(W&, std::vector<int>&)>;

    void Add(Task task) { tasks.push_back(std::move(task)); }

    // Holds the key (none when -1) for n steps; the next task lets it go.
    void Hold(int key, int n)
    {
        Add([key, left = n](W&, std::vector<int>& held) mutable {
            if (key >= 0)
                held.push_back(key);
            return left-- <= 0;
        });
    }
    void Wait(int n) { Hold(-1, n); }

    // The keys of the next step; empty once every task is done.
    std::vector<int> Next(W& level)
    {
        std::vector<int> held;
        while (current < tasks.size() && tasks[current](level, held))
        {
            held.clear();
            ++current;
        }
        return held;
    }
    bool Done() const { return current >= tasks.size(); }

private:
    std::vector<Task> tasks;
    std::size_t current = 0;
};
