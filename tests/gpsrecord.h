#pragma once

// A GPS record built from its stored texts, for hand-built telemetry.
#include "telemetrytypes.h"

#include <QString>

namespace velmora::testing {

inline GioData record(int time, const QString &lat, const QString &lon, const QString &ew,
                      const QString &speed) {
    return GioData{time, ew, lat, lon, speed};
}

} // namespace velmora::testing
