// Test support: whether a player who has left a world's road can always get back to it. A place is a
// node: a standing edge of the static map (StandingEdges), the size he stands on it at once his size
// no longer changes, and whether he has the double jump; an edge that a door or a gate stands on is
// parted there, a node each side. A run watched from a node links it to every node he comes to stand
// on during the run, since he could have stopped there; the road's walk marks the road's nodes. Every
// node the links reach from the road must lead back to one of the road's nodes, or to a node from which
// a run ended the level; a room the caller excuses (one whose puzzle lets him out) is no trap itself, but
// leads nowhere back: a place from which every way goes into it is one. Otherwise it is a trap, reported
// with the chain of runs that leads to it from the road. The nodes the runs come to that no run has
// started from yet are handed out to be run from in turn, so that the sizes a player arrives with are
// found by the runs themselves.
//
// What moves carries him too: wherever a run finds him standing on a moving group (a lift, a car, a
// rising platform), at a size not seen on it before, the group is handed out as a ride. A tape
// (WayBack_Tape) keeps what was done in the world since it was built, so that the moment he stood on
// it can be come back to exactly: there he stands still while it carries him (WayBack_Carry), and steps
// off each way at the start of the ride, along it, wherever it turns or stops and at its end. A found place where he
// cannot be put down in a world built afresh (a door, a plate or a wall stands there as it is built) is come back to
// the same way.
//
//     WayBack_Tape tape;
//     WayBack ways(*world->GetMap(), &tape);
//     Stepper const plain = tape.Wrap(step);            // every step of the world, the preludes' too
//     tape.Built(twice);                                // after each build; tape.Put after each put
//     RoadTravel(*world, road).Walk(ways.Road(*world, plain));
//     int const node = ways.NodeOf(surface, twice);
//     ShortcutRun::Hold(ways.Watch(*world, node, "holding left", plain, twice), KeyIndex_GameLeft);
//     for (int n : ways.ToExplore()) ...                // put down at Nodes()[n].at (or tape.Replay), run, Watch
//     for (int r : ways.Unridden()) ...                 // tape.Replay(Rides()[r].seen), stand, step off, Watch
//     faults += ways.Traps([](WayBack::Node const&) { return nullptr; });
#pragma once

#include "engine/KeyData.h"
#include "engine/Level_Type.h"
#include "engine/Player.h"
#include "engine/Player_Sprites.h"
#include "puzzles/World_Base.h"
#include "support/ShortcutRun.h"
#include "support/StandingSurfaces.h"

#include <algorithm>
#include <cassert>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <tuple>
#include <vector>

constexpr double WayBack_Column = 100.0; // the breadth of the stretches the edges are found by
constexpr double WayBack_Parting = 20.0; // a moving solid this low over an edge parts it
constexpr double WayBack_Above = 3.0;    // how far above an edge the feet of one standing on it may be
constexpr double WayBack_Below = 1.0;    // ...or below it
constexpr double WayBack_BoardDrop = 3.0; // his heights down from a place's end onto a ride passing it
inline int const WayBack_ReportedTraps =
    std::getenv("HM_ALL_TRAPS") ? 100000 : 12; // traps named in full in a report; the rest are counted

// What was done in the worlds built one after another: for each, whether he had the double jump,
// where he was put down and the keys held step by step. A moment (Mark) of one of them is come back
// to by building the world again and doing the same, each step through the stepper given (which
// records it again, on the new tape).
class WayBack_Tape
{
public:
    using Stepper = std::function<Level_Action(std::vector<int> const& held)>;

    struct Mark
    {
        int tape = -1; // none
        int steps = 0; // the steps of the tape done before the moment
        int puts = 0;  // ...and the times he was put down
    };

    // A world was built.
    void Built(bool twice) { tapes.push_back({twice, {}, {}}); }

    // The player was put down.
    void Put(Pointf at, double size)
    {
        assert(!tapes.empty());
        tapes.back().puts.push_back({int(tapes.back().keys.size()), at, size});
    }

    // The stepper given, each step's keys recorded.
    Stepper Wrap(Stepper step)
    {
        return [this, step = std::move(step)](std::vector<int> const& held) {
            if (!tapes.empty())
            {
                std::uint64_t bits = 0;
                for (int key : held)
                    bits |= std::uint64_t(1) << key;
                tapes.back().keys.push_back(bits);
            }
            return step(held);
        };
    }

