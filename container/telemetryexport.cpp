#include "telemetryexport.h"

#include "avilayout.h"
#include "telemetryqueries.h"

#include <QHash>
#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>

namespace velmora {

namespace {

constexpr double KmhToMetresPerSecond = 1.0 / 3.6;

// The shortest text that reads back as the same float.
void appendFloat(QByteArray &out, float v) {
    if (!std::isfinite(v)) {
        out += "null";
        return;
    }
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, v);
    out.append(buffer, int(result.ptr - buffer));
}

// A sensor sample as "x,y,z".
void appendSample(QByteArray &out, const MagneticData &s) {
    appendFloat(out, s.x);
    out += ',';
    appendFloat(out, s.y);
    out += ',';
    appendFloat(out, s.z);
}

void appendJsonString(QByteArray &out, const QString &text) {
    out += '"';
    const QByteArray utf8 = text.toUtf8();
    for (const char c : utf8) {
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        default:
            if (static_cast<unsigned char>(c) < 0x20) {
                char escaped[8];
                std::snprintf(escaped, sizeof escaped, "\\u%04x", unsigned(c));
                out += escaped;
            } else {
                out += c;
            }
        }
    }
    out += '"';
}

// A CSV field, quoted when it holds a separator, a quote or a line break.
void appendCsvField(QByteArray &out, const QString &text) {
    const QByteArray utf8 = text.toUtf8();
    if (utf8.contains(',') || utf8.contains('"') || utf8.contains('\n') || utf8.contains('\r')) {
        QByteArray quoted = utf8;
        quoted.replace('"', "\"\"");
        out += '"' + quoted + '"';
    } else {
        out += utf8;
    }
}

// Text for XML content and attribute values: markup escaped, and characters
// that XML 1.0 does not allow left out.
QByteArray xmlText(const QString &text) {
    QString clean;
    clean.reserve(text.size());
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            clean += c;
            clean += text[++i];
            continue;
        }
        const ushort u = c.unicode();
        const bool allowed =
            u == 0x9 || u == 0xA || u == 0xD || (u >= 0x20 && u <= 0xFFFD && !c.isSurrogate());
        if (allowed)
            clean += c;
    }
    return clean.toHtmlEscaped().toUtf8();
}

QByteArray degreesText(double degrees) {
    return QByteArray::number(degrees, 'f', 7);
}

// "2026-12-06T08:15:12Z" (with milliseconds when the fix has them), or
// nothing for an invalid time.
QByteArray isoTime(const QDateTime &utc) {
    if (!utc.isValid())
        return QByteArray();
    return utc.toString(utc.time().msec() ? Qt::ISODateWithMs : Qt::ISODate).toLatin1();
}

QHash<int, int> firstRecordOfSecond(const QVector<GioData> &gio) {
    QHash<int, int> index;
    for (int i = 0; i < gio.size(); ++i) {
        if (!index.contains(gio[i].time))
            index.insert(gio[i].time, i);
    }
    return index;
}

} // namespace

std::optional<ExportFormat> exportFormatFromName(const QString &name) {
    if (name == QLatin1String("json"))
        return ExportFormat::Json;
    if (name == QLatin1String("csv"))
        return ExportFormat::Csv;
    if (name == QLatin1String("gpx"))
        return ExportFormat::Gpx;
    if (name == QLatin1String("kml"))
        return ExportFormat::Kml;
    return std::nullopt;
}

QDateTime fixTime(const GioData &record) {
    const QString &d = record.date;
    const QString &t = record.utc;
    bool digits = d.size() == 6 && t.size() >= 6;
    for (int i = 0; digits && i < 6; ++i)
        digits = d[i].isDigit() && t[i].isDigit();
    if (!digits)
        return QDateTime();
    const QDate date(2000 + d.midRef(4, 2).toInt(), d.midRef(2, 2).toInt(), d.leftRef(2).toInt());
    int ms = 0;
    if (t.size() > 7 && t[6] == QLatin1Char('.')) {
        bool ok = false;
        const double fraction = (QStringLiteral("0") + t.mid(6)).toDouble(&ok);
        if (!ok)
            return QDateTime();
        ms = qMin(999, int(fraction * 1000.0 + 0.5));
    } else if (t.size() != 6) {
        return QDateTime();
    }
    const QTime time(t.leftRef(2).toInt(), t.midRef(2, 2).toInt(), t.midRef(4, 2).toInt(), ms);
    if (!date.isValid() || !time.isValid())
        return QDateTime();
    return QDateTime(date, time, Qt::UTC);
}

