#pragma once

// The two pictures of the evidence page, drawn for paper: the route with the
// moment marked, and the three sensor curves with the moment as a line.
// They draw text, so they need a QGuiApplication and run on its thread.
#include "telemetryexport.h"
#include "telemetrytypes.h"

#include <QColor>
#include <QImage>
#include <QSize>
#include <QVector>
#include <optional>

namespace velmora::report {

// The track on plain ground, north up: an equirectangular projection whose
// east-west axis is shortened by the cosine of the middle latitude, fitted
// inside a margin. A green dot marks the start, a dark one the end, an
// orange ring the moment; a north arrow and a scale bar in metres. Without
// a track the picture says `noTrackText` instead.
QImage drawRoutePicture(const QVector<TrackPoint> &track, const std::optional<TrackPoint> &moment,
                        QSize size, const QString &noTrackText);

// The X, Y and Z curves over the whole recording on a light ground with a
// grid from -2 g to +2 g (values beyond it are cut off), seconds along the
// bottom, and the sample `moment` (-1: none) as a vertical line.
QImage drawSensorPicture(const QVector<MagneticData> &samples, int moment, qint64 durationMs,
                         QSize size);

// True when a grab of the map cell shows map tiles: at least half of it is
// not the bare `ground` the map paints where it has no tile (the route and
// the marker alone cover far less).
bool mapShowsTiles(const QImage &grab, const QColor &ground);

// The length of a scale bar: 1, 2 or 5 times a power of ten metres, the
// longest that is not over `metres`.
double scaleBarMetres(double metres);

} // namespace velmora::report
