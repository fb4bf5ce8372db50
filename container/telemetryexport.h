#pragma once

// The telemetry of one recording written out for other programs: JSON with
// the texts as stored, CSV with one row per sensor sample, and the GPS track
// as GPX 1.1 or KML 2.2 in decimal degrees.
#include "telemetrytypes.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QVector>
#include <optional>

namespace velmora {

enum class ExportFormat { Json, Csv, Gpx, Kml };

// "json", "csv", "gpx" or "kml"; nothing for any other name.
std::optional<ExportFormat> exportFormatFromName(const QString &name);

// One GPS record that carries a position, in decimal degrees: latitudes south
// and longitudes west are negative, as the map queries read them.
struct TrackPoint {
    int time = 0;           // second of the recording
    double latitude = 0.0;  // -90..90
    double longitude = 0.0; // -180..180 (180 excluded)
    double speedKmh = 0.0;
    QDateTime utc; // the fix's date and time; invalid when the record has no date
};

// The UTC date and time of a record's fix (RMC ddmmyy and hhmmss(.sss), the
// year taken in 2000..2099), or an invalid one when either is missing or
// not a real date or time.
QDateTime fixTime(const GioData &record);

// The position of a record, or nothing when its latitude or longitude text
// is "0", empty, not a number or out of range.
std::optional<TrackPoint> trackPoint(const GioData &record);
// The records with a position, in list order.
QVector<TrackPoint> trackPoints(const Telemetry &telemetry);

// {"samples":[[x,y,z],...],"gps":[{"time":s,"ew":"E","lat":"4807.038",
// "lon":"01131.000","speed":"022.4","ns":"N"},...]} on one line, without a
// line end.
QByteArray telemetryJson(const Telemetry &telemetry);

// A header row, then one row per sensor sample:
//   frame,second,x,y,z,lat,lon,ew,speed,latitude,longitude,speed_kmh,ns,time
// frame is the sample's position (30 per second) and second = frame / 30;
// lat, lon, ew, speed and ns are the texts of that second's GPS record,
// latitude and longitude its position in decimal degrees, speed_kmh its speed
// and time the fix's UTC time in ISO 8601 ("2026-12-06T08:15:12Z"). The GPS
// fields are empty when the second has no record (or no position, or no date).
QByteArray telemetryCsv(const Telemetry &telemetry);

// GPX 1.1: one track named `trackName` with one segment holding a point per
// GPS record with a position, with its <time> when the record has a date.
// Each point carries, in the namespace
// GpxExtensionNamespace, the second of the recording and the speed in metres
// per second.
QByteArray telemetryGpx(const Telemetry &telemetry, const QString &trackName);
constexpr const char *GpxExtensionNamespace = "urn:velmora:telemetry:1";

// KML 2.2: a document named `trackName` with the track as a placemark: a
// gx:Track (a <when> per <gx:coord>) when every point has a time, otherwise
// a LineString (lon,lat pairs), since a gx:Track cannot hold a point without
// one; a single position gives a Point placemark and none gives no placemark.
QByteArray telemetryKml(const Telemetry &telemetry, const QString &trackName);

QByteArray exportTelemetry(const Telemetry &telemetry, ExportFormat format,
                           const QString &trackName);

} // namespace velmora
