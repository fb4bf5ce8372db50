#pragma once

// Record-by-record comparison of two telemetry extractions, for tests and
// benchmarks. Returns an empty text when they are equal, otherwise where they
// first differ.
#include "telemetrytypes.h"

#include <QString>

namespace velmora::testing {

inline QString telemetryDifference(const Telemetry &actual, const Telemetry &expected) {
    if (actual.magnetic.size() != expected.magnetic.size())
        return QStringLiteral("%1 sensor samples, expected %2")
            .arg(actual.magnetic.size())
            .arg(expected.magnetic.size());
    if (actual.gio.size() != expected.gio.size())
        return QStringLiteral("%1 GPS records, expected %2")
            .arg(actual.gio.size())
            .arg(expected.gio.size());
    for (int i = 0; i < actual.magnetic.size(); ++i) {
        const MagneticData &a = actual.magnetic.at(i);
        const MagneticData &e = expected.magnetic.at(i);
        // Exact: both sides divide the same integers the same way.
        if (a.x != e.x || a.y != e.y || a.z != e.z)
            return QStringLiteral("sensor sample %1: (%2, %3, %4), expected (%5, %6, %7)")
                .arg(i)
                .arg(double(a.x))
                .arg(double(a.y))
                .arg(double(a.z))
                .arg(double(e.x))
                .arg(double(e.y))
                .arg(double(e.z));
    }
    for (int i = 0; i < actual.gio.size(); ++i) {
        const GioData &a = actual.gio.at(i);
        const GioData &e = expected.gio.at(i);
        if (a.time != e.time || a.ew != e.ew || a.lat != e.lat || a.lon != e.lon ||
            a.speed != e.speed)
            return QStringLiteral("GPS record %1: %2 %3 %4 %5 %6, expected %7 %8 %9 %10 %11")
                .arg(i)
                .arg(a.time)
                .arg(a.lat, a.lon, a.ew, a.speed)
                .arg(e.time)
                .arg(e.lat, e.lon, e.ew, e.speed);
    }
    return QString();
}

} // namespace velmora::testing
