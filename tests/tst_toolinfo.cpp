// velmora-tool info: channels, header duration, frames and telemetry records
// of one recording as a JSON line; bad arguments (2) and bad files (3) with
// one line on stderr.
#include "recordingwriter.h"
#include "toolrunner.h"

#include <QTemporaryDir>
#include <QtTest>

class ToolInfoTest : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;

    QString write(const QString &name, int channels, int frames,
                  const QByteArray &videoHandler = "hev1") {
        velmora::fixtures::RecordingOptions options;
        options.channels = channels;
        options.frames = frames;
        options.videoHandler = videoHandler;
        const QString path = m_dir.filePath(name);
        if (!velmora::fixtures::writeRecording(path, options).ok)
            qWarning("fixture %s not written", qPrintable(name));
        return path;
    }

private slots:
    // The duration comes from the header walk whatever the name: no "T_2" here.
    void recordings() {
        ToolRun run = runTool({"info", write("R_20261206_081512_T_N.avi", 3, 300)});
        QCOMPARE(run.code, 0);
        QCOMPARE(run.out,
                 QByteArray(
                     "{\"channels\":3,\"duration\":10,\"frames\":300,\"telemetryRecords\":300}\n"));
        QVERIFY(run.err.isEmpty());
        run = runTool({"info", write("T_20261206_081512_S_N.avi", 1, 31)});
        QCOMPARE(
            run.out,
            QByteArray(
                "{\"channels\":1,\"duration\":1.0333333,\"frames\":31,\"telemetryRecords\":31}\n"));
    }

    void failures() {
        const QString good = write("R_20261206_090000_S_N.avi", 1, 30);
        const QString noMarker = m_dir.filePath("R_20261206_090000_N.avi");
        QVERIFY(QFile::copy(good, noMarker));
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
            {{"info", write("R_20261206_091000_S_N.avi", 1, 30, "avc1")}, 3},
            // A valid three-camera header under a one-camera name.
            {{"info", write("R_20261206_092000_S_N.avi", 3, 30)}, 3},
        };
        for (const auto &c : cases) {
            const ToolRun run = runTool(c.args);
            QCOMPARE(run.code, c.code);
            QVERIFY(run.out.isEmpty());
            QVERIFY2(run.err.endsWith('\n') && run.err.count('\n') == 1, run.err.constData());
        }
    }
};

QTEST_GUILESS_MAIN(ToolInfoTest)
#include "tst_toolinfo.moc"
