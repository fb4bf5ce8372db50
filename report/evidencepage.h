#pragma once

// The whole printed report: the report page and, when a recording is named,
// the evidence page after a page break. Composed on the GUI thread once the
// recording has been read (see evidence.h).
#include "evidence.h"
#include "reportdocument.h"

#include <QDateTime>
#include <QHash>
#include <QImage>
#include <QString>

namespace velmora::report {

// What the report is made of.
struct ReportRequest {
    QString name; // the recording's name as the snapshots carry it
    ReportTexts texts;
    int language = 0;
    QString desktopFolder;
    QString evidencePath; // empty: the report page alone
    qint64 momentMs = 0;  // the moment, from the start of the recording
    int speedUnit = 1;    // 1 km/h, 0 mi/h
    // The map cell at the moment, as the viewer shows it (its marker on the
    // car); null: the route is drawn on plain ground.
    QImage mapPicture;
};

// Rich text and the pictures it names (src) that are not files.
struct ComposedReport {
    QString html;
    QHash<QString, QImage> pictures;
};

// The evidence page's rows and pictures; its HTML starts a new page. Labels in English (language 0
// and 1) or French (2). A `mapPicture` takes the place of the drawn route.
ComposedReport composeEvidencePage(const RecordingEvidence &evidence, qint64 momentMs,
                                   int speedUnit, int language, const QDateTime &madeAt,
                                   const QImage &mapPicture = QImage());

// The report page, followed by the evidence page when `evidence` is given.
ComposedReport composeReport(const ReportRequest &request, const RecordingEvidence *evidence,
                             const QDateTime &madeAt);

} // namespace velmora::report
