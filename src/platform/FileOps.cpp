#include "platform/FileOps.h"

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

FileOps& fileOpsReali()
{
    static FileOps reali;
    return reali;
}

} // namespace melodora
