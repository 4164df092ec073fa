// The per-user settings file that stands in for the system registry, and the install path in it.
#pragma once

#include <string>

// The install directory once HM_FindInstallPath has found it, else null (malloc'd).
extern char* installPath;

// Reads "InstallPath" of "Software\Velmora\Hollowmere"; when it is missing, says so in a
// message box and leaves installPath null. Start-up goes on either way.
void HM_FindInstallPath();

// The file is $XDG_CONFIG_HOME/hollowmere/registry (or ~/.config/hollowmere/registry), text:
//
//     [Software\Velmora\Hollowmere]
//     InstallPath=/usr/share/games/hollowmere
//
// Key and value names compare without regard to case, as the system registry's do.
class Registry final
{
public:
    static std::string FilePath();
    // False when the file, the key or the value is missing.
    static bool QueryValue(char const* key, char const* name, std::string* value);
};
