// velmora-tool info: channels, header duration, frames and telemetry records
// of one recording as a JSON line; bad arguments and bad files as exit codes.
#include "recordingwriter.h"
#include "toolrunner.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

class ToolInfoTest : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;

    QString write(const QString &name, const velmora::fixtures::RecordingOptions &options) {
        const QString path = m_dir.filePath(name);
        const auto result = velmora::fixtures::writeRecording(path, options);
        if (!result.ok)
            qWarning("fixture: %s", qPrintable(result.error));
        return path;
    }

private slots:
    void recordings_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("channels");
        QTest::addColumn<int>("frames");
        QTest::addColumn<int>("falseTextIdEvery");
        QTest::addColumn<QByteArray>("json");
        // The duration comes from the header walk whatever the name: no "T_2" here.
        QTest::newRow("three channels") << "R_20261206_081512_T_N.avi" << 3 << 300 << 0
                                        << QByteArray("{\"channels\":3,\"duration\":10,"
                                                      "\"frames\":300,\"telemetryRecords\":300}");
        QTest::newRow("one channel, 31 frames")
            << "T_20261206_081512_S_N.avi" << 1 << 31 << 0
            << QByteArray("{\"channels\":1,\"duration\":1.0333333,\"frames\":31,"
                          "\"telemetryRecords\":31}");
        QTest::newRow("text id inside video")
            << "R_20261206_081512_D_N.avi" << 2 << 90 << 4
            << QByteArray("{\"channels\":2,\"duration\":3,"
                          "\"frames\":90,\"telemetryRecords\":90}");
        QTest::newRow("empty data list") << "R_20261206_081512_S_E.avi" << 1 << 0 << 0
                                         << QByteArray("{\"channels\":1,\"duration\":0,"
                                                       "\"frames\":0,\"telemetryRecords\":0}");
    }
    void recordings() {
        QFETCH(QString, name);
        QFETCH(int, channels);
        QFETCH(int, frames);
        QFETCH(int, falseTextIdEvery);
        QFETCH(QByteArray, json);
        velmora::fixtures::RecordingOptions options;
        options.channels = channels;
        options.frames = frames;
        options.falseTextIdEvery = falseTextIdEvery;
        const ToolRun run = runTool({"info", write(name, options)});
        QCOMPARE(run.code, 0);
        QCOMPARE(run.out, json + '\n');
        QVERIFY(run.err.isEmpty());
    }

    void failures() {
        velmora::fixtures::RecordingOptions options;
        options.seconds = 1;
        const QString good = write("R_20261206_090000_S_N.avi", options);
        const QString noMarker = m_dir.filePath("R_20261206_090000_N.avi");
        QVERIFY(QFile::copy(good, noMarker));
        options.videoHandler = "avc1";
        const QString badHeader = write("R_20261206_091000_S_N.avi", options);
        // A valid three-camera header under a one-camera name.
        options.videoHandler = "hev1";
        options.channels = 3;
        const QString wrongMarker = write("R_20261206_092000_S_N.avi", options);

        const struct {
            QStringList args;
            int code;
        } cases[] = {
            {{"info"}, 2},
            {{"info", good, good}, 2},
            {{"info", "--json"}, 2},
            {{"info", m_dir.filePath("R_missing_S_N.avi")}, 3},
            {{"info", m_dir.path()}, 3},
            {{"info", noMarker}, 3},
            {{"info", badHeader}, 3},
            {{"info", wrongMarker}, 3},
        };
        for (const auto &c : cases) {
            const ToolRun run = runTool(c.args);
            QCOMPARE(run.code, c.code);
            QVERIFY(run.out.isEmpty());
            // One clear line on stderr.
            QVERIFY2(run.err.endsWith('\n') && run.err.count('\n') == 1, run.err.constData());
        }
    }
};

QTEST_GUILESS_MAIN(ToolInfoTest)
#include "tst_toolinfo.moc"
