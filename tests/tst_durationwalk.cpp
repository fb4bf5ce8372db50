// The header walk behind getDuration, on recordings from the fixture writer.
#include "durationwalk.h"
#include "fileio.h"
#include "recordingwriter.h"

#include <QBuffer>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using velmora::DurationWalk;
using velmora::DurationWalkResult;
using namespace velmora::fixtures;

namespace {

RecordingOptions small(int channels, int frames = 900) {
    RecordingOptions o;
    o.channels = channels;
    o.frames = frames;
    o.videoChunkSize = 64;
    return o;
}

QString markerName(int channels) {
    return cameraFileName(QDateTime(QDate(2026, 12, 6), QTime(8, 15, 12), Qt::UTC), channels, 'N',
                          'T');
}

// File offset of the header of the n-th chunk with `id`, from the index.
qint64 chunkOffset(const QString &path, const RecordingResult &written, const QByteArray &id,
                   int n) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || !file.seek(written.indexOffset + 8))
        return -1;
    for (int i = 0; i < written.indexEntries; ++i) {
        const QByteArray entry = file.read(16);
        if (entry.left(4) == id && n-- == 0)
            return written.moviOffset + qFromLittleEndian<quint32>(entry.constData() + 8);
    }
    return -1;
}

} // namespace

class DurationWalkTest : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;

    DurationWalkResult walk(const RecordingOptions &options, const QString &name = QString()) {
        const QString path = m_dir.filePath(name.isEmpty() ? markerName(options.channels) : name);
        const RecordingResult written = writeRecording(path, options);
        if (!written.ok)
            qWarning("%s", qPrintable(written.error));
        return DurationWalk::walkFile(path);
    }

