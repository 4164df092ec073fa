// A save slot: read, checked and written back.
#include "FuzzSupport.h"
#include "engine/GameEvents.h"

extern "C" int LLVMFuzzerTestOneInput(std::uint8_t const* data, std::size_t size)
{
    char const* const file = "save0";
    Fuzz::WriteFile(file, data, size);
    Fuzz::Load(file, [&] {
        GameEvents const record(file);
        record.IsNew();
        record.GetHeartCount();
        record.GetSwordStrength();
        for (GameEvent e = 0; e < Event_Count; ++e)
            record.Happened(e, 100);
        record.Save("save1");
        GameEvents const again("save1");
        if (again.gems != record.gems)
            std::abort();
    });
    return 0;
}