std::optional<TrackPoint> trackPoint(const GioData &record) {
    const double lat = nmeaNumberPrecise(record.lat);
    const double lon = nmeaNumberPrecise(record.lon);
    // The map queries take 0 for "no position"; so does the export.
    if (lat <= 0.0 || lon <= 0.0)
        return std::nullopt;
    TrackPoint point;
    point.time = record.time;
    point.latitude = nmeaToDegrees(lat);
    point.longitude = nmeaToDegrees(lon);
    if (point.latitude > 90.0 || point.longitude > 180.0 ||
        (point.longitude == 180.0 && record.ew != QLatin1String("W")))
        return std::nullopt;
    if (record.ns == QLatin1String("S"))
        point.latitude = -point.latitude;
    if (record.ew == QLatin1String("W"))
        point.longitude = -point.longitude;
    point.speedKmh = double(speedInUnit(record.speed, SpeedUnitKmh));
    point.utc = fixTime(record);
    return point;
}

QVector<TrackPoint> trackPoints(const Telemetry &telemetry) {
    QVector<TrackPoint> points;
    points.reserve(telemetry.gio.size());
    for (const GioData &record : telemetry.gio) {
        if (const auto point = trackPoint(record))
            points.append(*point);
    }
    return points;
}

QByteArray telemetryJson(const Telemetry &telemetry) {
    QByteArray out;
    out.reserve(telemetry.magnetic.size() * 24 + telemetry.gio.size() * 80 + 32);
    out += "{\"samples\":[";
    for (int i = 0; i < telemetry.magnetic.size(); ++i) {
        const MagneticData &s = telemetry.magnetic[i];
        if (i)
            out += ',';
        out += '[';
        appendSample(out, s);
        out += ']';
    }
    out += "],\"gps\":[";
    const auto field = [&out](const char *key, const QString &text) {
        out += key;
        appendJsonString(out, text);
    };
    for (int i = 0; i < telemetry.gio.size(); ++i) {
        const GioData &g = telemetry.gio[i];
        if (i)
            out += ',';
        out += "{\"time\":" + QByteArray::number(g.time);
        field(",\"ew\":", g.ew);
        field(",\"lat\":", g.lat);
        field(",\"lon\":", g.lon);
        field(",\"speed\":", g.speed);
        field(",\"ns\":", g.ns);
        out += '}';
    }
    out += "]}";
    return out;
}

QByteArray telemetryCsv(const Telemetry &telemetry) {
    const QHash<int, int> bySecond = firstRecordOfSecond(telemetry.gio);
    QByteArray out = "frame,second,x,y,z,lat,lon,ew,speed,latitude,longitude,speed_kmh,ns,time\n";
    for (int frame = 0; frame < telemetry.magnetic.size(); ++frame) {
        const MagneticData &s = telemetry.magnetic[frame];
        const int second = frame / avi::FramesPerSecond;
        out += QByteArray::number(frame) + ',' + QByteArray::number(second) + ',';
        appendSample(out, s);
        const int pos = bySecond.value(second, -1);
        if (pos < 0) {
            out += ",,,,,,,,,\n";
            continue;
        }
        const GioData &g = telemetry.gio[pos];
        for (const QString *text : {&g.lat, &g.lon, &g.ew, &g.speed}) {
            out += ',';
            appendCsvField(out, *text);
        }
        out += ',';
        if (const auto point = trackPoint(g))
            out += degreesText(point->latitude) + ',' + degreesText(point->longitude);
        else
            out += ',';
        out += ',' + QByteArray::number(double(speedInUnit(g.speed, SpeedUnitKmh)), 'f', 2);
        out += ',';
        appendCsvField(out, g.ns);
        out += ',' + isoTime(fixTime(g)) + '\n';
    }
    return out;
}

