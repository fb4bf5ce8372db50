// The telemetry export formats on hand-built telemetry: JSON texts as stored,
// CSV rows per sample, GPX checked against the GPX 1.1 schema, KML order.
#include "gpsrecord.h"
#include "telemetryexport.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <QtTest>

using velmora::MagneticData;
using velmora::Telemetry;
using velmora::testing::record;

Q_DECLARE_METATYPE(velmora::Telemetry)

namespace {

// 3 seconds of samples (90); GPS at seconds 0, 1 (a W position) and 2 (no
// position), none for second 3 and its samples.
Telemetry sampleDrive() {
    Telemetry t;
    for (int i = 0; i < 100; ++i)
        t.magnetic.append(MagneticData{i / 1000.0f, -0.25f, 1.0f});
    t.gio.append(record(0, QStringLiteral("4807.038"), QStringLiteral("01131.000"),
                        QStringLiteral("E"), QStringLiteral("022.4")));
    t.gio.append(record(1, QStringLiteral("3724.5000"), QStringLiteral("12652.2000"),
                        QStringLiteral("W"), QStringLiteral("010.0")));
    t.gio.append(record(2, QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("0"),
                        QStringLiteral("0")));
    return t;
}

struct XmlPoint {
    double lat;
    double lon;
};

QVector<XmlPoint> gpxPoints(const QByteArray &gpx) {
    QVector<XmlPoint> points;
    QXmlStreamReader xml(gpx);
    while (!xml.atEnd()) {
        if (xml.readNext() == QXmlStreamReader::StartElement &&
            xml.name() == QLatin1String("trkpt"))
            points.append({xml.attributes().value(QLatin1String("lat")).toDouble(),
                           xml.attributes().value(QLatin1String("lon")).toDouble()});
    }
    return xml.hasError() ? QVector<XmlPoint>{{-999, -999}} : points;
}

QString elementText(const QByteArray &xmlText, const QString &name) {
    QXmlStreamReader xml(xmlText);
    while (!xml.atEnd()) {
        if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == name)
            return xml.readElementText(QXmlStreamReader::IncludeChildElements);
    }
    return QString();
}

} // namespace

class TestTelemetryExport : public QObject {
    Q_OBJECT

private slots:
    void formatNames();
    void jsonKeepsTheTexts();
    void jsonEmpty();
    void jsonSamplesReadBack();
    void csvRowsPerSample();
    void csvQuotesOddTexts();
    void trackSkipsRecordsWithoutPosition();
    void gpxContent();
    void gpxValidatesAgainstSchema_data();
    void gpxValidatesAgainstSchema();
    void kmlLineString();
    void kmlFewPoints();
};

void TestTelemetryExport::formatNames() {
    QCOMPARE(velmora::exportFormatFromName(QStringLiteral("json")), velmora::ExportFormat::Json);
    QCOMPARE(velmora::exportFormatFromName(QStringLiteral("csv")), velmora::ExportFormat::Csv);
    QCOMPARE(velmora::exportFormatFromName(QStringLiteral("gpx")), velmora::ExportFormat::Gpx);
    QCOMPARE(velmora::exportFormatFromName(QStringLiteral("kml")), velmora::ExportFormat::Kml);
    QVERIFY(!velmora::exportFormatFromName(QStringLiteral("GPX")));
    QVERIFY(!velmora::exportFormatFromName(QString()));
}

void TestTelemetryExport::jsonKeepsTheTexts() {
    Telemetry t;
    t.magnetic.append(MagneticData{1.0f, 0.001f, -0.25f});
    t.magnetic.append(MagneticData{-1.5f, 0.0f, 2.047f});
    t.gio.append(record(0, QStringLiteral("4807.038"), QStringLiteral("01131.000"),
                        QStringLiteral("E"), QStringLiteral("022.4")));
    t.gio.append(record(7, QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("0"),
                        QStringLiteral("0")));
    t.gio.append(record(8, QString(), QStringLiteral("a\"b\\c"), QStringLiteral("\x01"),
                        QString::fromUtf8("1\xc3\xa9")));
    QCOMPARE(velmora::telemetryJson(t),
             QByteArray("{\"samples\":[[1,0.001,-0.25],[-1.5,0,2.047]],\"gps\":["
                        "{\"time\":0,\"ew\":\"E\",\"lat\":\"4807.038\",\"lon\":\"01131.000\","
                        "\"speed\":\"022.4\"},"
                        "{\"time\":7,\"ew\":\"0\",\"lat\":\"0\",\"lon\":\"0\",\"speed\":\"0\"},"
                        "{\"time\":8,\"ew\":\"\\u0001\",\"lat\":\"\",\"lon\":\"a\\\"b\\\\c\","
                        "\"speed\":\"1\xc3\xa9\"}]}"));
    // And it is JSON that reads back to the same texts.
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(velmora::telemetryJson(t), &error);
    QCOMPARE(error.error, QJsonParseError::NoError);
    const QJsonObject last = doc.object().value(QLatin1String("gps")).toArray().at(2).toObject();
    QCOMPARE(last.value(QLatin1String("lon")).toString(), QStringLiteral("a\"b\\c"));
    QCOMPARE(last.value(QLatin1String("ew")).toString(), QStringLiteral("\x01"));
}

