#pragma once

// Turns the NMEA sentence of one telemetry record into the GPS record of its
// second. The decoder remembers the position texts it last stored, so that a
// second without an RMC sentence repeats them.
#include "telemetrytypes.h"

#include <QByteArray>
#include <optional>

namespace velmora {

class RmcDecoder {
public:
    // The sentence of a 400-byte telemetry record: its bytes from the NMEA
    // field up to the first NUL, never past the end of that field (nor past
    // the end of a shorter buffer).
    static QByteArray sentenceOf(const QByteArray &record);

    // The GPS record of `second` from one sentence:
    //  - no "GPRMC"/"GNRMC" in it: the kept texts (all "0" in second 0, and
    //    kept as "0" from then on), speed "0";
    //  - no "A," (a void fix): nothing, and the kept texts stay;
    //  - otherwise latitude, north/south letter, longitude, east/west letter
    //    and speed, cut at the commas after the "A,", which become the kept
    //    texts; and the time and date of the fix, when the sentence has them.
    // A valid fix whose sentence ends before the comma after its speed field
    // yields nothing, like a void fix.
    std::optional<GioData> decode(const QByteArray &sentence, int second);

    void reset();

private:
    QString m_lat;
    QString m_lon;
    QString m_ew;
    QString m_ns;
};

} // namespace velmora
