// Deleting and copying recordings: no overwritten or partial file, batches that never mix,
// a count of what was copied, copies read back and listed in SHA256SUMS, Cancel, the order
// of the system calls that make a file durable, and the copies' modes. Also run under
// ThreadSanitizer (label "threads").
#include "atomicfile.h"
#include "fileio.h"
#include "posixio.h"
#include "recordingcopier.h"
#include "testfiles.h"

#include <QtTest>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstring>
#include <fcntl.h>
#include <mutex>
#include <sys/stat.h>

namespace {

// A recording of `size` bytes whose content depends on its name.
void writeRecording(const QString &path, int size) {
    QVERIFY(QDir().mkpath(QFileInfo(path).absolutePath()));
    QByteArray block(4093, Qt::Uninitialized);
    const uint seed = qHash(QFileInfo(path).fileName());
    for (int i = 0; i < block.size(); ++i)
        block[i] = char((uint(i) * 2654435761u + seed) >> 13);
    writeAll(path, block.repeated(size / block.size() + 1).left(size));
}

QStringList filesIn(const QString &folder) {
    return QDir(folder).entryList(QDir::Files | QDir::Hidden, QDir::Name);
}

// The system calls of velmora::posixio, replaced for one test: they are
// recorded ("sync file", "drop cache", "read back", "sync folder", "rename")
// and can be made to fail or to hang.
namespace calls {
std::mutex mutex;
std::condition_variable changed;
QStringList made;
int failSyncWith = 0; // errno for a file's fsync, 0 to let it pass
bool corruptWrites = false;
int cancelAtWrite = 0; // the write that cancels the copies of `cancelled`
FileIO *cancelled = nullptr;
std::atomic<int> writes{0};
int holdWrite = 0; // the write that hangs, as on a slow card, until release()
bool held = false;
bool released = false;
int syncedFile = -1; // the descriptor of the file synced last

void record(const QString &call) {
    std::lock_guard<std::mutex> lock(mutex);
    made << call;
}
// Lets the held write go on.
void release() {
    std::lock_guard<std::mutex> lock(mutex);
    released = true;
    changed.notify_all();
}
// True once the held write hangs.
bool waitUntilHeld() {
    std::unique_lock<std::mutex> lock(mutex);
    return changed.wait_for(lock, std::chrono::seconds(10), [] { return held; });
}
int fsync(int fd) {
    struct stat info {};
    const bool folder = ::fstat(fd, &info) == 0 && S_ISDIR(info.st_mode);
    {
        std::lock_guard<std::mutex> lock(mutex);
        made << (folder ? "sync folder" : "sync file");
        if (!folder)
            syncedFile = fd;
    }
    if (!folder && failSyncWith) {
        errno = failSyncWith;
        return -1;
    }
    return ::fsync(fd);
}
// Only a drop of the whole synced file's cache counts as one.
int fadvise(int fd, off_t offset, off_t length, int advice) {
    if (advice == POSIX_FADV_DONTNEED) {
        struct stat info {};
        std::lock_guard<std::mutex> lock(mutex);
        const bool whole =
            offset == 0 && (length == 0 || (::fstat(fd, &info) == 0 && length == info.st_size));
        made << (whole && fd == syncedFile ? "drop cache" : "drop part of a cache");
    }
    return ::posix_fadvise(fd, offset, length, advice);
}
ssize_t pread(int fd, void *data, size_t size, off_t offset) {
    {
        std::lock_guard<std::mutex> lock(mutex);
        const QString call = fd == syncedFile ? "read back" : "read another file";
        if (made.isEmpty() || made.last() != call)
            made << call;
    }
    return ::pread(fd, data, size, offset);
}
ssize_t write(int fd, const void *data, size_t size) {
    const int number = ++writes;
    if (number == cancelAtWrite && cancelled)
        cancelled->fileSaveCancel();
    if (number == holdWrite) {
        std::unique_lock<std::mutex> lock(mutex);
        made << "write hangs";
        held = true;
        changed.notify_all();
        // Let go in the end all the same, so that a copier waiting for it
        // fails the test instead of hanging it.
        changed.wait_for(lock, std::chrono::seconds(30), [] { return released; });
        made << "write returns";
    }
    if (!corruptWrites)
        return ::write(fd, data, size);
    QByteArray changed(static_cast<const char *>(data), int(size));
    changed[0] = char(changed[0] ^ 1);
    return ::write(fd, changed.constData(), size);
}
int rename(const char *from, const char *to) {
    record("rename");
    return ::rename(from, to);
}
int renameNoReplace(const char *from, const char *to) {
    record("rename");
    return velmora::posixio::systemCalls().renameNoReplace(from, to);
}

// Puts these calls in place for its lifetime.
class Replaced {
public:
    Replaced()
        : m_previous(velmora::posixio::replaceCalls({calls::write, calls::fsync, ::fchmod,
                                                     calls::rename, calls::renameNoReplace,
                                                     calls::fadvise, calls::pread})) {
        made.clear();
        failSyncWith = 0;
        corruptWrites = false;
        cancelAtWrite = 0;
        cancelled = nullptr;
        writes = 0;
        holdWrite = 0;
        held = released = false;
        syncedFile = -1;
    }
    ~Replaced() { velmora::posixio::replaceCalls(m_previous); }
    Replaced(const Replaced &) = delete;
    Replaced &operator=(const Replaced &) = delete;

private:
    velmora::posixio::Calls m_previous;
};
} // namespace calls

// What makes a file durable under its name, and what a copy adds to that.
const QStringList durable{"sync file", "rename", "sync folder"};
const QStringList copied{"sync file", "drop cache", "read back", "rename", "sync folder"};

// Runs `sha256sum -c SHA256SUMS` in `folder`: true when every line checks.
bool manifestChecks(const QString &folder) {
    QProcess check;
    check.setWorkingDirectory(folder);
    check.start("sha256sum", {"--strict", "-c", "SHA256SUMS"});
    return check.waitForFinished(30000) && check.exitStatus() == QProcess::NormalExit &&
           check.exitCode() == 0;
}

// The names SHA256SUMS lists in `folder`, in its order.
QStringList manifestNames(const QString &folder) {
    QStringList names;
    for (const QByteArray &line : readAll(folder + "/SHA256SUMS").split('\n'))
        if (!line.isEmpty())
            names << QString::fromUtf8(line.mid(66));
    return names;
}

} // namespace

