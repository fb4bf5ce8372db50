#include "democard.h"
#include "cameraconfigfile.h"
#include "camerasecret.h"
#include "recordingwriter.h"

#include <QByteArray>
#include <QDir>
#include <QFile>

namespace velmora {

namespace {
const char *const CategoryFolders[] = {"Drive", "DriveEvent", "Parking", "ParkingEvent", "Manual"};

// The settings of a camera fresh from the box, with security code 1234.
CameraSettings demoSettings() {
    CameraSettings s;
    s.cut_volt = 2;
    s.gps_speed = 1;
    s.gsensor_sensitivity = 3;
    s.lang = QStringLiteral("en");
    s.memory_type_mmc = 1;
    s.model = QStringLiteral("VM-3");
    s.motion_sensitivity = 2;
    s.parking_mode = 1;
    s.screen = 1;
    s.secret = QStringLiteral("1234");
    s.secretStored = encodeSecret(s.secret);
    s.security_led = 1;
    s.time_zone = 12;
    s.ver = QStringLiteral("1.0.0");
    s.vol_mic = 1;
    s.vol_speaker = 3;
    return s;
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
        const QString path =
            root.filePath(QLatin1String(clip.folder) + QLatin1Char('/') +
                          demo::cameraFileName(start, clip.channels, clip.category, clip.prefix));
        if (QFile::exists(path))
            continue;
        demo::RecordingOptions options;
        options.channels = clip.channels;
        options.seconds = 5;
        options.payload = demo::Payload::Hevc;
        options.drive.start = start;
        options.drive.cruiseKnots = clip.cruiseKnots;
        options.drive.voidSeconds = clip.voidSeconds;
        const demo::RecordingResult result = demo::writeRecording(path, options);
        if (!result.ok)
            return result.error;
        // The camera closes a file when its recording ends; the list shows that
        // time, on the clock the name was written with.
        QFile written(path);
        if (written.open(QIODevice::ReadWrite))
            written.setFileTime(QDateTime(day, clip.time, Qt::LocalTime).addSecs(options.seconds),
                                QFileDevice::FileModificationTime);
    }
    return QString();
}
} // namespace

QString makeDemoCard(const QString &dir) {
    QDir root(dir);
    for (const char *folder : CategoryFolders) {
        if (!root.mkpath(QLatin1String(folder)))
            return QStringLiteral("cannot create %1").arg(root.filePath(QLatin1String(folder)));
    }
    const QString configPath = root.filePath(QStringLiteral("config.txt"));
    QString error;
    if (!QFile::exists(configPath) && !CameraConfigFile::write(configPath, demoSettings(), &error))
        return error;
    return writeDemoRecordings(root);
}

} // namespace velmora