void TestTelemetryExport::jsonEmpty() {
    QCOMPARE(velmora::telemetryJson(Telemetry()), QByteArray("{\"samples\":[],\"gps\":[]}"));
}

// Every value the camera can store (thousandths of g) reads back unchanged.
void TestTelemetryExport::jsonSamplesReadBack() {
    Telemetry t;
    for (int n = -40000; n <= 40000; n += 7)
        t.magnetic.append(MagneticData{n / 1000.0f, (n + 1) / 1000.0f, (n + 3) / 1000.0f});
    const QJsonArray samples = QJsonDocument::fromJson(velmora::telemetryJson(t))
                                   .object()
                                   .value(QLatin1String("samples"))
                                   .toArray();
    QCOMPARE(samples.size(), t.magnetic.size());
    for (int i = 0; i < samples.size(); ++i) {
        const QJsonArray s = samples[i].toArray();
        QCOMPARE(float(s[0].toDouble()), t.magnetic[i].x);
        QCOMPARE(float(s[1].toDouble()), t.magnetic[i].y);
        QCOMPARE(float(s[2].toDouble()), t.magnetic[i].z);
    }
}

void TestTelemetryExport::csvRowsPerSample() {
    const QList<QByteArray> lines = velmora::telemetryCsv(sampleDrive()).split('\n');
    QCOMPARE(lines.size(), 1 + 100 + 1); // header, rows, empty after the last line end
    QCOMPARE(lines.first(),
             QByteArray("frame,second,x,y,z,lat,lon,ew,speed,latitude,longitude,speed_kmh"));
    QCOMPARE(lines.last(), QByteArray());
    QCOMPARE(lines[1], QByteArray("0,0,0,-0.25,1,4807.038,01131.000,E,022.4,48.1173000,"
                                  "11.5166667,41.48"));
    QCOMPARE(lines[30], QByteArray("29,0,0.029,-0.25,1,4807.038,01131.000,E,022.4,48.1173000,"
                                   "11.5166667,41.48"));
    QCOMPARE(lines[31], QByteArray("30,1,0.03,-0.25,1,3724.5000,12652.2000,W,010.0,37.4083333,"
                                   "-126.8700000,18.52"));
    // A record without a position keeps its texts; the degrees stay empty.
    QCOMPARE(lines[61], QByteArray("60,2,0.06,-0.25,1,0,0,0,0,,,0.00"));
    // No record for second 3.
    QCOMPARE(lines[91], QByteArray("90,3,0.09,-0.25,1,,,,,,,"));
    for (int i = 1; i < lines.size() - 1; ++i)
        QCOMPARE(lines[i].count(','), 11);
}

void TestTelemetryExport::csvQuotesOddTexts() {
    Telemetry t;
    t.magnetic.append(MagneticData{});
    t.gio.append(record(0, QStringLiteral("1,2"), QStringLiteral("x\"y"), QStringLiteral("E"),
                        QStringLiteral("1")));
    const QList<QByteArray> lines = velmora::telemetryCsv(t).split('\n');
    QCOMPARE(lines[1], QByteArray("0,0,0,0,0,\"1,2\",\"x\"\"y\",E,1,,,1.85"));
}

void TestTelemetryExport::trackSkipsRecordsWithoutPosition() {
    Telemetry t = sampleDrive();
    t.gio.append(record(3, QString(), QString(), QString(), QStringLiteral("0")));
    t.gio.append(record(4, QStringLiteral("9500.0"), QStringLiteral("01131.0"), QStringLiteral("E"),
                        QStringLiteral("0"))); // 95 degrees north
    t.gio.append(record(5, QStringLiteral("4807.0"), QStringLiteral("18000.0"), QStringLiteral("E"),
                        QStringLiteral("0"))); // 180 east
    t.gio.append(record(6, QStringLiteral("4807.0"), QStringLiteral("18000.0"), QStringLiteral("W"),
                        QStringLiteral("0"))); // 180 west
    t.gio.append(record(7, QStringLiteral("-4807.0"), QStringLiteral("01131.0"),
                        QStringLiteral("E"), QStringLiteral("0")));
    t.gio.append(record(8, QStringLiteral("4807.0"), QStringLiteral("nan"), QStringLiteral("E"),
                        QStringLiteral("0")));
    const QVector<velmora::TrackPoint> points = velmora::trackPoints(t);
    QCOMPARE(points.size(), 3);
    QCOMPARE(points[0].time, 0);
    QVERIFY(qAbs(points[0].latitude - 48.1173) < 1e-9);
    QVERIFY(qAbs(points[0].longitude - (11.0 + 31.0 / 60.0)) < 1e-9);
    QVERIFY(qAbs(points[0].speedKmh - 41.4848) < 1e-4);
    QCOMPARE(points[1].time, 1);
    QVERIFY(qAbs(points[1].longitude + 126.87) < 1e-9);
    QCOMPARE(points[2].time, 6);
    QCOMPARE(points[2].longitude, -180.0);
}

