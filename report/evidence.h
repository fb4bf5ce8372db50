#pragma once

// What the evidence page says about a recording and a moment in it: the
// file's identity (name, size, SHA-256) and the texts of the moment, with
// the same rules as the report screen.
#include "telemetrytypes.h"

#include <QDateTime>
#include <QString>
#include <atomic>
#include <memory>

namespace velmora::report {

// "2026-12-06 08:15:27": the start time a name such as
// "R_20261206_081512_T_N" carries, plus `ms` cut to whole seconds. A name
// without that date keeps its ten characters from index 2.
QString momentDateText(const QString &recordingName, qint64 ms);

// "01:15.4": minutes and seconds into the recording, cut to tenths.
QString clipPositionText(qint64 ms);

// A sensor value as the graph writes it: rounded to six decimals (a sample
// arrives in single precision, and 0.7 must not read 0.6999), then cut
// toward minus infinity to four, in the shortest form: "0.7", "-0.0124".
QString gValueText(float value);
// "X:0.7   Y:-0.0124   Z:1"
QString gSensorText(const MagneticData &sample);

// The sample a moment reads: samples x ms / duration, kept inside the list;
// -1 when there is no sample.
int sampleIndexAt(int samples, qint64 ms, qint64 durationMs);

// "4807.0380(N) 01131.0000(E) · 48.117300, 11.516667": the record's texts
// with their hemispheres, then decimal degrees (south and west negative).
// Empty when the record carries no position.
QString gpsPositionText(const GioData &record);

// "2026-12-07 08:15:00 +01:00": local time with its offset from UTC.
QString localTimeText(const QDateTime &time);

// A recording read whole for the evidence page.
struct RecordingEvidence {
    QString path;
    QString fileName;
    qint64 size = -1;
    QString sha256; // hex, lower case; empty when the file could not be read
    qint64 durationMs = 0;
    std::shared_ptr<const Telemetry> telemetry = std::make_shared<const Telemetry>();
    QString error; // why the file could not be read, or is not a recording
};

// Hashes the file in blocks, walks its frames and extracts its telemetry.
// Reads the whole file: run it off the GUI thread. Once `cancelled` (may be
// null) is set it stops soon, with the error "cancelled".
RecordingEvidence readRecordingEvidence(const QString &path,
                                        const std::atomic<bool> *cancelled = nullptr);

// The texts of one moment of a recording, as the report screen computes
// them, and the few more the evidence page shows.
struct MomentTexts {
    QString date;         // momentDateText of the name without ".avi"
    QString clipPosition; // clipPositionText
    QString position;     // the screen's position text (camera unit)
    QString gpsPosition;  // gpsPositionText, empty without a position
    QString speed;        // "41 Km/h" in the chosen unit, empty without a record
    QString gSensor;      // gSensorText of the moment's sample
};
// `speedUnit` is 1 for km/h, 0 for mi/h; it serves the position text too.
MomentTexts momentTexts(const RecordingEvidence &evidence, qint64 ms, int speedUnit);

} // namespace velmora::report
