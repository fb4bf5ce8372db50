#include "viewerconfigfile.h"

#include "atomicfile.h"
#include "datafiles.h"
#include "inisnapshot.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>

namespace velmora {

namespace {
const QString Group = QStringLiteral("config");
const QString FileName = QStringLiteral("viewer_config.txt");

QByteArray contentOf(const QString &path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
} // namespace

ViewerConfigFile::ViewerConfigFile(QString besideExecutable, QString userCopy,
                                   QString installedDefault)
    : m_besideExecutable(std::move(besideExecutable))
    , m_userCopy(std::move(userCopy))
    , m_installedDefault(std::move(installedDefault)) {}

ViewerConfigFile ViewerConfigFile::forThisProgram() {
    // The user's folder is named after the viewer, whichever program asks.
    const QString userFolder =
        QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
        QStringLiteral("/velmora-viewer");
    return ViewerConfigFile(QCoreApplication::applicationDirPath() + QLatin1Char('/') + FileName,
                            userFolder + QLatin1Char('/') + FileName,
                            installedDataFolder() + QLatin1Char('/') + FileName);
}

bool ViewerConfigFile::installedOnly() const {
    return !QFileInfo::exists(m_besideExecutable) && !m_installedDefault.isEmpty() &&
           QFileInfo::exists(m_installedDefault);
}

QString ViewerConfigFile::readPath() const {
    if (QFileInfo::exists(m_userCopy))
        return m_userCopy;
    return installedOnly() ? m_installedDefault : m_besideExecutable;
}

QString ViewerConfigFile::writePath() const {
    // An installed viewer never writes into the system's folders, even as root.
    if (QFileInfo::exists(m_userCopy) || installedOnly())
        return m_userCopy;
    const QFileInfo beside(m_besideExecutable);
    const bool writable =
        beside.exists() ? beside.isWritable() : QFileInfo(beside.absolutePath()).isWritable();
    return writable ? m_besideExecutable : m_userCopy;
}

bool ViewerConfigFile::read(ViewerSettings &settings) const {
    const QString path = readPath();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const IniSnapshot ini = IniSnapshot::parse(file.readAll(), Group);
    settings.lang = ini.text(QStringLiteral("lang"));
    settings.resolution = ini.integer(QStringLiteral("resolution"));
    settings.speedUnit = ini.integer(QStringLiteral("speedunit"));
    // The map keys are optional: a file without them keeps the defaults.
    const ViewerSettings defaults;
    const QString tileKey = QStringLiteral("maptileurl");
    settings.mapTileUrl = ini.contains(tileKey) ? ini.text(tileKey) : defaults.mapTileUrl;
    settings.mapOfflineDir = ini.text(QStringLiteral("mapofflinedir"));
    return true;
}

bool ViewerConfigFile::write(const ViewerSettings &settings, QString *error) const {
    const QString target = writePath();
    const auto fail = [&](const QString &why) {
        if (error)
            *error = why;
        return false;
    };
    if (!QDir().mkpath(QFileInfo(target).absolutePath()))
        return fail(QStringLiteral("cannot create the folder of %1").arg(target));

    // Let Qt's INI writer update a private copy of the current file, so the
    // keys keep their places and spellings and other entries survive.
    const QByteArray current = contentOf(readPath());
    const IniSnapshot existing = IniSnapshot::parse(current, Group);
    QTemporaryDir dir;
    if (!dir.isValid())
        return fail(QStringLiteral("no temporary folder: %1").arg(dir.errorString()));
    const QString copyPath = dir.filePath(FileName);
    {
        QFile copy(copyPath);
        if (!copy.open(QIODevice::WriteOnly) || copy.write(current) != current.size())
            return fail(QStringLiteral("cannot prepare %1").arg(copyPath));
    }
    {
        QSettings ini(copyPath, QSettings::IniFormat);
        const auto spelling = [&](const char *lower, const char *fresh) {
            const QString known = existing.spelling(QLatin1String(lower));
            return known.isEmpty() ? QString::fromLatin1(fresh) : known;
        };
        ini.beginGroup(Group);
        ini.setValue(spelling("lang", "lang"), settings.lang);
        ini.setValue(spelling("resolution", "resolution"), settings.resolution);
        ini.setValue(spelling("speedunit", "speedUnit"), settings.speedUnit);
        const ViewerSettings defaults;
        const QString tileKey = spelling("maptileurl", "maptileurl");
        if (existing.contains(tileKey) || settings.mapTileUrl != defaults.mapTileUrl)
            ini.setValue(tileKey, settings.mapTileUrl);
        const QString folderKey = spelling("mapofflinedir", "mapofflinedir");
        if (existing.contains(folderKey) || settings.mapOfflineDir != defaults.mapOfflineDir)
            ini.setValue(folderKey, settings.mapOfflineDir);
        ini.endGroup();
        ini.sync();
        if (ini.status() != QSettings::NoError)
            return fail(QStringLiteral("the INI writer failed"));
    }
    return replaceFileAtomically(target, contentOf(copyPath), error);
}

} // namespace velmora
