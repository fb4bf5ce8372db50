#pragma once

// What the scenes ask of the telemetry of the playing recording: counts, the
// GPS texts by list position, the position and speed of a second, and the
// sensor samples. Works on one published Telemetry snapshot.
#include "telemetrytypes.h"

#include <QHash>
#include <QString>
#include <memory>

namespace velmora {

// Where the map stands while no record carries a position.
constexpr float DefaultLatitude = 47.406055f;
constexpr float DefaultLongitude = -122.250023f;

constexpr float KnotsToKmh = 1.852f;
constexpr float KmhPerMph = 1.6093f;

// Speed unit codes: 1 kilometres per hour, anything else miles per hour.
constexpr int SpeedUnitKmh = 1;

// A GPS text as a number; text that is not a finite number gives 0.
float nmeaNumber(const QString &text);
double nmeaNumberPrecise(const QString &text);

// ddmm.mmmm (or dddmm.mmmm) as decimal degrees: floor(v / 100) + (v mod 100) / 60.
double nmeaToDegrees(double v);

// The latitude of a record in decimal degrees, negative when `ns` is "S", or
// the default latitude when its text is 0 or not a number.
float latitudeDegrees(const GioData &record);
// The longitude of a record in decimal degrees, negative when `ew` is "W", or
// the default longitude when its text is 0 or not a number.
float longitudeDegrees(const GioData &record);

// The sample of the strongest shock: the one whose magnitude differs most
// from the median magnitude of all samples (so gravity does not count), the
// first of equals; -1 when there is none.
int peakSampleIndex(const QVector<MagneticData> &samples);

// A speed text in knots as km/h (unit 1) or mi/h (any other unit).
float speedInUnit(const QString &knots, int speedUnit);

class TelemetryQueries {
public:
    TelemetryQueries();

    // Follows the published snapshot (null: nothing extracted yet). Another
    // snapshot than the one held drops the current record and re-indexes the
    // seconds; the same one again changes nothing.
    void follow(std::shared_ptr<const Telemetry> snapshot);
    const Telemetry &telemetry() const { return *m_telemetry; }

    int gioCount() const { return m_telemetry->gio.size(); }
    // peakSampleIndex() of the snapshot's samples.
    int peakSample() const { return m_peakSample; }
    int sampleCount() const { return m_telemetry->magnetic.size(); }

    // By list position. Outside the list: empty text, and time -1.
    QString gioLat(int pos) const;
    QString gioLon(int pos) const;
    QString gioEw(int pos) const;
    int gioTime(int pos) const;

    // List position of the first record of `second`, or -1.
    int findSecond(int second) const;

    // Latitude of the record of `second`, which becomes the current record.
    // A second at or past the record count leaves the current record as it is;
    // a second below it without a record makes the last record current.
    float latitudeOfSecond(int second);
    // Longitude of the current record.
    float currentLongitude() const { return longitudeDegrees(m_current); }
    const GioData &current() const { return m_current; }

    // "41 Km/h" / "26 Mi/h", or empty text when the second has no record.
    QString speedText(int second, int speedUnit) const;
    // "4807.038(N) 01131.000(E) Speed 41.48km/h", or empty text when the second
    // has no record; "(S)" and "(W)" south of the equator and west of
    // Greenwich. The unit is the camera's speed setting.
    QString positionText(int second, int cameraSpeedUnit) const;

    // Sensor samples: 0 while no extraction has finished (state 0 or below) or
    // when there is no sample; an index past the end reads the last sample and
    // one below 0 the first.
    float sampleX(int idx, int processState) const;
    float sampleY(int idx, int processState) const;
    float sampleZ(int idx, int processState) const;

private:
    const MagneticData *sample(int idx, int processState) const;
    const GioData *recordAt(int pos) const;

    std::shared_ptr<const Telemetry> m_telemetry;
    QHash<int, int> m_secondIndex; // second -> first list position
    GioData m_current;             // the current GPS record (m_CurGioData)
    int m_peakSample = -1;
};

} // namespace velmora
