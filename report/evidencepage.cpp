#include "evidencepage.h"

#include "evidencepictures.h"
#include "telemetryexport.h"
#include "velmoraversion.h"

#include <QFileInfo>

namespace velmora::report {

namespace {

const QString RoutePicture = QStringLiteral("evidence-route.png");
const QString SensorPicture = QStringLiteral("evidence-sensor.png");
// Drawn at twice the size they are shown at, so that they print sharp.
// The page's width is A4's less the document's margins of 2 cm.
const QSize RouteShown(600, 210);
const QSize SensorShown(600, 140);

struct EvidenceLabels {
    QString title, recording, file, size, bytes, sha256, moment, date, clipPosition, gps, speed,
        sensor, route, routeKey, mapKey, curves, curvesKey, madeBy, madeAt, noPosition, unreadable;
};

// There are no Korean texts for this page: language 0 gets English.
EvidenceLabels evidenceLabels(int language) {
    if (language == 2) {
        return {QStringLiteral("Éléments de preuve"),
                QStringLiteral("Enregistrement"),
                QStringLiteral("Fichier"),
                QStringLiteral("Taille"),
                QStringLiteral("octets"),
                QStringLiteral("SHA-256"),
                QStringLiteral("Instant"),
                QStringLiteral("Date et heure"),
                QStringLiteral("Position dans l'enregistrement"),
                QStringLiteral("Position GPS"),
                QStringLiteral("Vitesse"),
                QStringLiteral("Accélération (g)"),
                QStringLiteral("Trajet"),
                QStringLiteral("point vert : départ, point foncé : arrivée, cercle orange : "
                               "l'instant"),
                QStringLiteral("la carte de la visionneuse à l'instant, l'épingle sur la voiture ; "
                               "données © les contributeurs d'OpenStreetMap"),
                QStringLiteral("Capteur d'accélération"),
                QStringLiteral("X, Y et Z en g sur tout l'enregistrement ; le trait vertical "
                               "marque l'instant"),
                QStringLiteral("Rapport établi par"),
                QStringLiteral("Rapport établi le"),
                QStringLiteral("pas de position GPS"),
                QStringLiteral("l'enregistrement n'a pas pu être lu")};
    }
    return {QStringLiteral("Evidence"),
            QStringLiteral("Recording"),
            QStringLiteral("File"),
            QStringLiteral("Size"),
            QStringLiteral("bytes"),
            QStringLiteral("SHA-256"),
            QStringLiteral("Moment"),
            QStringLiteral("Date and time"),
            QStringLiteral("Position in the recording"),
            QStringLiteral("GPS position"),
            QStringLiteral("Speed"),
            QStringLiteral("Acceleration (g)"),
            QStringLiteral("Route"),
            QStringLiteral("green dot: start, dark dot: end, orange ring: the moment"),
            QStringLiteral("the viewer's map at the moment, the pin on the car; map data © "
                           "OpenStreetMap contributors"),
            QStringLiteral("Acceleration sensor"),
            QStringLiteral("X, Y and Z in g over the whole recording; the vertical line marks "
                           "the moment"),
            QStringLiteral("Report made by"),
            QStringLiteral("Report made on"),
            QStringLiteral("no GPS position"),
            QStringLiteral("the recording could not be read")};
}

// A long value (the hash) is set a size smaller, so that it keeps to one line.
QString row(const QString &label, const QString &value, bool smaller = false) {
    const QString escaped = value.toHtmlEscaped();
    return QStringLiteral("<tr>") +
           labelCell(QStringLiteral("width=\"25%\""), label.toHtmlEscaped()) +
           valueCell(QStringLiteral("width=\"75%\""),
                     smaller ? QStringLiteral("<font size=\"2\">%1</font>").arg(escaped)
                             : escaped) +
           QStringLiteral("</tr>");
}

QString heading(const QString &label) {
    return QStringLiteral("<tr>") +
           labelCell(QStringLiteral("colspan=\"2\""),
                     QStringLiteral("<b>%1</b>").arg(label.toHtmlEscaped())) +
           QStringLiteral("</tr>");
}

// Outside the tables: a cell across both columns would widen both to half
// the picture's width.
QString picture(const QString &source, const QSize &shown, const QString &title,
                const QString &key) {
    return QStringLiteral(
               "<p align=\"center\"><img src=\"%1\" width=\"%2\" height=\"%3\"><br>%4</p>")
        .arg(source, QString::number(shown.width()), QString::number(shown.height()),
             reportText(
                 QStringLiteral("<b>%1</b>: %2").arg(title.toHtmlEscaped(), key.toHtmlEscaped())));
}

std::optional<TrackPoint> momentPoint(const Telemetry &telemetry, qint64 momentMs) {
    const int second = int(momentMs / 1000);
    for (const GioData &record : telemetry.gio) {
        if (record.time == second)
            return trackPoint(record);
    }
    return std::nullopt;
}

} // namespace

ComposedReport composeEvidencePage(const RecordingEvidence &evidence, qint64 momentMs,
                                   int speedUnit, int language, const QDateTime &madeAt,
                                   const QImage &mapPicture) {
    const EvidenceLabels labels = evidenceLabels(language);
    const MomentTexts moment = momentTexts(evidence, momentMs, speedUnit);
    const Telemetry &telemetry = *evidence.telemetry;
    const QString none = QStringLiteral("\u2014");

    ComposedReport page;
    QString &html = page.html;
    html += QStringLiteral("<table width=\"100%\" border=\"0\" cellpadding=\"3\" "
                           "style=\"page-break-before:always\">");
    html += QStringLiteral("<tr>") + titleCell(2, labels.title) + QStringLiteral("</tr>");
    html += heading(labels.recording);
    html += row(labels.file, evidence.fileName);
    html += row(labels.size, evidence.size >= 0
                                 ? QStringLiteral("%1 %2").arg(evidence.size).arg(labels.bytes)
                                 : none);
    html += row(labels.sha256, evidence.sha256.isEmpty() ? none : evidence.sha256, true);
    if (!evidence.error.isEmpty())
        html += row(QString(), labels.unreadable + QStringLiteral(": ") + evidence.error);
    html += heading(labels.moment);
    html += row(labels.date, moment.date);
    html += row(labels.clipPosition, moment.clipPosition);
    html += row(labels.gps, moment.gpsPosition.isEmpty() ? labels.noPosition : moment.gpsPosition);
    html += row(labels.speed, moment.speed.isEmpty() ? labels.noPosition : moment.speed);
    html += row(labels.sensor, moment.gSensor);
    html += QStringLiteral("</table>");

    if (mapPicture.isNull()) {
        html += picture(RoutePicture, RouteShown, labels.route, labels.routeKey);
        page.pictures.insert(RoutePicture, drawRoutePicture(trackPoints(telemetry),
                                                            momentPoint(telemetry, momentMs),
                                                            RouteShown * 2, labels.noPosition));
    } else {
        // The grab keeps its proportions inside the drawn route's place.
        const QImage map =
            mapPicture.width() > RouteShown.width() * 2 ||
                    mapPicture.height() > RouteShown.height() * 2
                ? mapPicture.scaled(RouteShown * 2, Qt::KeepAspectRatio, Qt::SmoothTransformation)
                : mapPicture;
        const QSize shown = map.size().scaled(RouteShown, Qt::KeepAspectRatio);
        html += picture(RoutePicture, shown, labels.route, labels.mapKey);
        page.pictures.insert(RoutePicture, map);
    }
    html += picture(SensorPicture, SensorShown, labels.curves, labels.curvesKey);
    page.pictures.insert(
        SensorPicture,
        drawSensorPicture(telemetry.magnetic,
                          sampleIndexAt(telemetry.magnetic.size(), momentMs, evidence.durationMs),
                          evidence.durationMs, SensorShown * 2));

    html += QStringLiteral("<table width=\"100%\" border=\"0\" cellpadding=\"3\">");
    html += row(labels.madeBy, QStringLiteral("Velmora Viewer " VELMORA_VERSION));
    html += row(labels.madeAt, localTimeText(madeAt));
    html += QStringLiteral("</table>");
    return page;
}

ComposedReport composeReport(const ReportRequest &request, const RecordingEvidence *evidence,
                             const QDateTime &madeAt) {
    ComposedReport report;
    report.html =
        composeReportHtml(request.name, request.texts, request.language, request.desktopFolder);
    if (!evidence)
        return report;
    const ComposedReport page = composeEvidencePage(*evidence, request.momentMs, request.speedUnit,
                                                    request.language, madeAt, request.mapPicture);
    report.html.insert(report.html.lastIndexOf(QStringLiteral("</body>")), page.html);
    report.pictures = page.pictures;
    return report;
}

} // namespace velmora::report
