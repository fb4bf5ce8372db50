// Start-up of the real viewer: registrations, the scene, two log lines, exit codes, restart.
#include <QtTest>

namespace {

const QString Viewer = QStringLiteral(VIEWER_PATH);
const QString Scenes = QStringLiteral(TEST_SCENES_DIR);
constexpr int Timeout = 60000;

struct Run {
    int exitCode = 0;
    QProcess::ExitStatus status = QProcess::NormalExit;
    QStringList lines; // stdout and stderr together, in order
};

// Runs the viewer to its end or, with `until`, until a line holding it is
// written; one still running then is stopped and reads exit code -999.
Run runViewer(const QStringList &arguments, const QString &until = QString()) {
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(Viewer, arguments);
    QString log;
    QElapsedTimer timer;
    timer.start();
    while (process.state() != QProcess::NotRunning && timer.elapsed() < Timeout &&
           (until.isEmpty() || !log.contains(until))) {
        process.waitForReadyRead(1000);
        log += QString::fromLocal8Bit(process.readAll());
    }
    Run run;
    if (process.state() != QProcess::NotRunning) {
        process.kill();
        process.waitForFinished();
        run.exitCode = -999;
    } else {
        run.exitCode = process.exitCode();
        run.status = process.exitStatus();
    }
    run.lines = (log + QString::fromLocal8Bit(process.readAll())).split('\n');
    return run;
}

QString desktopWithSlash() {
    return QStandardPaths::writableLocation(QStandardPaths::DesktopLocation) + "/";
}

int indexOfLineStartingWith(const QStringList &lines, const QString &start) {
    return lines.indexOf(QRegularExpression(QRegularExpression::escape(start) + ".*"));
}

} // namespace

class StartupTest : public QObject {
    Q_OBJECT

private slots:
    // The probe scene reads the backend; its FileIO's search finds the --card folder. The
    // picture path is logged before the scene is built, the desktop folder twice after.
    void sceneSeesTheBackend() {
        QTemporaryDir card;
        // Files named on the command line reach the scene as file URLs; a
        // missing one, or one the comma-separated pick list cannot hold, as a
        // path the window tells of.
        const QString picked = card.filePath("R_20261206_081512_T_N.avi");
        const QString comma = card.filePath("R_20261206_081512,T_N.avi");
        const QString missing = card.filePath("R_20261206_090000_T_N.avi");
        QVERIFY(QFile(picked).open(QIODevice::WriteOnly) &&
                QFile(comma).open(QIODevice::WriteOnly));
        const Run run = runViewer(
            {"--scene", Scenes + "/probe.qml", "--card", card.path(), picked, comma, missing});
        const QString log = run.lines.join('\n');
        QCOMPARE(run.exitCode, 0);
        for (const QString &line :
             QStringList{"enum 0 1 2", "language 0", "contentStr content__", "state 0 0",
                         "card " + card.path() + "/",
                         "files file://" + picked + " refused " + comma + " " + missing})
            QVERIFY2(run.lines.contains("qml: probe: " + line), qPrintable(log));
        QVERIFY2(indexOfLineStartingWith(run.lines, "qml: probe: source Drive ") >= 0,
                 qPrintable(log));
        const int windows = run.lines.indexOf("windows ======> ver 1.0.0 " + desktopWithSlash());
        QVERIFY2(windows >= 0, qPrintable(log));
        QCOMPARE(run.lines.indexOf("autoexec ======> " + desktopWithSlash()), windows + 1);
        QVERIFY(indexOfLineStartingWith(run.lines, "qml: probe: enum") < windows);
        // The picture path is chosen before the scene is built.
        const int path = indexOfLineStartingWith(run.lines, "picture path: ");
        QVERIFY2(path >= 0 && path < indexOfLineStartingWith(run.lines, "qml: probe: enum"),
                 qPrintable(log));
    }

    // A scene without a root object exits with -1 (255 as the system reports
    // it), a bad command line with 2 and the usage; neither logs the desktop.
    void refusedStarts() {
        const struct {
            QStringList arguments;
            int code;
        } cases[] = {{{"--scene", "file:///nonexistent/velmora/missing.qml"}, 255},
                     {{"--no-such-option"}, 2}};
        for (const auto &c : cases) {
            const Run run = runViewer(c.arguments);
            QCOMPARE(run.status, QProcess::NormalExit);
            QCOMPARE(run.exitCode, c.code);
            QVERIFY(c.code != 2 ||
                    indexOfLineStartingWith(run.lines, "usage: velmora-viewer") >= 0);
            QCOMPARE(indexOfLineStartingWith(run.lines, "windows ======>"), -1);
            QCOMPARE(indexOfLineStartingWith(run.lines, "autoexec ======>"), -1);
        }
    }

    // The main scene from the bundle: still running once it logged the desktop folder.
    void mainSceneFromTheBundleRuns() {
        QTemporaryDir card;
        const Run run = runViewer({"--card", card.path()}, "autoexec ======> ");
        QVERIFY2(run.exitCode == -999, qPrintable(run.lines.join('\n')));
    }

    void restartStartsANewProcessAndExitsWith12() {
        QTemporaryDir dir;
        QVERIFY(QFile::copy(Scenes + "/restart.qml", dir.filePath("restart.qml")));
        QProcess process;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QML_XHR_ALLOW_FILE_READ", "1");
        env.insert("QML_XHR_ALLOW_FILE_WRITE", "1");
        process.setProcessEnvironment(env);
        // The new process inherits our output channels; a file outlives both.
        process.setStandardOutputFile(dir.filePath("out.log"));
        process.setStandardErrorFile(dir.filePath("err.log"));
        process.start(Viewer, {"--scene", dir.filePath("restart.qml")});
        QVERIFY(process.waitForFinished(Timeout));
        QCOMPARE(process.exitStatus(), QProcess::NormalExit);
        QCOMPARE(process.exitCode(), 12);

        const auto marker = [&] {
            QFile file(dir.filePath("restart-marker.txt"));
            return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
        };
        QTRY_COMPARE_WITH_TIMEOUT(marker(), QByteArray("restarted"), Timeout);
    }
};

QTEST_GUILESS_MAIN(StartupTest)
#include "tst_startup.moc"
