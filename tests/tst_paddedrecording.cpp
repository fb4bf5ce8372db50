// The player's view of a recording: one zero byte between an odd-sized "movi"
// list and its index, nothing changed otherwise, whatever the reads.
#include "paddedrecording.h"
#include "recordingwriter.h"
#include "testfiles.h"

#include <QtTest>

using namespace velmora;
using namespace velmora::demo;

namespace {

// Everything read through `file` from `from` in pieces of `piece` bytes.
QByteArray readThrough(PaddedRecording &file, qint64 from, int piece) {
    if (!file.seek(from))
        return "seek failed";
    QByteArray all, buffer(piece, '\0');
    qint64 n;
    while ((n = file.read(buffer.data(), piece)) > 0)
        all.append(buffer.constData(), int(n));
    return n < 0 ? QByteArray("read failed") : all;
}

} // namespace

class PaddedRecordingTest : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;

private slots:
    void readsAsThePlayerNeeds_data() {
        QTest::addColumn<int>("parity");
        QTest::addColumn<bool>("index");
        QTest::newRow("odd list, index") << int(MoviParity::Odd) << true;
        QTest::newRow("even list, index") << int(MoviParity::Even) << true;
        QTest::newRow("odd list, no index") << int(MoviParity::Odd) << false;
    }

    void readsAsThePlayerNeeds() {
        QFETCH(int, parity);
        QFETCH(bool, index);
        const bool padded =
            MoviParity(parity) == MoviParity::Odd && index; // the byte goes before idx1
        RecordingOptions o;
        o.oddBodies = true;
        o.moviParity = MoviParity(parity);
        o.writeIndex = index;
        const QString path = m_dir.filePath(QStringLiteral("R_20261206_101010_D_N.avi"));
        const RecordingResult written = writeRecording(path, o);
        QVERIFY(written.ok);

        QByteArray expected = readAll(path);
        const qint64 listEnd = written.moviOffset + written.moviSize;
        if (padded) {
            QCOMPARE(expected.mid(listEnd, 4), QByteArray("idx1"));
            expected.insert(int(listEnd), '\0');
        }
        PaddedRecording file;
        QVERIFY(file.open(path));
        QCOMPARE(file.insertedAt(), padded ? listEnd : qint64(-1));
        QCOMPARE(file.size(), qint64(expected.size()));
        // Read whole in small and large pieces, and from around the inserted byte.
        for (int piece : {7, 1 << 20})
            QVERIFY2(readThrough(file, 0, piece) == expected, qPrintable(QString::number(piece)));
        for (qint64 from : {listEnd - 3, listEnd, listEnd + 1})
            QVERIFY(from > expected.size() ||
                    readThrough(file, from, 5) == expected.mid(int(from)));
        QVERIFY(!file.seek(expected.size() + 1));
    }

    // Zeros after the RIFF list (a file the camera made room for) are left
    // out, so FFmpeg does not search them; a chunk after it is kept.
    void leavesOutZerosAfterTheRecording() {
        RecordingOptions o;
        o.moviParity = MoviParity::Odd;
        const QString path = m_dir.filePath(QStringLiteral("R_20261206_101011_D_N.avi"));
        QVERIFY(writeRecording(path, o).ok);
        const QByteArray recording = readAll(path);
        for (const QByteArray &after : {QByteArray(1 << 16, '\0'), QByteArray("JUNK\0\0\0\0", 8)}) {
            writeAll(path, recording + after);
            PaddedRecording file;
            QVERIFY(file.open(path));
            QByteArray expected = after.startsWith("JUNK") ? recording + after : recording;
            expected.insert(int(file.insertedAt()), '\0');
            QVERIFY(readThrough(file, 0, 1 << 20) == expected);
        }
    }

    // A damaged header passes through unchanged.
    void passesDamagedFilesThrough() {
        const QByteArray cut = QByteArray("RIFF\x10\0\0\0AVI LIST\xff\xff\xff\x7fhdrl", 24);
        writeAll(m_dir.filePath("cut.avi"), cut);
        PaddedRecording file;
        QVERIFY(file.open(m_dir.filePath("cut.avi")));
        QCOMPARE(file.insertedAt(), qint64(-1));
        QVERIFY(readThrough(file, 0, 100) == cut);
    }
};

QTEST_GUILESS_MAIN(PaddedRecordingTest)
#include "tst_paddedrecording.moc"