QByteArray telemetryGpx(const Telemetry &telemetry, const QString &trackName) {
    QByteArray out = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                     "<gpx version=\"1.1\" creator=\"velmora-tool\""
                     " xmlns=\"http://www.topografix.com/GPX/1/1\""
                     " xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\""
                     " xmlns:velmora=\"";
    out += GpxExtensionNamespace;
    out += "\" xsi:schemaLocation=\"http://www.topografix.com/GPX/1/1"
           " http://www.topografix.com/GPX/1/1/gpx.xsd\">\n"
           "  <trk>\n"
           "    <name>" +
           xmlText(trackName) +
           "</name>\n"
           "    <trkseg>\n";
    for (const TrackPoint &p : trackPoints(telemetry)) {
        out += "      <trkpt lat=\"" + degreesText(p.latitude) + "\" lon=\"" +
               degreesText(p.longitude) + "\">";
        if (p.utc.isValid())
            out += "<time>" + isoTime(p.utc) + "</time>";
        out += "<extensions><velmora:second>" + QByteArray::number(p.time) +
               "</velmora:second><velmora:speed>" +
               QByteArray::number(p.speedKmh * KmhToMetresPerSecond, 'f', 3) +
               "</velmora:speed></extensions></trkpt>\n";
    }
    out += "    </trkseg>\n"
           "  </trk>\n"
           "</gpx>\n";
    return out;
}

QByteArray telemetryKml(const Telemetry &telemetry, const QString &trackName) {
    const QByteArray name = xmlText(trackName);
    QByteArray out = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                     "<kml xmlns=\"http://www.opengis.net/kml/2.2\""
                     " xmlns:gx=\"http://www.google.com/kml/ext/2.2\">\n"
                     "  <Document>\n"
                     "    <name>" +
                     name + "</name>\n";
    const QVector<TrackPoint> points = trackPoints(telemetry);
    auto coordinate = [](const TrackPoint &p) {
        return degreesText(p.longitude) + ',' + degreesText(p.latitude);
    };
    if (points.size() == 1) {
        out += "    <Placemark>\n"
               "      <name>" +
               name +
               "</name>\n"
               "      <Point><coordinates>" +
               coordinate(points.first()) +
               "</coordinates></Point>\n"
               "    </Placemark>\n";
    } else if (points.size() > 1 && std::all_of(points.cbegin(), points.cend(),
                                                [](const auto &p) { return p.utc.isValid(); })) {
        out += "    <Placemark>\n"
               "      <name>" +
               name +
               "</name>\n"
               "      <gx:Track>\n";
        for (const TrackPoint &p : points)
            out += "        <when>" + isoTime(p.utc) + "</when>\n";
        for (const TrackPoint &p : points)
            out += "        <gx:coord>" + degreesText(p.longitude) + ' ' + degreesText(p.latitude) +
                   " 0</gx:coord>\n";
        out += "      </gx:Track>\n"
               "    </Placemark>\n";
    } else if (points.size() > 1) {
        out += "    <Placemark>\n"
               "      <name>" +
               name +
               "</name>\n"
               "      <LineString>\n"
               "        <tessellate>1</tessellate>\n"
               "        <coordinates>\n";
        for (const TrackPoint &p : points)
            out += "          " + coordinate(p) + '\n';
        out += "        </coordinates>\n"
               "      </LineString>\n"
               "    </Placemark>\n";
    }
    out += "  </Document>\n"
           "</kml>\n";
    return out;
}

QByteArray exportTelemetry(const Telemetry &telemetry, ExportFormat format,
                           const QString &trackName) {
    switch (format) {
    case ExportFormat::Json:
        return telemetryJson(telemetry);
    case ExportFormat::Csv:
        return telemetryCsv(telemetry);
    case ExportFormat::Gpx:
        return telemetryGpx(telemetry, trackName);
    case ExportFormat::Kml:
        return telemetryKml(telemetry, trackName);
    }
    return QByteArray();
}

} // namespace velmora