class FileOperationsTest : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    QString m_card; // the card root, ending in "/"

    // A FileIO whose category 0 lists the recordings `names` of `size` bytes each.
    void makeCard(FileIO &file, const QStringList &names, int size = 64 * 1024) {
        m_card = m_dir.filePath(QStringLiteral("card%1/").arg(++m_cards));
        for (const QString &name : names)
            writeRecording(m_card + "Drive/" + name, size);
        file.setSource(m_card);
        file.fileSearch();
        QCOMPARE(file.readfileCnt(0), names.size());
    }
    QString folder(const QString &name) {
        const QString path = m_dir.filePath(name);
        QDir().mkpath(path);
        return path;
    }
    int m_cards = 0;

private slots:
    void cleanup() { QThreadPool::globalInstance()->waitForDone(); }

    // Rows 3 then 1, as the list panel deletes: just those go; the lists stay till a search.
    void deletingRowsRemovesExactlyThoseFiles() {
        FileIO file;
        makeCard(file, {"R_1_N.avi", "R_2_N.avi", "R_3_N.avi", "R_4_N.avi", "R_5_N.avi"});
        file.fileRemove(0, 3);
        file.fileRemove(0, 1);
        QCOMPARE(filesIn(m_card + "Drive"), QStringList({"R_1_N.avi", "R_3_N.avi", "R_5_N.avi"}));
        QCOMPARE(file.readfileCnt(0), 5);
        // A file already gone, and a row that does not exist: no harm.
        file.fileRemove(0, 3);
        file.fileRemove(0, 9);
        QCOMPARE(filesIn(m_card + "Drive").size(), 3);
    }

    // A batch queued while another copies runs after it with its own entries, folder and counts;
    // an existing file is kept and reported.
    void batchesQueuedWhileCopyingNeverMix() {
        FileIO file;
        makeCard(file, {"R_1_N.avi", "R_2_N.avi", "R_3_N.avi", "R_4_N.avi", "R_5_N.avi"}, 4 << 20);
        const QString first = folder("first");
        const QString second = folder("second");
        writeAll(second + "/R_5_N.avi", "mine");
        QSignalSpy finished(&file, &FileIO::copyFinished);
        for (int row : {4, 3, 2}) // R_1 .. R_3, newest first
            file.fileSave(0, row, first);
        file.fileSaveStart();
        for (int row : {1, 0})
            file.fileSave(0, row, second + "/"); // folder + "/" + name, after a "/" too
        file.fileSaveStart();
        QTRY_COMPARE_WITH_TIMEOUT(finished.size(), 2, 30000);
        QCOMPARE(finished.at(0), QVariantList({3, 0, QStringList()}));
        QCOMPARE(finished.at(1), QVariantList({1, 1, QStringList{"R_5_N.avi"}}));
        QCOMPARE(filesIn(first),
                 QStringList({"R_1_N.avi", "R_2_N.avi", "R_3_N.avi", "SHA256SUMS"}));
        QCOMPARE(filesIn(second), QStringList({"R_4_N.avi", "R_5_N.avi", "SHA256SUMS"}));
        QCOMPARE(readAll(second + "/R_5_N.avi"), QByteArray("mine"));
        QCOMPARE(readAll(second + "/R_4_N.avi"), readAll(m_card + "Drive/R_4_N.avi"));
    }

    // A recording that does not fit leaves nothing behind; the next is still copied.
    void fullDestinationLeavesNoPartialFile() {
        FileIO file;
        makeCard(file, {"R_1_N.avi"});
        writeRecording(m_card + "Drive/R_2_N.avi", 2 << 20);
        file.fileSearch();
        const QString out = folder("full");
        SmallFileSystem small(out, "1m");
        if (!small.mounted())
            QSKIP("needs root to mount a small file system");
        QSignalSpy finished(&file, &FileIO::copyFinished);
        file.fileSave(0, 0, out); // R_2, 2 MiB
        file.fileSave(0, 1, out); // R_1, 64 KiB
        file.fileSaveStart();
        QVERIFY(finished.wait(10000));
        QCOMPARE(finished.first(), QVariantList({1, 1, QStringList{"R_2_N.avi"}}));
        QCOMPARE(filesIn(out), QStringList({"R_1_N.avi", "SHA256SUMS"}));
        QCOMPARE(readAll(out + "/R_1_N.avi"), readAll(m_card + "Drive/R_1_N.avi"));
    }

    // Destroyed mid-batch: only complete copies remain, no temporary file.
    void destructionWhileCopyingLeavesCompleteFilesOnly() {
        QStringList names;
        for (int i = 0; i < 12; ++i)
            names << QStringLiteral("R_%1_N.avi").arg(i, 2, 10, QLatin1Char('0'));
        // In memory where there is one: no sync holds a copy up, the destruction lands mid-copy.
        QTemporaryDir memory(QDir("/dev/shm").exists() ? "/dev/shm/velmora-XXXXXX" : QString());
        const QString out = memory.path();
        QFileSystemWatcher watcher({out});
        QSignalSpy written(&watcher, &QFileSystemWatcher::directoryChanged);
        QString card;
        {
            FileIO file;
            makeCard(file, names, 4 << 20);
            card = m_card;
            for (int i = 0; i < names.size(); ++i)
                file.fileSave(0, i, out);
            file.fileSaveStart();
            QVERIFY(written.wait(10000)); // the first temporary file is there
        }
        QStringList copied = filesIn(out);
        copied.removeOne("SHA256SUMS"); // what was copied before the end, if anything
        QVERIFY(copied.size() < names.size());
        for (const QString &name : copied) {
            QVERIFY2(names.contains(name), qPrintable(name));
            QCOMPARE(readAll(out + "/" + name), readAll(card + "Drive/" + name));
        }
    }

    // Each batch adds the files it copied, and only those, to SHA256SUMS beside the earlier
    // lines; `sha256sum -c` passes on the folder. A copy reading back different from its
    // source is removed and reported.
    void copiesAreVerifiedAndListedInTheManifest() {
        FileIO file;
        makeCard(file, {"R_1_N.avi", "R_2_N.avi", "R_3_N.avi"});
        const QString out = folder("sums");
        writeAll(out + "/R_3_N.avi", "mine");
        writeAll(out + "/notes.txt", "kept");
        writeAll(out + "/SHA256SUMS",
                 QCryptographicHash::hash("kept", QCryptographicHash::Sha256).toHex() +
                     "  notes.txt\n");
        QSignalSpy finished(&file, &FileIO::copyFinished);
        for (int row : {2, 0, 1}) // R_1, R_3 (exists), R_2
            file.fileSave(0, row, out);
        file.fileSaveStart();
        QVERIFY(finished.wait(10000));
        QCOMPARE(finished.last(), QVariantList({2, 1, QStringList{"R_3_N.avi"}}));
        QCOMPARE(manifestNames(out), QStringList({"notes.txt", "R_1_N.avi", "R_2_N.avi"}));
        QVERIFY(manifestChecks(out));

        calls::Replaced replaced;
        calls::corruptWrites = true;
        QFile::remove(out + "/R_1_N.avi");
        file.fileSave(0, 2, out);
        file.fileSaveStart();
        QVERIFY(finished.wait(10000));
        QCOMPARE(finished.last(), QVariantList({0, 1, QStringList{"R_1_N.avi"}}));
        QCOMPARE(filesIn(out), QStringList({"R_2_N.avi", "R_3_N.avi", "SHA256SUMS", "notes.txt"}));
        QCOMPARE(manifestNames(out), QStringList({"notes.txt", "R_1_N.avi", "R_2_N.avi"}));
    }

    // Cancel in the third file: it leaves no partial copy, the two before it are copied and
    // listed, and the report and the last progress say so.
    void cancelStopsInTheCurrentFile() {
        FileIO file;
        makeCard(file, {"R_1_N.avi", "R_2_N.avi", "R_3_N.avi", "R_4_N.avi"}, 300 * 1024);
        const QString out = folder("cancelled");
        calls::Replaced replaced;
        calls::cancelled = &file;
        calls::cancelAtWrite = 3; // one write a file: the third file's
        QSignalSpy finished(&file, &FileIO::copyFinished);
        QSignalSpy progress(&file, &FileIO::copyProgress);
        for (int row : {3, 2, 1, 0})
            file.fileSave(0, row, out);
        file.fileSaveStart();
        QVERIFY(finished.wait(10000));
        QCOMPARE(finished.first(), QVariantList({2, 0, QStringList()}));
        QCOMPARE(filesIn(out), QStringList({"R_1_N.avi", "R_2_N.avi", "SHA256SUMS"}));
        QVERIFY(manifestChecks(out));
        // Reports a moment apart are merged: the totals, and the files done at the end.
        QCOMPARE(progress.first().at(1).toInt(), 4);
        QCOMPARE(progress.first().at(3).toLongLong(), qint64(4 * 300 * 1024));
        QCOMPARE(progress.last().at(0).toInt(), 2);
        // The next batch runs in full.
        file.fileSave(0, 1, out);
        file.fileSaveStart();
        QVERIFY(finished.wait(10000));
        QCOMPARE(finished.last(), QVariantList({1, 0, QStringList()}));
    }

    // A pulled card: abandon() returns while the copy hangs in a write to a slow card. When
    // the write returns, its file is given up without a trace and without a report, the batch
    // queued behind it is dropped, and a batch started afterwards is copied and reported.
    void abandonReturnsWhileAWriteHangs() {
        const QString card = folder("pulled");
        QList<velmora::FileEntry> entries;
        for (const QString name : {"R_1_N.avi", "R_2_N.avi", "R_3_N.avi"}) {
            writeRecording(card + "/" + name, 64 * 1024);
            entries.append({name, QString(), card + "/" + name});
        }
        const QString out = folder("abandoned");
        velmora::RecordingCopier copier;
        QSignalSpy finished(&copier, &velmora::RecordingCopier::copyFinished);
        calls::Replaced replaced;
        calls::holdWrite = 1;
        copier.start({{entries[0]}, out});
        copier.start({{entries[1]}, out});
        QVERIFY(calls::waitUntilHeld());
        copier.abandon();
        calls::record("abandoned");
        copier.start({{entries[2]}, out});
        calls::release();
        QVERIFY(finished.wait(10000));
        QCOMPARE(finished.first(), QVariantList({1, 0, QStringList()}));
        QCOMPARE(filesIn(out), QStringList({"R_3_N.avi", "SHA256SUMS"}));
        QVERIFY(manifestChecks(out));
        QCOMPARE(calls::made,
                 QStringList({"write hangs", "abandoned", "write returns"}) + copied + durable);
    }

    // The data is synced before the rename gives it its name, and the folder after it: in
    // the settings' atomic replace, and in a copy and its manifest. A copy is read back from
    // the disk: its whole cache is dropped after the sync, before the first read.
    void filesAreSyncedBeforeTheirRename() {
        calls::Replaced replaced;
        const QString settings = folder("settings") + "/viewer.ini";
        QVERIFY(velmora::replaceFileAtomically(settings, "a=1\n", nullptr));
        QCOMPARE(calls::made, durable);

        calls::made.clear();
        FileIO file;
        makeCard(file, {"R_1_N.avi"});
        QSignalSpy finished(&file, &FileIO::copyFinished);
        file.fileSave(0, 0, folder("synced"));
        file.fileSaveStart();
        QVERIFY(finished.wait(10000));
        QCOMPARE(calls::made, copied + durable); // the copy, then SHA256SUMS
    }

    // A failing fsync (a card's write error) keeps the old file, leaves no temporary one and
    // is reported; a copy is not made.
    void failedSyncKeepsTheOldFile() {
        calls::Replaced replaced;
        calls::failSyncWith = EIO;
        const QString out = folder("failing");
        writeAll(out + "/viewer.ini", "old\n");
        QString error;
        QVERIFY(!velmora::replaceFileAtomically(out + "/viewer.ini", "new\n", &error));
        QVERIFY2(error.contains(QString::fromLocal8Bit(std::strerror(EIO))), qPrintable(error));
        QCOMPARE(filesIn(out), QStringList{"viewer.ini"});
        QCOMPARE(readAll(out + "/viewer.ini"), QByteArray("old\n"));

        FileIO file;
        makeCard(file, {"R_1_N.avi"});
        QSignalSpy finished(&file, &FileIO::copyFinished);
        file.fileSave(0, 0, out);
        file.fileSaveStart();
        QVERIFY(finished.wait(10000));
        QCOMPARE(finished.first(), QVariantList({0, 1, QStringList{"R_1_N.avi"}}));
        QCOMPARE(filesIn(out), QStringList{"viewer.ini"});
    }

    // A copy keeps its source's mode, whatever the umask.
    void copiesKeepTheSourceMode_data() {
        QTest::addColumn<int>("mask");
        QTest::addColumn<int>("mode");
        for (int mask : {0077, 0})
            for (int mode : {0644, 0640})
                QTest::addRow("umask %03o, mode %03o", mask, mode) << mask << mode;
    }
    void copiesKeepTheSourceMode() {
        QFETCH(int, mask);
        QFETCH(int, mode);
        const QString source = m_dir.filePath(QStringLiteral("mode%1.avi").arg(mode, 0, 8));
        writeRecording(source, 1000);
        QVERIFY(::chmod(QFile::encodeName(source).constData(), mode_t(mode)) == 0);
        const QString target = folder(QStringLiteral("modes%1-%2").arg(mask).arg(mode)) + "/c.avi";
        const mode_t before = ::umask(mode_t(mask));
        QString error;
        const bool copied =
            velmora::RecordingCopier::copyFile(source, target, {}, {}, nullptr, &error);
        ::umask(before);
        QVERIFY2(copied, qPrintable(error));
        struct stat info {};
        QCOMPARE(::stat(QFile::encodeName(target).constData(), &info), 0);
        QCOMPARE(int(info.st_mode & 0777), mode);
    }

    // A folder chosen in a dialog arrives as a URL; the copies and exports
    // need its path, with "%", "#" and spaces as they are on disk.
    void chosenFolderUrlBecomesItsPath_data() {
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<QString>("path");
        QTest::newRow("escaped percent left in") << "file:///home/u/100%25/a%2520b"
                                                 << "/home/u/100%/a%20b";
        QTest::newRow("hash cut off as a fragment") << "file:///home/u/car%23one"
                                                    << "/home/u/car#one";
        QTest::newRow("escaped space left in") << "file:///home/u/my%20videos"
                                               << "/home/u/my videos";
        QTest::newRow("plain path decoded") << "/home/u/100%25 #1"
                                            << "/home/u/100%25 #1";
    }
    void chosenFolderUrlBecomesItsPath() {
        QFETCH(QString, chosen);
        QFETCH(QString, path);
        FileIO file;
        QCOMPARE(file.fileCut(chosen), path);
    }
};

QTEST_GUILESS_MAIN(FileOperationsTest)
#include "tst_fileoperations.moc"
