#pragma once

// One telemetry extraction: every telemetry record of a recording becomes a
// sensor sample, and every 30th record (the first of each second) the GPS
// record of its second.
#include "telemetryscan.h"
#include "telemetrytypes.h"

#include <QString>
#include <atomic>

namespace velmora {

struct TelemetryExtraction {
    enum class Status {
        Done,
        CannotOpen, // nothing was read; the lists mean nothing
        Cancelled,  // stopped early; the lists are incomplete
    };
    Status status = Status::CannotOpen;
    Telemetry telemetry;
    int records = 0; // telemetry records read
    bool usedIndex = false;
    int resyncs = 0;
    qint64 bytesRead = 0;
};

// The text chunk id of a recording, from the channel marker of its file name
// ("_T_" "04tx", "_D_" "03tx", "_S_" "02tx"); empty without a marker.
QByteArray telemetryIdForPath(const QString &path);

// Extracts the telemetry of the recording at `path`. The file is read through
// positioned reads only (never whole). `cancelled` may be null.
TelemetryExtraction extractTelemetry(const QString &path,
                                     const std::atomic<bool> *cancelled = nullptr);
// The same over an open device, looking for `textId`.
TelemetryExtraction extractTelemetry(QIODevice &device, const QByteArray &textId,
                                     const std::atomic<bool> *cancelled = nullptr);

} // namespace velmora
