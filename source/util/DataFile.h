// Opening data files, string copies and the byte-order reversal of big-endian file fields.
#pragma once

#include <cstdint>
#include <cstdio>

// Opens a data file by its path relative to the working directory with a C
// mode string ("r", "w" or "a", with "b" or "+"); null on failure. Only a regular file (or a link
// to one) is opened: a FIFO, a device or a folder in its place gives null at once, never a wait.
// Never throws.
std::FILE* HM_OpenFile(char const* path, char const* mode);

// Sound and music loaders pass every file name through here; paths stay relative.
char const* HM_GetFullPath(char const* path);

// A malloc'd copy of the string, null when memory runs out.
char* HM_strdup(char const* str);

// A malloc'd copy of at most n characters plus a NUL; a negative n copies the whole string.
char* HM_strndup(char const* str, int n);

std::uint32_t FlipWord(std::uint32_t word);
float FlipFloat(float value);
double FlipDouble(double value);
