// Opening data files, string copies and byte-order reversal.
#include "util/DataFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <stdio.h>
#include <unistd.h>

#include <algorithm>
#include <cassert>
#include <cerrno>
#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <new>
#include <string>

namespace
{

// Closes fd and gives null with errno kept at err.
std::FILE* Refuse(int fd, int err)
{
    close(fd);
    errno = err;
    return nullptr;
}

bool WriteAll(int fd, void const* bytes, std::size_t size)
{
    char const* at = static_cast<char const*>(bytes);
    while (size > 0)
    {
        ssize_t const put = write(fd, at, size);
        if (put < 0 && errno == EINTR)
            continue;
        if (put <= 0)
        {
            if (put == 0)
                errno = ENOSPC;
            return false;
        }
        at += put;
        size -= static_cast<std::size_t>(put);
    }
    return true;
}

// Gives from the name to, never replacing anything there.
bool RenameNoReplace(char const* from, char const* to)
{
    if (renameat2(AT_FDCWD, from, AT_FDCWD, to, RENAME_NOREPLACE) == 0)
        return true;
    if (errno != EINVAL && errno != ENOSYS)
        return false;
    // A file system without the call: a second name, which cannot replace either, then the first
    // one removed.
    if (link(from, to) != 0)
        return false;
    unlink(from);
    return true;
}

// Makes the rename in the folder of path last too; a failure here loses nothing written.
void SyncFolder(std::string const& path)
{
    std::string::size_type const slash = path.rfind('/');
    std::string const folder = slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
    int const fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0)
    {
        fsync(fd);
        close(fd);
    }
}

// A file opened for reading, no more of which than its limit is ever read: should it grow past the
// limit once opened, the read that would go past fails (EFBIG) rather than run on.
struct Bounded
{
    int fd;
    std::uint64_t limit;
    std::uint64_t at; // the offset of the next read
};

ssize_t ReadSome(int fd, char* buffer, std::size_t size)
{
    ssize_t got = 0;
    do
        got = read(fd, buffer, size);
    while (got < 0 && errno == EINTR);
    return got;
}

ssize_t BoundedRead(void* cookie, char* buffer, std::size_t size)
{
    Bounded* file = static_cast<Bounded*>(cookie);
    if (size == 0)
        return 0;
    if (file->at >= file->limit)
    {
        char past = 0;
        ssize_t const more = ReadSome(file->fd, &past, 1);
        if (more <= 0)
            return more;
        file->at += 1;
        errno = EFBIG;
        return -1;
    }
    ssize_t const got =
        ReadSome(file->fd, buffer, static_cast<std::size_t>(std::min<std::uint64_t>(size, file->limit - file->at)));
    if (got > 0)
        file->at += static_cast<std::uint64_t>(got);
    return got;
}

int BoundedSeek(void* cookie, off64_t* offset, int whence)
{
    Bounded* file = static_cast<Bounded*>(cookie);
    off64_t const to = lseek64(file->fd, *offset, whence);
    if (to < 0)
        return -1;
    file->at = static_cast<std::uint64_t>(to);
    *offset = to;
    return 0;
}

int BoundedClose(void* cookie)
{
    Bounded* file = static_cast<Bounded*>(cookie);
    int const closed = close(file->fd);
    delete file;
    return closed;
}

std::FILE* OpenBounded(int fd, std::uint64_t limit, char const* mode)
{
    Bounded* bounded = new (std::nothrow) Bounded{fd, limit, 0};
    if (bounded == nullptr)
        return Refuse(fd, ENOMEM);
    cookie_io_functions_t const calls = {BoundedRead, nullptr, BoundedSeek, BoundedClose};
    std::FILE* file = fopencookie(bounded, mode, calls);
    if (file == nullptr)
    {
        delete bounded;
        return Refuse(fd, errno);
    }
    return file;
}

} // namespace

