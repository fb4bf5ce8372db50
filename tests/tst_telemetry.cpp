// The telemetry extraction against the byte search it replaced, and FileIO's requests.
#include "fileio.h"
#include "recordingwriter.h"
#include "referenceextraction.h"
#include "telemetrycompare.h"
#include "telemetryextraction.h"
#include "testfiles.h"

#include <QtTest>

using namespace velmora;
using demo::MoviParity;
using demo::RecordingOptions;
using testing::telemetryDifference;

// Bytes patched at `place` (1 movi, 2 idx1, 3 first record) + `offset`.
struct Damage {
    bool index;
    int place, offset;
    QByteArray bytes;
    int resyncs, lost;
};
Q_DECLARE_METATYPE(velmora::demo::RecordingOptions)
Q_DECLARE_METATYPE(Damage)

namespace {

QString referenceDifference(const TelemetryExtraction &result, const QString &path) {
    return telemetryDifference(result.telemetry, reference::byteSearchExtraction(path).telemetry);
}

} // namespace

class TelemetryTest : public QObject {
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
        const Telemetry expected{clean.magnetic.mid(damage.lost),
                                 damage.lost ? result.telemetry.gio : clean.gio};
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
            QCOMPARE(telemetryDifference({result.telemetry.magnetic, {}},
                                         {all.magnetic.mid(0, result.records), {}}),
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
    }
};

QTEST_GUILESS_MAIN(TelemetryTest)
#include "tst_telemetry.moc"
