// Start-up of the real viewer executable: registrations, the scene, the two
// log lines, the exit codes and the restart.
#include <QDir>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
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

Run runViewer(const QStringList &arguments) {
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(Viewer, arguments);
    Run run;
    if (!process.waitForFinished(Timeout)) {
        process.kill();
        process.waitForFinished();
        run.exitCode = -999;
    } else {
        run.exitCode = process.exitCode();
        run.status = process.exitStatus();
    }
    run.lines = QString::fromLocal8Bit(process.readAll()).split('\n');
    return run;
}

QString desktopWithSlash() {
    return QStandardPaths::writableLocation(QStandardPaths::DesktopLocation) + "/";
}

int indexOfLineStartingWith(const QStringList &lines, const QString &start) {
    for (int i = 0; i < lines.size(); ++i) {
        if (lines[i].startsWith(start))
            return i;
    }
    return -1;
}

} // namespace

class StartupTest : public QObject {
    Q_OBJECT

private slots:
    void sceneSeesTheBackend() {
        QTemporaryDir card;
        const Run run = runViewer({"--scene", Scenes + "/probe.qml", "--card", card.path()});
        const QString log = run.lines.join('\n');
        QCOMPARE(run.exitCode, 0);
        QVERIFY2(run.lines.contains("qml: probe: enum 0 1 2"), qPrintable(log));
        QVERIFY(run.lines.contains("qml: probe: language 0"));
        QVERIFY(run.lines.contains("qml: probe: contentStr content__"));
        QVERIFY(run.lines.contains("qml: probe: state 0 0"));
        // The --card folder is found by the search the scene's FileIO runs as it is made.
        QVERIFY2(run.lines.contains("qml: probe: card " + card.path() + "/"), qPrintable(log));
        const int sourceLine = indexOfLineStartingWith(run.lines, "qml: probe: source Drive ");
        QVERIFY2(sourceLine >= 0, qPrintable(log));
    }

    void logsTheDesktopFolderTwiceInOrder() {
        const Run run = runViewer({"--scene", Scenes + "/probe.qml"});
        QCOMPARE(run.exitCode, 0);
        const int windows = run.lines.indexOf("windows ======> ver 1.0.0 " + desktopWithSlash());
        const int autoexec = run.lines.indexOf("autoexec ======> " + desktopWithSlash());
        QVERIFY2(windows >= 0, qPrintable(run.lines.join('\n')));
        QVERIFY(autoexec == windows + 1);
        // Both come after the scene was built.
        QVERIFY(indexOfLineStartingWith(run.lines, "qml: probe: enum") < windows);
    }

    void sceneWithoutRootObjectExitsWithMinusOne_data() {
        QTest::addColumn<QString>("scene");
        QTest::newRow("missing file") << "file:///nonexistent/velmora/missing.qml";
        QTest::newRow("missing resource") << "qrc:/nothing-here.qml";
    }

    void sceneWithoutRootObjectExitsWithMinusOne() {
        QFETCH(QString, scene);
        const Run run = runViewer({"--scene", scene});
        QCOMPARE(run.status, QProcess::NormalExit);
        QCOMPARE(run.exitCode, 255); // -1 as the system reports it
        QCOMPARE(indexOfLineStartingWith(run.lines, "windows ======>"), -1);
        QCOMPARE(indexOfLineStartingWith(run.lines, "autoexec ======>"), -1);
    }

    void badCommandLineIsRefused() {
        const Run run = runViewer({"--no-such-option"});
        QCOMPARE(run.exitCode, 2);
        QVERIFY(indexOfLineStartingWith(run.lines, "usage: velmora-viewer") >= 0);
    }

    void mainSceneFromTheBundleRunsTheCardSearch() {
        QTemporaryDir card;
        QProcess process;
        process.setProcessChannelMode(QProcess::MergedChannels);
        process.start(Viewer, {"--card", card.path()});
        QString log;
        QElapsedTimer timer;
        timer.start();
        while (!log.contains("autoexec ======> ") && timer.elapsed() < Timeout &&
               process.state() != QProcess::NotRunning) {
            process.waitForReadyRead(1000);
            log += QString::fromLocal8Bit(process.readAll());
        }
        const bool running = process.state() == QProcess::Running;
        process.kill();
        process.waitForFinished();
        QVERIFY2(running, qPrintable(log));
        const QStringList lines = log.split('\n');
        QVERIFY2(lines.contains("mSource:DASHCAM"), qPrintable(log));
        QVERIFY(lines.contains("source ===>  :" + card.path() + "/"));
        QVERIFY(lines.indexOf("mSource:DASHCAM") <
                lines.indexOf("autoexec ======> " + desktopWithSlash()));
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
