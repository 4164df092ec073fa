// Reading values from the per-user registry file.
#include "platform/Registry.h"

#include "platform/MessageBox.h"
#include "util/DataFile.h"

#include <cstdio>
#include <cstdlib>
#include <strings.h>

char* installPath = nullptr;

namespace
{

void TrimLineEnd(std::string* line)
{
    while (!line->empty() && (line->back() == '\r' || line->back() == ' ' || line->back() == '\t'))
        line->pop_back();
}

// The next line without its newline; false at the end of the file.
bool ReadLine(std::FILE* file, std::string* line)
{
    line->clear();
    int c = 0;
    while ((c = std::getc(file)) != EOF && c != '\n')
        line->push_back(static_cast<char>(c));
    return c == '\n' || !line->empty();
}

} // namespace

std::string Registry::FilePath()
{
    char const* config = std::getenv("XDG_CONFIG_HOME");
    if (config && config[0] == '/')
        return std::string(config) + "/hollowmere/registry";
    char const* home = std::getenv("HOME");
    return std::string(home ? home : "") + "/.config/hollowmere/registry";
}

bool Registry::QueryValue(char const* key, char const* name, std::string* value)
{
    // Opened as the data files are: a FIFO or a device in its place is no file, not a wait, and one
    // past its limit is taken as missing.
    std::FILE* file = HM_OpenFile(FilePath().c_str(), "r", DataFile_RegistryLimit);
    if (!file)
        return false;
    bool inKey = false;
    bool found = false;
    std::string line;
    while (!found && ReadLine(file, &line))
    {
        TrimLineEnd(&line);
        if (!line.empty() && line.front() == '[')
        {
            inKey = line.back() == ']' && strcasecmp(line.substr(1, line.size() - 2).c_str(), key) == 0;
            continue;
        }
        std::string::size_type equals = line.find('=');
        if (inKey && equals != std::string::npos && strcasecmp(line.substr(0, equals).c_str(), name) == 0)
        {
            *value = line.substr(equals + 1);
            found = true;
        }
    }
    std::fclose(file);
    return found;
}

void HM_FindInstallPath()
{
    std::string path;
    if (!Registry::QueryValue("Software\\Velmora\\Hollowmere", "InstallPath", &path))
    {
        MessageBox::Show("Hollowmere registry entry missing", "Install Path");
        return;
    }
    std::free(installPath);
    installPath = HM_strdup(path.c_str());
}
