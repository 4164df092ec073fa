// Shared by the fuzz targets: a scratch working folder, inputs written to files, a GL context,
// and the check that a refused input is refused with an Error naming its file.
#pragma once

#include "util/Error.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace Fuzz
{

// Makes a fresh folder under the temporary directory the working directory for the life of
// the process (readers open their files relative to it) and returns its path.
std::string const& WorkDir();

// Writes the input to path (relative to the working folder), making its parent folders.
void WriteFile(char const* path, std::uint8_t const* data, std::size_t size);

// Opens the offscreen 640x480 window so that pictures can be uploaded; once per process.
void OpenGl();

// Runs load. A refusal must be the project's Error and, unless memory ran out, name file;
// anything else stops the run as a finding.
template <class Load>
void Load(char const* file, Load load)
{
    try
    {
        load();
    }
    catch (Error const& e)
    {
        if (e.Code() != Error_OutOfMemory && std::strstr(e.Text(), file) == nullptr)
        {
            std::fprintf(stderr, "refused without naming %s: [%d] %s\n", file, int(e.Code()), e.Text());
            std::abort();
        }
    }
}

} // namespace Fuzz
