#pragma once

#include <QHash>
#include <QImage>
#include <QString>

class QPrinter;

// Printing the report page (see reportdocument.h). These need a
// QGuiApplication (fonts) and run on its thread.
namespace velmora::report {

// Portrait A4 in full-page mode: no margins reserved by the printer.
void setUpReportPrinter(QPrinter &printer);

// Lets the face the page names, "NotoSansCJKkr-DemiLight", resolve to the
// installed Noto Sans CJK KR family where that face itself is missing.
void installReportFontSubstitution();

// Lays the page out as a rich-text document and prints it; the document
// breaks itself into pages. An image source found in `pictures` shows that
// picture, any other is read as a file. False when no GUI application runs.
bool printReportDocument(QPrinter &printer, const QString &html,
                         const QHash<QString, QImage> &pictures = {});

// Prints the page to a PDF file without any dialog. The file appears whole
// or not at all: an existing file is replaced only by a complete PDF. On
// failure `error` says why.
bool printReportToPdf(const QString &html, const QString &pdfPath, QString *error,
                      const QHash<QString, QImage> &pictures = {});

} // namespace velmora::report
