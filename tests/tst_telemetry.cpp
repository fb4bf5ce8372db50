// The telemetry extraction against the byte search it replaced, and FileIO's requests.
#include "fileio.h"
#include "gpsrecord.h"
#include "nmearmc.h"
#include "recordingwriter.h"
#include "referenceextraction.h"
#include "telemetrycompare.h"
#include "telemetryextraction.h"
#include "telemetryqueries.h"
#include "testfiles.h"

#include <QTemporaryDir>
#include <QThreadPool>
#include <QtTest>

using namespace velmora;
using demo::MoviParity;
using demo::RecordingOptions;
using testing::telemetryDifference;

// Bytes patched at `place` (0 none, 1 movi, 2 idx1, 3 first record) + `offset`.
struct Damage {
    bool index;
    int place, offset;
    QByteArray bytes;
    int resyncs, lost;
};
Q_DECLARE_METATYPE(velmora::demo::RecordingOptions)
Q_DECLARE_METATYPE(Damage)

namespace {

const QByteArray ExampleSentence =
    "$GPRMC,123519,A,4807.038,N,01131.000,E,022.4,084.4,230394,003.1,W*6A";

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
        const auto result = demo::writeRecording(path, options);
        if (!result.ok)
            qWarning("fixture: %s", qPrintable(result.error));
        if (info)
            *info = result;
        return path;
    }

