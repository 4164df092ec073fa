// Test support: whether a player who has left a world's road can always get back to it. A place is a
// node: a standing edge of the static map (StandingEdges), the size he stands on it at once his size
// no longer changes, and whether he has the double jump; an edge that a door or a gate stands on is
// parted there, a node each side. A run watched from a node links it to every node he comes to stand
// on during the run, since he could have stopped there; the road's walk marks the road's nodes. Every
// node the links reach from the road must lead back to one of the road's nodes, to a node from which
// a run ended the level, or to one the caller excuses (a room whose puzzle lets him out); otherwise it
// is a trap, reported with the chain of runs that leads to it from the road. The nodes the runs come
// to that no run has started from yet are handed out to be run from in turn, so that the sizes a
// player arrives with are found by the runs themselves.
//
//     WayBack ways(*world->GetMap());
//     RoadTravel(*world, road).Walk(ways.Road(*world, step));
//     int const node = ways.NodeOf(surface, twice);
//     ShortcutRun::Hold(ways.Watch(*world, node, "holding left", step, twice), KeyIndex_GameLeft);
//     for (int n : ways.ToExplore()) ...                // put down at Nodes()[n].at, run, Watch
//     faults += ways.Traps([](WayBack::Node const&) { return nullptr; });
#pragma once

#include "engine/Level_Type.h"
#include "engine/Player.h"
#include "engine/Player_Sprites.h"
#include "puzzles/World_Base.h"
#include "support/StandingSurfaces.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <functional>
#include <map>
#include <string>
#include <tuple>
#include <vector>

constexpr double WayBack_Column = 100.0; // the breadth of the stretches the edges are found by
constexpr double WayBack_Parting = 20.0; // a moving solid this low over an edge parts it
constexpr double WayBack_Above = 3.0;    // how far above an edge the feet of one standing on it may be
constexpr double WayBack_Below = 1.0;    // ...or below it
inline int const WayBack_ReportedTraps =
    std::getenv("HM_ALL_TRAPS") ? 100000 : 12; // traps named in full in a report; the rest are counted

class WayBack
{
public:
    using Stepper = std::function<Level_Action(std::vector<int> const& held)>;

    struct Node
    {
        int edge;    // into Edges()
        double size; // settled
        bool twice;  // with the double jump
        Pointf at;   // where he was first seen standing on it, as PutPlayer takes it
        bool road = false;
        bool explored = false; // a run has started from it
        bool leaves = false;   // a run that stood on it last ended the level
        bool untried = false;  // no run could start from it (Untried)
    };

    explicit WayBack(Map const& map) : edges(StandingEdges(map)), dividers(edges.size())
    {
        for (std::size_t e = 0; e < edges.size(); ++e)
            for (long c = Column(edges[e].a.x); c <= Column(edges[e].b.x); ++c)
                columns[c].push_back(int(e));
        // Doors, gates and whatever else moves may part an edge: the solids of the moving groups that
        // stand low over it, as the map is built, divide it where they stand.
        for (unsigned int i = 0; i < map.polyCount; ++i)
        {
            Poly const* poly = map.polys[int(i)];
            if (!poly->solid || poly->group == 0)
                continue;
            Rectf const& r = poly->bound;
            double const x = (r.x0 + r.x1) / 2.0;
            for (std::size_t e = 0; e < edges.size(); ++e)
            {
                StandingSurface const& s = edges[e];
                if (x <= s.a.x || x >= s.b.x)
                    continue;
                double const y = Height(s, x);
                if (r.y0 < y + WayBack_Parting && r.y1 > y + 1.0)
                    dividers[e].push_back(x);
            }
        }
    }

    std::vector<StandingSurface> const& Edges() const { return edges; }
    std::vector<Node> const& Nodes() const { return nodes; }

    // The node of a standing surface at its size, a player put down at its middle; -1 if it is none of
    // the map's standing edges.
    int NodeOf(StandingSurface const& s, bool twice)
    {
        for (std::size_t e = 0; e < edges.size(); ++e)
            if (edges[e].a.x <= s.a.x && edges[e].b.x >= s.b.x && std::fabs(Height(edges[e], s.a.x) - s.a.y) < 0.5
                && std::fabs(Height(edges[e], s.b.x) - s.b.y) < 0.5)
                return Find(int(e), s.scale, twice, s.Middle());
        return -1;
    }

