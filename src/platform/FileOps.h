#pragma once

#include <sys/stat.h>
#include <sys/types.h>

namespace melodora {

/**
 * The file system calls the archive makes, one virtual per POSIX call, so that tests
 * can fail any one of them (the Nth open, write, sync or rename) and check that the
 * archive on disk is still whole. The real implementation forwards to the OS.
 */
class FileOps {
public:
    virtual ~FileOps() = default;
    virtual int open(const char* path, int flags, mode_t mode);
    virtual ssize_t pread(int fd, void* buf, size_t len, off_t offset);
    virtual ssize_t pwrite(int fd, const void* buf, size_t len, off_t offset);
    virtual int fsync(int fd);
    virtual int ftruncate(int fd, off_t len);
    virtual int fstat(int fd, struct stat* st);
    virtual int rename(const char* from, const char* to);
    virtual int unlink(const char* path);
    virtual int close(int fd);
    /**
     * Copies up to @p len bytes from @p fdIn at *@p offIn to @p fdOut at *@p offOut inside
     * the kernel, advancing both offsets; as copy_file_range(2). Fails with ENOSYS, EXDEV,
     * EINVAL or EOPNOTSUPP where the system cannot copy this way.
     */
    virtual ssize_t copy_file_range(int fdIn, off_t* offIn, int fdOut, off_t* offOut, size_t len);
    /** As flock(2): an advisory lock that the system releases when the process ends. */
    virtual int flock(int fd, int operation);
    virtual int fchmod(int fd, mode_t mode);
    virtual int fchown(int fd, uid_t owner, gid_t group);

    /**
     * Reads up to @p len bytes at @p offset, going on after short reads and EINTR until the
     * end of the file: the bytes read, or -1 with errno set.
     */
    long long leggiTutto(int fd, void* buf, long long len, long long offset);
    /**
     * Writes all @p len bytes at @p offset, going on after short writes and EINTR; false
     * with errno set on failure (ENOSPC for a write that makes no progress).
     */
    bool scriviTutto(int fd, const void* buf, long long len, long long offset);
};

/** The process's real file system. */
FileOps& fileOpsReali();

} // namespace melodora
