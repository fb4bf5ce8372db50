#pragma once

// The caption burned into a shared clip, one text per frame:
//
//   2026-12-06 08:15:27   41 Km/h   41.38712 N  2.16987 E   X:0.01  Y:-0.02  Z:0.98
//
// the date and time of the frame (the start time in the recording's name
// plus the frame's time, to the second), the speed in the viewer's unit, the
// position in decimal degrees with its hemisphere letters, and the frame's
// three sensor values in g. A second without a GPS fix reads "No GPS" in
// place of the speed and the position.
#include "telemetryqueries.h"

#include <QDateTime>
#include <QString>

namespace velmora {

// The start time in a name such as "R_20261206_081512_T_N.avi" (UTC, as the
// report reads it); invalid when the name carries none.
QDateTime startTimeFromName(const QString &fileName);

class ShareCaption {
public:
    // `speedUnit` as the viewer's setting: SpeedUnitKmh or miles per hour.
    ShareCaption(const Telemetry &telemetry, const QDateTime &start, int speedUnit);

    // The text of frame `frame` of the recording (30 per second); split
    // before the sensor values with `twoLines`.
    QString text(int frame, bool twoLines = false) const;

private:
    QString moment(int second) const;
    QString place(int second) const;
    QString sensor(int frame) const;

    TelemetryQueries m_queries; // on a copy of the telemetry
    QDateTime m_start;
    int m_speedUnit;
};

} // namespace velmora
