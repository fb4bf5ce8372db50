// The readers of recordings, on recordings from the fixture writer: the header walk
// behind getDuration, the telemetry extraction against the byte search it replaced,
// and FileIO's telemetry requests.
#include "durationwalk.h"
#include "fileio.h"
#include "recordingwriter.h"
#include "referenceextraction.h"
#include "telemetrycompare.h"
#include "telemetryextraction.h"
#include "testfiles.h"

#include <QtTest>
#include <functional>

using namespace velmora;
using namespace velmora::demo;
using testing::telemetryDifference;
using Opts = RecordingOptions;
using Tweak = std::function<void(Opts &)>;

// Bytes patched at `place` (1 movi, 2 idx1, 3 first record) + `offset`.
struct Damage {
    bool index;
    int place, offset;
    QByteArray bytes;
    int resyncs, lost;
};
Q_DECLARE_METATYPE(velmora::demo::RecordingOptions)
Q_DECLARE_METATYPE(Damage)
Q_DECLARE_METATYPE(Tweak)

namespace {

QString referenceDifference(const TelemetryExtraction &result, const QString &path) {
    return telemetryDifference(result.telemetry, reference::byteSearchExtraction(path).telemetry);
}

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

class RecordingReadersTest : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;

    QString write(const RecordingOptions &options, demo::RecordingResult *info = nullptr) {
        const QString path =
            m_dir.filePath(demo::cameraFileName(options.drive.start, options.channels));
        const demo::RecordingResult result = demo::writeRecording(path, options);
        if (info)
            *info = result;
        return result.ok ? path : QString();
    }

private slots:
    // Void fixes leave gaps; non-RMC seconds repeat the kept texts at speed "0"
    // (as the byte search it replaced reads them).
    void gapsAndSentenceKinds() {
        RecordingOptions options;
        options.seconds = 9;
        options.drive.nonRmcSeconds = {0, 2, 6};
        options.drive.voidSeconds = {1, 4, 5};
        options.drive.gnrmcSeconds = {7};
        const QString path = write(options);
        const TelemetryExtraction result = extractTelemetry(path);
        QCOMPARE(result.telemetry.gio.size(), 6); // seconds 0, 2, 3, 6, 7, 8
        QCOMPARE(referenceDifference(result, path), QString());

        // South and west of Greenwich: the letters and the fix's time are kept,
        // and the position reads negative.
        options.drive.startLatitude = -34.6037;
        options.drive.startLongitude = -58.3816;
        const GioData g = extractTelemetry(write(options)).telemetry.gio.value(2);
        QCOMPARE(QStringList({g.ns, g.ew, g.utc, g.date}),
                 QStringList({"S", "W", "081515.00", "061226"}));
        QVERIFY(velmora::latitudeDegrees(g) < -34.6f && velmora::longitudeDegrees(g) < -58.3f);
    }

    // Layouts both the index and the walk read; a text chunk not of 400 bytes ends them.
    void layouts_data() {
        QTest::addColumn<RecordingOptions>("options");
        QTest::addColumn<int>("records");
        auto layout = [](int channels, int frames, bool index,
                         MoviParity parity = MoviParity::Natural) {
            RecordingOptions o;
            o.channels = channels;
            o.frames = frames;
            o.writeIndex = index;
            o.oddBodies = parity != MoviParity::Natural;
            o.moviParity = parity;
            return o;
        };
        QTest::newRow("three, odd movi, idx1") << layout(3, 90, true, MoviParity::Odd) << 90;
        QTest::newRow("two, odd movi, no idx1") << layout(2, 150, false, MoviParity::Odd) << 150;
        RecordingOptions o = layout(1, 300, false);
        o.falseTextIdEvery = 7;
        QTest::newRow("false text ids, no idx1") << o << 300;
        for (bool index : {true, false}) {
            o = layout(1, 60, index);
            o.extraDataChunks = {{5, "02tx", 100}};
            QTest::addRow("ends at 5, %s", index ? "idx1" : "no idx1") << o << 5;
        }
    }
    void layouts() {
        QFETCH(RecordingOptions, options);
        QFETCH(int, records);
        const QString path = write(options);
        const TelemetryExtraction result = extractTelemetry(path);
        QCOMPARE(result.records, records);
        QCOMPARE(result.usedIndex, options.writeIndex);
        QCOMPARE(result.resyncs, 0);
        if (!options.falseTextIdEvery) // the byte search stops at the first false id
            QCOMPARE(referenceDifference(result, path), QString());
    }

