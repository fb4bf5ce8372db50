#pragma once

#include <QString>
#include <QVector>

namespace velmora {

// One sensor sample per telemetry record: acceleration in g.
struct MagneticData {
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;
};

// One GPS record per second of recording. The texts are kept exactly as the
// sentence carries them, or "0" when it carries none.
struct GioData {
    int time = 0;  // second of the recording, from 0
    QString ew;    // "E" or "W"
    QString lat;   // ddmm.mmmm
    QString lon;   // dddmm.mmmm
    QString speed; // knots
    QString ns;    // "N" or "S" (a latitude south is negative), or "0"
    QString utc;   // hhmmss(.ss) of the fix, empty when the sentence has none
    QString date;  // ddmmyy of the fix, empty when the sentence has none
};

// What one extraction yields, published whole.
struct Telemetry {
    QVector<MagneticData> magnetic;
    QVector<GioData> gio;
    QString source; // the recording it was read from
};

} // namespace velmora
