// The world table: each world's type, data folder, maker and the map paths its exits open.
#include "shell/World_Table.h"

#include "black/Black.h"
#include "castle/Casle.h"
#include "chasm/Chasm.h"
#include "final/Final.h"
#include "killig/Kilig.h"
#include "petra/Petra.h"
#include "plateau/Plato.h"
#include "tower/Tower.h"
#include "treevillage/TreeV.h"
#include "util/Error.h"

#include <cassert>
#include <string>

namespace
{

World_Base* MakeVillage(GameEvents* events, bool ending)
{
    return new TreeV(events, ending);
}

} // namespace

World_Row const World_Table[World_Count] = {
    {Level_TreeV, "treevillage", &MakeVillage, 0, 5},
    {Level_Plato, "plateau", &World_MakeOf<Plato>, 1, -1},
    {Level_Kilig, "killig", &World_MakeOf<Kilig>, 2, -1},
    {Level_Chasm, "chasm", &World_MakeOf<Chasm>, 3, -1},
    {Level_Petra, "petra", &World_MakeOf<Petra>, -1, -1},
    {Level_Casle, "castle", &World_MakeOf<Casle>, -1, -1},
    {Level_Tower, "tower", &World_MakeOf<Tower>, 6, -1},
    {Level_Black, "black", &World_MakeOf<Black>, 7, -1},
    {Level_Final, "final", &World_MakeOf<Final>, -1, -1},
};

World_Row const& WorldRow(Level_Type type)
{
    assert(type >= Level_TreeV && type <= Level_Final && "a world of the map");
    World_Row const& row = World_Table[type - Level_TreeV];
    assert(row.type == type && "the table in level order");
    return row;
}

World_Base* MakeWorld(GameEvents* events, Level_Type type, bool ending)
{
    if (type < Level_TreeV || type > Level_Final)
    {
        std::string const text = "No world has the level type " + std::to_string(int(type));
        throw Error(Error_ParseFile, text.c_str());
    }
    return WorldRow(type).make(events, ending);
}
