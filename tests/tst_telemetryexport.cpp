// The telemetry queries and export formats on hand-built telemetry; GPX against the
// GPX 1.1 schema. FileIO's use of the queries: tst_telemetry.
#include "gpsrecord.h"
#include "telemetryexport.h"
#include "telemetryqueries.h"
#include "testfiles.h"

#include <QtTest>

using velmora::GioData;
using velmora::MagneticData;
using velmora::Telemetry;
using velmora::TelemetryQueries;
using velmora::testing::record;

namespace {

// 100 samples; GPS at seconds 0, 1 (south-west, with a time) and 2 (no
// position), none for 3.
Telemetry sampleDrive() {
    Telemetry t;
    for (int i = 0; i < 100; ++i)
        t.magnetic.append(MagneticData{i / 1000.0f, -0.25f, 1.0f});
    t.gio = {record(0, "4807.038", "01131.000", "E", "022.4"),
             record(1, "3724.5000", "12652.2000", "W", "010.0", "S", "081513.50", "061226"),
             record(2, "0", "0", "0", "0")};
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

constexpr int IntMin = std::numeric_limits<int>::min();
constexpr int IntMax = std::numeric_limits<int>::max();

// Seconds 0..n-1 but `missing`; second s at 48 degrees s minutes, s knots.
std::shared_ptr<const Telemetry> drive(int n, const QSet<int> &missing = {}) {
    auto t = std::make_shared<Telemetry>();
    for (int s = 0; s < n; ++s) {
        if (!missing.contains(s))
            t->gio.append(
                record(s, QString::number(4800 + s, 'f', 4), "01131.000", "E", QString::number(s)));
    }
    return t;
}

std::shared_ptr<const Telemetry> oneRecord(const QString &lat, const QString &lon,
                                           const QString &ew, const QString &speed,
                                           const QString &ns = QString()) {
    return std::make_shared<Telemetry>(Telemetry{{}, {record(0, lat, lon, ew, speed, ns)}, {}});
}

} // namespace

class TelemetryOnHandBuiltRecordsTest : public QObject {
    Q_OBJECT

private slots:
    // Samples as the shortest text that reads back unchanged; texts as stored.
    void json() {
        Telemetry t;
        t.magnetic = {{1.0f, 0.001f, -0.25f}};
        t.gio = {record(8, QString(), QString("a\"b\\c"), QString("\x01"),
                        QString::fromUtf8("1\xc3\xa9"), "S")};
        QCOMPARE(velmora::telemetryJson(t),
                 QByteArray("{\"samples\":[[1,0.001,-0.25]],\"gps\":["
                            "{\"time\":8,\"ew\":\"\\u0001\",\"lat\":\"\",\"lon\":\"a\\\"b\\\\c\","
                            "\"speed\":\"1\xc3\xa9\",\"ns\":\"S\"}]}"));
    }

    // A row a sample, with its second's record where there is one.
    void csv() {
        Telemetry t = sampleDrive();
        const QList<QByteArray> lines = velmora::telemetryCsv(t).split('\n');
        QCOMPARE(lines.size(), 1 + 100 + 1); // header, rows, empty after the last line end
        QCOMPARE(lines[31], QByteArray("30,1,0.03,-0.25,1,3724.5000,12652.2000,W,010.0,-37.4083333,"
                                       "-126.8700000,18.52,S,2026-12-06T08:15:13.500Z"));
        QCOMPARE(lines[1].right(8), QByteArray(",41.48,,"));                   // no date: no time
        QCOMPARE(lines[61], QByteArray("60,2,0.06,-0.25,1,0,0,0,0,,,0.00,,")); // no position
        QCOMPARE(lines[91], QByteArray("90,3,0.09,-0.25,1,,,,,,,,,"));         // no record
        // Texts holding a separator or a quote are quoted.
        t = Telemetry{{MagneticData{}}, {record(0, "1,2", "x\"y", "E", "1")}, {}};
        QCOMPARE(velmora::telemetryCsv(t).split('\n')[1],
                 QByteArray("0,0,0,0,0,\"1,2\",\"x\"\"y\",E,1,,,1.85,,"));
    }

