#pragma once

// Record-by-record comparison of two telemetry extractions, for tests and
// benchmarks. Returns an empty text when they are equal, otherwise where they
// first differ.
#include "telemetrytypes.h"

#include <QString>

namespace velmora::testing {

inline QString telemetryDifference(const Telemetry &actual, const Telemetry &expected) {
    const auto sample = [](const MagneticData &m) {
        return QStringLiteral("(%1, %2, %3)").arg(double(m.x)).arg(double(m.y)).arg(double(m.z));
    };
    const auto record = [](const GioData &g) {
        return QStringLiteral("%1 %2 %3 %4 %5").arg(g.time).arg(g.lat, g.lon, g.ew, g.speed);
    };
    if (actual.magnetic.size() != expected.magnetic.size() ||
        actual.gio.size() != expected.gio.size())
        return QStringLiteral("%1 sensor samples and %2 GPS records, expected %3 and %4")
            .arg(actual.magnetic.size())
            .arg(actual.gio.size())
            .arg(expected.magnetic.size())
            .arg(expected.gio.size());
    for (int i = 0; i < actual.magnetic.size(); ++i) {
        const MagneticData &a = actual.magnetic.at(i), &e = expected.magnetic.at(i);
        // Exact: both sides divide the same integers the same way.
        if (a.x != e.x || a.y != e.y || a.z != e.z)
            return QStringLiteral("sensor sample %1: %2, expected %3")
                .arg(i)
                .arg(sample(a), sample(e));
    }
    for (int i = 0; i < actual.gio.size(); ++i) {
        if (record(actual.gio.at(i)) != record(expected.gio.at(i)))
            return QStringLiteral("GPS record %1: %2, expected %3")
                .arg(i)
                .arg(record(actual.gio.at(i)), record(expected.gio.at(i)));
    }
    return QString();
}

} // namespace velmora::testing
