#include "startupoptions.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace velmora {

StartupOptions StartupOptions::parse(const QStringList &arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Plays, lists and exports the recordings of an in-car camera."));
    const QCommandLineOption helpOption = parser.addHelpOption();
    const QCommandLineOption versionOption = parser.addVersionOption();
    const QCommandLineOption sceneOption(
        QStringLiteral("scene"), QStringLiteral("Load the scene at URL instead of the main one."),
        QStringLiteral("URL"));
    const QCommandLineOption cardOption(
        QStringLiteral("card"),
        QStringLiteral("Treat DIR as a camera card labelled DASHCAM (may be repeated)."),
        QStringLiteral("DIR"));
    parser.addOption(sceneOption);
    parser.addOption(cardOption);
    parser.addPositionalArgument(QStringLiteral("files"),
                                 QStringLiteral("Recordings to open; the first one plays."),
                                 QStringLiteral("[FILES...]"));

    StartupOptions options;
    if (!parser.parse(arguments)) {
        options.error = parser.errorText();
        return options;
    }
    if (parser.isSet(helpOption) || parser.isSet(QStringLiteral("help-all"))) {
        options.output = parser.helpText();
        return options;
    }
    if (parser.isSet(versionOption)) {
        options.output = QStringLiteral("%1 %2\n").arg(QCoreApplication::applicationName(),
                                                       QCoreApplication::applicationVersion());
        return options;
    }
    if (parser.isSet(sceneOption)) {
        const QString text = parser.value(sceneOption);
        // A plain path is taken as a local file; anything with a scheme as a URL.
        options.scene = QUrl::fromUserInput(text, QDir::currentPath(), QUrl::AssumeLocalFile);
    }
    options.cardFolders = parser.values(cardOption);
    for (const QString &folder : options.cardFolders)
        options.options << QStringLiteral("--card") << folder;
    if (parser.isSet(sceneOption))
        options.options << QStringLiteral("--scene") << parser.value(sceneOption);
    for (const QString &file : parser.positionalArguments()) {
        // A file manager may hand over URLs as well as paths. The list of
        // picked files is separated by commas, so a path with one cannot go in.
        const QUrl url = QUrl::fromUserInput(file, QDir::currentPath(), QUrl::AssumeLocalFile);
        const QString path = url.isLocalFile() ? url.toLocalFile() : file;
        if (!url.isLocalFile() || !QFileInfo(path).isFile() || path.contains(QLatin1Char(',')))
            options.refused.append(path);
        else
            options.files.append(url);
    }
    return options;
}

} // namespace velmora
