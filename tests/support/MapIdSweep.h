// Test support: a world's map file rewritten without one reference point or map group at a time,
// and a build that must then fail naming the map and the id, leaving nothing behind.
//
// A world's test makes one call, WorldSweep::Run(*this, Level_Kilig, events): the ids are those a
// normal build reads (every reference point it asks of a map and every group it requires, heard
// through the map's test hook) and every moving group of the maps it read, so no world lists them
// by hand. CI takes out a fixed, seeded sample of them (WorldSweep_Options::sample) and a few drawn
// by a fresh seed; the whole sweep is one command of its own (the sanitized build checks leaks):
//   HM_FULL_SWEEP=1 build/sanitize/tests/test_<world> --gtest_filter='*MissingId*'
#pragma once

#include "engine/GameEvents.h"
#include "engine/Level_Type.h"
#include "engine/MapBase.h"
#include "engine/MapReader.h"
#include "media/Image.h"
#include "support/RandomSeed.h"
#include "support/WorldFixture.h"
#include "tools/MapWriter.h"
#include "util/Error.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <functional>
#include <map>
#include <random>
#include <set>
#include <string>
#include <vector>

#if defined(__SANITIZE_ADDRESS__)
#include <unistd.h>

#include <sanitizer/lsan_interface.h>
#define HM_SWEEP_LEAK_CHECK 1
#endif

namespace MapIdSweep
{

enum class Kind
{
    RefPoint,
    Group,
};

struct Id
{
    Kind kind;
    unsigned int id;

    bool operator<(Id const& other) const { return kind != other.kind ? kind < other.kind : id < other.id; }
    bool operator==(Id const& other) const { return kind == other.kind && id == other.id; }
};

inline std::string Name(Id const& id)
{
    return (id.kind == Kind::RefPoint ? "reference point " : "map group ") + std::to_string(id.id);
}

// The map file at path read back into a writer; a file that does not read is a test failure.
inline MapWriter Read(std::string const& path)
{
    MapWriter map;
    FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr)
    {
        ADD_FAILURE() << "cannot open " << path;
        return map;
    }
    try
    {
        MapReader in(file, path.c_str());
        uint32_t const polys = in.ReadWord();
        double const x = in.ReadDouble();
        double const y = in.ReadDouble();
        map.SetView(x, y, in.ReadDouble());
        for (uint32_t i = 0; i < polys; i++)
        {
            uint32_t const points = in.ReadWord();
            MapWriter_Poly poly{};
            poly.texture = in.ReadWord();
            poly.group = in.ReadWord();
            poly.solid = in.ReadWord() != 0;
            poly.foreground = in.ReadWord() != 0;
            for (uint32_t k = 0; k < points; k++)
            {
                MapWriter_Point p{};
                p.x = in.ReadDouble();
                p.y = in.ReadDouble();
                p.u = in.ReadDouble();
                p.v = in.ReadDouble();
                p.drawEdge = in.ReadWord() != 0;
                poly.points.push_back(p);
            }
            // Written as read: the polygon was checked when the generator added it.
            map.polys.push_back(poly);
        }
        uint32_t const refs = in.ReadWord();
        for (uint32_t i = 0; i < refs; i++)
        {
            MapWriter_RefPoint ref{};
            ref.id = in.ReadWord();
            ref.x = in.ReadDouble();
            ref.y = in.ReadDouble();
            in.SkipByte();
            map.refPoints.push_back(ref);
        }
    }
    catch (Error const& err)
    {
        ADD_FAILURE() << "cannot read " << path << ": " << err.Text();
    }
    std::fclose(file);
    return map;
}

// Every reference point of the map and every group but the still scenery (group 0), in order.
inline std::vector<Id> IdsIn(MapWriter const& map)
{
    std::set<Id> ids;
    for (MapWriter_RefPoint const& ref : map.refPoints)
        ids.insert({Kind::RefPoint, ref.id});
    for (MapWriter_Poly const& poly : map.polys)
        if (poly.group != 0)
            ids.insert({Kind::Group, poly.group});
    return std::vector<Id>(ids.begin(), ids.end());
}

inline MapWriter Without(MapWriter map, Id const& id)
{
    if (id.kind == Kind::RefPoint)
        std::erase_if(map.refPoints, [&](MapWriter_RefPoint const& ref) { return ref.id == id.id; });
    else
        std::erase_if(map.polys, [&](MapWriter_Poly const& poly) { return poly.group == id.id; });
    return map;
}

