// The header walk behind getDuration, on recordings from the fixture writer.
#include "durationwalk.h"
#include "fileio.h"
#include "recordingwriter.h"
#include "testfiles.h"

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
        // Only the front camera's frames count; odd sizes and no index change nothing.
        row("odd sizes, no index", 3, 900, [](Opts &o) {
            o.oddBodies = true;
            o.moviParity = MoviParity::Odd;
            o.writeIndex = false;
        });
        // A header that does not follow the layout.
        row("dwStreams 4 for 3 channels", 3, -1, [](Opts &o) { o.dwStreamsOverride = 4; });
        row("compression H265", 2, -1, [](Opts &o) { o.videoCompression = "H265"; });
        row("chunk before movi", 2, -1,
            [](Opts &o) { o.extraHeaderChunk = ExtraHeaderChunk::BeforeMovi; });
        // An unknown id ends the walk; a size past the end counts its chunk and ends it.
        row("04dc", 3, 300, [](Opts &o) { o.extraDataChunks = {{300, "04dc", 16}}; });
        row("00dc past the end", 2, 901, [](Opts &o) {
            o.extraDataChunks = {{900, "00dc", 16, 0x7ffffff0u}};
        });
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

    // getDuration opens "T_2" names only, also given as a URL.
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

    // A cut file counts the chunks whose header is whole.
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
            {frame500 + 4, 500},       // its id, not its size
            {frame500 + 40, 501},      // part of the body
            {full.moviOffset + 2, -1}, // "movi" itself is cut
        };
        for (const auto &cut : cuts) {
            o.truncateAt = cut.first;
            QVERIFY(writeRecording(path, o).ok);
            QCOMPARE(QFileInfo(path).size(), cut.first);
            checkWalk(DurationWalk::walkFile(path), cut.second);
        }
    }
};

QTEST_GUILESS_MAIN(DurationWalkTest)
#include "tst_durationwalk.moc"
