// The accident report printed to PDF and read back by poppler; the report command.
#include "reportdocument.h"
#include "reportprinter.h"
#include "toolrunner.h"

#include <QFontDatabase>
#include <QImage>
#include <QtTest>

using namespace velmora::report;

namespace {

QString pdfTool(const QString &tool, const QString &pdf, const QStringList &options = {}) {
    QProcess process;
    // pdftotext writes to standard output when told "-".
    const QStringList target = tool == "pdftotext" ? QStringList{pdf, "-"} : QStringList{pdf};
    process.start(tool, options + target);
    if (!process.waitForFinished(30000) || process.exitCode() != 0)
        return QStringLiteral("%1 failed: %2").arg(tool, process.readAllStandardError());
    return QString::fromUtf8(process.readAllStandardOutput());
}

// True when every text of `parts` occurs in `text`, in that order.
bool inOrder(const QString &text, const QStringList &parts) {
    int from = 0;
    for (const QString &part : parts) {
        if ((from = text.indexOf(part, from)) < 0)
            return false;
        from += part.size();
    }
    return true;
}

} // namespace

class ReportTest : public QObject {
    Q_OBJECT

private slots:
    // Markup and accents typed into the texts are printed as typed; the page
    // as pdftotext reads it, with the snapshots and the font embedded.
    void printsPdf() {
        QTemporaryDir dir;
        const QString desktop = dir.filePath("Desktop");
        const QString name = "R_20240301_T_9";
        // The third camera's snapshot is missing: a blank 1 x 1 picture, no broken image.
        QImage snapshot(64, 36, QImage::Format_RGB32);
        snapshot.fill(Qt::red);
        QVERIFY(QDir().mkpath(snapshotFolder(desktop)));
        for (const char *prefix : {"F_", "R_"})
            QVERIFY(snapshot.save(snapshotFolder(desktop) + prefix + name + ".png"));
        const ReportTexts texts{"2024-03-01 10:20:30", "Café <b>Flore</b>, Paris", "X 1.25 Y -0.50",
                                "First line\nsecond < line & more\nthird line"};
        const QString pdf = dir.filePath("report.pdf");
        QString error;
        QVERIFY2(printReportToPdf(composeReportHtml(name, texts, 2, desktop), pdf, &error),
                 qPrintable(error));
        const QString text = pdfTool("pdftotext", pdf, {"-layout"});
        // The narrow label cells wrap their labels.
        QVERIFY2(inOrder(text, {"Rapport d'accident", "Date de", texts.date, "Capteur",
                                texts.sensor, "Lieu de", texts.position, "Remarque", "First line",
                                "second < line & more", "third line"}),
                 qPrintable(text));
        QStringList imageSizes;
        for (const QString &row : pdfTool("pdfimages", pdf, {"-list"}).split('\n').mid(2)) {
            const QStringList columns = row.simplified().split(' ');
            if (columns.size() > 4 && columns[2] == "image")
                imageSizes << columns[3] + "x" + columns[4];
        }
        QCOMPARE(imageSizes, QStringList({"64x36", "64x36", "1x1"}));
        // Latin texts too are set in Noto Sans CJK KR, embedded in the PDF.
        if (QFontDatabase().families().contains("Noto Sans CJK KR"))
            QVERIFY(QRegularExpression("NotoSansCJKkr\\S*\\s.*\\byes\\b")
                        .match(pdfTool("pdffonts", pdf))
                        .hasMatch());
        error.clear(); // a failed print says why
        QVERIFY(!printReportToPdf("<p>x</p>", dir.filePath("missing/x.pdf"), &error));
        QVERIFY(!error.isEmpty());
    }

    // The report command.
    void tool() {
        QTemporaryDir dir;
        const QString pdf = dir.filePath("insurer.pdf");
        const QStringList args{
            "report", "--name",   "R_1_D_2", "--date", "2024-03-01",         "--position",
            "Lyon",   "--sensor", "X 2.0",   "--note", "line one\nline two", "--lang",
            "1",      "--pdf",    pdf};
        const ToolRun run = runTool(args, 60000);
        QVERIFY2(run.code == 0, run.err.constData());
        QVERIFY(
            inOrder(pdfTool("pdftotext", pdf, {"-layout"}),
                    {"Accident report", "2024-03-01", "X 2.0", "Lyon", "line one", "line two"}));
    }
};

QTEST_MAIN(ReportTest)
#include "tst_report.moc"
