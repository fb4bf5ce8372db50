#include "datafiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace velmora {

QString installedDataFolder() {
    return QDir::cleanPath(QCoreApplication::applicationDirPath() +
                           QStringLiteral("/../share/velmora-viewer"));
}

QString programDataFolder(const QString &fileName, const QString &subfolder) {
    const QString beside = QCoreApplication::applicationDirPath();
    if (QFileInfo::exists(beside + QLatin1Char('/') + fileName))
        return beside;
    const QString installed = subfolder.isEmpty()
                                  ? installedDataFolder()
                                  : installedDataFolder() + QLatin1Char('/') + subfolder;
    return QFileInfo::exists(installed + QLatin1Char('/') + fileName) ? installed : beside;
}

} // namespace velmora
