#include "reportprinter.h"

#include "atomicfile.h"

#include <QFile>
#include <QFont>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QImage>
#include <QPrinter>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextDocument>

namespace velmora::report {

namespace {

bool guiRunning() {
    return qobject_cast<QGuiApplication *>(QCoreApplication::instance()) != nullptr;
}

// A snapshot that is missing or unreadable leaves its place empty instead of
// the broken-image icon the rich-text document would draw.
void loadPictures(QTextDocument &document, const QHash<QString, QImage> &pictures) {
    QImage blank(1, 1, QImage::Format_ARGB32);
    blank.fill(Qt::transparent);
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat format = it.fragment().charFormat();
            if (!format.isImageFormat())
                continue;
            const QString name = format.toImageFormat().name();
            const QImage image = pictures.contains(name) ? pictures.value(name) : QImage(name);
            document.addResource(QTextDocument::ImageResource, QUrl(name),
                                 image.isNull() ? blank : image);
        }
    }
}

} // namespace

void setUpReportPrinter(QPrinter &printer) {
    printer.setPageOrientation(QPageLayout::Portrait);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setFullPage(true);
}

void installReportFontSubstitution() {
    const QString face = QStringLiteral("NotoSansCJKkr-DemiLight");
    const QString installed = QStringLiteral("Noto Sans CJK KR");
    if (!QFont::substitutes(face).isEmpty())
        return;
    const QStringList families = QFontDatabase().families();
    if (!families.contains(face, Qt::CaseInsensitive) &&
        families.contains(installed, Qt::CaseInsensitive))
        QFont::insertSubstitution(face, installed);
}

bool printReportDocument(QPrinter &printer, const QString &html,
                         const QHash<QString, QImage> &pictures) {
    if (!guiRunning())
        return false;
    installReportFontSubstitution();
    QTextDocument document;
    // Qt's PDF writer maps glyphs back to text through the font's character
    // map only; the glyphs that shaping substitutes (the CJK fonts swap the
    // digits of Latin runs) would print but lose their text, and a PDF whose
    // numbers cannot be searched or copied is no use. Hangul needs no
    // shaping, and scripts that do are still shaped.
    QFont font = document.defaultFont();
    font.setStyleStrategy(QFont::PreferNoShaping);
    document.setDefaultFont(font);
    document.setHtml(html);
    loadPictures(document, pictures);
    printer.setFullPage(true);
    document.print(&printer);
    return printer.printerState() != QPrinter::Error;
}

bool printReportToPdf(const QString &html, const QString &pdfPath, QString *error,
                      const QHash<QString, QImage> &pictures) {
    const auto fail = [&](const QString &why) {
        if (error)
            *error = why;
        return false;
    };
    if (!guiRunning())
        return fail(QStringLiteral("printing needs a GUI application"));
    // The PDF engine does not report failed writes, so the page is printed to
    // a scratch file, checked for its end marker, and only then put in place.
    QTemporaryDir scratch;
    if (!scratch.isValid())
        return fail(QStringLiteral("no scratch folder: %1").arg(scratch.errorString()));
    const QString scratchPdf = scratch.filePath(QStringLiteral("report.pdf"));
    {
        QPrinter printer(QPrinter::ScreenResolution);
        setUpReportPrinter(printer);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(scratchPdf);
        if (!printReportDocument(printer, html, pictures))
            return fail(QStringLiteral("the printer failed"));
    }
    QFile file(scratchPdf);
    QByteArray pdf;
    if (file.open(QIODevice::ReadOnly))
        pdf = file.readAll();
    if (!pdf.startsWith("%PDF-") || !pdf.trimmed().endsWith("%%EOF"))
        return fail(QStringLiteral("the printer wrote no complete PDF"));
    return replaceFileAtomically(pdfPath, pdf, error);
}

} // namespace velmora::report
