#include "telemetryqueries.h"

#include <algorithm>
#include <cmath>

namespace velmora {

namespace {

const std::shared_ptr<const Telemetry> &emptyTelemetry() {
    static const std::shared_ptr<const Telemetry> empty = std::make_shared<const Telemetry>();
    return empty;
}

// A rounded figure without the "-0" that a tiny negative value would print as.
QString fixedText(float v, int decimals) {
    QString text = QString::number(double(v), 'f', decimals);
    bool zero = true;
    for (int i = 1; i < text.size() && zero; ++i)
        zero = text[i] == QLatin1Char('0') || text[i] == QLatin1Char('.');
    if (zero && text.startsWith(QLatin1Char('-')))
        text.remove(0, 1);
    return text;
}

} // namespace

float nmeaNumber(const QString &text) {
    bool ok = false;
    const float v = text.toFloat(&ok);
    return ok && std::isfinite(v) ? v : 0.0f;
}

double nmeaNumberPrecise(const QString &text) {
    bool ok = false;
    const double v = text.toDouble(&ok);
    return ok && std::isfinite(v) ? v : 0.0;
}

double nmeaToDegrees(double v) {
    return std::floor(v * 0.01) + std::fmod(v, 100.0) / 60.0;
}

float latitudeDegrees(const GioData &record) {
    const float v = nmeaNumber(record.lat);
    if (v == 0.0f)
        return DefaultLatitude;
    const float degrees = float(nmeaToDegrees(v));
    return record.ns == QLatin1String("S") ? -degrees : degrees;
}

float longitudeDegrees(const GioData &record) {
    const float v = nmeaNumber(record.lon);
    if (v == 0.0f)
        return DefaultLongitude;
    const float degrees = float(nmeaToDegrees(v));
    return record.ew == QLatin1String("W") ? -degrees : degrees;
}

float speedInUnit(const QString &knots, int speedUnit) {
    float v = nmeaNumber(knots) * KnotsToKmh;
    if (speedUnit != SpeedUnitKmh)
        v = v / KmhPerMph;
    return std::isfinite(v) ? v : 0.0f;
}

TelemetryQueries::TelemetryQueries()
    : m_telemetry(emptyTelemetry()) {}

void TelemetryQueries::follow(std::shared_ptr<const Telemetry> snapshot) {
    if (!snapshot)
        snapshot = emptyTelemetry();
    // Holding the snapshot keeps its address from being reused, so a changed
    // pointer always means a newly published extraction.
    if (snapshot == m_telemetry)
        return;
    m_telemetry = std::move(snapshot);
    m_current = GioData();
    m_peakSample = peakSampleIndex(m_telemetry->magnetic);
    m_secondIndex.clear();
    const QVector<GioData> &gio = m_telemetry->gio;
    m_secondIndex.reserve(gio.size());
    for (int i = 0; i < gio.size(); ++i) {
        if (!m_secondIndex.contains(gio[i].time))
            m_secondIndex.insert(gio[i].time, i);
    }
}

const GioData *TelemetryQueries::recordAt(int pos) const {
    const QVector<GioData> &gio = m_telemetry->gio;
    return pos >= 0 && pos < gio.size() ? &gio[pos] : nullptr;
}

QString TelemetryQueries::gioLat(int pos) const {
    const GioData *record = recordAt(pos);
    return record ? record->lat : QString();
}

QString TelemetryQueries::gioLon(int pos) const {
    const GioData *record = recordAt(pos);
    return record ? record->lon : QString();
}

QString TelemetryQueries::gioEw(int pos) const {
    const GioData *record = recordAt(pos);
    return record ? record->ew : QString();
}

int TelemetryQueries::gioTime(int pos) const {
    const GioData *record = recordAt(pos);
    return record ? record->time : -1;
}

int TelemetryQueries::findSecond(int second) const {
    return m_secondIndex.value(second, -1);
}

float TelemetryQueries::latitudeOfSecond(int second) {
    const QVector<GioData> &gio = m_telemetry->gio;
    if (second < gio.size()) {
        // The walk from the start leaves the record it stopped at current, or
        // the last one when no record has this second.
        const int pos = findSecond(second);
        if (pos >= 0)
            m_current = gio[pos];
        else if (!gio.isEmpty())
            m_current = gio.last();
    }
    return latitudeDegrees(m_current);
}

QString TelemetryQueries::speedText(int second, int speedUnit) const {
    const GioData *record = recordAt(findSecond(second));
    if (!record)
        return QString();
    const QString unit =
        speedUnit == SpeedUnitKmh ? QStringLiteral(" Km/h") : QStringLiteral(" Mi/h");
    return fixedText(speedInUnit(record->speed, speedUnit), 0) + unit;
}

QString TelemetryQueries::positionText(int second, int cameraSpeedUnit) const {
    const GioData *record = recordAt(findSecond(second));
    if (!record)
        return QString();
    const QString unit =
        cameraSpeedUnit == SpeedUnitKmh ? QStringLiteral("km/h") : QStringLiteral("mi/h");
    const QString ns =
        record->ns == QLatin1String("S") ? QStringLiteral("(S) ") : QStringLiteral("(N) ");
    const QString ew = record->ew == QLatin1String("W") ? QStringLiteral("(W) Speed ")
                                                        : QStringLiteral("(E) Speed ");
    return record->lat + ns + record->lon + ew +
           fixedText(speedInUnit(record->speed, cameraSpeedUnit), 2) + unit;
}

int peakSampleIndex(const QVector<MagneticData> &samples) {
    if (samples.isEmpty())
        return -1;
    QVector<double> magnitudes;
    magnitudes.reserve(samples.size());
    for (const MagneticData &s : samples) {
        const double m = std::sqrt(double(s.x) * s.x + double(s.y) * s.y + double(s.z) * s.z);
        magnitudes.append(std::isfinite(m) ? m : 0.0);
    }
    QVector<double> sorted = magnitudes;
    const auto middle = sorted.begin() + sorted.size() / 2;
    std::nth_element(sorted.begin(), middle, sorted.end());
    const double median = *middle;
    int peak = 0;
    for (int i = 1; i < magnitudes.size(); ++i) {
        if (std::fabs(magnitudes[i] - median) > std::fabs(magnitudes[peak] - median))
            peak = i;
    }
    return peak;
}

const MagneticData *TelemetryQueries::sample(int idx, int processState) const {
    const QVector<MagneticData> &samples = m_telemetry->magnetic;
    if (processState <= 0 || samples.isEmpty())
        return nullptr;
    if (idx >= samples.size())
        idx = samples.size() - 1;
    if (idx < 0)
        idx = 0;
    return &samples[idx];
}

float TelemetryQueries::sampleX(int idx, int processState) const {
    const MagneticData *s = sample(idx, processState);
    return s ? s->x : 0.0f;
}

float TelemetryQueries::sampleY(int idx, int processState) const {
    const MagneticData *s = sample(idx, processState);
    return s ? s->y : 0.0f;
}

float TelemetryQueries::sampleZ(int idx, int processState) const {
    const MagneticData *s = sample(idx, processState);
    return s ? s->z : 0.0f;
}

} // namespace velmora
