// Opening data files, string copies and the byte-order reversal of big-endian file fields.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>

// Opens a data file by its path relative to the working directory with a C
// mode string ("r", "w" or "a", with "b" or "+"); null on failure. Only a regular file (or a link
// to one) is opened: a FIFO, a device or a folder in its place gives null at once, never a wait.
// A file opened for writing is never reached through a link: a symbolic link at the path, or a
// file with another name besides (a hard link), gives null and is left as it was, and "w" empties
// only a file found to be a regular one of its own. Never throws.
std::FILE* HM_OpenFile(char const* path, char const* mode);

// Makes the file at path hold exactly size bytes, or leaves it as it was. The bytes are written
// under the scratch name path + ".tmp", made to last, and only then renamed to path, so that no
// interruption leaves a file cut short. The scratch name is made anew: whatever stood there (a
// stale scratch file, a symbolic or hard link, a dangling link) is removed, never written
// through. At path only a regular file or a symbolic link is replaced (a link's target is left
// untouched), and with replace false nothing at all: a folder, a FIFO or a device at path stays.
// False on any failure, with errno saying why; no scratch file is left behind.
bool HM_WriteWhole(char const* path, void const* bytes, std::size_t size, bool replace = true);

// Sound and music loaders pass every file name through here; paths stay relative.
char const* HM_GetFullPath(char const* path);

// A malloc'd copy of the string, null when memory runs out.
char* HM_strdup(char const* str);

// A malloc'd copy of at most n characters plus a NUL; a negative n copies the whole string.
char* HM_strndup(char const* str, int n);

std::uint32_t FlipWord(std::uint32_t word);
float FlipFloat(float value);
double FlipDouble(double value);
