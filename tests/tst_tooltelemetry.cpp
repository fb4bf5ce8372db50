// velmora-tool telemetry on generated recordings: what it extracts, each
// output format, and the exit codes for bad arguments and bad files.
#include "recordingwriter.h"
#include "toolrunner.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// "velmora-tool telemetry" with the given arguments; extraction takes longer.
ToolRun runTelemetry(const QStringList &arguments) {
    return runTool(QStringList{QStringLiteral("telemetry")} + arguments, 60000);
}

} // namespace

class ToolTelemetryTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        QVERIFY(m_dir.isValid());
        m_options.channels = 2;
        m_options.seconds = 5;
        m_options.drive.voidSeconds = {2};
        m_options.drive.startLongitude = -11.5167; // west of Greenwich
        m_path = m_dir.filePath(velmora::fixtures::cameraFileName(m_options.drive.start, 2));
        const auto result = velmora::fixtures::writeRecording(m_path, m_options);
        QVERIFY2(result.ok, qPrintable(result.error));
    }

    void jsonHoldsTheStoredTexts() {
        const ToolRun run =
            runTelemetry({m_path, QStringLiteral("--format"), QStringLiteral("json")});
        QCOMPARE(run.code, 0);
        QVERIFY(run.err.isEmpty());
        QVERIFY(run.out.startsWith("{\"samples\":[["));
        QVERIFY(run.out.endsWith("]}\n"));
        QCOMPARE(run.out.count('\n'), 1);
        const QJsonObject doc = QJsonDocument::fromJson(run.out).object();
        const QJsonArray samples = doc.value(QLatin1String("samples")).toArray();
        QCOMPARE(samples.size(), 150);
        for (int f : {0, 29, 30, 149}) {
            const velmora::fixtures::SensorSample s = m_options.drive.sensor(f);
            const QJsonArray got = samples[f].toArray();
            QCOMPARE(float(got[0].toDouble()), s.x / 1000.0f);
            QCOMPARE(float(got[1].toDouble()), s.y / 1000.0f);
            QCOMPARE(float(got[2].toDouble()), s.z / 1000.0f);
        }
        const QJsonArray gps = doc.value(QLatin1String("gps")).toArray();
        QCOMPARE(gps.size(), 4); // second 2 is a void fix
        int i = 0;
        for (int second : {0, 1, 3, 4}) {
            const velmora::fixtures::GpsFixTexts fix = m_options.drive.fix(second);
            const QJsonObject g = gps[i++].toObject();
            QCOMPARE(g.value(QLatin1String("time")).toInt(), second);
            QCOMPARE(g.value(QLatin1String("lat")).toString(), fix.lat);
            QCOMPARE(g.value(QLatin1String("lon")).toString(), fix.lon);
            QCOMPARE(g.value(QLatin1String("ew")).toString(), fix.ew);
            QCOMPARE(g.value(QLatin1String("speed")).toString(), fix.speed);
        }
        // Without --format the output is the same JSON.
        QCOMPARE(runTelemetry({m_path}).out, run.out);
    }

    void csvRowPerSample() {
        const ToolRun run = runTelemetry({m_path, QStringLiteral("--format=csv")});
        QCOMPARE(run.code, 0);
        const QList<QByteArray> lines = run.out.trimmed().split('\n');
        QCOMPARE(lines.size(), 151);
        QVERIFY(lines[0].startsWith("frame,second,x,y,z,"));
        QVERIFY(lines[61].startsWith("60,2,"));
        QVERIFY(lines[61].endsWith(",,,,,,,")); // the void second has no record
        QVERIFY(lines[91].startsWith("90,3,"));
        QVERIFY(lines[91].contains(',' + m_options.drive.fix(3).lat.toLatin1() + ','));
    }

    void gpxAndKmlTrack() {
        const ToolRun gpx =
            runTelemetry({m_path, QStringLiteral("--format"), QStringLiteral("gpx")});
        QCOMPARE(gpx.code, 0);
        QCOMPARE(gpx.out.count("<trkpt "), 4);
        const ToolRun kml =
            runTelemetry({m_path, QStringLiteral("--format"), QStringLiteral("kml")});
        QCOMPARE(kml.code, 0);
        QVERIFY(kml.out.contains("<LineString>"));
        // West positions: negative longitudes, written before the latitudes.
        QCOMPARE(m_options.drive.fix(0).ew, QStringLiteral("W"));
        QCOMPARE(kml.out.count("\n          -11.5"), 4);
        QVERIFY(kml.out.contains("\n          -11.5167000,48.1173000\n"));
    }

    void badArguments_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::newRow("nothing") << QStringList();
        QTest::newRow("unknown format") << QStringList{"FILE", "--format", "xml"};
        QTest::newRow("format without value") << QStringList{"FILE", "--format"};
        QTest::newRow("two files") << QStringList{"FILE", "FILE"};
        QTest::newRow("unknown option") << QStringList{"FILE", "--verbose"};
    }

    void badArguments() {
        QFETCH(QStringList, arguments);
        arguments.replaceInStrings(QStringLiteral("FILE"), m_path);
        const ToolRun run = runTelemetry(arguments);
        QCOMPARE(run.code, 2);
        QVERIFY(run.out.isEmpty());
        QVERIFY(run.err.startsWith("velmora-tool telemetry: "));
    }

    void badFiles() {
        const QString missing = m_dir.filePath(QStringLiteral("R_20261206_000000_S_N.avi"));
        QFile text(m_dir.filePath(QStringLiteral("R_20261206_000001_S_N.avi")));
        QVERIFY(text.open(QIODevice::WriteOnly));
        text.write("not a recording at all");
        text.close();
        const QString unmarked = m_dir.filePath(QStringLiteral("clip.avi"));
        QVERIFY(QFile::copy(m_path, unmarked));
        for (const QString &path : {missing, text.fileName(), unmarked, m_dir.path()}) {
            const ToolRun run =
                runTelemetry({path, QStringLiteral("--format"), QStringLiteral("gpx")});
            QCOMPARE(run.code, 3);
            QVERIFY(run.out.isEmpty());
            QCOMPARE(run.err.count('\n'), 1);
            QVERIFY(run.err.startsWith("velmora-tool telemetry: " + path.toUtf8() + ": "));
        }
    }

private:
    QTemporaryDir m_dir;
    velmora::fixtures::RecordingOptions m_options;
    QString m_path;
};

QTEST_GUILESS_MAIN(ToolTelemetryTest)
#include "tst_tooltelemetry.moc"
