// Opening data files, string copies and byte-order reversal.
#include "util/DataFile.h"

#include <cassert>
#include <cstddef>
#include <cstdlib>
#include <cstring>

std::FILE* HM_OpenFile(char const* path, char const* mode)
{
    if (path == nullptr || mode == nullptr)
        return nullptr;
    return std::fopen(path, mode);
}

char const* HM_GetFullPath(char const* path)
{
    return path;
}

char* HM_strdup(char const* str)
{
    assert(str != NULL);
    std::size_t n = std::strlen(str);
    char* copy = static_cast<char*>(std::malloc(n + 1));
    if (copy == nullptr)
        return nullptr;
    std::memcpy(copy, str, n + 1);
    return copy;
}

char* HM_strndup(char const* str, int n)
{
    assert(str != NULL);
    if (n < 0)
        return HM_strdup(str);
    std::size_t len = strnlen(str, static_cast<std::size_t>(n));
    char* copy = static_cast<char*>(std::malloc(len + 1));
    if (copy == nullptr)
        return nullptr;
    std::memcpy(copy, str, len);
    copy[len] = '\0';
    return copy;
}

std::uint32_t FlipWord(std::uint32_t word)
{
    return __builtin_bswap32(word);
}

float FlipFloat(float value)
{
    static_assert(sizeof(float) == sizeof(std::uint32_t));
    std::uint32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    bits = __builtin_bswap32(bits);
    float result;
    std::memcpy(&result, &bits, sizeof result);
    return result;
}

double FlipDouble(double value)
{
    static_assert(sizeof(double) == sizeof(std::uint64_t));
    std::uint64_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    bits = __builtin_bswap64(bits);
    double result;
    std::memcpy(&result, &bits, sizeof result);
    return result;
}