private slots:
    void validRecordingsCountTheFrontCameraOnly_data() {
        QTest::addColumn<int>("channels");
        QTest::addColumn<bool>("oddBodies");
        QTest::addColumn<int>("parity");
        QTest::newRow("one channel") << 1 << false << int(MoviParity::Natural);
        QTest::newRow("two channels") << 2 << false << int(MoviParity::Natural);
        QTest::newRow("three channels") << 3 << false << int(MoviParity::Natural);
        QTest::newRow("odd bodies, odd movi") << 3 << true << int(MoviParity::Odd);
        QTest::newRow("odd bodies, even movi") << 2 << true << int(MoviParity::Even);
    }
    void validRecordingsCountTheFrontCameraOnly() {
        QFETCH(int, channels);
        QFETCH(bool, oddBodies);
        QFETCH(int, parity);
        RecordingOptions o = small(channels);
        o.oddBodies = oddBodies;
        o.moviParity = MoviParity(parity);
        const DurationWalkResult result = walk(o);
        QVERIFY(result.headerValid);
        QCOMPARE(result.frames, qint64(900));
        QCOMPARE(result.seconds, 30.0f);
    }

    void theNameGateKeepsOtherFilesClosed() {
        const QString named = m_dir.filePath("R_20261206_081512_S_N.avi");
        QVERIFY(writeRecording(named, small(1)).ok);
        const DurationWalkResult gated = DurationWalk::walkFile(named);
        QVERIFY(!gated.opened);
        QCOMPARE(gated.seconds, 0.0f);
        // The tool walks any name.
        QCOMPARE(DurationWalk::walkFile(named, DurationWalk::NameGate::Skip).seconds, 30.0f);

        FileIO io;
        QCOMPARE(io.getDuration(named), 0.0f);
        const QString t2 = m_dir.filePath(markerName(1));
        QVERIFY(writeRecording(t2, small(1, 450)).ok);
        QCOMPARE(io.getDuration(t2), 15.0f);
        QCOMPARE(io.getDuration("file://" + t2), 15.0f);
        QCOMPARE(io.getDuration(m_dir.filePath("T_2_missing_S_.avi")), 0.0f);
    }

    void theStreamCountDecidesHowManyVideoListsAreExpected_data() {
        QTest::addColumn<int>("channels");
        QTest::addColumn<qint64>("dwStreams");
        QTest::addColumn<float>("seconds");
        QTest::newRow("3 channels, dwStreams 4") << 3 << qint64(4) << 0.0f;
        QTest::newRow("3 channels, dwStreams 6") << 3 << qint64(6) << 0.0f;
        QTest::newRow("1 channel, dwStreams 5") << 1 << qint64(5) << 0.0f;
        QTest::newRow("1 channel, dwStreams 0 still one list") << 1 << qint64(0) << 30.0f;
        QTest::newRow("1 channel, dwStreams 2 still one list") << 1 << qint64(2) << 30.0f;
        QTest::newRow("2 channels, dwStreams 4") << 2 << qint64(4) << 30.0f;
        QTest::newRow("1 channel, dwStreams 0xffffffff") << 1 << qint64(0xffffffff) << 0.0f;
    }
    void theStreamCountDecidesHowManyVideoListsAreExpected() {
        QFETCH(int, channels);
        QFETCH(qint64, dwStreams);
        QFETCH(float, seconds);
        RecordingOptions o = small(channels);
        o.dwStreamsOverride = dwStreams;
        QCOMPARE(walk(o).seconds, seconds);
    }

    void headerDeviationsGiveZero_data() {
        QTest::addColumn<QByteArray>("videoHandler");
        QTest::addColumn<QByteArray>("videoCompression");
        QTest::addColumn<QByteArray>("textHandler");
        QTest::addColumn<QByteArray>("audioHandler");
        QTest::addColumn<int>("extraHeaderChunk");
        QTest::addColumn<int>("textFormatSize");
        QTest::addColumn<float>("seconds");
        const QByteArray hev1 = "hev1", xblb = "XBLB", none(4, '\0');
        const int noChunk = int(ExtraHeaderChunk::None);
        QTest::newRow("video handler hvc1")
            << QByteArray("hvc1") << hev1 << xblb << none << noChunk << 0 << 0.0f;
        QTest::newRow("video handler HEV1")
            << QByteArray("HEV1") << hev1 << xblb << none << noChunk << 0 << 0.0f;
        QTest::newRow("compression H265")
            << hev1 << QByteArray("H265") << xblb << none << noChunk << 0 << 0.0f;
        QTest::newRow("text handler XBLC")
            << hev1 << hev1 << QByteArray("XBLC") << none << noChunk << 0 << 0.0f;
        QTest::newRow("any audio handler")
            << hev1 << hev1 << xblb << QByteArray("abcd") << noChunk << 0 << 30.0f;
        QTest::newRow("chunk after avih")
            << hev1 << hev1 << xblb << none << int(ExtraHeaderChunk::AfterMainHeader) << 0 << 0.0f;
        QTest::newRow("chunk before movi")
            << hev1 << hev1 << xblb << none << int(ExtraHeaderChunk::BeforeMovi) << 0 << 0.0f;
        QTest::newRow("text strf with a body")
            << hev1 << hev1 << xblb << none << noChunk << 4 << 0.0f;
    }
    void headerDeviationsGiveZero() {
        QFETCH(QByteArray, videoHandler);
        QFETCH(QByteArray, videoCompression);
        QFETCH(QByteArray, textHandler);
        QFETCH(QByteArray, audioHandler);
        QFETCH(int, extraHeaderChunk);
        QFETCH(int, textFormatSize);
        QFETCH(float, seconds);
        RecordingOptions o = small(2);
        o.videoHandler = videoHandler;
        o.videoCompression = videoCompression;
        o.textHandler = textHandler;
        o.audioHandler = audioHandler;
        o.extraHeaderChunk = ExtraHeaderChunk(extraHeaderChunk);
        o.textFormatSize = quint32(textFormatSize);
        const DurationWalkResult result = walk(o);
        QCOMPARE(result.seconds, seconds);
        QCOMPARE(result.headerValid, seconds > 0);
    }

    void theWalkStopsAtTheFirstOtherId_data() {
        QTest::addColumn<QByteArray>("id");
        QTest::addColumn<int>("beforeFrame");
        QTest::addColumn<qint64>("frames");
        QTest::newRow("04dc") << QByteArray("04dc") << 300 << qint64(300);
        QTest::newRow("06tx") << QByteArray("06tx") << 450 << qint64(450);
        QTest::newRow("JUNK") << QByteArray("JUNK") << 1 << qint64(1);
        QTest::newRow("00DC is not 00dc") << QByteArray("00DC") << 0 << qint64(0);
        // Known ids of other layouts are skipped like the file's own.
        QTest::newRow("05tx is skipped") << QByteArray("05tx") << 300 << qint64(900);
        QTest::newRow("04wb is skipped") << QByteArray("04wb") << 300 << qint64(900);
    }
    void theWalkStopsAtTheFirstOtherId() {
        QFETCH(QByteArray, id);
        QFETCH(int, beforeFrame);
        QFETCH(qint64, frames);
        RecordingOptions o = small(3);
        o.extraDataChunks.append({beforeFrame, id, 16, 0});
        QCOMPARE(walk(o).frames, frames);
    }

    void theEndOfTheFileEndsTheWalk() {
        // No index: the data list runs to the end of the file.
        RecordingOptions o = small(1);
        o.writeIndex = false;
        QCOMPARE(walk(o).seconds, 30.0f);

        // A size past the end: the chunk counts, the walk ends there.
        o = small(2, 600);
        o.extraDataChunks.append({600, "00dc", 10, 0x7ffffff0u});
        DurationWalkResult result = walk(o);
        QCOMPARE(result.frames, qint64(601));
        o.extraDataChunks = {{300, "01dc", 10, 0xfffffff0u}};
        result = walk(o);
        QCOMPARE(result.frames, qint64(300));
    }

    void aTruncatedDataListCountsTheFramesUpToTheCut() {
        const QString path = m_dir.filePath(markerName(3));
        RecordingOptions o = small(3);
        const RecordingResult full = writeRecording(path, o);
        QVERIFY(full.ok);
        const qint64 frame500 = chunkOffset(path, full, "00dc", 500);
        QVERIFY(frame500 > 0);

        struct Cut {
            qint64 at;
            qint64 frames;
        };
        const Cut cuts[] = {
            {frame500, 500},           // just before frame 500
            {frame500 + 4, 500},       // its id, not its size
            {frame500 + 8, 501},       // a whole chunk header, no body
            {frame500 + 40, 501},      // part of the body
            {full.moviOffset + 4, 0},  // the data list is empty
            {full.moviOffset + 2, -1}, // "movi" itself is cut: no valid header
            {100, -1},
        };
        for (const Cut &cut : cuts) {
            o.truncateAt = cut.at;
            const RecordingResult written = writeRecording(path, o);
            QVERIFY(written.ok);
            QCOMPARE(QFileInfo(path).size(), cut.at);
            const DurationWalkResult result = DurationWalk::walkFile(path);
            QCOMPARE(result.headerValid, cut.frames >= 0);
            QCOMPARE(result.frames, qMax<qint64>(0, cut.frames));
            QCOMPARE(result.seconds, float(qMax<qint64>(0, cut.frames) / 30.0));
        }
    }

    void zeroFramesGiveZeroSeconds() {
        const DurationWalkResult result = walk(small(2, 0));
        QVERIFY(result.headerValid);
        QCOMPARE(result.frames, qint64(0));
        QCOMPARE(result.seconds, 0.0f);
    }

    void payloadBytesDoNotMatter() {
        // Chunk bodies that spell a text id are seeked over, never read.
        RecordingOptions o = small(1);
        o.falseTextIdEvery = 7;
        QCOMPARE(walk(o).seconds, 30.0f);
    }

    void damagedInputGivesZero() {
        QCOMPARE(DurationWalk::walkFile(m_dir.filePath("T_2_none_S_.avi")).opened, false);
        QFile garbage(m_dir.filePath("T_2_garbage_S_.avi"));
        QVERIFY(garbage.open(QIODevice::WriteOnly));
        garbage.write(QByteArray(5000, '\x5a'));
        garbage.close();
        QCOMPARE(DurationWalk::walkFile(garbage.fileName()).seconds, 0.0f);

        // The same walk over memory.
        const QString path = m_dir.filePath(markerName(2));
        QVERIFY(writeRecording(path, small(2, 90)).ok);
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QByteArray bytes = file.readAll();
        QBuffer buffer(&bytes);
        QVERIFY(buffer.open(QIODevice::ReadOnly));
        QCOMPARE(DurationWalk::walkDevice(buffer).seconds, 3.0f);
        bytes.replace(0, 4, "RIFX");
        QCOMPARE(DurationWalk::walkDevice(buffer).seconds, 0.0f);
    }
};

QTEST_GUILESS_MAIN(DurationWalkTest)
#include "tst_durationwalk.moc"
