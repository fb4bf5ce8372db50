// The telemetry extraction: the RMC decoding of one record, the chunk scan
// over well-formed and damaged recordings (against the whole-file byte search
// it replaced), and the path rules of FileIO::readfilepath.
#include "fileio.h"
#include "nmearmc.h"
#include "recordingwriter.h"
#include "referenceextraction.h"
#include "telemetrycompare.h"
#include "telemetryextraction.h"
#include "telemetryextractor.h"

#include <QFile>
#include <QTemporaryDir>
#include <QThreadPool>
#include <QtTest>

using namespace velmora;
using fixtures::RecordingOptions;

namespace {

const QByteArray ExampleSentence =
    "$GPRMC,123519,A,4807.038,N,01131.000,E,022.4,084.4,230394,003.1,W*6A";

QByteArray recordWith(const QByteArray &sentence) {
    QByteArray record(400, '\0');
    record.replace(34, sentence.size(), sentence);
    return record;
}

} // namespace

class TelemetryTest : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;

    // Writes a recording into the test folder; `channels` picks the marker.
    QString write(const QString &name, const RecordingOptions &options,
                  fixtures::RecordingResult *info = nullptr) {
        const QString path = m_dir.filePath(name);
        const auto result = fixtures::writeRecording(path, options);
        if (!result.ok)
            qWarning("fixture %s: %s", qPrintable(name), qPrintable(result.error));
        if (info)
            *info = result;
        return path;
    }

    static TelemetryExtraction extract(const QString &path) {
        TelemetryExtraction result = extractTelemetry(path);
        if (result.status != TelemetryExtraction::Status::Done)
            qWarning("extraction of %s did not finish", qPrintable(path));
        return result;
    }

    static void patch(const QString &path, qint64 offset, const QByteArray &bytes) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadWrite));
        QVERIFY(file.seek(offset));
        QCOMPARE(file.write(bytes), qint64(bytes.size()));
    }

