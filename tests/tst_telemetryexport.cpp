// The telemetry export formats on hand-built telemetry; GPX against the GPX 1.1 schema.
#include "gpsrecord.h"
#include "telemetryexport.h"
#include "testfiles.h"

#include <QtTest>

using velmora::MagneticData;
using velmora::Telemetry;
using velmora::testing::record;

namespace {

// 100 samples; GPS at seconds 0, 1 (west) and 2 (no position), none for 3.
Telemetry sampleDrive() {
    Telemetry t;
    for (int i = 0; i < 100; ++i)
        t.magnetic.append(MagneticData{i / 1000.0f, -0.25f, 1.0f});
    t.gio = {record(0, "4807.038", "01131.000", "E", "022.4"),
             record(1, "3724.5000", "12652.2000", "W", "010.0"), record(2, "0", "0", "0", "0")};
    return t;
}

// The texts of every `name` element; "XML ERROR" when not well-formed.
QStringList elementTexts(const QByteArray &xmlText, const QString &name) {
    QStringList texts;
    QXmlStreamReader xml(xmlText);
    while (!xml.atEnd()) {
        if (xml.readNext() == QXmlStreamReader::StartElement && xml.qualifiedName() == name)
            texts << xml.readElementText(QXmlStreamReader::IncludeChildElements).trimmed();
    }
    return xml.hasError() ? QStringList{"XML ERROR"} : texts;
}

} // namespace

class TestTelemetryExport : public QObject {
    Q_OBJECT

private slots:
    // Samples as the shortest text that reads back unchanged; texts as stored.
    void json() {
        Telemetry t;
        t.magnetic = {{1.0f, 0.001f, -0.25f}};
        t.gio = {record(8, QString(), QString("a\"b\\c"), QString("\x01"),
                        QString::fromUtf8("1\xc3\xa9"))};
        QCOMPARE(velmora::telemetryJson(t),
                 QByteArray("{\"samples\":[[1,0.001,-0.25]],\"gps\":["
                            "{\"time\":8,\"ew\":\"\\u0001\",\"lat\":\"\",\"lon\":\"a\\\"b\\\\c\","
                            "\"speed\":\"1\xc3\xa9\"}]}"));
    }

    // A row a sample, with its second's record where there is one.
    void csv() {
        Telemetry t = sampleDrive();
        const QList<QByteArray> lines = velmora::telemetryCsv(t).split('\n');
        QCOMPARE(lines.size(), 1 + 100 + 1); // header, rows, empty after the last line end
        QCOMPARE(lines[31], QByteArray("30,1,0.03,-0.25,1,3724.5000,12652.2000,W,010.0,37.4083333,"
                                       "-126.8700000,18.52"));
        QCOMPARE(lines[61], QByteArray("60,2,0.06,-0.25,1,0,0,0,0,,,0.00")); // no position
        QCOMPARE(lines[91], QByteArray("90,3,0.09,-0.25,1,,,,,,,"));         // no record
        // Texts holding a separator or a quote are quoted.
        t = Telemetry{{MagneticData{}}, {record(0, "1,2", "x\"y", "E", "1")}};
        QCOMPARE(velmora::telemetryCsv(t).split('\n')[1],
                 QByteArray("0,0,0,0,0,\"1,2\",\"x\"\"y\",E,1,,,1.85"));
    }

    // The drive, nothing and the ranges' edges are valid against the GPX 1.1
    // schema; the name's markup and control characters do not break it.
    void gpx() {
        const QByteArray gpx = velmora::telemetryGpx(sampleDrive(), "R_1_S_a&b");
        QCOMPARE(elementTexts(gpx, "name"), QStringList{"R_1_S_a&b"});
        QCOMPARE(gpx.count("<trkpt "), 2);
        QVERIFY(gpx.contains("<trkpt lat=\"37.4083333\" lon=\"-126.8700000\">"));
        QCOMPARE(elementTexts(gpx, "velmora:speed"), QStringList({"11.524", "5.144"})); // m/s
        const QString xmllint = QStandardPaths::findExecutable("xmllint");
        if (xmllint.isEmpty())
            QSKIP("xmllint is not installed (package libxml2-utils)");
        QTemporaryDir dir;
        const QString path = dir.filePath("track.gpx");
        Telemetry edges; // of the schema's ranges, and past them
        edges.gio = {record(0, "9000.0", "17959.9999", "E", "bad"),
                     record(1, "0000.0001", "18000.0", "W", "999.9"),
                     record(2, "4807.0", "18000.0", "E", "0"),
                     record(3, "9500.0", "01131.0", "E", "0"),
                     record(4, "4807.0", "nan", "E", "0"),
                     record(5, "", "", "", "0")};
        for (const Telemetry &t : {sampleDrive(), Telemetry(), edges}) {
            writeAll(path, velmora::telemetryGpx(t, "<a & \"b\"> \x01\x1f"));
            QProcess lint;
            lint.setProcessChannelMode(QProcess::MergedChannels);
            lint.start(xmllint,
                       {"--noout", "--nonet", "--schema", QStringLiteral(GPX_SCHEMA), path});
            QVERIFY(lint.waitForFinished(30000));
            const QByteArray output = lint.readAll();
            QVERIFY2(lint.exitCode() == 0 && output.contains("validates"), output.constData());
        }
    }

    // A line for several points, a Point for one, no placemark for none.
    void kml() {
        const QByteArray line = velmora::telemetryKml(sampleDrive(), "R_1_S_N");
        QCOMPARE(elementTexts(line, "coordinates"),
                 QStringList{"11.5166667,48.1173000\n          -126.8700000,37.4083333"});
        Telemetry one;
        one.gio = {record(0, "4807.038", "01131.000", "W", "0")};
        const QByteArray point = velmora::telemetryKml(one, "a<b");
        QVERIFY(!point.contains("<LineString>"));
        QCOMPARE(elementTexts(point, "coordinates"), QStringList{"-11.5166667,48.1173000"});
        QCOMPARE(elementTexts(point, "name"), QStringList({"a<b", "a<b"}));
        QCOMPARE(elementTexts(velmora::telemetryKml(Telemetry(), "x"), "Placemark"), QStringList());
    }
};

QTEST_GUILESS_MAIN(TestTelemetryExport)
#include "tst_telemetryexport.moc"