void TestTelemetryExport::gpxContent() {
    const QByteArray gpx = velmora::telemetryGpx(sampleDrive(), QStringLiteral("R_1_S_a&b"));
    const QVector<XmlPoint> points = gpxPoints(gpx);
    QCOMPARE(points.size(), 2);
    QCOMPARE(points[0].lat, 48.1173);
    QVERIFY(qAbs(points[0].lon - 11.5166667) < 1e-7);
    QCOMPARE(points[1].lat, 37.4083333);
    QCOMPARE(points[1].lon, -126.87);
    QCOMPARE(elementText(gpx, QStringLiteral("name")), QStringLiteral("R_1_S_a&b"));
    // 022.4 knots = 11.524 m/s
    QCOMPARE(elementText(gpx, QStringLiteral("speed")), QStringLiteral("11.524"));
    QCOMPARE(elementText(gpx, QStringLiteral("second")), QStringLiteral("0"));
}

void TestTelemetryExport::gpxValidatesAgainstSchema_data() {
    QTest::addColumn<Telemetry>("telemetry");
    QTest::addColumn<QString>("name");
    QTest::newRow("drive") << sampleDrive() << "R_20261206_081512_S_N";
    QTest::newRow("no position") << Telemetry() << "";
    Telemetry edges;
    edges.gio.append(record(0, QStringLiteral("9000.0"), QStringLiteral("17959.9999"),
                            QStringLiteral("E"), QStringLiteral("bad")));
    edges.gio.append(record(1, QStringLiteral("0000.0001"), QStringLiteral("18000.0"),
                            QStringLiteral("W"), QStringLiteral("999.9")));
    QTest::newRow("range edges, odd name") << edges << "<a & \"b\"> \x01\x1f";
}

void TestTelemetryExport::gpxValidatesAgainstSchema() {
    QFETCH(Telemetry, telemetry);
    QFETCH(QString, name);
    const QString xmllint = QStandardPaths::findExecutable(QStringLiteral("xmllint"));
    if (xmllint.isEmpty())
        QSKIP("xmllint is not installed (package libxml2-utils)");
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QFile file(dir.filePath(QStringLiteral("track.gpx")));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(velmora::telemetryGpx(telemetry, name));
    file.close();
    QProcess lint;
    lint.setProcessChannelMode(QProcess::MergedChannels);
    lint.start(xmllint, {QStringLiteral("--noout"), QStringLiteral("--nonet"),
                         QStringLiteral("--schema"), QStringLiteral(GPX_SCHEMA), file.fileName()});
    QVERIFY(lint.waitForFinished(30000));
    const QByteArray output = lint.readAll();
    QVERIFY2(lint.exitStatus() == QProcess::NormalExit && lint.exitCode() == 0, output.constData());
    QVERIFY2(output.contains("validates"), output.constData());
}

void TestTelemetryExport::kmlLineString() {
    const QByteArray kml = velmora::telemetryKml(sampleDrive(), QStringLiteral("R_1_S_N"));
    QCOMPARE(elementText(kml, QStringLiteral("tessellate")), QStringLiteral("1"));
    const QStringList coordinates = elementText(kml, QStringLiteral("coordinates"))
                                        .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    QStringList trimmed;
    for (const QString &c : coordinates) {
        if (!c.trimmed().isEmpty())
            trimmed << c.trimmed();
    }
    QCOMPARE(trimmed, QStringList({QStringLiteral("11.5166667,48.1173000"),
                                   QStringLiteral("-126.8700000,37.4083333")}));
    QVERIFY(kml.contains("<kml xmlns=\"http://www.opengis.net/kml/2.2\">"));
    QVERIFY(kml.contains("<LineString>"));
}

void TestTelemetryExport::kmlFewPoints() {
    Telemetry one;
    one.gio.append(record(0, QStringLiteral("4807.038"), QStringLiteral("01131.000"),
                          QStringLiteral("W"), QStringLiteral("0")));
    const QByteArray point = velmora::telemetryKml(one, QStringLiteral("a<b"));
    QVERIFY(!point.contains("<LineString>"));
    QCOMPARE(elementText(point, QStringLiteral("coordinates")),
             QStringLiteral("-11.5166667,48.1173000"));
    QCOMPARE(elementText(point, QStringLiteral("name")), QStringLiteral("a<b"));

    const QByteArray none = velmora::telemetryKml(Telemetry(), QStringLiteral("x"));
    QVERIFY(!none.contains("<Placemark>"));
    QXmlStreamReader xml(none);
    while (!xml.atEnd())
        xml.readNext();
    QVERIFY(!xml.hasError());
}

QTEST_GUILESS_MAIN(TestTelemetryExport)
#include "tst_telemetryexport.moc"
