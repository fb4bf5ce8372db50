#include "democard.h"
#include "hevcclips.h"
#include "recordingwriter.h"

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

// A morning on the road: a few short clips with real pictures, named the way
// the camera names them (date and time, channel marker, category suffix).
struct DemoClip {
    const char *folder;
    char prefix;
    int channels;
    QTime time;
    char category;
    double cruiseKnots;
    QSet<int> voidSeconds;
};

QString writeDemoRecordings(const QDir &root) {
    const QDate day(2026, 12, 6);
    const DemoClip clips[] = {
        {"Drive", 'R', 3, QTime(8, 15, 12), 'N', 27.0, {}},
        {"Drive", 'R', 2, QTime(8, 15, 18), 'N', 30.0, {3}},
        {"DriveEvent", 'R', 3, QTime(8, 17, 40), 'E', 24.0, {}},
        {"Parking", 'R', 1, QTime(12, 2, 5), 'P', 0.0, {}},
        {"ParkingEvent", 'R', 2, QTime(12, 40, 51), 'S', 0.0, {}},
        {"Manual", 'T', 3, QTime(9, 1, 33), 'M', 20.0, {}},
    };
    for (const DemoClip &clip : clips) {
        const QDateTime start(day, clip.time, Qt::UTC);
        const QString path = root.filePath(
            QLatin1String(clip.folder) + QLatin1Char('/') +
            fixtures::cameraFileName(start, clip.channels, clip.category, clip.prefix));
        if (QFile::exists(path))
            continue;
        fixtures::RecordingOptions options;
        options.channels = clip.channels;
        options.seconds = 5;
        options.payload = fixtures::Payload::Hevc;
        options.drive.start = start;
        options.drive.cruiseKnots = clip.cruiseKnots;
        options.drive.voidSeconds = clip.voidSeconds;
        const fixtures::RecordingResult result = fixtures::writeRecording(path, options);
        if (!result.ok)
            return result.error;
    }
    return QString();
}
} // namespace

QString makeDemoCard(const QString &dir, QString *warning) {
    QDir root(dir);
    for (const char *folder : CategoryFolders) {
        if (!root.mkpath(QLatin1String(folder)))
            return QStringLiteral("cannot create %1").arg(root.filePath(QLatin1String(folder)));
    }
    const QString configPath = root.filePath(QStringLiteral("config.txt"));
    if (!QFile::exists(configPath)) {
        QSaveFile config(configPath);
        if (!config.open(QIODevice::WriteOnly) || config.write(demoConfig()) < 0 ||
            !config.commit())
            return QStringLiteral("cannot write %1: %2").arg(configPath, config.errorString());
    }
    if (!fixtures::ffmpegAvailable()) {
        // Clips encoded by an earlier run are still used; otherwise skip.
        QString error;
        if (fixtures::hevcAccessUnits(0, 320, 180, &error).isEmpty()) {
            if (warning)
                *warning = QStringLiteral("no demo recordings: %1").arg(error);
            return QString();
        }
    }
    return writeDemoRecordings(root);
}

} // namespace velmora