// count ids drawn from ids by the seed, in their order; all of them when count is not smaller.
template <class AnyId>
std::vector<AnyId> Sample(std::vector<AnyId> ids, std::size_t count, unsigned seed)
{
    if (count >= ids.size())
        return ids;
    std::mt19937 random(seed);
    std::shuffle(ids.begin(), ids.end(), random);
    ids.resize(count);
    std::sort(ids.begin(), ids.end());
    return ids;
}

// Whether the whole sweep was asked for (HM_FULL_SWEEP=1) rather than a sample.
inline bool WholeSweepAsked()
{
    char const* all = std::getenv("HM_FULL_SWEEP");
    return all != nullptr && std::string(all) == "1";
}

#ifdef HM_SWEEP_LEAK_CHECK
// The blocks the leak checker finds unreachable now that were allocated by the program's own code
// (a frame under source/), and the records of the report that name them; the rest of the report
// is kept off the output. Blocks that libraries keep per thread are left out: GL programs skip
// scanning thread-local storage, and stale pointers on the stack make those come and go.
inline long OwnLeakedBlocks(std::string& report)
{
    std::fflush(stderr);
    FILE* capture = std::tmpfile();
    int const saved = dup(2);
    dup2(fileno(capture), 2);
    __lsan_do_recoverable_leak_check();
    dup2(saved, 2);
    close(saved);
    report.clear();
    std::rewind(capture);
    long blocks = 0;
    std::string record;
    long recordBlocks = 0;
    bool own = false;
    auto endRecord = [&] {
        if (own)
        {
            report += record;
            blocks += recordBlocks;
        }
        record.clear();
        recordBlocks = 0;
        own = false;
    };
    char line[1024];
    while (std::fgets(line, sizeof line, capture) != nullptr)
    {
        if (std::strstr(line, " leak of ") != nullptr)
        {
            endRecord();
            char const* objects = std::strstr(line, " byte(s) in ");
            recordBlocks = objects != nullptr ? std::strtol(objects + 12, nullptr, 10) : 1;
        }
        else if (std::strstr(line, " #") != nullptr && std::strstr(line, "source/") != nullptr)
            own = true;
        record += line;
    }
    endRecord();
    std::fclose(capture);
    return blocks;
}
#endif

// What failed builds left behind since the last look: pictures still on the list of those that
// exist (which the leak checker never reports, the list reaching them) and, in the sanitized
// build, more of the program's own blocks unreachable. Made once nothing of a world is built.
class Leftovers
{
public:
    Leftovers() : pictures(Image::LiveCount())
    {
#ifdef HM_SWEEP_LEAK_CHECK
        unreachable = OwnLeakedBlocks(report);
#endif
    }

    // Empty when nothing was left behind since the last call; else what was, the leak checker's
    // records printed. The next call counts from now.
    std::string Check(std::string const& after)
    {
        std::string left;
        int const live = Image::LiveCount();
        if (live != pictures)
            left = std::to_string(live - pictures) + " pictures left";
        pictures = live;
#ifdef HM_SWEEP_LEAK_CHECK
        long const now = OwnLeakedBlocks(report);
        if (now > unreachable)
        {
            std::fprintf(stderr, "After %s:\n%s", after.c_str(), report.c_str());
            left += (left.empty() ? "" : "; ") + std::to_string(now - unreachable) + " blocks leaked";
            unreachable = now;
        }
#else
        (void)after;
#endif
        return left;
    }

private:
    int pictures;
#ifdef HM_SWEEP_LEAK_CHECK
    std::string report;
    long unreachable = 0;
#endif
};

// Whether text names the map and the id: the map's name, then the id's kind and number as a word
// of their own.
inline bool Names(std::string const& text, std::string const& mapName, Id const& id)
{
    if (text.find(mapName) == std::string::npos)
        return false;
    std::string const name = Name(id);
    for (std::size_t at = text.find(name); at != std::string::npos; at = text.find(name, at + 1))
    {
        std::size_t const end = at + name.size();
        if (end == text.size() || text[end] < '0' || text[end] > '9')
            return true;
    }
    return false;
}