    // The node he stands on now, his size settled since the last step (`settled`), or -1: in the air,
    // growing, dying or on no static edge.
    int Standing(World_Base const& world, bool twice, bool settled)
    {
        Player const* player = world.GetPlayer();
        if (!settled || !player->onGround || player->IsPlayerDead() != 0)
            return -1;
        Pointf const feet = player->GetPos();
        double const half = Player_Width * player->GetScale() / 2.0;
        int best = -1;
        double bestGap = 1e300;
        for (long c = Column(feet.x - half); c <= Column(feet.x + half); ++c)
        {
            auto const column = columns.find(c);
            if (column == columns.end())
                continue;
            for (int e : column->second)
            {
                StandingSurface const& s = edges[std::size_t(e)];
                if (feet.x < s.a.x - half || feet.x > s.b.x + half)
                    continue;
                double const x = std::clamp(feet.x, s.a.x, s.b.x);
                double const gap = feet.y - Height(s, x);
                // An edge under the feet themselves before one his width only reaches.
                double const rank = std::fabs(gap) + (x == feet.x ? 0.0 : WayBack_Above + WayBack_Below);
                if (gap <= WayBack_Above && gap >= -WayBack_Below && rank < bestGap)
                {
                    best = e;
                    bestGap = rank;
                }
            }
        }
        return best < 0 ? -1 : Find(best, player->GetScale(), twice, Pointf(feet.x, feet.y - 1.0));
    }

    // The stepper given, noting every node he comes to stand on as reached from `from` by `how`.
    Stepper Watch(World_Base const& world, int from, std::string how, Stepper step, bool twice)
    {
        if (from >= 0)
            nodes[std::size_t(from)].explored = true;
        return [this, &world, from, how = std::move(how), step = std::move(step), twice,
                last = world.GetPlayer()->GetScale(), stood = from](std::vector<int> const& held) mutable {
            Level_Action const action = step(held);
            double const size = world.GetPlayer()->GetScale();
            if (int const to = Standing(world, twice, size == last); to >= 0)
            {
                if (to != from && from >= 0)
                    Link(from, to, how);
                stood = to;
            }
            // The level ended: by an exit, or by a fall or a death that starts it again. Either way he
            // is not kept where he stood last.
            if (action != Level_Continue && stood >= 0)
                nodes[std::size_t(stood)].leaves = true;
            last = size;
            return action;
        };
    }

    // The stepper given along a road: every node he stands on is one of the road's, with the double jump
    // and without.
    Stepper Road(World_Base const& world, Stepper step)
    {
        return [this, &world, step = std::move(step),
                last = world.GetPlayer()->GetScale()](std::vector<int> const& held) mutable {
            Level_Action const action = step(held);
            double const size = world.GetPlayer()->GetScale();
            for (bool twice : {false, true})
                if (int const on = Standing(world, twice, size == last); on >= 0)
                    nodes[std::size_t(on)].road = true;
            last = size;
            return action;
        };
    }

    // A node no run can start from as the world is built: it stands on nothing but the way it came.
    void Untried(int n)
    {
        nodes[std::size_t(n)].explored = true;
        nodes[std::size_t(n)].untried = true;
    }
    int UntriedCount() const
    {
        return int(std::count_if(nodes.begin(), nodes.end(), [](Node const& n) { return n.untried; }));
    }

    // The nodes the road's reach that no run has started from yet.
    std::vector<int> ToExplore() const
    {
        std::vector<int> more;
        std::vector<int> const parent = FromRoad();
        for (std::size_t n = 0; n < nodes.size(); ++n)
            if (parent[n] != Unreached && !nodes[n].explored)
                more.push_back(int(n));
        return more;
    }

