// A background map: read as a bare MapBase (no collision grid), then its group operations.
#include "FuzzSupport.h"
#include "engine/MapBase.h"

#include <memory>

extern "C" int LLVMFuzzerTestOneInput(std::uint8_t const* data, std::size_t size)
{
    char const* const file = "bgmap";
    Fuzz::WriteFile(file, data, size);
    std::FILE* f = std::fopen(file, "rb");
    Fuzz::Load(file, [&] {
        std::unique_ptr<MapBase> map(new MapBase(nullptr, f, file));
        unsigned int const group = map->NextGroupId() - 1;
        Pointf const centre = map->GetCentrePoint();
        map->MoveGroup(group, 10.0, -5.0);
        map->RotateGroup(group, &centre, 0.5);
        unsigned int poly = 0;
        map->CheckPoint(&centre, poly, true);
        Pointf found;
        map->refPoints.GetPoint(1, found);
    });
    std::fclose(f);
    return 0;
}