// Builds from the whole map (full, written to path), then, for each id, writes the map file at path
// (as the world opens it, mapName) without it and calls build, which builds the world and lets it
// go. Each id whose build does not throw Error_ParseFile naming the map and the id is a failure, and
// so is a build that leaves anything behind (see Leftovers): pictures still listed, or, in the
// sanitized build, more of the program's own blocks unreachable than before, whose report is
// printed. The full map is written back at the end. Returns the failures, one line each.
inline std::vector<std::string> Sweep(std::string const& path, std::string const& mapName, MapWriter const& full,
                                      std::vector<Id> const& ids, std::function<void()> const& build)
{
    std::vector<std::string> failures;
    // A whole build first, which also makes whatever the libraries keep per thread from their
    // first use, so that the leak checker's count starts from it.
    full.Write(path.c_str());
    try
    {
        build();
    }
    catch (Error const& err)
    {
        failures.push_back(std::string("the whole map does not build: ") + err.Text());
        return failures;
    }
    Leftovers leftovers;
    for (Id const& id : ids)
    {
        Without(full, id).Write(path.c_str());
        std::string failure;
        try
        {
            build();
            failure = "built without it";
        }
        catch (Error const& err)
        {
            if (err.Code() != Error_ParseFile || !Names(err.Text(), mapName, id))
                failure = std::string("error ") + std::to_string(int(err.Code())) + " \"" + err.Text() + "\"";
        }
        if (std::string const left = leftovers.Check("the build without " + Name(id)); !left.empty())
            failure += (failure.empty() ? "" : "; ") + left;
        if (!failure.empty())
            failures.push_back(Name(id) + ": " + failure);
    }
    full.Write(path.c_str());
    return failures;
}

// Hears every id asked of any map while it lives: the reference points asked and the groups
// required, by the name of the map (its file, as the world opened it).
class Recorder final : public MapBase_IdWatch
{
public:
    Recorder() : kept(MapBase::idWatch) { MapBase::idWatch = this; }
    ~Recorder() { MapBase::idWatch = kept; }
    Recorder(Recorder const&) = delete;
    Recorder& operator=(Recorder const&) = delete;

    void Asked(MapBase const& map, bool group, unsigned int id) override
    {
        asked[map.GetFileName()].insert({group ? Kind::Group : Kind::RefPoint, id});
    }

    std::map<std::string, std::set<Id>> asked;

private:
    MapBase_IdWatch* kept;
};

// An id of one of a world's maps.
struct MapId
{
    std::string map;
    Id id;

    bool operator<(MapId const& other) const { return map != other.map ? map < other.map : id < other.id; }
    bool operator==(MapId const& other) const = default;
};

} // namespace MapIdSweep

struct WorldSweep_Options
{
    bool ending = false; // the village's closing form
    // Ids taken out in CI: this many drawn by sampleSeed, and fresh more drawn by a fresh seed;
    // HM_FULL_SWEEP=1 takes out every one.
    std::size_t sample = 30;
    unsigned sampleSeed = 30;
    std::size_t fresh = 5;
    // Groups a map holds that the world does not read (the test says why for each); they are not
    // taken out. A group a world moves without requiring it is a fault the sweep reports ("built
    // without it").
    std::vector<MapIdSweep::MapId> unread;
};

struct WorldSweep
{
    // The ids a normal build of the world reads, and every moving group of the maps it read from,
    // less the options' unread ones.
    static std::vector<MapIdSweep::MapId> IdsRead(WorldFixture& fixture, Level_Type type, GameEvents const& record,
                                                  WorldSweep_Options const& options = {})
    {
        std::set<MapIdSweep::MapId> ids;
        {
            MapIdSweep::Recorder recorder;
            fixture.Build(type, record, options.ending);
            fixture.Destroy();
            for (auto const& [map, asked] : recorder.asked)
                for (MapIdSweep::Id const& id : asked)
                    ids.insert({map, id});
        }
        std::set<std::string> maps;
        for (MapIdSweep::MapId const& id : ids)
            maps.insert(id.map);
        for (std::string const& map : maps)
            for (MapIdSweep::Id const& id : MapIdSweep::IdsIn(MapIdSweep::Read(map)))
                if (id.kind == MapIdSweep::Kind::Group)
                    ids.insert({map, id});
        for (MapIdSweep::MapId const& id : options.unread)
            ids.erase(id);
        return std::vector<MapIdSweep::MapId>(ids.begin(), ids.end());
    }

