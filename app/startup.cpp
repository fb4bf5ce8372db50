#include "startup.h"

#include "applog.h"
#include "cardenvironment.h"
#include "commonfunc.h"
#include "playerregistration.h"
#include "registration.h"
#include "renderchoice.h"
#include "startupoptions.h"
#include "systemvolumes.h"
#include "velmoraversion.h"

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
constexpr int UsageExitCode = 2;

// --help and --version answer on a terminal without a display.
bool asksForTextOnly(int argc, char *argv[]) {
    for (int i = 1; i < argc; ++i) {
        const QLatin1String arg(argv[i]);
        for (const char *option : {"-h", "--help", "-?", "--help-all", "-v", "--version"}) {
            if (arg == QLatin1String(option))
                return true;
        }
    }
    return false;
}
} // namespace

void setApplicationIdentity() {
    QCoreApplication::setApplicationName(QStringLiteral("velmora-viewer"));
    QCoreApplication::setApplicationVersion(QStringLiteral(VELMORA_VERSION));
    // Ties the window to the desktop entry (its icon and name in task bars).
    QGuiApplication::setDesktopFileName(QStringLiteral("org.velmora.Viewer"));
}

int runViewer(int argc, char *argv[]) {
    writeDebugLinesPlain();
    QCoreApplication::setAttribute(Qt::AA_EnableHighDpiScaling, true);
    const std::unique_ptr<QCoreApplication> app =
        asksForTextOnly(argc, argv) ? std::make_unique<QCoreApplication>(argc, argv)
                                    : std::make_unique<QApplication>(argc, argv);
    setApplicationIdentity();
    // libmpv refuses to start under a numeric locale other than "C".
    std::setlocale(LC_NUMERIC, "C");

    StartupOptions options = StartupOptions::parse(QCoreApplication::arguments());
    // "-v" taken as the value of an option leaves a window to open without
    // a window system.
    if (options.error.isEmpty() && options.output.isEmpty() &&
        !qobject_cast<QApplication *>(app.get()))
        options.error = QStringLiteral("an option that only prints cannot be a value");
    if (!options.error.isEmpty()) {
        std::fprintf(stderr,
                     "velmora-viewer: %s\n"
                     "usage: velmora-viewer [--card DIR]... [--scene URL] [FILES...]\n",
                     qPrintable(options.error));
        return UsageExitCode;
    }
    if (!options.output.isEmpty()) {
        std::fputs(qPrintable(options.output), stdout);
        return 0;
    }

    applyRendererChoice();
    registerBackendTypes();
    registerPlayerTypes();

    auto engine = std::make_unique<QQmlApplicationEngine>();
    CardEnvironment::attach(engine.get(), std::make_shared<SystemVolumes>(options.cardFolders));
    publishBackendObjects(engine.get());

    CommonFunc::setRestartArguments(options.options);
    if (!options.files.isEmpty() || !options.refused.isEmpty()) {
        // The main window opens them once it is built, in place of the card
        // dialog, and tells of those it cannot open.
        QVariantList files;
        for (const QUrl &file : options.files)
            files.append(file);
        engine->setInitialProperties({{QStringLiteral("startupFiles"), files},
                                      {QStringLiteral("refusedFiles"), options.refused}});
    }
    engine->load(options.scene.isEmpty() ? MainScene : options.scene);
    if (engine->rootObjects().isEmpty())
        return -1;

    const QString desktop = QStringLiteral("%1/").arg(
        QStandardPaths::writableLocation(QStandardPaths::DesktopLocation));
    qCDebug(lcStartup).noquote() << "windows ======> ver 1.0.0 " + desktop;
    qCDebug(lcStartup).noquote() << "autoexec ======> " + desktop;

    QIcon icon;
    for (const char *size : {"32", "64", "128", "256"})
        icon.addFile(QStringLiteral(":/icons/app-%1.png").arg(QLatin1String(size)));
    QApplication::setWindowIcon(icon);

    const int result = QApplication::exec();
    engine.reset();
    return result;
}

} // namespace velmora
