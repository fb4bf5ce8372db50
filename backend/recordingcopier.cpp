#include "recordingcopier.h"

#include "atomicfile.h"
#include "backendlog.h"
#include "posixio.h"

#include <QDebug>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QMetaObject>
#include <QSet>
#include <QThreadPool>
#include <QtConcurrent>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <openssl/evp.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace velmora {

namespace {

constexpr size_t ChunkSize = 1 << 20;
constexpr qint64 WritebackStep = 8 << 20;

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

// SHA-256 through libcrypto, which uses the processor's SHA instructions
// where there are any: the copy must not take longer than a plain copy and a
// `sha256sum` of it.
class Sha256 {
public:
    Sha256()
        : m_context(EVP_MD_CTX_new()) {
        EVP_DigestInit_ex(m_context, EVP_sha256(), nullptr);
    }
    ~Sha256() { EVP_MD_CTX_free(m_context); }
    Sha256(const Sha256 &) = delete;
    Sha256 &operator=(const Sha256 &) = delete;
    void add(const char *data, size_t size) { EVP_DigestUpdate(m_context, data, size); }
    QByteArray hex() {
        unsigned char digest[EVP_MAX_MD_SIZE];
        unsigned int size = 0;
        EVP_DigestFinal_ex(m_context, digest, &size);
        return QByteArray(reinterpret_cast<const char *>(digest), int(size)).toHex();
    }

private:
    EVP_MD_CTX *m_context;
};

// The SHA-256 of what the disk holds for `fd`, not of what the page cache
// keeps of it: the file's cached pages (clean after the sync) are dropped
// before it is read.
bool sha256OnDisk(int fd, std::vector<char> &buffer, const RecordingCopier::StopCheck &stop,
                  QByteArray *hex) {
    posixio::fadvise(fd, 0, 0, POSIX_FADV_DONTNEED);
    posixio::fadvise(fd, 0, 0, POSIX_FADV_SEQUENTIAL);
    Sha256 sum;
    for (off_t at = 0;;) {
        if (stop && stop())
            return false;
        const ssize_t n = posixio::pread(fd, buffer.data(), buffer.size(), at);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return false;
        if (n == 0)
            break;
        sum.add(buffer.data(), size_t(n));
        at += n;
    }
    *hex = sum.hex();
    return true;
}

// The name as a SHA256SUMS line gives it: coreutils marks a line whose name
// holds a backslash or a line break with a leading backslash and escapes them.
QByteArray manifestLine(const QString &name, const QByteArray &sha256) {
    QByteArray encoded = QFile::encodeName(name);
    const bool escaped = encoded.contains('\\') || encoded.contains('\n');
    if (escaped)
        encoded.replace("\\", "\\\\").replace("\n", "\\n");
    return (escaped ? "\\" : "") + sha256 + "  " + encoded + "\n";
}

} // namespace

RecordingCopier::RecordingCopier(QObject *parent)
    : QObject(parent) {
    m_progressTimer.setInterval(100);
    connect(&m_progressTimer, &QTimer::timeout, this, &RecordingCopier::deliverProgress);
}

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
    m_queue.enqueue({batch, m_started++});
    m_progressTimer.start();
    if (m_running)
        return; // the running task takes it up when its batch is done
    m_running = true;
    m_future = QtConcurrent::run(QThreadPool::globalInstance(), [this] { runBatches(); });
}

void RecordingCopier::cancelBatches() {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_cancelBelow = m_started;
}

void RecordingCopier::abandon() {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_queue.clear();
    m_cancelBelow = m_started;
    m_silentBelow = m_started;
    m_progressPending = false;
}

void RecordingCopier::cancelAndWait() {
    QFuture<void> running;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_cancelled = true;
        running = m_future;
    }
    abandon();
    running.waitForFinished();
}

