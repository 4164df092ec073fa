// Road: a world's roads as waypoints, written by its generator beside the map (dir/<world>/road) from
// the same numbers that built the map, and read by the road walker of the tests and the bench.
#pragma once

#include <string>
#include <utility>
#include <vector>

// What the walker does at a waypoint. It walks to each point's x holding the direction, jumping
// where the road rises or the player stalls; at a station it stops, settles and works its keys.
enum Road_Kind
{
    Road_Walk = 0,  // walk until x is reached
    Road_Jump = 1,  // walk until x is reached, then jump while walking on to the next point
    Road_Press = 2, // a station: press and release action, then wait
    Road_Throw = 3, // a station: hold action to aim (turns presses of next-target), release, wait
    Road_Hop = 4,   // a station: press and release jump where the player stands, then wait
    Road_Ride = 5,  // stand still until the world carries the player to (x, y), at most wait steps
    Road_Exit = 6,  // walk on towards x: the level should end before the player gets past it
    // A station where the player travels back in time: to `wait` steps after (before, when
    // negative) the step at which he came to stand at point `turns` of the same road, ending the travel there. The road walker
    // stands here; a walk that travels (tests/support/RoadTravel.h) does the travel.
    Road_Travel = 7,
    // A station: stand at x, jump straight up (the air jump too, where he has it) and, once his
    // feet come within a ledge's depth of y, drift right (turns 1) or left (turns 0) and land at
    // y: a rung of a ladder, a ledge overhead. The walker gives up when he lands lower.
    Road_Climb = 8,
    // A station: turn the item carried, holding next-target (turns 1) or previous-target (turns 0)
    // for `wait` steps while standing, then let go.
    Road_Turn = 9,
    Road_KindCount = 10,
};

struct Road_Point
{
    Road_Kind kind = Road_Walk;
    double x = 0.0;
    double y = 0.0;   // the road's height there (the player's feet)
    int wait = 0;     // steps waited after a station's keys; the longest ride; a travel's steps after; a turn's
    int turns = 0;    // next-target presses before a throw is let go; the point a travel goes back to; a turn's way
    std::string name; // a station's name, for reports; may be empty
};

class Road final
{
public:
    explicit Road(std::string roadName = "") : name(std::move(roadName)) {}

    // Builders, in the order the walker takes the points.
    Road& Walk(double x, double y) { return Add({Road_Walk, x, y, 0, 0, ""}); }
    Road& Jump(double x, double y) { return Add({Road_Jump, x, y, 0, 0, ""}); }
    Road& Press(double x, double y, std::string station, int wait)
    {
        return Add({Road_Press, x, y, wait, 0, std::move(station)});
    }
    Road& Throw(double x, double y, std::string station, int wait, int turns = 0)
    {
        return Add({Road_Throw, x, y, wait, turns, std::move(station)});
    }
    Road& Hop(double x, double y, std::string station, int wait)
    {
        return Add({Road_Hop, x, y, wait, 0, std::move(station)});
    }
    Road& Ride(double x, double y, std::string station, int longest)
    {
        return Add({Road_Ride, x, y, longest, 0, std::move(station)});
    }
    Road& Turn(double x, double y, std::string station, int steps, bool next)
    {
        return Add({Road_Turn, x, y, steps, next ? 1 : 0, std::move(station)});
    }
    Road& Climb(double x, double y, bool right) { return Add({Road_Climb, x, y, 0, right ? 1 : 0, ""}); }
    Road& Exit(double x, double y) { return Add({Road_Exit, x, y, 0, 0, ""}); }
    Road& Travel(double x, double y, std::string station, int fromPoint, int after)
    {
        return Add({Road_Travel, x, y, after, fromPoint, std::move(station)});
    }
    // The index the next point added will have, for a later Travel back to it.
    int Next() const { return static_cast<int>(points.size()); }
    Road& Add(Road_Point point)
    {
        points.push_back(std::move(point));
        return *this;
    }

    // Writes the roads as text, one "road <name>" line each followed by one line a point:
    // "<kind> <x> <y> <wait> <turns> <station>". Throws std::runtime_error like the generator.
    static void Write(std::string const& path, std::vector<Road> const& roads);
    // Reads every road of a file; Error_OpenFile or Error_ParseFile (naming the file and line).
    static std::vector<Road> ReadAll(std::string const& path);
    // The road called roadName in the file; Error_ParseFile naming file and road when absent.
    static Road Read(std::string const& path, std::string const& roadName);

    static char const* KindName(Road_Kind kind);

    std::string name;
    std::vector<Road_Point> points;
};
