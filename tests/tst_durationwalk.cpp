// The header walk behind getDuration, on recordings from the fixture writer.
#include "durationwalk.h"
#include "fileio.h"
#include "recordingwriter.h"
#include "testfiles.h"

#include <QBuffer>
#include <QTemporaryDir>
#include <QtTest>
#include <functional>

using velmora::DurationWalk;
using velmora::DurationWalkResult;
using namespace velmora::demo;

using Opts = RecordingOptions;
using Tweak = std::function<void(Opts &)>;
Q_DECLARE_METATYPE(Tweak)

namespace {

RecordingOptions small(int channels, int frames = 900) {
    RecordingOptions o;
    o.channels = channels;
    o.frames = frames;
    o.videoChunkSize = 64;
    return o;
}

QString markerName(int channels) { // "T_..." with the channel marker: a name the walk accepts
    return cameraFileName(DriveScript().start, channels, 'N', 'T');
}

// frames < 0: the header must not match.
void checkWalk(const DurationWalkResult &result, qint64 frames) {
    QCOMPARE(result.headerValid, frames >= 0);
    QCOMPARE(result.frames, qMax<qint64>(0, frames));
    QCOMPARE(result.seconds, float(qMax<qint64>(0, frames) / 30.0));
}

} // namespace

class DurationWalkTest : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;