void RecordingCopier::runBatches() {
    for (;;) {
        QueuedBatch batch;
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

void RecordingCopier::copyBatch(const QueuedBatch &queued) {
    const quint64 number = queued.number;
    const auto stop = [this, number] { return number < m_cancelBelow; };
    // Every chunk asks to report; a file's end, and the batch's start, always do.
    QElapsedTimer sinceReport;
    sinceReport.start();
    int reportedFiles = -1;
    const auto progress = [&](const Progress &now) {
        if (now.filesDone == reportedFiles && sinceReport.elapsed() < 100)
            return;
        reportedFiles = now.filesDone;
        sinceReport.restart();
        std::lock_guard<std::mutex> lock(m_mutex);
        if (number < m_silentBelow)
            return;
        m_progress = now;
        m_progressPending = true;
    };
    const auto logged = [](const FileResult &file) {
        if (!file.copied)
            qCDebug(lcFiles).noquote() << "copyFunction failed: ================> " + file.error;
    };
    Outcome outcome = copyNow(queued.batch, stop, progress, logged);
    if (!outcome.manifestError.isEmpty())
        qCWarning(lcFiles).noquote() << outcome.manifestError;
    // The report is emitted from this object's own thread; one still pending
    // when the object goes away is dropped with it. Only the queue under the
    // mutex passes between the threads.
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (number < m_silentBelow)
            return; // abandoned, even if only in its last file: no report
        // Swapped in, so that no list data stays shared with this thread
        // (QQueue copies what it is given).
        m_reports.enqueue(Outcome());
        std::swap(m_reports.last(), outcome);
    }
    qCDebug(lcFiles).noquote() << "copyFunction ================> end";
    QMetaObject::invokeMethod(this, "deliverReports", Qt::QueuedConnection);
}

void RecordingCopier::deliverProgress() {
    Progress now;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (!m_progressPending) {
            if (!m_running && m_queue.isEmpty())
                m_progressTimer.stop();
            return;
        }
        now = m_progress;
        m_progressPending = false;
    }
    emit copyProgress(now.filesDone, now.filesTotal, now.bytesDone, now.bytesTotal);
}

void RecordingCopier::deliverReports() {
    deliverProgress(); // the batch's last figures come before its end
    for (;;) {
        Outcome report;
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            if (m_reports.isEmpty())
                return;
            report = m_reports.dequeue();
        }
        emit copyFinished(report.copied, report.failedNames.size(), report.failedNames);
    }
}

RecordingCopier::Outcome
RecordingCopier::copyNow(const Batch &batch, const StopCheck &stop,
                         const std::function<void(const Progress &)> &progress,
                         const std::function<void(const FileResult &)> &fileDone) {
    Progress now;
    now.filesTotal = batch.entries.size();
    for (const FileEntry &entry : batch.entries)
        now.bytesTotal += QFileInfo(entry.filePath).size();
    if (progress)
        progress(now);

    Outcome outcome;
    QList<FileResult> copied;
    for (const FileEntry &entry : batch.entries) {
        if (stop && stop()) {
            outcome.stopped = true;
            break;
        }
        FileResult file;
        file.name = entry.fileName;
        const qint64 before = now.bytesDone;
        const auto chunk = [&](qint64 bytes) {
            now.bytesDone += bytes;
            file.size += bytes;
            if (progress)
                progress(now);
        };
        file.copied = copyFile(entry.filePath, destination(batch.folder, entry.fileName), stop,
                               chunk, &file.sha256, &file.error);
        if (!file.copied && stop && stop()) {
            outcome.stopped = true; // the file cut short is not a failure
            break;
        }
        // A file that failed counts as done, with the bytes it was to bring.
        now.bytesDone = before + QFileInfo(entry.filePath).size();
        ++now.filesDone;
        if (file.copied) {
            ++outcome.copied;
            copied << file;
        } else {
            outcome.failedNames << file.name;
        }
        if (fileDone)
            fileDone(file);
        if (progress)
            progress(now);
    }
    if (!copied.isEmpty())
        addToManifest(batch.folder, copied, &outcome.manifestError);
    return outcome;
}

bool RecordingCopier::addToManifest(const QString &folder, const QList<FileResult> &files,
                                    QString *error) {
    const QString path = destination(folder, QStringLiteral("SHA256SUMS"));
    // Two copies into one folder at once (the viewer and the tool) take
    // turns: the folder is locked while its list is read and replaced.
    struct FolderLock {
        int fd;
        ~FolderLock() {
            if (fd >= 0)
                ::close(fd); // and with it the lock
        }
    } lock{::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)};
    if (lock.fd >= 0)
        ::flock(lock.fd, LOCK_EX);
    QByteArray lines;
    QFile old(path);
    if (old.exists() && !old.open(QIODevice::ReadOnly)) {
        if (error)
            *error = QStringLiteral("cannot read %1: %2").arg(path, old.errorString());
        return false;
    }
    QSet<QByteArray> added;
    QByteArray fresh;
    for (const FileResult &file : files) {
        if (!file.copied)
            continue;
        const QByteArray line = manifestLine(file.name, file.sha256);
        added.insert(line.mid(line.indexOf("  ") + 2));
        fresh += line;
    }
    // Earlier lines stay, except those of a name listed again.
    while (old.isOpen() && !old.atEnd()) {
        QByteArray line = old.readLine();
        if (!line.endsWith('\n'))
            line += '\n';
        const int space = line.indexOf("  ");
        if (space < 0 || !added.contains(line.mid(space + 2)))
            lines += line;
    }
    return replaceFileAtomically(path, lines + fresh, error);
}

