#pragma once

// A GPS record built from its stored texts, for hand-built telemetry.
#include "telemetrytypes.h"

#include <QString>

namespace velmora::testing {

inline GioData record(int time, const QString &lat, const QString &lon, const QString &ew,
                      const QString &speed, const QString &ns = QString(),
                      const QString &utc = QString(), const QString &date = QString()) {
    return GioData{time, ew, lat, lon, speed, ns, utc, date};
}

} // namespace velmora::testing
