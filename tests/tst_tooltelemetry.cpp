// velmora-tool telemetry on a generated recording: the extracted lists in
// each output format, and exit codes 2 (bad arguments) and 3 (bad files).
#include "recordingwriter.h"
#include "testfiles.h"
#include "toolrunner.h"

#include <QTemporaryDir>
#include <QtTest>

class ToolTelemetryTest : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    velmora::fixtures::RecordingOptions m_options;
    QString m_path;

    static ToolRun run(const QStringList &arguments) {
        return runTool(QStringList{QStringLiteral("telemetry")} + arguments, 60000);
    }

private slots:
    // Two channels, 5 s, second 2 a void fix, west of Greenwich.
    void initTestCase() {
        QVERIFY(m_dir.isValid());
        m_options.channels = 2;
        m_options.seconds = 5;
        m_options.drive.voidSeconds = {2};
        m_options.drive.startLongitude = -11.5167;
        m_path = m_dir.filePath(velmora::fixtures::cameraFileName(m_options.drive.start, 2));
        QVERIFY(velmora::fixtures::writeRecording(m_path, m_options).ok);
        // Bad files: a text file with a camera name, the recording without a marker.
        writeAll(m_dir.filePath(QStringLiteral("R_20261206_000001_S_N.avi")), "not a recording");
        QVERIFY(QFile::copy(m_path, m_dir.filePath(QStringLiteral("clip.avi"))));
    }

    // Each format on stdout, nothing on stderr: JSON (the default) on one
    // line with the stored texts, a CSV row per sample, a GPX point per fix,
    // KML lon,lat lines (west negative).
    void formats_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QByteArray>("expected");
        QTest::addColumn<int>("count");
        const auto f = m_options.drive.fix(3);
        const QString fix =
            QStringLiteral("{\"time\":3,\"ew\":\"%1\",\"lat\":\"%2\",\"lon\":\"%3\","
                           "\"speed\":\"%4\"}")
                .arg(f.ew, f.lat, f.lon, f.speed);
        QTest::newRow("json") << QStringList{m_path} << QByteArray("\n") << 1;
        QTest::newRow("json fix") << QStringList{m_path, "--format", "json"} << fix.toUtf8() << 1;
        QTest::newRow("csv") << QStringList{m_path, "--format=csv"} << QByteArray("\n") << 151;
        QTest::newRow("gpx") << QStringList{m_path, "--format", "gpx"} << QByteArray("<trkpt ")
                             << 4;
        QTest::newRow("kml") << QStringList{m_path, "--format", "kml"}
                             << QByteArray("<coordinates>\n          -11.5167000,48.1173000\n")
                             << 1;
    }
    void formats() {
        QFETCH(QStringList, arguments);
        QFETCH(QByteArray, expected);
        QFETCH(int, count);
        const ToolRun result = run(arguments);
        QCOMPARE(result.code, 0);
        QCOMPARE(result.out.count(expected), count);
        QVERIFY(result.out.endsWith('\n') && result.err.isEmpty());
    }

    // Bad arguments: 2; bad files: 3 and one line naming the file.
    void failures_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("code");
        QTest::newRow("nothing") << QStringList() << 2;
        QTest::newRow("unknown format") << QStringList{m_path, "--format", "xml"} << 2;
        QTest::newRow("format without value") << QStringList{m_path, "--format"} << 2;
        QTest::newRow("two files") << QStringList{m_path, m_path} << 2;
        QTest::newRow("unknown option") << QStringList{m_path, "--verbose"} << 2;
        auto file = [this](const char *name) {
            return QStringList{m_dir.filePath(name), "--format", "gpx"};
        };
        QTest::newRow("missing") << file("R_20261206_000000_S_N.avi") << 3;
        QTest::newRow("not a recording") << file("R_20261206_000001_S_N.avi") << 3;
        QTest::newRow("no marker") << file("clip.avi") << 3;
        QTest::newRow("folder") << file(".") << 3;
    }
    void failures() {
        QFETCH(QStringList, arguments);
        QFETCH(int, code);
        const ToolRun result = run(arguments);
        QCOMPARE(result.code, code);
        QVERIFY(result.out.isEmpty());
        const QByteArray file = code == 3 ? arguments.first().toUtf8() + ": " : QByteArray();
        QVERIFY(result.err.startsWith("velmora-tool telemetry: " + file));
        QVERIFY(code != 3 || result.err.count('\n') == 1);
    }
};

QTEST_GUILESS_MAIN(ToolTelemetryTest)
#include "tst_tooltelemetry.moc"
