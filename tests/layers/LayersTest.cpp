// Every include in the tree against the order of the layers: a folder uses only itself and the
// layers before it, a world never another world, only the platform layer includes SDL, and only
// media and the shell use the platform layer (the game's objects never reach the window). A
// world's generator, tools/worlds/<world>, may include its world's ids header and nothing else
// of the world, and an ids header includes nothing of its world.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace
{

constexpr int World_Rank = 7;

// The rank of each folder under source/; the worlds share one rank and may not use each other.
std::map<std::string, int> const ranks = {
    {"util", 0},      {"platform", 1},    {"media", 2},   {"engine", 3}, {"puzzles", 4}, {"creatures", 5},
    {"testworld", 6}, {"treevillage", 7}, {"plateau", 7}, {"killig", 7}, {"chasm", 7},   {"petra", 7},
    {"castle", 7},    {"tower", 7},       {"black", 7},   {"final", 7},  {"shell", 8},
};

// The generator stands at the test world's rank: it may know the test world but no world and
// not the shell.
constexpr int Tools_Rank = 6;

struct Place
{
    std::string folder; // "engine", or "tools" for the generator
    int rank = -1;
    std::string world; // for tools/worlds/<world>.cpp or .h, the world it generates
};

bool IsIdsHeader(std::string const& name)
{
    std::string const suffix = "_Ids.h";
    return name.size() > suffix.size() && name.compare(name.size() - suffix.size(), suffix.size(), suffix) == 0;
}

// Where a file of the tree stands; rank -1 for files the layers do not cover.
Place PlaceOf(fs::path const& relative)
{
    auto part = relative.begin();
    if (part == relative.end())
        return {};
    std::string const top = part->string();
    if (top == "tools")
    {
        Place tools{"tools", Tools_Rank, ""};
        if (++part != relative.end() && part->string() == "worlds" && std::next(part) != relative.end())
        {
            auto const world = ranks.find(std::next(part)->stem().string());
            if (world != ranks.end() && world->second == World_Rank)
                tools.world = world->first;
        }
        return tools;
    }
    if (top != "source" || ++part == relative.end())
        return {};
    auto const rank = ranks.find(part->string());
    if (rank == ranks.end())
        return {"source", -1, ""};
    return {rank->first, rank->second, ""};
}

// The name inside an include line's quotes or angle brackets (the brackets given as open and close),
// or nothing when the line is not such an include.
std::optional<std::string> IncludedName(std::string const& line, char open, char close)
{
    size_t at = line.find_first_not_of(" \t");
    if (at == std::string::npos || line[at] != '#')
        return std::nullopt;
    at = line.find_first_not_of(" \t", at + 1);
    if (at == std::string::npos || line.compare(at, 7, "include") != 0)
        return std::nullopt;
    at = line.find_first_not_of(" \t", at + 7);
    if (at == std::string::npos || line[at] != open)
        return std::nullopt;
    size_t const end = line.find(close, at + 1);
    if (end == std::string::npos || end == at + 1)
        return std::nullopt;
    return line.substr(at + 1, end - at - 1);
}

// Every include of every source and header under root's source/ and tools/ that breaks the
// order, one line each; a loose file directly in source/ is one too.
std::vector<std::string> CheckTree(fs::path const& root)
{
    std::vector<std::string> faults;
    for (char const* top : {"source", "tools"})
    {
        if (!fs::exists(root / top))
            continue;
        for (auto const& entry : fs::recursive_directory_iterator(root / top))
        {
            fs::path const file = entry.path();
            if (!entry.is_regular_file() || (file.extension() != ".h" && file.extension() != ".cpp"))
                continue;
            fs::path const relative = fs::relative(file, root);
            Place const self = PlaceOf(relative);
            if (self.folder == "source")
            {
                faults.push_back(relative.string() + ": a source outside the layer folders");
                continue;
            }
            std::ifstream in(file);
            std::string line;
            for (int number = 1; std::getline(in, line); ++number)
            {
                std::string const where = relative.string() + ":" + std::to_string(number) + ": ";
                std::optional<std::string> const angled = IncludedName(line, '<', '>');
                if (angled && angled->rfind("SDL", 0) == 0 && self.folder != "platform")
                {
                    faults.push_back(where + "SDL outside source/platform");
                    continue;
                }
                std::optional<std::string> const quoted = IncludedName(line, '"', '"');
                if (!quoted)
                    continue;
                std::string const name = *quoted;
                if (name.find("..") != std::string::npos)
                {
                    faults.push_back(where + "\"" + name + "\" climbs out of the include root");
                    continue;
                }
                std::string const folder = name.substr(0, name.find('/'));
                if (folder == name)
                {
                    faults.push_back(where + "\"" + name + "\" does not name its folder");
                    continue;
                }
                if (folder == "tools")
                {
                    if (self.folder != "tools")
                        faults.push_back(where + "\"" + name + "\": the generator is not part of the game");
                    continue;
                }
                auto const target = ranks.find(folder);
                if (target == ranks.end())
                {
                    faults.push_back(where + "\"" + name + "\" is in no layer");
                    continue;
                }
                if (target->second == World_Rank && self.folder == "tools")
                {
                    if (folder != self.world || !IsIdsHeader(name))
                        faults.push_back(where + "a generator may include only its own world's ids header");
                }
                else if (folder == self.folder && IsIdsHeader(relative.filename().string()))
                    faults.push_back(where + "an ids header includes nothing of its world");
                else if (folder == "platform" && self.folder != "platform" && self.folder != "media"
                         && self.folder != "shell")
                    faults.push_back(where + "only media and the shell use the platform layer");
                else if (target->second > self.rank)
                    faults.push_back(where + self.folder + " may not include the later layer " + folder);
                else if (target->second == World_Rank && self.rank == World_Rank && folder != self.folder)
                    faults.push_back(where + "the world " + self.folder + " may not include the world " + folder);
            }
        }
    }
    return faults;
}

std::string Joined(std::vector<std::string> const& lines)
{
    std::string text;
    for (std::string const& line : lines)
        text += line + "\n";
    return text;
}

void Write(fs::path const& file, std::string const& text)
{
    fs::create_directories(file.parent_path());
    std::ofstream(file) << text;
}

} // namespace

