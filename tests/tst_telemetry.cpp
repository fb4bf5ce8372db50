// The telemetry extraction: the RMC decoding of one record, the chunk scan
// over well-formed and damaged recordings (against the whole-file byte search
// it replaced), the worker states and the path rules of FileIO::readfilepath.
#include "fileio.h"
#include "gpsrecord.h"
#include "nmearmc.h"
#include "recordingwriter.h"
#include "referenceextraction.h"
#include "telemetrycompare.h"
#include "telemetryextraction.h"
#include "testfiles.h"

#include <QTemporaryDir>
#include <QThreadPool>
#include <QtTest>

using namespace velmora;
using fixtures::MoviParity;
using fixtures::RecordingOptions;
using testing::telemetryDifference;

Q_DECLARE_METATYPE(velmora::fixtures::RecordingOptions)

namespace {

const QByteArray ExampleSentence =
    "$GPRMC,123519,A,4807.038,N,01131.000,E,022.4,084.4,230394,003.1,W*6A";

QString referenceDifference(const TelemetryExtraction &result, const QString &path) {
    return telemetryDifference(result.telemetry, reference::byteSearchExtraction(path).telemetry);
}

void patch(const QString &path, qint64 offset, const QByteArray &bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadWrite) && file.seek(offset));
    QCOMPARE(file.write(bytes), qint64(bytes.size()));
}

} // namespace

class TelemetryTest : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;

    // Writes a recording with a camera name (the marker follows the channels).
    QString write(const RecordingOptions &options, fixtures::RecordingResult *info = nullptr) {
        const QString path =
            m_dir.filePath(fixtures::cameraFileName(options.drive.start, options.channels));
        const auto result = fixtures::writeRecording(path, options);
        if (!result.ok)
            qWarning("fixture: %s", qPrintable(result.error));
        if (info)
            *info = result;
        return path;
    }

