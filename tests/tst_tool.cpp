// velmora-tool: demo card, cards, config, catalogue, info, telemetry, and its refusals.
#include "recordingwriter.h"
#include "testfiles.h"
#include "toolrunner.h"

#include <QtTest>

using namespace velmora::demo;

class ToolTest : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    RecordingOptions m_options;
    QString m_recording; // two channels, 5 s, second 2 a void fix, west of Greenwich

    QString write(const QString &name, int channels, int frames, const QByteArray &handler) {
        RecordingOptions options;
        options.channels = channels;
        options.frames = frames;
        options.videoHandler = handler;
        const QString path = m_dir.filePath(name);
        if (!writeRecording(path, options).ok)
            qWarning("fixture %s not written", qPrintable(name));
        return path;
    }

private slots:
    void initTestCase() {
        QVERIFY(m_dir.isValid());
        m_options.channels = 2;
        m_options.seconds = 5;
        m_options.drive.voidSeconds = {2};
        m_options.drive.startLongitude = -11.5167;
        m_recording = m_dir.filePath(cameraFileName(m_options.drive.start, 2));
        QVERIFY(writeRecording(m_recording, m_options).ok);
        QCOMPARE(runTool({"make-demo-card", m_dir.filePath("demo")}).code, 0);
    }

    // Five folders, config.txt of twenty keys and a checksum; a user's config is kept.
    void demoCard() {
        const QString card = m_dir.filePath("demo");
        for (const char *folder : {"Drive", "DriveEvent", "Parking", "ParkingEvent", "Manual"})
            QVERIFY2(QDir(card).exists(folder), folder);
        const QByteArray bytes = readAll(card + "/config.txt");
        QVERIFY(bytes.startsWith("[config]\n") && !bytes.contains('\r'));
        QCOMPARE(bytes.count('\n'), 21);
        QCOMPARE(bytes.at(bytes.size() - 2), '\n');
        char sum = 0;
        for (const char c : bytes.chopped(1))
            sum = char(sum + c);
        QCOMPARE(bytes.back(), sum);

        const QString edited = m_dir.filePath("edited");
        QCOMPARE(runTool({"make-demo-card", edited}).code, 0);
        writeAll(edited + "/config.txt", "edited");
        QCOMPARE(runTool({"make-demo-card", edited}).code, 0);
        QCOMPARE(readAll(edited + "/config.txt"), QByteArray("edited"));
    }

    // Set several keys in one call, then show them as JSON.
    void config() {
        const QString card = m_dir.filePath("demo");
        QCOMPARE(runTool({"config", "set", card, "cut_volt=5", "secret=0907", "LANG=fr"}).code, 0);
        const ToolRun shown = runTool({"config", "show", card});
        QCOMPARE(shown.code, 0);
        const QJsonObject root = QJsonDocument::fromJson(shown.out).object();
        const QJsonObject keys = root.value("keys").toObject();
        QCOMPARE(
            QVariantList({keys.size(), keys.value("cut_volt").toVariant(),
                          keys.value("lang").toVariant(), root.value("securityCode").toVariant()}),
            QVariantList({20, 5, "fr", "0907"}));
        const QByteArray bytes = readAll(card + "/config.txt");
        QVERIFY(bytes.contains("\ncut_volt=5\n") && !bytes.contains('\r'));
    }

    // Five lists by category, newest first; the folder is the card root.
    void catalogueAndCards() {
        const QString card = m_dir.filePath("catalogue");
        const QDateTime modified(QDate(2021, 3, 4), QTime(5, 6));
        for (const char *name :
             {"Drive/R_20210101_100000_N.avi", "Drive/sub/T_20210102_100000_N.avi",
              "Manual/R_20210103_100000_M.avi"})
            touch(card + "/" + name, modified);
        const ToolRun run = runTool({"catalogue", card});
        QCOMPARE(run.code, 0);
        const QString entry = R"({"info":"2021-03-04 05:06","name":"%2","path":"%1/%3/%2"})";
        QCOMPARE(QString(run.out),
                 QString(R"({"Drive":[%1,%2],"DriveEvent":[],"Manual":[%3],"Parking":[],)"
                         R"("ParkingEvent":[]})"
                         "\n")
                     .arg(entry.arg(card, "T_20210102_100000_N.avi", "Drive/sub"),
                          entry.arg(card, "R_20210101_100000_N.avi", "Drive"),
                          entry.arg(card, "R_20210103_100000_M.avi", "Manual")));
        QCOMPARE(runTool({"catalogue", card + "/"}).out, run.out);
        // A folder given as a card is listed as one.
        const ToolRun cards = runTool({"cards", "--card", card});
        QCOMPARE(cards.code, 0);
        QVERIFY2(cards.out.contains("DASHCAM\t" + card.toUtf8() + "/\n"), cards.out.constData());
    }

    // The duration comes from the header walk whatever the name: no "T_2" here.
    void info() {
        ToolRun run = runTool({"info", write("R_20261206_081512_T_N.avi", 3, 300, "hev1")});
        QCOMPARE(run.code, 0);
        QCOMPARE(run.out, QByteArray("{\"channels\":3,\"duration\":10,\"frames\":300,"
                                     "\"telemetryRecords\":300}\n"));
        QVERIFY(run.err.isEmpty());
        run = runTool({"info", write("T_20261206_081512_S_N.avi", 1, 31, "hev1")});
        QCOMPARE(run.out, QByteArray("{\"channels\":1,\"duration\":1.0333333,\"frames\":31,"
                                     "\"telemetryRecords\":31}\n"));
    }

    // Each format on stdout, nothing on stderr: JSON (default) on one line with the stored
    // texts, a CSV row per sample, a GPX point per fix, KML lon,lat (west negative).
    void telemetry_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QByteArray>("expected");
        QTest::addColumn<int>("count");
        const auto f = m_options.drive.fix(3);
        const QString fix =
            QStringLiteral("{\"time\":3,\"ew\":\"%1\",\"lat\":\"%2\",\"lon\":\"%3\","
                           "\"speed\":\"%4\"}")
                .arg(f.ew, f.lat, f.lon, f.speed);
        const QString path = m_recording;
        QTest::newRow("json") << QStringList{path} << QByteArray("\n") << 1;
        QTest::newRow("json fix") << QStringList{path, "--format", "json"} << fix.toUtf8() << 1;
        QTest::newRow("csv") << QStringList{path, "--format=csv"} << QByteArray("\n") << 151;
        QTest::newRow("gpx") << QStringList{path, "--format", "gpx"} << QByteArray("<trkpt ") << 4;
        QTest::newRow("kml") << QStringList{path, "--format", "kml"}
                             << QByteArray("<coordinates>\n          -11.5167000,48.1173000\n")
                             << 1;
    }
    void telemetry() {
        QFETCH(QStringList, arguments);
        QFETCH(QByteArray, expected);
        QFETCH(int, count);
        const ToolRun result = runTool(QStringList{"telemetry"} + arguments, 60000);
        QCOMPARE(result.code, 0);
        QCOMPARE(result.out.count(expected), count);
        QVERIFY(result.out.endsWith('\n') && result.err.isEmpty());
    }

    // Bad arguments give 2; a failure 1 and an unreadable file 3, one line naming command and
    // file. Never anything on stdout; a refused config change writes nothing.
    void refusals_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("code");
        QTest::addColumn<bool>("oneLine");
        const QString dir = m_dir.path(), rec = m_recording;
        const QString good = write("R_20261206_090000_S_N.avi", 1, 30, "hev1");
        const QString clip = m_dir.filePath("clip.avi"); // no channel marker
        QVERIFY(QFile::copy(good, clip));
        const QString text = m_dir.filePath("R_20261206_000001_S_N.avi");
        writeAll(text, "not a recording");
        QVERIFY(QDir().mkpath(dir + "/locked"));
        QVERIFY(QFile::setPermissions(dir + "/locked", QFileDevice::WriteOwner));
        const auto row = [](const char *name, const QStringList &args, int code, bool oneLine) {
            QTest::newRow(name) << args << code << oneLine;
        };
        row("no command", {}, 2, false);
        row("unknown command", {"no-such-command"}, 2, false);
        row("demo card, no folder", {"make-demo-card"}, 2, false);
        row("demo card below a file", {"make-demo-card", text + "/card"}, 1, true);
        row("cards, no folder", {"cards", "--card"}, 2, false);
        row("config, no folder", {"config", "show"}, 2, false);
        row("config, unknown action", {"config", "dump", dir}, 2, false);
        row("config, no config.txt", {"config", "show", dir}, 3, true);
        // A valid change in the same call is not written either.
        const QStringList set = {"config", "set", m_dir.filePath("demo"), "vol_speaker=1"};
        row("config, above the range", set + QStringList{"cut_volt=6"}, 2, true);
        row("config, below the range", set + QStringList{"time_zone=-1"}, 2, true);
        row("config, not a number", set + QStringList{"vol_speaker=loud"}, 2, true);
        row("config, unknown language", set + QStringList{"lang=de"}, 2, true);
        row("config, three-digit code", set + QStringList{"secret=123"}, 2, true);
        row("config, unknown key", set + QStringList{"colour=2"}, 2, true);
        row("config, no value", set + QStringList{"cut_volt"}, 2, true);
        row("catalogue, nothing", {"catalogue"}, 2, true);
        row("catalogue, empty", {"catalogue", ""}, 2, true);
        row("catalogue, two", {"catalogue", "a", "b"}, 2, true);
        row("catalogue, a file", {"catalogue", text}, 3, true);
        row("catalogue, missing", {"catalogue", dir + "/missing"}, 3, true);
        if (geteuid() != 0) // root reads every folder
            row("catalogue, unreadable", {"catalogue", dir + "/locked"}, 3, true);
        row("info, nothing", {"info"}, 2, true);
        row("info, two", {"info", good, good}, 2, true);
        row("info, option", {"info", "--json"}, 2, true);
        row("info, missing", {"info", dir + "/R_missing_S_N.avi"}, 3, true);
        row("info, folder", {"info", dir}, 3, true);
        row("info, no marker", {"info", clip}, 3, true);
        row("info, other codec", {"info", write("R_20261206_091000_S_N.avi", 1, 30, "avc1")}, 3,
            true);
        // A valid three-camera header under a one-camera name.
        row("info, three under one", {"info", write("R_20261206_092000_S_N.avi", 3, 30, "hev1")}, 3,
            true);
        row("telemetry, nothing", {"telemetry"}, 2, false);
        row("telemetry, unknown format", {"telemetry", rec, "--format", "xml"}, 2, false);
        row("telemetry, format without value", {"telemetry", rec, "--format"}, 2, false);
        row("telemetry, two files", {"telemetry", rec, rec}, 2, false);
        row("telemetry, unknown option", {"telemetry", rec, "--verbose"}, 2, false);
        const auto gpx = [](const QString &file) {
            return QStringList{"telemetry", file, "--format", "gpx"};
        };
        row("telemetry, missing", gpx(dir + "/R_20261206_000000_S_N.avi"), 3, true);
        row("telemetry, not a recording", gpx(text), 3, true);
        row("telemetry, no marker", gpx(clip), 3, true);
        row("telemetry, folder", gpx(dir), 3, true);
    }
    void refusals() {
        QFETCH(QStringList, arguments);
        QFETCH(int, code);
        QFETCH(bool, oneLine);
        const QByteArray config = readAll(m_dir.filePath("demo/config.txt"));
        const ToolRun run = runTool(arguments, 60000);
        QCOMPARE(run.code, code);
        QCOMPARE(readAll(m_dir.filePath("demo/config.txt")), config); // the card is untouched
        QVERIFY(run.out.isEmpty());
        QVERIFY2(run.err.endsWith('\n') && (!oneLine || run.err.count('\n') == 1),
                 run.err.constData());
        // The message names the command, and the file unless the arguments were bad.
        const QByteArray command = "velmora-tool " + arguments.value(0).toUtf8();
        if (code != 2) {
            QVERIFY2(run.err.startsWith(command + ": ") &&
                         run.err.contains(arguments.filter(m_dir.path()).value(0).toUtf8()),
                     run.err.constData());
        } else if (!arguments.isEmpty() && arguments.first() != "no-such-command") {
            QVERIFY2(run.err.contains(command), run.err.constData());
        }
    }
};

QTEST_GUILESS_MAIN(ToolTest)
#include "tst_tool.moc"