TEST(Layers, EveryIncludeOfTheTreeFollowsTheOrder)
{
    char const* root = std::getenv("HM_SOURCE_DIR");
    ASSERT_NE(root, nullptr) << "HM_SOURCE_DIR names the top of the tree";
    ASSERT_TRUE(fs::exists(fs::path(root) / "source/engine"));
    std::vector<std::string> const faults = CheckTree(root);
    EXPECT_TRUE(faults.empty()) << Joined(faults);
}

TEST(Layers, WrongIncludesAreFound)
{
    fs::path const root = fs::temp_directory_path() / ("hm_layers_" + std::to_string(::getpid()));
    fs::remove_all(root);
    Write(root / "source/util/Fine.h", "#pragma once\n#include <cmath>\n");
    Write(root / "source/engine/Map.cpp",
          "#include \"engine/Map.h\"\n#include \"media/Image.h\"\n#include \"util/Fine.h\"\n");
    Write(root / "source/shell/Loop.cpp", "#include \"treevillage/TreeV.h\"\n#include \"plateau/Plato.h\"\n");
    Write(root / "tools/Gen.cpp", "#include \"tools/Gen.h\"\n#include \"testworld/Test_World.h\"\n");
    Write(root / "source/treevillage/TreeV.h", "#include \"testworld/Test_World.h\"\n");
    Write(root / "source/plateau/Plato_Ids.h", "#pragma once\n#include \"util/Fine.h\"\n");
    Write(root / "tools/worlds/plateau.cpp", "#include \"tools/worlds/plateau.h\"\n#include \"plateau/Plato_Ids.h\"\n");
    EXPECT_TRUE(CheckTree(root).empty()) << Joined(CheckTree(root));

    Write(root / "source/engine/Level.cpp", "#include \"engine/Level.h\"\n  #  include \"shell/Globals.h\"\n");
    Write(root / "source/media/Image.cpp", "#include <SDL2/SDL.h>\n");
    Write(root / "source/treevillage/TreeV.cpp", "#include \"plateau/Plato.h\"\n");
    Write(root / "source/puzzles/Grid.cpp", "#include \"Grid.h\"\n#include \"../engine/Map.h\"\n");
    Write(root / "tools/Gen2.cpp", "#include \"shell/Globals.h\"\n");
    Write(root / "source/engine/Map2.cpp", "#include \"tools/DataGen.h\"\n");
    Write(root / "source/Loose.cpp", "\n");
    Write(root / "source/puzzles/Cursor.cpp", "#include \"platform/GameWindow.h\"\n");
    Write(root / "tools/worlds/treevillage.h", "#include \"treevillage/TreeV.h\"\n#include \"plateau/Plato_Ids.h\"\n");
    Write(root / "tools/DataGen.cpp", "#include \"plateau/Plato_Ids.h\"\n");
    Write(root / "source/treevillage/TreeV_Ids.h", "#include \"treevillage/TreeV.h\"\n");
    std::vector<std::string> const faults = CheckTree(root);
    std::string const text = Joined(faults);
    EXPECT_EQ(faults.size(), 13u) << text;
    for (char const* expected :
         {"source/engine/Level.cpp:2: engine may not include the later layer shell",
          "source/media/Image.cpp:1: SDL outside source/platform",
          "source/treevillage/TreeV.cpp:1: the world treevillage may not include the world plateau",
          "source/puzzles/Grid.cpp:1: \"Grid.h\" does not name its folder",
          "source/puzzles/Grid.cpp:2: \"../engine/Map.h\" climbs out of the include root",
          "tools/Gen2.cpp:1: tools may not include the later layer shell",
          "source/engine/Map2.cpp:1: \"tools/DataGen.h\": the generator is not part of the game",
          "source/Loose.cpp: a source outside the layer folders",
          "tools/worlds/treevillage.h:1: a generator may include only its own world's ids header",
          "tools/worlds/treevillage.h:2: a generator may include only its own world's ids header",
          "tools/DataGen.cpp:1: a generator may include only its own world's ids header",
          "source/treevillage/TreeV_Ids.h:1: an ids header includes nothing of its world"})
        EXPECT_NE(text.find(expected), std::string::npos) << expected << "\nin:\n" << text;
    fs::remove_all(root);
}
