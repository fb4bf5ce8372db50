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
    if (parser.isSet(helpOption)) {
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
    for (const QString &file : parser.positionalArguments()) {
        // A file manager may hand over URLs as well as paths.
        const QUrl url = QUrl::fromUserInput(file, QDir::currentPath(), QUrl::AssumeLocalFile);
        if (!url.isLocalFile() || !QFileInfo(url.toLocalFile()).isFile()) {
            options.error = QStringLiteral("Not a file: %1").arg(file);
            return options;
        }
        options.files.append(url);
    }
    return options;
}

} // namespace velmora
