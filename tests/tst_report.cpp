// The accident report printed to PDF and read back by poppler, with its
// evidence page; the report command.
#include "commonfunc.h"
#include "evidence.h"
#include "evidencepictures.h"
#include "pdftools.h"
#include "recordingwriter.h"
#include "reportdocument.h"
#include "reportprinter.h"
#include "testfiles.h"
#include "toolrunner.h"
#include "velmoraversion.h"

#include <QFontDatabase>
#include <QImage>
#include <QPainter>
#include <QtTest>
#include <time.h>

using namespace velmora::report;
using namespace velmora::demo;

namespace {

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

QString sha256sum(const QString &path) {
    QProcess process;
    process.start("sha256sum", {path});
    process.waitForFinished(60000);
    return QString::fromLatin1(process.readAllStandardOutput()).section(' ', 0, 0);
}

// The evidence page as pdftotext reads it: after the report page, the
// recording's name, size and hash, the moment, the program and the time.
void verifyEvidencePage(const QString &text, const QString &recording, const QString &date) {
    const QString name = QFileInfo(recording).fileName();
    const QString size = QString::number(QFileInfo(recording).size()) + " bytes";
    QVERIFY2(inOrder(text, {"\f", "Evidence", name, size, sha256sum(recording), date,
                            "Velmora Viewer " VELMORA_VERSION}),
             qPrintable(text));
    QVERIFY2(
        QRegularExpression("\\d{4}\\.\\d{4}\\(N\\) \\d{5}\\.\\d{4}\\(E\\) \u00b7 48\\.1\\d{5}, "
                           "11\\.5\\d{5}")
            .match(text)
            .hasMatch(),
        qPrintable(text));
    QVERIFY(QRegularExpression("\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d [+-]\\d\\d:\\d\\d")
                .match(text.mid(text.indexOf("Report made on")))
                .hasMatch());
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
        QCOMPARE(imageSizes(pdf), QStringList({"64x36", "64x36", "1x1"}));
        // Latin texts too are set in Noto Sans CJK KR, embedded in the PDF.
        if (QFontDatabase().families().contains("Noto Sans CJK KR"))
            QVERIFY(QRegularExpression("NotoSansCJKkr\\S*\\s.*\\byes\\b")
                        .match(pdfTool("pdffonts", pdf))
                        .hasMatch());
        error.clear(); // a failed print says why
        QVERIFY(!printReportToPdf("<p>x</p>", dir.filePath("missing/x.pdf"), &error));
        QVERIFY(!error.isEmpty());
    }