bool RecordingCopier::copyFile(const QString &source, const QString &target, const StopCheck &stop,
                               const std::function<void(qint64)> &copiedBytes, QByteArray *sha256,
                               QString *error) {
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
    posixio::fadvise(in.get(), 0, 0, POSIX_FADV_SEQUENTIAL);

    QByteArray tempName = targetName + ".XXXXXX";
    Descriptor out(::mkostemp(tempName.data(), O_CLOEXEC));
    if (out.get() < 0)
        return fail(QStringLiteral("cannot write in %1: %2")
                        .arg(QFileInfo(target).absolutePath(), systemError(errno)));
    // Like QFile::copy: the copy gets the source's permissions (where the file
    // system keeps any), whatever the umask.
    posixio::fchmod(out.get(), sourceStat.st_mode & 0777);

    const auto cancelled = [&] { return stop && stop(); };
    QString why;
    std::vector<char> buffer(ChunkSize);
    Sha256 sum;
    qint64 total = 0;
    qint64 handedToDisk = 0;
    for (;;) {
        if (cancelled()) {
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
        sum.add(buffer.data(), size_t(n));
        if (!posixio::writeAll(out.get(), buffer.data(), n)) {
            why = QStringLiteral("cannot write %1: %2").arg(target, systemError(errno));
            break;
        }
        total += n;
        // The disk starts writing behind the copy rather than all at the sync.
        if (total - handedToDisk >= WritebackStep) {
            ::sync_file_range(out.get(), handedToDisk, total - handedToDisk, SYNC_FILE_RANGE_WRITE);
            handedToDisk = total;
        }
        if (copiedBytes)
            copiedBytes(n);
    }
    struct stat written {};
    if (why.isEmpty() && total != qint64(sourceStat.st_size))
        why = QStringLiteral("%1 changed size while copied (%2 of %3 bytes)")
                  .arg(source)
                  .arg(total)
                  .arg(qint64(sourceStat.st_size));
    if (why.isEmpty() && (::fstat(out.get(), &written) != 0 || written.st_size != total))
        why = QStringLiteral("%1 is short after writing").arg(target);
    if (why.isEmpty() && posixio::fsync(out.get()) != 0)
        why = QStringLiteral("cannot write %1: %2").arg(target, systemError(errno));
    const QByteArray expected = why.isEmpty() ? sum.hex() : QByteArray();
    QByteArray onDisk;
    if (why.isEmpty() && !sha256OnDisk(out.get(), buffer, stop, &onDisk))
        why = cancelled()
                  ? QStringLiteral("cancelled")
                  : QStringLiteral("cannot read back %1: %2").arg(target, systemError(errno));
    if (why.isEmpty() && onDisk != expected)
        why = QStringLiteral("%1 reads back different from %2 (SHA-256 %3, not %4)")
                  .arg(target, source, QString::fromLatin1(onDisk), QString::fromLatin1(expected));
    if (!out.close() && why.isEmpty())
        why = QStringLiteral("cannot write %1: %2").arg(target, systemError(errno));
    if (why.isEmpty() && !posixio::renameNoReplace(tempName, targetName))
        why = errno == EEXIST
                  ? QStringLiteral("%1 already exists").arg(target)
                  : QStringLiteral("cannot write %1: %2").arg(target, systemError(errno));
    if (!why.isEmpty()) {
        ::unlink(tempName.constData());
        return fail(why);
    }
    posixio::syncFolder(QFile::encodeName(QFileInfo(target).absolutePath()));
    if (sha256)
        *sha256 = expected;
    return true;
}

} // namespace velmora
