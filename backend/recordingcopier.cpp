#include "recordingcopier.h"

#include "backendlog.h"
#include "posixio.h"

#include <QDebug>
#include <QFile>
#include <QFileInfo>
#include <QMetaObject>
#include <QThreadPool>
#include <QtConcurrent>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace velmora {

namespace {

constexpr size_t ChunkSize = 1 << 20;

QString systemError(int code) {
    return QString::fromLocal8Bit(std::strerror(code));
}

// Closes a descriptor on every way out.
class Descriptor {
public:
    explicit Descriptor(int fd)
        : m_fd(fd) {}
    ~Descriptor() {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    Descriptor(const Descriptor &) = delete;
    Descriptor &operator=(const Descriptor &) = delete;
    int get() const { return m_fd; }
    // Closes now, so that a failing close (a late write error) is seen.
    bool close() {
        const int fd = m_fd;
        m_fd = -1;
        return ::close(fd) == 0;
    }

private:
    int m_fd;
};

// Gives `from` the name `to` unless `to` exists. Where the file system cannot
// refuse atomically, a hard link does; where it has none either (FAT), the
// name is checked just before the rename.
bool renameNoReplace(const QByteArray &from, const QByteArray &to) {
    if (::renameat2(AT_FDCWD, from.constData(), AT_FDCWD, to.constData(), RENAME_NOREPLACE) == 0)
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
    return ::rename(from.constData(), to.constData()) == 0;
}

} // namespace

RecordingCopier::RecordingCopier(QObject *parent)
    : QObject(parent) {}

RecordingCopier::~RecordingCopier() {
    cancelAndWait();
}

QString RecordingCopier::destination(const QString &folder, const QString &fileName) {
    return folder + QLatin1Char('/') + fileName;
}

void RecordingCopier::start(const Batch &batch) {
    std::lock_guard<std::mutex> lock(m_mutex);
    if (m_cancelled)
        return;
    m_queue.enqueue(batch);
    if (m_running)
        return; // the running task takes it up when its batch is done
    m_running = true;
    m_future = QtConcurrent::run(QThreadPool::globalInstance(), [this] { runBatches(); });
}

void RecordingCopier::cancelAndWait() {
    m_cancelled = true;
    QFuture<void> running;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_queue.clear();
        running = m_future;
    }
    running.waitForFinished();
}

void RecordingCopier::abandon() {
    cancelAndWait();
    m_cancelled = false;
}

void RecordingCopier::runBatches() {
    for (;;) {
        Batch batch;
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            if (m_queue.isEmpty() || m_cancelled) {
                m_running = false;
                return;
            }
            batch = m_queue.dequeue();
        }
        copyBatch(batch);
    }
}

void RecordingCopier::copyBatch(const Batch &batch) {
    int copied = 0;
    QStringList failedNames;
    for (const FileEntry &entry : batch.entries) {
        if (m_cancelled)
            return; // going away: nobody is left to tell
        qCDebug(lcFiles).noquote() << "copyFunction filePath: ================> " + entry.filePath;
        qCDebug(lcFiles).noquote() << "copyFunction fileName: ================> " + entry.fileName;
        QString error;
        if (copyFile(entry.filePath, destination(batch.folder, entry.fileName), &m_cancelled,
                     &error)) {
            ++copied;
        } else {
            failedNames << entry.fileName;
            qCDebug(lcFiles).noquote() << "copyFunction failed: ================> " + error;
        }
    }
    if (m_cancelled)
        return; // stopped in its last file: no report either
    qCDebug(lcFiles).noquote() << "copyFunction ================> end";
    // The report is emitted from this object's own thread; one still pending
    // when the object goes away is dropped with it. Only the queue under the
    // mutex passes between the threads.
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_reports.enqueue({copied, failedNames});
    }
    QMetaObject::invokeMethod(this, "deliverReports", Qt::QueuedConnection);
}

void RecordingCopier::deliverReports() {
    for (;;) {
        Report report;
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            if (m_reports.isEmpty())
                return;
            report = m_reports.dequeue();
        }
        emit copyFinished(report.copied, report.failedNames.size(), report.failedNames);
    }
}

bool RecordingCopier::copyFile(const QString &source, const QString &target,
                               const std::atomic<bool> *cancelled, QString *error) {
    const auto fail = [&](const QString &why) {
        if (error)
            *error = why;
        return false;
    };
    const QByteArray sourceName = QFile::encodeName(source);
    const QByteArray targetName = QFile::encodeName(target);
    struct stat existing {};
    if (::lstat(targetName.constData(), &existing) == 0)
        return fail(QStringLiteral("%1 already exists").arg(target));

    Descriptor in(::open(sourceName.constData(), O_RDONLY | O_CLOEXEC));
    struct stat sourceStat {};
    if (in.get() < 0 || ::fstat(in.get(), &sourceStat) != 0)
        return fail(QStringLiteral("cannot read %1: %2").arg(source, systemError(errno)));
    if (!S_ISREG(sourceStat.st_mode))
        return fail(QStringLiteral("%1 is not a file").arg(source));

    QByteArray tempName = targetName + ".XXXXXX";
    Descriptor out(::mkostemp(tempName.data(), O_CLOEXEC));
    if (out.get() < 0)
        return fail(QStringLiteral("cannot write in %1: %2")
                        .arg(QFileInfo(target).absolutePath(), systemError(errno)));
    // Like QFile::copy: the copy gets the source's permissions (where the file
    // system keeps any).
    ::fchmod(out.get(), sourceStat.st_mode & 0777);

    QString why;
    std::vector<char> buffer(ChunkSize);
    qint64 total = 0;
    for (;;) {
        if (cancelled && *cancelled) {
            why = QStringLiteral("cancelled");
            break;
        }
        const ssize_t n = ::read(in.get(), buffer.data(), buffer.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            why = QStringLiteral("cannot read %1: %2").arg(source, systemError(errno));
            break;
        }
        if (n == 0)
            break;
        if (!posixio::writeAll(out.get(), buffer.data(), n)) {
            why = QStringLiteral("cannot write %1: %2").arg(target, systemError(errno));
            break;
        }
        total += n;
    }
    struct stat written {};
    if (why.isEmpty() && total != qint64(sourceStat.st_size))
        why = QStringLiteral("%1 changed size while copied (%2 of %3 bytes)")
                  .arg(source)
                  .arg(total)
                  .arg(qint64(sourceStat.st_size));
    if (why.isEmpty() && (::fstat(out.get(), &written) != 0 || written.st_size != total))
        why = QStringLiteral("%1 is short after writing").arg(target);
    if (why.isEmpty() && ::fsync(out.get()) != 0)
        why = QStringLiteral("cannot write %1: %2").arg(target, systemError(errno));
    if (!out.close() && why.isEmpty())
        why = QStringLiteral("cannot write %1: %2").arg(target, systemError(errno));
    if (why.isEmpty() && !renameNoReplace(tempName, targetName))
        why = errno == EEXIST
                  ? QStringLiteral("%1 already exists").arg(target)
                  : QStringLiteral("cannot write %1: %2").arg(target, systemError(errno));
    if (!why.isEmpty()) {
        ::unlink(tempName.constData());
        return fail(why);
    }
    posixio::syncFolder(QFile::encodeName(QFileInfo(target).absolutePath()));
    return true;
}

} // namespace velmora
