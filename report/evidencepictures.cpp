#include "evidencepictures.h"

#include <QFont>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <algorithm>
#include <cmath>

namespace velmora::report {

namespace {

constexpr double MetresPerDegree = 111320.0;
// A single fix, or a car that stood still, still gets a readable map.
constexpr double SmallestSpanDegrees = 0.002;
constexpr double GridG = 2.0;

const QColor Ground(0xf6, 0xf5, 0xf0);
const QColor Frame(0x99, 0x99, 0x99);
const QColor Ink(0x33, 0x33, 0x33);
const QColor RouteColour(0x2b, 0x6c, 0xb0);
const QColor StartColour(0x2e, 0x9e, 0x44);
const QColor MomentColour(0xe4, 0x56, 0x2e);
const QColor AxisColours[] = {QColor(0xfd, 0x6c, 0x58), QColor(0xdc, 0xe6, 0x3d),
                              QColor(0x38, 0xca, 0xd3)};

QFont pictureFont(const QSize &size) {
    QFont font;
    font.setPixelSize(std::max(12, size.height() / 18));
    return font;
}

void drawGround(QPainter &painter, const QSize &size) {
    painter.fillRect(QRect(QPoint(0, 0), size), Ground);
    painter.setPen(QPen(Frame, 2));
    painter.drawRect(QRectF(1, 1, size.width() - 2, size.height() - 2));
}

// The route's points in a plane where one unit is one degree of latitude
// both ways, y growing northwards.
struct Projection {
    double cosLatitude = 1.0;
    QPointF plane(const TrackPoint &p) const {
        return QPointF(p.longitude * cosLatitude, p.latitude);
    }
};

// Maps the plane onto the picture: fitted, centred, north up.
struct Fit {
    QPointF centre;
    QPointF middle;
    double pixelsPerUnit = 1.0;
    QPointF map(const QPointF &p) const {
        return middle + QPointF(p.x() - centre.x(), centre.y() - p.y()) * pixelsPerUnit;
    }
};

Fit fitInto(const QVector<QPointF> &points, const QRectF &area) {
    double left = points.first().x(), right = left, bottom = points.first().y(), top = bottom;
    for (const QPointF &p : points) {
        left = std::min(left, p.x());
        right = std::max(right, p.x());
        bottom = std::min(bottom, p.y());
        top = std::max(top, p.y());
    }
    const double width = std::max(right - left, SmallestSpanDegrees);
    const double height = std::max(top - bottom, SmallestSpanDegrees);
    Fit fit;
    fit.centre = QPointF((left + right) / 2, (bottom + top) / 2);
    fit.middle = area.center();
    fit.pixelsPerUnit = std::min(area.width() / width, area.height() / height);
    return fit;
}

void drawDot(QPainter &painter, const QPointF &at, double radius, const QColor &fill) {
    painter.setPen(QPen(Qt::white, radius / 3));
    painter.setBrush(fill);
    painter.drawEllipse(at, radius, radius);
}

void drawMomentMark(QPainter &painter, const QPointF &at, double radius) {
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(Qt::white, radius / 2));
    painter.drawEllipse(at, radius, radius);
    painter.setPen(QPen(MomentColour, radius / 3));
    painter.drawEllipse(at, radius, radius);
    painter.drawLine(at - QPointF(radius * 1.8, 0), at - QPointF(radius * 0.6, 0));
    painter.drawLine(at + QPointF(radius * 0.6, 0), at + QPointF(radius * 1.8, 0));
    painter.drawLine(at - QPointF(0, radius * 1.8), at - QPointF(0, radius * 0.6));
    painter.drawLine(at + QPointF(0, radius * 0.6), at + QPointF(0, radius * 1.8));
}

void drawNorthArrow(QPainter &painter, const QPointF &tip, double length) {
    QPainterPath arrow;
    arrow.moveTo(tip);
    arrow.lineTo(tip + QPointF(length * 0.3, length));
    arrow.lineTo(tip + QPointF(0, length * 0.75));
    arrow.lineTo(tip + QPointF(-length * 0.3, length));
    arrow.closeSubpath();
    painter.setPen(Qt::NoPen);
    painter.setBrush(Ink);
    painter.drawPath(arrow);
    painter.setPen(Ink);
    const QRectF label(tip.x() - length, tip.y() - length * 0.9, 2 * length, length * 0.8);
    painter.drawText(label, Qt::AlignHCenter | Qt::AlignBottom, QStringLiteral("N"));
}

void drawScaleBar(QPainter &painter, const QPointF &origin, double metresPerPixel, double widest) {
    const double metres = scaleBarMetres(widest * metresPerPixel);
    const double length = metres / metresPerPixel;
    const double tick = painter.font().pixelSize() / 2.0;
    painter.setPen(QPen(Ink, 3));
    painter.drawLine(origin, origin + QPointF(length, 0));
    painter.drawLine(origin, origin - QPointF(0, tick));
    painter.drawLine(origin + QPointF(length, 0), origin + QPointF(length, -tick));
    const QRectF label(origin.x(), origin.y() - 3 * tick - painter.font().pixelSize(), length,
                       painter.font().pixelSize() * 1.5);
    painter.drawText(label, Qt::AlignCenter,
                     QStringLiteral("%1 m").arg(QString::number(metres, 'f', 0)));
}

} // namespace

