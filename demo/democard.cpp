#include "democard.h"
#include "avilayout.h"
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

// A morning in Barcelona: a trip of five consecutive 20 s clips up Passeig de
// Gràcia from Plaça de Catalunya and through the grid of the Eixample (right at
// a crossing, a red light, left again), then the clip that follows them, an
// impact after hard braking, filed as an event. Later the car stands parked
// and gets a knock; one manual clip; and an older drive in Buenos Aires, south
// and west, with one second without a fix. Times are UTC, as on a camera set
// to UTC, in the names and in the sentences alike.
constexpr int TripClips = 5;
constexpr int TripClipSeconds = 20;

struct DemoClip {
    const char *folder;
    char category;
    int channels;
    int seconds;
    demo::DriveScript drive;
    char prefix = 'R';
};

demo::DriveScript barcelonaTrip() {
    demo::DriveScript trip;
    trip.start = QDateTime(QDate(2026, 12, 6), QTime(8, 15, 12), Qt::UTC);
    trip.startLatitude = 41.38790;
    trip.startLongitude = 2.16920;
    trip.headingDegrees = 320.0; // up the avenue, away from the sea
    trip.legs = {
        {2, 0.0, 0.0},   {10, 22.0, 0.0}, {12, 23.0, 0.0}, // away from the square
        {4, 9.0, 0.0},   {4, 9.0, 90.0},  {8, 20.0, 0.0},  // right at a crossing
        {6, 0.0, 0.0},   {8, 0.0, 0.0},   {8, 18.0, 0.0},  // a red light
        {4, 8.0, 0.0},   {4, 8.0, -90.0}, {10, 24.0, 0.0}, // left, up the grid again
        {12, 26.0, 0.0}, {8, 22.0, 0.0},  {8, 24.0, 0.0},  // cruising
        {2, 4.0, 0.0},   {1, 0.0, 0.0},                    // braking hard, the impact
    };
    return trip;
}

QVector<DemoClip> demoClips() {
    QVector<DemoClip> clips;
    const demo::DriveScript trip = barcelonaTrip();
    for (int k = 0; k <= TripClips; ++k) {
        DemoClip clip{"Drive", 'N', 3, TripClipSeconds, trip};
        clip.drive.tripOffsetSeconds = k * TripClipSeconds;
        if (k == TripClips) {
            clip.folder = "DriveEvent";
            clip.category = 'E';
            clip.drive.impactFrame = TripClipSeconds * avi::FramesPerSecond / 2;
        }
        clips << clip;
    }

    demo::DriveScript parked;
    parked.startLatitude = 41.39350;
    parked.startLongitude = 2.16400;
    parked.cruiseKnots = 0.0;
    parked.start = QDateTime(QDate(2026, 12, 6), QTime(12, 2, 5), Qt::UTC);
    clips << DemoClip{"Parking", 'P', 1, 5, parked};
    parked.start = QDateTime(QDate(2026, 12, 6), QTime(12, 40, 51), Qt::UTC);
    parked.impactFrame = 75;
    parked.impactG = 1.2;
    clips << DemoClip{"ParkingEvent", 'S', 2, 5, parked};

    demo::DriveScript manual;
    manual.start = QDateTime(QDate(2026, 12, 6), QTime(9, 1, 33), Qt::UTC);
    manual.startLatitude = trip.startLatitude;
    manual.startLongitude = trip.startLongitude;
    manual.headingDegrees = 50.0;
    manual.cruiseKnots = 20.0;
    clips << DemoClip{"Manual", 'M', 3, 5, manual, 'T'};

    // North on Avenida 9 de Julio past the Obelisco, then left.
    demo::DriveScript buenosAires;
    buenosAires.start = QDateTime(QDate(2026, 11, 21), QTime(19, 5, 30), Qt::UTC);
    buenosAires.startLatitude = -34.60480;
    buenosAires.startLongitude = -58.38160;
    buenosAires.headingDegrees = 352.0;
    buenosAires.legs = {
        {0, 20.0, 0.0}, {6, 26.0, 0.0}, {4, 10.0, 0.0}, {4, 10.0, -90.0}, {6, 20.0, 0.0}};
    buenosAires.voidSeconds = {6};
    clips << DemoClip{"Drive", 'N', 2, 20, buenosAires};
    return clips;
}

QString writeDemoRecordings(const QDir &root) {
    for (const DemoClip &clip : demoClips()) {
        const QDateTime start = clip.drive.recordingStart();
        const QString path =
            root.filePath(QLatin1String(clip.folder) + QLatin1Char('/') +
                          demo::cameraFileName(start, clip.channels, clip.category, clip.prefix));
        if (QFile::exists(path))
            continue;
        demo::RecordingOptions options;
        options.channels = clip.channels;
        options.seconds = clip.seconds;
        options.payload = demo::Payload::Hevc;
        options.drive = clip.drive;
        const demo::RecordingResult result = demo::writeRecording(path, options);
        if (!result.ok)
            return result.error;
        // The camera closes a file when its recording ends; the list shows that
        // time, on the clock the name was written with.
        QFile written(path);
        if (written.open(QIODevice::ReadWrite))
            written.setFileTime(
                QDateTime(start.date(), start.time(), Qt::LocalTime).addSecs(options.seconds),
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
