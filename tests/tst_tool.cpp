// velmora-tool: each command once, and its refusals. The libraries' rules are
// tested in their own programs.
#include "recordingwriter.h"
#include "testfiles.h"
#include "toolrunner.h"

#include <QImage>
#include <QtTest>
#include <csignal>

using namespace velmora::demo;

class ToolTest : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    QString m_card, m_recording; // the demo card; two channels, 5 s, west of Greenwich

private slots:
    void initTestCase() {
        RecordingOptions options;
        options.channels = 2;
        options.seconds = 5;
        options.drive.startLongitude = -11.5167;
        m_recording = m_dir.filePath(cameraFileName(options.drive.start, 2));
        QVERIFY(writeRecording(m_recording, options).ok);
        m_card = m_dir.filePath("demo");
        QCOMPARE(runTool({"make-demo-card", m_card}).code, 0);
    }

    // A card's list, then files by name: a line a file and a total, SHA256SUMS that
    // sha256sum checks; a second run overwrites nothing and fails.
    void copy() {
        const QString out = m_dir.filePath("copies");
        QVERIFY(QDir().mkpath(out));
        const ToolRun run = runTool({"copy", m_card, "--to", out, "--kind", "0", "--all"});
        QCOMPARE(run.code, 0);
        const QStringList names = QDir(m_card + "/Drive").entryList({"*.avi"});
        QVERIFY(!names.isEmpty());
        const QList<QByteArray> lines = run.out.trimmed().split('\n');
        QCOMPARE(lines.size(), names.size() + 1);
        QVERIFY2(lines.last().startsWith(QByteArray::number(names.size()) + " copied, 0 failed"),
                 run.out.constData());
        QProcess check;
        check.setWorkingDirectory(out);
        check.start("sha256sum", {"--strict", "-c", "SHA256SUMS"});
        QVERIFY(check.waitForFinished(30000));
        QCOMPARE(check.exitCode(), 0);

        writeAll(out + "/" + names.first(), "mine");
        const ToolRun again =
            runTool({"copy", m_card + "/Drive/" + names.first(), m_recording, "--to", out});
        QCOMPARE(again.code, 1);
        QVERIFY2(again.out.startsWith("failed " + names.first().toUtf8()), again.out.constData());
        QVERIFY2(again.out.contains("1 copied, 1 failed"), again.out.constData());
        QCOMPARE(readAll(out + "/" + names.first()), QByteArray("mine"));
    }

    // SIGINT or SIGTERM while a file is being copied: its temporary copy is
    // removed, the tool says it was interrupted and exits 1, and the source
    // (4 GiB of holes, so that the copy is still running) is left as it was.
    void copyInterrupted_data() {
        QTest::addColumn<int>("signal");
        QTest::newRow("SIGINT") << int(SIGINT);
        QTest::newRow("SIGTERM") << int(SIGTERM);
    }
    void copyInterrupted() {
        QFETCH(int, signal);
        QTemporaryDir dir;
        const QString source = dir.filePath("R_20261206_100000_T_N.avi");
        constexpr qint64 size = qint64(4) << 30;
        QFile big(source);
        QVERIFY(big.open(QIODevice::WriteOnly) && big.resize(size));
        big.close();
        const QDateTime modified = QFileInfo(source).lastModified();
        const QString out = dir.filePath("out");
        QVERIFY(QDir().mkpath(out));
        const auto listing = [&] {
            return QDir(out).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
        };
        QProcess tool;
        tool.start(TOOL_PATH, {"copy", source, "--to", out});
        QVERIFY(tool.waitForStarted());
        QTRY_VERIFY(!listing().isEmpty()); // the temporary copy
        QCOMPARE(::kill(pid_t(tool.processId()), signal), 0);
        QVERIFY(tool.waitForFinished(60000));
        const QByteArray printed = tool.readAllStandardOutput();
        QCOMPARE(tool.exitStatus(), QProcess::NormalExit);
        QCOMPARE(tool.exitCode(), 1);
        QVERIFY2(printed.startsWith("interrupted: 0 copied, 0 failed, 1 not copied, 0 bytes\n"),
                 printed.constData());
        QCOMPARE(listing(), QStringList());
        QCOMPARE(QFileInfo(source).size(), size);
        QCOMPARE(QFileInfo(source).lastModified(), modified);
    }

    // Rows given twice are copied once, where first given. A file, card or --to
    // folder that is not there is named, with exit 2, before anything is copied.
    void copyRowsAndMissingPaths() {
        const QString out = m_dir.filePath("rows"), none = m_dir.filePath("none");
        QVERIFY(QDir().mkpath(out) && QDir().mkpath(none));
        const ToolRun run = runTool({"copy", m_card, "--to", out, "--index", "1", "0", "1"});
        QCOMPARE(run.code, 0);
        const QStringList names =
            QDir(m_card + "/Drive").entryList({"*.avi"}, QDir::Files, QDir::Name | QDir::Reversed);
        const QList<QByteArray> lines = run.out.split('\n');
        QCOMPARE(lines.size(), 4);
        QVERIFY2(lines[0].startsWith("copied " + names[1].toUtf8()) &&
                     lines[1].startsWith("copied " + names[0].toUtf8()) &&
                     lines[2].startsWith("2 copied, 0 failed"),
                 run.out.constData());

        const QString missing = m_dir.filePath("missing");
        const QList<QStringList> refused = {{"copy", m_recording, missing, "--to", none},
                                            {"copy", missing, "--to", none},
                                            {"copy", m_recording, "--to", missing}};
        for (const QStringList &arguments : refused) {
            const ToolRun refusal = runTool(arguments);
            QCOMPARE(refusal.code, 2);
            QVERIFY2(refusal.err.startsWith("velmora-tool copy: no such ") &&
                         refusal.err.contains(" '" + missing.toUtf8() + "'\n"),
                     refusal.err.constData());
            QVERIFY(refusal.out.isEmpty());
        }
        QVERIFY(QDir(none).isEmpty());
    }

    // Several keys in one call, then shown as JSON.
    void config() {
        QCOMPARE(runTool({"config", "set", m_card, "cut_volt=5", "secret=0907", "LANG=fr"}).code,
                 0);
        const ToolRun shown = runTool({"config", "show", m_card});
        QCOMPARE(shown.code, 0);
        const QJsonObject root = QJsonDocument::fromJson(shown.out).object();
        const QJsonObject keys = root.value("keys").toObject();
        QCOMPARE(
            QVariantList({keys.size(), keys.value("cut_volt").toVariant(),
                          keys.value("lang").toVariant(), root.value("securityCode").toVariant()}),
            QVariantList({20, 5, "fr", "0907"}));
    }

    // A config.txt that is empty, binary or holds none of the camera's keys is
    // refused (exit 3) by show and by set, which leaves it as it was. A NUL
    // as the checksum byte is still the camera's file.
    void configNotTheCamerasSettings_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("code");
        QTest::newRow("empty") << QByteArray() << 3;
        QTest::newRow("binary") << QByteArray("[config]\ncut_volt=5\n\x7f"
                                              "ELF\x02\x01\x01\0\0\0",
                                              30)
                                << 3;
        QTest::newRow("no key") << QByteArray("[config]\ncutvolt=5\n[other]\ncut_volt=5\n") << 3;
        // Its bytes sum to 0 mod 256.
        QTest::newRow("checksum byte 0") << QByteArray("[config]\ncut_volt=5\nver=H\n\0", 27) << 0;
    }
    void configNotTheCamerasSettings() {
        QFETCH(QByteArray, bytes);
        QFETCH(int, code);
        const QString card = m_dir.filePath(QTest::currentDataTag());
        QVERIFY(QDir().mkpath(card));
        writeAll(card + "/config.txt", bytes);
        const ToolRun shown = runTool({"config", "show", card});
        QCOMPARE(shown.code, code);
        if (code == 0) {
            QCOMPARE(QJsonDocument::fromJson(shown.out)["keys"]["cut_volt"].toInt(), 5);
            return;
        }
        QVERIFY2(shown.err.startsWith("velmora-tool config: " + card.toUtf8() +
                                      "/config.txt: not the camera's settings (") &&
                     shown.err.count('\n') == 1,
                 shown.err.constData());
        QCOMPARE(runTool({"config", "set", card, "cut_volt=6"}).code, 3);
        QCOMPARE(readAll(card + "/config.txt"), bytes);
    }

    // A card's recordings by category, and a folder given as a card listed as one.
    void catalogueAndCards() {
        const QString card = m_dir.filePath("catalogue");
        touch(card + "/Manual/R_20210103_100000_M.avi", QDateTime(QDate(2021, 3, 4), QTime(5, 6)));
        const ToolRun run = runTool({"catalogue", card});
        QCOMPARE(run.code, 0);
        QCOMPARE(QString(run.out),
                 QString(R"({"Drive":[],"DriveEvent":[],"Manual":[{"info":"2021-03-04 05:06",)"
                         R"("name":"R_20210103_100000_M.avi","path":"%1/Manual/)"
                         R"(R_20210103_100000_M.avi"}],"Parking":[],"ParkingEvent":[]})"
                         "\n")
                     .arg(card));
        const ToolRun cards = runTool({"cards", "--card", card});
        QCOMPARE(cards.code, 0);
        QVERIFY2(cards.out.contains("DASHCAM\t" + card.toUtf8() + "/\n"), cards.out.constData());
    }

    // The duration comes from the header walk whatever the name: no "T_2" here.
    void info() {
        const ToolRun run = runTool({"info", m_recording});
        QCOMPARE(run.code, 0);
        QCOMPARE(run.out, QByteArray("{\"channels\":2,\"duration\":5,\"frames\":150,"
                                     "\"telemetryRecords\":150}\n"));
    }

    // JSON by default, another format by name; all on stdout, nothing on stderr.
    void telemetry() {
        const ToolRun json = runTool({"telemetry", m_recording}, 60000);
        QCOMPARE(json.code, 0);
        QVERIFY(json.out.startsWith("{\"samples\":[[") && json.err.isEmpty());
        QVERIFY(json.out.contains(",\"ns\":\"N\"}"));
        const ToolRun kml = runTool({"telemetry", m_recording, "--format=kml"}, 60000);
        QCOMPARE(kml.code, 0);
        QVERIFY2(kml.out.contains("<when>2026-12-06T08:15:12Z</when>") &&
                     kml.out.contains("<gx:coord>-11.5167000 48.1173000 0</gx:coord>"),
                 kml.out.constData());
        QVERIFY(kml.err.isEmpty());
    }

    // A header cut short cannot be read: exit 3, as info gives. A header of
    // another layout is no reason to refuse: its telemetry is still there.
    void telemetryOfDamagedHeaders() {
        RecordingOptions options;
        options.truncateAt = 300;
        const QString cut = m_dir.filePath("R_20261206_110000_S_N.avi");
        QVERIFY(writeRecording(cut, options).ok);
        const ToolRun refused = runTool({"telemetry", cut});
        QCOMPARE(refused.code, 3);
        QCOMPARE(refused.err, "velmora-tool telemetry: " + cut.toUtf8() +
                                  ": cannot be read (the file ends inside its header)\n");

        options.truncateAt = -1;
        options.videoHandler = "H264";
        const QString other = m_dir.filePath("R_20261206_110100_S_N.avi");
        QVERIFY(writeRecording(other, options).ok);
        const ToolRun run = runTool({"telemetry", other, "--format", "csv"});
        QCOMPARE(run.code, 0);
        QCOMPARE(run.out.count('\n'), 1 + 30); // the column names and a line a frame
    }

    // A box south and west of Greenwich (central Buenos Aires) at one zoom: 3 x 3
    // tiles, named as the map's offline folder wants them.
    void mapTiles() {
        const QString dir = m_dir.filePath("tiles");
        const ToolRun run =
            runTool({"map-tiles", dir, "-34.61", "-58.39", "-34.60", "-58.38", "--zoom", "16"});
        QCOMPARE(run.code, 0);
        QCOMPARE(QDir(dir).entryList(QDir::Files).size(), 9);
        QCOMPARE(QImage(dir + "/osm_100-l-8-16-22139-39489.png").size(), QSize(256, 256));
    }

    // Bad arguments give 2, a failure 1 and an unreadable file 3, one line naming
    // the command (and the file unless the arguments were bad); never anything on
    // stdout. A refused config change writes nothing, not even its valid part.
    void refusals_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("code");
        const QString dir = m_dir.path(), rec = m_recording;
        const QString text = m_dir.filePath("R_20261206_000001_S_N.avi");
        writeAll(text, "not a recording");
        QTest::newRow("no command") << QStringList() << 2;
        QTest::newRow("unknown command") << QStringList{"no-such-command"} << 2;
        QTest::newRow("demo card below a file")
            << QStringList{"make-demo-card", text + "/card"} << 1;
        QTest::newRow("cards, no folder") << QStringList{"cards", "--card"} << 2;
        QTest::newRow("config, unknown action") << QStringList{"config", "dump", m_card} << 2;
        QTest::newRow("config, no config.txt") << QStringList{"config", "show", dir} << 3;
        QTest::newRow("config, one value refused")
            << QStringList{"config", "set", m_card, "vol_speaker=1", "cut_volt=6"} << 2;
        QTest::newRow("catalogue, two") << QStringList{"catalogue", "a", "b"} << 2;
        QTest::newRow("catalogue, missing") << QStringList{"catalogue", dir + "/missing"} << 3;
        QTest::newRow("info, option") << QStringList{"info", "--json"} << 2;
        QTest::newRow("info, missing") << QStringList{"info", dir + "/R_missing_S_N.avi"} << 3;
        QTest::newRow("telemetry, unknown format")
            << QStringList{"telemetry", rec, "--format", "xml"} << 2;
        QTest::newRow("telemetry, not a recording") << QStringList{"telemetry", text} << 3;
        QTest::newRow("export, no such channel")
            << QStringList{"export-channel", rec, "--channel", "3", "--out", dir} << 2;
        QTest::newRow("map tiles, too many")
            << QStringList{"map-tiles", dir + "/tiles", "-40", "-60", "40", "60"} << 2;
        QTest::newRow("report, past the end")
            << QStringList{"report", "--recording", rec, "--at", "5", "--pdf", dir + "/r.pdf"} << 3;
        QTest::newRow("report, far past the end")
            << QStringList{"report", "--recording", rec, "--at", "1e300", "--pdf", dir + "/r.pdf"}
            << 3;
        QTest::newRow("report, unknown unit")
            << QStringList{"report", "--recording", rec,     "--at", "1",
                           "--unit", "kmh",         "--pdf", "r.pdf"}
            << 2;
        QTest::newRow("copy, no --to") << QStringList{"copy", m_card} << 2;
        QTest::newRow("copy, --all and --index")
            << QStringList{"copy", m_card, "--to", dir, "--all", "--index", "0"} << 2;
        QTest::newRow("copy, row past the list")
            << QStringList{"copy", m_card, "--to", dir, "--index", "0", "999"} << 2;
        QTest::newRow("copy, --kind for files")
            << QStringList{"copy", rec, "--to", dir, "--kind", "1"} << 2;
        QTest::newRow("export, no such folder")
            << QStringList{"export-channel", rec, "--channel", "0", "--out", dir + "/missing"} << 1;
    }
    void refusals() {
        QFETCH(QStringList, arguments);
        QFETCH(int, code);
        const QByteArray config = readAll(m_card + "/config.txt");
        const ToolRun run = runTool(arguments, 60000);
        QCOMPARE(run.code, code);
        QCOMPARE(readAll(m_card + "/config.txt"), config);
        QVERIFY(run.out.isEmpty());
        QVERIFY2(run.err.endsWith('\n'), run.err.constData());
        const QByteArray command = "velmora-tool " + arguments.value(0).toUtf8();
        if (code != 2) {
            QVERIFY2(run.err.count('\n') == 1 && run.err.startsWith(command + ": ") &&
                         run.err.contains(arguments.filter(m_dir.path()).value(0).toUtf8()),
                     run.err.constData());
        } else if (arguments.size() > 1) {
            QVERIFY2(run.err.contains(command), run.err.constData());
        }
    }
};

QTEST_GUILESS_MAIN(ToolTest)
#include "tst_tool.moc"