private slots:
    void initTestCase() { QVERIFY(m_dir.isValid()); }

    // No read past a short sentence (exact-length copies for the sanitizers).
    void shortSentencesAreSafe() {
        const int speedEnd = ExampleSentence.indexOf(",084.4");
        for (int length = 0; length <= ExampleSentence.size(); ++length) {
            const auto gio =
                RmcDecoder().decode(QByteArray(ExampleSentence.constData(), length), 1);
            if (length < 6) // no "GPRMC" yet: a non-RMC second
                QCOMPARE(gio->speed, QStringLiteral("0"));
            else
                QCOMPARE(bool(gio), length > speedEnd);
        }
        QCOMPARE(RmcDecoder::sentenceOf(QByteArray(400, 'A')).size(), 256);
        QCOMPARE(RmcDecoder::sentenceOf(QByteArray(100, 'x')).size(), 66);
        QVERIFY(RmcDecoder::sentenceOf(QByteArray(10, 'x')).isEmpty());
    }

    // A minute of one channel through the index, reading a small part of the file.
    void fullMinute() {
        RecordingOptions options;
        options.seconds = 60;
        demo::RecordingResult info;
        const QString path = write(options, &info);
        const TelemetryExtraction result = extractTelemetry(path);
        QCOMPARE(result.records, 1800);
        QVERIFY(result.usedIndex);
        QCOMPARE(referenceDifference(result, path), QString());
        QVERIFY2(result.bytesRead < info.fileSize / 10,
                 qPrintable(QString::number(result.bytesRead)));
    }
    // Void fixes leave gaps; non-RMC seconds repeat the kept texts at speed "0".
    void gapsAndSentenceKinds() {
        RecordingOptions options;
        options.seconds = 9;
        options.drive.nonRmcSeconds = {0, 2, 6};
        options.drive.voidSeconds = {1, 4, 5};
        options.drive.gnrmcSeconds = {7};
        const QString path = write(options);
        const TelemetryExtraction result = extractTelemetry(path);
        auto fix = [&options](int time, int second, bool moving = true) {
            const auto f = options.drive.fix(second);
            return testing::record(time, f.lat, f.lon, f.ew, moving ? f.speed : "0");
        };
        const Telemetry expected{result.telemetry.magnetic,
                                 {testing::record(0, "0", "0", "0", "0"),
                                  testing::record(2, "0", "0", "0", "0"), fix(3, 3),
                                  fix(6, 3, false), fix(7, 7), fix(8, 8)}};
        QCOMPARE(telemetryDifference(result.telemetry, expected), QString());
        QCOMPARE(referenceDifference(result, path), QString());
        // A void first second, then no RMC: empty texts.
        RmcDecoder fresh;
        QVERIFY(!fresh.decode(options.drive.sentence(30), 0));
        QCOMPARE(fresh.decode(options.drive.sentence(60), 1)->lat, QString());
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
        QTest::newRow("three channels") << layout(3, 90, true) << 90;
        QTest::newRow("empty data list") << layout(3, 0, true) << 0;
        QTest::newRow("two, no idx1") << layout(2, 150, false) << 150;
        for (bool index : {true, false}) {
            const char *idx1 = index ? "idx1" : "no idx1";
            QTest::addRow("odd movi, %s", idx1) << layout(2, 150, index, MoviParity::Odd) << 150;
            QTest::addRow("even movi, %s", idx1) << layout(2, 150, index, MoviParity::Even) << 150;
            RecordingOptions o = layout(1, 300, index);
            o.falseTextIdEvery = 7;
            QTest::addRow("false text id, %s", idx1) << o << 300;
            for (int frame : {0, 5}) {
                o = layout(1, 60, index);
                o.extraDataChunks = {{frame, "02tx", 100}};
                QTest::addRow("ends at %d, %s", frame, idx1) << o << frame;
            }
        }
    }
    void layouts() {
        QFETCH(RecordingOptions, options);
        QFETCH(int, records);
        const QString path = write(options);
        const TelemetryExtraction result = extractTelemetry(path);
        QCOMPARE(result.status, TelemetryExtraction::Status::Done);
        QCOMPARE(result.records, records);
        QCOMPARE(result.telemetry.gio.size(), (records + 29) / 30);
        QCOMPARE(result.usedIndex, options.writeIndex);
        QCOMPARE(result.resyncs, 0);
        if (options.falseTextIdEvery)
            QVERIFY(reference::byteSearchExtraction(path).records < records); // the old fault
        else
            QCOMPARE(referenceDifference(result, path), QString());
    }

    // Damage is searched past; an index that disagrees with the file is dropped.
    void damagedRegions_data() {
        QTest::addColumn<Damage>("damage");
        QTest::newRow("unknown ids") << Damage{false, 0, 0, {}, 2, 0};
        QTest::newRow("size past the end") << Damage{false, 1, 8, "\xf0\xff\xff\x7f", 1, 0};
        QTest::newRow("index entry elsewhere")
            << Damage{true, 2, 8 + 16 * 3 + 8, QByteArray("\x04\0\0\0", 4), 0, 0};
        // Whole, but naming the first video chunk as a telemetry chunk.
        QTest::newRow("index names wrong id") << Damage{true, 2, 8, "02tx", 0, 0};
        // Found out when the record is read; the walk passes over the chunk.
        QTest::newRow("indexed chunk renamed") << Damage{true, 3, 0, "02tz", 0, 1};
    }
    void damagedRegions() {
        QFETCH(Damage, damage);
        RecordingOptions options;
        options.seconds = 5;
        const Telemetry clean = extractTelemetry(write(options)).telemetry;
        options.writeIndex = damage.index;
        if (damage.place == 0)
            options.extraDataChunks = {{40, "zz!!", 96}, {41, "JUNK", 3}};
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
        for (qint64 cut : {300, 5000, 200000, 407777}) {
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
    // were. The queries read the published lists; a new one drops the current record.
    void requests() {
        RecordingOptions options;
        options.seconds = 6;
        options.drive.voidSeconds = {2};
        const QString recording = write(options);
        const QString noMarker = m_dir.filePath("R_20261206_100000_N.avi");
        const QString spaced = m_dir.filePath("R_2026 1206_S_N.avi");
        const QString accented = m_dir.filePath(QStringLiteral("R_2026é1206_S_N.avi"));
        for (const QString &copy : {noMarker, spaced, accented})
            QVERIFY(QFile::copy(recording, copy));
        const struct {
            QString path, answer;
            int state, samples, records;
        } steps[] = {
            {"file://" + recording, recording, 1, 180, 5},
            {noMarker, noMarker, 1, 0, 0},
            {recording, recording, 1, 180, 5},
            {m_dir.filePath("R_gone_S_N.avi"), m_dir.filePath("R_gone_S_N.avi"), 0, 180, 5},
            {QString(), QString(), 0, 180, 5},
            {"file://" + spaced, "ERROR", 0, 180, 5},
            {accented, "ERROR", 0, 180, 5},
            {recording, recording, 1, 180, 5},
        };
        FileIO file;
        QCOMPARE(QVector<float>(
                     {file.readMagneticDataY(0), file.readGioDataLat1(0), file.readGioDataLon1()}),
                 QVector<float>({0.0f, DefaultLatitude, DefaultLongitude}));
        for (const auto &step : steps) {
            QCOMPARE(file.readfilepath(step.path), step.answer);
            QThreadPool::globalInstance()->waitForDone();
            QCOMPARE(
                QVector<int>({file.readProcessState(), file.readPOICnt(), file.readGioDataCnt()}),
                QVector<int>({step.state, step.samples, step.records}));
        }
        QCOMPARE(file.readGioDataTime(2), 3);
        const demo::GpsFixTexts fix = options.drive.fix(3);
        QCOMPARE(
            QStringList({file.readGioDataLat(2), file.readGioDataLon(2), file.readGiolongitude(2)}),
            QStringList({fix.lat, fix.lon, fix.ew}));
        QCOMPARE(file.readCurrentSpeed(2, 1), QString());
        file.setGps_speed(1); // the position text takes the camera's unit, the speed the caller's
        QVERIFY(file.readCurrentSpeed(3, 0).endsWith(" Mi/h"));
        QVERIFY(file.readGioDataInfo(3).endsWith("km/h"));
        file.setGps_speed(0);
        QVERIFY(file.readGioDataInfo(3).endsWith("mi/h"));
        QVERIFY(qAbs(file.readGioDataLat1(3) - options.drive.latitude(3)) < 1e-4);
        QVERIFY(qAbs(file.readGioDataLon1() - options.drive.longitude(3)) < 1e-4);
        const demo::SensorSample last = options.drive.sensor(179);
        QCOMPARE(QVector<float>({file.readMagneticDataX(5000), file.readMagneticDataY(180),
                                 file.readMagneticDataZ(179)}),
                 QVector<float>({last.x / 1000.0f, last.y / 1000.0f, last.z / 1000.0f}));
        QVERIFY(qAbs(file.readGioDataLat1(75) - options.drive.latitude(3)) < 1e-4);
        file.readfilepath(noMarker);
        QThreadPool::globalInstance()->waitForDone();
        QCOMPARE(file.readGioDataLat1(75), DefaultLatitude);
    }
};

QTEST_GUILESS_MAIN(TelemetryTest)
#include "tst_telemetry.moc"
