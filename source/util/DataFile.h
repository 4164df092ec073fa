// Opening data files, string copies and the byte-order reversal of big-endian file fields.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

// The sizes past which a file of each kind is not read, far above any good file of the kind: one
// past its limit (a sparse file of a terabyte, say) is refused as if it were missing, so nothing the
// game allocates or reads grows with the size of a file.
constexpr std::uint64_t DataFile_RegistryLimit = 1 << 20; // the per-user settings file
constexpr std::uint64_t DataFile_SoundLimit = 64 << 20;   // a sound effect, read whole into memory
constexpr std::uint64_t DataFile_MusicLimit = 64 << 20;   // a piece of music, held in memory while it plays
constexpr std::uint64_t DataFile_ImageMapLimit = 1 << 20; // a world's texture list
constexpr std::uint64_t DataFile_MapLimit = 64 << 20;     // a map or back map
constexpr std::uint64_t DataFile_PictureLimit = 64 << 20; // a PNG picture, font sheets among them
constexpr std::uint64_t DataFile_FontLimit = 1 << 20;     // a font's metrics file
constexpr std::uint64_t DataFile_PuzzleLimit = 1 << 20;   // a puzzle file
constexpr std::uint64_t DataFile_KeysLimit = 1 << 12;     // the key file
constexpr std::uint64_t DataFile_SlotLimit = 1 << 20;     // a save slot
constexpr std::uint64_t DataFile_ScriptLimit = 64 << 20;  // an input script
// For any other file read: the largest of the limits above.
constexpr std::uint64_t DataFile_AnyLimit = 64 << 20;

// Opens a data file by its path relative to the working directory with a C
// mode string ("r", "w" or "a", with "b" or "+"); null on failure. Only a regular file (or a link
// to one) is opened: a FIFO, a device or a folder in its place gives null at once, never a wait.
// A file opened for reading is refused, with errno EFBIG, when it holds more than sizeLimit bytes,
// and reads of it end at sizeLimit bytes should it grow once opened.
// A file opened for writing is never reached through a link: a symbolic link at the path, or a
// file with another name besides (a hard link), gives null and is left as it was, and "w" empties
// only a file found to be a regular one of its own. Never throws.
std::FILE* HM_OpenFile(char const* path, char const* mode, std::uint64_t sizeLimit = DataFile_AnyLimit);

// Reads the whole file at path, opened as HM_OpenFile opens it for reading, into bytes; false, with
// bytes empty and errno saying why, when it cannot be opened or read, or holds more than sizeLimit
// bytes (EFBIG).
bool HM_ReadWhole(char const* path, std::uint64_t sizeLimit, std::vector<unsigned char>* bytes);

// Makes the file at path hold exactly size bytes, or leaves it as it was. The bytes are written
// under the scratch name path + ".tmp", made to last, and only then renamed to path, so that no
// interruption leaves a file cut short. The scratch name is made anew: whatever stood there (a
// stale scratch file, a symbolic or hard link, a dangling link) is removed, never written
// through. At path only a regular file or a symbolic link is replaced (a link's target is left
// untouched), and with replace false nothing at all: a folder, a FIFO or a device at path stays.
// False on any failure, with errno saying why; no scratch file is left behind. When what stands at
// the scratch name cannot be removed (a folder, say), inTheWay, if given, gets that name.
bool HM_WriteWhole(char const* path, void const* bytes, std::size_t size, bool replace = true,
                   std::string* inTheWay = nullptr);

// Sound and music loaders pass every file name through here; paths stay relative.
char const* HM_GetFullPath(char const* path);

// A malloc'd copy of the string, null when memory runs out.
char* HM_strdup(char const* str);

// A malloc'd copy of at most n characters plus a NUL; a negative n copies the whole string.
char* HM_strndup(char const* str, int n);

std::uint32_t FlipWord(std::uint32_t word);
float FlipFloat(float value);
double FlipDouble(double value);