    // The drive, nothing and the ranges' edges are valid against the GPX 1.1
    // schema; the name's markup and control characters do not break it.
    void gpx() {
        const QByteArray gpx = velmora::telemetryGpx(sampleDrive(), "R_1_S_a&b");
        QCOMPARE(elementTexts(gpx, "name"), QStringList{"R_1_S_a&b"});
        QCOMPARE(gpx.count("<trkpt "), 2);
        QVERIFY(gpx.contains("<trkpt lat=\"-37.4083333\" lon=\"-126.8700000\">"));
        QCOMPARE(elementTexts(gpx, "time"), QStringList{"2026-12-06T08:15:13.500Z"});
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

    // A timed track where every point has a time, else a line; a Point for
    // one, no placemark for none.
    void kml() {
        const QByteArray line = velmora::telemetryKml(sampleDrive(), "R_1_S_N");
        QCOMPARE(elementTexts(line, "coordinates"),
                 QStringList{"11.5166667,48.1173000\n          -126.8700000,-37.4083333"});
        Telemetry timed;
        timed.gio = {record(0, "3352.0000", "15112.0000", "E", "0", "S", "235959", "311226"),
                     record(1, "3352.0000", "15112.0000", "E", "0", "S", "000000", "010127")};
        const QByteArray track = velmora::telemetryKml(timed, "x");
        QCOMPARE(elementTexts(track, "when"),
                 QStringList({"2026-12-31T23:59:59Z", "2027-01-01T00:00:00Z"}));
        QCOMPARE(elementTexts(track, "gx:coord").value(1), QString("151.2000000 -33.8666667 0"));
        Telemetry one;
        one.gio = {record(0, "4807.038", "01131.000", "W", "0")};
        const QByteArray point = velmora::telemetryKml(one, "a<b");
        QVERIFY(!point.contains("<LineString>"));
        QCOMPARE(elementTexts(point, "coordinates"), QStringList{"-11.5166667,48.1173000"});
        QCOMPARE(elementTexts(point, "name"), QStringList({"a<b", "a<b"}));
        QCOMPARE(elementTexts(velmora::telemetryKml(Telemetry(), "x"), "Placemark"), QStringList());
    }

    // Degrees of a second's position; the default position where there is none.
    void coordinates() {
        const double lat = velmora::DefaultLatitude;
        const double lon = velmora::DefaultLongitude;
        const struct {
            const char *lat, *ns, *lon, *ew;
            double latitude, longitude;
        } cases[] = {
            {"4807.038", "N", "01131.000", "E", 48.1173, 11.516667},
            {"3724.5000", "", "12652.2000", "W", 37.408333, -126.87},
            {"3724.5000", "S", "12652.2000", "E", -37.408333, 126.87},
            {"0", "S", "0", "0", lat, lon},
            {"48x7", "N", "lon", "E", lat, lon},
            {"nan", "N", "inf", "W", lat, lon},
        };
        for (const auto &c : cases) {
            TelemetryQueries q;
            q.follow(oneRecord(c.lat, c.lon, c.ew, "0", c.ns));
            QVERIFY2(qAbs(q.latitudeOfSecond(0) - c.latitude) < 1e-5, c.lat);
            QVERIFY2(qAbs(q.currentLongitude() - c.longitude) < 1e-4, c.lon);
        }
    }

    // dd00.0 must not fall to (dd-1) + 59.99.../60 through a rounded product.
    void wholeDegreesStayWhole() {
        for (int d = 1; d < 180; ++d) {
            const GioData g = record(0, QString::number(d * 100) + ".0", QString::number(d * 100),
                                     "E", QString());
            QCOMPARE(velmora::latitudeDegrees(g), float(d));
            QCOMPARE(velmora::longitudeDegrees(g), float(d));
        }
    }

    // Speed and position texts: units, half-up rounding, no "-0".
    void texts() {
        const struct {
            const char *speed;
            int unit;
            const char *speedText, *positionSpeed;
        } cases[] = {
            {"022.4", 1, "41 Km/h", "41.48km/h"}, {"022.4", 0, "26 Mi/h", "25.78mi/h"},
            {"", 1, "0 Km/h", "0.00km/h"},        {"-0.001", 1, "0 Km/h", "0.00km/h"},
            {"0.27", 1, "1 Km/h", "0.50km/h"}, // 0.50004 km/h
        };
        for (const auto &c : cases) {
            TelemetryQueries q;
            q.follow(oneRecord("4807.038", "01131.000", "E", c.speed));
            QCOMPARE(q.speedText(0, c.unit) + " | " + q.positionText(0, c.unit),
                     QString(c.speedText) + " | 4807.038(N) 01131.000(E) Speed " + c.positionSpeed);
            QCOMPARE(q.speedText(1, c.unit) + q.positionText(-1, c.unit), QString());
        }
        TelemetryQueries q;
        q.follow(oneRecord("3436.2220", "05822.8960", "W", "0", "S"));
        QCOMPARE(q.positionText(0, 1), QString("3436.2220(S) 05822.8960(W) Speed 0.00km/h"));
    }

    // The shock is the sample farthest from the median magnitude, so a
    // moment of free fall is no peak when a harder hit follows, and gravity
    // alone is none.
    void peakSample() {
        QVector<MagneticData> samples(90, MagneticData{0.02f, -0.01f, 1.0f});
        QCOMPARE(velmora::peakSampleIndex({}), -1);
        QCOMPARE(velmora::peakSampleIndex(samples), 0);
        samples[20] = {0.0f, 0.0f, 0.2f};  // 0.8 g from the median
        samples[60] = {-1.2f, 0.4f, 1.1f}; // 0.7 g
        QCOMPARE(velmora::peakSampleIndex(samples), 20);
        samples[61] = {-2.4f, 0.8f, 1.0f}; // 1.7 g
        TelemetryQueries q;
        q.follow(std::make_shared<Telemetry>(Telemetry{samples, {}, {}}));
        QCOMPARE(q.peakSample(), 61);
    }

    // RMC date and time as UTC; nothing made up for a missing or bad field.
    void fixTimes() {
        const auto at = [](const char *utc, const char *date) {
            const QDateTime t = velmora::fixTime(record(0, "1", "1", "E", "0", "N", utc, date));
            return t.isValid() ? t.toString(Qt::ISODateWithMs) : QString("-");
        };
        QCOMPARE(QStringList({at("081512", "061226"), at("081512.25", "290224"), at("", "061226"),
                              at("081512", ""), at("256012", "061226"), at("081512", "300226"),
                              at("08151x", "061226")}),
                 QStringList({"2026-12-06T08:15:12.000Z", "2024-02-29T08:15:12.250Z", "-", "-", "-",
                              "-", "-"}));
    }

    // The current record is kept past the list, dropped only by another snapshot.
    void currentRecord() {
        TelemetryQueries q;
        QCOMPARE(q.latitudeOfSecond(75), velmora::DefaultLatitude);
        const auto minute = drive(60);
        q.follow(minute);
        const float at10 = q.latitudeOfSecond(10);
        QVERIFY(qAbs(at10 - (48.0f + 10.0f / 60.0f)) < 1e-5f);
        QCOMPARE(q.latitudeOfSecond(75), at10);
        q.follow(minute); // the same snapshot again
        QCOMPARE(q.current().lat, QStringLiteral("4810.0000"));
        q.follow(drive(5));
        QCOMPARE(q.latitudeOfSecond(30), velmora::DefaultLatitude);
        q.follow(nullptr); // nothing published: empty lists, no current record
        QCOMPARE(q.gioCount(), 0);
        QCOMPARE(q.current().lat, QString());
    }

    // Out-of-range positions and samples never read outside the lists; a second
    // without a fix below the count shows the list's last record.
    void bounds() {
        TelemetryQueries q;
        q.follow(drive(60, {10, 11, 12}));
        QCOMPARE(q.gioCount(), 57);
        QCOMPARE(q.latitudeOfSecond(11), 48.0f + 59.0f / 60.0f); // a void second: the last record
        QCOMPARE(
            QStringList({QString::number(q.gioTime(10)), q.gioLat(10), q.gioLon(10), q.gioEw(10)}),
            QStringList({"13", "4813.0000", "01131.000", "E"}));
        for (int pos : {-1, 57, IntMin, IntMax}) {
            QCOMPARE(q.gioLat(pos) + q.gioLon(pos) + q.gioEw(pos), QString());
            QCOMPARE(q.gioTime(pos), -1);
        }
        q.follow(std::make_shared<Telemetry>(
            Telemetry{{{0.1f, 0.2f, 0.3f}, {0.4f, 0.5f, 0.6f}, {0.7f, 0.8f, 0.9f}}, {}, {}}));
        // Past either end the nearest sample; nothing before the lists are published.
        QCOMPARE(QVector<float>({q.sampleX(1, 1), q.sampleY(5000, 1), q.sampleZ(IntMax, 1),
                                 q.sampleX(-1, 1), q.sampleZ(IntMin, 1), q.sampleY(1, 0)}),
                 QVector<float>({0.4f, 0.8f, 0.9f, 0.1f, 0.3f, 0.0f}));
        q.follow(std::make_shared<Telemetry>());
        QCOMPARE(q.sampleX(0, 1) + q.sampleZ(5000, 1), 0.0f);
    }
};

QTEST_GUILESS_MAIN(TelemetryOnHandBuiltRecordsTest)
#include "tst_telemetryexport.moc"
