#include "evidence.h"

#include "durationwalk.h"
#include "telemetryexport.h"
#include "telemetryextraction.h"
#include "telemetryqueries.h"

#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QRegularExpression>
#include <QVector>
#include <algorithm>
#include <cmath>

namespace velmora::report {

namespace {

constexpr qint64 FramesPerSecond = 30;
constexpr qint64 HashBlock = 1 << 20;

QString twoDigits(qint64 v) {
    return QStringLiteral("%1").arg(v, 2, 10, QLatin1Char('0'));
}

} // namespace

QString momentDateText(const QString &recordingName, qint64 ms) {
    static const QRegularExpression stamp(QStringLiteral("^..(\\d{8}_\\d{6})"));
    const QRegularExpressionMatch match = stamp.match(recordingName);
    QDateTime start;
    if (match.hasMatch()) {
        // The camera's clock has no zone: read in UTC, a start time that
        // this machine's daylight-saving change skips still exists, and no
        // such change enters the sum.
        const QString stampText = match.captured(1);
        start = QDateTime(QDate::fromString(stampText.left(8), QStringLiteral("yyyyMMdd")),
                          QTime::fromString(stampText.mid(9), QStringLiteral("HHmmss")), Qt::UTC);
    }
    if (!start.isValid())
        return recordingName.mid(2, 10);
    return start.addSecs(std::max<qint64>(ms, 0) / 1000)
        .toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}

QString clipPositionText(qint64 ms) {
    const qint64 tenths = std::max<qint64>(ms, 0) / 100;
    return QStringLiteral("%1:%2.%3")
        .arg(twoDigits(tenths / 600), twoDigits(tenths / 10 % 60))
        .arg(tenths % 10);
}

QString gValueText(float value) {
    // The graph's rule in its script: Math.round (halves up), then
    // Math.floor, then the shortest text that reads back the same number.
    const double micro = std::floor(double(value) * 1e6 + 0.5);
    const double cut = std::floor(micro / 100) / 10000;
    if (cut == 0 || !std::isfinite(cut))
        return QStringLiteral("0"); // never "-0"
    return QString::number(cut, 'g', QLocale::FloatingPointShortest);
}

QString gSensorText(const MagneticData &sample) {
    return QStringLiteral("X:%1   Y:%2   Z:%3")
        .arg(gValueText(sample.x), gValueText(sample.y), gValueText(sample.z));
}

int sampleIndexAt(int samples, qint64 ms, qint64 durationMs) {
    if (samples <= 0)
        return -1;
    if (durationMs <= 0)
        return 0;
    const qint64 index = qint64(samples) * std::clamp<qint64>(ms, 0, durationMs) / durationMs;
    return int(std::min<qint64>(index, samples - 1));
}

QString gpsPositionText(const GioData &record) {
    const std::optional<TrackPoint> point = trackPoint(record);
    if (!point)
        return QString();
    const QChar ns = record.ns == QLatin1String("S") ? QLatin1Char('S') : QLatin1Char('N');
    const QChar ew = record.ew == QLatin1String("W") ? QLatin1Char('W') : QLatin1Char('E');
    return QStringLiteral("%1(%2) %3(%4) \u00b7 %5, %6")
        .arg(record.lat, ns, record.lon, ew, QString::number(point->latitude, 'f', 6),
             QString::number(point->longitude, 'f', 6));
}

QString localTimeText(const QDateTime &time) {
    const QDateTime local = time.toLocalTime();
    const int offset = local.offsetFromUtc() / 60;
    const int magnitude = std::abs(offset);
    return local.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss ")) +
           (offset < 0 ? QLatin1Char('-') : QLatin1Char('+')) + twoDigits(magnitude / 60) +
           QLatin1Char(':') + twoDigits(magnitude % 60);
}

RecordingEvidence readRecordingEvidence(const QString &path, const std::atomic<bool> *cancelled) {
    const auto stopped = [cancelled] { return cancelled && cancelled->load(); };
    RecordingEvidence evidence;
    evidence.path = path;
    evidence.fileName = QFileInfo(path).fileName();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        evidence.error = file.errorString();
        return evidence;
    }
    evidence.size = file.size();
    QCryptographicHash hash(QCryptographicHash::Sha256);
    QByteArray block(HashBlock, Qt::Uninitialized);
    qint64 read = 0;
    while (!stopped() && (read = file.read(block.data(), HashBlock)) > 0)
        hash.addData(block.constData(), int(read));
    if (stopped()) {
        evidence.error = QStringLiteral("cancelled");
        return evidence;
    }
    if (read < 0 || !file.atEnd()) {
        evidence.error = file.errorString();
        return evidence;
    }
    evidence.sha256 = QString::fromLatin1(hash.result().toHex());

    const DurationWalkResult walk = DurationWalk::walkFile(path, DurationWalk::NameGate::Skip);
    if (!walk.headerValid) {
        evidence.error = QStringLiteral("not a recording");
        return evidence;
    }
    evidence.durationMs = walk.frames * 1000 / FramesPerSecond;
    TelemetryExtraction extraction = extractTelemetry(path, cancelled);
    if (extraction.status == TelemetryExtraction::Status::Done)
        evidence.telemetry = std::make_shared<const Telemetry>(std::move(extraction.telemetry));
    return evidence;
}

MomentTexts momentTexts(const RecordingEvidence &evidence, qint64 ms, int speedUnit) {
    TelemetryQueries queries;
    queries.follow(evidence.telemetry);
    const int second = int(std::max<qint64>(ms, 0) / 1000);
    const int record = queries.findSecond(second);
    MomentTexts texts;
    texts.date = momentDateText(QFileInfo(evidence.fileName).completeBaseName(), ms);
    texts.clipPosition = clipPositionText(ms);
    texts.position = queries.positionText(second, speedUnit);
    if (record >= 0)
        texts.gpsPosition = gpsPositionText(evidence.telemetry->gio.at(record));
    texts.speed = queries.speedText(second, speedUnit);
    const QVector<MagneticData> &samples = evidence.telemetry->magnetic;
    const int sample = sampleIndexAt(samples.size(), ms, evidence.durationMs);
    texts.gSensor = gSensorText(sample >= 0 ? samples.at(sample) : MagneticData());
    return texts;
}

} // namespace velmora::report