double scaleBarMetres(double metres) {
    if (!(metres >= 1))
        return 1;
    const double power = std::pow(10.0, std::floor(std::log10(metres)));
    for (const double step : {5.0, 2.0, 1.0}) {
        if (step * power <= metres)
            return step * power;
    }
    return power;
}

QImage drawRoutePicture(const QVector<TrackPoint> &track, const std::optional<TrackPoint> &moment,
                        QSize size, const QString &noTrackText) {
    QImage image(size, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setFont(pictureFont(size));
    drawGround(painter, size);
    if (track.isEmpty()) {
        painter.setPen(Ink);
        painter.drawText(image.rect(), Qt::AlignCenter, noTrackText);
        return image;
    }

    double south = track.first().latitude, north = south;
    for (const TrackPoint &p : track) {
        south = std::min(south, p.latitude);
        north = std::max(north, p.latitude);
    }
    Projection projection;
    projection.cosLatitude = std::cos((south + north) / 2 * M_PI / 180);
    QVector<QPointF> plane;
    plane.reserve(track.size());
    for (const TrackPoint &p : track)
        plane.append(projection.plane(p));
    const double margin = size.height() / 8.0;
    const Fit fit =
        fitInto(plane, QRectF(QPointF(0, 0), size).adjusted(margin, margin, -margin, -margin));

    QPolygonF route;
    for (const QPointF &p : plane)
        route << fit.map(p);
    const double line = std::max(2.0, size.height() / 150.0);
    painter.setPen(QPen(RouteColour, line, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPolyline(route);
    drawDot(painter, route.first(), line * 2.5, StartColour);
    drawDot(painter, route.last(), line * 2.5, Ink);
    if (moment)
        drawMomentMark(painter, fit.map(projection.plane(*moment)), line * 4);

    const double fontSize = painter.font().pixelSize();
    drawNorthArrow(painter, QPointF(size.width() - fontSize * 2, fontSize * 2.2), fontSize * 1.6);
    drawScaleBar(painter, QPointF(fontSize, size.height() - fontSize),
                 MetresPerDegree / fit.pixelsPerUnit, size.width() / 4.0);
    return image;
}

QImage drawSensorPicture(const QVector<MagneticData> &samples, int moment, qint64 durationMs,
                         QSize size) {
    QImage image(size, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const QFont font = pictureFont(size);
    painter.setFont(font);
    drawGround(painter, size);
    painter.fillRect(QRect(QPoint(2, 2), size - QSize(4, 4)), Qt::white);

    const double fontSize = font.pixelSize();
    // Room on the right for half the last second's label.
    const QRectF plot(fontSize * 3.5, fontSize, size.width() - fontSize * 5.5,
                      size.height() - fontSize * 3.2);
    const auto yOf = [&](double g) { return plot.center().y() - g * plot.height() / (2 * GridG); };

    for (int g = -int(GridG); g <= int(GridG); ++g) {
        painter.setPen(QPen(g == 0 ? Frame : QColor(0xdd, 0xdd, 0xdd), 2));
        painter.drawLine(QPointF(plot.left(), yOf(g)), QPointF(plot.right(), yOf(g)));
        painter.setPen(Ink);
        painter.drawText(QRectF(0, yOf(g) - fontSize, plot.left() - fontSize / 2, 2 * fontSize),
                         Qt::AlignRight | Qt::AlignVCenter,
                         QStringLiteral("%1%2 g").arg(g > 0 ? "+" : "").arg(g));
    }
    // Seconds along the bottom, about every sixth of the recording.
    const double seconds = durationMs / 1000.0;
    if (seconds > 0) {
        const double step = std::max(1.0, scaleBarMetres(seconds / 6));
        painter.setPen(Ink);
        for (double s = 0; s <= seconds + 1e-9; s += step) {
            const double x = plot.left() + plot.width() * s / seconds;
            painter.drawLine(QPointF(x, plot.bottom()), QPointF(x, plot.bottom() + fontSize / 3));
            painter.drawText(QRectF(x - 3 * fontSize, plot.bottom() + fontSize * 0.6, 6 * fontSize,
                                    1.5 * fontSize),
                             Qt::AlignHCenter | Qt::AlignTop,
                             QStringLiteral("%1 s").arg(QString::number(s, 'f', 0)));
        }
    }

    painter.setClipRect(plot);
    const int count = samples.size();
    const auto xOf = [&](int index) { return plot.left() + plot.width() * index / count; };
    for (int axis = 0; axis < 3; ++axis) {
        QPolygonF curve;
        curve.reserve(count);
        for (int i = 0; i < count; ++i) {
            const MagneticData &s = samples.at(i);
            const double g = axis == 0 ? s.x : axis == 1 ? s.y : s.z;
            // Off the grid stays just off it; a damaged value (not a
            // number) reads as 0.
            curve << QPointF(
                xOf(i), yOf(std::isfinite(g) ? std::clamp(g, -GridG - 0.5, GridG + 0.5) : 0.0));
        }
        painter.setPen(QPen(AxisColours[axis], std::max(2.0, size.height() / 120.0)));
        painter.drawPolyline(curve);
    }
    if (moment >= 0 && count > 0) {
        painter.setPen(QPen(Ink, std::max(2.0, size.height() / 150.0)));
        painter.drawLine(QPointF(xOf(moment), plot.top()), QPointF(xOf(moment), plot.bottom()));
    }
    painter.setClipping(false);

    // The legend, top right: X, Y and Z in their colours.
    double x = plot.right() - fontSize * 7;
    for (int axis = 0; axis < 3; ++axis) {
        painter.fillRect(QRectF(x, plot.top() + fontSize * 0.35, fontSize, fontSize * 0.5),
                         AxisColours[axis]);
        painter.setPen(Ink);
        painter.drawText(QPointF(x + fontSize * 1.2, plot.top() + fontSize),
                         QString(QLatin1Char("XYZ"[axis])));
        x += fontSize * 2.4;
    }
    return image;
}

bool mapShowsTiles(const QImage &grab, const QColor &ground) {
    if (grab.isNull())
        return false;
    // Every fourth pixel each way is plenty to tell a map from bare ground.
    const QImage picture = grab.convertToFormat(QImage::Format_RGB32);
    const QRgb bare = ground.rgb();
    qint64 samples = 0, tiled = 0;
    for (int y = 0; y < picture.height(); y += 4) {
        const auto *row = reinterpret_cast<const QRgb *>(picture.constScanLine(y));
        for (int x = 0; x < picture.width(); x += 4, ++samples)
            tiled += row[x] != bare;
    }
    return 2 * tiled >= samples;
}

} // namespace velmora::report