    // Builds the world of type with the fixture's events as they stand, with the data file file
    // (a path in the data folder) put aside; the build must leave nothing behind (see
    // MapIdSweep::Leftovers) and, unless mayBuild, fail. The build's error is returned for the
    // caller's own checks.
    static Error MissingFile(WorldFixture& fixture, Level_Type type, std::string const& file, bool ending = false,
                             bool mayBuild = false)
    {
        std::filesystem::path const path = fixture.data->path / file;
        std::filesystem::path const aside = fixture.data->path / "aside";
        EXPECT_TRUE(std::filesystem::exists(path)) << file;
        fixture.Destroy();
        std::filesystem::rename(path, aside);
        MapIdSweep::Leftovers leftovers;
        Error const e = fixture.TryBuild(type, ending);
        fixture.Destroy();
        std::filesystem::rename(aside, path);
        EXPECT_TRUE(mayBuild || e.Code() != Error_None) << "built without " << file;
        EXPECT_EQ(leftovers.Check("the build without " + file), "") << file;
        return e;
    }

    // Builds the world once without each picture that the engine loads for every world (the
    // player's) or for a world with gems and chests (which a world without them builds without):
    // a build that needs it fails naming it and leaves nothing behind; a normal build follows.
    static void SharedPicturesMissing(WorldFixture& fixture, Level_Type type, GameEvents const& record)
    {
        struct Shared
        {
            char const* file;
            bool everyWorld;
        };
        for (Shared const& shared :
             {Shared{"gfx/general/heartfull.png", true}, Shared{"gfx/general/heartempty.png", true},
              Shared{"gfx/general/gem.png", true}, Shared{"gfx/general/chest.png", false},
              Shared{"gfx/puzzle/highlight.png", false}, Shared{"gfx/puzzle/num9.png", false}})
        {
            fixture.events.Copy(&record);
            Error const e = MissingFile(fixture, type, shared.file, false, !shared.everyWorld);
            if (e.Code() == Error_None)
                continue;
            EXPECT_EQ(e.Code(), Error_OpenFile) << shared.file;
            EXPECT_NE(std::string(e.Text()).find(shared.file), std::string::npos) << e.Text();
        }
        World_Base const& again = fixture.Build(type, record);
        EXPECT_EQ(again.GetTick(), 0);
    }

    // Builds the world of type with the record once normally, then once without each id it reads
    // (a sample of them in CI): each build must throw Error_ParseFile naming the map and the id and
    // leave nothing leaked; a normal build follows. Failures are the test's, one each.
    static void Run(WorldFixture& fixture, Level_Type type, GameEvents const& record,
                    WorldSweep_Options const& options = {})
    {
        std::vector<MapIdSweep::MapId> const ids = IdsRead(fixture, type, record, options);
        EXPECT_FALSE(ids.empty()) << "the world reads no id of its maps";
        std::vector<MapIdSweep::MapId> chosen = ids;
        unsigned const seed = TestSeed();
        SCOPED_TRACE(testing::Message() << "fresh sample: HM_TEST_SEED=" << seed);
        if (!MapIdSweep::WholeSweepAsked())
        {
            chosen = MapIdSweep::Sample(ids, options.sample, options.sampleSeed);
            for (MapIdSweep::MapId const& id : MapIdSweep::Sample(ids, options.fresh, seed))
                if (std::find(chosen.begin(), chosen.end(), id) == chosen.end())
                    chosen.push_back(id);
        }
        auto build = [&] {
            Error const error = fixture.TryBuild(type, options.ending);
            fixture.Destroy();
            if (error.Code() != Error_None)
                throw error;
        };
        std::map<std::string, std::vector<MapIdSweep::Id>> byMap;
        for (MapIdSweep::MapId const& id : chosen)
            byMap[id.map].push_back(id.id);
        for (auto const& [map, mapIds] : byMap)
        {
            MapWriter const full = MapIdSweep::Read(map);
            for (std::string const& failure : MapIdSweep::Sweep(map, map, full, mapIds, build))
                ADD_FAILURE() << map << ": " << failure;
        }
        World_Base const& again = fixture.Build(type, record, options.ending);
        EXPECT_EQ(again.GetTick(), 0);
    }
};
