#include "startupoptions.h"

#include <QCommandLineParser>
#include <QDir>

namespace velmora {

StartupOptions StartupOptions::parse(const QStringList &arguments) {
    QCommandLineParser parser;
    const QCommandLineOption sceneOption(
        QStringLiteral("scene"), QStringLiteral("Load the scene at URL instead of the main one."),
        QStringLiteral("URL"));
    const QCommandLineOption cardOption(
        QStringLiteral("card"),
        QStringLiteral("Treat DIR as a camera card labelled DASHCAM (may be repeated)."),
        QStringLiteral("DIR"));
    parser.addOption(sceneOption);
    parser.addOption(cardOption);

    StartupOptions options;
    if (!parser.parse(arguments)) {
        options.error = parser.errorText();
        return options;
    }
    if (!parser.positionalArguments().isEmpty()) {
        options.error = QStringLiteral("Unexpected argument: %1")
                            .arg(parser.positionalArguments().constFirst());
        return options;
    }
    if (parser.isSet(sceneOption)) {
        const QString text = parser.value(sceneOption);
        // A plain path is taken as a local file; anything with a scheme as a URL.
        options.scene = QUrl::fromUserInput(text, QDir::currentPath(), QUrl::AssumeLocalFile);
    }
    options.cardFolders = parser.values(cardOption);
    return options;
}

} // namespace velmora
