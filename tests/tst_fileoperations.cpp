// Deleting and copying recordings: no overwritten or partial file, batches that never mix,
// a count of what was copied. Also run under ThreadSanitizer (label "threads").
#include "fileio.h"
#include "testfiles.h"

#include <QtTest>

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
        QCOMPARE(filesIn(first), QStringList({"R_1_N.avi", "R_2_N.avi", "R_3_N.avi"}));
        QCOMPARE(filesIn(second), QStringList({"R_4_N.avi", "R_5_N.avi"}));
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
        QCOMPARE(filesIn(out), QStringList{"R_1_N.avi"});
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
        const QStringList copied = filesIn(out);
        QVERIFY(copied.size() < names.size());
        for (const QString &name : copied) {
            QVERIFY2(names.contains(name), qPrintable(name));
            QCOMPARE(readAll(out + "/" + name), readAll(card + "Drive/" + name));
        }
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
