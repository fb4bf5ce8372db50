#pragma once

#include <QString>

class QTextCodec;

// The accident report as rich text: what the report screen collected,
// composed into the HTML page the printer gets. Pure functions, no printer
// and no window, so the document can be checked on its own.
namespace velmora::report {

// The five labels of the report in one language (0 Korean, 1 English,
// 2 French); empty texts for any other code.
struct ReportLabels {
    QString title;
    QString date;
    QString place;
    QString sensor;
    QString note;
};
ReportLabels reportLabels(int language);

// What the user typed on the report screen.
struct ReportTexts {
    QString date;
    QString position;
    QString sensor;
    QString note;
};

// True where the local 8-bit encoding is EUC-KR or its superset (code page
// 949): only there does a text survive the way through the local encoding
// and back through EUC-KR.
bool isEucKrCompatible(const QTextCodec *localCodec);

// A user's text as the document shows it: through the local encoding and
// EUC-KR where that round trip is harmless, otherwise unchanged; then
// HTML-escaped, so "<" and "&" print as typed.
QString userText(const QString &text, const QTextCodec *localCodec);

// The pieces of the page, for the pages that follow it: a text in the
// page's face and size, a label cell (shaded), a value cell, and the title
// cell across `columns` columns. `attributes` go into the cell's tag.
QString reportText(const QString &content);
QString labelCell(const QString &attributes, const QString &label);
QString valueCell(const QString &attributes, const QString &value);
QString titleCell(int columns, const QString &title);

// The snapshot folder inside the desktop folder, ending with "/".
QString snapshotFolder(const QString &desktopFolder);

// The whole report page for the recording `name`. The channel marker of the
// name decides how many snapshots ("F_", "R_", "S_" + name + ".png") it
// shows. The note's line feeds become line breaks.
QString composeReportHtml(const QString &name, const ReportTexts &texts, int language,
                          const QString &desktopFolder);
// The same, with the given local encoding instead of the system's.
QString composeReportHtml(const QString &name, const ReportTexts &texts, int language,
                          const QString &desktopFolder, const QTextCodec *localCodec);

} // namespace velmora::report
