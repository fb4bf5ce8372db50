#include "posixio.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace velmora::posixio {

namespace {

int systemRenameNoReplace(const char *from, const char *to) {
    return ::renameat2(AT_FDCWD, from, AT_FDCWD, to, RENAME_NOREPLACE);
}

Calls &current() {
    static Calls calls = systemCalls();
    return calls;
}

} // namespace

Calls systemCalls() {
    return {::write, ::fsync, ::fchmod, ::rename, systemRenameNoReplace, ::posix_fadvise, ::pread};
}

Calls replaceCalls(const Calls &calls) {
    const Calls previous = current();
    current() = calls;
    return previous;
}

QString systemError() {
    return QString::fromLocal8Bit(std::strerror(errno));
}

bool writeAll(int fd, const char *data, qint64 size) {
    while (size > 0) {
        const ssize_t n = current().write(fd, data, size_t(size));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            if (n == 0)
                errno = ENOSPC;
            return false;
        }
        data += n;
        size -= n;
    }
    return true;
}

int fsync(int fd) {
    return current().fsync(fd);
}

int fchmod(int fd, mode_t mode) {
    return current().fchmod(fd, mode);
}

int rename(const QByteArray &from, const QByteArray &to) {
    return current().rename(from.constData(), to.constData());
}

int fadvise(int fd, off_t offset, off_t length, int advice) {
    return current().fadvise(fd, offset, length, advice);
}

ssize_t pread(int fd, char *data, size_t size, off_t offset) {
    return current().pread(fd, data, size, offset);
}

bool renameNoReplace(const QByteArray &from, const QByteArray &to) {
    if (current().renameNoReplace(from.constData(), to.constData()) == 0)
        return true;
    if (errno != EINVAL && errno != ENOSYS)
        return false;
    if (::link(from.constData(), to.constData()) == 0) {
        ::unlink(from.constData());
        return true;
    }
    if (errno == EEXIST)
        return false;
    struct stat existing {};
    if (::lstat(to.constData(), &existing) == 0) {
        errno = EEXIST;
        return false;
    }
    return rename(from, to) == 0;
}

void syncFolder(const QByteArray &folder) {
    const int fd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        fsync(fd);
        ::close(fd);
    }
}

} // namespace velmora::posixio
