// Road: writing and reading the waypoint files of the worlds' roads.
#include "tools/Road.h"

#include "util/Error.h"

#include <cstdio>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace
{

char const* const KindNames[Road_KindCount] = {"walk", "jump", "press",  "throw", "hop",
                                               "ride", "exit", "travel", "climb", "turn"};

[[noreturn]] void Fail(std::string const& path, int line, std::string const& what)
{
    std::string const text = path + ":" + std::to_string(line) + ": " + what;
    throw Error(Error_ParseFile, text.c_str());
}

} // namespace

char const* Road::KindName(Road_Kind kind)
{
    return kind >= 0 && kind < Road_KindCount ? KindNames[kind] : "?";
}

void Road::Write(std::string const& path, std::vector<Road> const& roads)
{
    FILE* file = std::fopen(path.c_str(), "w");
    if (file == nullptr)
        throw std::runtime_error("cannot write " + path);
    bool ok = true;
    for (Road const& road : roads)
    {
        ok = ok && std::fprintf(file, "road %s\n", road.name.c_str()) > 0;
        for (Road_Point const& p : road.points)
            ok = ok
                 && std::fprintf(file, "%s %.17g %.17g %d %d %s\n", KindName(p.kind), p.x, p.y, p.wait, p.turns,
                                 p.name.c_str())
                        > 0;
    }
    ok = std::fclose(file) == 0 && ok;
    if (!ok)
        throw std::runtime_error("cannot write " + path);
}

std::vector<Road> Road::ReadAll(std::string const& path)
{
    std::ifstream in(path);
    if (!in)
        throw Error(Error_OpenFile, path.c_str());
    std::vector<Road> roads;
    std::string line;
    for (int number = 1; std::getline(in, line); ++number)
    {
        std::istringstream words(line);
        std::string kind;
        if (!(words >> kind))
            continue;
        if (kind == "road")
        {
            std::string roadName;
            std::getline(words >> std::ws, roadName);
            roads.emplace_back(roadName);
            continue;
        }
        if (roads.empty())
            Fail(path, number, "a point before any road");
        Road_Point p;
        int k = 0;
        while (k < Road_KindCount && kind != KindNames[k])
            ++k;
        if (k == Road_KindCount)
            Fail(path, number, "no kind of point \"" + kind + "\"");
        p.kind = static_cast<Road_Kind>(k);
        // Only a travel may go back to before the point it names.
        if (!(words >> p.x >> p.y >> p.wait >> p.turns) || (p.wait < 0 && p.kind != Road_Travel) || p.turns < 0)
            Fail(path, number, "a point needs x, y, wait and turns");
        std::getline(words >> std::ws, p.name);
        roads.back().points.push_back(p);
    }
    return roads;
}

Road Road::Read(std::string const& path, std::string const& roadName)
{
    for (Road& road : ReadAll(path))
        if (road.name == roadName)
            return road;
    std::string const text = path + ": no road " + roadName;
    throw Error(Error_ParseFile, text.c_str());
}
