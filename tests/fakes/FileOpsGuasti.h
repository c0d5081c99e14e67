#pragma once

#include "platform/FileOps.h"

#include <QStringList>

#include <cerrno>

namespace melodora::test {

/**
 * The real file system, except that the Nth call (of any kind, counted from 1 since the
 * last azzera) fails with EIO, as a dying disk would. A failed close still releases the
 * descriptor, as Linux does. With senzaCopiaNelNucleo, copy_file_range always answers
 * ENOSYS, as on a system without it. Records the name of every call, in order.
 */
class FileOpsGuasti : public FileOps {
public:
    /** Counts from zero again and fails call @p n (0: none). */
    void azzera(int n)
    {
        chiamate = 0;
        guastaAlla = n;
        guastoAvvenuto = false;
        registro.clear();
    }

    int open(const char* path, int flags, mode_t mode) override
    {
        return conta("open") ? FileOps::open(path, flags, mode) : -1;
    }
    ssize_t pread(int fd, void* buf, size_t len, off_t offset) override
    {
        return conta("pread") ? FileOps::pread(fd, buf, len, offset) : -1;
    }
    ssize_t pwrite(int fd, const void* buf, size_t len, off_t offset) override
    {
        return conta("pwrite") ? FileOps::pwrite(fd, buf, len, offset) : -1;
    }
    int fsync(int fd) override { return conta("fsync") ? FileOps::fsync(fd) : -1; }
    int ftruncate(int fd, off_t len) override
    {
        return conta("ftruncate") ? FileOps::ftruncate(fd, len) : -1;
    }
    int fstat(int fd, struct stat* st) override
    {
        return conta("fstat") ? FileOps::fstat(fd, st) : -1;
    }
    int rename(const char* from, const char* to) override
    {
        return conta("rename") ? FileOps::rename(from, to) : -1;
    }
    int unlink(const char* path) override { return conta("unlink") ? FileOps::unlink(path) : -1; }
    int close(int fd) override
    {
        if (conta("close"))
            return FileOps::close(fd);
        FileOps::close(fd);
        errno = EIO;
        return -1;
    }
    ssize_t copy_file_range(int fdIn, off_t* offIn, int fdOut, off_t* offOut, size_t len) override
    {
        if (!conta("copy_file_range"))
            return -1;
        if (senzaCopiaNelNucleo) {
            errno = ENOSYS;
            return -1;
        }
        return FileOps::copy_file_range(fdIn, offIn, fdOut, offOut, len);
    }

    int flock(int fd, int operation) override
    {
        return conta("flock") ? FileOps::flock(fd, operation) : -1;
    }
    int fchmod(int fd, mode_t mode) override
    {
        return conta("fchmod") ? FileOps::fchmod(fd, mode) : -1;
    }
    int fchown(int fd, uid_t owner, gid_t group) override
    {
        return conta("fchown") ? FileOps::fchown(fd, owner, group) : -1;
    }

    int chiamate = 0;
    int guastaAlla = 0;
    bool guastoAvvenuto = false;
    bool senzaCopiaNelNucleo = false;
    QStringList registro;

private:
    // False when this call is the one that fails (errno set to EIO).
    bool conta(const char* nome)
    {
        registro.append(QLatin1String(nome));
        if (++chiamate != guastaAlla)
            return true;
        guastoAvvenuto = true;
        errno = EIO;
        return false;
    }
};

} // namespace melodora::test
