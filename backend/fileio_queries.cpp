// The telemetry queries of the playing recording. They read the lists of the
// latest finished extraction; the sensor queries answer 0 until it is done.
#include "atomicfile.h"
#include "backendlog.h"
#include "fileio.h"
#include "telemetryexport.h"

#include <QDebug>
#include <QFileInfo>
#include <QUrl>

velmora::TelemetryQueries &FileIO::queries() {
    m_queries.follow(telemetry());
    return m_queries;
}

int FileIO::readPOICnt() {
    return queries().sampleCount();
}
float FileIO::readMagneticDataX(int idx) {
    return queries().sampleX(idx, readProcessState());
}
float FileIO::readMagneticDataY(int idx) {
    return queries().sampleY(idx, readProcessState());
}
float FileIO::readMagneticDataZ(int idx) {
    return queries().sampleZ(idx, readProcessState());
}
int FileIO::readGioDataCnt() {
    return queries().gioCount();
}
QString FileIO::readGioDataLat(int idx) {
    return queries().gioLat(idx);
}
QString FileIO::readGioDataLon(int idx) {
    return queries().gioLon(idx);
}
QString FileIO::readGiolongitude(int idx) {
    return queries().gioEw(idx);
}
float FileIO::readGioDataLat1(int idx) {
    return queries().latitudeOfSecond(idx);
}
float FileIO::readGioDataLon1() {
    return queries().currentLongitude();
}
int FileIO::readGioDataTime(int idx) {
    return queries().gioTime(idx);
}
QString FileIO::readGioDataInfo(int runTime) {
    return queries().positionText(runTime, m_camera.gps_speed);
}
QString FileIO::readCurrentSpeed(int runTime, int speedUnit) {
    return queries().speedText(runTime, speedUnit);
}

QVariantMap FileIO::readGioPosition(int second) {
    velmora::TelemetryQueries &q = queries();
    const int pos = q.findSecond(second);
    const auto point = pos >= 0 ? velmora::trackPoint(q.telemetry().gio[pos])
                                : std::optional<velmora::TrackPoint>();
    if (!point)
        return {{QStringLiteral("valid"), false}};
    return {{QStringLiteral("valid"), true},
            {QStringLiteral("latitude"), point->latitude},
            {QStringLiteral("longitude"), point->longitude}};
}

QVariantList FileIO::readGioTrack() {
    QVariantList track;
    for (const velmora::TrackPoint &p : velmora::trackPoints(queries().telemetry())) {
        track.append(QVariantMap{{QStringLiteral("latitude"), p.latitude},
                                 {QStringLiteral("longitude"), p.longitude},
                                 {QStringLiteral("time"), p.time}});
    }
    return track;
}

int FileIO::readPeakIndex() {
    return readProcessState() > 0 ? queries().peakSample() : -1;
}

QString FileIO::saveTrack(QString target, QString format) {
    const auto kind = velmora::exportFormatFromName(format.toLower());
    if (!kind || *kind == velmora::ExportFormat::Json)
        return QStringLiteral("unknown format \"%1\"").arg(format);
    const velmora::Telemetry &telemetry = queries().telemetry();
    if (readProcessState() <= 0 || telemetry.source.isEmpty())
        return QStringLiteral("no recording is loaded");
    const QString path =
        target.startsWith(QLatin1String("file:")) ? QUrl(target).toLocalFile() : target;
    if (path.isEmpty())
        return QStringLiteral("no file name given");
    const QByteArray bytes =
        velmora::exportTelemetry(telemetry, *kind, QFileInfo(telemetry.source).completeBaseName());
    QString error;
    if (!velmora::replaceFileAtomically(path, bytes, &error)) {
        qCDebug(lcFiles).noquote() << "track not saved: " + error;
        return error;
    }
    qCDebug(lcFiles).noquote() << "track saved: " + path;
    return QString();
}