private slots:
    void initTestCase() { QVERIFY(m_dir.isValid()); }

    // ---- the decoding of one record ----

    void decodesRmcSentences_data() {
        QTest::addColumn<QByteArray>("sentence");
        QTest::newRow("GPRMC") << ExampleSentence;
        QTest::newRow("GNRMC") << QByteArray(ExampleSentence).replace("GPRMC", "GNRMC");
    }
    void decodesRmcSentences() {
        QFETCH(QByteArray, sentence);
        RmcDecoder decoder;
        const auto gio = decoder.decode(RmcDecoder::sentenceOf(recordWith(sentence)), 7);
        QVERIFY(gio);
        QCOMPARE(gio->time, 7);
        QCOMPARE(gio->lat, QStringLiteral("4807.038"));
        QCOMPARE(gio->lon, QStringLiteral("01131.000"));
        QCOMPARE(gio->ew, QStringLiteral("E"));
        QCOMPARE(gio->speed, QStringLiteral("022.4"));
    }

    // Void fixes give nothing and keep the texts; seconds without RMC repeat
    // the kept texts with speed "0", or "0" texts from second 0 on.
    void keptTextsAcrossSeconds() {
        const QByteArray gga = "$GPGGA,123519,4807.038,N,01131.000,E,1,08,0.9,545.4,M,46.9,M,,*47";
        const QByteArray voidFix = "$GPRMC,123520,V,,,,,,,230394,,,N*53";
        {
            RmcDecoder decoder;
            const auto first = decoder.decode(gga, 0);
            QVERIFY(first);
            QCOMPARE(first->lat, QStringLiteral("0"));
            QCOMPARE(first->lon, QStringLiteral("0"));
            QCOMPARE(first->ew, QStringLiteral("0"));
            QCOMPARE(first->speed, QStringLiteral("0"));
            QVERIFY(!decoder.decode(voidFix, 1));
            QCOMPARE(decoder.decode(gga, 2)->lat, QStringLiteral("0"));
            QVERIFY(decoder.decode(ExampleSentence, 3));
            QVERIFY(!decoder.decode(voidFix, 4));
            const auto repeated = decoder.decode(gga, 5);
            QCOMPARE(repeated->time, 5);
            QCOMPARE(repeated->lat, QStringLiteral("4807.038"));
            QCOMPARE(repeated->lon, QStringLiteral("01131.000"));
            QCOMPARE(repeated->ew, QStringLiteral("E"));
            QCOMPARE(repeated->speed, QStringLiteral("0"));
        }
        {
            // A void first second, then no RMC: empty positions.
            RmcDecoder decoder;
            QVERIFY(!decoder.decode(voidFix, 0));
            const auto gio = decoder.decode(gga, 1);
            QVERIFY(gio);
            QVERIFY(gio->lat.isEmpty() && gio->lon.isEmpty() && gio->ew.isEmpty());
            QCOMPARE(gio->speed, QStringLiteral("0"));
        }
    }

    // Every prefix of a valid fix: nothing is read past the sentence, and a
    // record comes only once the comma after the speed field is there.
    void shortSentencesAreSafe() {
        const int speedEnd = ExampleSentence.indexOf(",084.4");
        for (int length = 0; length <= ExampleSentence.size(); ++length) {
            RmcDecoder decoder;
            // A copy of exactly `length` bytes, so a sanitizer sees any overread.
            const QByteArray prefix(ExampleSentence.constData(), length);
            const auto gio = decoder.decode(prefix, 1);
            if (length < 6) // no "GPRMC" yet: a non-RMC second
                QCOMPARE(gio->speed, QStringLiteral("0"));
            else
                QCOMPARE(bool(gio), length > speedEnd);
        }
        // The field holds no NUL: the sentence stops at the end of the field.
        QByteArray full(400, 'A');
        QCOMPARE(RmcDecoder::sentenceOf(full).size(), 256);
        QCOMPARE(RmcDecoder::sentenceOf(QByteArray(100, 'x')).size(), 66);
        QVERIFY(RmcDecoder::sentenceOf(QByteArray(10, 'x')).isEmpty());
    }

    // ---- the scan over generated recordings ----

    // A minute of single-channel recording: every record, GPS seconds 0..59,
    // as the script wrote them and as the byte search finds them.
    void fullMinute() {
        RecordingOptions options;
        options.seconds = 60;
        fixtures::RecordingResult info;
        const QString path = write(QStringLiteral("R_20261206_081512_S_N.avi"), options, &info);
        const TelemetryExtraction result = extract(path);
        QCOMPARE(result.records, 1800);
        QVERIFY(result.usedIndex);
        QCOMPARE(result.telemetry.magnetic.size(), 1800);
        QCOMPARE(result.telemetry.gio.size(), 60);
        for (int s = 0; s < 60; ++s) {
            const GioData &gio = result.telemetry.gio.at(s);
            const auto fix = options.drive.fix(s);
            QCOMPARE(gio.time, s);
            QCOMPARE(gio.lat, fix.lat);
            QCOMPARE(gio.lon, fix.lon);
            QCOMPARE(gio.ew, fix.ew);
            QCOMPARE(gio.speed, fix.speed);
        }
        for (int f : {0, 1, 29, 30, 1799}) {
            const auto sample = options.drive.sensor(f);
            QCOMPARE(result.telemetry.magnetic.at(f).x, float(sample.x) / 1000.0f);
            QCOMPARE(result.telemetry.magnetic.at(f).y, float(sample.y) / 1000.0f);
            QCOMPARE(result.telemetry.magnetic.at(f).z, float(sample.z) / 1000.0f);
        }
        const auto reference = reference::byteSearchExtraction(path);
        QCOMPARE(testing::telemetryDifference(result.telemetry, reference.telemetry), QString());
        // Headers, index and records only: a small part of the file.
        QVERIFY2(result.bytesRead < info.fileSize / 10,
                 qPrintable(QString::number(result.bytesRead)));
    }

    void channelMarkers_data() {
        QTest::addColumn<int>("channels");
        QTest::addColumn<QString>("name");
        QTest::newRow("two") << 2 << "R_20261206_081512_D_N.avi";
        QTest::newRow("three") << 3 << "R_20261206_081512_T_E.avi";
    }
    void channelMarkers() {
        QFETCH(int, channels);
        QFETCH(QString, name);
        RecordingOptions options;
        options.channels = channels;
        options.seconds = 3;
        const QString path = write(name, options);
        const TelemetryExtraction result = extract(path);
        QCOMPARE(result.records, 90);
        QCOMPARE(testing::telemetryDifference(result.telemetry,
                                              reference::byteSearchExtraction(path).telemetry),
                 QString());
    }

    // Void fixes leave gaps; GGA seconds repeat the position with speed "0";
    // GNRMC reads like GPRMC.
    void gapsAndSentenceKinds() {
        RecordingOptions options;
        options.seconds = 40;
        options.drive.voidSeconds = {10, 11, 12};
        options.drive.nonRmcSeconds = {20, 21};
        options.drive.gnrmcSeconds = {30, 31, 32};
        const QString path = write(QStringLiteral("R_20261206_090000_S_N.avi"), options);
        const Telemetry telemetry = extract(path).telemetry;
        QCOMPARE(telemetry.magnetic.size(), 1200);
        QCOMPARE(telemetry.gio.size(), 37);
        QCOMPARE(telemetry.gio.at(9).time, 9);
        QCOMPARE(telemetry.gio.at(10).time, 13); // positions no longer equal seconds
        const GioData &gga = telemetry.gio.at(20 - 3);
        QCOMPARE(gga.time, 20);
        QCOMPARE(gga.lat, options.drive.fix(19).lat);
        QCOMPARE(gga.lon, options.drive.fix(19).lon);
        QCOMPARE(gga.speed, QStringLiteral("0"));
        const GioData &gn = telemetry.gio.at(31 - 3);
        QCOMPARE(gn.time, 31);
        QCOMPARE(gn.lat, options.drive.fix(31).lat);
        QCOMPARE(gn.speed, options.drive.fix(31).speed);
        QCOMPARE(testing::telemetryDifference(telemetry,
                                              reference::byteSearchExtraction(path).telemetry),
                 QString());
    }

    void neverRmcGivesZeroTexts() {
        RecordingOptions options;
        options.seconds = 4;
        options.drive.nonRmcSeconds = {0, 1, 2, 3};
        const Telemetry telemetry =
            extract(write(QStringLiteral("R_20261206_091000_S_N.avi"), options)).telemetry;
        QCOMPARE(telemetry.gio.size(), 4);
        for (const GioData &gio : telemetry.gio) {
            QCOMPARE(gio.lat, QStringLiteral("0"));
            QCOMPARE(gio.lon, QStringLiteral("0"));
            QCOMPARE(gio.ew, QStringLiteral("0"));
            QCOMPARE(gio.speed, QStringLiteral("0"));
        }
    }

    // Video payload spelling the text id (with a size other than 400) ended
    // the byte search there; the chunk walk loses nothing, with or without
    // the index.
    void falseTextIdInVideo_data() {
        QTest::addColumn<bool>("index");
        QTest::newRow("idx1") << true;
        QTest::newRow("no idx1") << false;
    }
    void falseTextIdInVideo() {
        QFETCH(bool, index);
        RecordingOptions options;
        options.seconds = 10;
        options.falseTextIdEvery = 7;
        options.writeIndex = index;
        const QString path = write(QStringLiteral("R_20261206_092000_S_N.avi"), options);
        const TelemetryExtraction result = extract(path);
        QCOMPARE(result.records, 300);
        QCOMPARE(result.telemetry.gio.size(), 10);
        QCOMPARE(result.usedIndex, index);
        QVERIFY(reference::byteSearchExtraction(path).records < 300); // the old fault
    }

    // Without idx1 and with odd-sized bodies, the walk gives the same lists.
    void layoutsWithoutPadding_data() {
        QTest::addColumn<bool>("index");
        QTest::addColumn<bool>("oddBodies");
        QTest::addColumn<int>("parity");
        const int odd = int(fixtures::MoviParity::Odd);
        const int even = int(fixtures::MoviParity::Even);
        QTest::newRow("no idx1") << false << false << int(fixtures::MoviParity::Natural);
        QTest::newRow("odd bodies, odd movi") << true << true << odd;
        QTest::newRow("odd bodies, even movi") << true << true << even;
        QTest::newRow("odd bodies, odd movi, no idx1") << false << true << odd;
        QTest::newRow("odd bodies, even movi, no idx1") << false << true << even;
    }
    void layoutsWithoutPadding() {
        QFETCH(bool, index);
        QFETCH(bool, oddBodies);
        QFETCH(int, parity);
        RecordingOptions options;
        options.channels = 2;
        options.seconds = 5;
        options.writeIndex = index;
        options.oddBodies = oddBodies;
        options.moviParity = fixtures::MoviParity(parity);
        fixtures::RecordingResult info;
        const QString path = write(QStringLiteral("R_20261206_093000_D_N.avi"), options, &info);
        if (parity != int(fixtures::MoviParity::Natural))
            QCOMPARE(int(info.moviSize % 2), parity == int(fixtures::MoviParity::Odd) ? 1 : 0);
        const TelemetryExtraction result = extract(path);
        QCOMPARE(result.records, 150);
        QCOMPARE(result.usedIndex, index);
        QCOMPARE(result.resyncs, 0);
        QCOMPARE(testing::telemetryDifference(result.telemetry,
                                              reference::byteSearchExtraction(path).telemetry),
                 QString());
    }

    // Damaged places are searched past, and a damaged index is not trusted.
    void damagedRegions() {
        RecordingOptions options;
        options.seconds = 5;
        options.writeIndex = false;
        options.extraDataChunks = {{40, "zz!!", 96}, {41, "JUNK", 3}};
        const QString unknownIds = write(QStringLiteral("R_20261206_094000_S_N.avi"), options);
        TelemetryExtraction result = extract(unknownIds);
        QCOMPARE(result.records, 150);
        QVERIFY(result.resyncs >= 2);

        // The first video chunk claims a size past the end of the file.
        options.extraDataChunks.clear();
        fixtures::RecordingResult info;
        const QString badSize = write(QStringLiteral("R_20261206_095000_S_N.avi"), options, &info);
        const auto clean = extract(badSize);
        patch(badSize, info.moviOffset + 8, QByteArray("\xf0\xff\xff\x7f", 4));
        result = extract(badSize);
        QCOMPARE(result.resyncs, 1);
        QCOMPARE(testing::telemetryDifference(result.telemetry, clean.telemetry), QString());

        // An index entry that points elsewhere: the walk takes over.
        options.writeIndex = true;
        const QString badIndex = write(QStringLiteral("R_20261206_096000_S_N.avi"), options, &info);
        patch(badIndex, info.indexOffset + 8 + 16 * 3 + 8, QByteArray("\x04\x00\x00\x00", 4));
        result = extract(badIndex);
        QVERIFY(!result.usedIndex);
        QCOMPARE(testing::telemetryDifference(result.telemetry, clean.telemetry), QString());

        // An index that is whole but names the first video chunk as a
        // telemetry chunk of another size: checked against the file, and the
        // walk takes over.
        const QString wrongId = write(QStringLiteral("R_20261206_096500_S_N.avi"), options, &info);
        patch(wrongId, info.indexOffset + 8, QByteArray("02tx"));
        result = extract(wrongId);
        QVERIFY(!result.usedIndex);
        QCOMPARE(testing::telemetryDifference(result.telemetry, clean.telemetry), QString());

        // The file no longer holds a chunk the index lists: found out when the
        // record is read; the walk passes over the renamed chunk.
        const QString renamed = write(QStringLiteral("R_20261206_096600_S_N.avi"), options, &info);
        QFile file(renamed);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const qint64 firstRecord = file.readAll().indexOf(QByteArray("02tx\x90\x01\x00\x00", 8));
        file.close();
        QVERIFY(firstRecord > 0);
        patch(renamed, firstRecord, QByteArray("02tz"));
        result = extract(renamed);
        QVERIFY(!result.usedIndex);
        QCOMPARE(result.records, 149);
        QCOMPARE(result.telemetry.magnetic.at(0).z, clean.telemetry.magnetic.at(1).z);
    }

    // As the camera's own reader: a telemetry chunk of another size than 400
    // ends the records, from the index and in the walk alike.
    void telemetryEndsAtAnotherSize_data() {
        QTest::addColumn<bool>("index");
        QTest::addColumn<int>("frame");
        QTest::newRow("idx1, frame 5") << true << 5;
        QTest::newRow("no idx1, frame 5") << false << 5;
        QTest::newRow("idx1, first") << true << 0;
        QTest::newRow("no idx1, first") << false << 0;
    }
    void telemetryEndsAtAnotherSize() {
        QFETCH(bool, index);
        QFETCH(int, frame);
        RecordingOptions options;
        options.seconds = 2;
        options.writeIndex = index;
        options.extraDataChunks = {{frame, "02tx", 100}};
        const QString path = write(QStringLiteral("R_20261206_096700_S_N.avi"), options);
        const TelemetryExtraction result = extract(path);
        QCOMPARE(result.status, TelemetryExtraction::Status::Done);
        QCOMPARE(result.records, frame);
        QCOMPARE(result.usedIndex, index);
        QCOMPARE(reference::byteSearchExtraction(path).records, frame);
    }

    // A cut file gives the records before the cut, nothing made up.
    void truncatedFile() {
        RecordingOptions options;
        options.seconds = 4;
        const QString whole = write(QStringLiteral("R_20261206_097000_S_N.avi"), options);
        const Telemetry all = extract(whole).telemetry;
        for (qint64 cut : {qint64(300), qint64(5000), qint64(200000), qint64(407777)}) {
            options.truncateAt = cut;
            const QString path = write(QStringLiteral("R_20261206_098000_S_N.avi"), options);
            const TelemetryExtraction result = extract(path);
            QCOMPARE(result.records, reference::byteSearchExtraction(path).records);
            QVERIFY(result.records < 120);
            for (int i = 0; i < result.records; ++i)
                QCOMPARE(result.telemetry.magnetic.at(i).x, all.magnetic.at(i).x);
        }
    }

    void emptyDataList() {
        RecordingOptions options;
        options.channels = 3;
        options.frames = 0;
        const TelemetryExtraction result =
            extract(write(QStringLiteral("R_20261206_099000_T_N.avi"), options));
        QCOMPARE(result.records, 0);
        QVERIFY(result.usedIndex);
    }

    // ---- the worker and FileIO ----

    void workerStates() {
        RecordingOptions options;
        options.seconds = 2;
        const QString recording = write(QStringLiteral("R_20261206_100000_S_N.avi"), options);
        const QString noMarker = m_dir.filePath(QStringLiteral("R_20261206_100000_N.avi"));
        QVERIFY(QFile::copy(recording, noMarker));

        TelemetryExtractor worker;
        QVERIFY(worker.telemetry());
        QCOMPARE(worker.telemetry()->magnetic.size(), 0);
        worker.start(recording);
        worker.waitForFinished();
        QCOMPARE(worker.state(), 1);
        QCOMPARE(worker.telemetry()->magnetic.size(), 60);

        // No channel marker: empty lists, state 1.
        worker.start(noMarker);
        worker.waitForFinished();
        QCOMPARE(worker.state(), 1);
        QCOMPARE(worker.telemetry()->magnetic.size(), 0);
        QCOMPARE(worker.telemetry()->gio.size(), 0);

        // A missing file: the state stays 0 and the lists stay.
        worker.start(recording);
        worker.waitForFinished();
        worker.start(m_dir.filePath(QStringLiteral("R_missing_S_N.avi")));
        worker.waitForFinished();
        QCOMPARE(worker.state(), 0);
        QCOMPARE(worker.telemetry()->magnetic.size(), 60);
        worker.start(QString());
        worker.waitForFinished();
        QCOMPARE(worker.state(), 0);
    }

    void readfilepathRules() {
        RecordingOptions options;
        options.seconds = 2;
        const QString recording = write(QStringLiteral("R_20261206_110000_S_N.avi"), options);
        QVERIFY(recording.startsWith(QLatin1Char('/')));
        FileIO file;
        QCOMPARE(file.readfilepath(QStringLiteral("file://") + recording), recording);
        QThreadPool::globalInstance()->waitForDone();
        QCOMPARE(file.readProcessState(), 1);
        QCOMPARE(file.readPOICnt(), 60);

        // Refused paths: "ERROR", nothing started, state 0, lists kept.
        const QString spaced = m_dir.filePath(QStringLiteral("R_2026 1206_S_N.avi"));
        const QString accented = m_dir.filePath(QStringLiteral("R_2026é1206_S_N.avi"));
        QVERIFY(QFile::copy(recording, spaced));
        QVERIFY(QFile::copy(recording, accented));
        for (const QString &path : {QStringLiteral("file://") + spaced, accented}) {
            QCOMPARE(file.readfilepath(path), QStringLiteral("ERROR"));
            QThreadPool::globalInstance()->waitForDone();
            QCOMPARE(file.readProcessState(), 0);
            QCOMPARE(file.readPOICnt(), 60);
        }

        // A missing file: the path comes back, the state stays 0.
        const QString missing = m_dir.filePath(QStringLiteral("R_gone_S_N.avi"));
        QCOMPARE(file.readfilepath(missing), missing);
        QThreadPool::globalInstance()->waitForDone();
        QCOMPARE(file.readProcessState(), 0);
    }
};

QTEST_GUILESS_MAIN(TelemetryTest)
#include "tst_telemetry.moc"
