#include "democard.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QSaveFile>

namespace velmora {

namespace {
const char *const CategoryFolders[] = {"Drive", "DriveEvent", "Parking", "ParkingEvent", "Manual"};

// A typical camera config.txt: "[config]", the twenty keys in ascending order
// with line-feed ends, then one checksum byte (sum of all bytes mod 256).
QByteArray demoConfig() {
    QByteArray text = "[config]\n"
                      "adas_fcws=0\n"
                      "adas_ldws=0\n"
                      "cut_volt=2\n"
                      "gps_speed=1\n"
                      "gsensor_sensitivity=3\n"
                      "lang=en\n"
                      "memory_type_mmc=1\n"
                      "model=VM-3\n"
                      "motion_sensitivity=2\n"
                      "parking_mode=1\n"
                      "radar_sensitivity=0\n"
                      "screen=1\n"
                      "secret=\n"
                      "security_led=1\n"
                      "time_dst=0\n"
                      "time_manual=0\n"
                      "time_zone=12\n"
                      "ver=1.0.0\n"
                      "vol_mic=1\n"
                      "vol_speaker=3\n";
    unsigned char sum = 0;
    for (char c : text)
        sum = static_cast<unsigned char>(sum + static_cast<unsigned char>(c));
    text.append(static_cast<char>(sum));
    return text;
}
} // namespace

QString makeDemoCard(const QString &dir) {
    QDir root(dir);
    for (const char *folder : CategoryFolders) {
        if (!root.mkpath(QLatin1String(folder)))
            return QStringLiteral("cannot create %1").arg(root.filePath(QLatin1String(folder)));
    }
    const QString configPath = root.filePath(QStringLiteral("config.txt"));
    if (QFile::exists(configPath))
        return QString();
    QSaveFile config(configPath);
    if (!config.open(QIODevice::WriteOnly) || config.write(demoConfig()) < 0 || !config.commit())
        return QStringLiteral("cannot write %1: %2").arg(configPath, config.errorString());
    return QString();
}

} // namespace velmora