    Mark Now() const
    {
        return tapes.empty()
                   ? Mark()
                   : Mark{int(tapes.size()) - 1, int(tapes.back().keys.size()), int(tapes.back().puts.size())};
    }

    // The steps a Replay of the moment takes.
    static int Cost(Mark m) { return m.steps; }

    // Whether the moment's world was built with the double jump.
    bool Twice(Mark m) const { return tapes[std::size_t(m.tape)].twice; }

    // Builds the world again as it was built for the moment's tape (build(twice) calls Built),
    // puts him down and steps as then, up to the moment.
    template <class Build, class Put>
    void Replay(Mark m, Build&& build, Put&& put, Stepper const& step)
    {
        assert(m.tape >= 0 && m.tape < int(tapes.size()));
        // Copied: the replay records onto a new tape, which may move the old one.
        std::vector<Put_At> const puts(tapes[std::size_t(m.tape)].puts.begin(),
                                       tapes[std::size_t(m.tape)].puts.begin() + m.puts);
        std::vector<std::uint64_t> const keys(tapes[std::size_t(m.tape)].keys.begin(),
                                              tapes[std::size_t(m.tape)].keys.begin() + m.steps);
        build(tapes[std::size_t(m.tape)].twice);
        std::size_t next = 0;
        std::vector<int> held;
        for (int i = 0;; ++i)
        {
            for (; next < puts.size() && puts[next].step == i; ++next)
                put(puts[next].at, puts[next].size);
            if (i == m.steps)
                break;
            held.clear();
            for (int key = 0; key < 64; ++key)
                if ((keys[std::size_t(i)] >> key) & 1u)
                    held.push_back(key);
            step(held);
        }
    }

private:
    struct Put_At
    {
        int step; // before this step of the tape
        Pointf at;
        double size;
    };
    struct Tape
    {
        bool twice;
        std::vector<Put_At> puts;
        std::vector<std::uint64_t> keys;
    };
    std::vector<Tape> tapes;
};

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
        WayBack_Tape::Mark seen; // when he first stood on it, if a tape was kept
    };

    // A moving group he was seen standing on, at a size: as `seen` shows (of the times seen, the one
    // come back to in fewest steps, with the double jump or without), having stood on `from` last.
    struct Ride
    {
        unsigned int group;
        double size;
        bool twice;
        int from;
        WayBack_Tape::Mark seen;
        Pointf at;
        bool carried = false; // it carried him as it was seen
        bool ridden = false;
    };

    explicit WayBack(Map const& map, WayBack_Tape const* kept = nullptr)
        : tape(kept), edges(StandingEdges(map)), dividers(edges.size())
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
    std::vector<Ride> const& Rides() const { return rides; }

    // The node of a standing surface at its size, a player put down at its middle; -1 if it is none of
    // the map's standing edges.
    int NodeOf(StandingSurface const& s, bool twice)
    {
        for (std::size_t e = 0; e < edges.size(); ++e)
            if (edges[e].a.x <= s.a.x && edges[e].b.x >= s.b.x && std::fabs(Height(edges[e], s.a.x) - s.a.y) < 0.5
                && std::fabs(Height(edges[e], s.b.x) - s.b.y) < 0.5)
                return Find(int(e), s.scale, twice, s.Middle(), false);
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
            Pointf const was = world.GetPlayer()->GetPos();
            Level_Action const action = step(held);
            double const size = world.GetPlayer()->GetScale();
            if (int const to = Standing(world, twice, size == last); to >= 0)
            {
                if (to != from && from >= 0)
                    Link(from, to, how);
                stood = to;
            }
            else if (size == last && from >= 0)
                Sight(world, twice, stood, was);
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
        return [this, &world, step = std::move(step), last = world.GetPlayer()->GetScale(),
                stood = -1](std::vector<int> const& held) mutable {
            Pointf const was = world.GetPlayer()->GetPos();
            Level_Action const action = step(held);
            double const size = world.GetPlayer()->GetScale();
            int on = -1;
            for (bool twice : {true, false})
                if (on = Standing(world, twice, size == last); on >= 0)
                    nodes[std::size_t(on)].road = true;
            if (on >= 0)
                stood = on;
            else if (size == last)
                Sight(world, false, stood, was);
            last = size;
            return action;
        };
    }

    // The rides seen that no run has stood still on yet, and one that has.
    std::vector<int> Unridden() const
    {
        std::vector<int> more;
        for (std::size_t r = 0; r < rides.size(); ++r)
            if (!rides[r].ridden)
                more.push_back(int(r));
        return more;
    }
    void Ridden(int r) { rides[std::size_t(r)].ridden = true; }

    // Whether what he stands on moved him in the last step, from `was`: he moved, not walking.
    static bool Carried(Player const& player, Pointf was)
    {
        Pointf const at = player.GetPos();
        return std::fabs(player.speed) < 0.01 && std::hypot(at.x - was.x, at.y - was.y) > 0.01;
    }

    // Where on a node's edge, at x, the feet of one standing there are: none if x lies beyond the edge
    // or beyond a door or gate that parts it from where the node was seen.
    std::optional<Pointf> Beside(int n, double x) const
    {
        Node const& node = nodes[std::size_t(n)];
        StandingSurface const& s = edges[std::size_t(node.edge)];
        if (x < s.a.x || x > s.b.x)
            return std::nullopt;
        for (double parting : dividers[std::size_t(node.edge)])
            if ((parting < x) != (parting < node.at.x))
                return std::nullopt;
        return Pointf(x, Height(s, x));
    }

    // Whether each node is reached from the road's by the links so far.
    std::vector<bool> Reached() const
    {
        std::vector<int> const parent = FromRoad();
        std::vector<bool> reached(parent.size());
        for (std::size_t n = 0; n < parent.size(); ++n)
            reached[n] = parent[n] != Unreached;
        return reached;
    }

    // A place reached from the road (as `reached`, of Reached, says), without the double jump, that the
    // moving group he stands on now comes within reach of, so that he could have stepped onto it from
    // there: -1 if none. Within reach: over the edge, from as high as it to a jump of his height over it;
    // beside one of its ends, within his width, from that jump down to a drop of WayBack_BoardDrop
    // heights. He is taken to have been seen on it from there.
    int Boarded(World_Base const& world, Pointf was, std::vector<bool> const& reached)
    {
        Player const* player = world.GetPlayer();
        if (!player->onGround || player->IsPlayerDead() != 0 || world.GetMap()->GetGroup(player->groundPoly) == 0)
            return -1;
        Pointf const feet = player->GetPos();
        Rectf const& on = world.GetMap()->polys[int(player->groundPoly)]->bound;
        double const wide = Player_Width * player->GetScale();
        double const tall = Player_Height * player->GetScale();
        double const low = std::min(was.y, feet.y);
        double const high = std::max(was.y, feet.y);
        for (std::size_t n = 0; n < reached.size(); ++n)
        {
            Node const& node = nodes[n];
            if (!reached[n] || node.twice || node.size != player->GetScale())
                continue;
            StandingSurface const& s = edges[std::size_t(node.edge)];
            auto const within = [&](double y, double drop) { return high >= y - drop && low <= y + tall; };
            double const x0 = std::max(on.x0, s.a.x);
            double const x1 = std::min(on.x1, s.b.x);
            bool const over =
                x0 < x1 && (within(Height(s, x0), -WayBack_Below) || within(Height(s, x1), -WayBack_Below));
            bool const left = on.x1 >= s.a.x - wide && on.x0 < s.a.x && within(s.a.y, WayBack_BoardDrop * tall);
            bool const right = on.x0 <= s.b.x + wide && on.x1 > s.b.x && within(s.b.y, WayBack_BoardDrop * tall);
            if (over || left || right)
            {
                Sight(world, false, int(n), was);
                return int(n);
            }
        }
        return -1;
    }

    // A place reached that no run could start from: it leads nowhere back.
    void Unrun(int n) { nodes[std::size_t(n)].explored = true; }

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

    // The nodes the road's reach from which no chain of runs leads back to one of them or to one from
    // which the level ends, and that are not in a room `excused` names the puzzle of that lets him out.
    // A node whose every way goes into such a room is one: the room is entered by its own way in,
    // whose places lead back otherwise.
    std::vector<int> Stranded(std::function<char const*(Node const&)> const& excused) const
    {
        std::vector<int> const parent = FromRoad();
        // Back from the road along the links reversed.
        std::vector<std::vector<int>> into(nodes.size());
        for (std::size_t n = 0; n < nodes.size(); ++n)
            for (auto const& [to, how] : out[n])
                into[std::size_t(to)].push_back(int(n));
        std::vector<bool> back(nodes.size(), false);
        std::deque<int> queue;
        // A road's place in such a room leads back only while its puzzle can still be solved, as it
        // is along the road: the way in of the road's, not another, brings him there then.
        for (std::size_t n = 0; n < nodes.size(); ++n)
            if ((nodes[n].road || nodes[n].leaves) && excused(nodes[n]) == nullptr)
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
        std::vector<int> stranded;
        for (std::size_t n = 0; n < nodes.size(); ++n)
            if (parent[n] != Unreached && !back[n] && excused(nodes[n]) == nullptr)
                stranded.push_back(int(n));
        return stranded;
    }

    // Each of the Stranded nodes, with the chain of runs that leads to it from the road and where the
    // runs from it went; "" when there is none.
    std::string Traps(std::function<char const*(Node const&)> const& excused) const
    {
        std::vector<int> const parent = FromRoad();
        std::string report;
        int traps = 0;
        for (int n : Stranded(excused))
        {
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
            for (auto const& [to, how] : out[std::size_t(n)])
                report += "\n      runs from it: " + how + " to " + Name(to);
            if (out[std::size_t(n)].empty())
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

    // standing: he stands there now, so that the tape's moment comes back to him there.
    int Find(int edge, double size, bool twice, Pointf at, bool standing = true)
    {
        std::vector<double> const& parts = dividers[std::size_t(edge)];
        int const part = int(std::count_if(parts.begin(), parts.end(), [&](double x) { return x < at.x; }));
        auto const key = std::make_tuple(edge, part, std::llround(size * 1e4), twice);
        auto const found = index.find(key);
        if (found != index.end())
            return found->second;
        Node node{edge, size, twice, at, false, false, false, WayBack_Tape::Mark()};
        if (tape != nullptr && standing)
            node.seen = tape->Now();
        nodes.push_back(node);
        out.emplace_back();
        index.emplace(key, int(nodes.size()) - 1);
        return int(nodes.size()) - 1;
    }

    void Link(int from, int to, std::string const& how) { out[std::size_t(from)].emplace(to, how); }

    // Notes the moving group he stands on, his size settled and a tape kept, having stood on `from`
    // last and at `was` a step before. A time it carried him comes before one it did not: a car
    // standing at a stop may not move on for long.
    void Sight(World_Base const& world, bool twice, int from, Pointf was)
    {
        Player const* player = world.GetPlayer();
        if (tape == nullptr || from < 0 || !player->onGround || player->IsPlayerDead() != 0)
            return;
        unsigned int const group = world.GetMap()->GetGroup(player->groundPoly);
        if (group == 0)
            return;
        Pointf const at = player->GetPos();
        bool const carried = Carried(*player, was);
        Ride const seen{group, player->GetScale(), twice, from, tape->Now(), at, carried};
        auto const key = std::make_pair(group, std::llround(player->GetScale() * 1e4));
        auto const found = rideIndex.find(key);
        if (found == rideIndex.end())
        {
            rideIndex.emplace(key, int(rides.size()));
            rides.push_back(seen);
            return;
        }
        Ride& ride = rides[std::size_t(found->second)];
        if (!ride.ridden
            && (carried != ride.carried ? carried : WayBack_Tape::Cost(seen.seen) < WayBack_Tape::Cost(ride.seen)))
            ride = seen;
    }

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

    WayBack_Tape const* tape;
    std::vector<StandingSurface> edges;
    std::vector<Node> nodes;
    std::vector<Ride> rides;
    std::map<std::pair<unsigned int, long long>, int> rideIndex;
    std::vector<std::map<int, std::string>> out; // per node: the nodes a run from it stood on, and the run
    std::vector<std::vector<double>> dividers;   // per edge: where moving solids part it
    std::map<long, std::vector<int>> columns;    // the edges over each stretch of WayBack_Column
    std::map<std::tuple<int, int, long long, bool>, int> index;
};

// How far what he stands on carries him, step by step, and where it turns: the top of a lift's way, a car's
// bend, each place he could step off at that a ride comes to.
class WayBack_Carry
{
public:
    // width: his. stillSteps: steps on end it has not carried him that end a ride begun. farEnough: as far
    // as it must have carried him before it can bring him round. turnsKept, turnGap: the places where it
    // turns kept, at most, and the steps between them, at least. offs: the places turns were kept at, by
    // this ride and by others before it at his size (a car of the same route), each kept once.
    WayBack_Carry(double width, int stillSteps, double farEnough, int turnsKept, int turnGap, std::vector<Pointf>& offs)
        : wide(width), stillMost(stillSteps), far(farEnough), turnsMost(turnsKept), gap(turnGap), places(offs)
    {
    }

    // A step of one standing still, `on` what is ridden: false once the ride is over.
    bool Step(Player const& player, bool on)
    {
        bool const moved = steps > 0 && on && WayBack::Carried(player, last);
        return Step(player.GetPos(), moved);
    }

    // A step that left him at `at`, carried there or not: false once the ride is over, when, once it has
    // begun to carry him, it has not for `still` steps, or it has brought him round to where he began.
    bool Step(Pointf at, bool moved)
    {
        if (steps == 0)
            first = at;
        if (moved)
        {
            Pointf const by(at.x - last.x, at.y - last.y);
            double const length = std::hypot(by.x, by.y);
            carried += length;
            // Turned by more than 60 degrees from the way it went since it last turned: a bend, or the
            // way round a top taken a step at a time.
            if (!way || by.x * way->x + by.y * way->y < 0.5 * length * std::hypot(way->x, way->y))
            {
                if (way)
                    Turn(at);
                way = by;
            }
        }
        else if (way)
        {
            Turn(at); // it stopped
            way.reset();
        }
        last = at;
        ++steps;
        if (moved)
        {
            end = steps;
            still = 0;
        }
        else if (end > 0)
            ++still;
        bool const round = carried >= far && std::hypot(at.x - first.x, at.y - first.y) < wide / 2.0;
        return !round && still < stillMost;
    }

    double Carried() const { return carried; }
    // The steps until it last carried him.
    int End() const { return end; }
    // The steps until each place it turned or stopped at, one for each place farther than his width from
    // where it began and from the places kept before.
    std::vector<int> const& Turns() const { return turns; }

private:
    void Turn(Pointf at)
    {
        auto const near = [&](Pointf p) { return std::hypot(p.x - at.x, p.y - at.y) < wide; };
        if (int(turns.size()) < turnsMost && (turns.empty() || steps - turns.back() >= gap) && !near(first)
            && std::none_of(places.begin(), places.end(), near))
        {
            turns.push_back(steps);
            places.push_back(at);
        }
    }

    double wide;
    int stillMost;
    double far;
    int turnsMost;
    int gap;
    int steps = 0;
    double carried = 0.0;
    int end = 0;
    int still = 0;
    Pointf first;
    Pointf last;
    std::optional<Pointf> way; // the way it carried him since it last turned
    std::vector<int> turns;
    std::vector<Pointf>& places;
};

// How a ride is followed (WayBack_Rider).
struct WayBack_RideLimits
{
    int steps = 8000;     // a ride stood on, at most: once round the longest way a car goes
    int still = 30;       // steps on end it no longer carries him that end a ride begun
    double carry = 100.0; // what carries him less far is no ride (a plate, sinking 80 at most)
    int offSteps = 150;   // the steps of a step off
    int fallSteps = 300;  // ...and at most as many more while he falls
    int turns = 24;       // places where it turns or stops, stepped off at, at most
    int turnGap = 10;     // ...that many steps apart at least
};

// Follows the rides a WayBack has seen: come back to the moment he stood on one (WayBack_Tape), he is
// stopped at rest on the middle of what he stands on, stands there until it has carried him as far as it
// goes (WayBack_Carry), and steps off left and right, walking and jumping, at once, halfway and there,
// and walking wherever it turned or stopped on the way but where another ride was walked off at his size
// already (a car of the same route). A step off goes on while he falls. Each run's steps go through the
// caller's `around`, which watches them (a door watch) and reports after.
class WayBack_Rider
{
public:
    using Stepper = WayBack::Stepper;
    // Runs `go` with the stepper given wrapped in the caller's watch over the run `how`; goesOn: the run goes
    // on from the one that came to the ride, from which he may have come through anything watched.
    using Around = std::function<void(std::string const& how, Stepper const& step,
                                      std::function<void(Stepper const&)> const& go, bool goesOn)>;

    WayBack_Rider(WayBack& watched, WayBack_Tape& kept, std::function<World_Base&()> current,
                  std::function<void(bool twice)> building, std::function<void(Pointf, double)> putting, Stepper stepping,
                  Around watch, WayBack_RideLimits limits = {})
        : ways(watched), tape(kept), world(std::move(current)), build(std::move(building)), put(std::move(putting)),
          plain(std::move(stepping)), around(std::move(watch)), most(limits)
    {
    }

    // Rides the ride r of the WayBack and steps off it: whether it carried him far enough to be one.
    bool Ride(int r)
    {
        rode = ways.Rides()[std::size_t(r)];
        ways.Ridden(r);
        char text[120];
        std::snprintf(text, sizeof text, "riding group %u from (%.0f, %.0f) at size %g%s", rode.group, rode.at.x,
                      rode.at.y, rode.size, rode.twice ? " with the double jump" : "");
        name = text;
        // Seen walking or landing on it, he is stopped there at rest on the middle of what he stands on,
        // as a player may stop there.
        tape.Replay(rode.seen, build, put, plain);
        Player const* stopped = world().GetPlayer();
        Rectf const& on = world().GetMap()->polys[int(stopped->groundPoly)]->bound;
        put(Pointf((on.x0 + on.x1) / 2.0, stopped->GetPos().y - 1.0), stopped->GetScale());
        seen = tape.Now();
        // How far and how long it carries him standing, and where it turns.
        WayBack_Carry carry(Player_Width * rode.size, most.still, most.carry, most.turns, most.turnGap,
                            walkedOff[std::llround(rode.size * 1e4)]);
        way.clear();
        Run(
            name + ", standing", most.steps, [](int) { return std::vector<int>(); },
            [&] {
                Player const* player = world().GetPlayer(); // of the world built again
                unsigned int const under = player->onGround ? world().GetMap()->GetGroup(player->groundPoly) : 0;
                way.push_back(player->GetPos());
                return carry.Step(*player, under == rode.group) && (!player->onGround || under == rode.group);
            });
        end = carry.End();
        if (carry.Carried() < most.carry)
            return false;
        std::set<int> const jumps{0, end / 2, end};
        std::set<int> offs(jumps);
        offs.insert(carry.Turns().begin(), carry.Turns().end());
        for (int off : offs)
            for (int direction : {KeyIndex_GameLeft, KeyIndex_GameRight})
                for (bool jumping : {false, true})
                {
                    if (jumping && jumps.count(off) == 0)
                        continue;
                    std::string const how = name + ", standing " + std::to_string(off) + " steps, then "
                                            + (direction == KeyIndex_GameLeft ? "left" : "right")
                                            + (jumping ? rode.twice ? " jumping twice" : " jumping" : " walking");
                    int step = 0;
                    Run(
                        how, off + most.offSteps + most.fallSteps,
                        [&](int i) {
                            step = i;
                            return i < off   ? std::vector<int>()
                                   : jumping ? ShortcutRun::HeldKeys(direction, i - off, rode.twice)
                                             : std::vector<int>{direction};
                        },
                        [&] { return step < off + most.offSteps || !world().GetPlayer()->onGround; });
                }
        return true;
    }

    // A run from the moment he stood on the last ride, the keys of step i given, until `more` says no more or
    // `count` steps. Its places are noted as reached from where he boarded; a run with the double jump
    // (`doubled`, whether or not he had it when he was seen there) is only watched by the caller, as a run
    // of its own that begins on the ride.
    void Run(std::string const& how, int count, std::function<std::vector<int>(int)> const& keys,
             std::function<bool()> const& more, bool doubled = false)
    {
        tape.Replay(seen, [&](bool twice) { build(twice || doubled); }, put, plain);
        around(
            how, plain,
            [&](Stepper const& watched) {
                Stepper const step = doubled ? watched : ways.Watch(world(), rode.from, how, watched, rode.twice);
                int i = 0;
                while (i < count && step(keys(i)) == Level_Continue && more())
                    ++i;
                steps += WayBack_Tape::Cost(seen) + i;
            },
            !doubled);
    }

    WayBack::Ride const& Rode() const { return rode; }
    std::string const& Name() const { return name; }
    // Where he stood after each step of standing on the last ride, and the steps until it last carried him.
    std::vector<Pointf> const& Way() const { return way; }
    int End() const { return end; }
    // The steps of every run, their replays' too.
    int Steps() const { return steps; }

private:
    WayBack& ways;
    WayBack_Tape& tape;
    std::function<World_Base&()> world;
    std::function<void(bool)> build;
    std::function<void(Pointf, double)> put;
    Stepper plain;
    Around around;
    WayBack_RideLimits most;
    std::map<long long, std::vector<Pointf>> walkedOff; // where rides turned that he walked off at, by size
    WayBack::Ride rode{};
    std::string name;
    WayBack_Tape::Mark seen;
    std::vector<Pointf> way;
    int end = 0;
    int steps = 0;
};