    // Each node the road's reach from which no chain of runs leads back to one of them, to a node
    // `excused` names the puzzle of that lets him out, to one from which the level ends or to one no
    // run could start from; "" when there is none.
    std::string Traps(std::function<char const*(Node const&)> const& excused) const
    {
        std::vector<int> const parent = FromRoad();
        // Back from the road along the links reversed.
        std::vector<std::vector<int>> into(nodes.size());
        for (std::size_t n = 0; n < nodes.size(); ++n)
            for (auto const& [to, how] : out[n])
                into[std::size_t(to)].push_back(int(n));
        std::vector<bool> back(nodes.size(), false);
        std::deque<int> queue;
        for (std::size_t n = 0; n < nodes.size(); ++n)
            if (nodes[n].road || nodes[n].leaves || nodes[n].untried || excused(nodes[n]) != nullptr)
            {
                back[n] = true;
                queue.push_back(int(n));
            }
        while (!queue.empty())
        {
            int const n = queue.front();
            queue.pop_front();
            for (int from : into[std::size_t(n)])
                if (!back[std::size_t(from)])
                {
                    back[std::size_t(from)] = true;
                    queue.push_back(from);
                }
        }
        std::string report;
        int traps = 0;
        for (std::size_t n = 0; n < nodes.size(); ++n)
        {
            if (parent[n] == Unreached || back[n])
                continue;
            if (++traps > WayBack_ReportedTraps)
                continue;
            report += "no way back to the road from " + Name(int(n)) + ", reached from the road:";
            std::vector<int> chain;
            for (int at = int(n); at >= 0; at = parent[std::size_t(at)])
                chain.push_back(at);
            for (std::size_t k = chain.size(); k-- > 0;)
            {
                int const at = chain[k];
                if (k + 1 < chain.size())
                    report += "\n      then " + out[std::size_t(chain[k + 1])].at(at) + " to ";
                else
                    report += "\n      from the road's ";
                report += Name(at);
            }
            // Where the runs from it went, none of them back.
            for (auto const& [to, how] : out[n])
                report += "\n      runs from it: " + how + " to " + Name(to);
            if (out[n].empty())
                report += "\n      no run from it stood anywhere else";
            report += "\n";
        }
        if (traps > WayBack_ReportedTraps)
            report += std::to_string(traps - WayBack_ReportedTraps) + " more places without a way back\n";
        return report;
    }

    // A node for a failure's message.
    std::string Name(int n) const
    {
        Node const& node = nodes[std::size_t(n)];
        StandingSurface const& s = edges[std::size_t(node.edge)];
        char text[160];
        std::snprintf(text, sizeof text, "(%.0f, %.0f) on (%.0f, %.0f)-(%.0f, %.0f) at size %g%s", node.at.x, node.at.y,
                      s.a.x, s.a.y, s.b.x, s.b.y, node.size, node.twice ? " with the double jump" : "");
        return text;
    }

private:
    static constexpr int Unreached = -2;
    static constexpr int Root = -1;

    static long Column(double x) { return long(std::floor(x / WayBack_Column)); }

    static double Height(StandingSurface const& s, double x)
    {
        return s.a.y + (s.b.y - s.a.y) * (x - s.a.x) / (s.b.x - s.a.x);
    }

    int Find(int edge, double size, bool twice, Pointf at)
    {
        std::vector<double> const& parts = dividers[std::size_t(edge)];
        int const part = int(std::count_if(parts.begin(), parts.end(), [&](double x) { return x < at.x; }));
        auto const key = std::make_tuple(edge, part, std::llround(size * 1e4), twice);
        auto const found = index.find(key);
        if (found != index.end())
            return found->second;
        nodes.push_back({edge, size, twice, at});
        out.emplace_back();
        index.emplace(key, int(nodes.size()) - 1);
        return int(nodes.size()) - 1;
    }

    void Link(int from, int to, std::string const& how) { out[std::size_t(from)].emplace(to, how); }

    // For each node, the node it is first reached from by the links out of the road's nodes (Root: one
    // of the road's; Unreached: none).
    std::vector<int> FromRoad() const
    {
        std::vector<int> parent(nodes.size(), Unreached);
        std::deque<int> queue;
        for (std::size_t n = 0; n < nodes.size(); ++n)
            if (nodes[n].road)
            {
                parent[n] = Root;
                queue.push_back(int(n));
            }
        while (!queue.empty())
        {
            int const n = queue.front();
            queue.pop_front();
            for (auto const& [to, how] : out[std::size_t(n)])
                if (parent[std::size_t(to)] == Unreached)
                {
                    parent[std::size_t(to)] = n;
                    queue.push_back(to);
                }
        }
        return parent;
    }

    std::vector<StandingSurface> edges;
    std::vector<Node> nodes;
    std::vector<std::map<int, std::string>> out; // per node: the nodes a run from it stood on, and the run
    std::vector<std::vector<double>> dividers;   // per edge: where moving solids part it
    std::map<long, std::vector<int>> columns;    // the edges over each stretch of WayBack_Column
    std::map<std::tuple<int, int, long long, bool>, int> index;
};