private slots:
    void walk_data() {
        QTest::addColumn<int>("channels");
        QTest::addColumn<Tweak>("tweak");
        QTest::addColumn<qint64>("frames");
        auto row = [](const char *name, int channels, qint64 frames, Tweak tweak = {}) {
            QTest::newRow(name) << channels << tweak << frames;
        };
        // Valid files of 1 to 3 channels: only the front camera's frames count.
        auto odd = [](MoviParity parity) {
            return [parity](Opts &o) {
                o.oddBodies = true;
                o.moviParity = parity;
            };
        };
        row("odd bodies, odd movi", 3, 900, odd(MoviParity::Odd));
        row("odd bodies, even movi", 2, 900, odd(MoviParity::Even));
        row("no index", 1, 900, [](Opts &o) { o.writeIndex = false; });
        row("text ids in payloads", 1, 900, [](Opts &o) { o.falseTextIdEvery = 7; });
        row("0 frames", 2, 0, [](Opts &o) { o.frames = 0; });
        row("any audio handler", 2, 900, [](Opts &o) { o.audioHandler = "abcd"; });

        // max(1, dwStreams - 2) video lists are expected.
        auto streams = [](qint64 n) { return [n](Opts &o) { o.dwStreamsOverride = n; }; };
        row("3 channels, dwStreams 4", 3, -1, streams(4));
        row("3 channels, dwStreams 6", 3, -1, streams(6));
        row("1 channel, dwStreams 0", 1, 900, streams(0));
        row("1 channel, dwStreams 2", 1, 900, streams(2));
        row("1 channel, dwStreams 0xffffffff", 1, -1, streams(0xffffffff));

        // Header deviations.
        row("video handler hvc1", 2, -1, [](Opts &o) { o.videoHandler = "hvc1"; });
        row("video handler HEV1", 2, -1, [](Opts &o) { o.videoHandler = "HEV1"; });
        row("compression H265", 2, -1, [](Opts &o) { o.videoCompression = "H265"; });
        row("text handler XBLC", 2, -1, [](Opts &o) { o.textHandler = "XBLC"; });
        row("text strf with a body", 2, -1, [](Opts &o) { o.textFormatSize = 4; });
        row("chunk after avih", 2, -1,
            [](Opts &o) { o.extraHeaderChunk = ExtraHeaderChunk::AfterMainHeader; });
        row("chunk before movi", 2, -1,
            [](Opts &o) { o.extraHeaderChunk = ExtraHeaderChunk::BeforeMovi; });

        // The walk stops at an unknown id; known ids of other layouts are skipped.
        auto extra = [](int beforeFrame, const char *id, quint32 statedSize = 0) {
            return [=](Opts &o) { o.extraDataChunks = {{beforeFrame, id, 16, statedSize}}; };
        };
        row("04dc", 3, 300, extra(300, "04dc"));
        row("JUNK", 3, 1, extra(1, "JUNK"));
        row("00DC is not 00dc", 3, 0, extra(0, "00DC"));
        row("05tx is skipped", 3, 900, extra(300, "05tx"));
        row("04wb is skipped", 3, 900, extra(300, "04wb"));
        // A size past the end of the file: the chunk counts, the walk ends there.
        row("00dc past the end", 2, 901, extra(900, "00dc", 0x7ffffff0u));
        row("01dc past the end", 2, 300, extra(300, "01dc", 0xfffffff0u));
    }
    void walk() {
        QFETCH(int, channels);
        QFETCH(Tweak, tweak);
        QFETCH(qint64, frames);
        RecordingOptions o = small(channels);
        if (tweak)
            tweak(o);
        const QString path = m_dir.filePath(markerName(channels));
        const RecordingResult written = writeRecording(path, o);
        QVERIFY2(written.ok, qPrintable(written.error));
        checkWalk(DurationWalk::walkFile(path), frames);
    }

    void onlyT2NamesAreOpened() {
        const QString named = m_dir.filePath("R_20261206_081512_S_N.avi");
        QVERIFY(writeRecording(named, small(1)).ok);
        QVERIFY(!DurationWalk::walkFile(named).opened);
        QCOMPARE(DurationWalk::walkFile(named, DurationWalk::NameGate::Skip).seconds, 30.0f);
        FileIO io;
        QCOMPARE(io.getDuration(named), 0.0f);
        const QString t2 = m_dir.filePath(markerName(1));
        QVERIFY(writeRecording(t2, small(1, 450)).ok);
        QCOMPARE(io.getDuration(t2), 15.0f);
        QCOMPARE(io.getDuration("file://" + t2), 15.0f);
    }

    void aTruncatedDataListCountsTheFramesUpToTheCut() {
        const QString path = m_dir.filePath(markerName(3));
        RecordingOptions o = small(3);
        const RecordingResult full = writeRecording(path, o);
        QVERIFY(full.ok);
        // Frame 500's front video chunk; no payload byte spells a chunk id.
        const QByteArray bytes = readAll(path);
        qint64 frame500 = full.moviOffset;
        for (int n = 0; n <= 500; ++n)
            frame500 = bytes.indexOf("00dc", frame500 + 1);
        QVERIFY(frame500 > 0);
        const QPair<qint64, qint64> cuts[] = {
            {frame500, 500},           // just before frame 500
            {frame500 + 4, 500},       // its id, not its size
            {frame500 + 8, 501},       // a whole chunk header, no body
            {frame500 + 40, 501},      // part of the body
            {full.moviOffset + 4, 0},  // the data list is empty
            {full.moviOffset + 2, -1}, // "movi" itself is cut
            {100, -1},
        };
        for (const auto &cut : cuts) {
            o.truncateAt = cut.first;
            QVERIFY(writeRecording(path, o).ok);
            QCOMPARE(QFileInfo(path).size(), cut.first);
            checkWalk(DurationWalk::walkFile(path), cut.second);
        }
    }

    void damagedInputGivesZero() {
        QVERIFY(!DurationWalk::walkFile(m_dir.filePath("T_2_none_S_.avi")).opened);
        writeAll(m_dir.filePath("T_2_garbage_S_.avi"), QByteArray(5000, '\x5a'));
        checkWalk(DurationWalk::walkFile(m_dir.filePath("T_2_garbage_S_.avi")), -1);

        // The same walk over memory.
        const QString path = m_dir.filePath(markerName(2));
        QVERIFY(writeRecording(path, small(2, 90)).ok);
        QByteArray bytes = readAll(path);
        QBuffer buffer(&bytes);
        QVERIFY(buffer.open(QIODevice::ReadOnly));
        checkWalk(DurationWalk::walkDevice(buffer), 90);
        bytes.replace(0, 4, "RIFX");
        checkWalk(DurationWalk::walkDevice(buffer), -1);
    }
};

QTEST_GUILESS_MAIN(DurationWalkTest)
#include "tst_durationwalk.moc"
