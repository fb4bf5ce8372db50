#include "startup.h"

#include "cardenvironment.h"
#include "playerregistration.h"
#include "registration.h"
#include "startupoptions.h"
#include "systemvolumes.h"

#include <QApplication>
#include <QDebug>
#include <QIcon>
#include <QQmlApplicationEngine>
#include <QStandardPaths>
#include <clocale>
#include <cstdio>
#include <memory>

namespace velmora {

namespace {
const QUrl MainScene(QStringLiteral("qrc:/main.qml"));
const QString WindowIcon = QStringLiteral(":/images/symbol-velmora_32.png");
constexpr int UsageExitCode = 2;
} // namespace

int runViewer(int argc, char *argv[]) {
    QCoreApplication::setAttribute(Qt::AA_EnableHighDpiScaling, true);
    QApplication app(argc, argv);
    // libmpv refuses to start under a numeric locale other than "C".
    std::setlocale(LC_NUMERIC, "C");

    const StartupOptions options = StartupOptions::parse(QCoreApplication::arguments());
    if (!options.error.isEmpty()) {
        std::fprintf(stderr,
                     "velmora-viewer: %s\n"
                     "usage: velmora-viewer [--card DIR]... [--scene URL]\n",
                     qPrintable(options.error));
        return UsageExitCode;
    }

    registerBackendTypes();
    registerPlayerTypes();

    auto engine = std::make_unique<QQmlApplicationEngine>();
    CardEnvironment::attach(engine.get(), std::make_shared<SystemVolumes>(options.cardFolders));
    publishBackendObjects(engine.get());

    engine->load(options.scene.isEmpty() ? MainScene : options.scene);
    if (engine->rootObjects().isEmpty())
        return -1;

    const QString desktop = QStringLiteral("%1/").arg(
        QStandardPaths::writableLocation(QStandardPaths::DesktopLocation));
    qDebug().noquote() << "windows ======> ver 1.0.0 " + desktop;
    qDebug().noquote() << "autoexec ======> " + desktop;

    QApplication::setWindowIcon(QIcon(WindowIcon));

    const int result = QApplication::exec();
    engine.reset();
    return result;
}

} // namespace velmora
