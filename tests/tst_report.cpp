// The accident report: the page composed from its inputs, and printed to PDF (poppler reads it).
#include "reportdocument.h"
#include "reportprinter.h"
#include "testfiles.h"
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

// The page printed to `pdf`, as text row by row; the failure otherwise.
QString printed(const QString &html, const QString &pdf) {
    QString error;
    return printReportToPdf(html, pdf, &error) ? pdfTool("pdftotext", pdf, {"-layout"})
                                               : "print failed: " + error;
}

bool embedsKoreanFont(const QString &pdf) {
    const QRegularExpression embedded("NotoSansCJKkr\\S*\\s.*\\byes\\b");
    return embedded.match(pdfTool("pdffonts", pdf)).hasMatch();
}

const ReportTexts Plain{"2024-03-01 10:20:30", "N 37.5, E 127.0", "X 0.1 Y 0.2 Z 0.3", "ok"};

} // namespace

class ReportTest : public QObject {
    Q_OBJECT

private slots:
    void labelsAndImages_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("language");
        QTest::addColumn<QStringList>("labels");
        QTest::addColumn<QString>("images");
        const QStringList korean = {"사건보고서", "발생일자", "충격 센서", "발생위치", "메모"};
        const QStringList english = {"Accident report", "Date of Accident", "Shock Sensor",
                                     "Location of Accident", "Note"};
        const QStringList french = {"Rapport d'accident", "Date de l'accident", "Capteur de choc",
                                    "Lieu de l'accident", "Remarque"};
        QTest::newRow("three, Korean") << "R_1_T_2" << 0 << korean << "FRS";
        QTest::newRow("D before S, French") << "R_1_S_D_2" << 2 << french << "FR";
        QTest::newRow("one, English") << "R_1_S_2" << 1 << english << "F";
        QTest::newRow("no marker") << "R_1_X_2" << 1 << english << "";
        QTest::newRow("lower-case marker") << "R_1_t_2" << 2 << french << "";
        QTest::newRow("unknown language")
            << "R_1_T_2" << 3 << QStringList{"", "", "", "", ""} << "FRS";
    }
    void labelsAndImages() {
        QFETCH(QString, name);
        QFETCH(int, language);
        QFETCH(QStringList, labels);
        QFETCH(QString, images);
        const QString html = composeReportHtml(name, Plain, language, "/d");
        QStringList shown;
        const QRegularExpression cell("size=\"[36]\">([^<]*)</font>");
        for (auto it = cell.globalMatch(html); it.hasNext();)
            shown << it.next().captured(1);
        QCOMPARE(shown, QStringList({labels[0], labels[1], Plain.date, labels[2], Plain.sensor,
                                     labels[3], Plain.position, labels[4], Plain.note}));
        QString expectedSources, sources;
        for (const QChar prefix : images)
            expectedSources += QStringLiteral("/d/velmora/report/%1_%2.png;").arg(prefix).arg(name);
        const QRegularExpression image("<img src=\"([^\"]*)\" width=\"370\" height=\"205\">");
        for (auto it = image.globalMatch(html); it.hasNext();)
            sources += it.next().captured(1) + ";";
        QCOMPARE(sources, expectedSources);
    }

    void userTextsPrintAsTyped() {
        const ReportTexts texts{"1 < 2", "A&B \"road\"", "x>y", "fish & chips\n<b>no</b>\n\nend"};
        const QString html = composeReportHtml("R_S_", texts, 1, "/d");
        for (const char *escaped : {">1 &lt; 2<", ">A&amp;B &quot;road&quot;<", ">x&gt;y<",
                                    ">fish &amp; chips<br>&lt;b&gt;no&lt;/b&gt;<br><br>end<"})
            QVERIFY2(html.contains(escaped), escaped);

        // Accents and Korean survive wherever the local encoding is not EUC-KR.
        const QString typed = "Café, 서울 강남구 — ß";
        for (const char *local : {"UTF-8", "ISO-8859-1"}) {
            QVERIFY(!isEucKrCompatible(QTextCodec::codecForName(local)));
            QCOMPARE(userText(typed, QTextCodec::codecForName(local)), typed);
        }
        QVERIFY(composeReportHtml("R_S_", {typed, typed, typed, typed}, 0, "/d").count(typed) == 4);
        // Where it is EUC-KR (code page 949), Korean goes through it unharmed.
        QTextCodec *eucKr = QTextCodec::codecForName("eucKR");
        QVERIFY(eucKr && isEucKrCompatible(eucKr));
        QCOMPARE(userText("서울 A&B", eucKr), QString("서울 A&amp;B"));
    }

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
        const ReportTexts texts{"2024-03-01 10:20:30", "Rue de Rivoli, Paris", "X 1.25 Y -0.50",
                                "First line\nsecond < line & more\nthird line"};
        const QString pdf = dir.filePath("report.pdf");
        const QString text = printed(composeReportHtml(name, texts, 2, desktop), pdf);
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
            QVERIFY(embedsKoreanFont(pdf));

        // A failed print says so and leaves the existing report as it was.
        QString error;
        writeAll(dir.filePath("kept.pdf"), "old report");
        QVERIFY(!printReportToPdf("<p>x</p>", dir.filePath("kept.pdf/x.pdf"), &error));
        QVERIFY(!printReportToPdf("<p>x</p>", dir.filePath("missing/x.pdf"), &error));
        QCOMPARE(readAll(dir.filePath("kept.pdf")), QByteArray("old report"));
    }

    void printsKorean() {
        if (!QFontDatabase().families().contains("Noto Sans CJK KR"))
            QSKIP("fonts-noto-cjk is not installed");
        const ReportTexts korean{"2024년 3월 1일", "서울특별시 중구", "X 0.1", "앞차와 충돌\n정지"};
        QTemporaryDir dir;
        const QString pdf = dir.filePath("report.pdf");
        QVERIFY(inOrder(
            printed(composeReportHtml("R_1", korean, 0, "/none"), pdf),
            {"사건보고서", "발생일자", korean.date, korean.position, "앞차와 충돌", "정지"}));
        QVERIFY(embedsKoreanFont(pdf));
    }

    // The report command; bad arguments give 2, a PDF that cannot be written 1.
    void tool() {
        QTemporaryDir dir;
        const QString pdf = dir.filePath("insurer.pdf");
        const auto args = [&](const QString &language, const QString &out) {
            return QStringList{
                "report", "--name",   "R_1_D_2", "--date", "2024-03-01",         "--position",
                "Lyon",   "--sensor", "X 2.0",   "--note", "line one\nline two", "--lang",
                language, "--pdf",    out};
        };
        const ToolRun run = runTool(args("1", pdf), 60000);
        QVERIFY2(run.code == 0, run.err.constData());
        QVERIFY(
            inOrder(pdfTool("pdftotext", pdf, {"-layout"}),
                    {"Accident report", "2024-03-01", "X 2.0", "Lyon", "line one", "line two"}));
        QCOMPARE(runTool(args("1", pdf).mid(0, 13)).code, 2);
        QCOMPARE(runTool(args("5", pdf)).code, 2);
        QCOMPARE(runTool(args("1", pdf) + QStringList{"--copies", "2"}).code, 2);
        QCOMPARE(runTool(args("1", dir.filePath("no/such/folder.pdf"))).code, 1);
    }
};

QTEST_MAIN(ReportTest)
#include "tst_report.moc"
