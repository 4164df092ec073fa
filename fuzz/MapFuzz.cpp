// A world's map file: scenery polygons, reference points and the view, then the collision grid
// and a few movement queries over it.
#include "FuzzSupport.h"
#include "engine/Map.h"

#include <memory>

extern "C" int LLVMFuzzerTestOneInput(std::uint8_t const* data, std::size_t size)
{
    char const* const file = "map";
    Fuzz::WriteFile(file, data, size);
    std::FILE* f = std::fopen(file, "rb");
    Fuzz::Load(file, [&] {
        std::unique_ptr<Map> map(new Map(nullptr, f, file));
        map->PreprocessCollision();
        Pointf const centre = map->GetCentrePoint();
        Pointf to(centre.x + 40.0, centre.y - 600.0);
        unsigned int poly = 0;
        unsigned int edge = 0;
        map->TryMove(&centre, &to, &poly, &edge);
        double angle = 0.0;
        map->Settle(&centre, &angle);
    });
    std::fclose(f);
    return 0;
}