    // Damage is searched past; an index that disagrees with the file is dropped.
    void damagedRegions_data() {
        QTest::addColumn<Damage>("damage");
        QTest::newRow("size past the end") << Damage{false, 1, 8, "\xf0\xff\xff\x7f", 1, 0};
        QTest::newRow("index entry elsewhere")
            << Damage{true, 2, 8 + 16 * 3 + 8, QByteArray("\x04\0\0\0", 4), 0, 0};
        // Found out when the record is read; the walk passes over the chunk.
        QTest::newRow("indexed chunk renamed") << Damage{true, 3, 0, "02tz", 0, 1};
    }
    void damagedRegions() {
        QFETCH(Damage, damage);
        RecordingOptions options;
        options.seconds = 5;
        const Telemetry clean = extractTelemetry(write(options)).telemetry;
        options.writeIndex = damage.index;
        demo::RecordingResult info;
        const QString path = write(options, &info);
        const qint64 at[] = {0, info.moviOffset, info.indexOffset,
                             readAll(path).indexOf(QByteArray("02tx\x90\x01\0\0", 8))};
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadWrite) && file.seek(at[damage.place] + damage.offset));
        QCOMPARE(file.write(damage.bytes), qint64(damage.bytes.size()));
        file.close();
        const TelemetryExtraction result = extractTelemetry(path);
        QVERIFY(!result.usedIndex);
        QCOMPARE(result.resyncs, damage.resyncs);
        QCOMPARE(result.records, 150 - damage.lost);
        // Without a lost record the GPS records agree as well.
        const Telemetry expected{
            clean.magnetic.mid(damage.lost), damage.lost ? result.telemetry.gio : clean.gio, {}};
        QCOMPARE(telemetryDifference(result.telemetry, expected), QString());
    }

    // A cut file gives the records before the cut, nothing made up.
    void truncatedFile() {
        RecordingOptions options;
        options.seconds = 4;
        const Telemetry all = extractTelemetry(write(options)).telemetry;
        for (qint64 cut : {300, 200000}) { // in the header, in the data list
            options.truncateAt = cut;
            const QString path = write(options);
            const TelemetryExtraction result = extractTelemetry(path);
            QCOMPARE(result.records, reference::byteSearchExtraction(path).records);
            QVERIFY(result.records < 120);
            QCOMPARE(telemetryDifference({result.telemetry.magnetic, {}, {}},
                                         {all.magnetic.mid(0, result.records), {}, {}}),
                     QString());
        }
    }

    // Path rules; a refused or missing path keeps state 0 and the lists as they
    // were. The queries read the published lists, positions in the camera's
    // unit and speeds in the caller's.
    void requests() {
        RecordingOptions options;
        options.seconds = 6;
        options.drive.voidSeconds = {2};
        options.drive.startLatitude = -33.8688; // south of the equator
        options.drive.impactFrame = 100;
        const QString recording = write(options);
        const QString noMarker = m_dir.filePath("R_20261206_100000_N.avi");
        const QString spaced = m_dir.filePath("R_2026 1206_S_N.avi");
        for (const QString &copy : {noMarker, spaced})
            QVERIFY(QFile::copy(recording, copy));
        const struct {
            QString path, answer;
            int state, samples, records;
        } steps[] = {
            {noMarker, noMarker, 1, 0, 0},
            {"file://" + recording, recording, 1, 180, 5},
            {m_dir.filePath("R_gone_S_N.avi"), m_dir.filePath("R_gone_S_N.avi"), 0, 180, 5},
            {"file://" + spaced, "ERROR", 0, 180, 5},
            {recording, recording, 1, 180, 5},
        };
        FileIO file;
        for (const auto &step : steps) {
            QCOMPARE(file.readfilepath(step.path), step.answer);
            QThreadPool::globalInstance()->waitForDone();
            QCOMPARE(
                QVector<int>({file.readProcessState(), file.readPOICnt(), file.readGioDataCnt()}),
                QVector<int>({step.state, step.samples, step.records}));
        }
        const demo::GpsFixTexts fix = options.drive.fix(3);
        QCOMPARE(QStringList({QString::number(file.readGioDataTime(2)), file.readGioDataLat(2),
                              file.readGioDataLon(2), file.readGiolongitude(2)}),
                 QStringList({"3", fix.lat, fix.lon, fix.ew}));
        file.setGps_speed(1);
        QVERIFY(file.readCurrentSpeed(3, 0).endsWith(" Mi/h"));
        QVERIFY(file.readGioDataInfo(3).endsWith("km/h"));
        QCOMPARE(file.readMagneticDataZ(179), options.drive.sensor(179).z / 1000.0f);

        // For the map and the graph: no position in a void second, one track
        // point per fix, the collision as the peak; the track saved, and a
        // refused save writes nothing.
        const QVariantMap at3 = file.readGioPosition(3);
        QVERIFY(!file.readGioPosition(2)["valid"].toBool() && at3["valid"].toBool());
        QVERIFY(at3["latitude"].toDouble() < -33.8 && at3["longitude"].toDouble() > 11.5);
        QCOMPARE(file.readGioTrack().size(), 5);
        QCOMPARE(file.readPeakIndex(), 100);
        const QString gpx = m_dir.filePath("track.gpx");
        QCOMPARE(file.saveTrack(QUrl::fromLocalFile(gpx).toString(), "GPX"), QString());
        QCOMPARE(readAll(gpx).count("<trkpt lat=\"-33."), 5);
        QVERIFY(!file.saveTrack(m_dir.filePath("no/folder/t.kml"), "kml").isEmpty());
        QVERIFY(!file.saveTrack(gpx, "json").isEmpty());
        QVERIFY(!QFileInfo::exists(m_dir.filePath("no")));
    }

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

QTEST_GUILESS_MAIN(RecordingReadersTest)
#include "tst_telemetry.moc"
