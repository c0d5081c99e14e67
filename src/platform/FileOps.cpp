#include "platform/FileOps.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace melodora {

int FileOps::open(const char* path, int flags, mode_t mode)
{
    return ::open(path, flags | O_CLOEXEC, mode);
}
ssize_t FileOps::pread(int fd, void* buf, size_t len, off_t offset)
{
    return ::pread(fd, buf, len, offset);
}
ssize_t FileOps::pwrite(int fd, const void* buf, size_t len, off_t offset)
{
    return ::pwrite(fd, buf, len, offset);
}
int FileOps::fsync(int fd) { return ::fsync(fd); }
int FileOps::ftruncate(int fd, off_t len) { return ::ftruncate(fd, len); }
int FileOps::fstat(int fd, struct stat* st) { return ::fstat(fd, st); }
int FileOps::rename(const char* from, const char* to) { return ::rename(from, to); }
int FileOps::unlink(const char* path) { return ::unlink(path); }
int FileOps::close(int fd) { return ::close(fd); }
ssize_t FileOps::copy_file_range(int fdIn, off_t* offIn, int fdOut, off_t* offOut, size_t len)
{
    return ::copy_file_range(fdIn, offIn, fdOut, offOut, len, 0);
}

int FileOps::flock(int fd, int operation) { return ::flock(fd, operation); }
int FileOps::fchmod(int fd, mode_t mode) { return ::fchmod(fd, mode); }
int FileOps::fchown(int fd, uid_t owner, gid_t group) { return ::fchown(fd, owner, group); }

long long FileOps::leggiTutto(int fd, void* buf, long long len, long long offset)
{
    long long fatto = 0;
    while (fatto < len) {
        const ssize_t r = pread(fd, static_cast<char*>(buf) + fatto,
            static_cast<size_t>(len - fatto), static_cast<off_t>(offset + fatto));
        if (r < 0 && errno == EINTR)
            continue;
        if (r < 0)
            return -1;
        if (r == 0)
            break;
        fatto += r;
    }
    return fatto;
}

bool FileOps::scriviTutto(int fd, const void* buf, long long len, long long offset)
{
    long long fatto = 0;
    while (fatto < len) {
        const ssize_t w = pwrite(fd, static_cast<const char*>(buf) + fatto,
            static_cast<size_t>(len - fatto), static_cast<off_t>(offset + fatto));
        if (w < 0 && errno == EINTR)
            continue;
        if (w < 0)
            return false;
        if (w == 0) {
            // A write that makes no progress would loop for ever: count it as a full disk.
            errno = ENOSPC;
            return false;
        }
        fatto += w;
    }
    return true;
}

FileOps& fileOpsReali()
{
    static FileOps reali;
    return reali;
}

} // namespace melodora
