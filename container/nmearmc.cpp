#include "nmearmc.h"

#include "avilayout.h"

namespace velmora {

QByteArray RmcDecoder::sentenceOf(const QByteArray &record) {
    QByteArray field = record.mid(avi::NmeaOffset, avi::NmeaFieldSize);
    const int end = field.indexOf('\0');
    if (end >= 0)
        field.truncate(end);
    return field;
}

std::optional<GioData> RmcDecoder::decode(const QByteArray &sentence, int second) {
    if (!sentence.contains("GPRMC") && !sentence.contains("GNRMC")) {
        if (second == 0) {
            m_lat = m_lon = m_ew = m_ns = QStringLiteral("0");
        }
        // No time either: the second repeats a position, not a fix.
        return GioData{second, m_ew, m_lat, m_lon, QStringLiteral("0"), m_ns, {}, {}};
    }

    // "A," is the status field of a valid fix; a void fix has "V,".
    const int status = sentence.indexOf("A,");
    if (status < 0)
        return std::nullopt;

    // lat , N/S , lon , E/W , speed ,
    const int latEnd = sentence.indexOf(',', status + 2);
    const int nsEnd = latEnd < 0 ? -1 : sentence.indexOf(',', latEnd + 1);
    const int lonEnd = nsEnd < 0 ? -1 : sentence.indexOf(',', nsEnd + 1);
    const int ewEnd = lonEnd < 0 ? -1 : sentence.indexOf(',', lonEnd + 1);
    const int speedEnd = ewEnd < 0 ? -1 : sentence.indexOf(',', ewEnd + 1);
    if (speedEnd < 0)
        return std::nullopt; // cut short: no field may run past the sentence

    auto text = [&sentence](int from, int to) {
        return QString::fromUtf8(sentence.constData() + from, to - from);
    };
    GioData gio;
    gio.time = second;
    gio.lat = text(status + 2, latEnd);
    gio.lon = text(nsEnd + 1, lonEnd);
    gio.ew = text(ewEnd - 1, ewEnd); // the letter just before the comma
    gio.speed = text(ewEnd + 1, speedEnd);
    gio.ns = text(latEnd + 1, nsEnd);

    // $GPRMC,hhmmss.ss,A,...,speed,course,ddmmyy,...: the time before the
    // status, the date after the course. Either may be missing.
    const int talkerEnd = sentence.indexOf("RMC,");
    const int timeEnd = talkerEnd < 0 ? -1 : sentence.indexOf(',', talkerEnd + 4);
    if (timeEnd >= 0 && timeEnd < status)
        gio.utc = text(talkerEnd + 4, timeEnd);
    const int courseEnd = sentence.indexOf(',', speedEnd + 1);
    if (courseEnd >= 0) {
        int dateEnd = sentence.indexOf(',', courseEnd + 1);
        if (dateEnd < 0)
            dateEnd = sentence.indexOf('*', courseEnd + 1);
        if (dateEnd < 0)
            dateEnd = sentence.size();
        gio.date = text(courseEnd + 1, dateEnd);
    }

    m_lat = gio.lat;
    m_lon = gio.lon;
    m_ew = gio.ew;
    m_ns = gio.ns;
    return gio;
}

void RmcDecoder::reset() {
    m_lat.clear();
    m_lon.clear();
    m_ew.clear();
    m_ns.clear();
}

} // namespace velmora
