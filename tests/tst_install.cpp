// The installed layout: `cmake --install` into a scratch prefix, then the
// installed viewer finds its catalogues and default settings from there.
#include "velmoraversion.h"

#include <QtTest>

namespace {
const QString Cmake = QStringLiteral(CMAKE_COMMAND);
const QString BuildDir = QStringLiteral(BUILD_DIR);
const QString Scenes = QStringLiteral(TEST_SCENES_DIR);

QString run(const QString &program, const QStringList &arguments, int *exitCode,
            const QProcessEnvironment &env = QProcessEnvironment::systemEnvironment()) {
    QProcess process;
    process.setProcessEnvironment(env);
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    process.waitForFinished(120000);
    *exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    return QString::fromLocal8Bit(process.readAll());
}
} // namespace

class InstallTest : public QObject {
    Q_OBJECT

private slots:
    void installedViewerFindsItsFiles() {
        QTemporaryDir prefix;
        int code = 0;
        const QString log = run(Cmake, {"--install", BuildDir, "--prefix", prefix.path()}, &code);
        QVERIFY2(code == 0, qPrintable(log));

        const QDir root(prefix.path());
        for (const char *file :
             {"bin/velmora-viewer", "bin/velmora-tool",
              "share/velmora-viewer/translations/lang_en.qm",
              "share/velmora-viewer/translations/lang_fr.qm",
              "share/velmora-viewer/viewer_config.txt",
              "share/applications/org.velmora.Viewer.desktop",
              "share/metainfo/org.velmora.Viewer.metainfo.xml",
              "share/icons/hicolor/32x32/apps/org.velmora.Viewer.png",
              "share/icons/hicolor/256x256/apps/org.velmora.Viewer.png",
              "share/icons/hicolor/scalable/apps/org.velmora.Viewer.svg",
              "share/doc/velmora-viewer/LICENSE", "share/doc/velmora-viewer/copyright",
              "share/doc/velmora-viewer/THIRD-PARTY.md"})
            QVERIFY2(root.exists(file), file);
        // Nothing but the programs lies in bin/.
        QCOMPARE(QDir(root.filePath("bin")).entryList(QDir::Files),
                 QStringList({"velmora-tool", "velmora-viewer"}));

        const QString viewer = root.filePath("bin/velmora-viewer");
        const QString version = run(viewer, {"--version"}, &code);
        QVERIFY2(version.endsWith("velmora-viewer " VELMORA_VERSION "\n"), qPrintable(version));
        QCOMPARE(code, 0);

        // A user without settings of their own: the installed default is read.
        QTemporaryDir home;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("XDG_CONFIG_HOME", home.path());
        const QString probe = run(viewer, {"--scene", Scenes + "/french.qml"}, &code, env);
        QVERIFY2(code == 0, qPrintable(probe));
        QVERIFY2(probe.contains("qml: probe: Veuillez insérer la carte SD / 4"), qPrintable(probe));
    }
};

QTEST_GUILESS_MAIN(InstallTest)
#include "tst_install.moc"