private slots:
    void initTestCase() { QVERIFY(m_dir.isValid()); }

    void decodesRmcSentences_data() {
        QTest::addColumn<QByteArray>("sentence");
        QTest::newRow("GPRMC") << ExampleSentence;
        QTest::newRow("GNRMC") << QByteArray(ExampleSentence).replace("GPRMC", "GNRMC");
    }
    void decodesRmcSentences() {
        QFETCH(QByteArray, sentence);
        QByteArray record(400, '\0');
        record.replace(34, sentence.size(), sentence);
        const auto gio = RmcDecoder().decode(RmcDecoder::sentenceOf(record), 7);
        QVERIFY(gio);
        QCOMPARE(gio->time, 7);
        QCOMPARE(QStringList({gio->lat, gio->lon, gio->ew, gio->speed}),
                 QStringList({"4807.038", "01131.000", "E", "022.4"}));
    }

    // Every prefix of a valid fix: nothing is read past the sentence, and a
    // record comes only once the comma after the speed field is there.
    void shortSentencesAreSafe() {
        const int speedEnd = ExampleSentence.indexOf(",084.4");
        for (int length = 0; length <= ExampleSentence.size(); ++length) {
            // A copy of exactly `length` bytes, so a sanitizer sees any overread.
            const auto gio =
                RmcDecoder().decode(QByteArray(ExampleSentence.constData(), length), 1);
            if (length < 6) // no "GPRMC" yet: a non-RMC second
                QCOMPARE(gio->speed, QStringLiteral("0"));
            else
                QCOMPARE(bool(gio), length > speedEnd);
        }
        // The field holds no NUL: the sentence stops at the end of the field.
        QCOMPARE(RmcDecoder::sentenceOf(QByteArray(400, 'A')).size(), 256);
        QCOMPARE(RmcDecoder::sentenceOf(QByteArray(100, 'x')).size(), 66);
        QVERIFY(RmcDecoder::sentenceOf(QByteArray(10, 'x')).isEmpty());
    }

    // A minute of one channel: every record, GPS seconds 0..59 as the script
    // wrote them, reading a small part of the file.
    void fullMinute() {
        RecordingOptions options;
        options.seconds = 60;
        fixtures::RecordingResult info;
        const QString path = write(options, &info);
        const TelemetryExtraction result = extractTelemetry(path);
        QCOMPARE(result.records, 1800);
        QVERIFY(result.usedIndex);
        QCOMPARE(result.telemetry.magnetic.size(), 1800);
        QCOMPARE(result.telemetry.gio.size(), 60);
        for (int s = 0; s < 60; ++s) {
            const GioData &g = result.telemetry.gio.at(s);
            const auto fix = options.drive.fix(s);
            QCOMPARE(QStringList({QString::number(g.time), g.lat, g.lon, g.ew, g.speed}),
                     QStringList({QString::number(s), fix.lat, fix.lon, fix.ew, fix.speed}));
        }
        QCOMPARE(referenceDifference(result, path), QString());
        QVERIFY2(result.bytesRead < info.fileSize / 10,
                 qPrintable(QString::number(result.bytesRead)));
    }

    // Void fixes leave gaps, non-RMC seconds repeat the kept texts with speed
    // "0" ("0" texts from second 0 on), GNRMC reads like GPRMC.
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
            return testing::record(time, f.lat, f.lon, f.ew,
                                   moving ? f.speed : QStringLiteral("0"));
        };
        const QString zero = QStringLiteral("0");
        const Telemetry expected{result.telemetry.magnetic,
                                 {testing::record(0, zero, zero, zero, zero),
                                  testing::record(2, zero, zero, zero, zero), fix(3, 3),
                                  fix(6, 3, false), fix(7, 7), fix(8, 8)}};
        QCOMPARE(telemetryDifference(result.telemetry, expected), QString());
        QCOMPARE(referenceDifference(result, path), QString());
        // A void first second, then no RMC: empty texts.
        RmcDecoder fresh;
        QVERIFY(!fresh.decode(options.drive.sentence(30), 0));
        QCOMPARE(fresh.decode(options.drive.sentence(60), 1)->lat, QString());
    }

    // Layouts the index and the walk must both read: several channels, no
    // idx1, odd bodies in odd or even data lists, an empty data list, video
    // payload spelling the text id (where the byte search lost records), and
    // a telemetry chunk of another size than 400, which ends the records as in
    // the camera's own reader.
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
        fixtures::RecordingResult info;
        const QString path = write(options, &info);
        if (options.oddBodies)
            QCOMPARE(info.moviSize % 2, options.moviParity == MoviParity::Odd ? 1u : 0u);
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

    // Damaged places are searched past, and an index that disagrees with the
    // file is dropped for the walk.
    void damagedRegions_data() {
        QTest::addColumn<bool>("index");
        QTest::addColumn<int>("place"); // 0 none, 1 "movi", 2 "idx1", 3 the first record
        QTest::addColumn<int>("offset");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("resyncs");
        QTest::addColumn<int>("lost"); // records lost at the start
        QTest::newRow("unknown ids") << false << 0 << 0 << QByteArray() << 2 << 0;
        QTest::newRow("size past the end")
            << false << 1 << 8 << QByteArray("\xf0\xff\xff\x7f", 4) << 1 << 0;
        QTest::newRow("index entry elsewhere")
            << true << 2 << 8 + 16 * 3 + 8 << QByteArray("\x04\0\0\0", 4) << 0 << 0;
        // Whole, but naming the first video chunk as a telemetry chunk.
        QTest::newRow("index names wrong id") << true << 2 << 8 << QByteArray("02tx") << 0 << 0;
        // Found out when the record is read; the walk passes over the chunk.
        QTest::newRow("indexed chunk renamed") << true << 3 << 0 << QByteArray("02tz") << 0 << 1;
    }
    void damagedRegions() {
        QFETCH(bool, index);
        QFETCH(int, place);
        QFETCH(int, offset);
        QFETCH(QByteArray, bytes);
        QFETCH(int, resyncs);
        QFETCH(int, lost);
        RecordingOptions options;
        options.seconds = 5;
        const Telemetry clean = extractTelemetry(write(options)).telemetry;
        options.writeIndex = index;
        if (place == 0)
            options.extraDataChunks = {{40, "zz!!", 96}, {41, "JUNK", 3}};
        fixtures::RecordingResult info;
        const QString path = write(options, &info);
        const qint64 at[] = {0, info.moviOffset, info.indexOffset,
                             readAll(path).indexOf(QByteArray("02tx\x90\x01\0\0", 8))};
        if (place)
            patch(path, at[place] + offset, bytes);
        const TelemetryExtraction result = extractTelemetry(path);
        QVERIFY(!result.usedIndex);
        QCOMPARE(result.resyncs, resyncs);
        QCOMPARE(result.records, 150 - lost);
        // Without a lost record the GPS records agree as well.
        const Telemetry expected{clean.magnetic.mid(lost), lost ? result.telemetry.gio : clean.gio};
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

    // Requests through FileIO: the ASCII path of a file URL comes back and is
    // scanned; no channel marker gives empty lists with state 1; a missing
    // file, no path or a refused path (a space, non-ASCII: "ERROR") leave
    // state 0 and the lists as they were.
    void requests() {
        RecordingOptions options;
        options.seconds = 2;
        const QString recording = write(options);
        const QString noMarker = m_dir.filePath(QStringLiteral("R_20261206_100000_N.avi"));
        const QString spaced = m_dir.filePath(QStringLiteral("R_2026 1206_S_N.avi"));
        const QString accented = m_dir.filePath(QStringLiteral("R_2026é1206_S_N.avi"));
        const QString missing = m_dir.filePath(QStringLiteral("R_gone_S_N.avi"));
        for (const QString &copy : {noMarker, spaced, accented})
            QVERIFY(QFile::copy(recording, copy));
        const struct {
            QString path, answer;
            int state, samples, records;
        } steps[] = {
            {"file://" + recording, recording, 1, 60, 2},
            {noMarker, noMarker, 1, 0, 0},
            {recording, recording, 1, 60, 2},
            {missing, missing, 0, 60, 2},
            {QString(), QString(), 0, 60, 2},
            {"file://" + spaced, "ERROR", 0, 60, 2},
            {accented, "ERROR", 0, 60, 2},
        };
        FileIO file;
        for (const auto &step : steps) {
            QCOMPARE(file.readfilepath(step.path), step.answer);
            QThreadPool::globalInstance()->waitForDone();
            QCOMPARE(file.readProcessState(), step.state);
            QCOMPARE(file.readPOICnt(), step.samples);
            QCOMPARE(file.readGioDataCnt(), step.records);
        }
    }
};

QTEST_GUILESS_MAIN(TelemetryTest)
#include "tst_telemetry.moc"
