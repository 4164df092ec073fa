// Opening data files, string copies and byte-order reversal.
#include "util/DataFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cassert>
#include <cerrno>
#include <cstddef>
#include <cstdlib>
#include <cstring>

std::FILE* HM_OpenFile(char const* path, char const* mode)
{
    if (path == nullptr || mode == nullptr)
        return nullptr;
    bool const both = std::strchr(mode, '+') != nullptr;
    int flags = both ? O_RDWR : 0;
    switch (mode[0])
    {
    case 'r':
        flags |= both ? 0 : O_RDONLY;
        break;
    case 'w':
        flags |= (both ? 0 : O_WRONLY) | O_CREAT | O_TRUNC;
        break;
    case 'a':
        flags |= (both ? 0 : O_WRONLY) | O_CREAT | O_APPEND;
        break;
    default:
        errno = EINVAL;
        return nullptr;
    }
    // Whatever stands at the path, the open returns at once: a FIFO with no other end, or a device,
    // would hold a plain open (or the first read) for good. Only a regular file is taken, checked on
    // the open file itself, so that nothing put in its place between a check and the open is read.
    int const fd = open(path, flags | O_NONBLOCK | O_CLOEXEC, 0666);
    if (fd < 0)
        return nullptr;
    struct stat st = {};
    if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode))
    {
        int const err = S_ISDIR(st.st_mode) ? EISDIR : EINVAL;
        close(fd);
        errno = err;
        return nullptr;
    }
    int const status = fcntl(fd, F_GETFL);
    std::FILE* file = status == -1 || fcntl(fd, F_SETFL, status & ~O_NONBLOCK) == -1 ? nullptr : fdopen(fd, mode);
    if (file == nullptr)
    {
        int const err = errno;
        close(fd);
        errno = err;
    }
    return file;
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
