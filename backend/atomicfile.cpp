#include "atomicfile.h"

#include "posixio.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace velmora {

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
        return fail(QStringLiteral("cannot write in %1: %2")
                        .arg(target.absolutePath(), posixio::systemError()));

    struct stat old {};
    const mode_t mode = ::stat(finalName.constData(), &old) == 0 ? (old.st_mode & 07777) : 0644;
    QString why;
    if (posixio::fchmod(fd, mode) != 0)
        why = posixio::systemError();
    else if (!posixio::writeAll(fd, bytes.constData(), bytes.size()))
        why = posixio::systemError();
    else if (posixio::fsync(fd) != 0)
        why = posixio::systemError();
    if (::close(fd) != 0 && why.isEmpty())
        why = posixio::systemError();
    if (why.isEmpty() && posixio::rename(tempName, finalName) != 0)
        why = posixio::systemError();
    if (!why.isEmpty()) {
        ::unlink(tempName.constData());
        return fail(QStringLiteral("cannot save %1: %2").arg(path, why));
    }
    posixio::syncFolder(QFile::encodeName(target.absolutePath()));
    return true;
}

} // namespace velmora
