#pragma once

#include <QStringList>
#include <QUrl>

namespace velmora {

// What the command line asks of the viewer.
struct StartupOptions {
    QUrl scene;              // the scene to load in place of the main one
    QStringList cardFolders; // folders that count as cards labelled "DASHCAM"
    QList<QUrl> files;       // recordings to open as the File menu does
    QStringList refused;     // files named that cannot be opened (missing, or a comma in the path)
    QStringList options;     // the options alone, to start the program again with
    QString error;           // set when the command line cannot be used
    QString output;          // --help or --version: print this and stop

    static StartupOptions parse(const QStringList &arguments);
};

} // namespace velmora