std::FILE* HM_OpenFile(char const* path, char const* mode, std::uint64_t sizeLimit)
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
        // Emptied below, once what was opened is known to be the game's own file.
        flags |= (both ? 0 : O_WRONLY) | O_CREAT;
        break;
    case 'a':
        flags |= (both ? 0 : O_WRONLY) | O_CREAT | O_APPEND;
        break;
    default:
        errno = EINVAL;
        return nullptr;
    }
    // A link planted in the data folder must not carry a write to a file elsewhere, nor a dangling
    // one have it created there; data files that are read may still be links.
    bool const writes = both || mode[0] != 'r';
    if (writes)
        flags |= O_NOFOLLOW;
    // Whatever stands at the path, the open returns at once: a FIFO with no other end, or a device,
    // would hold a plain open (or the first read) for good. Only a regular file is taken, checked on
    // the open file itself, so that nothing put in its place between a check and the open is read.
    int const fd = open(path, flags | O_NONBLOCK | O_CLOEXEC, 0666);
    if (fd < 0)
        return nullptr;
    struct stat st = {};
    if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode))
        return Refuse(fd, S_ISDIR(st.st_mode) ? EISDIR : EINVAL);
    if (writes && st.st_nlink > 1)
        return Refuse(fd, EMLINK);
    if (!writes && static_cast<std::uint64_t>(st.st_size) > sizeLimit)
        return Refuse(fd, EFBIG);
    if (mode[0] == 'w' && ftruncate(fd, 0) != 0)
        return Refuse(fd, errno);
    int const status = fcntl(fd, F_GETFL);
    if (status == -1 || fcntl(fd, F_SETFL, status & ~O_NONBLOCK) == -1)
        return Refuse(fd, errno);
    if (!writes)
        return OpenBounded(fd, sizeLimit, mode);
    std::FILE* file = fdopen(fd, mode);
    if (file == nullptr)
        return Refuse(fd, errno);
    return file;
}

bool HM_ReadWhole(char const* path, std::uint64_t sizeLimit, std::vector<unsigned char>* bytes)
{
    assert(bytes != nullptr);
    bytes->clear();
    std::FILE* file = HM_OpenFile(path, "rb", sizeLimit);
    if (file == nullptr)
        return false;
    unsigned char buffer[65536];
    std::size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0)
        bytes->insert(bytes->end(), buffer, buffer + got);
    bool const read = !std::ferror(file);
    int const err = errno;
    std::fclose(file);
    if (!read)
    {
        bytes->clear();
        errno = err;
    }
    return read;
}

bool HM_WriteWhole(char const* path, void const* bytes, std::size_t size, bool replace, std::string* inTheWay)
{
    assert(path != nullptr && (bytes != nullptr || size == 0));
    struct stat st = {};
    if (lstat(path, &st) == 0)
    {
        if (!S_ISREG(st.st_mode) && !S_ISLNK(st.st_mode))
        {
            errno = S_ISDIR(st.st_mode) ? EISDIR : EEXIST;
            return false;
        }
    }
    else if (errno != ENOENT)
        return false;

    // The scratch name is created here and nowhere else: what stood there is gone first (a link
    // itself, not its target), and the create fails rather than follow anything put there since.
    std::string const scratch = std::string(path) + ".tmp";
    if (unlink(scratch.c_str()) != 0 && errno != ENOENT)
    {
        if (inTheWay != nullptr)
            *inTheWay = scratch;
        return false;
    }
    int const fd = open(scratch.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (fd < 0)
        return false;
    bool made = WriteAll(fd, bytes, size) && fsync(fd) == 0;
    int err = errno;
    if (close(fd) != 0 && made)
    {
        err = errno;
        made = false;
    }
    if (made)
    {
        made = replace ? std::rename(scratch.c_str(), path) == 0 : RenameNoReplace(scratch.c_str(), path);
        err = errno;
    }
    if (!made)
    {
        unlink(scratch.c_str());
        errno = err;
        return false;
    }
    SyncFolder(path);
    return true;
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