    // The texts of the moment, by the rules the report screen follows too.
    void momentTexts_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        velmora::GioData south{3, "W", "3724.5000", "12652.2000", "0", "S", {}, {}};
        velmora::GioData noFix = south;
        noFix.lat = "0";
        QTest::newRow("date: start plus the moment, cut to seconds")
            << momentDateText("R_20261206_081512_T_N", 15999) << "2026-12-06 08:15:27";
        QTest::newRow("date: into a new year")
            << momentDateText("R_20261231_235959_S_N", 1000) << "2027-01-01 00:00:00";
        QTest::newRow("date: a name without one")
            << momentDateText("T_manual_clip_S_N", 5000) << "manual_cli";
        QTest::newRow("date: no such day")
            << momentDateText("R_20261332_081512_T_N", 0) << "20261332_0";
        {
            // 02:05 does not exist in Paris that night; the camera's clock has no zone.
            const QByteArray zone = qgetenv("TZ");
            qputenv("TZ", "Europe/Paris");
            tzset();
            QTest::newRow("date: a local clock change skips it")
                << momentDateText("R_20260329_020512_T_N", 2000) << "2026-03-29 02:05:14";
            zone.isNull() ? qunsetenv("TZ") : qputenv("TZ", zone);
            tzset();
        }
        QTest::newRow("G: 0.7 in single precision") << gValueText(0.7f) << "0.7";
        QTest::newRow("G: negative, cut downwards") << gValueText(-0.01234f) << "-0.0124";
        QTest::newRow("G: never -0") << gValueText(-0.0000004f) << "0";
        QTest::newRow("G: the reading")
            << gSensorText({1.0f, -2.5f, 0.99995f}) << "X:1   Y:-2.5   Z:0.9999";
        QTest::newRow("clip: tenths cut") << clipPositionText(75499) << "01:15.4";
        QTest::newRow("clip: an hour") << clipPositionText(3600000) << "60:00.0";
        QTest::newRow("gps: south and west negative")
            << gpsPositionText(south)
            << "3724.5000(S) 12652.2000(W) \u00b7 -37.408333, -126.870000";
        QTest::newRow("gps: no fix") << gpsPositionText(noFix) << "";
        QTest::newRow("sample: the moment's share")
            << QString::number(sampleIndexAt(1800, 15400, 60000)) << "462";
        QTest::newRow("sample: the end reads the last")
            << QString::number(sampleIndexAt(1800, 60000, 60000)) << "1799";
    }
    void momentTexts() {
        QFETCH(QString, text);
        QFETCH(QString, expected);
        QCOMPARE(text, expected);
    }

    // A grab of the map cell counts as a map only when tiles cover it; the
    // marker and the route on bare ground do not.
    void mapGrabNeedsTiles() {
        const QColor ground(0x20, 0x20, 0x20);
        QImage grab(400, 300, QImage::Format_ARGB32_Premultiplied);
        grab.fill(ground);
        QPainter(&grab).fillRect(150, 100, 100, 100, Qt::red);
        QVERIFY(!mapShowsTiles(grab, ground));
        QVERIFY(!mapShowsTiles(QImage(), ground));
        QPainter(&grab).fillRect(0, 0, 400, 160, Qt::lightGray);
        QVERIFY(mapShowsTiles(grab, ground));
    }

    // The viewer's PDF: the report page, then the evidence page about the
    // recording at the moment, prepared while busy. A folder that cannot be
    // written gets nothing, not even a scratch file.
    void savePdfWithEvidence() {
        if (!popplerInstalled())
            QSKIP("poppler-utils is not installed");
        QTemporaryDir dir;
        RecordingOptions options;
        options.seconds = 20;
        const QString recording = dir.filePath(cameraFileName(options.drive.start, 1));
        QVERIFY(writeRecording(recording, options).ok);
        const QString name = QFileInfo(recording).completeBaseName();
        // The snapshots are looked for in the desktop folder, $HOME/Desktop here.
        const QByteArray home = qgetenv("HOME");
        const auto restoreHome = qScopeGuard([&] { qputenv("HOME", home); });
        qputenv("HOME", dir.path().toUtf8());
        QImage snapshot(64, 36, QImage::Format_RGB32);
        snapshot.fill(Qt::blue);
        QVERIFY(QDir().mkpath(snapshotFolder(dir.filePath("Desktop"))));
        QVERIFY(snapshot.save(snapshotFolder(dir.filePath("Desktop")) + "F_" + name + ".png"));

        CommonFunc report;
        report.setCurrentLanguage(1);
        report.setDateStr("2026-12-06 08:15:27");
        report.setEvidencePath(recording);
        report.setEvidenceMoment(15400);
        // The map cell's grab, larger than its place: it keeps its proportions.
        QImage map(1280, 720, QImage::Format_RGB32);
        map.fill(Qt::darkGreen);
        report.setMapPicture(map, Qt::black);
        QSignalSpy busy(&report, &CommonFunc::busyChanged);
        QSignalSpy finished(&report, &CommonFunc::pdfFinished);
        const QString pdf = dir.filePath("report #1 100%.pdf");
        report.savePdf(name, QUrl::fromLocalFile(pdf).toString());
        QVERIFY(report.busy());
        QVERIFY(finished.wait(60000));
        QCOMPARE(finished.first(), QVariantList({pdf, true, QString()}));
        QVERIFY(!report.busy());
        QCOMPARE(busy.count(), 2);
        const QString text = pdfTool("pdftotext", pdf, {"-layout"});
        QVERIFY2(inOrder(text, {"Accident report", "2026-12-06 08:15:27", "\f", "00:15.4"}),
                 qPrintable(text));
        verifyEvidencePage(text, recording, "2026-12-06 08:15:27");
        QVERIFY2(text.contains("OpenStreetMap contributors"), qPrintable(text));
        QCOMPARE(imageSizes(pdf), QStringList({"64x36", "746x420", "1200x280"}));

        const QString locked = dir.filePath("locked");
        QVERIFY(QDir().mkpath(locked));
        ReadOnlyFolder readOnly(locked, [] {});
        QVERIFY(readOnly.ready());
        report.savePdf(name, locked + "/report.pdf");
        QVERIFY(finished.wait(60000));
        QCOMPARE(finished.last().mid(0, 2), QVariantList({locked + "/report.pdf", false}));
        QVERIFY(!finished.last().at(2).toString().isEmpty());
        QCOMPARE(QDir(locked).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
                 QStringList());
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

    // The whole report from a recording alone: a snapshot of each of the
    // three channels, the texts of the moment and the evidence page. A PDF
    // that does not fit its file system leaves nothing there.
    void toolFromRecording() {
        if (!popplerInstalled())
            QSKIP("poppler-utils is not installed");
        QTemporaryDir dir;
        RecordingOptions options;
        options.channels = 3;
        options.seconds = 20;
        options.payload = Payload::Hevc;
        const QString recording = dir.filePath(cameraFileName(options.drive.start, 3));
        const RecordingResult written = writeRecording(recording, options);
        QVERIFY2(written.ok, qPrintable(written.error));
        const QString pdf = dir.filePath("report.pdf");
        const QStringList args{"report", "--recording", recording,         "--at",
                               "15.4",   "--note",      "hit from behind", "--pdf"};
        const ToolRun run = runTool(args + QStringList{pdf}, 120000);
        QVERIFY2(run.code == 0, run.err.constData());
        const QString text = pdfTool("pdftotext", pdf, {"-layout"});
        QVERIFY2(inOrder(text, {"Accident report", "2026-12-06 08:15:27", "X:", "(N) ",
                                "(E) Speed ", "km/h", "hit from behind"}),
                 qPrintable(text));
        verifyEvidencePage(text, recording, "2026-12-06 08:15:27");
        QCOMPARE(imageSizes(pdf),
                 QStringList({"320x180", "320x180", "320x180", "1200x420", "1200x280"}));

        const QString small = dir.filePath("small");
        QVERIFY(QDir().mkpath(small));
        SmallFileSystem tooSmall(small, "32k");
        const QString target = tooSmall.mounted() ? small + "/report.pdf" : small + "/x/report.pdf";
        QCOMPARE(runTool(args + QStringList{target}, 120000).code, 4);
        QCOMPARE(QDir(small).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
                 QStringList());
    }
};

QTEST_MAIN(ReportTest)
#include "tst_report.moc"
