#include "atomicfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace velmora {

namespace {

QString systemError() {
    return QString::fromLocal8Bit(std::strerror(errno));
}

bool writeAll(int fd, const QByteArray &bytes) {
    const char *p = bytes.constData();
    qint64 left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, p, size_t(left));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        p += n;
        left -= n;
    }
    return true;
}

void syncFolder(const QByteArray &folder) {
    const int fd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

} // namespace

// Written with the system calls themselves: every write, the sync and the
// rename are checked, so a full disk or a pulled card can never leave a
// short file in the target's place.
bool replaceFileAtomically(const QString &path, const QByteArray &bytes, QString *error) {
    const auto fail = [&](const QString &why) {
        if (error)
            *error = why;
        return false;
    };
    const QFileInfo target(path);
    if (target.isDir())
        return fail(QStringLiteral("%1 is a folder").arg(path));

    const QByteArray finalName = QFile::encodeName(target.absoluteFilePath());
    QByteArray tempName = finalName + ".XXXXXX";
    const int fd = ::mkostemp(tempName.data(), O_CLOEXEC);
    if (fd < 0)
        return fail(
            QStringLiteral("cannot write in %1: %2").arg(target.absolutePath(), systemError()));

    struct stat old {};
    const mode_t mode = ::stat(finalName.constData(), &old) == 0 ? (old.st_mode & 07777) : 0644;
    QString why;
    if (::fchmod(fd, mode) != 0)
        why = systemError();
    else if (!writeAll(fd, bytes))
        why = systemError();
    else if (::fsync(fd) != 0)
        why = systemError();
    if (::close(fd) != 0 && why.isEmpty())
        why = systemError();
    if (why.isEmpty() && ::rename(tempName.constData(), finalName.constData()) != 0)
        why = systemError();
    if (!why.isEmpty()) {
        ::unlink(tempName.constData());
        return fail(QStringLiteral("cannot save %1: %2").arg(path, why));
    }
    syncFolder(QFile::encodeName(target.absolutePath()));
    return true;
}

} // namespace velmora
